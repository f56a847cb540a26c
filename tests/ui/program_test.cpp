// The program's wiring on a real data folder: the setup dialog and the main
// window, auto-calculation and the print source, and a Save Defaults round
// trip through User.dat.
#include "golden.h"
#include "window_test.h"

#include "reports_settings.h"

namespace gw::test {
namespace {

class ProgramTest : public ::testing::Test {
protected:
    ProgramOnData data;
    MainWindow* window = nullptr;

    Program& program() { return *data.program; }
    ProgramSetup& setup() { return *program().setupDialog(); }
    void start(int language) { window = &data.start(language); }
    // The setup dialog opened from the menu on `tab`; `steps` run while it
    // shows and must close it.
    void inSetup(int tab, std::function<void()> steps)
    {
        whenShown(&setup(), std::move(steps));
        window->mnuSetupItem[std::size_t(tab)]->trigger();
    }
};

// The shipped tax settings as the dialog shows them on each tab (rates
// stored as fractions show as per cent, and are used so: 0.201 as 20.1),
// then with the federal deduction limited, are a golden file.
TEST_F(ProgramTest, setupOkHandsTheTaxSettingsOnAndCancelPutsBackWhatItShowed)
{
    start(English);
    std::string shown;
    for (int tab = 1; tab <= 3; ++tab) {
        setup().selectTab(tab);
        shown += "== tab " + std::to_string(tab) + "\n" + dumpShown(setup());
    }
    EXPECT_EQ(window->currentInputs().taxTable[0].interestRate, 20.1);
    QLineEdit& inclusion = *setup().txtCapGainsInclusionRate;
    const auto limitedInputsShown = [this] { return window->inputs().cmbInvestmentType->isVisibleTo(window); };
    EXPECT_FALSE(limitedInputsShown());
    QSignalSpy analyses(window, &MainWindow::analysisCompleted);

    inSetup(2, [&] {
        EXPECT_EQ(setup().currentTab(), 2);
        setup().deduction[0].optLimitedDeduct->click();
        setup().deduction[0].cmbIncludeCapGains->setCurrentIndex(1);
        inclusion.setText(QStringLiteral("75.0"));
        // Enter in a cell presses OK without leaving the cell: OK checks it,
        // and the repair keeps the dialog open on the cell; OK again closes it.
        typeInto(setup().txtTaxOnInterest[1], "150");
        QTest::keyClick(setup().txtTaxOnInterest[1], Qt::Key_Return);
        EXPECT_TRUE(setup().isVisible());
        EXPECT_EQ(setup().currentTab(), 1);
        setup().selectTab(2);
        setup().cmdOk->click();
    });
    EXPECT_FALSE(setup().isVisible());
    const AnalysisInputs taken = window->currentInputs();
    EXPECT_TRUE(taken.fedLimited);
    EXPECT_FALSE(taken.fedIncludeCG);
    EXPECT_EQ(taken.capGainsInclusionRate, 75);
    EXPECT_EQ(taken.taxTable[1].interestRate, 29.7);
    EXPECT_TRUE(limitedInputsShown());
    EXPECT_EQ(analyses.count(), 1);
    ExpectGolden(shown + "== federal deduction limited\n" + dumpShown(setup()), "ui/golden/setup-dialog.txt");

    // Escape puts back what the dialog showed, the language chosen too.
    inSetup(1, [&] {
        EXPECT_EQ(setup().currentTab(), 1);
        enter(&inclusion, QStringLiteral("90"));
        setup().deduction[0].optPercentDeduct->click();
        setup().deduction[0].cmbIncludeCapGains->setCurrentIndex(0);
        setup().cboLanguages->setCurrentIndex(French);
        QTest::keyClick(&setup(), Qt::Key_Escape);
    });
    EXPECT_EQ(inclusion.text(), "75.0");
    EXPECT_TRUE(setup().deduction[0].optLimitedDeduct->isChecked());
    EXPECT_EQ(window->currentInputs(), taken);
    EXPECT_TRUE(limitedInputsShown());
    EXPECT_EQ(analyses.count(), 2);
    inSetup(3, [&] { setup().cmdOk->click(); });
    EXPECT_EQ(program().settings().CurrentLanguage, English);
    EXPECT_EQ(data.messages.count("critical"), 0) << data.messages.take();
}

TEST_F(ProgramTest, autoCalculationOffCoversTheResultsAndThePrintSourceHasNone)
{
    start(English);
    window->lstStrategyList->setCurrentRow(1);
    PrintSource source = program().printSource();
    EXPECT_EQ(source.strategy, Strategy::TermLoan);
    EXPECT_EQ(source.results, &*window->resultsOf(Strategy::TermLoan));

    // Auto-calculation off: the results are covered, the fields may change
    // and nothing runs until it is on again.
    QSignalSpy analyses(window, &MainWindow::analysisCompleted);
    window->cmdAutoCalc->click();
    enter(window->inputs().txtLoanAmount, QStringLiteral("250000"));
    EXPECT_TRUE(window->picHideResults->isVisibleTo(window));
    EXPECT_EQ(program().printSource().results, nullptr);
    EXPECT_EQ(analyses.count(), 0);

    window->cmdAutoCalc->click();
    EXPECT_EQ(analyses.count(), 1);
    EXPECT_FALSE(window->picHideResults->isVisibleTo(window));
    source = program().printSource();
    ASSERT_NE(source.results, nullptr);
    EXPECT_EQ(std::get<TermResults>(*source.results).loan_amount, 250000);
}

TEST_F(ProgramTest, saveDefaultsRoundTripsTheWindowsAndTheLanguage)
{
    start(English);
    const std::filesystem::path userFile = data.folder() / "User.dat";

    // No: nothing is written.
    data.messages.answers.push_back(false);
    window->mnuSaveDefaults->trigger();
    EXPECT_FALSE(std::filesystem::exists(userFile));

    inSetup(1, [&] {
        ProgramSetup& s = setup();
        enter(s.txtStartOfTaxBracket[1], QStringLiteral("60000"));
        enter(s.txtTaxOnInterest[1], QStringLiteral("31.5"));
        enter(s.txtCapGainsInclusionRate, QStringLiteral("67"));
        s.deduction[1].optLimitedDeduct->click();
        s.deduction[1].cmbIncludeCapGains->setCurrentIndex(1);
        s.selectTab(3);
        s.cboLanguages->setCurrentIndex(French);
        s.cmdOk->click();
    });
    ASSERT_EQ(program().settings().CurrentLanguage, French);
    enter(window->inputs().txtLoanAmount, QStringLiteral("150000"));

    PrintOptions& print = *program().printDialog();
    print.txtAdvisorName->setText(QStringLiteral("Alex Martin"));
    print.chkPrint[1]->click();
    const PrintDefaults printed = print.currentDefaults();
    ASSERT_FALSE(printed.values.flag(Setting::PrintProjection));
    const SettingValues saved = setup().values();
    const AnalysisInputs inputs = window->currentInputs();

    data.messages.messages.clear();
    window->mnuSaveDefaults->trigger();
    ASSERT_EQ(data.messages.count("question"), 1);
    EXPECT_EQ(data.messages.messages[0].title.toStdString(),
              GetCaption(program().settings().captions, "SaveDefaultsTitle", French));
    EXPECT_TRUE(data.reporter.texts.empty()) << data.reporter.texts.front();

    // The next run starts in the language saved, on the windows as they were.
    Program& next = data.restart();
    ASSERT_TRUE(next.start());
    QTest::keyClick(next.startWindow(), Qt::Key_Return);
    ASSERT_NE(next.mainWindow(), nullptr);
    EXPECT_TRUE(data.reporter.texts.empty()) << data.reporter.texts.front();
    EXPECT_EQ(next.settings().CurrentLanguage, French);
    EXPECT_EQ(next.mainWindow()->currentInputs(), inputs);
    for (const Setting s : ProgramSetup::editedSettings())
        EXPECT_EQ(next.setupDialog()->values()[s], saved[s]) << Row(s).key;
    const PrintDefaults readPrint = next.printDialog()->currentDefaults();
    for (const Setting s : kPrintSettings)
        EXPECT_EQ(readPrint.values.flag(s), printed.values.flag(s)) << Row(s).key;
    EXPECT_EQ(readPrint.advisor.name, "Alex Martin");
    // The file holds rates as fractions.
    EXPECT_EQ(GetSettingValue("Interest Tax Rate 2 (%)", next.settings().UserLines), "0.315");
}

} // namespace
} // namespace gw::test
