// The input panel's validation chains, sponsor warnings and dependent
// fields, driven as a user types, leaves fields and clicks spinners.
#include "window_fixture.h"

#include "numformat.h"

namespace gw::test {
namespace {

// Sponsor limits of the fixture: returns up to 25, loan rates from 2.
TEST_F(WindowTest, entriesAreRepairedWithTheirMessageAndAnalysedOnce)
{
    const struct {
        const char* field;
        const char* typed;
        const char* after;
        const char* said;
    } cases[] = {
        {"txtTaxRate", "100", "99", "[OutOfBoundsTitle]: Tax rate: 0 to 99"},
        {"txtTaxRate", "-5", "0", "[OutOfBoundsTitle]: Tax rate: 0 to 99"},
        {"txtIntRate", "51", "50", "[OutOfBoundsTitle]: Interest rate: 2 to 50, warning at 4"},
        {"txtSavingsPeriod", "0", "1", "[OutOfBoundsTitle]: Savings period: 1 to 80"},
        {"txtSavingsPeriod", "81", "80", "[OutOfBoundsTitle]: Savings period: 1 to 80"},
        {"txtSavingsPeriod", "10.7", "10", "[IncorrectInputTitle]: [checkIntegerValue]"},
        {"txtReturn0", "30", "25", "[OutOfBoundsTitle]: Return: -99 to 25 | [SoftwareName]: "
                                   "[BoundsRecommendedSponsorLimit_Return]"},
        {"txtReturn3", "-100", "-99", "[OutOfBoundsTitle]: Return: -99 to 25"},
        {"txtReturn1", "abc", "5", "[IncorrectInputTitle]: [checkValue]"},
        {"txtLoanAmount", "lots", "$100,000", "[IncorrectInputTitle]: [checkValue]"},
        {"txtLoanAmount", "0", "$100,000", "[IncorrectInputTitle]: [checkDollarValue]"},
        {"txtLoanAmount", "250000", "$250,000", ""},
        // The projection return is the third return: the same limits.
        {"txtProjectionReturn0", "60", "25", "[OutOfBoundsTitle]: Return: -99 to 25"},
        {"txtIntRate", "1", "2", "[OutOfBoundsTitle]: Interest rate: 2 to 50, warning at 4 | [SoftwareName]: "
                                 "[BoundsRecommendedSponsorLimit_IntRate]"},
    };
    open();
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " " + c.typed);
        const int runs = runner.runs;
        enter(c.field, c.typed);
        EXPECT_EQ(text(c.field), c.after);
        EXPECT_EQ(messages.take(), c.said);
        // One analysis, on the repaired value; the questions were answered Yes.
        EXPECT_EQ(runner.runs, runs + 1);
        EXPECT_EQ(runner.inputs.back(), window->currentInputs());
        EXPECT_FALSE(window->inputsChanged());
    }
    EXPECT_EQ(texts({"txtReturn2", "txtProjectionReturn1"}), "25 25");
    EXPECT_EQ(runner.inputs.back().projectionReturn, 25);
    EXPECT_EQ(runner.inputs.back().loanAmount, 250000);
}

TEST_F(WindowTest, enterValidatesLikeLeavingTheField)
{
    open();
    typeInto(field("txtTaxRate"), "150");
    pressEnter(field("txtTaxRate"));
    EXPECT_EQ(text("txtTaxRate"), "99");
    EXPECT_EQ(messages.count("information"), 1);
    EXPECT_EQ(runner.runs, 2);
    EXPECT_EQ(runner.inputs.back().taxRate, 99);
    // Leaving afterwards finds nothing new to analyse.
    leave(field("txtTaxRate"));
    EXPECT_EQ(runner.runs, 2);
    EXPECT_EQ(messages.count("information"), 1);
}

TEST_F(WindowTest, spinnerClicksPastTheLastLegalValueAreRepaired)
{
    open();
    for (const auto& [typed, up] : {std::pair{"99", true}, {"0", false}}) {
        enter("txtTaxRate", typed);
        messages.messages.clear();
        clickSpinner("updTaxRate", up);
        EXPECT_EQ(text("txtTaxRate"), typed);
        EXPECT_EQ(messages.take(), "[OutOfBoundsTitle]: Tax rate: 0 to 99");
    }
    const int runs = runner.runs;
    clickSpinner("updSavingsPeriod", true);
    EXPECT_EQ(text("txtSavingsPeriod"), "11");
    EXPECT_EQ(runner.runs, runs + 1);
    EXPECT_EQ(runner.inputs.back().savingsPeriod, 11);
}

