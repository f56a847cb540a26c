// The main window on fakes: its analyses, strategies, pages, buttons, keys
// and requests.
#include "window_test.h"

#include "golden.h"

namespace gw::test {
namespace {

TEST_F(WindowTest, startUpRunsOneAnalysisOfTheDefaults)
{
    open();
    EXPECT_EQ(runner.types, std::vector<int>{0});
    EXPECT_TRUE(window->autoCalculate() && window->windowReady());
    EXPECT_FALSE(window->inputsChanged());
    EXPECT_EQ(texts({"txtLoanAmount", "txtTaxRate", "txtSavingsPeriod", "txtReturn0", "txtReturn2",
                     "txtProjectionReturn0", "txtProjectionReturn1"}),
              "$100,000 40 10 6.0 10.0 10.0 10.0");
    EXPECT_EQ(window->statusText(), "[stsbarPressF1]");
    // The conversion the command line shares; the dependent field aside.
    AnalysisInputs expected = InputsFrom(StartValues(setup.values));
    expected.annualInvestment = runner.inputs.front().annualInvestment;
    EXPECT_EQ(runner.inputs.front(), expected);
}

// Off, the results are covered and nothing runs; on again, one analysis of
// what was typed meanwhile; an update with nothing changed runs nothing.
TEST_F(WindowTest, autoCalculationOffCoversTheResultsAndRunsNothing)
{
    open();
    window->cmdAutoCalc->click();
    EXPECT_FALSE(window->autoCalculate());
    EXPECT_TRUE(shown("picHideResults"));
    EXPECT_EQ(window->cmdAutoCalc->text(), "[cmdAutoCalc_ON]");
    EXPECT_EQ(window->statusText(), "[stsbarAutoCalc]");
    enter("txtTaxRate", "45");
    enter("txtReturn0", "7");
    window->lstStrategyList->setCurrentRow(1);
    EXPECT_EQ(runner.runs, 1);
    EXPECT_EQ(window->lblCurrentStrategy->text(), "[lstStrategyList.listindex(1)] ");

    window->cmdAutoCalc->click();
    EXPECT_EQ(runner.types, (std::vector<int>{0, 1}));
    EXPECT_EQ(runner.inputs.back(), window->currentInputs());
    EXPECT_EQ(runner.inputs.back().taxRate, 45);
    EXPECT_FALSE(shown("picHideResults"));
    EXPECT_EQ(window->cmdAutoCalc->text(), "[cmdAutoCalc_OFF]");
    EXPECT_EQ(window->statusText(), "[stsbarPressF1]");
    window->updateAnalysis();
    EXPECT_EQ(runner.runs, 2);
}

TEST_F(WindowTest, hiddenStrategiesKeepTheirNumbers)
{
    setup.values.setFlag(Setting::ShowTermLoanAnalysis, true);
    setup.values.setFlag(Setting::ShowRRSPAnalysis, true);
    open();
    EXPECT_TRUE(window->lstStrategyList->isRowHidden(0));
    EXPECT_EQ(window->strategy(), Strategy::TermLoan);
    window->lstStrategyList->setCurrentRow(2);
    EXPECT_EQ(window->strategy(), Strategy::RRSP);
    EXPECT_EQ(runner.types, (std::vector<int>{1, 2}));
}

// Which controls show, and the strategy's captions, on every page of every
// strategy, with and without a limited deduction; and the frames of the
// advanced details wherever their button shows.
TEST_F(WindowTest, pagesShowTheControlsOfTheStrategy)
{
    const QStringList controls{"cmdAdvancedSettings_Input", "cmdAdvancedSettings_Output", "cmdPrint",
                               "fraReturnComposition", "cmbInvestmentType", "txtOtherUnlevInvest"};
    std::string views;
    for (bool limited : {false, true}) {
        setup.values.setFlag(Setting::ProvLimitedDeduct, limited);
        open();
        views += limited ? "# a deduction limited\n" : "# no deduction limited\n";
        for (int type = 0; type < 3; ++type) {
            window->lstStrategyList->setCurrentRow(type);
            for (int input = 0; input < 2; ++input) {
                window->tabInputs->setCurrentIndex(input);
                for (int output = 0; output < 4; ++output) {
                    window->tabOutputs->setCurrentIndex(output);
                    QStringList line{QString("strategy %1 input %2 output %3:").arg(type).arg(input).arg(output)};
                    for (const QString& name : controls)
                        if (shown(name))
                            line << name;
                    views += line.join(' ').toStdString() + "\n";
                }
                if (!shown("cmdAdvancedSettings_Input"))
                    continue;
                window->cmdAdvancedSettings_Input->click();
                AdvancedDetails& advanced = dialogs->advancedDetails();
                views += "  advanced details show:";
                for (QGroupBox* frame : {advanced.fraBreakdownOfGrossReturn, advanced.fraTimesLoanRepeated})
                    if (frame->isVisibleTo(&advanced))
                        views += " " + frame->objectName().toStdString();
                views += "\n";
                advanced.reject();
            }
            views += "  " + child<QRadioButton>(*window, "optAnnualInvestment")->text().toStdString() + " " +
                     child<QLabel>(*window, "lblSavingsPeriod")->text().toStdString() + "\n";
        }
    }
    ExpectGolden(views, "ui/golden/mainwindow-pages.txt");
}

// A failed analysis is said and keeps the last results; a strategy the list
// does not know goes back to the default one.
TEST_F(WindowTest, failedAnalysisAndUnknownStrategyAreReported)
{
    open();
    QSignalSpy completed(window.get(), &MainWindow::analysisCompleted);
    runner.failWith = "the loan amount must be above 0";
    enter("txtTaxRate", "45");
    EXPECT_EQ(messages.count("critical"), 1);
    EXPECT_EQ(messages.take(), "[SoftwareName]: the loan amount must be above 0");
    EXPECT_EQ(completed.count(), 0);
    runner.failWith.clear();
    enter("txtTaxRate", "46");
    EXPECT_EQ(completed.count(), 1);

    window->lstStrategyList->setCurrentRow(-1);
    EXPECT_EQ(messages.count("warning"), 1);
    EXPECT_TRUE(messages.lastText().startsWith("Analysis -1 has not yet been added"));
    EXPECT_EQ(window->strategy(), Strategy::InterestOnly);
    EXPECT_EQ(completed.count(), 1);
}

// Back and Next wrap around the tabs; Tab goes down the input panel; the
// print button and Ctrl+P print, the setup entries open their tab.
TEST_F(WindowTest, buttonsKeysAndMenusMoveAndAsk)
{
    open();
    std::vector<int> seen;
    const auto click = [&](const char* button, QTabWidget* tabs) {
        child<QPushButton>(*window, button)->click();
        seen.push_back(tabs->currentIndex());
    };
    click("cmdBack_Input", window->tabInputs);
    click("cmdNext_Input", window->tabInputs);
    for (int i = 0; i < 5; ++i)
        click("cmdNext_Output", window->tabOutputs);
    click("cmdBack_Output", window->tabOutputs);
    click("cmdBack_Output", window->tabOutputs);
    EXPECT_EQ(seen, (std::vector<int>{1, 0, 1, 2, 3, 0, 1, 0, 3}));

    const QStringList order{"txtLoanAmount", "txtTaxRate", "txtIntRate", "txtSavingsPeriod", "txtReturn0",
                            "txtReturn1", "txtReturn2", "txtReturn3", "cmbInvestmentType", "txtOtherUnlevInvest",
                            "cmdAutoCalc", "txtProjectionReturn0", "cmdNext_Output"};
    QStringList tabbed;
    QWidget* w = window->lstStrategyList;
    for (int i = 0; i < 500 && tabbed.size() < order.size(); ++i) {
        w = w->nextInFocusChain();
        if (order.contains(w->objectName()) && !tabbed.contains(w->objectName()))
            tabbed << w->objectName();
    }
    EXPECT_EQ(tabbed, order);

    QSignalSpy print(window.get(), &MainWindow::printRequested);
    QSignalSpy setupTab(window.get(), &MainWindow::setupRequested);
    window->cmdPrint->click();
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keySequence(field("txtTaxRate"), QKeySequence::Print);
    window->mnuSetupItem[2]->trigger();
    EXPECT_EQ(print.count(), 2);
    ASSERT_EQ(setupTab.count(), 1);
    EXPECT_EQ(setupTab.at(0).at(0).toInt(), 2);
}

TEST_F(WindowTest, investmentLoanTypeChoiceRunsAnAnalysis)
{
    setup.values.setFlag(Setting::FedLimitedDeduct, true);
    open();
    QTest::keyClick(window->inputs().cmbInvestmentType, Qt::Key_Down);
    EXPECT_EQ(runner.runs, 2);
    EXPECT_EQ(runner.inputs.back().investmentType, 1);
}

} // namespace
} // namespace gw::test
