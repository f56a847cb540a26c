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

TEST(Dispatch, unknownStrategyIsAnError)
{
    auto state = std::make_unique<AnalysisState>();
    const AnalysisOutcome outcome = RunAnalysis(static_cast<Strategy>(3), test::SampleInputs(), *state);
    EXPECT_FALSE(outcome.ok());
    EXPECT_NE(outcome.error.find("3"), std::string::npos);
}

} // namespace
} // namespace gw
