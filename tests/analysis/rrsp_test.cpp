// RRSP loans; their whole results are golden in dispatch_test.cpp.
#include "error.h"
#include "money_field.h"
#include "rrsp.h"
#include "scenario.h"

#include <gtest/gtest.h>

#include <cmath>

namespace gw {
namespace {

// 50,000 at 8 % over 10 years, tax 40 %, every return the same.
AnalysisInputs example(double returnPercent)
{
    AnalysisInputs in = test::ParseScenario({"loan=50000"}).in;
    in.returns.fill(returnPercent);
    in.projectionReturn = returnPercent;
    return in;
}

// The comparison in the results is the summary row the plans give when the
// return is the loan rate, and it is left in slot 5 as the notes once left it.
TEST(RRSPLoans, comparisonAtTheLoanRateIsWhatThePlansGiveThere)
{
    for (const test::Tokens& words : {test::Tokens{}, {"rate=7.25", "years=5", "repeats=2"}, {"rate=0"}}) {
        test::Scenario s = test::ParseScenario(words);
        SCOPED_TRACE(s.in.interestRate);
        RRSPState state;
        const RRSPResults res = RunRRSPAnalysis(s.in, state);
        ASSERT_TRUE(res.at_loan_rate.has_value());
        s.in.returns.fill(s.in.interestRate);
        RRSPState other;
        const RRSPSummaryRow row = RunRRSPAnalysis(s.in, other).summary[0];
        EXPECT_EQ(*res.at_loan_rate, (RRSPVariantValues{row.catch_up, row.spend_refund, row.reinvest_refund, row.gross_up}));
        EXPECT_EQ(state.CatchUpResults[5].BTBalance[res.horizon], res.at_loan_rate->catch_up);
        EXPECT_EQ(state.GrossUpResults[5].BTBalance[res.horizon], res.at_loan_rate->gross_up);
        EXPECT_EQ(RunRRSPAtLoanRate(state), *res.at_loan_rate);
        // The window's dependent field shows the yearly payment the plans use.
        EXPECT_EQ(setAnnualInvestment(Strategy::RRSP, s.in), res.annual_investment);
    }
}

TEST(RRSPLoans, failedComparisonAtTheLoanRateLeavesTheAnalysisStanding)
{
    // A 1e6 % loan rate overflows the plans within 80 years; the returns do not.
    AnalysisInputs in = example(8);
    in.interestRate = 1e6;
    in.savingsPeriod = 80;
    RRSPState state;
    RRSPResults res;
    ASSERT_NO_THROW(res = RunRRSPAnalysis(in, state));
    EXPECT_FALSE(res.at_loan_rate.has_value());
    EXPECT_EQ(res.loan_rate, 1e4);
    ASSERT_EQ(res.projection.size(), 80u);
    EXPECT_EQ(state.RRSPAnnualInvestment, res.annual_investment);
    EXPECT_EQ(state.CatchUpResults[0].BTBalance[80], res.projection.back().catch_up_balance);
}

TEST(RRSPLoans, zeroReturnHoldsWhatWentIn)
{
    for (const auto& [period, repeats] : {std::pair{10, 0}, {10, 3}, {10, 7}, {5, 1}, {1, 79}, {80, 0}, {1, 0}}) {
        SCOPED_TRACE(testing::Message() << period << " years, repeated " << repeats);
        AnalysisInputs in = example(0);
        in.savingsPeriod = period;
        in.timesRepeated = repeats;
        RRSPState state;
        const RRSPResults res = RunRRSPAnalysis(in, state);
        const int n = period * (repeats + 1);
        ASSERT_EQ(res.horizon, n);
        const RRSPSummaryRow& row = res.summary[0];
        EXPECT_NEAR(row.catch_up, 50000 * (repeats + 1), 1e-6);
        EXPECT_NEAR(row.spend_refund, n * res.spend_contribution, 1e-6);
        EXPECT_NEAR(row.reinvest_refund, n * res.reinvest_contribution, 1e-6);
        EXPECT_NEAR(row.gross_up, n * res.gross_up_contribution, 1e-6);
    }
}

// A failed analysis leaves the committed state whole (see the dispatch
// tests); without one there is nothing to compare at the loan rate.
TEST(RRSPLoans, comparisonAtTheLoanRateNeedsAnAnalysis)
{
    RRSPState state;
    EXPECT_THROW(RunRRSPAtLoanRate(state), AnalysisError);
}

} // namespace
} // namespace gw
