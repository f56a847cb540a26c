#include "error.h"
#include "money_field.h"
#include "rrsp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace gw {
namespace {

// The worked example: 50,000 at 8 % over 10 years, tax rate 40 %.
AnalysisInputs example(double returnPercent = 8)
{
    AnalysisInputs in;
    in.loanAmount = 50000;
    in.taxRate = 40;
    in.interestRate = 8;
    in.savingsPeriod = 10;
    in.timesRepeated = 0;
    in.returns = {returnPercent, returnPercent, returnPercent, returnPercent};
    in.projectionReturn = returnPercent;
    return in;
}

TEST(RRSPLoans, workedExampleContributions)
{
    RRSPState state;
    const RRSPResults res = RunRRSPAnalysis(example(), state);
    EXPECT_NEAR(res.annual_investment, 4139.71, 0.005);
    EXPECT_NEAR(state.SpendRefund.InvestmentPerPeriod, 4139.71, 0.005);
    EXPECT_NEAR(state.ReinvestRefund.InvestmentPerPeriod, 5795.59, 0.005);
    EXPECT_NEAR(state.GrossUp.InvestmentPerPeriod, 6899.51, 0.005);
    EXPECT_EQ(res.horizon, 10);
    EXPECT_EQ(res.loan_amount, 50000);
    ASSERT_EQ(res.projection.size(), 10u);
    EXPECT_NEAR(res.projection[4].gross_up_contribution, 6899.51, 0.005);
    // The terms the report prints are those the plans ran on.
    EXPECT_EQ(res.spend_contribution, state.SpendRefund.InvestmentPerPeriod);
    EXPECT_EQ(res.reinvest_contribution, state.ReinvestRefund.InvestmentPerPeriod);
    EXPECT_EQ(res.gross_up_contribution, state.GrossUp.InvestmentPerPeriod);
    EXPECT_NEAR(res.refund, 20000, 1e-9);
    EXPECT_EQ(res.loan_rate, 0.08);
    EXPECT_EQ(res.tax_rate, 0.4);
    EXPECT_EQ(res.loan_periods, 10);
    EXPECT_EQ(res.loan_repeats, 0);

    // The window's dependent field must show the same P the analysis uses.
    const auto fieldP = setAnnualInvestment(Strategy::RRSP, example());
    ASSERT_TRUE(fieldP);
    EXPECT_DOUBLE_EQ(*fieldP, res.annual_investment);
}

TEST(RRSPLoans, returnEqualToTheLoanRate)
{
    // Gross-up matches the catch-up loan; spending the refund keeps (1 - t),
    // reinvesting it (1 - t^2).
    RRSPState state;
    const RRSPResults res = RunRRSPAnalysis(example(8), state);
    for (const RRSPSummaryRow& row : res.summary) {
        EXPECT_NEAR(row.catch_up, 107946.25, 0.005);
        EXPECT_NEAR(row.gross_up, row.catch_up, 1e-6);
        EXPECT_NEAR(row.gross_up_percent, 0, 1e-12);
        EXPECT_NEAR(row.spend_percent, -0.40, 1e-12);
        EXPECT_NEAR(row.reinvest_percent, -0.16, 1e-12);
        EXPECT_NEAR(row.spend_refund, 0.6 * row.catch_up, 1e-6);
    }
    const RRSPProjectionYear& last = res.projection.back();
    EXPECT_EQ(last.year, 10);
    EXPECT_NEAR(last.catch_up_balance, 107946.25, 0.005);
    EXPECT_NEAR(last.reinvest_percent, -0.16, 1e-12);

    // The run at the loan rate lands on the same values.
    const RRSPVariantValues atLoanRate = RunRRSPAtLoanRate(state);
    EXPECT_NEAR(atLoanRate.catch_up, 107946.25, 0.005);
    EXPECT_NEAR(atLoanRate.gross_up, atLoanRate.catch_up, 1e-6);
    EXPECT_NEAR(atLoanRate.spend_refund, 0.6 * atLoanRate.catch_up, 1e-6);
    EXPECT_NEAR(atLoanRate.reinvest_refund, 0.84 * atLoanRate.catch_up, 1e-6);
    EXPECT_EQ(state.CatchUpResults[5].BTBalance[10], atLoanRate.catch_up);
}

// The comparison in the results is the summary row the plans give when the
// return is the loan rate, and it is left in slot 5 as the notes once left it.
TEST(RRSPLoans, comparisonAtTheLoanRateIsWhatThePlansGiveThere)
{
    struct Case {
        const char* name;
        double loanRate;
        double period;
        double repeats;
    };
    const Case cases[] = {
        {"8 %, one loan", 8, 10, 0},
        {"7.25 %, loan taken three times", 7.25, 5, 2},
        {"interest-free", 0, 10, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AnalysisInputs in = example(3);
        in.interestRate = c.loanRate;
        in.savingsPeriod = c.period;
        in.timesRepeated = c.repeats;
        RRSPState state;
        const RRSPResults res = RunRRSPAnalysis(in, state);
        ASSERT_TRUE(res.at_loan_rate.has_value());

        AnalysisInputs atRate = in;
        atRate.returns = {c.loanRate, c.loanRate, c.loanRate, c.loanRate};
        RRSPState other;
        const RRSPSummaryRow row = RunRRSPAnalysis(atRate, other).summary[0];
        EXPECT_EQ(*res.at_loan_rate, (RRSPVariantValues{row.catch_up, row.spend_refund, row.reinvest_refund,
                                                         row.gross_up}));
        EXPECT_EQ(state.CatchUpResults[5].BTBalance[res.horizon], res.at_loan_rate->catch_up);
        EXPECT_EQ(state.GrossUpResults[5].BTBalance[res.horizon], res.at_loan_rate->gross_up);
        // Running it again on the state gives it back.
        EXPECT_EQ(RunRRSPAtLoanRate(state), *res.at_loan_rate);
    }
}

TEST(RRSPLoans, failedComparisonAtTheLoanRateLeavesTheAnalysisStanding)
{
    // A 1e6 % loan rate overflows the plans within 80 years; the returns do not.
    AnalysisInputs in = example();
    in.interestRate = 1e6;
    in.savingsPeriod = 80;
    RRSPState state;
    RRSPResults res;
    ASSERT_NO_THROW(res = RunRRSPAnalysis(in, state));
    EXPECT_FALSE(res.at_loan_rate.has_value());
    EXPECT_EQ(res.horizon, 80);
    EXPECT_EQ(res.loan_rate, 1e4);
    ASSERT_EQ(res.projection.size(), 80u);
    // The analysis is committed whole.
    EXPECT_EQ(state.RRSPAnnualInvestment, res.annual_investment);
    EXPECT_EQ(state.CatchUpResults[0].BTBalance[80], res.projection.back().catch_up_balance);
}

TEST(RRSPLoans, zeroReturnHoldsWhatWentIn)
{
    struct Case {
        double period;
        double repeats;
    };
    const Case cases[] = {{10, 0}, {10, 3}, {10, 7}, {5, 1}, {1, 79}, {80, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE("period " + std::to_string(c.period) + ", repeats " + std::to_string(c.repeats));
        AnalysisInputs in = example(0);
        in.savingsPeriod = c.period;
        in.timesRepeated = c.repeats;
        RRSPState state;
        const RRSPResults res = RunRRSPAnalysis(in, state);
        const int n = static_cast<int>(c.period * (c.repeats + 1));
        ASSERT_EQ(res.horizon, n);
        const RRSPSummaryRow& row = res.summary[0];
        EXPECT_NEAR(row.catch_up, 50000 * (c.repeats + 1), 1e-6);
        EXPECT_NEAR(row.spend_refund, n * state.SpendRefund.InvestmentPerPeriod, 1e-6);
        EXPECT_NEAR(row.reinvest_refund, n * state.ReinvestRefund.InvestmentPerPeriod, 1e-6);
        EXPECT_NEAR(row.gross_up, n * state.GrossUp.InvestmentPerPeriod, 1e-6);
    }
}

TEST(RRSPLoans, catchUpLoanEntersAtTheStartOfEveryLoan)
{
    AnalysisInputs in = example(5);
    in.savingsPeriod = 10;
    in.timesRepeated = 3;
    RRSPState state;
    const RRSPResults res = RunRRSPAnalysis(in, state);
    ASSERT_EQ(res.projection.size(), 40u);
    for (const RRSPProjectionYear& y : res.projection) {
        SCOPED_TRACE(y.year);
        const bool loanYear = y.year % 10 == 1;
        EXPECT_EQ(y.catch_up_contribution, loanYear ? 50000 : 0);
        EXPECT_EQ(y.spend_contribution, res.annual_investment);
    }
    EXPECT_EQ(state.CatchUpLoan.Cashflow[0], 0);
    EXPECT_EQ(state.CatchUpLoan.Cashflow[41], 0);
}

TEST(RRSPLoans, returnsAreSortedAndEqualReturnsGiveEqualRows)
{
    AnalysisInputs in = example();
    in.returns = {9, 3, 9, -2};
    in.projectionReturn = 6;
    RRSPState state;
    const RRSPResults res = RunRRSPAnalysis(in, state);
    const ReturnSlots expected{0.06, -0.02, 0.03, 0.09, 0.09, kRRSPReturnFiller};
    for (int i = 0; i < 6; ++i)
        EXPECT_DOUBLE_EQ(res.returns[i], expected[i]) << "slot " << i;
    for (int i = 0; i < 4; ++i)
        EXPECT_DOUBLE_EQ(res.summary[i].return_, expected[i + 1]) << "row " << i;
    EXPECT_LT(res.summary[0].catch_up, res.summary[1].catch_up);
    EXPECT_EQ(res.summary[2].catch_up, res.summary[3].catch_up);
    EXPECT_EQ(res.summary[2].gross_up_percent, res.summary[3].gross_up_percent);

    // A projection return equal to a summary return ends on that row.
    in.projectionReturn = 3;
    const RRSPResults again = RunRRSPAnalysis(in, state);
    const RRSPProjectionYear& last = again.projection.back();
    EXPECT_EQ(last.catch_up_balance, again.summary[1].catch_up);
    EXPECT_EQ(last.reinvest_balance, again.summary[1].reinvest_refund);
    EXPECT_EQ(last.gross_up_percent, again.summary[1].gross_up_percent);
}

TEST(RRSPLoans, zeroLoanRateRepaysInEqualParts)
{
    AnalysisInputs in = example(4);
    in.interestRate = 0;
    RRSPState state;
    const RRSPResults res = RunRRSPAnalysis(in, state);
    EXPECT_DOUBLE_EQ(res.annual_investment, 0.6 * 50000 / 10);
    for (const RRSPSummaryRow& row : res.summary)
        EXPECT_TRUE(std::isfinite(row.gross_up_percent));
    const RRSPVariantValues atLoanRate = RunRRSPAtLoanRate(state);
    EXPECT_DOUBLE_EQ(atLoanRate.catch_up, 50000);
    EXPECT_NEAR(atLoanRate.spend_refund, 30000, 1e-9);
}

TEST(RRSPLoans, inputsWithNoAnswerThrowAndKeepThePreviousAnalysis)
{
    RRSPState state;
    const RRSPResults good = RunRRSPAnalysis(example(), state);

    struct Case {
        const char* name;
        void (*change)(AnalysisInputs&);
        const char* inMessage;
    };
    const Case cases[] = {
        {"tax rate 100", [](AnalysisInputs& in) { in.taxRate = 100; }, "100"},
        {"tax rate 120", [](AnalysisInputs& in) { in.taxRate = 120; }, "120"},
        {"period 0", [](AnalysisInputs& in) { in.savingsPeriod = 0; }, "savings period"},
        {"81 years", [](AnalysisInputs& in) { in.savingsPeriod = 27; in.timesRepeated = 2; }, "80"},
        {"negative repeats", [](AnalysisInputs& in) { in.timesRepeated = -1; }, "repeated"},
        {"huge period", [](AnalysisInputs& in) { in.savingsPeriod = 1e12; }, "out of range"},
        {"return past the filler", [](AnalysisInputs& in) { in.returns[1] = 1e6; }, "return of 1e+06 %"},
        {"NaN return", [](AnalysisInputs& in) { in.returns[3] = NAN; }, "return of nan %"},
        {"balance overflows", [](AnalysisInputs& in) { in.loanAmount = 1.7e308; }, "finite"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AnalysisInputs in = example();
        c.change(in);
        try {
            RunRRSPAnalysis(in, state);
            ADD_FAILURE() << "no error";
        } catch (const AnalysisError& e) {
            EXPECT_NE(std::string(e.what()).find(c.inMessage), std::string::npos) << e.what();
        }
        EXPECT_EQ(state.RRSPAnnualInvestment, good.annual_investment);
        EXPECT_EQ(state.CatchUpResults[1].BTBalance[10], good.summary[0].catch_up);
        EXPECT_EQ(state.CatchUpLoan.NPeriods, 10);
    }
}

TEST(RRSPLoans, fieldsAreReadAsWholeNumbers)
{
    // Dollars round halves away from zero, years halves to even.
    AnalysisInputs in = example(0);
    in.loanAmount = 50000.5;
    in.savingsPeriod = 10.5;
    RRSPState state;
    const RRSPResults res = RunRRSPAnalysis(in, state);
    EXPECT_EQ(res.loan_amount, 50001);
    EXPECT_EQ(res.horizon, 10);
    EXPECT_EQ(state.Loan.NLoanPeriods, 10);
}

TEST(RRSPLoans, loanRateRunNeedsAnAnalysis)
{
    RRSPState state;
    EXPECT_THROW(RunRRSPAtLoanRate(state), AnalysisError);
}

} // namespace
} // namespace gw
