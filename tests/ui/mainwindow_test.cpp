#include "window_fixture.h"

#include "outputpanel.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>

namespace gw::test {
namespace {

TEST_F(WindowTest, startUpRunsOneAnalysisOfTheDefaults)
{
    open();
    EXPECT_EQ(runner.runs, 1);
    EXPECT_EQ(runner.types, std::vector<int>{0});
    EXPECT_TRUE(window->autoCalculate());
    EXPECT_TRUE(window->windowReady());
    EXPECT_FALSE(window->inputsChanged());
    EXPECT_EQ(text("txtLoanAmount"), "$100,000");
    EXPECT_EQ(text("txtSavingsPeriod"), "10");
    EXPECT_EQ(text("txtReturn2"), "10.0");
    EXPECT_EQ(text("txtProjectionReturn0"), "10.0");
    EXPECT_EQ(text("txtProjectionReturn1"), "10.0");
    EXPECT_EQ(window->statusText(), "[stsbarPressF1]");
    EXPECT_EQ(child<QPushButton>(*window, "cmdAutoCalc")->text(), "[cmdAutoCalc_OFF]");
    const AnalysisInputs& in = runner.inputs.front();
    EXPECT_EQ(in.loanAmount, 100000);
    EXPECT_EQ(in.taxRate, 40);
    EXPECT_EQ(in.breakdown, (std::array<double, 4>{70, 25, 5, 0}));
}

TEST_F(WindowTest, autoCalculationOffCoversTheResultsAndRunsNothing)
{
    open();
    auto* autoCalc = child<QPushButton>(*window, "cmdAutoCalc");
    auto* cover = child<QFrame>(*window, "picHideResults");
    autoCalc->click();
    EXPECT_FALSE(window->autoCalculate());
    EXPECT_TRUE(cover->isVisibleTo(window.get()));
    EXPECT_EQ(autoCalc->text(), "[cmdAutoCalc_ON]");
    EXPECT_EQ(window->statusText(), "[stsbarAutoCalc]");

    enter("txtTaxRate", "45");
    enter("txtReturn0", "7");
    window->lstStrategyList->setCurrentRow(1);
    EXPECT_EQ(runner.runs, 1);
    EXPECT_EQ(window->lblCurrentStrategy->text(), "[lstStrategyList.listindex(1)] ");

    autoCalc->click();
    EXPECT_EQ(runner.runs, 2);
    EXPECT_EQ(runner.types.back(), 1);
    EXPECT_EQ(runner.inputs.back().taxRate, 45);
    EXPECT_EQ(runner.inputs.back().returns[0], 7);
    EXPECT_FALSE(cover->isVisibleTo(window.get()));
    EXPECT_EQ(window->statusText(), "[stsbarPressF1]");
}

TEST_F(WindowTest, updateAnalysisWithoutAChangeComputesOnce)
{
    open();
    window->markInputsChanged();
    window->updateAnalysis();
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
    EXPECT_EQ(runner.types, std::vector<int>{1});
    window->lstStrategyList->setCurrentRow(2);
    EXPECT_EQ(window->strategy(), Strategy::RRSP);
    EXPECT_EQ(runner.types.back(), 2);

    setup.values.setFlag(Setting::ShowIntOnlyAnalysis, true);
    setup.values.setFlag(Setting::ShowTermLoanAnalysis, false);
    open();
    EXPECT_EQ(window->strategy(), Strategy::InterestOnly);
    window->lstStrategyList->setCurrentRow(2);
    EXPECT_EQ(runner.types.back(), 2);
}

TEST_F(WindowTest, rrspLoansHideTheReturnCompositionAndShowTheirTables)
{
    open();
    window->lstStrategyList->setCurrentRow(2);
    // The frame sits on input tab 1, which is not the one showing.
    EXPECT_TRUE(child<QWidget>(*window, "fraReturnComposition")->isHidden());
    EXPECT_EQ(child<QRadioButton>(*window, "optAnnualInvestment")->text(), "[optAnnualInvestment_Int_RRSP]");
    EXPECT_EQ(child<QLabel>(*window, "lblSavingsPeriod")->text(), "[lblSavingsPeriod_Term_RRSP]");
    OutputPanel& out = window->outputs();
    const auto shown = [&](QWidget* w) { return w->isVisibleTo(out.pages[0]->parentWidget()); };
    window->tabOutputs->setCurrentIndex(2);
    EXPECT_TRUE(shown(child<QTableWidget>(*window, "gridProjectionTable_Basic2")));
    EXPECT_FALSE(shown(child<QTableWidget>(*window, "gridProjectionTable_Advanced1")));

    window->lstStrategyList->setCurrentRow(1);
    EXPECT_FALSE(child<QWidget>(*window, "fraReturnComposition")->isHidden());
    EXPECT_EQ(child<QRadioButton>(*window, "optAnnualInvestment")->text(), "[optAnnualInvestment_Term]");
    EXPECT_TRUE(shown(child<QTableWidget>(*window, "gridProjectionTable_Basic1")));
    child<QPushButton>(*window, "cmdAdvancedSettings_Output")->click();
    EXPECT_TRUE(shown(child<QTableWidget>(*window, "gridProjectionTable_Advanced1")));
    EXPECT_EQ(child<QPushButton>(*window, "cmdAdvancedSettings_Output")->text(), "[cmdAdvancedSettings_Basic]");
    window->lstStrategyList->setCurrentRow(2);  // RRSP loans have no advanced table
    EXPECT_TRUE(shown(child<QTableWidget>(*window, "gridProjectionTable_Basic2")));
}

TEST_F(WindowTest, failedAnalysisIsReportedAndKeepsTheResults)
{
    open();
    QSignalSpy completed(window.get(), &MainWindow::analysisCompleted);
    runner.failWith = "the loan amount must be above 0";
    enter("txtTaxRate", "45");
    EXPECT_EQ(messages.count("critical"), 1);
    EXPECT_EQ(messages.lastText(), "the loan amount must be above 0");
    EXPECT_EQ(completed.count(), 0);
    runner.failWith.clear();
    enter("txtTaxRate", "46");
    EXPECT_EQ(completed.count(), 1);
}

TEST_F(WindowTest, unknownStrategyResetsToTheDefault)
{
    open();
    window->lstStrategyList->setCurrentRow(-1);
    EXPECT_EQ(messages.count("warning"), 1);
    EXPECT_EQ(messages.messages.back().title, "Error");
    EXPECT_TRUE(messages.lastText().startsWith("Analysis -1 has not yet been added"));
    EXPECT_EQ(window->strategy(), Strategy::InterestOnly);
    EXPECT_EQ(runner.runs, 1);
}

TEST_F(WindowTest, backAndNextWrapAroundTheTabs)
{
    open();
    child<QPushButton>(*window, "cmdBack_Input")->click();
    EXPECT_EQ(window->tabInputs->currentIndex(), 1);
    child<QPushButton>(*window, "cmdNext_Input")->click();
    EXPECT_EQ(window->tabInputs->currentIndex(), 0);
    auto* next = child<QPushButton>(*window, "cmdNext_Output");
    std::vector<int> seen;
    for (int i = 0; i < 5; ++i) {
        next->click();
        seen.push_back(window->tabOutputs->currentIndex());
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 0, 1}));
    child<QPushButton>(*window, "cmdBack_Output")->click();
    child<QPushButton>(*window, "cmdBack_Output")->click();
    EXPECT_EQ(window->tabOutputs->currentIndex(), 3);
}

