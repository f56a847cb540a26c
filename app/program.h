#pragma once

#include "about.h"
#include "casefile.h"
#include "programfolders.h"
#include "qttexts.h"
#include "records.h"
#include "tablecaptions.h"

#include <filesystem>
#include <memory>

namespace gw {

class CaseFileService;
class ClientCases;
class DetailDialogs;
class HelpWindow;
class MainWindow;
class MessageService;
class PrintOptions;
class ProgramSetup;
class QtSaveFileService;
class SettingsReporter;
class StartWindow;
struct PrintSource;

// The name of the program logo beside the executable.
inline constexpr char kLogoFileName[] = "gearwise-logo.png";

// The build's product name, version and copyright notice, and the logo in
// `folder`.
ProgramInfo BuildProgramInfo(const std::filesystem::path& folder);

// The running program: the settings of the data files, the captions of the
// current language, the messages, and the windows, created in this order:
//
//   start()           the start window; it loads the data files.
//   openMainWindow()  a start button: the help window, the main window in
//                     the chosen language, and its dialogs: the setup
//                     dialog, the print dialog and the detail dialogs are
//                     created hidden at once and kept; the About box when
//                     first opened.
//   ClientCases       with the main window: the client case it holds, the
//                     File menu's case entries and the title's case name.
//   applyLanguage()   a language switch (the setup dialog's OK) re-captions
//                     every window and moves the help to the new language.
//
// Qt's own texts (standard buttons, file dialogs, context menus) follow the
// caption language: that of the previous run on the start window, then the
// one started in, then every switch.
//
// The setup dialog's fields are the live tax settings: its OK and Cancel
// hand them to the main window, which redoes its input panel and runs an
// analysis. Save Defaults writes the main window's fields, the setup
// dialog's values, the print dialog's options and the language in use.
class Program {
public:
    struct Services {
        MessageService* messages = nullptr;    // required: every message box
        SettingsReporter* reporter = nullptr;  // required: the data files' messages
        CaseFileService* caseFiles = nullptr;  // default: Qt's file dialogs
    };

    Program(std::filesystem::path folder, ProgramInfo info, Services services);
    Program(const ProgramFolders& folders, ProgramInfo info, Services services);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The start-up: the start window loads the data files and shows. False
    // when the program must end (already reported); nothing is shown then.
    bool start();

    // The start buttons: the main window's settings, the main window and its
    // dialogs, started and shown.
    void openMainWindow(Language language);
    // A case file named on the command line, opened once the main window is.
    void openCaseOnStart(std::filesystem::path path) { caseToOpen_ = std::move(path); }
    // The About box, created when first needed.
    void showAbout();
    // Switches the captions to `language` and re-captions every window.
    void applyLanguage(Language language);
    // What the setup dialog's OK and Cancel do to the main window: its tax
    // settings, its input panel and projection heads, and an analysis.
    void applySetup(const SettingValues& values);
    // Save Defaults after the user said Yes: User.dat from the windows.
    bool saveDefaults();
    // What the print dialog prints: the selected strategy, the fields and
    // its last results. With auto-calculation off the results are covered
    // and may belong to other inputs than the fields hold, so none are given.
    PrintSource printSource() const;
    // The client case the windows hold: the strategy, the main window's and
    // setup dialog's values a case keeps, the Prepared-for name, `note`.
    ClientCase currentCase(std::string note) const;
    // Loads a case (read against settings().values) into the windows and
    // runs an analysis on it.
    void applyCase(const ClientCase& clientCase);

    ProgramSettings& settings() { return settings_; }
    const CaptionSource& captions() const { return captions_; }
    StartWindow* startWindow() const { return startWindow_.get(); }
    MainWindow* mainWindow() const { return mainWindow_.get(); }
    AboutBox* aboutBox() const { return about_.get(); }
    HelpWindow* helpWindow() const { return help_.get(); }
    ProgramSetup* setupDialog() const { return setup_.get(); }
    const QtTexts& qtTexts() const { return qtTexts_; }
    PrintOptions* printDialog() const { return print_.get(); }
    // Owned by the main window.
    DetailDialogs* detailDialogs() const { return details_; }
    // The open client case; made with the main window.
    ClientCases* cases() const { return cases_.get(); }
    MessageService& messages() const { return *services_.messages; }

private:
    void createDialogs();
    void connectDialogs();

    ProgramSettings settings_;
    TableCaptionSource captions_;
    QtTexts qtTexts_;
    ProgramInfo info_;
    Services services_;
    std::unique_ptr<StartWindow> startWindow_;
    // A window of its own, without a parent, so that the modal dialogs do
    // not block it; it outlives every window that holds it as help service.
    std::unique_ptr<HelpWindow> help_;
    std::unique_ptr<QtSaveFileService> files_;
    std::unique_ptr<MainWindow> mainWindow_;
    // Dialogs parented to the main window are declared after it, so they go
    // first.
    std::unique_ptr<ProgramSetup> setup_;
    std::unique_ptr<PrintOptions> print_;
    std::unique_ptr<AboutBox> about_;
    DetailDialogs* details_ = nullptr;
    std::unique_ptr<CaseFileService> ownCaseFiles_;
    std::unique_ptr<ClientCases> cases_;
    std::filesystem::path caseToOpen_;
};

} // namespace gw
