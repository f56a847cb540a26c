#pragma once

#include "growth.h"
#include "inputs.h"
#include "results.h"
#include "returns.h"

#include <array>

// Interest-only strategy: borrow a lump sum, invest it, pay only the interest
// every year and repay the loan from the investment at the end, against
// investing the interest's after-tax cost every year without a loan. Amounts
// in dollars, rates as fractions, periods in years.
namespace gw {

struct IntOnlyLoan {
    double LoanInterestRate = 0;
    double LoanAmount = 0;         // borrowed and invested at the start
    bool ProvLimited = false;      // deduction limited to investment income
    bool FedLimited = false;
    double ProvDeductRatio = 1;    // part of the interest deductible; 1 when limited
    double FedDeductRatio = 1;
    double ProvExpenseRate = 0;    // yearly expense per dollar of balance; 0 as built
    double FedExpenseRate = 0;
    bool ProvIncludeCG = true;     // capital gains count as investment income
    bool FedIncludeCG = true;
    bool ProvDeferUndeducted = true;  // undeducted amounts are carried forward
    bool FedDeferUndeducted = true;
    double OtherInvestRatio = 0;   // other unleveraged investments per dollar of loan
};

// Per year 0..80; only years 1..NPeriods are written.
struct IntOnlyDetail {
    YearArray NetBalancePayoff{};  // leveraged value if the loan were repaid that year
    YearArray ACBAfter{};
    YearArray ProvUndeducted{};    // pools at the year end
    YearArray FedUndeducted{};
    YearArray ProvDeduction{};     // deductions taken in the year
    YearArray FedDeduction{};
    YearArray FedUndeductedAfterPayoff{};
    YearArray ProvUndeductedAfterPayoff{};
};

// The results of one return: leveraged and unleveraged projections and the
// leveraged side's yearly detail.
struct IntOnlySlot {
    GenericFutureValue LevFV;
    GenericFutureValue NoLevFV;
    IntOnlyDetail Detail;
};

// Everything one interest-only analysis leaves for the tables, charts, notes
// and reports. Slot s holds the analysis at Returns[s]: 0 the projection,
// 1..5 the sorted summary returns; a slot whose return is NoReturn is zero.
struct IntOnlyState {
    GenericInvestment Investment;  // Cashflow[1..N] holds slot 0's after-tax costs
    IntOnlyLoan Loan;
    ReturnSlots Returns{NoReturn, NoReturn, NoReturn, NoReturn, NoReturn, NoReturn};
    std::array<IntOnlySlot, 6> Slots{};
    double BreakEvenReturn = NoReturn;
};

// The fields read as whole numbers: dollars round halves away from zero,
// counts of years go to the nearest integer with halves to even.
// WholeYears throws AnalysisError (naming `what`) for a value that is not
// finite or beyond +-32767.
double WholeDollars(double value);
int WholeYears(double value, const char* what);

// Part of a dollar of gross return that counts as investment income for a
// deduction limited to it: dividends grossed up by 25 %, realised capital
// gains through the inclusion rate when `includeCG`; deferred gains never.
double InvestmentIncomePerDollar(const GenericInvestment& inv, bool includeCG);

// Shared by the interest-only and term builders: the investment record with
// the loan amount (whole dollars) as opening amount and cost base, the tax
// rates and the breakdown as fractions, and `periods` years.
// Throws AnalysisError when an input is not finite, when the investment type
// is not 0..4 or when `periods` is not 1..80.
GenericInvestment BuildLeveragedInvestment(const AnalysisInputs& in, int periods);

// The interest-only records; NPeriods is the savings period in whole years.
// Throw AnalysisError as BuildLeveragedInvestment, and the loan when the loan
// amount is not above 0 after rounding.
GenericInvestment BuildIntOnlyInvestment(const AnalysisInputs& in);
IntOnlyLoan BuildIntOnlyLoan(const AnalysisInputs& in);

// One analysis at inv.ReturnPerPeriod into `out`. Rewrites the record's
// InitialInvestment, InitialInvestmentACB, InvestmentPerPeriod, Cashflow,
// UseCashflowArray and EndOfPeriodInvestments; leaves Cashflow[1..N] holding
// the after-tax costs. Throws AnalysisError when a figure is not finite.
void CalcIntOnlyLevAnalysis(GenericInvestment& inv, const IntOnlyLoan& loan, IntOnlySlot& out);

// Leveraged net value minus unleveraged value at the horizon for `rate`,
// after one analysis into `scratch`; the record keeps `rate`.
double IntOnlyBreakEvenGap(GenericInvestment& inv, const IntOnlyLoan& loan, double rate, IntOnlySlot& scratch);

// The return at which leverage breaks even, or NoReturn (FindBreakEvenReturn).
double CalcIntOnlyBreakEvenReturn(GenericInvestment& inv, const IntOnlyLoan& loan, IntOnlySlot& scratch);

// The whole analysis: builds the records, searches the break-even return,
// sorts it among the four returns, runs the summary slots 1..5 and the
// projection slot 0. On AnalysisError (also for a return of -100 % or less)
// `state` keeps the previous analysis untouched.
IntOnlyResults RunIntOnlyAnalysis(const AnalysisInputs& in, IntOnlyState& state);

} // namespace gw
