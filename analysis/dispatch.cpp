#include "dispatch.h"

#include "error.h"

#include <memory>
#include <utility>

namespace gw {

namespace {

// Runs into a heap copy of `committed` (the states are large) and replaces it
// only once `run` has returned.
template <typename State, typename Run>
AnalysisResults runOnCopy(State& committed, Run run)
{
    auto work = std::make_unique<State>(committed);
    AnalysisResults results = run(*work);
    committed = std::move(*work);
    return results;
}

} // namespace

AnalysisOutcome RunAnalysis(Strategy strategy, const AnalysisInputs& in, AnalysisState& state)
{
    AnalysisOutcome outcome;
    try {
        switch (strategy) {
        case Strategy::InterestOnly:
            outcome.results = runOnCopy(state.IntOnly, [&](IntOnlyState& s) { return RunIntOnlyAnalysis(in, s); });
            break;
        case Strategy::TermLoan:
            outcome.results = runOnCopy(state.Term, [&](TermState& s) { return RunTermAnalysis(in, s); });
            break;
        case Strategy::RRSP:
            outcome.results = runOnCopy(state.RRSP, [&](RRSPState& s) { return RunRRSPAnalysis(in, s); });
            break;
        default:
            outcome.error = "analysis type " + std::to_string(static_cast<int>(strategy)) + " has not been added";
            break;
        }
    } catch (const AnalysisError& e) {
        outcome.results.reset();
        outcome.error = e.what();
    }
    return outcome;
}

double BreakEvenReturn(const AnalysisState& state, Strategy strategy)
{
    switch (strategy) {
    case Strategy::InterestOnly:
        return state.IntOnly.BreakEvenReturn;
    case Strategy::TermLoan:
        return state.Term.BreakEvenReturn;
    default:
        return NoReturn;
    }
}

} // namespace gw
