#include "fieldvalues.h"
#include "settingtable.h"

#include <gtest/gtest.h>

#include <cmath>

namespace gw {
namespace {

using S = Setting;

// Read from the files: the tax-table rates and the inclusion rate already
// turned into per cent, with the digits a sponsor may type.
SettingValues readValues()
{
    SettingValues v;
    v.setFlag(S::ShowIntOnlyAnalysis, true);
    v.setFlag(S::ShowRRSPAnalysis, true);
    v[S::MaxReturnAllowed] = 30;
    v[S::MinInterestRateAllowed] = 2.5;
    v[S::LoanAmount] = 50000.4;
    v[S::TaxRate] = 43.41;
    v[S::InterestRateOnLoan] = 7.125;
    v[S::SavingsPeriod] = 10;
    v[S::ProjectedReturn1] = 5;
    v[S::ProjectedReturn2] = 6.25;
    v[S::ProjectedReturn3] = 7;
    v[S::ProjectedReturn4] = 8;
    v[S::DeferredCapitalGains] = 40;
    v[S::CapitalGains] = 10;
    v[S::Dividends] = 20;
    v[S::Interest] = 30;
    v[S::InvestmentType] = 2;
    v[S::CapGainsInclusionRate] = 66.67;
    v[S::InterestTaxRate2] = 29.05;
    v[S::InterestTaxRate4] = 46.41;
    v[S::DividendTaxRate2] = 6.44;
    v[S::StartOfTaxBracket3] = 80000;
    v[S::FedIncludeCapGains] = 1;
    v.setFlag(S::FedLimitedDeduct, true);
    v[S::FederalToMTRRatio] = 62.5;
    v[S::FedInterestDeductibility] = 87.55;
    v[S::ProvInterestDeductibility] = 100;
    return v;
}

// The windows start on what their fields show; the analysis runs on it.
TEST(StartValues, areWhatTheFieldsShow)
{
    const SettingValues start = StartValues(readValues());
    const struct {
        Setting setting;
        double shown;
    } cases[] = {
        {S::LoanAmount, 50000},          // "$#,##0"
        {S::TaxRate, 43.41},             // as typed
        {S::InterestRateOnLoan, 7.125},  // as typed
        {S::ProjectedReturn2, 6.3},      // "#0.0", halves away from zero
        {S::CapGainsInclusionRate, 66.7},
        {S::InterestTaxRate2, 29.1},
        {S::InterestTaxRate4, 46.4},
        {S::DividendTaxRate2, 6.4},
        {S::StartOfTaxBracket3, 80000},
        {S::FederalToMTRRatio, 62.5},
        {S::FedInterestDeductibility, 87.6},
        {S::InvestmentType, 2},
        {S::MinInterestRateAllowed, 2.5},  // limits are not fields
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(Row(c.setting).key));
        EXPECT_EQ(start[c.setting], c.shown);
    }
}

TEST(StartValues, moveDefaultsIntoTheirLegalRange)
{
    SettingValues read = readValues();
    read[S::TaxRate] = 100;
    read[S::SavingsPeriod] = 0;
    read[S::ProjectedReturn4] = 40;  // the sponsor allows 30
    read[S::InterestRateOnLoan] = 1;  // the sponsor's minimum is 2.5
    read[S::InvestmentType] = 7;
    read[S::TimesLoanRepeated] = 2.5;
    read[S::InterestTaxRate1] = 150;
    read[S::FedInvestmentExpenses] = 7;
    read[S::ProvInterestDeductibility] = 120;
    read[S::LoanAmount] = 0;
    const SettingValues start = StartValues(read);
    EXPECT_EQ(start[S::TaxRate], 99);
    EXPECT_EQ(start[S::SavingsPeriod], 1);
    EXPECT_EQ(start[S::ProjectedReturn4], 30);
    EXPECT_EQ(start[S::InterestRateOnLoan], 3);
    EXPECT_EQ(start[S::InvestmentType], 4);
    EXPECT_EQ(start[S::TimesLoanRepeated], 3);
    EXPECT_EQ(start[S::InterestTaxRate1], 100);
    EXPECT_EQ(start[S::FedInvestmentExpenses], 5);
    EXPECT_EQ(start[S::ProvInterestDeductibility], 100);
    EXPECT_EQ(start[S::LoanAmount], 1);
}

// A fractional sponsor limit is taken inward: the spinners step by whole
// numbers and must never let a value past the limit.
TEST(RangeOf, sponsorLimitsAreTakenInwardToWholeNumbers)
{
    SettingValues limits;
    const struct {
        double maxReturn, minRate;
        double returnHigh, rateLow;
    } cases[] = {
        {25, 2, 25, 2},
        {25.5, 2.5, 25, 3},
        {25.9, 3.1, 25, 4},
        {-5, 1, -5, 1},
        {1e308, -1e308, 32767, -32767},  // beyond the spinners: no limit
        {NAN, NAN, 32767, -32767},
        {80, 60, 80, 50},  // a minimum above the fixed maximum leaves one rate
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.maxReturn) + " / " + std::to_string(c.minRate));
        limits[S::MaxReturnAllowed] = c.maxReturn;
        limits[S::MinInterestRateAllowed] = c.minRate;
        const LegalRange returns = RangeOf(S::ProjectedReturn1, limits);
        EXPECT_EQ(returns.low, -99);
        EXPECT_EQ(returns.high, c.returnHigh);
        EXPECT_EQ(RangeOf(S::ProjectionReturn, limits).high, c.returnHigh);
        const LegalRange rate = RangeOf(S::InterestRateOnLoan, limits);
        EXPECT_EQ(rate.low, c.rateLow);
        EXPECT_EQ(rate.high, 50);
    }
    const LegalRange period = RangeOf(S::SavingsPeriod, limits);
    EXPECT_TRUE(period.contains(80));
    EXPECT_FALSE(period.contains(80.5));
    EXPECT_FALSE(period.contains(10.5));  // whole years only
    EXPECT_FALSE(period.contains(0));
    EXPECT_TRUE(RangeOf(S::OtherUnleveragedIncome, limits).contains(-1e9));
    EXPECT_FALSE(RangeOf(S::OtherUnleveragedIncome, limits).contains(INFINITY));
}

