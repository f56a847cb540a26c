#pragma once

#include "growth.h"
#include "inputs.h"
#include "results.h"
#include "returns.h"

#include <array>

// Term-loan strategy: borrow a lump sum as an amortising loan, invest it at
// the start and repay it with a level end-of-year payment, optionally taking
// the loan again each time it is repaid; against investing the same after-tax
// outlay every year end without a loan. Amounts in dollars, rates as
// fractions, periods in years.
namespace gw {

struct TermLoan {
    double LoanAmount = 0;         // principal of one loan, whole dollars
    double LoanInterestRate = 0;
    int NLoanPeriods = 0;          // yearly payments of one loan, >= 1
    double LoanPayment = 0;        // level yearly payment, |PMT|
    bool EndOfPeriodLoanPmts = true;
    int NLoanRepeats = 0;          // times the loan is taken again once repaid
    bool ProvLimited = false;      // deduction limited to investment income
    bool FedLimited = false;
    double ProvDeductRatio = 1;    // part of the interest deductible; 1 when limited
    double FedDeductRatio = 1;
    double ProvExpenseRate = 0;    // yearly expense per dollar of balance; 0 as built
    double FedExpenseRate = 0;
    bool ProvIncludeCG = true;     // capital gains count as investment income
    bool FedIncludeCG = true;
    bool ProvDeferUndeducted = true;  // undeducted interest is carried forward
    bool FedDeferUndeducted = true;
    double OtherInvestRatio = 0;   // other unleveraged investments per dollar of loan
};

// Per year 0..80; only years 1..H are written.
struct TermDetail {
    YearArray NetBalancePayoff{};  // leveraged value if the balance were repaid that year
    YearArray ACBAfter{};
    YearArray LoanBalance{};       // at the year end: the remaining payments' present value, 0 after the last
    YearArray IntPart{};           // interest part of the year's payment
    YearArray LoanPaydown{};       // principal part
    YearArray ATCashflow{};        // payment less the tax saved
    YearArray ProvUndeducted{};    // pools at the year end
    YearArray FedUndeducted{};
    YearArray ProvDeduction{};     // deductions taken in the year
    YearArray FedDeduction{};
    YearArray FedUndeductedAfterPayoff{};
    YearArray ProvUndeductedAfterPayoff{};
};

struct TermSlot {
    GenericFutureValue LevFV;
    GenericFutureValue NoLevFV;
    TermDetail Detail;
};

// Everything one term-loan analysis leaves for the tables, charts, notes and
// reports. Slot s holds the analysis at Returns[s]: 0 the projection, 1..5
// the sorted summary returns; a slot whose return is NoReturn is zero.
struct TermState {
    GenericInvestment Investment;  // NPeriods = H; Cashflow[1..H] holds slot 0's outlays
    TermLoan Loan;
    ReturnSlots Returns{NoReturn, NoReturn, NoReturn, NoReturn, NoReturn, NoReturn};
    std::array<TermSlot, 6> Slots{};
    double BreakEvenReturn = NoReturn;
};

// The investment record over the horizon H = savings period x (times repeated
// + 1), both in whole years (halves to even).
// Throws AnalysisError when an input is not finite, the savings period is
// below 1, the times repeated below 0 or H above 80.
GenericInvestment BuildTermInvestment(const AnalysisInputs& in);

// The loan record; a loan rate of 0 gives the payment L / n.
// Throws AnalysisError as BuildTermInvestment, and when the loan amount is
// not above 0 after rounding or the payment is not finite.
TermLoan BuildTermLoan(const AnalysisInputs& in);

// One analysis at inv.ReturnPerPeriod into `out`. Rewrites the record's
// Cashflow, InitialInvestmentACB, UseCashflowArray and EndOfPeriodInvestments;
// leaves Cashflow[1..H] holding the after-tax outlays.
// Throws AnalysisError with the program-error text when the loan's payment
// does not repay it or its payments are not at year ends, when the loans do
// not fit in 80 years, or when a figure is not finite.
void CalcTermLevAnalysis(GenericInvestment& inv, const TermLoan& loan, TermSlot& out);

// Leveraged net value minus unleveraged value at the horizon for `rate`,
// after one analysis into `scratch`; the record keeps `rate`.
double TermBreakEvenGap(GenericInvestment& inv, const TermLoan& loan, double rate, TermSlot& scratch);

// The return at which leverage breaks even, or NoReturn (FindBreakEvenReturn).
double CalcTermBreakEvenReturn(GenericInvestment& inv, const TermLoan& loan, TermSlot& scratch);

// Fills state.Returns from the inputs and the break-even return (also kept in
// state.BreakEvenReturn) and sorts slots 1..5; the break-even search runs on
// state.Investment and state.Loan, which must be built, with slot 5 as
// scratch. Throws AnalysisError for a return of -100 % or less.
void ReadTermReturns(const AnalysisInputs& in, TermState& state);

// The whole analysis: builds the records, reads the returns, runs the summary
// slots 1..5 and the projection slot 0. On AnalysisError `state` keeps the
// previous analysis untouched.
TermResults RunTermAnalysis(const AnalysisInputs& in, TermState& state);

} // namespace gw
