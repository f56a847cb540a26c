// The program's wiring on a real data folder: the setup dialog's values in
// the main window, F1 in every window, the print source and a Save Defaults
// round trip through User.dat.
#include "program_fixture.h"

#include "about.h"
#include "advanceddetails.h"
#include "custommix.h"
#include "detaildialogs.h"
#include "fieldvalues.h"
#include "helpwindow.h"
#include "inputpanel.h"
#include "printoptions.h"
#include "programsetup.h"
#include "reports_settings.h"
#include "settingsfile.h"
#include "updown.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QRadioButton>
#include <QSignalSpy>

#include <fstream>

namespace gw::test {
namespace {

class ProgramTest : public ::testing::Test {
protected:
    ProgramOnData data;

    Program& program() { return *data.program; }
    HelpWindow& help() { return *program().helpWindow(); }
    ProgramSetup& setup() { return *program().setupDialog(); }

    // "en/topic-108.html" for the page on show; empty when none was found.
    std::string helpPage()
    {
        if (!help().pageFound())
            return {};
        const QFileInfo page(help().currentPage().toLocalFile());
        return (page.dir().dirName() + u'/' + page.fileName()).toStdString();
    }
    // F1 in `window`, made the active window first as a user's click does
    // (the help window hidden just before may hand the activation back to
    // the main window late).
    static void pressF1(QWidget* window)
    {
        const bool active = QTest::qWaitFor([window] {
            if (QApplication::activeWindow() != window)
                window->activateWindow();
            return QApplication::activeWindow() == window;
        });
        EXPECT_TRUE(active) << window->objectName().toStdString();
        QTest::keyClick(window, Qt::Key_F1);
    }
};

// Damaged or impossible data files are said once, and the window never
// shows figures of $0 or out-of-range limits.
TEST(ProgramOnDamagedData, emptyUserFileFallsBackToTheSponsorDefaults)
{
    ProgramOnData data;
    std::ofstream(data.folder() / "User.dat", std::ios::binary);
    MainWindow& window = data.start(English);
    ASSERT_EQ(data.reporter.texts.size(), 1u);
    EXPECT_TRUE(data.reporter.texts[0].starts_with("Error: User.dat could not be read (it is empty)"))
        << data.reporter.texts[0];
    EXPECT_EQ(window.inputs().txtLoanAmount->text(), "$100,000");
    EXPECT_EQ(window.inputs().txtTaxRate->text(), "40");
    EXPECT_TRUE(window.lastResults().has_value());
    EXPECT_EQ(data.messages.count("critical"), 0);
}

TEST(ProgramOnDamagedData, limitsBeyondAnyIllustrationAreRepairedWithOneMessage)
{
    ProgramOnData data({{"Maximum Return Allowed", "1e308"}, {"Minimum Interest Rate Allowed", "-1e308"}});
    MainWindow& window = data.start(English);
    ASSERT_EQ(data.reporter.texts.size(), 1u);
    const std::string& text = data.reporter.texts[0];
    EXPECT_NE(text.find("Config.dat, \"Maximum Return Allowed\": 1e+308 becomes 1000."), std::string::npos) << text;
    EXPECT_NE(text.find("Config.dat, \"Minimum Interest Rate Allowed\": -1e+308 becomes 0."), std::string::npos)
        << text;
    InputPanel& panel = window.inputs();
    EXPECT_EQ(panel.txtReturn[3]->text(), "10.0");
    EXPECT_EQ(panel.updReturn[3]->max(), 1001);
    EXPECT_EQ(panel.updIntRate->min(), -1);
    ASSERT_TRUE(window.lastResults().has_value());
    EXPECT_EQ(data.messages.count("critical"), 0);
}

TEST_F(ProgramTest, mainWindowStartsOnTheHiddenSetupDialogsValues)
{
    MainWindow& window = data.start(English);
    EXPECT_TRUE(data.reporter.texts.empty()) << data.reporter.texts.front();
    ASSERT_NE(program().setupDialog(), nullptr);
    ASSERT_NE(program().printDialog(), nullptr);
    ASSERT_NE(program().detailDialogs(), nullptr);
    EXPECT_FALSE(setup().isVisible());
    EXPECT_FALSE(program().printDialog()->isVisible());
    EXPECT_FALSE(help().isVisible());

    const AnalysisInputs expected = InputsFrom(setup().values());
    const AnalysisInputs tax = window.currentInputs();
    EXPECT_EQ(tax.capGainsInclusionRate, 50);
    EXPECT_EQ(tax.federalToMarginalRatio, expected.federalToMarginalRatio);
    EXPECT_EQ(tax.fedLimited, expected.fedLimited);
    EXPECT_EQ(tax.provLimited, expected.provLimited);
    EXPECT_EQ(tax.fedDeductible, expected.fedDeductible);
    EXPECT_EQ(tax.fedIncludeCG, expected.fedIncludeCG);
    EXPECT_EQ(tax.taxTable, expected.taxTable);
    // The sponsor file's 0.201 shows, and is used, as 20.1.
    EXPECT_EQ(setup().txtTaxOnInterest[0]->text(), "20.1");
    EXPECT_DOUBLE_EQ(tax.taxTable[0].interestRate, 20.1);
    EXPECT_TRUE(window.lastResults().has_value());
}

// A period of 50 is fine for the interest-only loan, but with the one repeat
// set under the term loan it would make 100 years: going back to the term
// loan repairs the repeats before the analysis runs.
TEST_F(ProgramTest, switchingToTheTermLoanRepairsTimesRepeatedBeyondEightyYears)
{
    MainWindow& window = data.start(English);
    InputPanel& inputs = window.inputs();
    QLineEdit& times = *inputs.timesLoanRepeatedBox();
    window.lstStrategyList->setCurrentRow(1);
    times.setText("1");
    window.lstStrategyList->setCurrentRow(0);
    ASSERT_GE(inputs.updSavingsPeriod->max() - 1, 50);
    inputs.txtSavingsPeriod->setText("50");
    inputs.setInputsChanged(true);
    inputs.leaveSavingsPeriod();
    EXPECT_EQ(times.text(), "1");
    data.messages.messages.clear();

    window.lstStrategyList->setCurrentRow(1);
    EXPECT_EQ(times.text(), "0");
    ASSERT_EQ(data.messages.count("information"), 1);
    EXPECT_TRUE(data.messages.lastText().contains("80")) << data.messages.lastText().toStdString();
    EXPECT_EQ(data.messages.count("critical"), 0) << data.messages.lastText().toStdString();
    ASSERT_TRUE(window.lastResults().has_value());
    EXPECT_TRUE(std::holds_alternative<TermResults>(*window.lastResults()));
    EXPECT_EQ(window.currentInputs().savingsPeriod, 50);
    EXPECT_EQ(window.currentInputs().timesRepeated, 0);
}

TEST_F(ProgramTest, setupOkAndCancelReachTheMainWindowAndRecalculate)
{
    MainWindow& window = data.start(English);
    QLineEdit& inclusion = *setup().txtCapGainsInclusionRate;
    EXPECT_FALSE(window.inputs().cmbInvestmentType->isVisibleTo(&window));
    QSignalSpy analyses(&window, &MainWindow::analysisCompleted);

    whenShown(&setup(), [&] {
        EXPECT_EQ(setup().currentTab(), 2);
        setup().deduction[0].optLimitedDeduct->click();
        inclusion.setText(QStringLiteral("75.0"));
        setup().cmdOk->click();
    });
    window.mnuSetupItem[2]->trigger();
    EXPECT_FALSE(setup().isVisible());
    EXPECT_TRUE(window.currentInputs().fedLimited);
    EXPECT_EQ(window.currentInputs().capGainsInclusionRate, 75);
    // The limited deduction brings its inputs into the panel.
    EXPECT_TRUE(window.inputs().cmbInvestmentType->isVisibleTo(&window));
    EXPECT_EQ(analyses.count(), 1);

    whenShown(&setup(), [&] {
        EXPECT_EQ(setup().currentTab(), 1);
        typeInto(&inclusion, QStringLiteral("90"));
        leave(&inclusion);
        setup().deduction[0].optPercentDeduct->click();
        setup().cmdCancel->click();
    });
    window.mnuSetupItem[1]->trigger();
    EXPECT_EQ(inclusion.text(), "75.0");
    EXPECT_TRUE(setup().deduction[0].optLimitedDeduct->isChecked());
    EXPECT_EQ(window.currentInputs().capGainsInclusionRate, 75);
    EXPECT_TRUE(window.inputs().cmbInvestmentType->isVisibleTo(&window));
    EXPECT_EQ(analyses.count(), 2);
    EXPECT_EQ(data.messages.count("critical"), 0) << data.messages.lastText().toStdString();
}

TEST_F(ProgramTest, f1OpensTheTopicOfEachWindowInTheLanguageInUse)
{
    MainWindow& window = data.start(French);
    window.show();

    struct OutputCase {
        int strategy;
        int tab;
        const char* page;
    };
    for (const OutputCase& c : {OutputCase{0, 0, "fr/topic-801.html"}, OutputCase{1, 3, "fr/topic-807.html"},
                                OutputCase{2, 2, "fr/topic-811.html"}, OutputCase{2, 1, "fr/topic-809.html"}}) {
        SCOPED_TRACE("strategy " + std::to_string(c.strategy) + ", output tab " + std::to_string(c.tab));
        window.lstStrategyList->setCurrentRow(c.strategy);
        window.tabOutputs->setCurrentIndex(c.tab);
        pressF1(&window);
        EXPECT_EQ(helpPage(), c.page);
        help().hide();
    }

    for (int tab = 1; tab <= 3; ++tab) {
        SCOPED_TRACE("setup tab " + std::to_string(tab));
        whenShown(&setup(), [&] {
            pressF1(&setup());
            EXPECT_EQ(helpPage(), "fr/topic-" + std::to_string(107 + tab) + ".html");
            setup().cmdCancel->click();
        });
        window.mnuSetupItem[std::size_t(tab)]->trigger();
        help().hide();
    }

    PrintOptions& print = *program().printDialog();
    whenShown(&print, [&] {
        pressF1(&print);
        EXPECT_EQ(helpPage(), "fr/topic-106.html");
        print.cmdCancel->click();
    });
    window.mnuPrint->trigger();
    EXPECT_FALSE(print.isVisible());
    help().hide();

    window.lstStrategyList->setCurrentRow(1);
    emit window.advancedDetailsRequested();
    AdvancedDetails& advanced = program().detailDialogs()->advancedDetails();
    ASSERT_TRUE(advanced.isVisible());
    pressF1(&advanced);
    EXPECT_EQ(helpPage(), "fr/topic-104.html");
    advanced.cmdCancel->click();
    help().hide();

    emit window.customInvestmentMixRequested();
    CustomInvestmentMix* mix = program().detailDialogs()->customInvestmentMix();
    ASSERT_NE(mix, nullptr);
    pressF1(mix);
    EXPECT_EQ(helpPage(), "fr/topic-104.html");
    mix->cmdCancel->click();
    help().hide();

    window.mnuAboutSoftware->trigger();
    ASSERT_NE(program().aboutBox(), nullptr);
    ASSERT_TRUE(program().aboutBox()->isVisible());
    pressF1(program().aboutBox());
    EXPECT_EQ(helpPage(), "fr/topic-301.html");
    program().aboutBox()->cmdOk->click();
}

TEST_F(ProgramTest, printSourceHasNoResultsWhileTheyAreCovered)
{
    MainWindow& window = data.start(English);
    window.lstStrategyList->setCurrentRow(1);
    PrintSource source = program().printSource();
    EXPECT_EQ(source.strategy, Strategy::TermLoan);
    ASSERT_NE(source.results, nullptr);
    EXPECT_EQ(source.results->index(), 1u);
    EXPECT_EQ(source.results, &*window.resultsOf(Strategy::TermLoan));

    // Auto-calculation off: the fields may change without an analysis.
    window.cmdAutoCalc->click();
    typeInto(window.inputs().txtLoanAmount, QStringLiteral("250000"));
    leave(window.inputs().txtLoanAmount);
    source = program().printSource();
    EXPECT_EQ(source.results, nullptr);

    window.cmdAutoCalc->click();
    source = program().printSource();
    ASSERT_NE(source.results, nullptr);
    EXPECT_EQ(std::get<TermResults>(*source.results).loan_amount, 250000);
}

TEST_F(ProgramTest, saveDefaultsRoundTripsTheWindowsAndTheLanguage)
{
    MainWindow& window = data.start(English);
    const std::filesystem::path userFile = data.folder() / "User.dat";

    // No: nothing is written.
    data.messages.setNextAnswer(false);
    window.mnuSaveDefaults->trigger();
    EXPECT_FALSE(std::filesystem::exists(userFile));

    whenShown(&setup(), [&] {
        ProgramSetup& s = setup();
        typeInto(s.txtStartOfTaxBracket[1], QStringLiteral("60000"));
        leave(s.txtStartOfTaxBracket[1]);
        typeInto(s.txtTaxOnInterest[1], QStringLiteral("31.5"));
        leave(s.txtTaxOnInterest[1]);
        typeInto(s.txtCapGainsInclusionRate, QStringLiteral("67"));
        leave(s.txtCapGainsInclusionRate);
        s.deduction[1].optLimitedDeduct->click();
        s.deduction[1].cmbIncludeCapGains->setCurrentIndex(1);
        s.selectTab(3);
        s.cboLanguages->setCurrentIndex(French);
        s.cmdOk->click();
    });
    window.mnuSetupItem[1]->trigger();
    ASSERT_EQ(program().settings().CurrentLanguage, French);
    typeInto(window.inputs().txtLoanAmount, QStringLiteral("150000"));
    leave(window.inputs().txtLoanAmount);

    PrintOptions& print = *program().printDialog();
    print.txtAdvisorName->setText(QStringLiteral("Alex Martin"));
    print.chkPrint[1]->click();
    const PrintDefaults printed = print.currentDefaults();
    ASSERT_FALSE(printed.values.flag(Setting::PrintProjection));
    const SettingValues saved = setup().values();

    data.messages.messages.clear();
    window.mnuSaveDefaults->trigger();
    ASSERT_EQ(data.messages.count("question"), 1);
    const CaptionTables& tables = program().settings().captions;
    EXPECT_EQ(data.messages.messages[0].title.toStdString(), GetCaption(tables, "SaveDefaultsTitle", French));
    ASSERT_TRUE(std::filesystem::exists(userFile));
    EXPECT_TRUE(data.reporter.texts.empty()) << data.reporter.texts.front();

    // The next start-up reads it.
    ProgramSettings next;
    next.folder = data.folder();
    ReportLog reporter;
    ASSERT_TRUE(LoadStartUpSettings(next, reporter));
    ReadMainWindowSettings(next, reporter);
    EXPECT_TRUE(reporter.texts.empty()) << reporter.texts.front();
    EXPECT_EQ(next.CurrentLanguage, French);
    EXPECT_EQ(next.values[Setting::LoanAmount], 150000);
    EXPECT_EQ(next.values[Setting::StartOfTaxBracket2], 60000);
    EXPECT_EQ(next.values[Setting::InterestTaxRate2], 31.5);
    EXPECT_EQ(next.values[Setting::CapGainsInclusionRate], 67);
    EXPECT_EQ(GetSettingValue("Interest Tax Rate 2 (%)", next.UserLines), "0.315");

    // Every setting of the dialog starts the next run as it was saved.
    const SettingValues read = StartValues(next.values);
    for (const Setting s : ProgramSetup::editedSettings()) {
        SCOPED_TRACE(std::string(Row(s).key));
        EXPECT_EQ(read[s], saved[s]);
    }
    EXPECT_TRUE(read.flag(Setting::ProvLimitedDeduct));
    EXPECT_EQ(read[Setting::ProvIncludeCapGains], 1);

    const PrintDefaults readPrint = PrintDefaultsFrom(next);
    for (const Setting s : kPrintSettings)
        EXPECT_EQ(readPrint.values.flag(s), printed.values.flag(s)) << Row(s).key;
    EXPECT_EQ(readPrint.advisor.name, "Alex Martin");
}

} // namespace
} // namespace gw::test
