#include "breakeven.h"
#include "error.h"
#include "inputs.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

TEST(BreakEvenSearch, findsTheRootOfARisingGap)
{
    for (double root : {0.01, 0.05, 0.1234, 0.3})
        EXPECT_NEAR(FindBreakEvenReturn(0.08, [root](double x) { return 1000 * (x - root); }), root, 5e-6);
    // Loan rate 0.3 %: the bracket ends hold gaps of -1e6 and 2.6e6, so the
    // answer must lie within 1.3e-6 of the root, finer than the usual width.
    const double steep = FindBreakEvenReturn(0.003, [](double x) { return 1e9 * (x - 0.001); });
    EXPECT_NE(steep, NoReturn);
    EXPECT_NEAR(steep, 0.001, 1.3e-6);
}

TEST(BreakEvenSearch, givesNoReturnWithoutASignChange)
{
    int calls = 0;
    // Leverage already wins at 0: nothing to bracket.
    EXPECT_EQ(FindBreakEvenReturn(0.08, [&](double x) { ++calls; return 1 + x; }), NoReturn);
    EXPECT_EQ(calls, 1);
    // Leverage never wins: the expansion stops after its cap.
    calls = 0;
    EXPECT_EQ(FindBreakEvenReturn(0.08, [&](double) { ++calls; return -1.0; }), NoReturn);
    EXPECT_EQ(calls, 1 + kMaxBracketExpansions);
    // A loan rate of 0 or below never probes.
    for (double rate : {0.0, -0.02}) {
        calls = 0;
        EXPECT_EQ(FindBreakEvenReturn(rate, [&](double x) { ++calls; return x - 0.05; }), NoReturn);
        EXPECT_EQ(calls, 0);
    }
    // An overflowing probe ends the expansion.
    EXPECT_EQ(FindBreakEvenReturn(0.08, [](double x) { return x > 1 ? throw AnalysisError("overflow"), 0.0 : -1.0; }),
              NoReturn);
    // The gap jumps from -1 to +1 at 5 %: the bracket closes on the jump but
    // the gap there never falls below 0.0005 of the ends; the halving stops
    // once doubles cannot split the bracket (each call is a whole projection).
    calls = 0;
    EXPECT_EQ(FindBreakEvenReturn(0.08, [&](double x) { ++calls; return x < 0.05 ? -1.0 : 1.0; }), NoReturn);
    EXPECT_EQ(calls, 55);
}

} // namespace
} // namespace gw
