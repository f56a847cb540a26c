#include "fieldvalues.h"
#include "data_sources.h"
#include "golden.h"
#include "numformat.h"
#include "settingtable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

namespace gw {
namespace {

using S = Setting;

// Each line of the golden file: a setting as read and as the windows start
// on it, which is what its field shows, moved into the legal range (with a
// sponsor allowing returns up to 30 and loan rates from 2.5 %); the analysis
// runs on it. "$#,##0" and "#0.0" round halves away from zero.
TEST(StartValues, areWhatTheFieldsShowWithinTheirRange)
{
    std::string actual;
    for (const std::string& line : test::PlainLines(test::kSourceDir / "tests/settings/golden/start-values.txt")) {
        const std::size_t colon = line.find(": ");
        const std::string key = line.substr(0, colon), text = line.substr(colon + 2, line.find(" => ") - colon - 2);
        const auto row = std::find_if(SettingRows().begin(), SettingRows().end(), [&](const SettingRow& r) { return r.key == key; });
        ASSERT_NE(row, SettingRows().end()) << key;
        SettingValues read;
        read[S::MaxReturnAllowed] = 30;
        read[S::MinInterestRateAllowed] = 2.5;
        read[row->id] = std::stod(text);
        actual += key + ": " + text + " => " + ShortestDecimal(StartValues(read)[row->id]) + "\n";
    }
    test::ExpectGolden(actual, "settings/golden/start-values.txt");
}

// Each line of the golden file: the sponsor's maximum return and minimum
// loan rate, and the ranges they give. A fractional limit is taken inward,
// since the spinners step by whole numbers and must never let a value past
// it; one beyond the spinners' 16 bits is no limit; a minimum above the fixed
// maximum of 50 leaves one rate.
TEST(RangeOf, sponsorLimitsAreTakenInwardToWholeNumbers)
{
    std::string actual;
    SettingValues limits;
    for (const std::string& line : test::PlainLines(test::kSourceDir / "tests/settings/golden/sponsor-limits.txt")) {
        std::istringstream in(line);
        std::string maxReturn, minRate;
        in >> maxReturn >> minRate;
        limits[S::MaxReturnAllowed] = std::stod(maxReturn);
        limits[S::MinInterestRateAllowed] = std::stod(minRate);
        const LegalRange returns = RangeOf(S::ProjectedReturn1, limits), rates = RangeOf(S::InterestRateOnLoan, limits);
        EXPECT_EQ(RangeOf(S::ProjectionReturn, limits).high, returns.high);
        actual += maxReturn + " " + minRate + " => returns " + ShortestDecimal(returns.low) + " to " +
                  ShortestDecimal(returns.high) + ", loan rates " + ShortestDecimal(rates.low) + " to " +
                  ShortestDecimal(rates.high) + "\n";
    }
    test::ExpectGolden(actual, "settings/golden/sponsor-limits.txt");
    const LegalRange period = RangeOf(S::SavingsPeriod, limits);
    EXPECT_TRUE(period.contains(80));
    EXPECT_FALSE(period.contains(80.5));
    EXPECT_FALSE(period.contains(10.5));  // whole years only
    EXPECT_FALSE(period.contains(0));
    // Amounts run from nothing to the highest amount, no further.
    const LegalRange other = RangeOf(S::OtherUnleveragedIncome, limits);
    EXPECT_TRUE(other.contains(0) && other.contains(kMostDollars));
    EXPECT_FALSE(other.contains(-1) || other.contains(kMostDollars + 1) || other.contains(INFINITY));
}

// The legal values of every field, with a sponsor allowing returns up to 20
// and loan rates from 1 %, and what each keeps of a typed 1234.5678 and
// -0.55: money fields and the setup dialog's rates are reformatted on entry,
// the others keep what was typed.
TEST(RangeOf, everyFieldHasItsLegalRangeAndKeepsWhatItShows)
{
    SettingValues limits;
    limits[S::MaxReturnAllowed] = 20;
    limits[S::MinInterestRateAllowed] = 1;
    const auto shown = [](double bound) { return std::isinf(bound) ? (bound < 0 ? "-inf" : "inf") : ShortestDecimal(bound); };
    std::string text;
    for (const SettingRow& row : SettingRows()) {
        const LegalRange range = RangeOf(row.id, limits);
        text += std::string(row.key) + ": " + shown(range.low) + " to " + shown(range.high)
            + (range.whole ? ", whole" : "") + "; typed " + ShortestDecimal(EnteredValue(row.id, 1234.5678)) + ", "
            + ShortestDecimal(EnteredValue(row.id, -0.55)) + "\n";
    }
    test::ExpectGolden(text, "settings/golden/legal-ranges.txt");
    EXPECT_EQ(ShownValue(S::ProjectedReturn1, 8.25), 8.3);
}

// InputsFrom: the "inputs" of the command-line golden files.
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
