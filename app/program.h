#pragma once

#include "about.h"
#include "records.h"
#include "tablecaptions.h"

#include <filesystem>
#include <memory>

namespace gw {

class HelpService;
class MainWindow;
class MessageService;
class SettingsReporter;
class StartWindow;

// The name of the program logo beside the executable.
inline constexpr char kLogoFileName[] = "gearwise-logo.png";

// The build's product name, version and copyright notice, and the logo in
// `folder`.
ProgramInfo BuildProgramInfo(const std::filesystem::path& folder);

// The running program: the settings of the data files, the captions of the
// current language, the messages, and the windows, created in this order:
//
//   start()           the start window; it loads the data files.
//   openMainWindow()  a start button: the main window in the chosen language,
//                     with its services and dialogs (see there).
//   connectDialogs()  the dialogs opened from the main window's signals. The
//                     About box is here; the setup dialog (setupRequested),
//                     the print dialog (printRequested) and the detail
//                     dialogs (advancedDetailsRequested,
//                     customInvestmentMixRequested) plug in the same way.
//   applyLanguage()   a language switch re-captions every window; each new
//                     window adds its formatCaptions() there.
class Program {
public:
    struct Services {
        MessageService* messages = nullptr;    // required: every message box
        SettingsReporter* reporter = nullptr;  // required: the data files' messages
    };

    Program(std::filesystem::path folder, ProgramInfo info, Services services);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The start-up: the start window loads the data files and shows. False
    // when the program must end (already reported); nothing is shown then.
    bool start();

    // The start buttons (0 English, 1 French): the main window's settings,
    // the main window and its dialogs, started and shown.
    void openMainWindow(int language);
    // The About box, created when first needed.
    void showAbout();
    // Switches the captions to `language` and re-captions every window.
    void applyLanguage(int language);

    ProgramSettings& settings() { return settings_; }
    const CaptionSource& captions() const { return captions_; }
    StartWindow* startWindow() const { return startWindow_.get(); }
    MainWindow* mainWindow() const { return mainWindow_.get(); }
    AboutBox* aboutBox() const { return about_.get(); }

private:
    void connectDialogs();

    ProgramSettings settings_;
    TableCaptionSource captions_;
    ProgramInfo info_;
    Services services_;
    // The help viewer, once it is wired in: create it in openMainWindow()
    // before the main window, which takes it as its help service.
    HelpService* help_ = nullptr;
    std::unique_ptr<StartWindow> startWindow_;
    std::unique_ptr<MainWindow> mainWindow_;
    // Dialogs parented to the main window are declared after it, so they go
    // first.
    std::unique_ptr<AboutBox> about_;
};

} // namespace gw
