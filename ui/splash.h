#pragma once

#include "about.h"
#include "captions.h"

#include <QDialog>

#include <functional>

class QFrame;
class QLabel;
class QPushButton;

namespace gw {

class MessageService;
class SettingsReporter;
struct ProgramSettings;

struct StartWindowServices {
    SettingsReporter* reporter = nullptr;  // required: the start-up's messages
    MessageService* messages = nullptr;    // required: the disclaimer
    // Opens the main window in the language; settings.CurrentLanguage is
    // already set to it.
    std::function<void(Language language)> start;
};

// frmSplash, the first window of the process. load() runs the start-up of
// the data layer into the settings (files, previous language, captions,
// sponsor) and shows the sponsor; the user then starts in English or French
// or reads the disclaimer. Its texts are fixed English design texts: it is
// never re-captioned. Enter starts in the language of the previous run, Esc
// closes the window without starting.
class StartWindow : public QDialog {
    Q_OBJECT
public:
    StartWindow(ProgramSettings& settings, ProgramInfo info, StartWindowServices services, QWidget* parent = nullptr);

    // The start-up, settings.folder being the program's folder. False when
    // the program must end (a missing Config.dat, a damaged data file), after
    // the reporter said why; the window must not be shown then.
    bool load();

    // cmdStart_English and cmdStart_French: sets the language, has the main
    // window opened and closes this window.
    void startProgram(Language language);
    void showDisclaimer();

    QFrame* fraContainer = nullptr;
    QLabel* imgSoftwareLogo = nullptr;
    QLabel* lblEducation = nullptr;
    QLabel* lblCorvins = nullptr;
    QLabel* lblGearwise = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblCopyright = nullptr;
    QLabel* lblComplimentsOf = nullptr;
    QLabel* lblWelcomeText = nullptr;
    QLabel* picSponsorLogo = nullptr;
    QLabel* lblWebReference = nullptr;
    QLabel* lblWebName = nullptr;
    QPushButton* cmdDisclaimer = nullptr;
    QPushButton* cmdStart_English = nullptr;
    QPushButton* cmdStart_French = nullptr;

private:
    void build();
    void showSponsor();

    ProgramSettings& settings_;
    ProgramInfo info_;
    StartWindowServices services_;
    QFrame* sponsorRule_ = nullptr;
};

} // namespace gw
