#include "analyze_defaults.h"

#include "userfile.h"

namespace gw::cli {

AnalyzeDefaults BuiltInDefaults()
{
    AnalyzeDefaults d;
    InputDefaults& in = d.inputs;
    in.LoanAmount = 100000;
    in.TaxRate = 40;
    in.InterestRateOnLoan = 7;
    in.SavingsPeriod = 10;
    in.ProjectedReturn = {4, 6, 8, 10};
    in.ProjectionReturn = 8;
    in.DeferredCapitalGains = 40;
    in.CapitalGains = 30;
    in.Dividends = 20;
    in.Interest = 10;
    in.CapGainsInclusionRate = 0.5;
    in.FederalToMTRRatio = 60;
    in.FedInterestDeductibility = 100;
    in.ProvInterestDeductibility = 100;
    in.PortionDeductible = 100;
    in.FedLimitedDeduct = false;
    in.ProvLimitedDeduct = false;
    in.FedIncludeCapGains = 0;  // 0 = yes
    in.ProvIncludeCapGains = 0;
    // A combined federal and provincial table of recent years.
    in.StartOfTaxBracket = {0, 55867, 111733, 173205};
    in.InterestTaxRate = {0.2005, 0.2965, 0.4341, 0.5353};
    in.DividendTaxRate = {0, 0.0639, 0.2538, 0.3934};
    in.InvestmentType = 0;
    in.OtherUnleveragedIncome = 0;
    in.TimesLoanRepeated = 0;
    d.limits.MaxReturnAllowed = 20;
    d.limits.MinInterestRateAllowed = 1;
    d.restrictions = {true, true, true};
    return d;
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
    in.investmentType = static_cast<int>(d.InvestmentType);
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
