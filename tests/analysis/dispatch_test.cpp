#include "dispatch.h"
#include "results_text.h"
#include "scenario.h"

#include <gtest/gtest.h>

#include <memory>

namespace gw {
namespace {

TEST(Dispatch, goldenAnalyses)
{
    test::ExpectBlocks("analysis/golden/analyses.txt",
                       [](const test::Tokens& words) { return test::ResultsText(test::Run(test::ParseScenario(words))); });
}

TEST(Dispatch, fieldsAreReadAsWholeNumbersOrRefused)
{
    test::ExpectCaseTable("analysis/golden/inputs-read.txt", [](const test::Tokens& words) {
        const test::Scenario s = test::ParseScenario(words);
        auto state = std::make_unique<AnalysisState>();
        const AnalysisOutcome outcome = RunAnalysis(s.strategy, s.in, *state);
        if (!outcome.ok())
            return test::Tokens{"error:", outcome.error};
        return std::visit(
            [](const auto& r) { return test::Tokens{std::to_string(r.horizon), test::Fixed(r.loan_amount, 2, true)}; },
            *outcome.results);
    });
}

TEST(Dispatch, eachStrategyKeepsItsOwnResults)
{
    auto state = std::make_unique<AnalysisState>();
    const AnalysisOutcome io = RunAnalysis(Strategy::InterestOnly, test::SampleInputs(), *state);
    ASSERT_TRUE(io.ok()) << io.error;
    const double breakEven = std::get<IntOnlyResults>(*io.results).break_even_return;
    EXPECT_EQ(BreakEvenReturn(*state, Strategy::InterestOnly), breakEven);
    ASSERT_TRUE(std::holds_alternative<TermResults>(*RunAnalysis(Strategy::TermLoan, test::SampleInputs(), *state).results));
    EXPECT_EQ(BreakEvenReturn(*state, Strategy::TermLoan), state->Term.BreakEvenReturn);
    ASSERT_TRUE(std::holds_alternative<RRSPResults>(*RunAnalysis(Strategy::RRSP, test::SampleInputs(), *state).results));
    EXPECT_EQ(BreakEvenReturn(*state, Strategy::RRSP), NoReturn);
    EXPECT_EQ(state->IntOnly.BreakEvenReturn, breakEven);

    const AnalysisOutcome unknown = RunAnalysis(static_cast<Strategy>(3), test::SampleInputs(), *state);
    EXPECT_FALSE(unknown.ok());
    EXPECT_NE(unknown.error.find("3"), std::string::npos);
}

TEST(Dispatch, failedAnalysisLeavesThePreviousResults)
{
    auto state = std::make_unique<AnalysisState>();
    for (Strategy strategy : kStrategies) {
        SCOPED_TRACE(Index(strategy));
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
            EXPECT_FALSE(failed.ok() || failed.error.empty());
        }
        EXPECT_EQ(state->IntOnly.Returns, before->IntOnly.Returns);
        EXPECT_EQ(state->IntOnly.Slots[0].Detail.NetBalancePayoff, before->IntOnly.Slots[0].Detail.NetBalancePayoff);
        EXPECT_EQ(state->Term.Returns, before->Term.Returns);
        EXPECT_EQ(state->Term.Slots[0].Detail.LoanBalance, before->Term.Slots[0].Detail.LoanBalance);
        EXPECT_EQ(state->RRSP.RRSPReturns, before->RRSP.RRSPReturns);
        EXPECT_EQ(state->RRSP.CatchUpResults[0].BTBalance, before->RRSP.CatchUpResults[0].BTBalance);
    }
}

} // namespace
} // namespace gw
