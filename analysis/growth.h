#pragma once

#include <array>

namespace gw {

// Every projection is indexed by year: 0 is the start, i the end of year i.
inline constexpr int kMaxPeriods = 80;
using YearArray = std::array<double, kMaxPeriods + 1>;

// Amounts in dollars, rates as fractions (0.08 for 8 %).
struct GenericInvestment {
    double InitialInvestment = 0;           // only fills Cashflow[0]
    double InvestmentPerPeriod = 0;         // only fills Cashflow
    double ReturnPerPeriod = 0;
    // Year i's return in [i] for a path of varying returns (the range of
    // outcomes); null: ReturnPerPeriod every year. Not owned.
    const YearArray* ReturnByPeriod = nullptr;
    bool EndOfPeriodInvestments = true;
    double InvestmentPerPeriodIncrease = 0; // only fills Cashflow
    int NPeriods = 0;                       // 0..80
    double InitialInvestmentACB = 0;
    double TaxRate = 0;
    double CapGainsInclusionRate = 0;
    double DivTaxRate = 0;
    double DistribReinvestRatio = 1;
    double DCGRatioOfReturn = 0;
    double CapGainsRatioOfReturn = 0;
    double DivRatioOfReturn = 0;
    double IntRatioOfReturn = 0;
    double ProvTaxRate = 0;                 // carried for the strategies
    double FedTaxRate = 0;                  // carried for the strategies
    bool UseCashflowArray = false;          // true: the caller filled Cashflow
    YearArray Cashflow{};                   // Cashflow[0] is the opening balance
};

struct GenericFutureValue {
    YearArray BTBalance{};
    YearArray ACB{};
    YearArray BTDistrib{};
    YearArray ATDistrib{};
};

struct DeferredInvestment {
    double InitialInvestment = 0;
    double InvestmentPerPeriod = 0;
    double ReturnPerPeriod = 0;
    const YearArray* ReturnByPeriod = nullptr;  // as GenericInvestment's
    int NPeriods = 0;
    bool EndOfPeriodInvestments = true;
    double InvestmentPerPeriodIncrease = 0;
    double InitialInvestmentACB = 0;
    bool UseCashflowArray = false;
    YearArray Cashflow{};
};

struct DeferredFutureValue {
    YearArray BTBalance{};
    YearArray ACB{};
};

// The return of year i (1..NPeriods) a projection runs at.
template <typename Investment>
inline double ReturnInYear(const Investment& inv, int i)
{
    return inv.ReturnByPeriod ? (*inv.ReturnByPeriod)[i] : inv.ReturnPerPeriod;
}

// Cashflow[0] = InitialInvestment, Cashflow[1..NPeriods] the growing
// contribution; entries above NPeriods are left alone.
void FillGenericCashflow(GenericInvestment& inv);
void FillDeferredCashflow(DeferredInvestment& inv);

// Taxable projection: units whose price grows by the deferred capital gain,
// the rest of the return paid out, taxed and reinvested. Fills the caller's
// Cashflow when UseCashflowArray is false.
// Throws AnalysisError when NPeriods exceeds 80, the unit price falls to 0 or
// a figure is not finite.
GenericFutureValue CalcGenericFutureValue(GenericInvestment& inv);

// Tax-sheltered projection: the whole return compounds in the balance.
// Throws AnalysisError when NPeriods exceeds 80 or a figure is not finite.
DeferredFutureValue CalcDeferredFutureValue(DeferredInvestment& inv);

// (a - b) / b, and 1 (a 100 % increase) when b is exactly 0.
double PercentIncrease(double a, double b);

} // namespace gw
