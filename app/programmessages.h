#pragma once

#include "messages.h"
#include "reporter.h"

namespace gw {

// Every message of the program: the windows' message boxes and the settings
// library's reports. Interactive, they are modal boxes. Non-interactive
// (the environment variable GEARWISE_NONINTERACTIVE set to 1, for scripted
// runs and process tests), nothing blocks: each message is written to
// standard error as "title: text", every question is answered No, and
// unsaved changes are discarded.
class ProgramMessages : public MessageService, public SettingsReporter {
public:
    explicit ProgramMessages(bool interactive);
    // False when GEARWISE_NONINTERACTIVE is "1".
    static bool interactiveFromEnvironment();

    bool interactive() const { return interactive_; }

    void show(MessageService::Icon icon, const QString& title, const QString& text) override;
    bool askYesNo(const QString& title, const QString& text) override;
    SaveChoice askSaveDiscardCancel(const QString& title, const QString& text) override;
    void report(const std::string& title, const std::string& text, SettingsReporter::Icon icon) override;

private:
    bool interactive_;
    QtMessageService boxes_;
};

} // namespace gw
