#include "settingtable.h"

#include "numformat.h"
#include "outcomes.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace gw {

namespace {

constexpr double kNone = std::numeric_limits<double>::infinity();

constexpr Bound fixed(double value) { return {value, Setting::Count}; }
constexpr Bound limit(Setting from) { return {0, from}; }

using S = Setting;
using St = Stored;
using U = Unit;

// Row shorthands: a ranged field (each one an input a client case keeps), a
// field with any value, a flag, and a row a client case keeps.
constexpr SettingRow ranged(S id, std::string_view key, int line, St stored, U unit, std::string_view pattern,
                            bool patternOnEntry, Bound low, Bound high, bool whole = false)
{
    return {id, key, Section::InputDefaults, line, stored, unit, pattern, patternOnEntry, true, low, high, whole,
            true, {}, true};
}
constexpr SettingRow anyValue(S id, std::string_view key, Section section, int line, St stored, U unit,
                          std::string_view pattern = {}, bool patternOnEntry = false)
{
    return {id, key, section, line, stored, unit, pattern, patternOnEntry, false, fixed(-kNone), fixed(kNone), false};
}
constexpr SettingRow flag(S id, std::string_view key, Section section, int line, St stored)
{
    return anyValue(id, key, section, line, stored, U::Flag);
}
constexpr SettingRow inCase(SettingRow row)
{
    row.inCase = true;
    return row;
}
// A setting added after sponsor and user files were saved without it, and
// its value as stored when neither has it.
constexpr SettingRow added(SettingRow row, std::string_view defaultText)
{
    row.sponsorWhenAbsent = true;
    row.defaultText = defaultText;
    return row;
}

constexpr Bound kReturnLow = fixed(-99);
constexpr Bound kReturnHigh = limit(S::MaxReturnAllowed);

// Rows in the order of Setting. Line numbers are the records of User.dat.
constexpr std::array<SettingRow, kSettingCount> kRows{{
    ranged(S::LoanAmount, "Loan Amount ($)", 20, St::Number, U::Dollars, "$#,##0", true, fixed(1),
           fixed(kMostDollars)),
    // Rates keep the decimals they are quoted with (43.41 %, 7.125 %): what
    // the field shows is what the analysis takes.
    ranged(S::TaxRate, "Tax Rate (%)", 21, St::Number, U::Percent, "#0.0#", true, fixed(0), fixed(99)),
    ranged(S::InterestRateOnLoan, "Interest Rate on Loan (%)", 22, St::Number, U::Percent, "#0.0##", true,
           limit(S::MinInterestRateAllowed), fixed(50)),
    ranged(S::SavingsPeriod, "Savings Period (years)", 23, St::Number, U::Years, "#0", false, fixed(1), fixed(80),
           true),
    // Carried from file to file; no field shows it.
    {S::PortionDeductible, "Portion of Interest Rate Deductible (%)", Section::InputDefaults, 41, St::Number,
     U::Percent, {}, false, false, fixed(-kNone), fixed(kNone), false, true,
     "Portion of Interest Rate Deductible (%)        "},
    ranged(S::FedInterestDeductibility, "Federal Portion of Interest Rate Deductible (%)", 42, St::Number, U::Percent,
           "#0.0", true, fixed(0), fixed(100)),
    ranged(S::ProvInterestDeductibility, "Provincial Portion of Interest Rate Deductible (%)", 43, St::Number,
           U::Percent, "#0.0", true, fixed(0), fixed(100)),
    inCase(flag(S::FedLimitedDeduct, "Federal Deductibility Limited to Taxable Income", Section::InputDefaults, 44,
         St::TrueFalse)),
    inCase(flag(S::ProvLimitedDeduct, "Provincial Deductibility Limited to Taxable Income", Section::InputDefaults, 45,
         St::TrueFalse)),
    ranged(S::FedInvestmentExpenses, "Federal Investment Expenses (%)", 46, St::Number, U::Percent, "#0.0", true,
           fixed(0), fixed(5)),
    ranged(S::ProvInvestmentExpenses, "Provincial Investment Expenses (%)", 47, St::Number, U::Percent, "#0.0", true,
           fixed(0), fixed(5)),
    inCase(anyValue(S::FedDefer, "Federal Defer Undeducted Expenses", Section::InputDefaults, 48, St::Index, U::Index)),
    inCase(anyValue(S::ProvDefer, "Provincial Defer Undeducted Expenses", Section::InputDefaults, 49, St::Index, U::Index)),
    inCase(anyValue(S::FedIncludeCapGains, "Federal Include Capital Gains", Section::InputDefaults, 50, St::Index, U::Index)),
    inCase(anyValue(S::ProvIncludeCapGains, "Provincial Include Capital Gains", Section::InputDefaults, 51, St::Index, U::Index)),
    ranged(S::FederalToMTRRatio, "Federal To Marginal Tax Rate Ratio (%)", 52, St::Number, U::Percent, "#0.0", true,
           fixed(0), fixed(100)),
    ranged(S::ProjectedReturn1, "Projected Return 1 (%)", 53, St::Number, U::Percent, "#0.0", true, kReturnLow,
           kReturnHigh),
    ranged(S::ProjectedReturn2, "Projected Return 2 (%)", 54, St::Number, U::Percent, "#0.0", true, kReturnLow,
           kReturnHigh),
    ranged(S::ProjectedReturn3, "Projected Return 3 (%)", 55, St::Number, U::Percent, "#0.0", true, kReturnLow,
           kReturnHigh),
    ranged(S::ProjectedReturn4, "Projected Return 4 (%)", 56, St::Number, U::Percent, "#0.0", true, kReturnLow,
           kReturnHigh),
    ranged(S::CapGainsInclusionRate, "Capital Gains Inclusion Rate (%)", 57, St::Fraction, U::Percent, "#0.0", false,
           fixed(0), fixed(100)),
    ranged(S::InterestTaxRate1, "Interest Tax Rate 1 (%)", 58, St::Fraction, U::Percent, "#0.0", true, fixed(0),
           fixed(100)),
    ranged(S::InterestTaxRate2, "Interest Tax Rate 2 (%)", 59, St::Fraction, U::Percent, "#0.0", true, fixed(0),
           fixed(100)),
    ranged(S::InterestTaxRate3, "Interest Tax Rate 3 (%)", 60, St::Fraction, U::Percent, "#0.0", true, fixed(0),
           fixed(100)),
    ranged(S::InterestTaxRate4, "Interest Tax Rate 4 (%)", 61, St::Fraction, U::Percent, "#0.0", true, fixed(0),
           fixed(100)),
    ranged(S::DividendTaxRate1, "Dividend Tax Rate 1 (%)", 62, St::Fraction, U::Percent, "#0.0", true, fixed(0),
           fixed(100)),
    ranged(S::DividendTaxRate2, "Dividend Tax Rate 2 (%)", 63, St::Fraction, U::Percent, "#0.0", true, fixed(0),
           fixed(100)),
    ranged(S::DividendTaxRate3, "Dividend Tax Rate 3 (%)", 64, St::Fraction, U::Percent, "#0.0", true, fixed(0),
           fixed(100)),
    ranged(S::DividendTaxRate4, "Dividend Tax Rate 4 (%)", 65, St::Fraction, U::Percent, "#0.0", true, fixed(0),
           fixed(100)),
    ranged(S::StartOfTaxBracket1, "Start of Tax Bracket 1 ($)", 66, St::WholeDollars, U::Dollars, "$#,##0", true,
           fixed(0), fixed(kMostDollars)),
    ranged(S::StartOfTaxBracket2, "Start of Tax Bracket 2 ($)", 67, St::WholeDollars, U::Dollars, "$#,##0", true,
           fixed(0), fixed(kMostDollars)),
    ranged(S::StartOfTaxBracket3, "Start of Tax Bracket 3 ($)", 68, St::WholeDollars, U::Dollars, "$#,##0", true,
           fixed(0), fixed(kMostDollars)),
    ranged(S::StartOfTaxBracket4, "Start of Tax Bracket 4 ($)", 69, St::WholeDollars, U::Dollars, "$#,##0", true,
           fixed(0), fixed(kMostDollars)),
    flag(S::PrintSummary, "Print Summary", Section::InputDefaults, 36, St::OneZero),
    flag(S::PrintProjection, "Print Projection", Section::InputDefaults, 37, St::OneZero),
    flag(S::PrintChecklistPage, "Print Checklist Page", Section::InputDefaults, 38, St::OneZero),
    flag(S::PrintName, "Print Name", Section::InputDefaults, 39, St::OneZero),
    flag(S::PrintCompanyName, "Print Company Name", Section::InputDefaults, 40, St::OneZero),
    flag(S::PrintSummaryChecklist, "Print Summary Checklist", Section::InputDefaults, 33, St::TrueFalse),
    flag(S::PrintLegalDisclaimer, "Print Legal Disclaimer", Section::InputDefaults, 34, St::TrueFalse),
    flag(S::PrintSignatures, "Print Signatures", Section::InputDefaults, 35, St::TrueFalse),
    added(flag(S::PrintOutcomes, "Print Range of Outcomes", Section::InputDefaults, 73, St::OneZero), "0"),
    // The projection is always run at the third return; this is what its
    // field held when the defaults were saved.
    ranged(S::ProjectionReturn, "Projection Return", 26, St::Number, U::Percent, "#0.0", true, kReturnLow,
           kReturnHigh),
    ranged(S::TimesLoanRepeated, "Times Loan Repeated", 27, St::Number, U::Count, {}, false, fixed(0), fixed(80),
           true),
    ranged(S::CapitalGains, "Capital Gains", 28, St::Number, U::Percent, {}, false, fixed(0), fixed(100), true),
    ranged(S::DeferredCapitalGains, "Deferred Capital Gains", 29, St::Number, U::Percent, {}, false, fixed(0),
           fixed(100), true),
    ranged(S::Dividends, "Dividends", 30, St::Number, U::Percent, {}, false, fixed(0), fixed(100), true),
    ranged(S::Interest, "Interest", 31, St::Number, U::Percent, {}, false, fixed(0), fixed(100), true),
    ranged(S::InvestmentType, "Investment Type", 24, St::Index, U::Index, {}, false, fixed(0), fixed(4), true),
    // Investments held, not owed: never below nothing.
    ranged(S::OtherUnleveragedIncome, "Other Unleveraged Income ($)", 25, St::Number, U::Dollars, "$#,##0", true,
           fixed(0), fixed(kMostDollars)),
    // Whether the detailed projection table showed when the defaults were
    // saved: kept for the record, never read back.
    {S::ShowAdvancedDetails, "Show Advanced Details", Section::InputDefaults, 32, St::TrueFalse, U::Flag, {}, false,
     false, fixed(-kNone), fixed(kNone), false, false},
    // The range of outcomes: how far a year's return strays from the
    // projection return, and the paths and seed that make its figures.
    added(ranged(S::Volatility, "Volatility (%)", 70, St::Number, U::Percent, "#0.0", true, fixed(0),
                 fixed(kMaxVolatility)),
          "16"),
    added(ranged(S::OutcomePaths, "Outcome Paths", 71, St::Number, U::Count, {}, false, fixed(kMinOutcomePaths),
                 fixed(kMaxOutcomePaths), true),
          "10000"),
    added(ranged(S::OutcomeSeed, "Outcome Seed", 72, St::Number, U::Count, {}, false, fixed(1), fixed(2147483647),
                 true),
          "20261206"),
    flag(S::ShowIntOnlyAnalysis, "showIntOnlyAnalysis", Section::AnalysisRestrictions, 11, St::NotZero),
    flag(S::ShowTermLoanAnalysis, "showTermLoanAnalysis", Section::AnalysisRestrictions, 12, St::NotZero),
    flag(S::ShowRRSPAnalysis, "showRRSPAnalysis", Section::AnalysisRestrictions, 13, St::NotZero),
    // The sponsor's limits bound the fields: past these no illustration makes
    // sense, and a warning level of 0 switches its warning off.
    {S::MaxReturnAllowed, "Maximum Return Allowed", Section::InputLimits, 15, St::Number, U::Percent, {}, false, true,
     fixed(-99), fixed(1000), false},
    // Save Defaults has always written this key with a lower-case "issued".
    {S::ReturnWarningLevel, "Return at which Warning Issued", Section::InputLimits, 16, St::Number, U::Percent, {},
     false, true, fixed(0), fixed(1000), false, true, "Return at which Warning issued"},
    {S::MinInterestRateAllowed, "Minimum Interest Rate Allowed", Section::InputLimits, 17, St::Number, U::Percent, {},
     false, true, fixed(0), fixed(50), false},
    {S::InterestRateWarningLevel, "Interest Rate at which Warning Issued", Section::InputLimits, 18, St::Number,
     U::Percent, {}, false, true, fixed(0), fixed(50), false},
}};

// Reformatting a typed value needs a pattern to reformat it with.
static_assert(std::ranges::none_of(kRows, [](const SettingRow& row) { return row.pattern.empty() && row.patternOnEntry; }));
// Each setting has a record of User.dat to itself.
static_assert(std::ranges::all_of(kRows, [](const SettingRow& r) { return std::ranges::count(kRows, r.line, &SettingRow::line) == 1; }));

constexpr bool rowsInOrder()
{
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        if (static_cast<std::size_t>(kRows[i].id) != i)
            return false;
    }
    return true;
}
static_assert(rowsInOrder(), "every setting has its row, in the order of Setting");