TEST_F(WindowTest, buttonsShowWhereTheyBelong)
{
    open();
    auto* advancedInput = child<QPushButton>(*window, "cmdAdvancedSettings_Input");
    auto* advancedOutput = child<QPushButton>(*window, "cmdAdvancedSettings_Output");
    auto* print = child<QPushButton>(*window, "cmdPrint");
    const auto shown = [&](QWidget* w) { return w->isVisibleTo(window.get()); };
    // Advanced details: interest-only on input tab 1, term always, RRSP on tab 0.
    const bool inputCases[3][2] = {{false, true}, {true, true}, {true, false}};
    // Projection columns: output tab 2 of interest-only and term loans.
    for (int type = 0; type < 3; ++type) {
        window->lstStrategyList->setCurrentRow(type);
        for (int tab = 0; tab < 2; ++tab) {
            SCOPED_TRACE("type " + std::to_string(type) + ", input tab " + std::to_string(tab));
            window->tabInputs->setCurrentIndex(tab);
            EXPECT_EQ(shown(advancedInput), inputCases[type][tab]);
        }
        for (int tab = 0; tab < 4; ++tab) {
            SCOPED_TRACE("type " + std::to_string(type) + ", output tab " + std::to_string(tab));
            window->tabOutputs->setCurrentIndex(tab);
            EXPECT_EQ(shown(advancedOutput), tab == 2 && type != 2);
            EXPECT_EQ(shown(print), tab == 0 || tab == 2);
        }
    }
}

TEST_F(WindowTest, helpEntriesOpenTheirTopics)
{
    open();
    child<QAction>(*window, "mnuGeneralNotes15")->trigger();
    child<QAction>(*window, "mnuRRSPLoans1")->trigger();
    child<QAction>(*window, "mnuAboutCorvin1")->trigger();
    window->lstStrategyList->setCurrentRow(1);
    window->tabOutputs->setCurrentIndex(3);
    child<QPushButton>(*window, "cmdHelp")->click();
    showActive();
    QTest::keyClick(field("txtTaxRate"), Qt::Key_F1);
    EXPECT_EQ(help.topics, (std::vector<int>{106, 503, 401, 807, 807}));
    child<QAction>(*window, "mnuHelpMenu0")->trigger();
    EXPECT_EQ(help.contentsShown, 1);
}

