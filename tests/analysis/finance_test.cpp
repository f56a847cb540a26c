#include "error.h"
#include "finance.h"
#include "inputs.h"
#include "scenario.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

TEST(Finance, levelPayments)
{
    test::ExpectCaseTable("analysis/golden/finance.txt", [](const test::Tokens& in) {
        const double rate = test::Number(in[0]), amount = test::Number(in[2]);
        const int periods = static_cast<int>(test::Number(in[1]));
        test::Tokens out;
        for (const auto& f : {+[](double r, int n, double a) { return Pmt(r, n, a); },
                              +[](double r, int n, double a) { return Pv(r, n, a); },
                              +[](double r, int n, double) { return AnnuityDueFactor(r, n); }}) {
            try {
                out.push_back(test::Fixed(f(rate, periods, amount), 4, true));
            } catch (const AnalysisError&) {
                out.push_back("error");
            }
        }
        return out;
    });
    // Close to 0 the formulas agree with the limits.
    EXPECT_NEAR(Pmt(1e-9, 10, 50000), 5000, 0.01);
    EXPECT_NEAR(AnnuityDueFactor(1e-9, 10), 10, 1e-6);
}

TEST(AnalysisInputs, taxRatesOfTheInputs)
{
    test::ExpectCaseTable("analysis/golden/tax-rates.txt", [](const test::Tokens& words) {
        const AnalysisInputs in = test::ParseScenario(words).in;
        return test::Tokens{test::Fixed(FedTaxRate(in), 6, true), test::Fixed(ProvTaxRate(in), 6, true),
                            test::Fixed(DivTaxRate(in), 6, true)};
    });
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
