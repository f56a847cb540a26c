// The start-up on data folders built from the shipped sources: damaged data
// files, the sponsor on the start window and in the About box, the language
// of the run, the disclaimers; one case runs the built program itself.
#include "golden.h"
#include "window_test.h"

namespace gw::test {
namespace {

namespace fs = std::filesystem;

const fs::path kFixtures = GEARWISE_UI_FIXTURES;
const fs::path kSponsoredConfig = kSourceDir / "tests" / "settings" / "fixtures" / "sponsored-config.src.txt";

// A damaged data file is said in one message naming it; then the program
// ends, or falls back and shows figures of legal values.
TEST(StartUp, damagedDataFilesAreSaidOnceThenTheProgramEndsOrFallsBack)
{
    const std::string big(kMaxCaptionFileBytes + 1, 'x');
    // `file` is written with `bytes` ("sections": a Config.dat of section
    // lines only); a "-" before its name removes it.
    const struct {
        std::string file, bytes;
        ConfigEdits edits;
        const char* said;
        bool ends;
    } cases[] = {
        {"-Config.dat", "", {}, "Error with config.dat file", true},
        {"Config.dat", "", {}, "Error with config.dat file: it is empty. Please re-install the software.", true},
        {"Config.dat", "sections", {}, "Error with config.dat file: it holds no settings. Please re-install the software.", true},
        {"Config.dat", big, {}, "Error with config.dat file", true},
        {"english.txt", "", {}, "english.txt cannot be used: it is empty. Please re-install the software.", true},
        {"french.txt", big, {}, "french.txt cannot be used", true},
        {"User.dat", "", {}, "Error: User.dat could not be read (it is empty)", false},
        {"User.dat", big, {}, "User.dat could not be read", false},
        {"", "", {{"PrevLanguage", std::nullopt}}, "PrevLanguage not found in the config file", false},
        {"", "", {{"Maximum Return Allowed", "1e308"}, {"Minimum Interest Rate Allowed", "-1e308"}},
         "Config.dat, \"Maximum Return Allowed\": 1e+308 becomes 1000.", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file + " " + c.said);
        ProgramOnData data(c.edits);
        if (c.file.starts_with('-'))
            fs::remove(data.folder() / c.file.substr(1));
        else if (c.bytes == "sections")
            WritePlainRecordFile(data.folder() / c.file, {"[SponsorInfo]", "[InputLimits]"});
        else if (!c.file.empty())
            data.writeFile(c.file, c.bytes);
        Program& program = data.restart();
        ASSERT_EQ(program.start(), !c.ends);
        if (!c.ends)
            QTest::keyClick(program.startWindow(), Qt::Key_Return);
        ASSERT_EQ(data.reporter.texts.size(), 1u);
        EXPECT_NE(data.reporter.texts[0].find(c.said), std::string::npos) << data.reporter.texts[0];
        ASSERT_EQ(program.mainWindow() == nullptr, c.ends);
        if (c.ends) {
            EXPECT_TRUE(!program.startWindow() || !program.startWindow()->isVisible());
            continue;
        }
        MainWindow& window = *program.mainWindow();
        EXPECT_EQ(program.settings().CurrentLanguage, English);
        EXPECT_EQ(window.inputs().txtLoanAmount->text(), "$100,000");
        for (UpDown* spinner : window.findChildren<UpDown*>()) {
            if (spinner->window() == &window) {
                EXPECT_TRUE(spinner->min() < spinner->value() && spinner->value() < spinner->max())
                    << spinner->objectName().toStdString();
            }
        }
        EXPECT_TRUE(window.lastResults().has_value());
        EXPECT_EQ(data.messages.count("critical"), 0);
    }
}

TEST(StartUp, builtProgramWithoutConfigEndsWithAnErrorStatus)
{
    QTemporaryDir folder;
    const QString program = folder.filePath(QStringLiteral("gearwise-planner"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(GEARWISE_PLANNER_PATH), program));
    QProcess process;
    process.setEnvironment(QProcess::systemEnvironment() << "QT_QPA_PLATFORM=offscreen" << "GEARWISE_NONINTERACTIVE=1");
    process.setWorkingDirectory(folder.path());
    process.start(program, {});
    ASSERT_TRUE(process.waitForFinished(60000)) << "the program did not end";
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_NE(process.exitCode(), 0);
    EXPECT_TRUE(process.readAllStandardError().contains("Error with config.dat file"));
}

// The sponsor shows as a picture of the previous language when there is one
// that loads, else by name, on the start window and in the About box (a
// golden file). Enter starts in the language of the previous run, Escape
// leaves, the buttons start in theirs. The start window's disclaimer is in
// the previous language, the About box's in the language of the run.
TEST(StartUp, sponsorLanguageOfTheRunAndDisclaimers)
{
    const struct {
        bool sponsored;
        Language previous;
        std::vector<std::string> pictures;  // "!" before a name: a file that is no picture
        const char* action;                 // a key or a start button
        int language;                       // -1: no run
    } cases[] = {
        {false, English, {"Welcome.jpg"}, "Enter", English},
        {true, English, {}, "Escape", -1},
        {true, English, {"Welcome.jpg", "Welcome-French.jpg"}, "French", French},
        {true, English, {"!Welcome.jpg"}, "Enter", English},
        {true, French, {"Welcome.jpg"}, "English", English},
        {true, French, {"Welcome.jpg", "Welcome-French.jpg"}, "Enter", French},
    };
    std::string shown;
    for (const auto& c : cases) {
        const ConfigEdits previous{{"PrevLanguage", std::to_string(c.previous)}};
        ProgramOnData data(previous);
        if (c.sponsored)
            WritePlainRecordFile(data.folder() / "Config.dat", EditedSettingLines(PlainLines(kSponsoredConfig), previous));
        std::string name = (c.sponsored ? "sponsored" : "not sponsored") + std::string(", previous language ") +
                           std::to_string(c.previous) + ", " + c.action;
        for (const std::string& picture : c.pictures) {
            name += ", " + picture;
            if (picture[0] == '!')
                data.writeFile(picture.substr(1), "not a picture");
            else
                fs::copy_file(kFixtures / picture, data.folder() / picture);
        }
        SCOPED_TRACE(name);
        Program& program = data.restart();
        ASSERT_TRUE(program.start());
        StartWindow& start = *program.startWindow();
        shown += "== " + name + "\nlogo: " + program.settings().sponsorInfo.logoPath + "\n" + dumpShown(start);
        start.cmdDisclaimer->click();
        const std::string action = c.action;
        if (action == "English" || action == "French")
            (action == "English" ? start.cmdStart_English : start.cmdStart_French)->click();
        else
            QTest::keyClick(&start, action == "Enter" ? Qt::Key_Return : Qt::Key_Escape);
        EXPECT_FALSE(start.isVisible());
        ASSERT_EQ(program.mainWindow() != nullptr, c.language >= 0);
        std::vector<Language> disclaimers{c.previous};
        const CaptionTables& captions = program.settings().captions;
        if (c.language >= 0) {
            EXPECT_EQ(program.settings().CurrentLanguage, c.language);
            program.mainWindow()->mnuAboutSoftware->trigger();
            AboutBox& about = *program.aboutBox();
            shown += dumpShown(about);
            // The frame makes room for the whole picture.
            EXPECT_GE(about.fraSponsorLogo->height(), about.picSponsorLogo->pixmap().height());
            about.cmdDisclaimer->click();
            disclaimers.push_back(Language(c.language));
        }
        ASSERT_EQ(data.messages.messages.size(), disclaimers.size());
        for (std::size_t i = 0; i < disclaimers.size(); ++i) {
            const auto& box = data.messages.messages[i];
            EXPECT_EQ(box.title.toStdString(), GetCaption(captions, "DisclaimerTitle", disclaimers[i]));
            EXPECT_EQ(box.text, QString::fromStdString(GetDisclaimerText(captions, disclaimers[i])).replace("\r\n", "\n"));
            EXPECT_TRUE(box.kind == "warning" && box.text.contains("\n\n"));
        }
        EXPECT_TRUE(data.reporter.texts.empty()) << data.reporter.texts.front();
    }
    ExpectGolden(shown, "ui/golden/sponsor.txt");
}

} // namespace
} // namespace gw::test
