#include "term.h"

#include "breakeven.h"
#include "error.h"
#include "finance.h"
#include "intonly.h"
#include "leverage_common.h"
#include "payoff.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

namespace gw {

namespace {

struct TermPeriods {
    int loanPeriods;
    int repeats;
    int horizon;
};

// The horizon comes from the whole years, so that it always holds every loan.
TermPeriods readPeriods(const AnalysisInputs& in)
{
    TermPeriods p{};
    p.loanPeriods = WholeYears(in.savingsPeriod, "a savings period");
    p.repeats = WholeYears(in.timesRepeated, "a times-repeated count");
    if (p.loanPeriods < 1)
        throw AnalysisError("the savings period must be at least 1 year (it is " + ErrorNumber(in.savingsPeriod) + ")");
    if (p.repeats < 0)
        throw AnalysisError("the loan cannot be repeated " + ErrorNumber(in.timesRepeated) + " times");
    p.horizon = p.loanPeriods * (p.repeats + 1);
    if (p.horizon > kMaxPeriods)
        throw AnalysisError("a loan of " + std::to_string(p.loanPeriods) + " years taken "
                            + std::to_string(p.repeats + 1) + " times exceeds " + std::to_string(kMaxPeriods)
                            + " years");
    return p;
}

// One level's deduction for year y and the pool it carries forward.
void deduct(bool limited, double ratio, double expenseRate, bool defer, double limit, double interest,
            double balance, YearArray& pool, YearArray& deduction, int y)
{
    if (limited) {
        pool[y] += balance * expenseRate;
        deduction[y] = std::max(0.0, std::min(limit, interest * ratio + pool[y - 1]));
    } else {
        deduction[y] = interest * ratio;
    }
    pool[y] = pool[y] + (defer ? pool[y - 1] : 0) + interest - deduction[y];
}

TermYear projectionYear(const TermState& s, int y)
{
    const TermSlot& slot = s.Slots[0];
    const TermDetail& d = slot.Detail;
    TermYear row;
    row.year = y;
    row.after_tax_cashflow = d.ATCashflow[y];
    row.unleveraged_balance = slot.NoLevFV.BTBalance[y];
    row.unleveraged_distributions = slot.NoLevFV.ATDistrib[y];
    row.unleveraged_acb = slot.NoLevFV.ACB[y];
    row.net_balance_payoff = d.NetBalancePayoff[y];
    row.loan_balance = d.LoanBalance[y];
    row.interest = d.IntPart[y];
    row.principal = d.LoanPaydown[y];
    row.leveraged_balance = slot.LevFV.BTBalance[y];
    row.leveraged_distributions = slot.LevFV.ATDistrib[y];
    row.leveraged_acb = slot.LevFV.ACB[y];
    row.fed_deduction = d.FedDeduction[y];
    row.prov_deduction = d.ProvDeduction[y];
    row.fed_undeducted = d.FedUndeducted[y];
    row.prov_undeducted = d.ProvUndeducted[y];
    row.acb_after = d.ACBAfter[y];
    row.increase = row.net_balance_payoff - row.unleveraged_balance;
    row.percent_increase = PercentIncrease(row.net_balance_payoff, row.unleveraged_balance);
    return row;
}

// One slot's analysis; a failure names the return it happened at.
void runSlot(TermState& s, int slot)
{
    RunLeverageSlot(s, slot, CalcTermLevAnalysis);
}

} // namespace

GenericInvestment BuildTermInvestment(const AnalysisInputs& in)
{
    return BuildLeveragedInvestment(in, readPeriods(in).horizon);
}

TermLoan BuildTermLoan(const AnalysisInputs& in)
{
    const TermPeriods periods = readPeriods(in);
    // The interest-only loan reads the shared fields the same way.
    const IntOnlyLoan shared = BuildIntOnlyLoan(in);
    TermLoan loan;
    loan.LoanAmount = shared.LoanAmount;
    loan.LoanInterestRate = shared.LoanInterestRate;
    loan.NLoanPeriods = periods.loanPeriods;
    loan.LoanPayment = Pmt(loan.LoanInterestRate, loan.NLoanPeriods, loan.LoanAmount);
    loan.EndOfPeriodLoanPmts = true;
    loan.NLoanRepeats = periods.repeats;
    loan.ProvLimited = shared.ProvLimited;
    loan.FedLimited = shared.FedLimited;
    loan.ProvDeductRatio = shared.ProvDeductRatio;
    loan.FedDeductRatio = shared.FedDeductRatio;
    loan.ProvExpenseRate = 0;
    loan.FedExpenseRate = 0;
    loan.ProvIncludeCG = shared.ProvIncludeCG;
    loan.FedIncludeCG = shared.FedIncludeCG;
    loan.ProvDeferUndeducted = true;
    loan.FedDeferUndeducted = true;
    loan.OtherInvestRatio = shared.OtherInvestRatio;
    return loan;
}

void CalcTermLevAnalysis(GenericInvestment& inv, const TermLoan& loan, TermSlot& out)
{
    const int n = loan.NLoanPeriods;
    const int repeats = loan.NLoanRepeats;
    if (n < 1 || repeats < 0 || n * (repeats + 1) > kMaxPeriods)
        throw AnalysisError("a loan of " + std::to_string(n) + " years taken " + std::to_string(repeats + 1)
                            + " times does not fit in " + std::to_string(kMaxPeriods) + " years");
    if (std::fabs(Pmt(loan.LoanInterestRate, n, loan.LoanAmount) - loan.LoanPayment) > 0.005)
        throw AnalysisError("Program Error: Incorrect LoanPayment amount passed to CalcTermLevAnalysis routine.  "
                            "Contact Software Vendor.  Program aborting. (payment "
                            + ErrorNumber(loan.LoanPayment) + " for a loan of " + ErrorNumber(loan.LoanAmount) + ")");
    if (!loan.EndOfPeriodLoanPmts)
        throw AnalysisError("CalcTermLevAnalysis only handles END of period loan payments, for now.  Change "
                            "EndOfPeriodLoanPmts to TRUE in calling routine.  Program aborting.");

    TermDetail& d = out.Detail;
    d = TermDetail{};

    // Each loan is invested at the start of its first year.
    inv.Cashflow.fill(0);
    for (int k = 0; k <= repeats; ++k)
        inv.Cashflow[k * n + 1] = loan.LoanAmount;
    inv.InitialInvestmentACB = 0;
    inv.UseCashflowArray = true;
    inv.EndOfPeriodInvestments = false;
    out.LevFV = CalcGenericFutureValue(inv);
    const GenericFutureValue& lev = out.LevFV;

    const double fedShare = InvestmentIncomePerDollar(inv, loan.FedIncludeCG) * (1 + loan.OtherInvestRatio);
    const double provShare = InvestmentIncomePerDollar(inv, loan.ProvIncludeCG) * (1 + loan.OtherInvestRatio);
    const PayoffTax tax{inv.CapGainsInclusionRate, inv.TaxRate,       inv.ProvTaxRate,
                        inv.FedTaxRate,            loan.ProvIncludeCG, loan.FedIncludeCG};

    for (int y = 1; y <= inv.NPeriods; ++y) {
        const int paid = (y - 1) % n + 1;  // payments on the current loan by the year end
        const double opening = paid == 1 ? loan.LoanAmount : d.LoanBalance[y - 1];
        d.IntPart[y] = opening * loan.LoanInterestRate;
        d.LoanPaydown[y] = loan.LoanPayment - d.IntPart[y];
        // The payments still due, valued at the loan rate: exactly 0 after
        // the last. Carried forward, the balance compounds the payment's
        // rounding (thousands of dollars at 50 % over 80 years).
        d.LoanBalance[y] = paid == n ? 0 : Pv(loan.LoanInterestRate, n - paid, loan.LoanPayment);

        // A loan taken again this year earns nothing before the year end.
        const double r = ReturnInYear(inv, y);
        const double base = y >= 2 ? lev.BTBalance[y - 1] * r : r * loan.LoanAmount;
        const double balance = lev.BTBalance[y];
        deduct(loan.ProvLimited, loan.ProvDeductRatio, loan.ProvExpenseRate, loan.ProvDeferUndeducted,
               provShare * base, d.IntPart[y], balance, d.ProvUndeducted, d.ProvDeduction, y);
        deduct(loan.FedLimited, loan.FedDeductRatio, loan.FedExpenseRate, loan.FedDeferUndeducted,
               fedShare * base, d.IntPart[y], balance, d.FedUndeducted, d.FedDeduction, y);

        d.ATCashflow[y] = d.IntPart[y] - d.ProvDeduction[y] * inv.ProvTaxRate - d.FedDeduction[y] * inv.FedTaxRate
                          + d.LoanPaydown[y];
        inv.Cashflow[y] = d.ATCashflow[y];

        const LoanPayoff payoff =
            CalcLoanPayoff(balance, lev.ACB[y], d.LoanBalance[y], d.ProvUndeducted[y], d.FedUndeducted[y], tax);
        d.NetBalancePayoff[y] = payoff.NetBalance;
        d.ACBAfter[y] = payoff.ACBAfter;
        d.FedUndeductedAfterPayoff[y] = payoff.FedLeft;
        d.ProvUndeductedAfterPayoff[y] = payoff.ProvLeft;
    }
    // The unleveraged investor puts each year's outlay in at the year end.
    inv.Cashflow[0] = 0;
    inv.InitialInvestmentACB = 0;
    inv.UseCashflowArray = true;
    inv.EndOfPeriodInvestments = true;
    out.NoLevFV = CalcGenericFutureValue(inv);
}

double TermBreakEvenGap(GenericInvestment& inv, const TermLoan& loan, double rate, TermSlot& scratch)
{
    inv.ReturnPerPeriod = rate;
    CalcTermLevAnalysis(inv, loan, scratch);
    const int h = inv.NPeriods;
    return scratch.Detail.NetBalancePayoff[h] - scratch.NoLevFV.BTBalance[h];
}

double CalcTermBreakEvenReturn(GenericInvestment& inv, const TermLoan& loan, TermSlot& scratch)
{
    return FindBreakEvenReturn(loan.LoanInterestRate,
                               [&](double rate) { return TermBreakEvenGap(inv, loan, rate, scratch); });
}

void ReadTermReturns(const AnalysisInputs& in, TermState& state)
{
    ReturnSlots returns{};
    ReadLeverageReturns(in, returns);
    state.BreakEvenReturn = CalcTermBreakEvenReturn(state.Investment, state.Loan, state.Slots[5]);
    returns[5] = state.BreakEvenReturn;
    SortReturns(returns);
    state.Returns = returns;
}

TermResults RunTermAnalysis(const AnalysisInputs& in, TermState& state)
{
    // Work on a fresh state so that a failure leaves the last analysis whole.
    auto next = std::make_unique<TermState>();
    TermState& s = *next;
    s.Investment = BuildTermInvestment(in);
    s.Loan = BuildTermLoan(in);
    ReadTermReturns(in, s);

    TermResults results;
    FillLeverageResults(s, results, runSlot, projectionYear);
    results.terms = LeverageTermsOf(s.Investment, s.Loan, in);
    results.schedule = {s.Loan.NLoanPeriods, s.Loan.NLoanRepeats, s.Loan.LoanPayment};

    RequireFinite(results);
    state = s;
    return results;
}

} // namespace gw
