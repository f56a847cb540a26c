#include "results.h"

#include "error.h"
#include "growth.h"
#include "numformat.h"

#include <cmath>
#include <initializer_list>
#include <string>
#include <utility>

namespace gw {

namespace {

using Named = std::pair<const char*, double>;

// `where`: "the analysis", or a part and its number ("year 3").
void check(std::initializer_list<Named> values, const std::string& where)
{
    for (const auto& [name, value] : values) {
        if (!std::isfinite(value))
            throw AnalysisError(std::string(name) + " of " + where + " is not a finite number");
    }
}

std::string numbered(const char* part, int number) { return std::string(part) + " " + std::to_string(number); }

template <typename Year>
void checkHead(const LeverageResults<Year>& r)
{
    check({{"loan_amount", r.loan_amount}, {"break_even_return", r.break_even_return}}, "the analysis");
    for (int s = 0; s < static_cast<int>(r.returns.size()); ++s)
        check({{"return", r.returns[s]}}, numbered("slot", s));
    for (const SummaryRow& row : r.summary) {
        check({{"return", row.return_},
               {"unleveraged", row.unleveraged},
               {"leveraged", row.leveraged},
               {"increase", row.increase},
               {"percent_increase", row.percent_increase}},
              numbered("summary slot", row.slot));
    }
    check({{"remaining federal deductions", r.remaining_deductions.federal},
           {"remaining provincial deductions", r.remaining_deductions.provincial}},
          numbered("year", r.horizon));
    const LeverageTerms& t = r.terms;
    check({{"loan_rate", t.loan_rate},
           {"tax_rate", t.tax_rate},
           {"federal_tax_rate", t.federal_tax_rate},
           {"provincial_tax_rate", t.provincial_tax_rate},
           {"dividend_tax_rate", t.dividend_tax_rate},
           {"inclusion_rate", t.inclusion_rate},
           {"deferred_gains_ratio", t.deferred_gains_ratio},
           {"capital_gains_ratio", t.capital_gains_ratio},
           {"dividend_ratio", t.dividend_ratio},
           {"interest_ratio", t.interest_ratio},
           {"federal deductible_ratio", t.federal.deductible_ratio},
           {"provincial deductible_ratio", t.provincial.deductible_ratio},
           {"federal expenses_percent", t.federal.expenses_percent},
           {"provincial expenses_percent", t.provincial.expenses_percent}},
          "the analysis");
}

} // namespace

std::string_view SummaryReturnPattern(const std::vector<SummaryRow>& rows, const SummaryRow& row)
{
    constexpr std::string_view one = "##0.0%";
    if (!row.break_even)
        return one;
    // Rounding is the same in both languages; English is enough to compare.
    const std::string shown = FormatNumber(row.return_, one, 0);
    for (const SummaryRow& other : rows) {
        if (&other != &row && FormatNumber(other.return_, one, 0) == shown)
            return "##0.00%";
    }
    return one;
}

SummaryRow MakeSummaryRow(int slot, double return_, double unleveraged, double leveraged, bool breakEven)
{
    SummaryRow row;
    row.slot = slot;
    row.return_ = return_;
    row.unleveraged = unleveraged;
    row.leveraged = leveraged;
    row.increase = leveraged - unleveraged;
    row.percent_increase = PercentIncrease(leveraged, unleveraged);
    row.break_even = breakEven;
    return row;
}

void RequireFinite(const IntOnlyResults& results)
{
    checkHead(results);
    for (const IntOnlyYear& y : results.projection) {
        check({{"unleveraged_balance", y.unleveraged_balance},
               {"unleveraged_distributions", y.unleveraged_distributions},
               {"unleveraged_acb", y.unleveraged_acb},
               {"leveraged_balance", y.leveraged_balance},
               {"leveraged_distributions", y.leveraged_distributions},
               {"leveraged_acb", y.leveraged_acb},
               {"after_tax_cost", y.after_tax_cost},
               {"fed_deduction", y.fed_deduction},
               {"prov_deduction", y.prov_deduction},
               {"fed_undeducted", y.fed_undeducted},
               {"prov_undeducted", y.prov_undeducted},
               {"net_balance_payoff", y.net_balance_payoff},
               {"acb_after", y.acb_after},
               {"increase", y.increase},
               {"percent_increase", y.percent_increase}},
              numbered("year", y.year));
    }
}

void RequireFinite(const TermResults& results)
{
    checkHead(results);
    check({{"payment", results.schedule.payment}}, "the analysis");
    for (const TermYear& y : results.projection) {
        check({{"after_tax_cashflow", y.after_tax_cashflow},
               {"unleveraged_balance", y.unleveraged_balance},
               {"unleveraged_distributions", y.unleveraged_distributions},
               {"unleveraged_acb", y.unleveraged_acb},
               {"net_balance_payoff", y.net_balance_payoff},
               {"loan_balance", y.loan_balance},
               {"interest", y.interest},
               {"principal", y.principal},
               {"leveraged_balance", y.leveraged_balance},
               {"leveraged_distributions", y.leveraged_distributions},
               {"leveraged_acb", y.leveraged_acb},
               {"fed_deduction", y.fed_deduction},
               {"prov_deduction", y.prov_deduction},
               {"fed_undeducted", y.fed_undeducted},
               {"prov_undeducted", y.prov_undeducted},
               {"acb_after", y.acb_after},
               {"increase", y.increase},
               {"percent_increase", y.percent_increase}},
              numbered("year", y.year));
    }
}

} // namespace gw
