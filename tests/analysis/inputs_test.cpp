#include "error.h"
#include "inputs.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

TEST(AnalysisInputs, federalShareSplitsTheTaxRate)
{
    AnalysisInputs in;
    in.taxRate = 45;
    in.federalToMarginalRatio = 100;
    EXPECT_DOUBLE_EQ(FedTaxRate(in), 0.45);
    EXPECT_DOUBLE_EQ(ProvTaxRate(in), 0);
    in.federalToMarginalRatio = 60;
    EXPECT_NEAR(FedTaxRate(in) + ProvTaxRate(in), 0.45, 1e-15);
    EXPECT_NEAR(FedTaxRate(in), 0.27, 1e-15);
}

// Interest rates 20/30/40/46 % in rows 1..4; dividend rates 1..4 % so the row
// taken shows in the result.
TEST(AnalysisInputs, dividendRateComesFromTheBracketOfTheTaxRate)
{
    AnalysisInputs in;
    in.taxTable = {TaxBracket{0, 20, 1}, TaxBracket{30'000, 30, 2}, TaxBracket{60'000, 40, 3},
                   TaxBracket{120'000, 46, 4}};
    struct Case {
        double taxRate;
        double dividendRate;
    } cases[] = {{50, 0.04}, {46.5, 0.04}, {46, 0.03}, {41, 0.03}, {40, 0.02},
                 {35, 0.02}, {30, 0.01},   {20, 0.01}, {10, 0.01}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.taxRate);
        in.taxRate = c.taxRate;
        EXPECT_DOUBLE_EQ(DivTaxRate(in), c.dividendRate);
    }
}

TEST(AnalysisInputs, otherInvestRatioCountsTheMarginMoney)
{
    // "2:1" on 100,000 needs 50,000 of own money; with 10,000 other: 0.6.
    EXPECT_DOUBLE_EQ(OtherInvestRatio(100'000, 2, 10'000), 0.6);
    EXPECT_DOUBLE_EQ(OtherInvestRatio(100'000, 0, 10'000), 0.1);
    EXPECT_DOUBLE_EQ(OtherInvestRatio(100'000, 4, 0), 0.25);
    EXPECT_THROW(OtherInvestRatio(0, 2, 10'000), AnalysisError);
}

} // namespace
} // namespace gw
