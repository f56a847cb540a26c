// The main window on fakes that count its analyses: a failed analysis; the
// input panel's chains (a field typed into changes or repairs the fields
// that depend on it, and the next analysis reads them); the detail dialogs'
// OK and Cancel.
#include "window_test.h"

namespace gw::test {
namespace {

// A failed analysis is said in the user's words, naming the strategy, keeps
// the last results and leaves its details on standard error.
TEST_F(WindowTest, failedAnalysisIsReportedAndKeepsTheResults)
{
    captions.set("errorAnalysisFailed", "The <1> analysis could not be completed");
    captions.set("lstStrategyList.listindex(1)", "Term Loan");
    open();
    window->lstStrategyList->setCurrentRow(1);
    QSignalSpy completed(window.get(), &MainWindow::analysisCompleted);
    runner.failWith = "balance is not a finite number in year 1";
    testing::internal::CaptureStderr();
    enter("txtTaxRate", "45");
    const std::string detail = testing::internal::GetCapturedStderr();
    EXPECT_EQ(messages.count("critical"), 1);
    EXPECT_EQ(messages.take(), "[SoftwareName]: The Term Loan analysis could not be completed");
    EXPECT_NE(detail.find("strategy 1 failed: balance is not a finite number in year 1"), std::string::npos) << detail;
    EXPECT_EQ(completed.count(), 0);
    runner.failWith.clear();
    enter("txtTaxRate", "46");
    EXPECT_EQ(completed.count(), 1);
}

// ---- the input panel ----

TEST_F(WindowTest, theThirdReturnAndTheProjectionReturnsMoveTogether)
{
    open();
    typeInto(field("txtReturn2"), "9");
    EXPECT_EQ(texts({"txtProjectionReturn0", "txtProjectionReturn1"}), "9 9");
    EXPECT_TRUE(window->inputsChanged());
    leave(field("txtReturn2"));
    EXPECT_EQ(runner.inputs.back().returns[2], 9);
    EXPECT_EQ(runner.inputs.back().projectionReturn, 9);

    typeInto(field("txtProjectionReturn1"), "7.5");
    EXPECT_EQ(texts({"txtReturn2", "txtProjectionReturn0"}), "7.5 7.5");
    clickArrow(*child<UpDown>(*window, "updProjectionReturn0"), true);
    EXPECT_EQ(text("txtReturn2"), "9.0");  // 7.5 rounds to 8, one step up
    EXPECT_EQ(runner.inputs.back().returns[2], 9);
    EXPECT_EQ(text("txtReturn0"), "6.0");
}

// The sponsor warns at returns of 15 and loan rates of 4, once each. No
// steps back to one below (above) the level; the field shows red while at
// or beyond it.
TEST_F(WindowTest, sponsorWarningsAreAskedOnceAndNoStepsBack)
{
    const struct {
        bool reopen;
        const char *field, *typed;
        bool answer;
        const char* kept;
        int questions;
        bool red;
    } steps[] = {
        {true, "txtReturn0", "14", true, "14.0", 0, false},   {false, "txtReturn0", "15", false, "14.0", 1, false},
        {false, "txtReturn3", "20", true, "20.0", 1, true},   {true, "txtIntRate", "4", true, "4.0", 1, true},
        {false, "txtIntRate", "3", true, "3.0", 1, true},     {false, "txtIntRate", "6", true, "6.0", 1, false},
        {true, "txtIntRate", "3", false, "5.0", 1, false},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(std::string(s.field) + " " + s.typed);
        if (s.reopen)
            open();
        messages.answers.push_back(s.answer);
        enter(s.field, s.typed);
        messages.answers.clear();
        EXPECT_EQ(text(s.field), s.kept);
        EXPECT_EQ(messages.count("question"), s.questions);
        EXPECT_EQ(InputChecks::atSponsorLimit(*field(s.field)), s.red);
        EXPECT_EQ(window->statusText(), s.red ? "Beyond the limit of Acme" : "[stsbarPressF1]");
        EXPECT_EQ(runner.inputs.back(), window->currentInputs());
    }
}

// (times + 1) x period may reach 80 years, not pass them; interest-only
// loans are never repeated. The times come from the advanced details.
TEST_F(WindowTest, savingsPeriodAndStrategyKeepRepeatedLoansWithinEightyYears)
{
    open();
    QLineEdit* times = window->inputs().timesLoanRepeatedBox();
    ASSERT_EQ(times, dialogs->advancedDetails().txtTimesLoanRepeated);
    const struct {
        int strategy;
        const char *times, *period, *kept;
    } cases[] = {{1, "3", "20", "3"}, {1, "4", "16", "4"}, {1, "4", "17", "0"},
                 {2, "1", "40", "1"}, {2, "1", "41", "0"}, {0, "1", "50", "1"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.times) + " x " + c.period + ", strategy " + std::to_string(c.strategy));
        window->lstStrategyList->setCurrentRow(c.strategy);
        times->setText(c.times);
        messages.messages.clear();
        enter("txtSavingsPeriod", c.period);
        EXPECT_EQ(times->text(), c.kept);
        EXPECT_EQ(messages.take(), std::string(c.kept) == c.times ? "" : "[IncorrectInputTitle]: At most 80 years");
        EXPECT_EQ(runner.inputs.back().savingsPeriod, std::stoi(c.period));
    }
    // Back to the term loan, the one repeat of 50 years is repaired before
    // the analysis runs.
    window->lstStrategyList->setCurrentRow(1);
    EXPECT_EQ(times->text(), "0");
    EXPECT_EQ(messages.take(), "[IncorrectInputTitle]: At most 80 years");
    EXPECT_EQ(runner.types.back(), 1);
    EXPECT_EQ(runner.inputs.back().timesRepeated, 0);
}

TEST_F(WindowTest, termLoanPaymentIsTheAnnualInvestment)
{
    open();
    window->lstStrategyList->setCurrentRow(1);
    // |PMT(0.08, 10, 100000)| = 14,902.95
    EXPECT_EQ(text("txtAnnualInvestment"), "$14,903");
    EXPECT_FALSE(field("txtAnnualInvestment")->isEnabled());

    child<QRadioButton>(*window, "optAnnualInvestment")->click();
    EXPECT_TRUE(field("txtAnnualInvestment")->isEnabled());
    EXPECT_FALSE(field("txtLoanAmount")->isEnabled());
    enter("txtAnnualInvestment", "14902.95");
    EXPECT_EQ(texts({"txtLoanAmount", "txtAnnualInvestment"}), "$100,000 $14,903");
    enter("txtAnnualInvestment", "-1");
    EXPECT_EQ(messages.messages.back().text, "[FieldBelowLowestAmount]");
    EXPECT_EQ(text("txtAnnualInvestment"), "$14,903");
}

TEST_F(WindowTest, investmentTypesSetTheBreakdownOfTheNextAnalysis)
{
    open();
    EXPECT_TRUE(child<QRadioButton>(*window, "optRegularEquity")->isChecked());
    child<QRadioButton>(*window, "optBalancedFund")->click();
    EXPECT_EQ(runner.inputs.back().breakdown, (std::array<double, 4>{40, 10, 20, 30}));
    child<QRadioButton>(*window, "optInterest")->click();
    EXPECT_EQ(runner.inputs.back().breakdown, (std::array<double, 4>{0, 0, 0, 100}));
    EXPECT_EQ(runner.runs, 3);
}

// Limits and defaults far past the whole numbers the spinners hold start
// repaired, and the first analysis reads the repaired fields. A limit past
// any whole number is taken as none.
TEST_F(WindowTest, defaultsAndLimitsPastTheSpinnersStartRepaired)
{
    setup.values[Setting::MaxReturnAllowed] = 1e308;
    setup.values[Setting::MinInterestRateAllowed] = -1e308;
    for (Setting s : {Setting::TaxRate, Setting::InterestRateOnLoan, Setting::ProjectedReturn1,
                      Setting::ProjectedReturn4, Setting::TimesLoanRepeated, Setting::InvestmentType})
        setup.values[s] = 1e308;
    setup.values[Setting::SavingsPeriod] = -1e308;
    setup.values[Setting::ProjectedReturn3] = -1e308;
    open();
    EXPECT_EQ(texts({"txtTaxRate", "txtIntRate", "txtSavingsPeriod", "txtReturn0", "txtReturn2"}),
              "99.0 50.0 1 32767.0 -99.0");
    EXPECT_EQ(runner.inputs.front(), window->currentInputs());
    for (UpDown* updown : window->findChildren<UpDown*>()) {
        EXPECT_LE(updown->min(), updown->value()) << updown->objectName().toStdString();
        EXPECT_LE(updown->value(), updown->max()) << updown->objectName().toStdString();
    }
}

// ---- the detail dialogs ----

class DetailDialogTest : public WindowTest {
protected:
    // The dialog, opened by its button on the breakdown's input page.
    QDialog* showDialog(bool advanced)
    {
        window->tabInputs->setCurrentIndex(1);
        if (advanced)
            window->cmdAdvancedSettings_Input->click();
        else
            child<QRadioButton>(*window, "optCustomInvestmentMix")->click();
        QDialog* dialog = advanced ? static_cast<QDialog*>(&dialogs->advancedDetails()) : dialogs->customInvestmentMix();
        if (!dialog || !dialog->isVisible())
            throw std::runtime_error("the dialog did not open");
        return dialog;
    }
    static void typeParts(QDialog& dialog, const Breakdown& parts)
    {
        const char* names[] = {"txtDeferredCapitalGains", "txtCapitalGains", "txtDividends", "txtInterest"};
        for (int k = 0; k < 4; ++k)
            typeInto(child<QLineEdit>(dialog, names[k]), QString::number(parts[std::size_t(k)]));
    }
    Breakdown model() const { return window->currentInputs().breakdown; }
    bool checked(const QString& option) { return child<QRadioButton>(*window, option)->isChecked(); }
};

// OK puts each part in its own slot (dividends and interest differ in every
// case, so a swap shows) and the option that shows the breakdown follows;
// a total other than 100 is refused and changes nothing.
TEST_F(DetailDialogTest, okHandsOnABreakdownOfAHundredAndTheOptionFollows)
{
    const std::pair<Breakdown, const char*> cases[] = {
        {{10, 20, 30, 40}, "optCustomInvestmentMix"}, {{40, 10, 0, 50}, "optCustomInvestmentMix"},
        {{40, 10, 50, 0}, "optDividends"},            {{40, 10, 20, 30}, "optBalancedFund"},
        {{95, 5, 0, 0}, "optTaxEfficient"},           {{70, 25, 5, 1}, nullptr},
    };
    for (bool advanced : {true, false}) {
        for (const auto& [parts, option] : cases) {
            SCOPED_TRACE((advanced ? "advanced " : "custom ") + std::to_string(parts[0]) + "/" + std::to_string(parts[3]));
            open();
            runner.runs = 0;
            QDialog* dialog = showDialog(advanced);
            typeParts(*dialog, parts);
            child<QPushButton>(*dialog, "cmdOK")->click();
            EXPECT_EQ(dialog->isVisible(), !option);
            EXPECT_EQ(messages.take(), option ? "" : "[IncorrectInputTitle]: [InvalidBreakdown]");
            EXPECT_EQ(model(), (option ? parts : Breakdown{70, 25, 5, 0}));
            EXPECT_EQ(runner.runs, option ? 1 : 0);
            EXPECT_EQ(runner.inputs.back().breakdown, model());
            EXPECT_TRUE(checked(option ? option : advanced ? "optRegularEquity" : "optCustomInvestmentMix"));
            EXPECT_FALSE(window->inputsChanged());
        }
    }
}

// Cancel leaves the breakdown and the option as they were, without checking
// a wrong entry first; the next opening shows the breakdown. The custom mix
// is gone once closed, and never opens over the advanced details.
TEST_F(DetailDialogTest, cancelLeavesTheBreakdownAndItsOption)
{
    for (const auto& [advanced, start] : {std::pair{true, "optRegularEquity"}, {false, "optBalancedFund"}}) {
        SCOPED_TRACE(start);
        open();
        child<QRadioButton>(*window, start)->click();
        const Breakdown before = model();
        messages.messages.clear();
        runner.runs = 0;
        QDialog* dialog = showDialog(advanced);
        typeParts(*dialog, {10, 20, 30, 400});
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
        child<QLineEdit>(*dialog, "txtInterest")->setFocus();
        ASSERT_TRUE(child<QLineEdit>(*dialog, "txtInterest")->hasFocus());
        QTest::mouseClick(child<QPushButton>(*dialog, "cmdCancel"), Qt::LeftButton);
        if (advanced) {
            EXPECT_FALSE(dialog->isVisible());
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(window->findChild<CustomInvestmentMix*>(), nullptr);
        EXPECT_EQ(model(), before);
        EXPECT_TRUE(checked(start));
        EXPECT_TRUE(messages.messages.empty());
        EXPECT_EQ(runner.runs, 0);
        dialog = showDialog(advanced);
        EXPECT_EQ(child<QLineEdit>(*dialog, "txtInterest")->text(), QString::number(before[kInterest]));
        emit window->customInvestmentMixRequested();
        EXPECT_EQ(dialogs->customInvestmentMix() != nullptr, !advanced);
    }
}

} // namespace
} // namespace gw::test
