#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

// Every number the sponsor and user files configure, in one table: the key
// text and section in Config.dat/User.dat, how the file stores the value,
// the unit and display pattern of the field that shows it, and its legal
// range. Reading, Save Defaults, the windows and the command line all look
// a setting up here; nothing else spells a key. Adding a setting is one
// enumerator, one row and its control.
namespace gw {

// In the order the start-up reads them: the default inputs, then the
// strategies offered, then the input limits. Numbered settings run 1..4.
enum class Setting : int {
    // [InputDefaults]
    LoanAmount,
    TaxRate,
    InterestRateOnLoan,
    SavingsPeriod,
    PortionDeductible,
    FedInterestDeductibility,
    ProvInterestDeductibility,
    FedLimitedDeduct,
    ProvLimitedDeduct,
    FedInvestmentExpenses,
    ProvInvestmentExpenses,
    FedDefer,
    ProvDefer,
    FedIncludeCapGains,
    ProvIncludeCapGains,
    FederalToMTRRatio,
    ProjectedReturn1, ProjectedReturn2, ProjectedReturn3, ProjectedReturn4,
    CapGainsInclusionRate,
    InterestTaxRate1, InterestTaxRate2, InterestTaxRate3, InterestTaxRate4,
    DividendTaxRate1, DividendTaxRate2, DividendTaxRate3, DividendTaxRate4,
    StartOfTaxBracket1, StartOfTaxBracket2, StartOfTaxBracket3, StartOfTaxBracket4,
    PrintSummary,
    PrintProjection,
    PrintChecklistPage,
    PrintName,
    PrintCompanyName,
    PrintSummaryChecklist,
    PrintLegalDisclaimer,
    PrintSignatures,
    PrintOutcomes,
    ProjectionReturn,
    TimesLoanRepeated,
    CapitalGains,
    DeferredCapitalGains,
    Dividends,
    Interest,
    InvestmentType,
    OtherUnleveragedIncome,
    ShowAdvancedDetails,
    Volatility,
    OutcomePaths,
    OutcomeSeed,
    // [AnalysisRestrictions]
    ShowIntOnlyAnalysis,
    ShowTermLoanAnalysis,
    ShowRRSPAnalysis,
    // [InputLimits]
    MaxReturnAllowed,
    ReturnWarningLevel,
    MinInterestRateAllowed,
    InterestRateWarningLevel,
    Count
};
inline constexpr std::size_t kSettingCount = static_cast<std::size_t>(Setting::Count);

// The n-th (0..3) of four numbered settings: Nth(Setting::ProjectedReturn1, 2)
// is ProjectedReturn3.
constexpr Setting Nth(Setting first, int n)
{
    return static_cast<Setting>(static_cast<int>(first) + n);
}

// The settings' values in the units their fields show: per cent as typed
// (8 for 8 %) even where the file holds a fraction, dollars, years, list
// indices, and 1 or 0 for a flag. All 0 until read.
class SettingValues {
public:
    double operator[](Setting s) const { return values_[slot(s)]; }
    double& operator[](Setting s) { return values_[slot(s)]; }
    bool flag(Setting s) const { return (*this)[s] != 0; }
    void setFlag(Setting s, bool on) { (*this)[s] = on ? 1 : 0; }
    // A list index as a whole number (the files keep them in 16 bits).
    int index(Setting s) const;

    bool operator==(const SettingValues&) const = default;

private:
    static std::size_t slot(Setting s) { return static_cast<std::size_t>(s); }
    std::array<double, kSettingCount> values_{};
};

enum class Section { InputDefaults, AnalysisRestrictions, InputLimits };

// How a file writes the value and reads it back.
enum class Stored {
    Number,        // a plain number
    Fraction,      // the field's per cent divided by 100 ("0.4341" for 43.41)
    WholeDollars,  // a plain number, read rounded to whole dollars
    Index,         // a whole number, read halves to even
    TrueFalse,     // "True" / "False"; only "True" reads as set
    OneZero,       // "1" / "0"; only "1" reads as set
    NotZero,       // written "True" / "False", read as set when its number is not 0
};

// The unit of the field, of SettingValues and of AnalysisInputs.
enum class Unit { Dollars, Percent, Years, Count, Index, Flag };

// The largest amount any money field takes: eight digits, so that amounts
// and what grows from them fit the fields, tables and notes.
inline constexpr double kMostDollars = 99'999'999;
// The longest projection: a term or RRSP loan repeated must end within it.
inline constexpr int kMostYears = 80;

// A legal bound: a fixed value, or a sponsor limit taken inward to the
// nearest whole number (the spinners step by whole numbers, and a limit
// of 25.5 must not let 26 through).
struct Bound {
    double value = 0;
    Setting from = Setting::Count;  // the limit it comes from, if any
};

struct SettingRow {
    Setting id;
    std::string_view key;  // as the files hold it; matched without regard to case
    Section section;
    int line;              // its record number in User.dat; 0: never written
    Stored stored;
    Unit unit;
    // The field's display pattern; the analysis runs on the value it shows.
    // Empty: the plain number.
    std::string_view pattern;
    bool patternOnEntry;   // a typed value is reformatted too, not only a loaded one
    bool ranged;           // low..high apply; otherwise anything goes
    Bound low;
    Bound high;
    bool whole;            // whole numbers only
    bool read = true;      // false: written for the record, never read back
    std::string_view writtenKey = {};  // the key as Save Defaults writes it, when not `key`
    // A client case keeps it: it shapes one client's figures (an input,
    // an advanced detail, a tax or deductibility value), where the others
    // are the sponsor's or the program's preferences.
    bool inCase = false;
    // Sponsor and user files written before this setting existed lack it:
    // its value is then the sponsor's, else `defaultText` (as stored),
    // rather than 0 and a message.
    bool sponsorWhenAbsent = false;
    std::string_view defaultText = {};
};

const SettingRow& Row(Setting s);
// In the order of Setting.
std::span<const SettingRow> SettingRows();

// The value a file's text stands for, in the unit of the field.
double ReadStored(const SettingRow& row, std::string_view text);
// The text a file keeps for `value` (in the unit of the field).
std::string StoredText(const SettingRow& row, double value);

// Per cent <-> fraction by moving the decimal point, so 43.41 is stored as
// "0.4341" and comes back as exactly 43.41 (dividing by 100 would not).
std::string PercentToFractionText(double percent);
double FractionToPercent(double fraction);

} // namespace gw
