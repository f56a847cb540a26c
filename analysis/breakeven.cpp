#include "breakeven.h"

#include "error.h"
#include "growth.h"
#include "inputs.h"

#include <algorithm>
#include <cmath>

namespace gw {

namespace {

int sign(double value) { return (value > 0) - (value < 0); }

// Enough to split a bracket of 0.000005 down to the spacing of doubles.
constexpr int kMaxExtraHalvings = 60;

} // namespace

double FindBreakEvenReturn(double loanRate, const std::function<double(double)>& gap)
{
    // The bracket grows from the loan rate, so it cannot start from 0 or below.
    if (!(loanRate > 0))
        return NoReturn;

    double lo = 0;
    double gLo = gap(lo);
    // The upper end of a bracket always has a positive gap, so a positive gap
    // at 0 can never be bracketed.
    if (gLo > 0)
        return NoReturn;

    double hi = loanRate;
    double gHi = 0;
    bool bracketed = false;
    for (int probe = 0; probe < kMaxBracketExpansions && !bracketed; ++probe) {
        hi *= 1.2;
        try {
            gHi = gap(hi);
        } catch (const AnalysisError&) {
            // Returns this large overflow the projection: leverage never
            // overtook below them.
            return NoReturn;
        }
        bracketed = gHi > 0;
    }
    if (!bracketed)
        return NoReturn;

    const double scale = std::max(std::fabs(gHi), std::fabs(gLo));
    const double tolerance = 0.0005 * scale;
    double mid = lo;
    double gMid = gLo;
    const auto halve = [&] {
        mid = lo + (hi - lo) * 0.5;
        gMid = gap(mid);
        if (sign(gMid) == sign(gLo)) {
            lo = mid;
            gLo = gMid;
        } else {
            hi = mid;
            gHi = gMid;
        }
    };
    double width = hi - lo;
    do {
        halve();
        width *= 0.5;
    } while (width >= 0.000005);

    // A gap that is steep against the gaps at the ends (a low loan rate over
    // a long horizon) is still far from 0 at that width although it changes
    // sign: keep halving until it is close enough or the bracket cannot be
    // split any more (a jump, not a root).
    for (int extra = 0; extra < kMaxExtraHalvings && !(std::fabs(gMid) < tolerance); ++extra) {
        if (!(lo < lo + (hi - lo) * 0.5 && lo + (hi - lo) * 0.5 < hi))
            break;
        halve();
    }
    return std::fabs(gMid) < tolerance ? mid : NoReturn;
}

} // namespace gw
