// The start window on real data folders: the caption files of the build and
// sponsor files packed from the plain sources, with welcome pictures from
// tests/ui/fixtures. One case runs the built program itself.
#include "data_sources.h"
#include "fakes.h"

#include "captions.h"
#include "charset.h"
#include "mainwindow.h"
#include "program.h"
#include "recordfile.h"
#include "reporter.h"
#include "settingsfile.h"
#include "splash.h"
#include "textfile.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>

#include <filesystem>
#include <functional>
#include <fstream>
#include <map>
#include <optional>

namespace gw::test {
namespace {

namespace fs = std::filesystem;

const fs::path kDataDir = GEARWISE_DATA_DIR;
const fs::path kFixtures = GEARWISE_UI_FIXTURES;
const fs::path kUnsponsoredConfig = kSourceDir / "data" / "config.src.txt";
const fs::path kSponsoredConfig = kSourceDir / "tests" / "settings" / "fixtures" / "sponsored-config.src.txt";

struct Report {
    std::string title;
    std::string text;
    SettingsReporter::Icon icon;
};

class RecordingReporter : public SettingsReporter {
public:
    std::vector<Report> reports;
    void report(const std::string& title, const std::string& text, Icon icon) override
    {
        reports.push_back({title, text, icon});
    }
};

// A program folder in a fresh temporary folder.
class ProgramFolder {
public:
    fs::path path() const { return dir_.path().toStdString(); }

    void copyCaptions()
    {
        for (const char* name : {"english.txt", "french.txt"})
            fs::copy_file(kDataDir / name, path() / name);
    }
    // Config.dat from a plain source; a line whose key is in `edits` gets the
    // new value, or is left out when the value is nullopt.
    void writeConfig(const fs::path& source, const ConfigEdits& edits = {})
    {
        WritePlainRecordFile(path() / "Config.dat", EditedSettingLines(PlainLines(source), edits), 3);
    }
    void copyPicture(const std::string& name) { fs::copy_file(kFixtures / name, path() / name); }
    void writeFile(const std::string& name, const std::string& bytes)
    {
        std::ofstream(path() / name, std::ios::binary) << bytes;
    }

private:
    QTemporaryDir dir_;
};

ProgramInfo testInfo()
{
    ProgramInfo info;
    info.productName = QStringLiteral("Gearwise Planner");
    info.major = 1;
    info.minor = 2;
    info.revision = 3;
    info.copyright = QStringLiteral("Copyright \u00a9 2025 Corvin's. All rights reserved.");
    info.logoPath = QString::fromStdString((kSourceDir / "data" / "pictures" / "gearwise-logo.png").string());
    return info;
}

// A start window on a program folder, loaded on demand.
struct StartUp {
    ProgramFolder folder;
    ProgramSettings settings;
    RecordingReporter reporter;
    RecordingMessages messages;
    std::vector<int> starts;
    std::unique_ptr<StartWindow> window;

