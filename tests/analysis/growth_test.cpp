#include "error.h"
#include "growth.h"

#include <gtest/gtest.h>

#include <cmath>

namespace gw {
namespace {

GenericInvestment lumpSum(double amount, double r, int years)
{
    GenericInvestment inv;
    inv.InitialInvestment = amount;
    inv.InitialInvestmentACB = amount;
    inv.ReturnPerPeriod = r;
    inv.NPeriods = years;
    inv.TaxRate = 0.4;
    inv.CapGainsInclusionRate = 0.5;
    inv.DivTaxRate = 0.2;
    inv.DCGRatioOfReturn = 0.4;
    inv.CapGainsRatioOfReturn = 0.3;
    inv.DivRatioOfReturn = 0.2;
    inv.IntRatioOfReturn = 0.1;
    return inv;
}

TEST(GrowthModel, zeroReturnIsARunningSumOfContributions)
{
    GenericInvestment inv = lumpSum(1000, 0, 5);
    inv.InvestmentPerPeriod = 100;
    inv.InitialInvestmentACB = 900;
    const GenericFutureValue fv = CalcGenericFutureValue(inv);
    for (int i = 0; i <= 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_DOUBLE_EQ(fv.BTBalance[i], 1000 + 100 * i);
        EXPECT_DOUBLE_EQ(fv.ACB[i], 900 + 100 * i);
        EXPECT_EQ(fv.BTDistrib[i], 0);
    }
}

TEST(GrowthModel, negativeReturnLowersThePriceAndDistributesNothing)
{
    GenericInvestment inv = lumpSum(1000, -0.1, 3);
    const GenericFutureValue fv = CalcGenericFutureValue(inv);
    EXPECT_NEAR(fv.BTBalance[3], 1000 * std::pow(0.9, 3), 1e-9);
    EXPECT_EQ(fv.ATDistrib[3], 0);
}

TEST(GrowthModel, allDeferredGainsGrowsLikeTheDeferredVariant)
{
    for (bool endOfPeriod : {true, false}) {
        SCOPED_TRACE(endOfPeriod);
        GenericInvestment g = lumpSum(5000, 0.07, 20);
        g.DCGRatioOfReturn = 1;
        g.CapGainsRatioOfReturn = g.DivRatioOfReturn = g.IntRatioOfReturn = 0;
        g.InvestmentPerPeriod = 250;
        g.EndOfPeriodInvestments = endOfPeriod;
        DeferredInvestment d;
        d.InitialInvestment = 5000;
        d.InvestmentPerPeriod = 250;
        d.ReturnPerPeriod = 0.07;
        d.NPeriods = 20;
        d.EndOfPeriodInvestments = endOfPeriod;
        const GenericFutureValue gv = CalcGenericFutureValue(g);
        const DeferredFutureValue dv = CalcDeferredFutureValue(d);
        for (int i = 0; i <= 20; ++i) {
            EXPECT_NEAR(gv.BTBalance[i], dv.BTBalance[i], 1e-8) << "year " << i;
            EXPECT_EQ(gv.BTDistrib[i], 0);
        }
    }
}

TEST(GrowthModel, untaxedFullReinvestmentCompounds)
{
    GenericInvestment inv = lumpSum(1000, 0.05, 10);
    inv.DCGRatioOfReturn = 0;
    inv.TaxRate = 0;
    inv.DivTaxRate = 0;
    const GenericFutureValue fv = CalcGenericFutureValue(inv);
    for (int i = 0; i <= 10; ++i) {
        EXPECT_NEAR(fv.BTBalance[i], 1000 * std::pow(1.05, i), 1e-9) << "year " << i;
        EXPECT_NEAR(fv.ACB[i], fv.BTBalance[i], 1e-9) << "year " << i;
    }
}

TEST(GrowthModel, startAndEndOfPeriodContributionsDifferInYearOne)
{
    GenericInvestment start = lumpSum(0, 0.1, 1);
    start.InitialInvestmentACB = 0;
    start.InvestmentPerPeriod = 1000;
    start.EndOfPeriodInvestments = false;
    GenericInvestment end = start;
    end.EndOfPeriodInvestments = true;
    const GenericFutureValue s = CalcGenericFutureValue(start);
    const GenericFutureValue e = CalcGenericFutureValue(end);
    EXPECT_DOUBLE_EQ(s.BTDistrib[1], 1000 * 0.1 * (1 - 0.4));
    EXPECT_EQ(e.BTDistrib[1], 0);
    EXPECT_DOUBLE_EQ(e.BTBalance[1], 1000); // bought at the end-of-year price
}

TEST(GrowthModel, fillingCashflowsLeavesLaterYearsAlone)
{
    GenericInvestment inv = lumpSum(100, 0.05, 3);
    inv.InvestmentPerPeriod = 10;
    inv.InvestmentPerPeriodIncrease = 0.1;
    inv.Cashflow[4] = 77;
    CalcGenericFutureValue(inv);
    EXPECT_EQ(inv.Cashflow[0], 100);
    EXPECT_DOUBLE_EQ(inv.Cashflow[3], 10 * 1.1 * 1.1);
    EXPECT_EQ(inv.Cashflow[4], 77);
}

TEST(GrowthModel, aTotalLossIsReportedNotPropagated)
{
    GenericInvestment inv = lumpSum(1000, -1.0, 3);
    inv.InvestmentPerPeriod = 100;
    EXPECT_THROW(CalcGenericFutureValue(inv), AnalysisError);
}

TEST(GrowthModel, moreThanEightyYearsIsRefused)
{
    GenericInvestment inv = lumpSum(1000, 0.05, 81);
    EXPECT_THROW(CalcGenericFutureValue(inv), AnalysisError);
}

TEST(GrowthHelpers, percentIncreaseAndBounds)
{
    EXPECT_DOUBLE_EQ(PercentIncrease(150, 100), 0.5);
    EXPECT_DOUBLE_EQ(PercentIncrease(-50, 100), -1.5);
    EXPECT_DOUBLE_EQ(PercentIncrease(-7, 0), 1);
    EXPECT_EQ(MinOf(1, 2), 1);
    EXPECT_EQ(MaxOf(1, 2), 2);
}

} // namespace
} // namespace gw
