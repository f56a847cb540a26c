#pragma once

#include "captions.h"

#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace gw {

// The unmasked lines of a sponsor or user file (UTF-8), in file order from
// slot 0; at most kSettingSlots.
using SettingLines = std::vector<std::string>;
inline constexpr int kSettingSlots = 1025;

// Section "[SponsorInfo]", read once at start-up from the sponsor file.
// With SponsorName "none" the other fields stay empty.
struct SponsorInfo {
    std::string SponsorName;
    std::string AppTitle;
    std::string PrintoutFooter;
    std::string helpPath;     // the sponsor's own help file
    std::string helpCaption;  // kept and written back, nothing else
    std::string logoPath;     // replaced at start-up by the welcome picture
};

// Section "[AnalysisRestrictions]": which strategies are offered.
struct AnalysisRestrictions {
    bool showIntOnlyAnalysis = false;
    bool showTermLoanAnalysis = false;
    bool showRRSPAnalysis = false;
};

// Section "[InputLimits]", all per cent. A warning level of 0 switches that
// warning off.
struct InputLimits {
    double MaxReturnAllowed = 0;
    double ReturnWarningLevel = 0;
    double MinInterestRateAllowed = 0;
    double InterestRateWarningLevel = 0;
};

// Section "[InputDefaults]". Per cent as typed (8 for 8 %) unless marked
// fraction; arrays are numbered 1..4 in the files, index 0..3 here.
struct InputDefaults {
    double LoanAmount = 0;                 // dollars
    double TaxRate = 0;                    // per cent
    double InterestRateOnLoan = 0;         // per cent
    double SavingsPeriod = 0;              // years
    std::array<double, 4> ProjectedReturn{};  // per cent
    double PortionDeductible = 0;          // per cent; carried from file to file
    double CapGainsInclusionRate = 0;      // fraction
    std::array<double, 4> InterestTaxRate{};  // fraction
    std::array<double, 4> DividendTaxRate{};  // fraction
    std::array<double, 4> StartOfTaxBracket{};  // whole dollars
    bool ProvLimitedDeduct = false;
    bool FedLimitedDeduct = false;
    double ProvInvestmentExpenses = 0;     // per cent
    double FedInvestmentExpenses = 0;      // per cent
    double ProvInterestDeductibility = 0;  // per cent
    double FedInterestDeductibility = 0;   // per cent
    int ProvIncludeCapGains = 0;           // list index, 0 = yes
    int FedIncludeCapGains = 0;
    int ProvDefer = 0;                     // list index
    int FedDefer = 0;
    double FederalToMTRRatio = 0;          // per cent of the marginal rate
    bool PrintSummaryChecklist = false;
    bool PrintLegalDisclaimer = false;
    bool PrintSignatures = false;
    bool PrintSummary = false;
    bool PrintProjection = false;
    bool PrintChecklistPage = false;
    bool PrintName = false;
    bool PrintCompanyName = false;
    double ProjectionReturn = 0;           // per cent
    double TimesLoanRepeated = 0;          // count
    double CapitalGains = 0;               // per cent of the gross return
    double DeferredCapitalGains = 0;
    double Dividends = 0;
    double Interest = 0;
    double InvestmentType = 0;             // list index: 0 "100%" .. 4 "4:1"
    double OtherUnleveragedIncome = 0;     // dollars
};

// Everything the data files configure, owned by the program for the whole
// run and passed by reference; nothing here is global.
struct ProgramSettings {
    std::filesystem::path folder;  // the program's folder, holding the data files
    CaptionTables captions;
    SettingLines SponsorLines;     // Config.dat
    SettingLines UserLines;        // User.dat, or Config.dat when there is none
    SponsorInfo sponsorInfo;
    AnalysisRestrictions restrictions;
    InputLimits limits;
    InputDefaults defaults;
    int CurrentLanguage = English;  // 0 English, 1 French
    bool IsSponsored = false;       // SponsorName is not "none"
};

} // namespace gw