    StartUp() { folder.copyCaptions(); }
    bool load()
    {
        settings.folder = folder.path();
        StartWindowServices services;
        services.reporter = &reporter;
        services.messages = &messages;
        services.start = [this](int language) { starts.push_back(language); };
        window = std::make_unique<StartWindow>(settings, testInfo(), services);
        return window->load();
    }
    bool shows(QWidget* widget) const { return widget->isVisibleTo(window.get()); }
};

// Every text the window shows, by object name.
std::map<QString, QString> textsOf(QWidget& window)
{
    std::map<QString, QString> texts;
    for (QLabel* label : window.findChildren<QLabel*>())
        texts[label->objectName()] = label->text();
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>())
        texts[button->objectName()] = button->text();
    texts[QStringLiteral("title")] = window.windowTitle();
    return texts;
}

TEST(StartWindow, missingConfigEndsTheStartUpWithItsMessage)
{
    StartUp startUp;
    EXPECT_FALSE(startUp.load());
    ASSERT_EQ(startUp.reporter.reports.size(), 1u);
    EXPECT_EQ(startUp.reporter.reports[0].text, "Error with config.dat file");
    EXPECT_EQ(startUp.reporter.reports[0].icon, SettingsReporter::Icon::None);
    EXPECT_FALSE(startUp.window->isVisible());
}

// Data files that are there but of no use end the start-up with one
// message naming the file and what to do; no window opens.
TEST(StartWindow, uselessDataFilesEndTheStartUpWithOneMessage)
{
    const struct {
        const char* name;
        std::function<void(ProgramFolder&)> damage;
        const char* message;
    } cases[] = {
        {"empty Config.dat", [](ProgramFolder& f) { f.writeFile("Config.dat", ""); },
         "Error with config.dat file: it is empty. Please re-install the software."},
        {"Config.dat of section lines only",
         [](ProgramFolder& f) { WritePlainRecordFile(f.path() / "Config.dat", {"[SponsorInfo]", "[InputLimits]"}); },
         "Error with config.dat file: it holds no settings. Please re-install the software."},
        {"empty english.txt",
         [](ProgramFolder& f) {
             f.writeConfig(kUnsponsoredConfig);
             f.writeFile("english.txt", "");
         },
         "english.txt cannot be used: it is empty. Please re-install the software."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StartUp startUp;
        c.damage(startUp.folder);
        EXPECT_FALSE(startUp.load());
        ASSERT_EQ(startUp.reporter.reports.size(), 1u);
        EXPECT_EQ(startUp.reporter.reports[0].text, c.message);
        EXPECT_FALSE(startUp.window->isVisible());
        EXPECT_TRUE(startUp.starts.empty());
    }
}

TEST(StartWindow, notSponsoredShowsTheProgramAlone)
{
    StartUp startUp;
    startUp.folder.writeConfig(kUnsponsoredConfig);
    startUp.folder.copyPicture("Welcome.jpg");
    ASSERT_TRUE(startUp.load());
    EXPECT_TRUE(startUp.reporter.reports.empty());
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
        std::vector<std::string> pictures;
        std::string logoPath;  // empty: the sponsor name as text
    };
    const Case cases[] = {
        {"English, no picture", "0", {}, ""},
        {"English, both pictures", "0", {"Welcome.jpg", "Welcome-French.jpg"}, "Welcome.jpg"},
        {"French, only the English picture", "1", {"Welcome.jpg"}, ""},
        {"French, both pictures", "1", {"Welcome.jpg", "Welcome-French.jpg"}, "Welcome-French.jpg"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartUp startUp;
        startUp.folder.writeConfig(kSponsoredConfig, {{"PrevLanguage", c.prevLanguage}});
        for (const std::string& picture : c.pictures)
            startUp.folder.copyPicture(picture);
        ASSERT_TRUE(startUp.load());
        EXPECT_TRUE(startUp.reporter.reports.empty());
        StartWindow& w = *startUp.window;
        EXPECT_EQ(startUp.settings.sponsorInfo.logoPath, c.logoPath);
        EXPECT_TRUE(startUp.shows(w.lblComplimentsOf));
        if (c.logoPath.empty()) {
            EXPECT_EQ(w.lblComplimentsOf->text(), "Compliments of");
            EXPECT_TRUE(startUp.shows(w.lblWelcomeText));
            EXPECT_EQ(w.lblWelcomeText->text(), "Northgate Wealth Partners");
            EXPECT_FALSE(startUp.shows(w.picSponsorLogo));
        } else {
            EXPECT_EQ(w.lblComplimentsOf->text(), "Presented by");
            EXPECT_FALSE(startUp.shows(w.lblWelcomeText));
            EXPECT_TRUE(startUp.shows(w.picSponsorLogo));
            EXPECT_EQ(w.picSponsorLogo->pixmap().size(), QSize(560, 200).scaled(480, 1000, Qt::KeepAspectRatio));
        }
    }
}

TEST(StartWindow, welcomePictureThatWillNotLoadLeavesTheNameAsText)
{
    StartUp startUp;
    startUp.folder.writeConfig(kSponsoredConfig);
    startUp.folder.writeFile("Welcome.jpg", "not a picture");
    ASSERT_TRUE(startUp.load());
    EXPECT_TRUE(startUp.shows(startUp.window->lblWelcomeText));
    EXPECT_EQ(startUp.window->lblComplimentsOf->text(), "Compliments of");
    EXPECT_FALSE(startUp.shows(startUp.window->picSponsorLogo));
}

TEST(StartWindow, missingPrevLanguageIsReportedOnceAndStartsInEnglish)
{
    StartUp startUp;
    startUp.folder.writeConfig(kUnsponsoredConfig, {{"PrevLanguage", std::nullopt}});
    ASSERT_TRUE(startUp.load());
    ASSERT_EQ(startUp.reporter.reports.size(), 1u);
    EXPECT_EQ(startUp.reporter.reports[0].text.rfind("PrevLanguage not found in the config file", 0), 0u)
        << startUp.reporter.reports[0].text;
    EXPECT_EQ(startUp.settings.CurrentLanguage, English);
    EXPECT_TRUE(startUp.window->cmdStart_English->isDefault());
}

TEST(StartWindow, enterStartsInThePreviousLanguageAndEscapeLeaves)
{
    {
        StartUp startUp;
        startUp.folder.writeConfig(kUnsponsoredConfig, {{"PrevLanguage", "1"}});
        ASSERT_TRUE(startUp.load());
        EXPECT_TRUE(startUp.window->cmdStart_French->isDefault());
        startUp.window->show();
        QTest::keyClick(startUp.window.get(), Qt::Key_Return);
        EXPECT_EQ(startUp.starts, std::vector<int>{French});
        EXPECT_FALSE(startUp.window->isVisible());
        EXPECT_EQ(startUp.window->result(), QDialog::Accepted);
    }
    {
        StartUp startUp;
        startUp.folder.writeConfig(kUnsponsoredConfig);
        ASSERT_TRUE(startUp.load());
        startUp.window->show();
        QTest::keyClick(startUp.window.get(), Qt::Key_Escape);
        EXPECT_TRUE(startUp.starts.empty());
        EXPECT_FALSE(startUp.window->isVisible());
        EXPECT_EQ(startUp.window->result(), QDialog::Rejected);
    }
}

TEST(StartWindow, startButtonsChooseTheLanguageOfTheRun)
{
    for (int language : {English, French}) {
        SCOPED_TRACE(language);
        StartUp startUp;
        startUp.folder.writeConfig(kUnsponsoredConfig, {{"PrevLanguage", language == English ? "1" : "0"}});
        ASSERT_TRUE(startUp.load());
        startUp.window->show();
        (language == English ? startUp.window->cmdStart_English : startUp.window->cmdStart_French)->click();
        EXPECT_EQ(startUp.starts, std::vector<int>{language});
        EXPECT_EQ(startUp.settings.CurrentLanguage, language);
        EXPECT_FALSE(startUp.window->isVisible());
    }
}

TEST(StartWindow, disclaimerIsTheCaptionOfThePreviousLanguage)
{
    StartUp startUp;
    startUp.folder.writeConfig(kUnsponsoredConfig, {{"PrevLanguage", "1"}});
    ASSERT_TRUE(startUp.load());
    startUp.window->cmdDisclaimer->click();
    ASSERT_EQ(startUp.messages.messages.size(), 1u);
    const auto& box = startUp.messages.messages[0];
    EXPECT_EQ(box.kind, "warning");
    EXPECT_EQ(box.title.toStdString(), GetCaption(startUp.settings.captions, "DisclaimerTitle", French));
    QString expected = QString::fromStdString(GetDisclaimerText(startUp.settings.captions, French));
    expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    EXPECT_EQ(box.text, expected);
    EXPECT_TRUE(box.text.contains(QStringLiteral("\n\n")));
    EXPECT_FALSE(box.text.contains(QLatin1Char('\r')));
    EXPECT_TRUE(startUp.starts.empty());
}

// The program's own wiring: the start window, then the main window in the
// language of the button.
TEST(Program, frenchAfterAnEnglishStartUpOpensTheMainWindowInFrench)
{
    ProgramFolder folder;
    folder.copyCaptions();
    folder.writeConfig(kUnsponsoredConfig);
    RecordingReporter reporter;
    RecordingMessages messages;
    Program program(folder.path(), testInfo(), {&messages, &reporter});
    ASSERT_TRUE(program.start());
    StartWindow& start = *program.startWindow();
    EXPECT_TRUE(start.isVisible());
    EXPECT_EQ(program.settings().CurrentLanguage, English);
    EXPECT_EQ(program.mainWindow(), nullptr);
    const auto before = textsOf(start);

    start.cmdStart_French->click();
    MainWindow* window = program.mainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(start.isVisible());
    EXPECT_EQ(textsOf(start), before);
    EXPECT_EQ(start.prbLoadingProgress->value(), 100);
    EXPECT_EQ(program.settings().CurrentLanguage, French);
    EXPECT_EQ(program.captions().language(), French);

    const CaptionTables& tables = program.settings().captions;
    ASSERT_NE(GetCaption(tables, "mnuFile", French), GetCaption(tables, "mnuFile", English));
    EXPECT_EQ(window->mnuFile->title().toStdString(), GetCaption(tables, "mnuFile", French));
    EXPECT_EQ(window->windowTitle().toStdString(), BuildWindowTitle(program.settings()));
    EXPECT_TRUE(reporter.reports.empty());

    emit window->aboutRequested();
    ASSERT_NE(program.aboutBox(), nullptr);
    EXPECT_TRUE(program.aboutBox()->isVisible());
    EXPECT_EQ(program.aboutBox()->windowTitle().toStdString(), GetCaption(tables, "frmAbout", French));

    program.applyLanguage(English);
    EXPECT_EQ(program.aboutBox()->windowTitle().toStdString(), GetCaption(tables, "frmAbout", English));
    EXPECT_EQ(window->mnuFile->title().toStdString(), GetCaption(tables, "mnuFile", English));
    EXPECT_EQ(textsOf(start), before);
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
