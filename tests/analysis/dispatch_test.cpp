#include "dispatch.h"
#include "sample_inputs.h"

#include <gtest/gtest.h>

#include <memory>

namespace gw {
namespace {

TEST(Dispatch, runsEachStrategyIntoItsOwnResults)
{
    auto state = std::make_unique<AnalysisState>();
    const AnalysisOutcome io = RunAnalysis(Strategy::InterestOnly, test::SampleInputs(), *state);
    ASSERT_TRUE(io.ok()) << io.error;
    EXPECT_TRUE(std::holds_alternative<IntOnlyResults>(*io.results));
    EXPECT_EQ(BreakEvenReturn(*state, Strategy::InterestOnly), std::get<IntOnlyResults>(*io.results).break_even_return);

    const AnalysisOutcome term = RunAnalysis(Strategy::TermLoan, test::SampleInputs(), *state);
    ASSERT_TRUE(term.ok()) << term.error;
    EXPECT_TRUE(std::holds_alternative<TermResults>(*term.results));

    const AnalysisOutcome rrsp = RunAnalysis(Strategy::RRSP, test::SampleInputs(), *state);
    ASSERT_TRUE(rrsp.ok()) << rrsp.error;
    EXPECT_TRUE(std::holds_alternative<RRSPResults>(*rrsp.results));
    EXPECT_EQ(BreakEvenReturn(*state, Strategy::RRSP), NoReturn);
    // Each strategy keeps its own results.
    EXPECT_EQ(state->IntOnly.BreakEvenReturn, std::get<IntOnlyResults>(*io.results).break_even_return);
}

TEST(Dispatch, failedAnalysisLeavesThePreviousResults)
{
    auto state = std::make_unique<AnalysisState>();
    for (Strategy strategy : {Strategy::InterestOnly, Strategy::TermLoan, Strategy::RRSP}) {
        SCOPED_TRACE(static_cast<int>(strategy));
        ASSERT_TRUE(RunAnalysis(strategy, test::SampleInputs(), *state).ok());
        const auto before = std::make_unique<AnalysisState>(*state);

        // One input fails before anything runs, the other overflows a
        // projection half-way through the summary rows.
        AnalysisInputs noPeriod = test::SampleInputs();
        noPeriod.savingsPeriod = 0;
        AnalysisInputs overflow = test::SampleInputs();
        overflow.savingsPeriod = 80;
        overflow.returns[3] = 1e6;
        for (const AnalysisInputs& bad : {noPeriod, overflow}) {
            const AnalysisOutcome failed = RunAnalysis(strategy, bad, *state);
            EXPECT_FALSE(failed.ok());
            EXPECT_FALSE(failed.error.empty());
        }

        EXPECT_EQ(state->IntOnly.Returns, before->IntOnly.Returns);
        EXPECT_EQ(state->IntOnly.Slots[0].Detail.NetBalancePayoff, before->IntOnly.Slots[0].Detail.NetBalancePayoff);
        EXPECT_EQ(state->Term.Returns, before->Term.Returns);
        EXPECT_EQ(state->Term.Slots[0].Detail.LoanBalance, before->Term.Slots[0].Detail.LoanBalance);
        EXPECT_EQ(state->RRSP.RRSPReturns, before->RRSP.RRSPReturns);
        EXPECT_EQ(state->RRSP.CatchUpResults[0].BTBalance, before->RRSP.CatchUpResults[0].BTBalance);
    }
}

// Every rate differs from the others, so that a field read from the wrong
// input shows.
TEST(Dispatch, leverageResultsCarryTheTermsTheAnalysisRanOn)
{
    AnalysisInputs in = test::SampleInputs();
    in.interestRate = 7.25;
    in.breakdown = {50, 25, 10, 15};
    in.timesRepeated = 1;
    in.fedLimited = true;
    in.fedIncludeCG = false;
    in.fedDeductible = 90;
    in.provDeductible = 80;
    in.fedExpenses = 1.5;
    in.provExpenses = 0.75;

    LeverageTerms expected;
    expected.loan_rate = 0.0725;
    expected.tax_rate = 0.4;
    expected.federal_tax_rate = FedTaxRate(in);
    expected.provincial_tax_rate = ProvTaxRate(in);
    expected.dividend_tax_rate = DivTaxRate(in);
    expected.inclusion_rate = 0.5;
    expected.deferred_gains_ratio = 0.5;
    expected.capital_gains_ratio = 0.25;
    expected.dividend_ratio = 0.1;
    expected.interest_ratio = 0.15;
    // A limited deduction takes all the interest up to the income.
    expected.federal = {true, 1, false, 1.5};
    expected.provincial = {false, 0.8, true, 0.75};
    ASSERT_NE(expected.federal_tax_rate, expected.provincial_tax_rate);

    for (Strategy strategy : {Strategy::InterestOnly, Strategy::TermLoan}) {
        SCOPED_TRACE(static_cast<int>(strategy));
        auto state = std::make_unique<AnalysisState>();
        const AnalysisOutcome outcome = RunAnalysis(strategy, in, *state);
        ASSERT_TRUE(outcome.ok()) << outcome.error;
        if (const auto* io = std::get_if<IntOnlyResults>(&*outcome.results)) {
            EXPECT_EQ(io->terms, expected);
            continue;
        }
        const TermResults& term = std::get<TermResults>(*outcome.results);
        EXPECT_EQ(term.terms, expected);
        EXPECT_EQ(term.schedule.loan_periods, 10);
        EXPECT_EQ(term.schedule.loan_repeats, 1);
        ASSERT_EQ(term.projection.size(), 20u);
        // Each year's interest and principal make up the level payment.
        for (const TermYear& y : term.projection)
            EXPECT_NEAR(y.interest + y.principal, term.schedule.payment, 1e-6) << "year " << y.year;
    }
}

TEST(Dispatch, unknownStrategyIsAnError)
{
    auto state = std::make_unique<AnalysisState>();
    const AnalysisOutcome outcome = RunAnalysis(static_cast<Strategy>(3), test::SampleInputs(), *state);
    EXPECT_FALSE(outcome.ok());
    EXPECT_NE(outcome.error.find("3"), std::string::npos);
}

} // namespace
} // namespace gw
