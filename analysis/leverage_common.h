#pragma once

// What the interest-only and term-loan analyses do alike once their records
// are built: reading the returns, running a slot, and gathering the results.
#include "error.h"
#include "growth.h"
#include "inputs.h"
#include "results.h"
#include "returns.h"

#include <string>

namespace gw {

// Slot 0 the projection return, slots 1..4 the four returns, as fractions;
// slot 5 is left as it is. Throws AnalysisError for a return that is not
// finite or is -100 % or less.
void ReadLeverageReturns(const AnalysisInputs& in, ReturnSlots& returns);

// The terms of a built investment record and loan record. The expenses are
// echoed from the inputs: the records leave them out.
template <typename Loan>
LeverageTerms LeverageTermsOf(const GenericInvestment& inv, const Loan& loan, const AnalysisInputs& in)
{
    LeverageTerms t;
    t.loan_rate = loan.LoanInterestRate;
    t.tax_rate = inv.TaxRate;
    t.federal_tax_rate = inv.FedTaxRate;
    t.provincial_tax_rate = inv.ProvTaxRate;
    t.dividend_tax_rate = inv.DivTaxRate;
    t.inclusion_rate = inv.CapGainsInclusionRate;
    t.deferred_gains_ratio = inv.DCGRatioOfReturn;
    t.capital_gains_ratio = inv.CapGainsRatioOfReturn;
    t.dividend_ratio = inv.DivRatioOfReturn;
    t.interest_ratio = inv.IntRatioOfReturn;
    t.federal = {loan.FedLimited, loan.FedDeductRatio, loan.FedIncludeCG, in.fedExpenses};
    t.provincial = {loan.ProvLimited, loan.ProvDeductRatio, loan.ProvIncludeCG, in.provExpenses};
    return t;
}

// One slot's analysis at state.Returns[slot] with calc(investment, loan,
// slot record); an AnalysisError is rethrown naming the return.
template <typename State, typename Calc>
void RunLeverageSlot(State& s, int slot, Calc calc)
{
    const double rate = s.Returns[slot];
    s.Investment.ReturnPerPeriod = rate;
    try {
        calc(s.Investment, s.Loan, s.Slots[slot]);
    } catch (const AnalysisError& e) {
        throw AnalysisError("at a return of " + ErrorNumber(rate * 100) + " %: " + e.what());
    }
}

// Fills `results` from a state whose records, sorted returns and break-even
// return are set: the summary slots 1..5 then the projection slot 0, each run
// with runSlot(s, slot), and the years read with projectionYear(s, y). At the
// break-even return both horizon values become their mean, so the row reads
// as a tie. Throws what runSlot throws.
template <typename State, typename Year, typename RunSlot, typename ProjectionYear>
void FillLeverageResults(State& s, LeverageResults<Year>& results, RunSlot runSlot, ProjectionYear projectionYear)
{
    const int n = s.Investment.NPeriods;
    results.horizon = n;
    results.loan_amount = s.Loan.LoanAmount;
    results.break_even_return = s.BreakEvenReturn;
    results.deduction_limited = s.Loan.FedLimited || s.Loan.ProvLimited;

    for (int slot = 1; slot <= 5; ++slot) {
        auto& out = s.Slots[slot];
        const double rate = s.Returns[slot];
        if (rate == NoReturn) {
            out = {};
            continue;
        }
        runSlot(s, slot);
        const bool breakEven = rate == s.BreakEvenReturn;
        if (breakEven) {
            const double mean = (out.Detail.NetBalancePayoff[n] + out.NoLevFV.BTBalance[n]) / 2;
            out.Detail.NetBalancePayoff[n] = mean;
            out.NoLevFV.BTBalance[n] = mean;
        }
        results.summary.push_back(
            MakeSummaryRow(slot, rate, out.NoLevFV.BTBalance[n], out.Detail.NetBalancePayoff[n], breakEven));
    }

    runSlot(s, 0);
    results.projection.reserve(n);
    for (int y = 1; y <= n; ++y)
        results.projection.push_back(projectionYear(s, y));
    results.remaining_deductions = {s.Slots[0].Detail.FedUndeductedAfterPayoff[n],
                                    s.Slots[0].Detail.ProvUndeductedAfterPayoff[n]};
    results.returns = s.Returns;
}

} // namespace gw
