#pragma once

#include "dispatch.h"
#include "inputs.h"

#include <array>
#include <functional>
#include <string>

namespace gw {

// The sponsor's bounds and warning levels of the input panel, per cent.
// A warning level of 0 switches that warning off.
struct PanelLimits {
    double maxReturnAllowed = 50;
    double returnWarningLevel = 0;
    double minInterestRateAllowed = 2;
    double interestRateWarningLevel = 0;
};

// Which strategies the sponsor offers.
struct OfferedStrategies {
    bool interestOnly = true;
    bool termLoan = true;
    bool rrsp = true;
};

// Default inputs, in the units the fields show: dollars, per cent, years.
struct PanelDefaults {
    double loanAmount = 100000;
    double taxRate = 40;
    double interestRate = 8;
    double savingsPeriod = 10;
    std::array<double, 4> projectedReturns{6, 8, 10, 12};
    double projectionReturn = 10;
    double timesLoanRepeated = 0;
    // Deferred capital gains, capital gains, dividends, interest; whole per cent.
    std::array<double, 4> breakdown{70, 25, 5, 0};
    int investmentType = 0;     // 0 "100%", 1 "1:1" .. 4 "4:1"
    double otherUnleveraged = 0;
};

// The setup dialog's tax settings, in the units the dialog shows (per cent,
// dollars). The window copies them into every analysis.
struct TaxSettings {
    double capGainsInclusionRate = 50;
    double federalToMarginalRatio = 60;
    bool fedLimited = false;
    bool provLimited = false;
    double fedDeductible = 100;
    double provDeductible = 100;
    bool fedIncludeCG = true;
    bool provIncludeCG = true;
    double fedExpenses = 0;
    double provExpenses = 0;
    std::array<TaxBracket, 4> taxTable{};

    bool limited() const { return fedLimited || provLimited; }
};

// Who sponsors this copy; decides the title and the sponsor-limit hint.
struct SponsorSetup {
    bool isSponsored = false;
    std::string sponsorName;
    std::string appTitle;
    std::string helpPath;   // the sponsor's own help file
};

// Everything the main window takes from the settings records at start-up.
struct MainWindowSetup {
    PanelLimits limits;
    OfferedStrategies strategies;
    PanelDefaults defaults;
    TaxSettings tax;
    SponsorSetup sponsor;
};

// Copies the tax settings into the inputs of an analysis.
void ApplyTaxSettings(const TaxSettings& tax, AnalysisInputs& inputs);

// Runs strategy `analysisType` (0, 1, 2) on the inputs. Must not throw:
// failures come back in the outcome, and then the previous results stand.
using AnalysisRunner = std::function<AnalysisOutcome(int analysisType, const AnalysisInputs& inputs)>;

} // namespace gw
