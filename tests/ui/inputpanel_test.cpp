#include "numformat.h"
#include "window_fixture.h"

#include <QComboBox>
#include <QRadioButton>

namespace gw::test {
namespace {

TEST_F(WindowTest, outOfRangeEntriesAreRepairedWithTheRangeInTheMessage)
{
    // Sponsor limits: returns up to 25, loan rates from 2.
    struct Case {
        const char* field;
        const char* typed;
        const char* after;
        const char* message;
    } cases[] = {
        {"txtTaxRate", "100", "99", "Tax rate: 0 to 99"},
        {"txtTaxRate", "-5", "0", "Tax rate: 0 to 99"},
        {"txtIntRate", "1", "2", "Interest rate: 2 to 50, warning at 4"},
        {"txtIntRate", "51", "50", "Interest rate: 2 to 50, warning at 4"},
        {"txtSavingsPeriod", "0", "1", "Savings period: 1 to 80"},
        {"txtSavingsPeriod", "81", "80", "Savings period: 1 to 80"},
        {"txtReturn0", "30", "25", "Return: -99 to 25"},
        {"txtReturn3", "-100", "-99", "Return: -99 to 25"},
        // The projection return is the third return: the same limits.
        {"txtProjectionReturn0", "60", "25", "Return: -99 to 25"},
    };
    open();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " " + c.typed);
        messages.messages.clear();
        const int runs = runner.runs;
        enter(c.field, c.typed);
        EXPECT_EQ(text(c.field), c.after);
        ASSERT_GE(messages.messages.size(), 1u);
        EXPECT_EQ(messages.messages[0].title, "[OutOfBoundsTitle]");
        EXPECT_EQ(messages.messages[0].text, c.message);
        // One analysis, on the repaired value.
        EXPECT_EQ(runner.runs, runs + 1);
        EXPECT_FALSE(window->inputsChanged());
    }
    EXPECT_EQ(text("txtReturn2"), "25");
    EXPECT_EQ(runner.inputs.back().projectionReturn, 25);
    EXPECT_EQ(runner.inputs.back().returns[2], 25);
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
    enter("txtTaxRate", "99");
    messages.messages.clear();
    clickSpinner("updTaxRate", true);
    EXPECT_EQ(text("txtTaxRate"), "99");
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.lastText(), "Tax rate: 0 to 99");

    enter("txtTaxRate", "0");
    messages.messages.clear();
    clickSpinner("updTaxRate", false);
    EXPECT_EQ(text("txtTaxRate"), "0");
    EXPECT_EQ(messages.lastText(), "Tax rate: 0 to 99");

    const int runs = runner.runs;
    clickSpinner("updSavingsPeriod", true);
    EXPECT_EQ(text("txtSavingsPeriod"), "11");
    EXPECT_EQ(runner.runs, runs + 1);
    EXPECT_EQ(runner.inputs.back().savingsPeriod, 11);
}

TEST_F(WindowTest, nonNumbersTakeTheirReplacements)
{
    open();
    enter("txtReturn1", "abc");
    EXPECT_EQ(text("txtReturn1"), "5");
    enter("txtLoanAmount", "lots");
    EXPECT_EQ(text("txtLoanAmount"), "$100,000");
    enter("txtLoanAmount", "0");
    EXPECT_EQ(text("txtLoanAmount"), "$100,000");
    enter("txtLoanAmount", "250000");
    EXPECT_EQ(text("txtLoanAmount"), "$250,000");
    enter("txtSavingsPeriod", "10.7");
    EXPECT_EQ(text("txtSavingsPeriod"), "10");
    EXPECT_EQ(messages.messages.back().text, "[checkIntegerValue]");
    EXPECT_EQ(messages.count("information"), 4);
    EXPECT_EQ(runner.inputs.back().loanAmount, 250000);
    EXPECT_EQ(runner.inputs.back().savingsPeriod, 10);
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
    EXPECT_EQ(text("txtProjectionReturn0"), "9");
    EXPECT_EQ(text("txtProjectionReturn1"), "9");
    EXPECT_TRUE(window->inputsChanged());
    leave(field("txtReturn2"));
    EXPECT_EQ(runner.inputs.back().returns[2], 9);
    EXPECT_EQ(runner.inputs.back().projectionReturn, 9);

    typeInto(field("txtProjectionReturn1"), "7.5");
    EXPECT_EQ(text("txtReturn2"), "7.5");
    EXPECT_EQ(text("txtProjectionReturn0"), "7.5");
    clickSpinner("updProjectionReturn0", true);
    EXPECT_EQ(text("txtReturn2"), "9");  // 7.5 rounds to 8, one step up
    EXPECT_EQ(runner.inputs.back().returns[2], 9);
    EXPECT_EQ(text("txtReturn0"), "6.0");
}

