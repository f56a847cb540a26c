#include "error.h"
#include "payoff.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace gw {
namespace {

// Marginal 40 % = 25 % federal + 15 % provincial, half of a gain taxable.
PayoffTax taxes(bool fedIncludeCG = true, bool provIncludeCG = true)
{
    return {0.5, 0.4, 0.15, 0.25, provIncludeCG, fedIncludeCG};
}

TEST(LoanPayoff, balanceNotAboveTheLoanIsSoldWholeWithoutTax)
{
    struct Case {
        double bt, acb, loan;
    } cases[] = {{90'000, 100'000, 100'000}, {100'000, 80'000, 100'000}, {0, 0, 100'000}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bt);
        const LoanPayoff p = CalcLoanPayoff(c.bt, c.acb, c.loan, 700, 900, taxes());
        EXPECT_DOUBLE_EQ(p.NetBalance, c.bt - c.loan);
        EXPECT_DOUBLE_EQ(p.ACBAfter, c.acb);
        EXPECT_DOUBLE_EQ(p.FedLeft, 900);
        EXPECT_DOUBLE_EQ(p.ProvLeft, 700);
    }
}

// Balance 200,000 with cost base 100,000 repaying 100,000: ratio 0.5,
// k = 0.25 taxable per dollar sold, G = 25,000. Expected values by hand:
// without pools T = G t / (1 - k t) = 10,000 / 0.9; a pool alone that does
// not cover the gain takes rate x pool / 0.9 off that tax; a pool that covers
// X = G / (1 - k x other rate) leaves only the other level's tax X x rate.
TEST(LoanPayoff, poolsShelterTheGainByLevel)
{
    struct Case {
        const char* name;
        double provPool, fedPool;
        bool fedCG, provCG;
        double net, fedLeft, provLeft;
    } cases[] = {
        {"no pools", 0, 0, true, true, 100'000 - 10'000 / 0.9, 0, 0},
        {"pools not counted", 50'000, 50'000, false, false, 100'000 - 10'000 / 0.9, 50'000, 50'000},
        {"federal pool short", 0, 10'000, true, true, 100'000 - (10'000 - 2'500) / 0.9, 0, 0},
        {"federal pool covers", 0, 50'000, true, true, 100'000 - 25'000 / 0.9625 * 0.15, 50'000 - 25'000 / 0.9625,
         0},
        {"provincial pool short", 10'000, 0, true, true, 100'000 - (10'000 - 1'500) / 0.9, 0, 0},
        {"provincial pool covers", 50'000, 0, true, true, 100'000 - 25'000 / 0.9375 * 0.25, 0,
         50'000 - 25'000 / 0.9375},
        // Both pools above G: the gain comes off both, no tax.
        {"both pools cover", 30'000, 30'000, true, true, 100'000, 5'000, 5'000},
        // The smaller (federal) pool is used up against both levels, leaving
        // G = 15,000 for the provincial pool alone: X = 16,000, tax 4,000.
        {"both pools, federal smaller", 40'000, 10'000, true, true, 96'000, 0, 14'000},
        // Only the provincial pool counts; the federal one is carried as is.
        {"federal pool not counted", 50'000, 50'000, false, true, 100'000 - 25'000 / 0.9375 * 0.25, 50'000,
         50'000 - 25'000 / 0.9375},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const LoanPayoff p =
            CalcLoanPayoff(200'000, 100'000, 100'000, c.provPool, c.fedPool, taxes(c.fedCG, c.provCG));
        EXPECT_NEAR(p.NetBalance, c.net, 1e-6);
        EXPECT_NEAR(p.ACBAfter, 0.5 * c.net, 1e-6);
        EXPECT_NEAR(p.FedLeft, c.fedLeft, 1e-6);
        EXPECT_NEAR(p.ProvLeft, c.provLeft, 1e-6);
    }
}

TEST(LoanPayoff, taxIncludesTheTaxOnUnitsSoldToPayIt)
{
    // Selling L + T must leave exactly L after paying the tax on its own gain.
    const LoanPayoff p = CalcLoanPayoff(200'000, 100'000, 100'000, 0, 0, taxes());
    const double tax = 100'000 - p.NetBalance;
    EXPECT_NEAR((100'000 + tax) * 0.25 * 0.4, tax, 1e-6);
}

TEST(LoanPayoff, saleAtALossLeavesThePoolsAlone)
{
    const LoanPayoff p = CalcLoanPayoff(150'000, 200'000, 100'000, 10'000, 10'000, taxes());
    EXPECT_DOUBLE_EQ(p.NetBalance, 50'000);
    EXPECT_NEAR(p.ACBAfter, 50'000 * 4.0 / 3.0, 1e-6);
    EXPECT_DOUBLE_EQ(p.FedLeft, 10'000);
    EXPECT_DOUBLE_EQ(p.ProvLeft, 10'000);
}

TEST(LoanPayoff, unsummableTaxOrNonFiniteFiguresFail)
{
    // A negative cost base makes k = 1.5 at full inclusion; at 80 % tax a sale
    // raises less than the tax it triggers.
    const PayoffTax heavy{1.0, 0.8, 0.3, 0.5, true, true};
    EXPECT_THROW(CalcLoanPayoff(200'000, -100'000, 100'000, 0, 0, heavy), AnalysisError);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_THROW(CalcLoanPayoff(nan, 100, 100, 0, 0, taxes()), AnalysisError);
    EXPECT_THROW(CalcLoanPayoff(200, 100, 100, 0, std::numeric_limits<double>::infinity(), taxes()),
                 AnalysisError);
    // A tiny negative residue of a repaid loan against an empty balance.
    EXPECT_THROW(CalcLoanPayoff(0, 0, -1e-10, 0, 0, taxes()), AnalysisError);
}

} // namespace
} // namespace gw