// Moves the decimal point of a plain decimal text by `shift` places (left
// when negative); nullopt for exponent notation.
std::optional<std::string> shiftDecimal(const std::string& text, int shift)
{
    if (text.find_first_of("eE") != std::string::npos)
        return std::nullopt;
    std::string_view s(text);
    std::string sign;
    if (!s.empty() && s[0] == '-') {
        sign = "-";
        s.remove_prefix(1);
    }
    const std::size_t dot = s.find('.');
    std::string digits(s.substr(0, dot));
    long point = static_cast<long>(digits.size());
    if (dot != std::string_view::npos)
        digits += s.substr(dot + 1);
    point += shift;
    // Zeros make room for a point moved past either end.
    const long before = std::max(0L, -point);
    digits.insert(0, static_cast<std::size_t>(before), '0');
    point += before;
    digits.resize(std::max(digits.size(), static_cast<std::size_t>(point)), '0');
    std::string whole = digits.substr(0, static_cast<std::size_t>(point));
    std::string fraction = digits.substr(static_cast<std::size_t>(point));
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
    fraction.erase(fraction.find_last_not_of('0') + 1);
    if (whole.empty())
        whole = "0";
    std::string out = whole;
    if (!fraction.empty())
        out += "." + fraction;
    if (out == "0")
        return out;
    return sign + out;
}

