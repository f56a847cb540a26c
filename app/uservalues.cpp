#include "uservalues.h"

#include "inputpanel.h"
#include "mainwindow.h"
#include "setupvalues.h"

namespace gw {

UserFileValues CurrentUserValues(const ProgramSettings& settings, const MainWindow& window, const SetupValues& setup)
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

    values.FedInterestDeductibility = setup.fed.deductible;
    values.ProvInterestDeductibility = setup.prov.deductible;
    values.FedLimitedDeduct = setup.fed.limited;
    values.ProvLimitedDeduct = setup.prov.limited;
    values.FedInvestmentExpenses = setup.fed.expenses;
    values.ProvInvestmentExpenses = setup.prov.expenses;
    values.FedDefer = setup.fed.defer;
    values.ProvDefer = setup.prov.defer;
    values.FedIncludeCapGains = setup.fed.includeCapGains;
    values.ProvIncludeCapGains = setup.prov.includeCapGains;
    values.FederalToMTRRatio = setup.federalToMarginalRatio;
    values.CapGainsInclusionRatePercent = setup.capGainsInclusionRate;
    for (std::size_t n = 0; n < 4; ++n) {
        values.StartOfTaxBracket[n] = setup.taxTable[n].start;
        values.InterestTaxRatePercent[n] = setup.taxTable[n].interestRate;
        values.DividendTaxRatePercent[n] = setup.taxTable[n].dividendRate;
    }
    return values;
}

} // namespace gw
