#include "program.h"

#include "captions.h"
#include "captionsource.h"
#include "casemenu.h"
#include "clientcases.h"
#include "detaildialogs.h"
#include "helpwindow.h"
#include "mainwindow.h"
#include "messages.h"
#include "printoptions.h"
#include "programsetup.h"
#include "reporter.h"
#include "reports_settings.h"
#include "settingsfile.h"
#include "splash.h"
#include "userfile.h"
#include "version.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>

#include <utility>

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
    : Program(ProgramFolders{folder, folder}, std::move(info), services)
{
}

Program::Program(const ProgramFolders& folders, ProgramInfo info, Services services)
    : captions_(settings_.captions, English), info_(std::move(info)), services_(services)
{
    settings_.folder = folders.data;
    settings_.userFolder = folders.user;
}

Program::~Program() = default;

bool Program::start()
{
    StartWindowServices services;
    services.reporter = services_.reporter;
    services.messages = services_.messages;
    services.start = [this](Language language) { openMainWindow(language); };
    startWindow_ = std::make_unique<StartWindow>(settings_, info_, services);
    if (!startWindow_->load())
        return false;
    // Leaving the start window without starting ends the program.
    QObject::connect(startWindow_.get(), &QDialog::rejected, startWindow_.get(), &QCoreApplication::quit);
    // The disclaimer's OK button speaks the language of the previous run,
    // as its text does.
    qtTexts_.apply(settings_.CurrentLanguage);
    startWindow_->show();
    return true;
}

void Program::openMainWindow(Language language)
{
    settings_.CurrentLanguage = language;
    captions_.setLanguage(language);
    qtTexts_.apply(language);
    ReadMainWindowSettings(settings_, *services_.reporter);

    help_ = std::make_unique<HelpWindow>(captions_, QString::fromStdString((settings_.folder / "help").string()));
    // Closing the main window ends the program even while help is open.
    help_->setAttribute(Qt::WA_QuitOnClose, false);

    MainWindowServices services;
    services.captions = &captions_;
    services.messages = services_.messages;
    services.help = help_.get();
    services.windowTitle = [this] {
        return cases_ ? cases_->windowTitle() : QString::fromStdString(BuildWindowTitle(settings_));
    };
    services.saveDefaults = [this] { saveDefaults(); };
    files_ = std::make_unique<QtSaveFileService>();
    services.files = files_.get();
    mainWindow_ = std::make_unique<MainWindow>(services);
    files_->setParent(mainWindow_.get());

    createDialogs();
    connectDialogs();

    // The window starts its fields, and the setup values it analyses with,
    // from the same StartValues as the setup dialog.
    mainWindow_->start({settings_.values, settings_.sponsorInfo, settings_.IsSponsored});
    CaseFileService* caseFiles = services_.caseFiles;
    if (!caseFiles) {
        ownCaseFiles_ = std::make_unique<QtCaseFileService>(mainWindow_.get());
        caseFiles = ownCaseFiles_.get();
    }
    cases_ = std::make_unique<ClientCases>(*this, *caseFiles);
    mainWindow_->show();
    if (!caseToOpen_.empty())
        cases_->open(std::exchange(caseToOpen_, {}));
}

void Program::createDialogs()
{
    MainWindow* window = mainWindow_.get();

    ProgramSetup::Services setupServices;
    setupServices.captions = &captions_;
    setupServices.messages = services_.messages;
    setupServices.help = help_.get();
    setupServices.applyLanguage = [this](Language language) { applyLanguage(language); };
    setup_ = std::make_unique<ProgramSetup>(setupServices, window);
    setup_->load(settings_.values);
    setup_->hide();

    // Before the window starts: it writes the times-loan-repeated default
    // into the advanced details' field.
    details_ = attachDetailDialogs(*window, help_.get());

    PrintOptions::Services printServices;
    printServices.captions = &captions_;
    printServices.messages = services_.messages;
    printServices.settings = &settings_;
    printServices.help = help_.get();
    printServices.files = files_.get();
    printServices.source = [this] { return printSource(); };
    print_ = std::make_unique<PrintOptions>(printServices, PrintDefaultsFrom(settings_), window);
    // Modal to the main window only, so that its help stays usable.
    print_->setWindowModality(Qt::WindowModal);
    print_->hide();
}

