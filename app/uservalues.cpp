#include "uservalues.h"

#include "inputpanel.h"
#include "mainwindow.h"

namespace gw {

UserFileValues CurrentUserValues(const ProgramSettings& settings, const MainWindow& window)
{
    UserFileValues values = UserFileValuesFrom(settings);
    const AnalysisInputs in = window.currentInputs();
    values.LoanAmount = in.loanAmount;
    values.TaxRate = in.taxRate;
    values.InterestRateOnLoan = in.interestRate;
    values.SavingsPeriod = in.savingsPeriod;
    values.InvestmentType = in.investmentType;
    values.OtherUnleveragedIncome = in.otherUnleveraged;
    values.ProjectionReturn = in.projectionReturn;
    values.TimesLoanRepeated = in.timesRepeated;
    values.DeferredCapitalGains = in.breakdown[kDeferredCapGains];
    values.CapitalGains = in.breakdown[kCapGains];
    values.Dividends = in.breakdown[kDividends];
    values.Interest = in.breakdown[kInterest];
    values.ShowAdvancedDetails = window.advancedView();
    values.ProjectedReturn = in.returns;

    const TaxSettings& tax = window.inputs().taxSettings();
    values.FedInterestDeductibility = tax.fedDeductible;
    values.ProvInterestDeductibility = tax.provDeductible;
    values.FedLimitedDeduct = tax.fedLimited;
    values.ProvLimitedDeduct = tax.provLimited;
    values.FedInvestmentExpenses = tax.fedExpenses;
    values.ProvInvestmentExpenses = tax.provExpenses;
    values.FedIncludeCapGains = tax.fedIncludeCG ? 0 : 1;
    values.ProvIncludeCapGains = tax.provIncludeCG ? 0 : 1;
    values.FederalToMTRRatio = tax.federalToMarginalRatio;
    values.CapGainsInclusionRatePercent = tax.capGainsInclusionRate;
    for (int n = 0; n < 4; ++n) {
        values.StartOfTaxBracket[n] = tax.taxTable[n].start;
        values.InterestTaxRatePercent[n] = tax.taxTable[n].interestRate;
        values.DividendTaxRatePercent[n] = tax.taxTable[n].dividendRate;
    }
    // Print dialog: its options go here once it is wired in.
    return values;
}

} // namespace gw