TEST_F(WindowTest, leavingAnUnchangedReturnChecksNothing)
{
    open();
    field("txtReturn0")->setText("abc");
    window->updateAnalysis();  // as if analysed since
    const int runs = runner.runs;
    leave(field("txtReturn0"));
    EXPECT_EQ(text("txtReturn0"), "abc");
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(runner.runs, runs);
}

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
    clickSpinner("updProjectionReturn0", true);
    EXPECT_EQ(text("txtReturn2"), "9");  // 7.5 rounds to 8, one step up
    EXPECT_EQ(runner.inputs.back().returns[2], 9);
    EXPECT_EQ(text("txtReturn0"), "6.0");
}

// The sponsor warns at returns of 15 and loan rates of 4: asked once each;
// No steps back to one below (above) the level, and the field no longer
// shows as beyond the sponsor's limit.
TEST_F(WindowTest, returnWarningIsAskedOnceAndNoStepsBelowTheLevel)
{
    open();
    enter("txtReturn0", "14");
    EXPECT_EQ(messages.count("question"), 0);

    messages.setNextAnswer(false);
    enter("txtReturn0", "15");
    EXPECT_EQ(messages.count("question"), 1);
    EXPECT_EQ(text("txtReturn0"), "14");
    EXPECT_FALSE(InputChecks::atSponsorLimit(*field("txtReturn0")));
    EXPECT_EQ(window->statusText(), "[stsbarPressF1]");
    EXPECT_TRUE(window->inputs().returnWarningGiven());
    EXPECT_EQ(runner.inputs.back().returns[0], 14);
    EXPECT_FALSE(window->inputsChanged());

    enter("txtReturn3", "20");
    EXPECT_EQ(messages.count("question"), 1);
    EXPECT_EQ(text("txtReturn3"), "20");
    EXPECT_TRUE(InputChecks::atSponsorLimit(*field("txtReturn3")));
    EXPECT_EQ(window->statusText(), "Beyond the limit of Acme");
}

TEST_F(WindowTest, interestRateWarningAtTheLevelAsksOnce)
{
    open();
    enter("txtIntRate", "4");
    EXPECT_EQ(messages.count("question"), 1);
    EXPECT_EQ(text("txtIntRate"), "4");
    EXPECT_TRUE(InputChecks::atSponsorLimit(*field("txtIntRate")));
    EXPECT_EQ(window->statusText(), "Beyond the limit of Acme");

    enter("txtIntRate", "3");
    EXPECT_EQ(messages.count("question"), 1);
    EXPECT_TRUE(window->inputs().intRateWarningGiven());

    enter("txtIntRate", "6");
    EXPECT_FALSE(InputChecks::atSponsorLimit(*field("txtIntRate")));
    EXPECT_EQ(window->statusText(), "[stsbarPressF1]");

    open();
    messages.setNextAnswer(false);
    enter("txtIntRate", "3");
    EXPECT_EQ(text("txtIntRate"), "5");
    EXPECT_EQ(runner.inputs.back().interestRate, 5);
}

TEST_F(WindowTest, savingsPeriodKeepsRepeatedTermLoansWithinEightyYears)
{
    open();
    window->lstStrategyList->setCurrentRow(1);
    QLineEdit* times = window->inputs().timesLoanRepeatedBox();
    // (times + 1) x period may reach 80 years, not pass them.
    const struct {
        const char* times;
        const char* period;
        const char* kept;
    } cases[] = {{"3", "20", "3"}, {"4", "16", "4"}, {"4", "17", "0"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.times) + " x " + c.period);
        times->setText(c.times);
        enter("txtSavingsPeriod", c.period);
        EXPECT_EQ(times->text(), c.kept);
        EXPECT_EQ(messages.take(), std::string(c.kept) == c.times ? "" : "[IncorrectInputTitle]: At most 80 years");
    }
    EXPECT_EQ(runner.inputs.back().timesRepeated, 0);
    EXPECT_EQ(runner.inputs.back().savingsPeriod, 17);
}