TEST_F(WindowTest, saveDefaultsAsksFirst)
{
    int saves = 0;
    MainWindowServices services;
    services.captions = &captions;
    services.messages = &messages;
    services.saveDefaults = [&saves] { ++saves; };
    MainWindow own(services);
    own.start(setup);
    auto* save = child<QAction>(own, "mnuSaveDefaults");
    messages.setNextAnswer(false);
    save->trigger();
    EXPECT_EQ(saves, 0);
    messages.setNextAnswer(true);
    save->trigger();
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(messages.messages.back().title, "[SaveDefaultsTitle]");
    EXPECT_EQ(messages.messages.back().text, "[SaveDefaultsPrompt]");
}

TEST_F(WindowTest, printAndDialogRequestsAreSignalled)
{
    open();
    QSignalSpy print(window.get(), &MainWindow::printRequested);
    QSignalSpy setupTab(window.get(), &MainWindow::setupRequested);
    child<QPushButton>(*window, "cmdPrint")->click();
    showActive();
    QTest::keySequence(field("txtTaxRate"), QKeySequence::Print);
    child<QAction>(*window, "mnuSetupItem2")->trigger();
    EXPECT_EQ(print.count(), 2);
    ASSERT_EQ(setupTab.count(), 1);
    EXPECT_EQ(setupTab.at(0).at(0).toInt(), 2);
}

TEST_F(WindowTest, everyCaptionComesFromTheCaptionSource)
{
    open();
    for (QWidget* w : window->findChildren<QWidget*>()) {
        QString shown;
        if (auto* label = qobject_cast<QLabel*>(w))
            shown = label->text();
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
            shown = button->text();
        if (shown.isEmpty() || w->objectName().startsWith("lblReturn") || shown == "?" || w->objectName() == "up" ||
            w->objectName() == "down")
            continue;
        SCOPED_TRACE(w->objectName().toStdString());
        EXPECT_TRUE(shown.startsWith('[') || shown.contains("Acme") || shown.startsWith("$")) << shown.toStdString();
    }
}


TEST_F(WindowTest, tabGoesDownTheInputPanel)
{
    open();
    const QStringList expected{"txtLoanAmount", "txtTaxRate", "txtIntRate", "txtSavingsPeriod", "txtReturn0",
                               "txtReturn1", "txtReturn2", "txtReturn3", "cmbInvestmentType", "txtOtherUnlevInvest",
                               "cmdAutoCalc", "txtProjectionReturn0", "cmdNext_Output"};
    QStringList seen;
    QWidget* w = window->lstStrategyList;
    for (int i = 0; i < 500 && seen.size() < expected.size(); ++i) {
        w = w->nextInFocusChain();
        if (expected.contains(w->objectName()) && !seen.contains(w->objectName()))
            seen << w->objectName();
    }
    EXPECT_EQ(seen, expected);
}

TEST_F(WindowTest, investmentLoanTypeChoiceRunsAnAnalysis)
{
    setup.values.setFlag(Setting::FedLimitedDeduct, true);
    open();
    auto* type = child<QComboBox>(*window, "cmbInvestmentType");
    QTest::keyClick(type, Qt::Key_Down);
    EXPECT_EQ(type->currentIndex(), 1);
    EXPECT_EQ(runner.runs, 2);
    EXPECT_EQ(runner.inputs.back().investmentType, 1);
}


TEST_F(WindowTest, withoutARunnerTheWindowRunsTheAnalysisItself)
{
    MainWindowServices services;
    services.captions = &captions;
    services.messages = &messages;
    MainWindow own(services);
    QSignalSpy completed(&own, &MainWindow::analysisCompleted);
    own.start(setup);
    EXPECT_EQ(completed.count(), 1);
    ASSERT_TRUE(own.lastResults().has_value());
    EXPECT_TRUE(std::holds_alternative<IntOnlyResults>(*own.lastResults()));
    own.lstStrategyList->setCurrentRow(2);
    EXPECT_TRUE(std::holds_alternative<RRSPResults>(*own.lastResults()));
    EXPECT_EQ(messages.count("critical"), 0);
}


TEST_F(WindowTest, languageSwitchRewritesTheFieldsItWouldMisread)
{
    captions.lang = 1;
    open();
    EXPECT_EQ(text("txtLoanAmount"), "100 000 $");
    EXPECT_EQ(text("txtReturn1"), "8,0");
    captions.lang = 0;
    window->formatCaptions();
    EXPECT_EQ(text("txtLoanAmount"), "$100,000");
    EXPECT_EQ(text("txtReturn1"), "8.0");
    EXPECT_EQ(text("txtProjectionReturn0"), text("txtReturn2"));
    enter("txtTaxRate", "45");
    EXPECT_EQ(runner.inputs.back().loanAmount, 100000);
    EXPECT_EQ(runner.inputs.back().returns[1], 8);
    EXPECT_TRUE(messages.messages.empty());
}

} // namespace
} // namespace gw::test
