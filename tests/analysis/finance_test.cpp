#include "error.h"
#include "finance.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

TEST(Finance, levelPaymentsOfAKnownLoan)
{
    // 100,000 at 8 % over 10 years: the textbook payment 14,902.95.
    EXPECT_NEAR(Pmt(0.08, 10, 100000), 14902.95, 0.005);
    EXPECT_NEAR(Pv(0.08, 10, 14902.948869707534), 100000, 1e-6);
    // The same loan paid at the start of each year: factor 7.2469.
    EXPECT_NEAR(AnnuityDueFactor(0.08, 10), 7.2469, 0.00005);
    // Signs do not matter: the results are magnitudes.
    EXPECT_NEAR(Pmt(0.08, 10, -100000), 14902.95, 0.005);
    EXPECT_NEAR(Pv(0.08, 10, -14902.948869707534), 100000, 1e-6);
}

TEST(Finance, zeroRateTakesTheLimits)
{
    EXPECT_DOUBLE_EQ(Pmt(0, 10, 50000), 5000);
    EXPECT_DOUBLE_EQ(Pv(0, 10, 5000), 50000);
    EXPECT_DOUBLE_EQ(AnnuityDueFactor(0, 10), 10);
    // Close to 0 the formulas agree with the limits.
    EXPECT_NEAR(Pmt(1e-9, 10, 50000), 5000, 0.01);
    EXPECT_NEAR(AnnuityDueFactor(1e-9, 10), 10, 1e-6);
}

TEST(Finance, fewerThanOnePeriodThrows)
{
    for (int periods : {0, -1}) {
        SCOPED_TRACE(periods);
        EXPECT_THROW(Pmt(0.08, periods, 1000), AnalysisError);
        EXPECT_THROW(Pv(0.08, periods, 1000), AnalysisError);
        EXPECT_THROW(AnnuityDueFactor(0.08, periods), AnalysisError);
    }
}

} // namespace
} // namespace gw