TEST_F(WindowTest, theDialogsTimesRepeatedFieldIsCheckedWhileItExists)
{
    open();
    window->lstStrategyList->setCurrentRow(2);
    auto dialogBox = std::make_unique<QLineEdit>();
    window->inputs().bindTimesLoanRepeated(dialogBox.get());
    dialogBox->setText("7");
    enter("txtSavingsPeriod", "11");
    EXPECT_EQ(dialogBox->text(), "0");
    EXPECT_EQ(runner.inputs.back().timesRepeated, 0);
    dialogBox->setText("1");
    window->markInputsChanged();
    window->updateAnalysis();
    EXPECT_EQ(runner.inputs.back().timesRepeated, 1);
    dialogBox.reset();
    enter("txtSavingsPeriod", "12");
    EXPECT_EQ(runner.inputs.back().savingsPeriod, 12);
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
    EXPECT_EQ(messages.messages.back().text, "[checkDollarValue]");
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

    // A default breakdown picks its option and runs first.
    for (const auto& [parts, option] : {std::pair{std::array<double, 4>{95, 5, 0, 0}, "optTaxEfficient"},
                                        {std::array<double, 4>{50, 50, 0, 0}, "optCustomInvestmentMix"}}) {
        SetBreakdown(setup.values, parts);
        open();
        EXPECT_TRUE(child<QRadioButton>(*window, option)->isChecked()) << option;
        EXPECT_EQ(runner.inputs.back().breakdown, parts);
    }
}

TEST_F(WindowTest, defaultsOutsideTheirRangesStartRepaired)
{
    setup.values[Setting::TaxRate] = 100;
    setup.values[Setting::SavingsPeriod] = 0;
    setup.values[Setting::ProjectedReturn4] = 40;
    open();
    EXPECT_EQ(texts({"txtTaxRate", "txtSavingsPeriod", "txtReturn3"}), "99 1 25.0");
    EXPECT_EQ(runner.inputs.front().taxRate, 99);
}

TEST_F(WindowTest, limitsAndNumbersBeyondTheSpinnersStayInRange)
{
    // A damaged data file: limits and defaults far past the whole numbers
    // the spinners hold.
    setup.values[Setting::MaxReturnAllowed] = 1e308;
    setup.values[Setting::MinInterestRateAllowed] = -1e308;
    for (Setting s : {Setting::TaxRate, Setting::InterestRateOnLoan, Setting::ProjectedReturn1,
                      Setting::ProjectedReturn4, Setting::TimesLoanRepeated, Setting::InvestmentType})
        setup.values[s] = 1e308;
    setup.values[Setting::SavingsPeriod] = -1e308;
    setup.values[Setting::ProjectedReturn3] = -1e308;
    open();
    // A limit past any whole number is taken as none.
    EXPECT_EQ(texts({"txtTaxRate", "txtIntRate", "txtSavingsPeriod", "txtReturn0", "txtReturn2"}),
              "99 50 1 32767.0 -99.0");

    // A typed number past either end steps to the last legal value.
    for (const char* name : {"updTaxRate", "updIntRate", "updSavingsPeriod", "updReturn0", "updReturn3",
                             "updProjectionReturn0"}) {
        SCOPED_TRACE(name);
        UpDown* updown = spinner(name);
        EXPECT_LE(updown->min(), updown->value());
        EXPECT_LE(updown->value(), updown->max());
        updown->buddy()->setText("1e308");
        updown->stepUp();
        leave(updown->buddy());
        EXPECT_EQ(ReadField(updown->buddy()->text().toStdString(), English), updown->max() - 1);
        updown->buddy()->setText("-1e308");
        updown->stepDown();
        leave(updown->buddy());
        EXPECT_EQ(ReadField(updown->buddy()->text().toStdString(), English), updown->min() + 1);
    }
}

TEST_F(WindowTest, otherUnleveragedInvestmentsTakeAnyAmount)
{
    setup.values.setFlag(Setting::ProvLimitedDeduct, true);
    open();
    enter("txtOtherUnlevInvest", "-2500");
    EXPECT_EQ(text("txtOtherUnlevInvest"), "-$2,500");
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(runner.inputs.back().otherUnleveraged, -2500);
}

} // namespace
} // namespace gw::test
