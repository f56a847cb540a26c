#include "fieldvalues.h"
#include "golden.h"
#include "numformat.h"
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

// The windows start on what their fields show, moved into the legal range;
// the analysis runs on it.
TEST(StartValues, areWhatTheFieldsShowWithinTheirRange)
{
    const struct {
        Setting setting;
        double read, start;
    } cases[] = {
        {S::LoanAmount, 50000.4, 50000},        // "$#,##0"
        {S::LoanAmount, 0, 1},
        {S::TaxRate, 43.41, 43.41},             // as typed
        {S::TaxRate, 100, 99},
        {S::InterestRateOnLoan, 7.125, 7.125},
        {S::InterestRateOnLoan, 1, 3},          // the sponsor's minimum of 2.5, taken inward
        {S::SavingsPeriod, 0, 1},
        {S::ProjectedReturn2, 6.25, 6.3},       // "#0.0", halves away from zero
        {S::ProjectedReturn4, 40, 30},          // the sponsor allows 30
        {S::CapGainsInclusionRate, 66.67, 66.7},
        {S::InterestTaxRate1, 150, 100},
        {S::InterestTaxRate2, 29.05, 29.1},
        {S::DividendTaxRate2, 6.44, 6.4},
        {S::StartOfTaxBracket3, 80000, 80000},
        {S::FederalToMTRRatio, 62.5, 62.5},
        {S::FedInterestDeductibility, 87.55, 87.6},
        {S::ProvInterestDeductibility, 120, 100},
        {S::FedInvestmentExpenses, 7, 5},
        {S::InvestmentType, 7, 4},
        {S::TimesLoanRepeated, 2.5, 3},
        {S::MinInterestRateAllowed, 2.5, 2.5},  // limits are not fields
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(Row(c.setting).key) + " " + std::to_string(c.read));
        SettingValues read = readValues();
        read[c.setting] = c.read;
        EXPECT_EQ(StartValues(read)[c.setting], c.start);
    }
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
    const auto shown = [](double bound) { return std::isinf(bound) ? (bound < 0 ? "-inf" : "inf") : ShortestDecimal(bound); };
    std::string text;
    for (const SettingRow& row : SettingRows()) {
        const LegalRange range = RangeOf(row.id, limits);
        text += std::string(row.key) + ": " + shown(range.low) + " to " + shown(range.high)
            + (range.whole ? ", whole\n" : "\n");
    }
    test::ExpectGolden(text, "settings/golden/legal-ranges.txt");
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
