#include "intonly.h"

#include "breakeven.h"
#include "error.h"
#include "leverage_common.h"
#include "numformat.h"
#include "payoff.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

namespace gw {

namespace {

void requireFiniteInputs(const AnalysisInputs& in)
{
    const auto require = [](double value, const char* what) {
        if (!std::isfinite(value))
            throw AnalysisError(std::string("the ") + what + " is not a number");
    };
    require(in.loanAmount, "loan amount");
    require(in.taxRate, "tax rate");
    require(in.interestRate, "interest rate");
    require(in.savingsPeriod, "savings period");
    for (double r : in.returns)
        require(r, "projected return");
    require(in.projectionReturn, "projection return");
    for (double part : in.breakdown)
        require(part, "breakdown of the return");
    require(in.timesRepeated, "times the loan is repeated");
    require(in.otherUnleveraged, "other unleveraged investment");
    require(in.capGainsInclusionRate, "capital-gains inclusion rate");
    require(in.federalToMarginalRatio, "federal share of the tax rate");
    require(in.fedDeductible, "federal deductible portion");
    require(in.provDeductible, "provincial deductible portion");
    for (const TaxBracket& row : in.taxTable) {
        require(row.interestRate, "tax-table interest rate");
        require(row.dividendRate, "tax-table dividend rate");
    }
    if (in.investmentType < 0 || in.investmentType > 4)
        throw AnalysisError("investment type " + std::to_string(in.investmentType) + " is not one of 0 to 4");
}

// One level's deduction for year i and the pool it carries forward.
void deduct(bool limited, double ratio, double expenseRate, bool defer, double income, double interest,
            double balance, YearArray& pool, YearArray& deduction, int i)
{
    if (limited) {
        pool[i] = balance * expenseRate;
        deduction[i] = std::max(0.0, std::min(income, interest * ratio + pool[i - 1] + pool[i]));
    } else {
        deduction[i] = interest * ratio;
    }
    pool[i] = interest + (defer ? pool[i - 1] : 0) + pool[i] - deduction[i];
}

IntOnlyYear projectionYear(const IntOnlyState& s, int y)
{
    const IntOnlySlot& slot = s.Slots[0];
    IntOnlyYear row;
    row.year = y;
    row.unleveraged_balance = slot.NoLevFV.BTBalance[y];
    row.unleveraged_distributions = slot.NoLevFV.ATDistrib[y];
    row.unleveraged_acb = slot.NoLevFV.ACB[y];
    row.leveraged_balance = slot.LevFV.BTBalance[y];
    row.leveraged_distributions = slot.LevFV.ATDistrib[y];
    row.leveraged_acb = slot.LevFV.ACB[y];
    row.after_tax_cost = s.Investment.Cashflow[y];
    row.fed_deduction = slot.Detail.FedDeduction[y];
    row.prov_deduction = slot.Detail.ProvDeduction[y];
    row.fed_undeducted = slot.Detail.FedUndeducted[y];
    row.prov_undeducted = slot.Detail.ProvUndeducted[y];
    row.net_balance_payoff = slot.Detail.NetBalancePayoff[y];
    row.acb_after = slot.Detail.ACBAfter[y];
    row.increase = row.net_balance_payoff - row.unleveraged_balance;
    row.percent_increase = PercentIncrease(row.net_balance_payoff, row.unleveraged_balance);
    return row;
}

// One slot's analysis; a failure names the return it happened at.
void runSlot(IntOnlyState& s, int slot)
{
    RunLeverageSlot(s, slot, CalcIntOnlyLevAnalysis);
}

} // namespace

double InvestmentIncomePerDollar(const GenericInvestment& inv, bool includeCG)
{
    double w = inv.IntRatioOfReturn + 1.25 * inv.DivRatioOfReturn;
    if (includeCG)
        w += inv.CapGainsRatioOfReturn * inv.CapGainsInclusionRate;
    return w;
}

double WholeDollars(double value) { return RoundHalfAwayFromZero(value); }

int WholeYears(double value, const char* what)
{
    if (!std::isfinite(value) || std::fabs(value) > 32767)
        throw AnalysisError(std::string(what) + " of " + ErrorNumber(value) + " is out of range");
    return static_cast<int>(RoundHalfToEven(value));
}

GenericInvestment BuildLeveragedInvestment(const AnalysisInputs& in, int periods)
{
    requireFiniteInputs(in);
    if (periods < 1 || periods > kMaxPeriods)
        throw AnalysisError("a projection of " + std::to_string(periods) + " years is outside 1 to "
                            + std::to_string(kMaxPeriods));
    GenericInvestment inv;
    inv.InitialInvestment = WholeDollars(in.loanAmount);
    inv.NPeriods = periods;
    inv.InitialInvestmentACB = inv.InitialInvestment;
    inv.TaxRate = in.taxRate / 100;
    inv.CapGainsInclusionRate = in.capGainsInclusionRate / 100;
    inv.DivTaxRate = DivTaxRate(in);
    inv.DistribReinvestRatio = 1;
    inv.DCGRatioOfReturn = in.breakdown[kDeferredCapGains] / 100;
    inv.CapGainsRatioOfReturn = in.breakdown[kCapGains] / 100;
    inv.DivRatioOfReturn = in.breakdown[kDividends] / 100;
    inv.IntRatioOfReturn = in.breakdown[kInterest] / 100;
    inv.FedTaxRate = FedTaxRate(in);
    inv.ProvTaxRate = ProvTaxRate(in);
    return inv;
}

GenericInvestment BuildIntOnlyInvestment(const AnalysisInputs& in)
{
    return BuildLeveragedInvestment(in, WholeYears(in.savingsPeriod, "a savings period"));
}

IntOnlyLoan BuildIntOnlyLoan(const AnalysisInputs& in)
{
    requireFiniteInputs(in);
    IntOnlyLoan loan;
    loan.LoanInterestRate = in.interestRate / 100;
    loan.LoanAmount = WholeDollars(in.loanAmount);
    loan.ProvLimited = in.provLimited;
    loan.FedLimited = in.fedLimited;
    loan.ProvDeductRatio = in.provLimited ? 1 : in.provDeductible / 100;
    loan.FedDeductRatio = in.fedLimited ? 1 : in.fedDeductible / 100;
    loan.ProvExpenseRate = 0;
    loan.FedExpenseRate = 0;
    loan.ProvIncludeCG = in.provIncludeCG;
    loan.FedIncludeCG = in.fedIncludeCG;
    loan.ProvDeferUndeducted = true;
    loan.FedDeferUndeducted = true;
    loan.OtherInvestRatio = OtherInvestRatio(loan.LoanAmount, in.investmentType, WholeDollars(in.otherUnleveraged));
    return loan;
}

void CalcIntOnlyLevAnalysis(GenericInvestment& inv, const IntOnlyLoan& loan, IntOnlySlot& out)
{
    IntOnlyDetail& d = out.Detail;
    d = IntOnlyDetail{};

    inv.InitialInvestment = loan.LoanAmount;
    inv.InitialInvestmentACB = loan.LoanAmount;
    inv.InvestmentPerPeriod = 0;
    inv.UseCashflowArray = false;
    out.LevFV = CalcGenericFutureValue(inv);
    const GenericFutureValue& lev = out.LevFV;

    // The principal never falls, so the interest is the same every year.
    const double interest = loan.LoanInterestRate * loan.LoanAmount;
    const double fedShare = InvestmentIncomePerDollar(inv, loan.FedIncludeCG) * (1 + loan.OtherInvestRatio);
    const double provShare = InvestmentIncomePerDollar(inv, loan.ProvIncludeCG) * (1 + loan.OtherInvestRatio);
    const PayoffTax tax{inv.CapGainsInclusionRate, inv.TaxRate,       inv.ProvTaxRate,
                        inv.FedTaxRate,            loan.ProvIncludeCG, loan.FedIncludeCG};

    for (int i = 1; i <= inv.NPeriods; ++i) {
        const double balance = lev.BTBalance[i];
        const double grossReturn = ReturnInYear(inv, i) * (i == 1 ? loan.LoanAmount : lev.BTBalance[i - 1]);
        deduct(loan.ProvLimited, loan.ProvDeductRatio, loan.ProvExpenseRate, loan.ProvDeferUndeducted,
               provShare * grossReturn, interest, balance, d.ProvUndeducted, d.ProvDeduction, i);
        deduct(loan.FedLimited, loan.FedDeductRatio, loan.FedExpenseRate, loan.FedDeferUndeducted,
               fedShare * grossReturn, interest, balance, d.FedUndeducted, d.FedDeduction, i);

        inv.Cashflow[i] = interest + (loan.FedLimited ? balance * loan.FedExpenseRate : 0)
                          + (loan.ProvLimited ? balance * loan.ProvExpenseRate : 0)
                          - d.ProvDeduction[i] * inv.ProvTaxRate - d.FedDeduction[i] * inv.FedTaxRate;

        const LoanPayoff payoff =
            CalcLoanPayoff(balance, lev.ACB[i], loan.LoanAmount, d.ProvUndeducted[i], d.FedUndeducted[i], tax);
        d.NetBalancePayoff[i] = payoff.NetBalance;
        d.ACBAfter[i] = payoff.ACBAfter;
        d.FedUndeductedAfterPayoff[i] = payoff.FedLeft;
        d.ProvUndeductedAfterPayoff[i] = payoff.ProvLeft;
    }

    // The unleveraged investor puts each year's after-tax cost in at the year end.
    inv.InitialInvestment = 0;
    inv.InitialInvestmentACB = 0;
    inv.EndOfPeriodInvestments = true;
    inv.Cashflow[0] = 0;
    inv.UseCashflowArray = true;
    out.NoLevFV = CalcGenericFutureValue(inv);
}

double IntOnlyBreakEvenGap(GenericInvestment& inv, const IntOnlyLoan& loan, double rate, IntOnlySlot& scratch)
{
    inv.ReturnPerPeriod = rate;
    CalcIntOnlyLevAnalysis(inv, loan, scratch);
    const int n = inv.NPeriods;
    return scratch.Detail.NetBalancePayoff[n] - scratch.NoLevFV.BTBalance[n];
}

double CalcIntOnlyBreakEvenReturn(GenericInvestment& inv, const IntOnlyLoan& loan, IntOnlySlot& scratch)
{
    return FindBreakEvenReturn(loan.LoanInterestRate,
                               [&](double rate) { return IntOnlyBreakEvenGap(inv, loan, rate, scratch); });
}

IntOnlyResults RunIntOnlyAnalysis(const AnalysisInputs& in, IntOnlyState& state)
{
    // Work on a fresh state so that a failure leaves the last analysis whole.
    auto next = std::make_unique<IntOnlyState>();
    IntOnlyState& s = *next;
    s.Investment = BuildIntOnlyInvestment(in);
    s.Loan = BuildIntOnlyLoan(in);

    ReadLeverageReturns(in, s.Returns);
    s.BreakEvenReturn = CalcIntOnlyBreakEvenReturn(s.Investment, s.Loan, s.Slots[5]);
    s.Returns[5] = s.BreakEvenReturn;
    SortReturns(s.Returns);

    IntOnlyResults results;
    FillLeverageResults(s, results, runSlot, projectionYear);
    results.terms = LeverageTermsOf(s.Investment, s.Loan, in);

    RequireFinite(results);
    state = s;
    return results;
}

} // namespace gw
