#include "settingssetup.h"

#include "numformat.h"

#include <algorithm>

namespace gw {

namespace {

// The number a "#0.0" field of the setup dialog shows for `value`.
double shownWithOneDecimal(double value)
{
    return ReadField(FormatNumber(value, "#0.0", English), English);
}

} // namespace

MainWindowSetup SetupFromSettings(const ProgramSettings& settings)
{
    const InputLimits& limits = settings.limits;
    const AnalysisRestrictions& offered = settings.restrictions;
    const InputDefaults& d = settings.defaults;
    MainWindowSetup setup;

    setup.limits = {limits.MaxReturnAllowed, limits.ReturnWarningLevel, limits.MinInterestRateAllowed,
                    limits.InterestRateWarningLevel};
    setup.strategies = {offered.showIntOnlyAnalysis, offered.showTermLoanAnalysis, offered.showRRSPAnalysis};

    PanelDefaults& panel = setup.defaults;
    panel.loanAmount = d.LoanAmount;
    panel.taxRate = d.TaxRate;
    panel.interestRate = d.InterestRateOnLoan;
    panel.savingsPeriod = d.SavingsPeriod;
    panel.projectedReturns = d.ProjectedReturn;
    panel.projectionReturn = d.ProjectionReturn;
    panel.timesLoanRepeated = d.TimesLoanRepeated;
    panel.breakdown = {d.DeferredCapitalGains, d.CapitalGains, d.Dividends, d.Interest};
    panel.investmentType = static_cast<int>(std::clamp(RoundHalfAwayFromZero(d.InvestmentType), 0.0, 4.0));
    panel.otherUnleveraged = d.OtherUnleveragedIncome;

    TaxSettings& tax = setup.tax;
    tax.capGainsInclusionRate = shownWithOneDecimal(d.CapGainsInclusionRate * 100);
    tax.federalToMarginalRatio = shownWithOneDecimal(d.FederalToMTRRatio);
    tax.fedLimited = d.FedLimitedDeduct;
    tax.provLimited = d.ProvLimitedDeduct;
    tax.fedDeductible = shownWithOneDecimal(d.FedInterestDeductibility);
    tax.provDeductible = shownWithOneDecimal(d.ProvInterestDeductibility);
    tax.fedIncludeCG = d.FedIncludeCapGains == 0;
    tax.provIncludeCG = d.ProvIncludeCapGains == 0;
    tax.fedExpenses = d.FedInvestmentExpenses;
    tax.provExpenses = d.ProvInvestmentExpenses;
    for (int n = 0; n < 4; ++n) {
        tax.taxTable[n] = {shownWithOneDecimal(d.StartOfTaxBracket[n]), shownWithOneDecimal(d.InterestTaxRate[n] * 100),
                           shownWithOneDecimal(d.DividendTaxRate[n] * 100)};
    }

    setup.sponsor = {settings.IsSponsored, settings.sponsorInfo.SponsorName, settings.sponsorInfo.AppTitle,
                     settings.sponsorInfo.helpPath};
    return setup;
}

} // namespace gw
