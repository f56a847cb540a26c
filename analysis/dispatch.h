#pragma once

#include "inputs.h"
#include "intonly.h"
#include "rrsp.h"
#include "term.h"

#include <optional>
#include <string>
#include <variant>

// The one entry through which the windows and the command-line tool run an
// analysis. No Qt.
namespace gw {

// The results every strategy leaves, owned by the caller and kept from one
// analysis to the next (the tables, charts, notes and reports read them).
// About 200 kB: keep it in a long-lived object, not on a small stack.
struct AnalysisState {
    IntOnlyState IntOnly;
    TermState Term;
    RRSPState RRSP;
};

// The result record of the strategy that ran, in Strategy order.
using AnalysisResults = std::variant<IntOnlyResults, TermResults, RRSPResults>;
static_assert(std::variant_size_v<AnalysisResults> == kStrategies.size());

// The strategy whose results these are.
inline Strategy StrategyOf(const AnalysisResults& results) { return kStrategies[results.index()]; }

// Either the results or, when the analysis failed, the message to show.
struct AnalysisOutcome {
    std::optional<AnalysisResults> results;
    std::string error;

    bool ok() const { return results.has_value(); }
};

// Runs `strategy` on `in` into a copy of that strategy's state and commits the
// copy only when the analysis succeeds, so a failed analysis leaves the
// previous results of every strategy as they were. An AnalysisError (or an
// unknown strategy) comes back as `error`; nothing else is caught.
AnalysisOutcome RunAnalysis(Strategy strategy, const AnalysisInputs& in, AnalysisState& state);

// The break-even return the last analysis of `strategy` found (fraction), or
// NoReturn: always NoReturn for RRSP loans, which have none.
double BreakEvenReturn(const AnalysisState& state, Strategy strategy);

} // namespace gw
