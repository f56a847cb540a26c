// The start window on real data folders: the caption files of the build and
// sponsor files packed from the plain sources, with welcome pictures from
// tests/ui/fixtures. One case runs the built program itself.
#include "program_fixture.h"

#include "settingsfile.h"

namespace gw::test {
namespace {

namespace fs = std::filesystem;

const fs::path kFixtures = GEARWISE_UI_FIXTURES;
const fs::path kSponsoredConfig = kSourceDir / "tests" / "settings" / "fixtures" / "sponsored-config.src.txt";

// A start window on a data folder without Config.dat, loaded on demand.
struct StartUp {
    ProgramOnData folder{{}, false};
    ProgramSettings settings;
    ReportLog reporter;
    RecordingMessages messages;
    std::vector<int> starts;
    std::unique_ptr<StartWindow> window;

    void writeConfig(const fs::path& source, const ConfigEdits& edits = {})
    {
        WritePlainRecordFile(folder.folder() / "Config.dat", EditedSettingLines(PlainLines(source), edits));
    }
    void shipped(const ConfigEdits& edits = {}) { WriteShippedConfig(folder.folder(), edits); }
    bool load()
    {
        settings.folder = folder.folder();
        StartWindowServices services;
        services.reporter = &reporter;
        services.messages = &messages;
        services.start = [this](int language) { starts.push_back(language); };
        window = std::make_unique<StartWindow>(settings, testInfo(), services);
        return window->load();
    }
    bool shows(QWidget* widget) const { return widget->isVisibleTo(window.get()); }
};

// Data files that are missing or of no use end the start-up with one
// message naming the file and what to do; no window opens.
TEST(StartWindow, missingOrUselessDataFilesEndTheStartUpWithOneMessage)
{
    const struct {
        const char* name;
        std::function<void(StartUp&)> damage;
        const char* message;
    } cases[] = {
        {"no Config.dat", [](StartUp&) {}, "Error with config.dat file"},
        {"empty Config.dat", [](StartUp& s) { s.folder.writeFile("Config.dat", ""); },
         "Error with config.dat file: it is empty. Please re-install the software."},
        {"Config.dat of section lines only",
         [](StartUp& s) { WritePlainRecordFile(s.folder.folder() / "Config.dat", {"[SponsorInfo]", "[InputLimits]"}); },
         "Error with config.dat file: it holds no settings. Please re-install the software."},
        {"empty english.txt",
         [](StartUp& s) {
             s.shipped();
             s.folder.writeFile("english.txt", "");
         },
         "english.txt cannot be used: it is empty. Please re-install the software."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StartUp startUp;
        c.damage(startUp);
        EXPECT_FALSE(startUp.load());
        ASSERT_EQ(startUp.reporter.texts.size(), 1u);
        EXPECT_EQ(startUp.reporter.bodies[0], c.message);
        if (c.name == std::string("no Config.dat")) {
            EXPECT_EQ(startUp.reporter.icons[0], SettingsReporter::Icon::None);
        }
        EXPECT_FALSE(startUp.window->isVisible());
        EXPECT_TRUE(startUp.starts.empty());
    }
}

TEST(StartWindow, notSponsoredShowsTheProgramAlone)
{
    StartUp startUp;
    startUp.shipped();
    fs::copy_file(kFixtures / "Welcome.jpg", startUp.folder.folder() / "Welcome.jpg");
    ASSERT_TRUE(startUp.load());
    EXPECT_TRUE(startUp.reporter.texts.empty());
    StartWindow& w = *startUp.window;
    EXPECT_FALSE(startUp.settings.IsSponsored);
    EXPECT_FALSE(startUp.shows(w.lblComplimentsOf));
    EXPECT_FALSE(startUp.shows(w.lblWelcomeText));
    EXPECT_FALSE(startUp.shows(w.picSponsorLogo));
    EXPECT_EQ(w.lblVersion->text(), "Version 1.2.3");
    EXPECT_EQ(w.lblCopyright->text(), testInfo().copyright);
    EXPECT_EQ(w.lblGearwise->text(), "Gearwise Planner");
    EXPECT_TRUE(w.cmdStart_English->isDefault());
    EXPECT_FALSE(w.cmdStart_French->isDefault());

    w.show();
    EXPECT_EQ(w.lblWebName->geometry().left(), w.lblWebReference->geometry().right() + 1);
    EXPECT_EQ(w.lblWebName->y(), w.lblWebReference->y());
    // The buttons sit below the loading note and the progress bar.
    EXPECT_GT(w.cmdStart_English->y(), w.prbLoadingProgress->y());
    EXPECT_GT(w.prbLoadingProgress->y(), w.lblWarning->y());
}

TEST(StartWindow, sponsorShowsAsPictureOfThePreviousLanguageOrAsText)
{
    struct Case {
        const char* name;
        const char* prevLanguage;
        std::vector<std::string> pictures;  // "!" before a name: a file that is no picture
        std::string logoPath;               // empty: the sponsor name as text
    };
    const Case cases[] = {
        {"English, no picture", "0", {}, ""},
        {"English, both pictures", "0", {"Welcome.jpg", "Welcome-French.jpg"}, "Welcome.jpg"},
        {"English, a picture that will not load", "0", {"!Welcome.jpg"}, "Welcome.jpg"},
        {"French, only the English picture", "1", {"Welcome.jpg"}, ""},
        {"French, both pictures", "1", {"Welcome.jpg", "Welcome-French.jpg"}, "Welcome-French.jpg"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartUp startUp;
        startUp.writeConfig(kSponsoredConfig, {{"PrevLanguage", c.prevLanguage}});
        bool broken = false;
        for (const std::string& picture : c.pictures) {
            broken = broken || picture[0] == '!';
            if (picture[0] == '!')
                startUp.folder.writeFile(picture.substr(1), "not a picture");
            else
                fs::copy_file(kFixtures / picture, startUp.folder.folder() / picture);
        }
        ASSERT_TRUE(startUp.load());
        EXPECT_TRUE(startUp.reporter.texts.empty());
        StartWindow& w = *startUp.window;
        EXPECT_EQ(startUp.settings.sponsorInfo.logoPath, c.logoPath);
        EXPECT_TRUE(startUp.shows(w.lblComplimentsOf));
        const bool picture = !c.logoPath.empty() && !broken;
        EXPECT_EQ(w.lblComplimentsOf->text(), picture ? "Presented by" : "Compliments of");
        EXPECT_EQ(startUp.shows(w.lblWelcomeText), !picture);
        EXPECT_EQ(startUp.shows(w.picSponsorLogo), picture);
        if (picture) {
            EXPECT_EQ(w.picSponsorLogo->pixmap().size(), QSize(560, 200).scaled(480, 1000, Qt::KeepAspectRatio));
        } else {
            EXPECT_EQ(w.lblWelcomeText->text(), "Northgate Wealth Partners");
        }
    }
}

TEST(StartWindow, missingPrevLanguageIsReportedOnceAndStartsInEnglish)
{
    StartUp startUp;
    startUp.shipped({{"PrevLanguage", std::nullopt}});
    ASSERT_TRUE(startUp.load());
    ASSERT_EQ(startUp.reporter.texts.size(), 1u);
    EXPECT_TRUE(startUp.reporter.bodies[0].starts_with("PrevLanguage not found in the config file"))
        << startUp.reporter.bodies[0];
    EXPECT_EQ(startUp.settings.CurrentLanguage, English);
    EXPECT_TRUE(startUp.window->cmdStart_English->isDefault());
}

// Enter starts in the language of the previous run, Esc leaves, the buttons
// start in theirs.
TEST(StartWindow, keysAndButtonsChooseTheLanguageOfTheRun)
{
    const struct {
        const char* prevLanguage;
        const char* action;
        std::vector<int> starts;
    } cases[] = {
        {"1", "Enter", {French}},   {"0", "Enter", {English}},        {"0", "Escape", {}},
        {"0", "French", {French}},  {"1", "English", {English}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.action) + " after " + c.prevLanguage);
        StartUp startUp;
        startUp.shipped({{"PrevLanguage", c.prevLanguage}});
        ASSERT_TRUE(startUp.load());
        StartWindow& w = *startUp.window;
        w.show();
        const std::string action = c.action;
        if (action == "English" || action == "French")
            (action == "English" ? w.cmdStart_English : w.cmdStart_French)->click();
        else
            QTest::keyClick(&w, action == "Enter" ? Qt::Key_Return : Qt::Key_Escape);
        EXPECT_EQ(startUp.starts, c.starts);
        EXPECT_FALSE(w.isVisible());
        EXPECT_EQ(w.result(), c.starts.empty() ? QDialog::Rejected : QDialog::Accepted);
        if (!c.starts.empty()) {
            EXPECT_EQ(startUp.settings.CurrentLanguage, c.starts[0]);
        }
    }
}

TEST(StartWindow, disclaimerIsTheCaptionOfThePreviousLanguage)
{
    StartUp startUp;
    startUp.shipped({{"PrevLanguage", "1"}});
    ASSERT_TRUE(startUp.load());
    startUp.window->cmdDisclaimer->click();
    ASSERT_EQ(startUp.messages.messages.size(), 1u);
    const auto& box = startUp.messages.messages[0];
    EXPECT_EQ(box.kind, "warning");
    EXPECT_EQ(box.title.toStdString(), GetCaption(startUp.settings.captions, "DisclaimerTitle", French));
    QString expected = QString::fromStdString(GetDisclaimerText(startUp.settings.captions, French));
    EXPECT_EQ(box.text, expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    EXPECT_TRUE(box.text.contains(QStringLiteral("\n\n")));
    EXPECT_TRUE(startUp.starts.empty());
}

// The program's own wiring: the start window, then the main window in the
// language of the button; the start window's texts never change.
TEST(Program, frenchAfterAnEnglishStartUpOpensTheMainWindowInFrench)
{
    ProgramOnData data;
    Program& program = data.restart();
    ASSERT_TRUE(program.start());
    StartWindow& start = *program.startWindow();
    EXPECT_TRUE(start.isVisible());
    EXPECT_EQ(program.settings().CurrentLanguage, English);
    EXPECT_EQ(program.mainWindow(), nullptr);
    const auto texts = [&start] {
        std::string all;
        for (const ShownText& t : shownTexts(start))
            all += t.text.toStdString() + "\n";
        return all;
    };
    const std::string before = texts();

    start.cmdStart_French->click();
    MainWindow* window = program.mainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(start.isVisible());
    EXPECT_EQ(start.prbLoadingProgress->value(), 100);
    EXPECT_EQ(program.settings().CurrentLanguage, French);
    EXPECT_EQ(program.captions().language(), French);
    const CaptionTables& tables = program.settings().captions;
    EXPECT_EQ(window->mnuFile->title().toStdString(), GetCaption(tables, "mnuFile", French));
    EXPECT_EQ(window->windowTitle().toStdString(), BuildWindowTitle(program.settings()));
    EXPECT_TRUE(data.reporter.texts.empty());

    emit window->aboutRequested();
    ASSERT_NE(program.aboutBox(), nullptr);
    EXPECT_TRUE(program.aboutBox()->isVisible());
    EXPECT_EQ(program.aboutBox()->windowTitle().toStdString(), GetCaption(tables, "frmAbout", French));
    program.applyLanguage(English);
    EXPECT_EQ(program.aboutBox()->windowTitle().toStdString(), GetCaption(tables, "frmAbout", English));
    EXPECT_EQ(texts(), before);
}

TEST(Program, builtProgramWithoutConfigEndsWithAnErrorStatus)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString program = folder.filePath(QStringLiteral("gearwise-planner"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(GEARWISE_PLANNER_PATH), program));
    QFile::setPermissions(program, QFile::permissions(program) | QFileDevice::ExeOwner);

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("GEARWISE_NONINTERACTIVE"), QStringLiteral("1"));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder.path());
    process.start(program, {});
    ASSERT_TRUE(process.waitForStarted(30000));
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        FAIL() << "the program did not end";
    }
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_NE(process.exitCode(), 0);
    EXPECT_TRUE(process.readAllStandardError().contains("Error with config.dat file"));
}

} // namespace
} // namespace gw::test