// The legal values of every field, with a sponsor allowing returns up to 20
// and loan rates from 1 %.
TEST(RangeOf, everyFieldHasItsLegalRange)
{
    SettingValues limits;
    limits[S::MaxReturnAllowed] = 20;
    limits[S::MinInterestRateAllowed] = 1;
    const struct {
        Setting first;
        int count;  // numbered settings that share the range
        LegalRange range;
    } cases[] = {
        {S::LoanAmount, 1, {1, INFINITY, false}},
        {S::TaxRate, 1, {0, 99, false}},
        {S::InterestRateOnLoan, 1, {1, 50, false}},
        {S::SavingsPeriod, 1, {1, 80, true}},
        {S::ProjectedReturn1, 4, {-99, 20, false}},
        {S::ProjectionReturn, 1, {-99, 20, false}},
        {S::TimesLoanRepeated, 1, {0, 80, true}},
        {S::CapitalGains, 4, {0, 100, true}},  // the breakdown
        {S::InvestmentType, 1, {0, 4, true}},
        {S::CapGainsInclusionRate, 1, {0, 100, false}},
        {S::FederalToMTRRatio, 1, {0, 100, false}},
        {S::FedInterestDeductibility, 2, {0, 100, false}},
        {S::FedInvestmentExpenses, 2, {0, 5, false}},
        {S::InterestTaxRate1, 8, {0, 100, false}},  // interest and dividend rates
        {S::StartOfTaxBracket1, 4, {0, INFINITY, false}},
    };
    for (const auto& c : cases) {
        for (int n = 0; n < c.count; ++n) {
            const Setting s = Nth(c.first, n);
            SCOPED_TRACE(std::string(Row(s).key));
            const LegalRange range = RangeOf(s, limits);
            EXPECT_EQ(range.low, c.range.low);
            EXPECT_EQ(range.high, c.range.high);
            EXPECT_EQ(range.whole, c.range.whole);
        }
    }
}

TEST(EnteredValue, moneyAndSetupRatesAreReformattedOthersKeptAsTyped)
{
    EXPECT_EQ(EnteredValue(S::LoanAmount, 50000.5), 50001);
    EXPECT_EQ(EnteredValue(S::OtherUnleveragedIncome, -100.4), -100);
    EXPECT_EQ(EnteredValue(S::InterestTaxRate1, 29.05), 29.1);
    EXPECT_EQ(EnteredValue(S::FedInterestDeductibility, 100.04), 100);
    EXPECT_EQ(EnteredValue(S::ProjectedReturn1, 8.25), 8.25);
    EXPECT_EQ(EnteredValue(S::CapGainsInclusionRate, 66.67), 66.67);
    EXPECT_EQ(EnteredValue(S::TaxRate, 43.417), 43.417);
    EXPECT_EQ(ShownValue(S::ProjectedReturn1, 8.25), 8.3);
}

TEST(InputsFrom, takesEveryInputFromItsSetting)
{
    const SettingValues start = StartValues(readValues());
    const AnalysisInputs in = InputsFrom(start, 1234);
    AnalysisInputs expected;
    expected.loanAmount = 50000;
    expected.annualInvestment = 1234;
    expected.taxRate = 43.41;
    expected.interestRate = 7.125;
    expected.savingsPeriod = 10;
    expected.returns = {5, 6.3, 7, 8};
    expected.projectionReturn = 7;  // always the third return
    expected.breakdown = {40, 10, 20, 30};
    expected.investmentType = 2;
    expected.capGainsInclusionRate = 66.7;
    expected.federalToMarginalRatio = 62.5;
    expected.fedLimited = true;
    expected.fedDeductible = 87.6;
    expected.provDeductible = 100;
    expected.fedIncludeCG = false;  // list entry 1 is "no"
    expected.provIncludeCG = true;
    expected.taxTable = {TaxBracket{0, 0, 0}, TaxBracket{0, 29.1, 6.4}, TaxBracket{80000, 0, 0},
                         TaxBracket{0, 46.4, 0}};
    EXPECT_EQ(in, expected);
}

TEST(StrategyOffered, followsTheFlagsAndOffersAllWhenNoneIs)
{
    SettingValues v;
    for (Strategy s : {Strategy::InterestOnly, Strategy::TermLoan, Strategy::RRSP})
        EXPECT_TRUE(StrategyOffered(v, s));
    EXPECT_EQ(FirstStrategyOffered(v), Strategy::InterestOnly);
    v.setFlag(S::ShowRRSPAnalysis, true);
    EXPECT_FALSE(StrategyOffered(v, Strategy::InterestOnly));
    EXPECT_FALSE(StrategyOffered(v, Strategy::TermLoan));
    EXPECT_TRUE(StrategyOffered(v, Strategy::RRSP));
    EXPECT_EQ(FirstStrategyOffered(v), Strategy::RRSP);
    v.setFlag(S::ShowTermLoanAnalysis, true);
    EXPECT_EQ(FirstStrategyOffered(v), Strategy::TermLoan);
}

} // namespace
} // namespace gw
