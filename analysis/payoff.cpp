#include "payoff.h"

#include "error.h"

#include <cmath>
#include <string>

namespace gw {

namespace {

std::string num(double value) { return ErrorNumber(value); }

std::string describe(double bt, double acb, double loan)
{
    return "balance " + num(bt) + ", cost base " + num(acb) + ", loan " + num(loan);
}

// 1 - k t: what a dollar sold keeps after the tax on its own gain. Selling to
// pay the tax triggers more tax, a geometric series that only converges when
// this is above 0.
double keptPerDollar(double k, double rate, double bt, double acb, double loan)
{
    const double kept = 1 - k * rate;
    if (!(kept > 0))
        throw AnalysisError("the tax on repaying the loan has no finite sum (" + describe(bt, acb, loan)
                            + ", tax rate " + num(rate) + ")");
    return kept;
}

} // namespace

LoanPayoff CalcLoanPayoff(double bt, double acb, double loan, double provPool, double fedPool, const PayoffTax& tax)
{
    for (double v : {bt, acb, loan, provPool, fedPool, tax.CapGainsInclusionRate, tax.TaxRate, tax.ProvTaxRate,
                     tax.FedTaxRate}) {
        if (!std::isfinite(v))
            throw AnalysisError("cannot repay the loan from non-finite figures (" + describe(bt, acb, loan)
                                + ", pools " + num(fedPool) + " and " + num(provPool) + ")");
    }

    // Everything is sold and the shortfall, if any, remains owing.
    if (bt <= loan)
        return {bt - loan, acb, fedPool, provPool};
    if (!(bt > 0))
        throw AnalysisError("cannot repay the loan from a balance that is not above 0 (" + describe(bt, acb, loan)
                            + ")");

    const double ratio = acb / bt;
    const double k = (1 - ratio) * tax.CapGainsInclusionRate;
    double gain = k * loan;
    double fed = tax.FedIncludeCG ? fedPool : 0;
    double prov = tax.ProvIncludeCG ? provPool : 0;
    double taxDue = 0;

    // A loss leaves nothing to tax and nothing for the pools to absorb.
    if (gain > 0) {
        if (fed > 0 && prov > 0) {
            if (fed > gain && prov > gain) {
                fed -= gain;
                prov -= gain;
                gain = 0;
            } else if (fed > prov) {
                fed -= provPool;
                gain -= provPool;
                prov = 0;
            } else {
                prov -= fedPool;
                gain -= fedPool;
                fed = 0;
            }
        }
        if (gain > 0) {
            const double t = tax.TaxRate;
            if (fed > 0) {
                // The federal pool shelters the federal tax; X is the gain
                // including that of the units sold for the provincial tax.
                const double x = gain / keptPerDollar(k, tax.ProvTaxRate, bt, acb, loan);
                if (x <= fed) {
                    fed -= x;
                    taxDue = x * tax.ProvTaxRate;
                } else {
                    const double kept = keptPerDollar(k, t, bt, acb, loan);
                    taxDue = gain * t / kept - tax.FedTaxRate * fed / kept;
                    fed = 0;
                }
            } else if (prov > 0) {
                const double x = gain / keptPerDollar(k, tax.FedTaxRate, bt, acb, loan);
                if (x <= prov) {
                    prov -= x;
                    taxDue = x * tax.FedTaxRate;
                } else {
                    const double kept = keptPerDollar(k, t, bt, acb, loan);
                    taxDue = gain * t / kept - tax.ProvTaxRate * prov / kept;
                    prov = 0;
                }
            } else {
                taxDue = gain * t / keptPerDollar(k, t, bt, acb, loan);
            }
        }
    }

    LoanPayoff out;
    out.NetBalance = bt - loan - taxDue;
    out.ACBAfter = ratio * out.NetBalance;
    out.FedLeft = tax.FedIncludeCG ? fed : fedPool;
    out.ProvLeft = tax.ProvIncludeCG ? prov : provPool;
    for (double v : {out.NetBalance, out.ACBAfter, out.FedLeft, out.ProvLeft}) {
        if (!std::isfinite(v))
            throw AnalysisError("repaying the loan gives a non-finite value (" + describe(bt, acb, loan) + ")");
    }
    return out;
}

} // namespace gw
