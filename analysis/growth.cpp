#include "growth.h"

#include "error.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace gw {

namespace {

template <typename Investment>
void fillCashflow(Investment& inv)
{
    inv.Cashflow[0] = inv.InitialInvestment;
    double amount = inv.InvestmentPerPeriod;
    for (int i = 1; i <= inv.NPeriods && i <= kMaxPeriods; ++i) {
        inv.Cashflow[i] = amount;
        amount *= 1 + inv.InvestmentPerPeriodIncrease;
    }
}

void requirePeriods(int n)
{
    if (n > kMaxPeriods)
        throw AnalysisError("projection of " + std::to_string(n) + " years exceeds the limit of "
                            + std::to_string(kMaxPeriods));
}

// Year 0 holds the inputs, which are checked before.
void requireFinite(const YearArray& values, int n, const char* what)
{
    for (int i = 1; i <= n; ++i) {
        if (!std::isfinite(values[i]))
            throw AnalysisError(std::string(what) + " is not a finite number in year " + std::to_string(i));
    }
}

} // namespace

void FillGenericCashflow(GenericInvestment& inv) { fillCashflow(inv); }
void FillDeferredCashflow(DeferredInvestment& inv) { fillCashflow(inv); }

GenericFutureValue CalcGenericFutureValue(GenericInvestment& inv)
{
    requirePeriods(inv.NPeriods);
    GenericFutureValue fv;
    if (!inv.UseCashflowArray)
        FillGenericCashflow(inv);

    double cgShare = 0, divShare = 0, intShare = 0;
    const double distributed = inv.CapGainsRatioOfReturn + inv.DivRatioOfReturn + inv.IntRatioOfReturn;
    if (distributed != 0) {
        cgShare = inv.CapGainsRatioOfReturn / distributed;
        divShare = inv.DivRatioOfReturn / distributed;
        intShare = inv.IntRatioOfReturn / distributed;
    }

    YearArray price{};
    YearArray shares{};
    fv.BTBalance[0] = inv.Cashflow[0];
    fv.ACB[0] = inv.InitialInvestmentACB;
    price[0] = 1;
    shares[0] = fv.BTBalance[0];

    const double distTax = cgShare * inv.TaxRate * inv.CapGainsInclusionRate + divShare * inv.DivTaxRate
                           + intShare * inv.TaxRate;
    for (int i = 1; i <= inv.NPeriods; ++i) {
        // A year without a gain pays nothing out: the price takes the whole return.
        const double r = ReturnInYear(inv, i);
        double reinvestUnits = 0;
        if (r > 0) {
            price[i] = price[i - 1] * (1 + inv.DCGRatioOfReturn * r);
            const double base = inv.EndOfPeriodInvestments ? fv.BTBalance[i - 1]
                                                           : fv.BTBalance[i - 1] + inv.Cashflow[i];
            fv.BTDistrib[i] = base * r * (1 - inv.DCGRatioOfReturn);
            fv.ATDistrib[i] = fv.BTDistrib[i] * (1 - distTax);
            if (price[i] == 0)
                throw AnalysisError("unit price fell to 0 in year " + std::to_string(i));
            reinvestUnits = fv.ATDistrib[i] * inv.DistribReinvestRatio / price[i];
        } else {
            price[i] = price[i - 1] * (1 + r);
        }
        const double buyPrice = inv.EndOfPeriodInvestments ? price[i] : price[i - 1];
        if (buyPrice == 0)
            throw AnalysisError("unit price fell to 0 in year " + std::to_string(i) + " at a return of "
                                + std::to_string(r * 100) + " %");
        const double newUnits = inv.Cashflow[i] / buyPrice;
        shares[i] = newUnits + shares[i - 1] + reinvestUnits;
        fv.BTBalance[i] = shares[i] * price[i];
        fv.ACB[i] = fv.ATDistrib[i] * inv.DistribReinvestRatio + fv.ACB[i - 1] + inv.Cashflow[i];
    }

    const int n = std::max(inv.NPeriods, 0);
    requireFinite(fv.BTBalance, n, "balance");
    requireFinite(fv.ACB, n, "cost base");
    requireFinite(fv.ATDistrib, n, "distribution");
    return fv;
}

DeferredFutureValue CalcDeferredFutureValue(DeferredInvestment& inv)
{
    requirePeriods(inv.NPeriods);
    DeferredFutureValue fv;
    if (!inv.UseCashflowArray)
        FillDeferredCashflow(inv);

    fv.BTBalance[0] = inv.Cashflow[0];
    fv.ACB[0] = inv.InitialInvestmentACB;
    for (int i = 1; i <= inv.NPeriods; ++i) {
        const double growth = 1 + ReturnInYear(inv, i);
        fv.BTBalance[i] = inv.EndOfPeriodInvestments ? growth * fv.BTBalance[i - 1] + inv.Cashflow[i]
                                                     : (fv.BTBalance[i - 1] + inv.Cashflow[i]) * growth;
        fv.ACB[i] = inv.Cashflow[i] + fv.ACB[i - 1];
    }
    const int n = std::max(inv.NPeriods, 0);
    requireFinite(fv.BTBalance, n, "balance");
    requireFinite(fv.ACB, n, "cost base");
    return fv;
}

double PercentIncrease(double a, double b)
{
    if (b == 0)
        return 1;
    return (a - b) / b;
}

} // namespace gw
