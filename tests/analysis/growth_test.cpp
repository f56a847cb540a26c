#include "error.h"
#include "growth.h"

#include <gtest/gtest.h>

#include <cmath>

namespace gw {
namespace {

// 40 % deferred gains, 30 % realised gains, 20 % dividends, 10 % interest.
GenericInvestment lumpSum(double amount, double r, int years, double perYear = 0)
{
    return {.InitialInvestment = amount, .InvestmentPerPeriod = perYear, .ReturnPerPeriod = r, .NPeriods = years,
            .InitialInvestmentACB = amount, .TaxRate = 0.4, .CapGainsInclusionRate = 0.5, .DivTaxRate = 0.2,
            .DCGRatioOfReturn = 0.4, .CapGainsRatioOfReturn = 0.3, .DivRatioOfReturn = 0.2, .IntRatioOfReturn = 0.1};
}

TEST(GrowthModel, zeroOrNegativeReturnDistributesNothing)
{
    GenericInvestment inv = lumpSum(1000, 0, 5, 100);
    inv.InitialInvestmentACB = 900;
    const GenericFutureValue zero = CalcGenericFutureValue(inv);
    for (int i = 0; i <= 5; ++i) {
        EXPECT_DOUBLE_EQ(zero.BTBalance[i], 1000 + 100 * i) << i;
        EXPECT_DOUBLE_EQ(zero.ACB[i], 900 + 100 * i) << i;
        EXPECT_EQ(zero.BTDistrib[i], 0) << i;
    }
    inv = lumpSum(1000, -0.1, 3);
    const GenericFutureValue loss = CalcGenericFutureValue(inv);
    EXPECT_NEAR(loss.BTBalance[3], 1000 * std::pow(0.9, 3), 1e-9);
    EXPECT_EQ(loss.ATDistrib[3], 0);
}

// A path of yearly returns: a constant path is the constant return to the
// bit, and each year distributes or not by its own return.
TEST(GrowthModel, returnsByYear)
{
    YearArray same{};
    same.fill(0.07);
    GenericInvestment g = lumpSum(1000, 0.07, 30, 100);
    const GenericFutureValue constant = CalcGenericFutureValue(g);
    g.ReturnByPeriod = &same;
    g.ReturnPerPeriod = 0.5;  // ignored beside a path
    const GenericFutureValue path = CalcGenericFutureValue(g);
    EXPECT_EQ(path.BTBalance, constant.BTBalance);
    EXPECT_EQ(path.ACB, constant.ACB);
    EXPECT_EQ(path.ATDistrib, constant.ATDistrib);

    const YearArray varied{0, 0.1, -0.05, 0.2};
    g = lumpSum(1000, 0, 3);
    g.ReturnByPeriod = &varied;
    const GenericFutureValue fv = CalcGenericFutureValue(g);
    EXPECT_GT(fv.BTDistrib[1], 0);
    EXPECT_EQ(fv.BTDistrib[2], 0);
    EXPECT_NEAR(fv.BTBalance[2], fv.BTBalance[1] * 0.95, 1e-9);
    EXPECT_GT(fv.BTDistrib[3], 0);

    DeferredInvestment d{.InitialInvestment = 1000, .NPeriods = 3, .InitialInvestmentACB = 1000};
    d.ReturnByPeriod = &varied;
    EXPECT_NEAR(CalcDeferredFutureValue(d).BTBalance[3], 1000 * 1.1 * 0.95 * 1.2, 1e-9);
}

TEST(GrowthModel, allDeferredGainsGrowsLikeTheDeferredVariant)
{
    for (bool endOfPeriod : {true, false}) {
        SCOPED_TRACE(endOfPeriod);
        GenericInvestment g = lumpSum(5000, 0.07, 20, 250);
        g.DCGRatioOfReturn = 1;
        g.CapGainsRatioOfReturn = g.DivRatioOfReturn = g.IntRatioOfReturn = 0;
        g.EndOfPeriodInvestments = endOfPeriod;
        DeferredInvestment d{.InitialInvestment = 5000, .InvestmentPerPeriod = 250, .ReturnPerPeriod = 0.07,
                             .NPeriods = 20, .EndOfPeriodInvestments = endOfPeriod, .InitialInvestmentACB = 5000};
        const GenericFutureValue gv = CalcGenericFutureValue(g);
        const DeferredFutureValue dv = CalcDeferredFutureValue(d);
        for (int i = 0; i <= 20; ++i) {
            EXPECT_NEAR(gv.BTBalance[i], dv.BTBalance[i], 1e-8) << "year " << i;
            EXPECT_NEAR(dv.ACB[i], 5000 + 250 * i, 1e-8) << "year " << i;
            EXPECT_NEAR(gv.ACB[i], dv.ACB[i], 1e-8) << "year " << i;
            EXPECT_EQ(gv.BTDistrib[i], 0);
        }
    }
}

TEST(GrowthModel, untaxedFullReinvestmentCompounds)
{
    GenericInvestment inv = lumpSum(1000, 0.05, 10);
    inv.DCGRatioOfReturn = inv.TaxRate = inv.DivTaxRate = 0;
    const GenericFutureValue fv = CalcGenericFutureValue(inv);
    for (int i = 0; i <= 10; ++i) {
        EXPECT_NEAR(fv.BTBalance[i], 1000 * std::pow(1.05, i), 1e-9) << "year " << i;
        EXPECT_NEAR(fv.ACB[i], fv.BTBalance[i], 1e-9) << "year " << i;
    }
}

TEST(GrowthModel, startOfYearContributionsEarnInTheirFirstYear)
{
    GenericInvestment start = lumpSum(0, 0.1, 1, 1000);
    start.EndOfPeriodInvestments = false;
    GenericInvestment end = start;
    end.EndOfPeriodInvestments = true;
    // 60 % of the 100 returned is distributed.
    EXPECT_DOUBLE_EQ(CalcGenericFutureValue(start).BTDistrib[1], 1000 * 0.1 * (1 - 0.4));
    const GenericFutureValue e = CalcGenericFutureValue(end);
    EXPECT_EQ(e.BTDistrib[1], 0);
    EXPECT_DOUBLE_EQ(e.BTBalance[1], 1000);  // bought at the end-of-year price
}

TEST(GrowthModel, contributionsGrowAndLaterYearsAreLeftAlone)
{
    GenericInvestment inv = lumpSum(100, 0.05, 3, 10);
    inv.InvestmentPerPeriodIncrease = 0.1;
    inv.Cashflow[4] = 77;
    CalcGenericFutureValue(inv);
    EXPECT_EQ(inv.Cashflow[0], 100);
    EXPECT_DOUBLE_EQ(inv.Cashflow[3], 10 * 1.1 * 1.1);
    EXPECT_EQ(inv.Cashflow[4], 77);
}

TEST(GrowthModel, totalLossOrMoreThanEightyYearsIsRefused)
{
    GenericInvestment loss = lumpSum(1000, -1.0, 3, 100);
    EXPECT_THROW(CalcGenericFutureValue(loss), AnalysisError);
    GenericInvestment tooLong = lumpSum(1000, 0.05, 81);
    EXPECT_THROW(CalcGenericFutureValue(tooLong), AnalysisError);
    DeferredInvestment deferred;
    deferred.NPeriods = 81;
    EXPECT_THROW(CalcDeferredFutureValue(deferred), AnalysisError);
}

TEST(GrowthHelpers, percentIncrease)
{
    EXPECT_DOUBLE_EQ(PercentIncrease(150, 100), 0.5);
    EXPECT_DOUBLE_EQ(PercentIncrease(-50, 100), -1.5);
    EXPECT_DOUBLE_EQ(PercentIncrease(-7, 0), 1);
}

} // namespace
} // namespace gw