// Whole numbers for list indices, kept in 16 bits.
double wholeNumber(std::string_view text)
{
    return std::clamp(RoundHalfToEven(LenientParse(text)), -32768.0, 32767.0);
}

} // namespace

std::string PercentToFractionText(double percent)
{
    const std::string text = ShortestDecimal(percent);
    if (auto shifted = shiftDecimal(text, -2))
        return *shifted;
    return ShortestDecimal(percent / 100);
}

double FractionToPercent(double fraction)
{
    const std::string text = ShortestDecimal(fraction);
    if (auto shifted = shiftDecimal(text, 2))
        return LenientParse(*shifted);
    return fraction * 100;
}

double ReadStored(const SettingRow& row, std::string_view text)
{
    switch (row.stored) {
    case Stored::Number:
        return LenientParse(text);
    case Stored::Fraction:
        return FractionToPercent(LenientParse(text));
    case Stored::WholeDollars:
        return RoundHalfAwayFromZero(LenientParse(text));
    case Stored::Index:
        return wholeNumber(text);
    case Stored::TrueFalse:
        return text == "True" ? 1 : 0;
    case Stored::OneZero:
        return text == "1" ? 1 : 0;
    case Stored::NotZero:
        return LenientParse(text) != 0 ? 1 : 0;
    }
    return 0;
}

std::string StoredText(const SettingRow& row, double value)
{
    switch (row.stored) {
    case Stored::Number:
    case Stored::WholeDollars:
        return ShortestDecimal(value);
    case Stored::Fraction:
        return PercentToFractionText(value);
    case Stored::Index:
        return std::to_string(static_cast<int>(std::clamp(std::isfinite(value) ? std::round(value) : 0.0,
                                                          -32768.0, 32767.0)));
    case Stored::TrueFalse:
    case Stored::NotZero:
        return value != 0 ? "True" : "False";
    case Stored::OneZero:
        return value != 0 ? "1" : "0";
    }
    return {};
}

int SettingValues::index(Setting s) const
{
    const double value = (*this)[s];
    if (!std::isfinite(value))
        return 0;
    return static_cast<int>(std::clamp(std::round(value), -32768.0, 32767.0));
}

const SettingRow& Row(Setting s)
{
    return kRows[static_cast<std::size_t>(s)];
}

std::span<const SettingRow> SettingRows()
{
    return kRows;
}

} // namespace gw
