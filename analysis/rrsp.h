#pragma once

#include "growth.h"
#include "inputs.h"
#include "returns.h"

#include <array>
#include <optional>
#include <vector>

// RRSP loans: a catch-up loan contributed to the plan at once and repaid from
// its tax refund plus level start-of-year payments P, against three ways of
// putting the same P into the plan every year (refund spent, refund
// reinvested, contribution grossed up by the refund). All four grow
// tax-deferred. Amounts in dollars, rates as fractions, periods in years.
namespace gw {

struct RRSPLoan {
    double LoanAmount = 0;        // whole dollars
    double LoanInterestRate = 0;  // fraction
    double TaxRate = 0;           // fraction; also the refund rate of a contribution
    int NLoanPeriods = 0;         // years to repay one loan
    int NLoanRepeats = 0;         // times the loan is taken again once repaid
};

// Everything one RRSP analysis leaves behind, owned by the caller. Result
// slots: 0 the projection return, 1..4 the summary rows (RRSPReturns order),
// 5 the run at the loan rate (RunRRSPAtLoanRate).
struct RRSPState {
    RRSPLoan Loan;
    double RRSPAnnualInvestment = 0;  // P, the yearly after-tax cost
    DeferredInvestment CatchUpLoan;
    DeferredInvestment SpendRefund;
    DeferredInvestment ReinvestRefund;
    DeferredInvestment GrossUp;
    ReturnSlots RRSPReturns{};        // slot 5 holds the filler kRRSPReturnFiller
    std::array<DeferredFutureValue, 6> CatchUpResults{};
    std::array<DeferredFutureValue, 6> SpendResults{};
    std::array<DeferredFutureValue, 6> ReinvestResults{};
    std::array<DeferredFutureValue, 6> GrossUpResults{};
    bool Built = false;               // set once BuildRRSPAnalysis has succeeded
};

// Keeps SortReturns from moving slot 5 into the summary slots.
inline constexpr double kRRSPReturnFiller = 1000;

// One summary row (return slots 1..4). Amounts are the plans' values at the
// horizon; the percents are fractions relative to the catch-up value
// (PercentIncrease, so 1 when the catch-up value is 0). The field `return_`
// is printed under the key "return".
struct RRSPSummaryRow {
    double return_ = 0;  // fraction
    double catch_up = 0;
    double spend_refund = 0;
    double reinvest_refund = 0;
    double gross_up = 0;
    double spend_percent = 0;
    double reinvest_percent = 0;
    double gross_up_percent = 0;

    bool operator==(const RRSPSummaryRow&) const = default;
};

// One year of the projection at the projection return: each plan's
// contribution at the start of the year and its value at the year end.
struct RRSPProjectionYear {
    int year = 0;  // 1..horizon
    double catch_up_contribution = 0;
    double catch_up_balance = 0;
    double spend_contribution = 0;
    double spend_balance = 0;
    double spend_percent = 0;
    double reinvest_contribution = 0;
    double reinvest_balance = 0;
    double reinvest_percent = 0;
    double gross_up_contribution = 0;
    double gross_up_balance = 0;
    double gross_up_percent = 0;

    bool operator==(const RRSPProjectionYear&) const = default;
};

// The four plans' values at the horizon.
struct RRSPVariantValues {
    double catch_up = 0;
    double spend_refund = 0;
    double reinvest_refund = 0;
    double gross_up = 0;

    bool operator==(const RRSPVariantValues&) const = default;
};

struct RRSPResults {
    int horizon = 0;               // N = loan periods x (repeats + 1), 1..80
    double loan_amount = 0;        // whole dollars
    double annual_investment = 0;  // P
    ReturnSlots returns{};         // sorted; slot 5 is kRRSPReturnFiller
    std::array<RRSPSummaryRow, 4> summary{};  // summary[k] is return slot k + 1
    std::vector<RRSPProjectionYear> projection;  // years 1..horizon
    // The terms the plans ran on.
    double loan_rate = 0;          // fraction, the loan's yearly interest rate
    double tax_rate = 0;           // fraction; also the refund rate of a contribution
    int loan_periods = 0;          // years to repay one loan
    int loan_repeats = 0;          // times the loan is taken again once repaid
    double refund = 0;             // dollars, loan_amount x tax_rate
    // Yearly contributions in dollars: P, (1 + t) P and P / (1 - t).
    double spend_contribution = 0;
    double reinvest_contribution = 0;
    double gross_up_contribution = 0;
    // The plans run at the loan rate (slot 5); empty when that run failed.
    std::optional<RRSPVariantValues> at_loan_rate;

    bool operator==(const RRSPResults&) const = default;
};

// P: the level start-of-year payment that repays (1 - taxRate) x loanAmount
// over loanPeriods years at loanRate, that is (1 - t) L / A with the
// annuity-due factor A (A = n at a rate of 0).
// Throws AnalysisError for loanPeriods < 1 or a result that is not finite.
double RRSPPayment(double loanAmount, double taxRate, double loanRate, int loanPeriods);

// One plan record as every variant starts: the loan amount (whole dollars) as
// opening amount, no contribution, start-of-year contributions, horizon N.
// Throws AnalysisError when the savings period rounds below 1 year, the times
// repeated below 0, or their product (N) above 80 years.
DeferredInvestment BuildRRSPInvestment(const AnalysisInputs& in);

// Rebuilds Loan, the four records, P and the sorted RRSPReturns from the
// inputs and sets Built; leaves the result slots alone. Throws AnalysisError
// for inputs with no finite answer, leaving `state` as it was: a tax rate of
// 100 % or more (the gross-up divides by 1 - t), a return that is not finite
// or reaches kRRSPReturnFiller in size, and see BuildRRSPInvestment.
void BuildRRSPAnalysis(const AnalysisInputs& in, RRSPState& state);

// Runs the four plans at the ReturnPerPeriod their records hold. Rewrites the
// catch-up record's Cashflow (the loan amount at the start of every loan) and
// the annual records' Cashflow (their constant contribution).
// Throws AnalysisError when a balance is not finite.
void CalcRRSPVariants(DeferredInvestment& catchUpLoan, DeferredInvestment& spendRefund,
                      DeferredInvestment& reinvestRefund, DeferredInvestment& grossUp,
                      const RRSPLoan& loan, DeferredFutureValue& catchUpOut,
                      DeferredFutureValue& spendOut, DeferredFutureValue& reinvestOut,
                      DeferredFutureValue& grossUpOut);

// The whole analysis: build, the four summary returns into slots 1..4, the
// projection return into slot 0, then the loan rate into slot 5
// (RunRRSPAtLoanRate) for at_loan_rate, left empty when that run throws; the
// analysis stands without it. On any other AnalysisError `state` keeps the
// previous analysis untouched.
RRSPResults RunRRSPAnalysis(const AnalysisInputs& in, RRSPState& state);

// Re-runs the four plans of the last analysis with the loan interest rate as
// their return into slot 5 and returns their values at the horizon.
// Throws AnalysisError when no analysis has been built or a value is not
// finite; slot 5 is then left as it was.
RRSPVariantValues RunRRSPAtLoanRate(RRSPState& state);

// Throws AnalysisError naming the first of the amounts and terms that is not
// finite; the plans' balances are checked as they run.
void RequireFinite(const RRSPResults& results);

} // namespace gw