void Program::connectDialogs()
{
    MainWindow* window = mainWindow_.get();
    QObject::connect(window, &MainWindow::aboutRequested, window, [this] { showAbout(); });
    QObject::connect(window, &MainWindow::setupRequested, window, [this](int tab) { setup_->execOnTab(tab); });
    QObject::connect(setup_.get(), &ProgramSetup::settingsApplied, window,
                     [this](const SettingValues& values) { applySetup(values); });
    QObject::connect(window, &MainWindow::printRequested, window, [this] {
        if (!print_->isVisible())
            print_->openForPrint();
    });
    // The detail dialogs connect themselves (attachDetailDialogs).
}

PrintSource Program::printSource() const
{
    const MainWindow& window = *mainWindow_;
    PrintSource source;
    source.strategy = window.strategy();
    if (window.autoCalculate()) {
        const std::optional<AnalysisResults>& results = window.resultsOf(source.strategy);
        source.results = results ? &*results : nullptr;
    }
    source.outcomes = [window = mainWindow_.get()] { return window->outcomesForPrint(); };
    return source;
}

ClientCase Program::currentCase(std::string note) const
{
    // What was read, with what the windows hold now: a setting no control
    // shows keeps its value rather than 0.
    SettingValues values = settings_.values;
    mainWindow_->storeValues(values);
    setup_->storeValues(values);
    return MakeClientCase(mainWindow_->strategy(), values, print_->txtName->text().toStdString(), std::move(note));
}

void Program::applyCase(const ClientCase& clientCase)
{
    SettingValues values = StartValues(settings_.values);
    ApplyCase(clientCase, values);
    mainWindow_->loadFields(clientCase.strategy, values);
    setup_->load(settings_.values, values);
    print_->txtName->setText(QString::fromStdString(clientCase.client));
    // As the dialog's load does: a name given is a name printed.
    if (!clientCase.client.empty())
        print_->chkName->setChecked(true);
    applySetup(setup_->values());
}

void Program::applySetup(const SettingValues& values)
{
    MainWindow& window = *mainWindow_;
    window.applySetupValues(values);
    window.formatProjectionTable(window.strategy());
    window.markInputsChanged();
    window.updateAnalysis();
}

bool Program::saveDefaults()
{
    // What was read, with what the windows hold now.
    UserFileValues values = UserFileValuesFrom(settings_);
    mainWindow_->storeValues(values.values);
    setup_->storeValues(values.values);
    ApplyPrintDefaults(print_->currentDefaults(), values);
    return SaveUserFile(settings_, values, *services_.reporter);
}

void Program::showAbout()
{
    if (!about_) {
        AboutServices services;
        services.captions = &captions_;
        services.messages = services_.messages;
        services.help = help_.get();
        about_ = std::make_unique<AboutBox>(info_, AboutSponsorFrom(settings_), services, mainWindow_.get());
    }
    about_->open();
}

void Program::applyLanguage(Language language)
{
    settings_.CurrentLanguage = language;
    captions_.setLanguage(language);
    // Qt re-captions its own texts in the open windows at once.
    qtTexts_.apply(language);
    // In this order: About box, detail dialogs, main window (its table heads
    // and charts with it), print dialog, setup dialog; then the help window,
    // whose help set follows the caption language.
    if (about_)
        about_->formatCaptions();
    if (details_)
        details_->formatCaptions();
    if (mainWindow_)
        mainWindow_->formatCaptions();
    if (cases_)
        cases_->formatCaptions();
    if (print_)
        print_->formatCaptions();
    if (setup_)
        setup_->formatCaptions();
    if (help_)
        help_->formatCaptions();
}

} // namespace gw
