#include "settingssetup.h"

#include <gtest/gtest.h>

namespace gw::test {
namespace {

TEST(SetupFromSettings, turnsTheRecordsIntoWhatTheFieldsShow)
{
    ProgramSettings settings;
    settings.restrictions = {true, false, true};
    settings.limits = {30, 15, 2.5, 4};
    InputDefaults& d = settings.defaults;
    d.LoanAmount = 50000;
    d.TaxRate = 43.41;
    d.ProjectedReturn = {5, 6, 7, 8};
    d.DeferredCapitalGains = 40;
    d.CapitalGains = 10;
    d.Dividends = 20;
    d.Interest = 30;
    d.InvestmentType = 2;
    d.CapGainsInclusionRate = 0.5;
    d.InterestTaxRate = {0.22, 0.2905, 0.4, 0.4641};
    d.DividendTaxRate = {0.05, 0.1, 0.2, 0.31};
    d.StartOfTaxBracket = {0, 40000, 80000, 150000};
    d.FedIncludeCapGains = 1;
    d.ProvIncludeCapGains = 0;
    d.FedLimitedDeduct = true;
    d.FederalToMTRRatio = 62.5;
    settings.IsSponsored = true;
    settings.sponsorInfo.SponsorName = "Acme";

    const MainWindowSetup setup = SetupFromSettings(settings);
    EXPECT_FALSE(setup.strategies.termLoan);
    EXPECT_TRUE(setup.strategies.rrsp);
    EXPECT_EQ(setup.limits.minInterestRateAllowed, 2.5);
    EXPECT_EQ(setup.defaults.taxRate, 43.41);
    EXPECT_EQ(setup.defaults.breakdown, (std::array<double, 4>{40, 10, 20, 30}));
    EXPECT_EQ(setup.defaults.investmentType, 2);
    EXPECT_EQ(setup.tax.capGainsInclusionRate, 50);
    EXPECT_EQ(setup.tax.taxTable[1].interestRate, 29.1);  // 0.2905 shows as 29.1 with one decimal
    EXPECT_EQ(setup.tax.taxTable[3].interestRate, 46.4);
    EXPECT_EQ(setup.tax.taxTable[2].start, 80000);
    EXPECT_FALSE(setup.tax.fedIncludeCG);
    EXPECT_TRUE(setup.tax.provIncludeCG);
    EXPECT_TRUE(setup.tax.limited());
    EXPECT_EQ(setup.tax.federalToMarginalRatio, 62.5);
    EXPECT_EQ(setup.sponsor.sponsorName, "Acme");
}

} // namespace
} // namespace gw::test
