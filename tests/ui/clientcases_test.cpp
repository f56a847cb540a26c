// Client cases in the program: save and reopen, refused files, failed saves,
// the unsaved-changes question, the recent cases and the title.
#include "window_test.h"

#include "textfile.h"

namespace gw::test {
namespace {

// Everything a case shapes, as the windows hold it.
struct WindowState {
    Strategy strategy = Strategy::InterestOnly;
    SettingValues main, setup;
    QString client;
    std::string note;
    bool operator==(const WindowState&) const = default;
};

// Public: the tables of changes reach in through a reference.
class ClientCasesTest : public ::testing::Test {
public:
    ProgramOnData data;
    MainWindow* window = nullptr;

    ClientCasesTest() { QApplication::setQuitOnLastWindowClosed(false); }
    ~ClientCasesTest() override { QApplication::setQuitOnLastWindowClosed(true); }

    Program& program() { return *data.program; }
    ClientCases& cases() { return *program().cases(); }
    ProgramSetup& setup() { return *program().setupDialog(); }
    InputPanel& inputs() { return window->inputs(); }
    MainWindow& start(int language = English) { return *(window = &data.start(language)); }
    std::filesystem::path file(const std::string& name) const { return data.folder() / name; }

    WindowState state()
    {
        WindowState s;
        s.strategy = window->strategy();
        window->storeValues(s.main);
        setup().storeValues(s.setup);
        s.client = program().printDialog()->txtName->text();
        s.note = cases().note();
        return s;
    }
    // Answers the next file dialog with `path`, then runs `entry`.
    void choose(const std::filesystem::path& path, QAction* entry)
    {
        data.caseFiles.answers.push_back(QString::fromStdString(path.string()));
        entry->trigger();
    }
    void setupOk(const std::function<void()>& edit)
    {
        edit();
        setup().accept();
    }
    // A change in every window a case draws on.
    void changeEverything()
    {
        window->lstStrategyList->setCurrentRow(Index(Strategy::TermLoan));
        enter(inputs().txtLoanAmount, "150000");
        enter(inputs().txtTaxRate, "45.5");
        enter(inputs().txtReturn[1], "6.5");
        enter(inputs().txtSavingsPeriod, "15");
        enter(inputs().timesLoanRepeatedBox(), "2");
        inputs().optDividends->click();
        inputs().cmbInvestmentType->setCurrentIndex(1);
        setupOk([this] {
            setup().txtTaxOnInterest[2]->setText("44.5");
            setup().deduction[1].optLimitedDeduct->click();
        });
        enter(inputs().txtOtherUnlevInvest, "20000");
        program().printDialog()->txtName->setText("Jane Smith / Dupont");
        cases().setNote("Met on 6 December.\nWants a second look at the RRSP loan.");
    }
};

TEST_F(ClientCasesTest, aSavedCaseReopensInAFreshProgramWithEveryControlAndTheSameFigures)
{
    for (Language language : {English, French}) {
        SCOPED_TRACE(language == French ? "French" : "English");
        start(language);
        const WindowState started = state();
        changeEverything();
        ASSERT_TRUE(window->isWindowModified());
        const WindowState saved = state();
        ASSERT_NE(saved, started);
        const AnalysisResults results = *window->lastResults();

        // The dialog suggests the client's name; the extension is added.
        choose(file("Smith"), cases().menu().mnuSaveCaseAs);
        EXPECT_TRUE(data.caseFiles.suggested.endsWith("/Jane Smith - Dupont.gwcase")) << data.caseFiles.suggested.toStdString();
        ASSERT_TRUE(std::filesystem::exists(file("Smith.gwcase")));
        EXPECT_FALSE(window->isWindowModified());
        EXPECT_TRUE(window->windowTitle().startsWith("Smith.gwcase[*] - Gearwise Planner"));

        start(language);
        EXPECT_EQ(state(), started);
        choose(file("Smith.gwcase"), cases().menu().mnuOpenCase);
        EXPECT_EQ(data.messages.take(), "");
        EXPECT_EQ(state(), saved);
        ASSERT_TRUE(window->lastResults().has_value());
        EXPECT_TRUE(*window->lastResults() == results);
        EXPECT_FALSE(window->isWindowModified());
        EXPECT_EQ(cases().path(), file("Smith.gwcase"));

        // New Case brings back what the program started with; the defaults
        // were never written.
        cases().menu().mnuNewCase->trigger();
        EXPECT_EQ(state(), started);
        EXPECT_TRUE(window->windowTitle().startsWith(language == French ? "Sans titre[*] - " : "Untitled[*] - "));
        EXPECT_FALSE(std::filesystem::exists(data.folder() / "User.dat"));
        std::filesystem::remove(file("Smith.gwcase"));
    }
}

std::string replaced(std::string text, const std::string& from, const std::string& to)
{
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

TEST_F(ClientCasesTest, refusedCasesAreNamedInTheirMessageAndLeaveTheWindowAsItWas)
{
    start();
    changeEverything();
    ASSERT_TRUE(cases().saveTo(file("good.gwcase")));
    enter(inputs().txtTaxRate, "30");
    ASSERT_TRUE(cases().saveTo(file("good.gwcase")));
    const std::string good = WriteCaseJson(cases().current());
    const struct {
        const char* name;
        std::string bytes;
        const char* says;  // a part of the message
    } rows[] = {
        {"truncated", good.substr(0, good.size() / 2), "damaged"},
        {"not JSON", "Jane Smith, 150000 at 7 %\n", "damaged"},
        {"newer version", replaced(good, "\"version\": 1", "\"version\": 7"), "case version 7"},
        {"out of range", replaced(good, "\"Tax Rate (%)\": 30", "\"Tax Rate (%)\": 150"), "Tax Rate (%)” must be a number from 0 to 99"},
    };
    const WindowState before = state();
    const AnalysisResults results = *window->lastResults();
    const QString title = window->windowTitle();
    const ProgramSettings& settings = program().settings();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::filesystem::path path = file(std::string(row.name) + ".gwcase");
        data.writeFile(path.filename().string(), row.bytes);
        data.messages.messages.clear();
        choose(path, cases().menu().mnuOpenCase);
        ASSERT_EQ(data.messages.count("critical"), 1);
        const QString text = data.messages.messages.front().text;
        EXPECT_EQ(text.toStdString(), CaseErrorMessage(LoadCaseFile(path, settings.values).error, path,
                                                       settings.captions, English));
        EXPECT_TRUE(text.contains(QString::fromStdString(path.string())));
        EXPECT_TRUE(text.contains(QString::fromUtf8(row.says))) << text.toStdString();
        EXPECT_EQ(state(), before);
        EXPECT_TRUE(*window->lastResults() == results);
        EXPECT_EQ(window->windowTitle(), title);
        EXPECT_EQ(cases().path(), file("good.gwcase"));
        EXPECT_FALSE(window->isWindowModified());
    }
}

TEST_F(ClientCasesTest, aSaveThatFailsKeepsThePreviousFileAndTheChanges)
{
    start();
    const std::filesystem::path path = file("client.gwcase");
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    data.caseFiles.answers.push_back(QString::fromStdString(path.string()));
    QTest::keyClick(window, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    std::string previous;
    ASSERT_TRUE(ReadFileBytes(path, previous));
    enter(inputs().txtTaxRate, "45.5");
    ASSERT_TRUE(window->isWindowModified());

    // The temporary file cannot be made (a folder holds its name); then a
    // folder that is not there.
    std::filesystem::create_directories(file("client.gwcase.tmp") / "busy");
    data.messages.messages.clear();
    cases().menu().mnuSaveCase->trigger();
    choose(file("no such folder") / "client.gwcase", cases().menu().mnuSaveCaseAs);
    ASSERT_EQ(data.messages.count("critical"), 2);
    EXPECT_TRUE(data.messages.messages[0].text.startsWith("The client case " + QString::fromStdString(path.string()) +
                                                          " could not be saved: "));
    EXPECT_TRUE(data.messages.messages[1].text.contains("no such folder"));
    std::string now;
    ASSERT_TRUE(ReadFileBytes(path, now));
    EXPECT_EQ(now, previous);
    EXPECT_EQ(cases().path(), path);
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_EQ(inputs().txtTaxRate->text(), "45.5");
}

TEST_F(ClientCasesTest, theUnsavedChangesQuestionComesExactlyWhenSomethingChanged)
{
    const struct {
        const char* change;
        std::function<void(ClientCasesTest&)> make;
        bool asked;
    } rows[] = {
        {"nothing", [](ClientCasesTest&) {}, false},
        {"a field", [](ClientCasesTest& t) { enter(t.inputs().txtTaxRate, "45.5"); }, true},
        {"a field typed back",
         [](ClientCasesTest& t) {
             const QString was = t.inputs().txtTaxRate->text();
             enter(t.inputs().txtTaxRate, "45.5");
             enter(t.inputs().txtTaxRate, was);
         },
         false},
        {"a field, with the analysis off",
         [](ClientCasesTest& t) {
             t.window->cmdAutoCalc->click();
             enter(t.inputs().txtSavingsPeriod, "12");
         },
         true},
        {"the strategy", [](ClientCasesTest& t) { t.window->lstStrategyList->setCurrentRow(Index(Strategy::RRSP)); }, true},
        {"the advanced details' mix", [](ClientCasesTest& t) { t.inputs().optInterest->click(); }, true},
        {"a setup value", [](ClientCasesTest& t) { t.setupOk([&t] { t.setup().txtTaxOnInterest[0]->setText("25.0"); }); }, true},
        {"the Prepared-for name", [](ClientCasesTest& t) { t.program().printDialog()->txtName->setText("Jane"); }, true},
        {"the note", [](ClientCasesTest& t) { t.cases().setNote("Call back in May."); }, true},
        {"the note cleared again",
         [](ClientCasesTest& t) {
             t.cases().setNote("Call back in May.");
             t.cases().setNote("");
         },
         false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.change);
        start();
        row.make(*this);
        const WindowState changed = state();
        data.messages.messages.clear();
        // Unanswered, the question is cancelled: New Case does nothing.
        cases().menu().mnuNewCase->trigger();
        EXPECT_EQ(data.messages.count("unsaved"), row.asked ? 1 : 0);
        EXPECT_EQ(state(), changed);
        EXPECT_EQ(window->isWindowModified(), row.asked);
    }
}

TEST_F(ClientCasesTest, cancelKeepsTheWindowDiscardGoesOnAndSaveSavesFirst)
{
    using Choice = MessageService::SaveChoice;
    const std::filesystem::path path = file("Smith.gwcase");
    const struct {
        const char* answer;
        std::vector<Choice> choices;
        bool fileGiven;
        bool closed;
        bool saved;
    } rows[] = {
        {"Cancel", {Choice::Cancel}, false, false, false},
        {"Save, then cancel the file", {Choice::Save}, false, false, false},
        {"Discard", {Choice::Discard}, false, true, false},
        {"Save", {Choice::Save}, true, true, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.answer);
        std::filesystem::remove(path);
        start();
        enter(inputs().txtTaxRate, "45.5");
        data.messages.choices.assign(row.choices.begin(), row.choices.end());
        if (row.fileGiven)
            data.caseFiles.answers.push_back(QString::fromStdString(path.string()));
        EXPECT_EQ(window->close(), row.closed);
        EXPECT_EQ(window->isVisible(), !row.closed);
        EXPECT_EQ(data.messages.count("unsaved"), 1);
        data.messages.messages.clear();
        ASSERT_EQ(std::filesystem::exists(path), row.saved);
        if (row.saved) {
            EXPECT_EQ(LoadCaseFile(path, program().settings().values).clientCase->values[Setting::TaxRate], 45.5);
        }
    }
    // Opening another case asks too.
    enter(inputs().txtTaxRate, "40");
    data.messages.choices = {Choice::Discard};
    choose(path, cases().menu().mnuOpenCase);
    EXPECT_EQ(data.messages.count("unsaved"), 1);
    EXPECT_EQ(inputs().txtTaxRate->text(), "45.5");
}

TEST_F(ClientCasesTest, recentCasesAreKeptAcrossRunsMostRecentFirstAndAMissingOneIsDropped)
{
    start();
    const QString startRate = inputs().txtTaxRate->text();
    ASSERT_FALSE(cases().menu().mnuRecentCases->isEnabled());
    const std::filesystem::path a = file("A & B.gwcase"), b = file("C.gwcase");
    ASSERT_TRUE(cases().saveTo(a));
    enter(inputs().txtTaxRate, "45.5");
    ASSERT_TRUE(cases().saveTo(b));
    ASSERT_TRUE(cases().open(a));
    EXPECT_EQ(cases().recent(), (std::vector<std::filesystem::path>{a, b}));
    for (int extra = 0; extra < CaseMenu::kMostRecent; ++extra)
        ASSERT_TRUE(cases().saveTo(file("extra" + std::to_string(extra) + ".gwcase")));
    ASSERT_TRUE(cases().open(a));
    ASSERT_TRUE(cases().open(b));

    start();
    const QList<QAction*> entries = cases().menu().mnuRecentCases->actions();
    ASSERT_EQ(entries.size(), CaseMenu::kMostRecent);
    EXPECT_EQ(entries[0]->text().toStdString(), "&1 " + b.string());
    EXPECT_EQ(entries[1]->text().toStdString(), "&2 " + replaced(a.string(), "&", "&&"));
    entries[1]->trigger();
    EXPECT_EQ(cases().path(), a);
    EXPECT_EQ(inputs().txtTaxRate->text(), startRate);

    std::filesystem::remove(b);
    data.messages.messages.clear();
    cases().menu().mnuRecentCases->actions()[1]->trigger();
    EXPECT_EQ(data.messages.take(), "Gearwise Planner: The client case " + b.string() +
                                        " is no longer there. It has been taken off the recent cases.");
    EXPECT_EQ(cases().path(), a);
    EXPECT_EQ(cases().recent().size(), std::size_t(CaseMenu::kMostRecent - 1));
    EXPECT_EQ(cases().menu().mnuRecentCases->actions().size(), CaseMenu::kMostRecent - 1);
}

// As `gearwise-planner FILE.gwcase` starts, for an installed program whose
// own files live in the user's configuration folder.
TEST_F(ClientCasesTest, aCaseNamedAtStartUpOpensWithTheMainWindowAndIsRememberedPerUser)
{
    start();
    changeEverything();
    const WindowState saved = state();
    ASSERT_TRUE(cases().saveTo(file("Named.gwcase")));

    data.userFolder = data.folder() / "config" / "gearwise";
    data.caseOnStart = file("Named.gwcase");
    start();
    EXPECT_EQ(state(), saved);
    EXPECT_EQ(cases().path(), file("Named.gwcase"));
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_EQ(test::readBytes(data.userFolder / "RecentCases.txt"), file("Named.gwcase").string() + "\n");

    // A case that cannot be read is told, and the window starts as usual.
    data.caseOnStart = file("Missing.gwcase");
    start();
    EXPECT_NE(data.messages.take().find("Missing.gwcase"), std::string::npos);
    EXPECT_TRUE(cases().path().empty());
}

TEST_F(ClientCasesTest, theNoteIsEditedInItsDialogAndCancelKeepsIt)
{
    start();
    for (const bool ok : {true, false}) {
        QTimer::singleShot(0, [ok] {
            QWidget* dialog = nullptr;
            ASSERT_TRUE(QTest::qWaitFor([&dialog] { return (dialog = QApplication::activeModalWidget()) != nullptr; }));
            child<QPlainTextEdit>(*dialog, "txtCaseNote")->setPlainText(ok ? "First meeting." : "Thrown away.");
            ok ? static_cast<QDialog*>(dialog)->accept() : static_cast<QDialog*>(dialog)->reject();
        });
        cases().menu().mnuCaseNote->trigger();
        EXPECT_EQ(cases().note(), "First meeting.");
    }
    EXPECT_TRUE(window->isWindowModified());
}

} // namespace
} // namespace gw::test
