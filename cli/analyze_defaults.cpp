#include "analyze_defaults.h"

#include "settingsfile.h"
#include "userfile.h"

namespace gw::cli {

std::optional<AnalyzeData> LoadAnalyzeData(const std::filesystem::path& folder, SettingsReporter& reporter)
{
    ProgramSettings settings;
    settings.folder = folder;
    if (!LoadStartUpSettings(settings, reporter))
        return std::nullopt;
    ReadMainWindowSettings(settings, reporter);

    AnalyzeData data;
    data.folder = folder;
    data.captions = std::move(settings.captions);
    AnalyzeDefaults& d = data.defaults;
    d.inputs = settings.defaults;
    d.limits = settings.limits;
    d.restrictions = settings.restrictions;
    d.language = settings.CurrentLanguage;
    AnalysisRestrictions& offered = d.restrictions;
    if (!offered.showIntOnlyAnalysis && !offered.showTermLoanAnalysis && !offered.showRRSPAnalysis)
        offered = {true, true, true};
    d.strategy = offered.showIntOnlyAnalysis    ? Strategy::InterestOnly
                 : offered.showTermLoanAnalysis ? Strategy::TermLoan
                                                : Strategy::RRSP;
    return data;
}

std::filesystem::path ProgramFolder()
{
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error && executable.has_parent_path())
        return executable.parent_path();
    return std::filesystem::current_path(error);
}

AnalysisInputs InputsFromDefaults(const InputDefaults& d)
{
    AnalysisInputs in;
    in.loanAmount = d.LoanAmount;
    in.taxRate = d.TaxRate;
    in.interestRate = d.InterestRateOnLoan;
    in.savingsPeriod = d.SavingsPeriod;
    in.returns = d.ProjectedReturn;
    in.projectionReturn = d.ProjectedReturn[2];  // the window mirrors return 3
    in.breakdown = {d.DeferredCapitalGains, d.CapitalGains, d.Dividends, d.Interest};
    in.timesRepeated = d.TimesLoanRepeated;
    // Casting a value outside int is undefined; the option's check refuses it.
    in.investmentType = d.InvestmentType >= 0 && d.InvestmentType <= 4 ? static_cast<int>(d.InvestmentType) : -1;
    in.otherUnleveraged = d.OtherUnleveragedIncome;
    in.capGainsInclusionRate = FractionToPercent(d.CapGainsInclusionRate);
    in.federalToMarginalRatio = d.FederalToMTRRatio;
    in.fedLimited = d.FedLimitedDeduct;
    in.provLimited = d.ProvLimitedDeduct;
    in.fedDeductible = d.FedInterestDeductibility;
    in.provDeductible = d.ProvInterestDeductibility;
    in.fedIncludeCG = d.FedIncludeCapGains == 0;
    in.provIncludeCG = d.ProvIncludeCapGains == 0;
    in.fedExpenses = d.FedInvestmentExpenses;
    in.provExpenses = d.ProvInvestmentExpenses;
    for (size_t i = 0; i < 4; ++i) {
        in.taxTable[i].start = d.StartOfTaxBracket[i];
        in.taxTable[i].interestRate = FractionToPercent(d.InterestTaxRate[i]);
        in.taxTable[i].dividendRate = FractionToPercent(d.DividendTaxRate[i]);
    }
    return in;
}

} // namespace gw::cli
