#pragma once

#include <functional>

namespace gw {

// Most times the upper end of the bracket is raised by 20 % before the search
// gives up.
inline constexpr int kMaxBracketExpansions = 200;

// The return (fraction) at which gap(return) changes sign from not above 0 to
// above 0, where gap is the leveraged net value minus the unleveraged value at
// the horizon. The bracket runs from 0 to the loan rate raised by 20 % until
// the gap turns positive, then is halved down to a width below 0.000005; the
// answer counts when its gap is below 0.0005 of the larger gap at the ends.
// While it is not, halving goes on (at most 60 times more) before the search
// gives up, so a steep gap still finds its root.
// Returns NoReturn when the loan rate is not above 0, when leverage already
// wins at a return of 0, when no bracket is found within
// kMaxBracketExpansions probes (a probe whose analysis fails ends the
// expansion too), or when the search does not converge.
// An AnalysisError from gap(0) or from a probe inside the bracket propagates.
double FindBreakEvenReturn(double loanRate, const std::function<double(double)>& gap);

} // namespace gw
