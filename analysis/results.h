#pragma once

#include "returns.h"

#include <type_traits>
#include <string_view>
#include <vector>

// What the interest-only and term-loan analyses hand to the tables, charts,
// notes and reports: numbers only, formatted by the reader. Amounts are
// dollars, returns, rates and percents fractions (0.08 for 8 %; a percent
// increase is PercentIncrease, so 1 when the unleveraged value is 0), but for
// DeductionTerms::expenses_percent. Field names are the keys under which the
// command-line tool prints them; `return_` prints as "return". No field ever
// holds NaN or infinity (RequireFinite).
namespace gw {

// One row of the summary table: the values at the horizon for one return.
struct SummaryRow {
    int slot = 0;               // return slot 1..5 the row comes from
    double return_ = 0;         // fraction
    double unleveraged = 0;     // unleveraged balance at the horizon
    double leveraged = 0;       // leveraged value net of repaying the loan
    double increase = 0;        // leveraged - unleveraged
    double percent_increase = 0;
    bool break_even = false;    // the return is the break-even return; then
                                // both values are their mean and increase is 0

    bool operator==(const SummaryRow&) const = default;
};

// Pools of interest not yet deducted that are left after the sale repaying
// the loan at the horizon.
struct RemainingDeductions {
    double federal = 0;
    double provincial = 0;

    bool operator==(const RemainingDeductions&) const = default;
};

// How one jurisdiction deducts the loan interest in the analysis that ran.
struct DeductionTerms {
    bool limited = false;               // limited to investment income
    double deductible_ratio = 1;        // fraction of the interest deductible; 1 when limited
    bool include_capital_gains = true;  // capital gains count as investment income
    double expenses_percent = 0;        // in per cent (1.5 for 1.5 %), not a fraction: the
                                        // investment expenses as typed; the analysis does not read them

    bool operator==(const DeductionTerms&) const = default;
};

// The terms an interest-only or term-loan analysis ran on. Rates are
// fractions.
struct LeverageTerms {
    double loan_rate = 0;            // the loan's yearly interest rate
    double tax_rate = 0;             // marginal rate
    double federal_tax_rate = 0;     // federal + provincial = tax_rate
    double provincial_tax_rate = 0;
    double dividend_tax_rate = 0;
    double inclusion_rate = 0;       // part of a capital gain that is taxed
    // Breakdown of the gross return.
    double deferred_gains_ratio = 0;
    double capital_gains_ratio = 0;
    double dividend_ratio = 0;
    double interest_ratio = 0;
    DeductionTerms federal;
    DeductionTerms provincial;

    bool operator==(const LeverageTerms&) const = default;
};

// The repayment of a term loan.
struct TermSchedule {
    int loan_periods = 0;  // years, the yearly payments of one loan
    int loan_repeats = 0;  // times the loan is taken again once repaid
    double payment = 0;    // dollars, the level year-end payment

    bool operator==(const TermSchedule&) const = default;
};

// An interest-only loan is never repaid before the horizon.
struct NoSchedule {
    bool operator==(const NoSchedule&) const = default;
};

// One year of the interest-only projection at the projection return.
struct IntOnlyYear {
    int year = 0;  // 1..horizon
    double unleveraged_balance = 0;
    double unleveraged_distributions = 0;  // after tax
    double unleveraged_acb = 0;
    double leveraged_balance = 0;          // before repaying the loan
    double leveraged_distributions = 0;    // after tax
    double leveraged_acb = 0;
    double after_tax_cost = 0;             // the year's interest less the tax it saves;
                                           // what the unleveraged side invests
    double fed_deduction = 0;
    double prov_deduction = 0;
    double fed_undeducted = 0;             // pools carried forward after the year
    double prov_undeducted = 0;
    double net_balance_payoff = 0;         // leveraged value if the loan were repaid now
    double acb_after = 0;                  // cost base left after that sale
    double increase = 0;                   // net_balance_payoff - unleveraged_balance
    double percent_increase = 0;

    bool operator==(const IntOnlyYear&) const = default;
};

// One year of the term-loan projection at the projection return.
struct TermYear {
    int year = 0;  // 1..horizon
    double after_tax_cashflow = 0;         // payment less the tax the interest saves;
                                           // what the unleveraged side invests
    double unleveraged_balance = 0;
    double unleveraged_distributions = 0;  // after tax
    double unleveraged_acb = 0;
    double net_balance_payoff = 0;         // leveraged value if the balance were repaid now
    double loan_balance = 0;               // at the year end
    double interest = 0;                   // interest part of the year's payment
    double principal = 0;                  // principal part of the year's payment
    double leveraged_balance = 0;          // before repaying the loan
    double leveraged_distributions = 0;    // after tax
    double leveraged_acb = 0;
    double fed_deduction = 0;
    double prov_deduction = 0;
    double fed_undeducted = 0;
    double prov_undeducted = 0;
    double acb_after = 0;
    double increase = 0;                   // net_balance_payoff - unleveraged_balance
    double percent_increase = 0;

    bool operator==(const TermYear&) const = default;
};

template <typename Year>
using ScheduleOf = std::conditional_t<std::is_same_v<Year, TermYear>, TermSchedule, NoSchedule>;

// The whole result of one interest-only (Year = IntOnlyYear) or term-loan
// (Year = TermYear) analysis.
template <typename Year>
struct LeverageResults {
    int horizon = 0;               // N, years projected
    double loan_amount = 0;        // whole dollars
    ReturnSlots returns{};         // slot 0 projection, 1..5 sorted summary returns
    double break_even_return = 0;  // NoReturn when none was found
    bool deduction_limited = false;  // either deduction limited to investment
                                     // income: the advanced table shows the
                                     // five deduction columns
    std::vector<SummaryRow> summary;  // slot order, NoReturn slots left out
    std::vector<Year> projection;     // years 1..horizon
    RemainingDeductions remaining_deductions;
    LeverageTerms terms;              // what the analysis ran on
    ScheduleOf<Year> schedule;        // term loans only

    bool operator==(const LeverageResults&) const = default;
};

using IntOnlyResults = LeverageResults<IntOnlyYear>;
using TermResults = LeverageResults<TermYear>;

// A summary row from the two values at the horizon; increase and percent
// follow from them.
SummaryRow MakeSummaryRow(int slot, double return_, double unleveraged, double leveraged, bool breakEven);

// The pattern a summary row's return shows with: one decimal, or two for the
// break-even row when one decimal would make it read like another row's
// return (a break-even of 4.04 % beside a 4 % row).
std::string_view SummaryReturnPattern(const std::vector<SummaryRow>& rows, const SummaryRow& row);

// Throws AnalysisError naming the field and year of the first value that is
// not finite.
void RequireFinite(const IntOnlyResults& results);
void RequireFinite(const TermResults& results);

} // namespace gw
