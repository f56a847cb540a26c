#pragma once

#include "records.h"
#include "textveil.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace gw {

class SettingsReporter;

// What Save Defaults writes to User.dat: the current values of the windows
// as numbers (the window reads its field texts in the language shown), in
// the units the fields show them.
struct UserFileValues {
    SponsorInfo sponsorInfo;  // written trimmed; logoPath is never written
    int CurrentLanguage = English;
    AnalysisRestrictions restrictions;
    InputLimits limits;

    // Main window.
    double LoanAmount = 0;              // dollars
    double TaxRate = 0;                 // per cent
    double InterestRateOnLoan = 0;      // per cent
    double SavingsPeriod = 0;           // years
    int InvestmentType = 0;             // list index
    double OtherUnleveragedIncome = 0;  // dollars
    double ProjectionReturn = 0;        // per cent
    double TimesLoanRepeated = 0;       // count, advanced-details dialog
    double CapitalGains = 0;            // breakdown, per cent of the gross return
    double DeferredCapitalGains = 0;
    double Dividends = 0;
    double Interest = 0;
    bool ShowAdvancedDetails = false;   // the detailed projection table is showing
    std::array<double, 4> ProjectedReturn{};  // per cent

    // Print dialog.
    bool PrintSummaryChecklist = false;
    bool PrintLegalDisclaimer = false;
    bool PrintSignatures = false;
    bool PrintSummary = false;
    bool PrintProjection = false;
    bool PrintChecklistPage = false;
    bool PrintName = false;
    bool PrintCompanyName = false;

    // Setup dialog; the tax-table rates and the inclusion rate in per cent as
    // shown (stored as fractions).
    double PortionDeductible = 0;       // per cent, carried from InputDefaults
    double FedInterestDeductibility = 0;
    double ProvInterestDeductibility = 0;
    bool FedLimitedDeduct = false;
    bool ProvLimitedDeduct = false;
    double FedInvestmentExpenses = 0;
    double ProvInvestmentExpenses = 0;
    int FedDefer = 0;
    int ProvDefer = 0;
    int FedIncludeCapGains = 0;
    int ProvIncludeCapGains = 0;
    double FederalToMTRRatio = 0;
    double CapGainsInclusionRatePercent = 0;
    std::array<double, 4> InterestTaxRatePercent{};
    std::array<double, 4> DividendTaxRatePercent{};
    std::array<double, 4> StartOfTaxBracket{};  // dollars

    // Further settings (key, value), written as "value= key" after the tax
    // table, e.g. {"Advisor Name", "..."}. Read them back with
    // GetSettingValue(key, UserLines). Keys must not contain "=".
    std::vector<std::pair<std::string, std::string>> extraSettings;
};

// Values to start a save from: the sponsor's records, the language,
// PortionDeductible and every default as read at start-up (fractions turned
// back into per cent). The window then sets what its fields hold.
UserFileValues UserFileValuesFrom(const ProgramSettings& settings);

// Appends the chunk lines of a long setting: `text` trimmed, line breaks
// removed, cut into pieces of 125 characters, each written as
// "<piece>=<key><k>" with k = 1, 2, ... An empty text appends nothing.
void WriteChunkedSetting(std::string_view text, std::string_view key, std::vector<std::string>& lines);

// The plain lines of User.dat (UTF-8) in the order the file keeps them,
// with the sponsor's legal disclaimers in both languages at the end.
std::vector<std::string> BuildUserFileLines(const UserFileValues& values, const SettingLines& sponsorLines);

inline constexpr std::string_view kUserFileNotWritten =
    "User.dat not written successfully. There was an error writing to the loaded file, or the specified location.";

// Writes User.dat in `folder` atomically: every record is built first (a
// line over 174 characters fails before anything is written), then a
// temporary file is written and renamed over User.dat. On any failure the
// old file stays as it was, kUserFileNotWritten and the reason are reported
// (title "Error") and false is returned. Characters that Windows-1252
// cannot store are written as "?".
bool SaveUserFile(const std::filesystem::path& folder, const UserFileValues& values, const SettingLines& sponsorLines,
                  SettingsReporter& reporter, const VeilRandom& random);
bool SaveUserFile(const std::filesystem::path& folder, const UserFileValues& values, const SettingLines& sponsorLines,
                  SettingsReporter& reporter);
// In settings.folder, with the disclaimers of settings.SponsorLines.
bool SaveUserFile(const ProgramSettings& settings, const UserFileValues& values, SettingsReporter& reporter);

// Per cent <-> fraction by moving the decimal point, so 43.41 is stored as
// "0.4341" and comes back as exactly 43.41 (dividing by 100 would not).
std::string PercentToFractionText(double percent);
double FractionToPercent(double fraction);

} // namespace gw