TEST_F(WindowTest, returnWarningIsAskedOnceAndNoStepsBelowTheLevel)
{
    open();
    enter("txtReturn0", "14");
    EXPECT_EQ(messages.count("question"), 0);  // one below the level

    messages.setNextAnswer(false);
    enter("txtReturn0", "15");
    EXPECT_EQ(messages.count("question"), 1);
    EXPECT_EQ(text("txtReturn0"), "14");
    EXPECT_FALSE(InputChecks::atSponsorLimit(*field("txtReturn0")));
    EXPECT_EQ(window->statusText(), "[stsbarPressF1]");
    EXPECT_TRUE(window->inputs().returnWarningGiven());
    // The results follow the value the user kept.
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
    messages.setNextAnswer(true);
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
}

TEST_F(WindowTest, interestRateWarningAnsweredNoGoesAboveTheLevel)
{
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
    times->setText("3");
    enter("txtSavingsPeriod", "20");
    EXPECT_EQ(times->text(), "3");
    EXPECT_EQ(messages.count("information"), 0);

    times->setText("4");
    enter("txtSavingsPeriod", "16");
    EXPECT_EQ(times->text(), "4");
    enter("txtSavingsPeriod", "17");
    EXPECT_EQ(times->text(), "0");
    EXPECT_EQ(messages.lastText(), "At most 80 years");
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
    EXPECT_EQ(text("txtLoanAmount"), "$100,000");
    EXPECT_EQ(text("txtAnnualInvestment"), "$14,903");
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
}

TEST_F(WindowTest, defaultBreakdownPicksItsOptionAndRunsFirst)
{
    SetBreakdown(setup.values, {95, 5, 0, 0});
    open();
    EXPECT_TRUE(child<QRadioButton>(*window, "optTaxEfficient")->isChecked());
    EXPECT_EQ(runner.inputs.front().breakdown, (std::array<double, 4>{95, 5, 0, 0}));

    SetBreakdown(setup.values, {50, 50, 0, 0});
    open();
    EXPECT_TRUE(child<QRadioButton>(*window, "optCustomInvestmentMix")->isChecked());
    EXPECT_EQ(runner.inputs.back().breakdown, (std::array<double, 4>{50, 50, 0, 0}));
}

TEST_F(WindowTest, defaultsOutsideTheirRangesStartRepaired)
{
    setup.values[Setting::TaxRate] = 100;
    setup.values[Setting::SavingsPeriod] = 0;
    setup.values[Setting::ProjectedReturn4] = 40;
    open();
    EXPECT_EQ(text("txtTaxRate"), "99");
    EXPECT_EQ(text("txtSavingsPeriod"), "1");
    EXPECT_EQ(text("txtReturn3"), "25.0");
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
    EXPECT_EQ(text("txtTaxRate"), "99");
    EXPECT_EQ(text("txtIntRate"), "50");
    EXPECT_EQ(text("txtSavingsPeriod"), "1");
    EXPECT_EQ(text("txtReturn0"), "32767.0");  // the limit is taken as none
    EXPECT_EQ(text("txtReturn2"), "-99.0");

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

TEST_F(WindowTest, limitedDeductionInputsFollowTheTaxSettings)
{
    open();
    EXPECT_FALSE(child<QComboBox>(*window, "cmbInvestmentType")->isVisibleTo(window.get()));
    EXPECT_FALSE(field("txtOtherUnlevInvest")->isVisibleTo(window.get()));
    EXPECT_EQ(child<QRadioButton>(*window, "optAnnualInvestment")->text(), "[optAnnualInvestment_Int_RRSP]");

    SettingValues tax = SampleSettingValues();
    tax.setFlag(Setting::ProvLimitedDeduct, true);
    window->applySetupValues(tax);
    EXPECT_TRUE(child<QComboBox>(*window, "cmbInvestmentType")->isVisibleTo(window.get()));
    EXPECT_TRUE(field("txtOtherUnlevInvest")->isVisibleTo(window.get()));
    EXPECT_EQ(child<QRadioButton>(*window, "optAnnualInvestment")->text(), "[InitialAftertaxInvestment]");

    enter("txtOtherUnlevInvest", "-2500");
    EXPECT_EQ(text("txtOtherUnlevInvest"), "-$2,500");  // accepted as it is
    EXPECT_EQ(runner.inputs.back().otherUnleveraged, -2500);
}

} // namespace
} // namespace gw::test
