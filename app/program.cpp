#include "program.h"

#include "captions.h"
#include "mainwindow.h"
#include "messages.h"
#include "reporter.h"
#include "settingsfile.h"
#include "settingssetup.h"
#include "splash.h"
#include "uservalues.h"
#include "version.h"

#include <QCoreApplication>

namespace gw {

ProgramInfo BuildProgramInfo(const std::filesystem::path& folder)
{
    ProgramInfo info;
    info.productName = QString::fromUtf8(build::kProductName);
    info.major = build::kVersionMajor;
    info.minor = build::kVersionMinor;
    info.revision = build::kVersionRevision;
    info.copyright = QString::fromUtf8(build::kCopyright);
    info.logoPath = QString::fromStdString((folder / kLogoFileName).string());
    return info;
}

Program::Program(std::filesystem::path folder, ProgramInfo info, Services services)
    : captions_(settings_.captions, English), info_(std::move(info)), services_(services)
{
    settings_.folder = std::move(folder);
}

Program::~Program() = default;

bool Program::start()
{
    StartWindowServices services;
    services.reporter = services_.reporter;
    services.messages = services_.messages;
    services.start = [this](int language) { openMainWindow(language); };
    startWindow_ = std::make_unique<StartWindow>(settings_, info_, services);
    if (!startWindow_->load())
        return false;
    // Leaving the start window without starting ends the program.
    QObject::connect(startWindow_.get(), &QDialog::rejected, startWindow_.get(), &QCoreApplication::quit);
    startWindow_->show();
    return true;
}

void Program::openMainWindow(int language)
{
    settings_.CurrentLanguage = language;
    captions_.setLanguage(language);
    ReadMainWindowSettings(settings_, *services_.reporter);
    startWindow_->advanceProgress(20);

    // Services the main window takes at construction (the help viewer
    // among them) must exist by now.
    MainWindowServices services;
    services.captions = &captions_;
    services.messages = services_.messages;
    services.help = help_;
    services.windowTitle = [this] { return QString::fromStdString(BuildWindowTitle(settings_)); };
    services.saveDefaults = [this] {
        SaveUserFile(settings_, CurrentUserValues(settings_, *mainWindow_), *services_.reporter);
    };
    mainWindow_ = std::make_unique<MainWindow>(services);
    startWindow_->advanceProgress(50);

    connectDialogs();
    mainWindow_->start(SetupFromSettings(settings_));
    startWindow_->advanceProgress(100);
    mainWindow_->show();
}

void Program::connectDialogs()
{
    MainWindow* window = mainWindow_.get();
    QObject::connect(window, &MainWindow::aboutRequested, window, [this] { showAbout(); });
    // The setup, print and detail dialogs: create them here (hidden, parented
    // to the main window) and connect them to its signals.
}

void Program::showAbout()
{
    if (!about_) {
        AboutServices services;
        services.captions = &captions_;
        services.messages = services_.messages;
        services.help = help_;
        about_ = std::make_unique<AboutBox>(info_, AboutSponsorFrom(settings_), services, mainWindow_.get());
    }
    about_->open();
}

void Program::applyLanguage(int language)
{
    settings_.CurrentLanguage = language;
    captions_.setLanguage(language);
    // In this order: About box, advanced details, main window, print dialog,
    // setup dialog. The help viewer follows the caption language by itself.
    if (about_)
        about_->formatCaptions();
    if (mainWindow_)
        mainWindow_->formatCaptions();
}

} // namespace gw
