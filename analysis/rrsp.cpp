#include "rrsp.h"

#include "error.h"
#include "finance.h"
#include "numformat.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

namespace gw {

namespace {

std::string num(double value) { return ErrorNumber(value); }

// Years are read as whole numbers, halves to even; dollars as the window
// shows them, halves away from zero.
int wholeYears(double value, const char* what)
{
    if (!std::isfinite(value) || std::fabs(value) > 32767)
        throw AnalysisError(std::string(what) + " of " + num(value) + " is out of range");
    return static_cast<int>(RoundHalfToEven(value));
}

struct Periods {
    int loanPeriods;
    int loanRepeats;
    int horizon;
};

Periods readPeriods(const AnalysisInputs& in)
{
    Periods p{};
    p.loanPeriods = wholeYears(in.savingsPeriod, "a savings period");
    p.loanRepeats = wholeYears(in.timesRepeated, "a times-repeated count");
    if (p.loanPeriods < 1)
        throw AnalysisError("the savings period must be at least 1 year (it is " + num(in.savingsPeriod) + ")");
    if (p.loanRepeats < 0)
        throw AnalysisError("the loan cannot be repeated " + num(in.timesRepeated) + " times");
    const double product = in.savingsPeriod * (in.timesRepeated + 1);
    if (product > kMaxPeriods + 0.5)
        throw AnalysisError("a savings period of " + num(in.savingsPeriod) + " years taken "
                            + num(in.timesRepeated + 1) + " times exceeds " + std::to_string(kMaxPeriods)
                            + " years");
    p.horizon = static_cast<int>(RoundHalfToEven(product));
    if (p.horizon < 1)
        throw AnalysisError("the projection must last at least 1 year (it is " + num(product) + ")");
    return p;
}

void runSlot(RRSPState& s, int slot, double rate)
{
    for (DeferredInvestment* rec : {&s.CatchUpLoan, &s.SpendRefund, &s.ReinvestRefund, &s.GrossUp})
        rec->ReturnPerPeriod = rate;
    CalcRRSPVariants(s.CatchUpLoan, s.SpendRefund, s.ReinvestRefund, s.GrossUp, s.Loan, s.CatchUpResults[slot],
                     s.SpendResults[slot], s.ReinvestResults[slot], s.GrossUpResults[slot]);
}

// A percent against a vanishing catch-up value can overflow even when both
// balances are finite.
double finite(double value, const char* what, int year)
{
    if (!std::isfinite(value))
        throw AnalysisError(std::string(what) + " is not a finite number in year " + std::to_string(year));
    return value;
}

RRSPSummaryRow summaryRow(const RRSPState& s, int slot)
{
    const int n = s.CatchUpLoan.NPeriods;
    RRSPSummaryRow row;
    row.return_ = s.RRSPReturns[slot];
    row.catch_up = s.CatchUpResults[slot].BTBalance[n];
    row.spend_refund = s.SpendResults[slot].BTBalance[n];
    row.reinvest_refund = s.ReinvestResults[slot].BTBalance[n];
    row.gross_up = s.GrossUpResults[slot].BTBalance[n];
    row.spend_percent = finite(PercentIncrease(row.spend_refund, row.catch_up), "the spend-refund percent", n);
    row.reinvest_percent =
        finite(PercentIncrease(row.reinvest_refund, row.catch_up), "the reinvest-refund percent", n);
    row.gross_up_percent = finite(PercentIncrease(row.gross_up, row.catch_up), "the gross-up percent", n);
    return row;
}

RRSPProjectionYear projectionYear(const RRSPState& s, int y)
{
    RRSPProjectionYear row;
    row.year = y;
    row.catch_up_contribution = s.CatchUpLoan.Cashflow[y];
    row.catch_up_balance = s.CatchUpResults[0].BTBalance[y];
    row.spend_contribution = s.SpendRefund.Cashflow[y];
    row.spend_balance = s.SpendResults[0].BTBalance[y];
    row.spend_percent = finite(PercentIncrease(row.spend_balance, row.catch_up_balance), "the spend-refund percent", y);
    row.reinvest_contribution = s.ReinvestRefund.Cashflow[y];
    row.reinvest_balance = s.ReinvestResults[0].BTBalance[y];
    row.reinvest_percent =
        finite(PercentIncrease(row.reinvest_balance, row.catch_up_balance), "the reinvest-refund percent", y);
    row.gross_up_contribution = s.GrossUp.Cashflow[y];
    row.gross_up_balance = s.GrossUpResults[0].BTBalance[y];
    row.gross_up_percent =
        finite(PercentIncrease(row.gross_up_balance, row.catch_up_balance), "the gross-up percent", y);
    return row;
}

} // namespace

double RRSPPayment(double loanAmount, double taxRate, double loanRate, int loanPeriods)
{
    const double factor = AnnuityDueFactor(loanRate, loanPeriods);
    const double payment = (1 - taxRate) * loanAmount / factor;
    if (!std::isfinite(payment))
        throw AnalysisError("no level payment repays a loan of " + num(loanAmount) + " at " + num(loanRate * 100)
                            + " % over " + std::to_string(loanPeriods) + " years");
    return payment;
}

DeferredInvestment BuildRRSPInvestment(const AnalysisInputs& in)
{
    DeferredInvestment inv;
    inv.InitialInvestment = RoundHalfAwayFromZero(in.loanAmount);
    inv.NPeriods = readPeriods(in).horizon;
    inv.EndOfPeriodInvestments = false;
    return inv;
}

void BuildRRSPAnalysis(const AnalysisInputs& in, RRSPState& state)
{
    const Periods periods = readPeriods(in);
    RRSPLoan loan;
    loan.LoanAmount = RoundHalfAwayFromZero(in.loanAmount);
    loan.LoanInterestRate = in.interestRate / 100;
    loan.TaxRate = in.taxRate / 100;
    loan.NLoanPeriods = periods.loanPeriods;
    loan.NLoanRepeats = periods.loanRepeats;
    if (!std::isfinite(loan.LoanAmount))
        throw AnalysisError("a loan amount of " + num(in.loanAmount) + " is out of range");
    // The gross-up contribution is P / (1 - t).
    if (!(loan.TaxRate < 1))
        throw AnalysisError("a tax rate of " + num(in.taxRate)
                            + " % leaves nothing to gross up; the RRSP plans need a tax rate below 100 %");

    const DeferredInvestment catchUp = BuildRRSPInvestment(in);
    const double p = RRSPPayment(catchUp.InitialInvestment, loan.TaxRate, loan.LoanInterestRate, loan.NLoanPeriods);

    DeferredInvestment spend = BuildRRSPInvestment(in);
    spend.InitialInvestment = 0;
    spend.InvestmentPerPeriod = p;
    DeferredInvestment reinvest = BuildRRSPInvestment(in);
    reinvest.InitialInvestment = 0;
    reinvest.InvestmentPerPeriod = (loan.TaxRate + 1) * p;
    DeferredInvestment grossUp = BuildRRSPInvestment(in);
    grossUp.InitialInvestment = 0;
    grossUp.InvestmentPerPeriod = p / (1 - loan.TaxRate);
    if (!std::isfinite(reinvest.InvestmentPerPeriod) || !std::isfinite(grossUp.InvestmentPerPeriod))
        throw AnalysisError("the RRSP contributions are not finite at a tax rate of " + num(in.taxRate) + " %");

    ReturnSlots returns{};
    returns[0] = in.projectionReturn / 100;
    for (int i = 0; i < 4; ++i)
        returns[i + 1] = in.returns[i] / 100;
    // A return at or above the filler would be sorted past it and never run.
    for (int i = 0; i <= 4; ++i) {
        if (!(std::fabs(returns[i]) < kRRSPReturnFiller))
            throw AnalysisError("a return of " + num(returns[i] * 100) + " % is out of range for the RRSP plans");
    }
    returns[5] = kRRSPReturnFiller;
    SortReturns(returns);

    state.Loan = loan;
    state.RRSPAnnualInvestment = p;
    state.CatchUpLoan = catchUp;
    state.SpendRefund = spend;
    state.ReinvestRefund = reinvest;
    state.GrossUp = grossUp;
    state.RRSPReturns = returns;
    state.Built = true;
}

void CalcRRSPVariants(DeferredInvestment& catchUpLoan, DeferredInvestment& spendRefund,
                      DeferredInvestment& reinvestRefund, DeferredInvestment& grossUp, const RRSPLoan& loan,
                      DeferredFutureValue& catchUpOut, DeferredFutureValue& spendOut,
                      DeferredFutureValue& reinvestOut, DeferredFutureValue& grossUpOut)
{
    // The loan amount goes into the plan at the start of every loan; nothing
    // is written past the horizon or the arrays.
    catchUpLoan.UseCashflowArray = true;
    catchUpLoan.Cashflow.fill(0);
    const int last = std::min(catchUpLoan.NPeriods, kMaxPeriods);
    if (loan.NLoanPeriods >= 1) {
        for (int k = 0; k <= loan.NLoanRepeats; ++k) {
            const int year = k * loan.NLoanPeriods + 1;
            if (year > last)
                break;
            catchUpLoan.Cashflow[year] = loan.LoanAmount;
        }
    }
    catchUpOut = CalcDeferredFutureValue(catchUpLoan);
    spendOut = CalcDeferredFutureValue(spendRefund);
    reinvestOut = CalcDeferredFutureValue(reinvestRefund);
    grossUpOut = CalcDeferredFutureValue(grossUp);
}

RRSPResults RunRRSPAnalysis(const AnalysisInputs& in, RRSPState& state)
{
    // Work on a fresh state so that a failure leaves the last analysis whole.
    RRSPState next;
    BuildRRSPAnalysis(in, next);
    const int n = next.CatchUpLoan.NPeriods;

    RRSPResults results;
    results.horizon = n;
    results.loan_amount = next.Loan.LoanAmount;
    results.annual_investment = next.RRSPAnnualInvestment;
    results.returns = next.RRSPReturns;
    for (int slot = 1; slot <= 4; ++slot) {
        runSlot(next, slot, next.RRSPReturns[slot]);
        results.summary[slot - 1] = summaryRow(next, slot);
    }

    runSlot(next, 0, next.RRSPReturns[0]);
    results.projection.reserve(n);
    for (int y = 1; y <= n; ++y)
        results.projection.push_back(projectionYear(next, y));

    const RRSPLoan& loan = next.Loan;
    results.loan_rate = loan.LoanInterestRate;
    results.tax_rate = loan.TaxRate;
    results.loan_periods = loan.NLoanPeriods;
    results.loan_repeats = loan.NLoanRepeats;
    results.refund = loan.LoanAmount * loan.TaxRate;
    results.spend_contribution = next.SpendRefund.InvestmentPerPeriod;
    results.reinvest_contribution = next.ReinvestRefund.InvestmentPerPeriod;
    results.gross_up_contribution = next.GrossUp.InvestmentPerPeriod;
    RequireFinite(results);

    // The comparison at the loan rate only adds to the notes: the analysis
    // stands without it.
    try {
        results.at_loan_rate = RunRRSPAtLoanRate(next);
    } catch (const AnalysisError&) {
    }

    state = next;
    return results;
}

void RequireFinite(const RRSPResults& results)
{
    const std::pair<const char*, double> values[] = {
        {"loan_amount", results.loan_amount},
        {"annual_investment", results.annual_investment},
        {"loan_rate", results.loan_rate},
        {"tax_rate", results.tax_rate},
        {"refund", results.refund},
        {"spend_contribution", results.spend_contribution},
        {"reinvest_contribution", results.reinvest_contribution},
        {"gross_up_contribution", results.gross_up_contribution},
    };
    for (const auto& [name, value] : values) {
        if (!std::isfinite(value))
            throw AnalysisError(std::string(name) + " of the RRSP analysis is not a finite number");
    }
}

RRSPVariantValues RunRRSPAtLoanRate(RRSPState& state)
{
    if (!state.Built)
        throw AnalysisError("the RRSP plans cannot be run at the loan rate before an RRSP analysis");
    for (DeferredInvestment* rec : {&state.CatchUpLoan, &state.SpendRefund, &state.ReinvestRefund, &state.GrossUp})
        rec->ReturnPerPeriod = state.Loan.LoanInterestRate;
    DeferredFutureValue catchUp, spend, reinvest, grossUp;
    CalcRRSPVariants(state.CatchUpLoan, state.SpendRefund, state.ReinvestRefund, state.GrossUp, state.Loan, catchUp,
                     spend, reinvest, grossUp);
    state.CatchUpResults[5] = catchUp;
    state.SpendResults[5] = spend;
    state.ReinvestResults[5] = reinvest;
    state.GrossUpResults[5] = grossUp;

    const int n = state.CatchUpLoan.NPeriods;
    return {catchUp.BTBalance[n], spend.BTBalance[n], reinvest.BTBalance[n], grossUp.BTBalance[n]};
}

} // namespace gw
