#pragma once

// Result records as text for the golden files: one record a line under a
// line naming its columns, amounts to the cent, fractions to six decimals.
#include "case_table.h"
#include "dispatch.h"

#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace gw::test {

inline std::string M(double dollars) { return Fixed(dollars, 2); }
inline std::string F(double fraction) { return fraction == NoReturn ? "none" : Fixed(fraction, 6); }

inline std::string Line(const std::vector<std::string>& fields)
{
    std::string line;
    for (const std::string& field : fields)
        line += (line.empty() ? "" : " ") + field;
    return line + "\n";
}

template <typename Year>
std::string ResultsText(const LeverageResults<Year>& r)
{
    const ReturnSlots& p = r.returns;
    const RemainingDeductions& left = r.remaining_deductions;
    std::string text = Line({"horizon", std::to_string(r.horizon), "loan", M(r.loan_amount), "break-even",
                             F(r.break_even_return), "limited", r.deduction_limited ? "yes" : "no"});
    text += Line({"returns", F(p[0]), F(p[1]), F(p[2]), F(p[3]), F(p[4]), F(p[5])});
    text += Line({"left after repaying: federal", M(left.federal), "provincial", M(left.provincial)});
    const LeverageTerms& t = r.terms;
    text += Line({"terms: loan", F(t.loan_rate), "tax", F(t.tax_rate), F(t.federal_tax_rate), F(t.provincial_tax_rate),
                  "dividends", F(t.dividend_tax_rate), "inclusion", F(t.inclusion_rate), "breakdown",
                  F(t.deferred_gains_ratio), F(t.capital_gains_ratio), F(t.dividend_ratio), F(t.interest_ratio)});
    for (const auto& [side, d] : {std::pair{"federal", t.federal}, {"provincial", t.provincial}})
        text += Line({side, "deduction: limited", d.limited ? "yes" : "no", "ratio", F(d.deductible_ratio), "gains",
                      d.include_capital_gains ? "yes" : "no", "expenses", F(d.expenses_percent)});
    text += "slot return unleveraged leveraged increase percent break-even\n";
    for (const SummaryRow& s : r.summary)
        text += Line({std::to_string(s.slot), F(s.return_), M(s.unleveraged), M(s.leveraged), M(s.increase),
                      F(s.percent_increase), s.break_even ? "yes" : "no"});
    const bool term = std::is_same_v<Year, TermYear>;
    if constexpr (term)
        text += Line({"schedule:", std::to_string(r.schedule.loan_periods), "years, repeated",
                      std::to_string(r.schedule.loan_repeats), "times, payment", M(r.schedule.payment)});
    text += std::string("year | unleveraged: balance distributions acb | leveraged: balance distributions acb | ") +
            (term ? "after-tax cash flow | loan: balance interest principal" : "after-tax cost") +
            " | deductions: federal provincial | undeducted: federal provincial | if repaid: net acb | increase "
            "percent\n";
    for (const Year& y : r.projection) {
        std::vector<std::string> row{std::to_string(y.year), "|", M(y.unleveraged_balance),
                                     M(y.unleveraged_distributions), M(y.unleveraged_acb), "|",
                                     M(y.leveraged_balance), M(y.leveraged_distributions), M(y.leveraged_acb), "|"};
        if constexpr (term)
            row.insert(row.end(), {M(y.after_tax_cashflow), "|", M(y.loan_balance), M(y.interest), M(y.principal)});
        else
            row.push_back(M(y.after_tax_cost));
        row.insert(row.end(), {"|", M(y.fed_deduction), M(y.prov_deduction), "|", M(y.fed_undeducted),
                               M(y.prov_undeducted), "|", M(y.net_balance_payoff), M(y.acb_after), "|",
                               M(y.increase), F(y.percent_increase)});
        text += Line(row);
    }
    return text;
}

inline std::string ResultsText(const RRSPResults& r)
{
    const ReturnSlots& p = r.returns;
    std::string text = Line({"horizon", std::to_string(r.horizon), "loan", M(r.loan_amount), "rate", F(r.loan_rate),
                             "tax", F(r.tax_rate), "periods", std::to_string(r.loan_periods), "repeats",
                             std::to_string(r.loan_repeats), "refund", M(r.refund)});
    text += Line({"yearly: payment", M(r.annual_investment), "spend", M(r.spend_contribution), "reinvest",
                  M(r.reinvest_contribution), "gross-up", M(r.gross_up_contribution)});
    text += Line({"returns", F(p[0]), F(p[1]), F(p[2]), F(p[3]), F(p[4]), F(p[5])});
    text += "return | catch-up spend reinvest gross-up | percent: spend reinvest gross-up\n";
    for (const RRSPSummaryRow& s : r.summary)
        text += Line({F(s.return_), "|", M(s.catch_up), M(s.spend_refund), M(s.reinvest_refund), M(s.gross_up), "|",
                      F(s.spend_percent), F(s.reinvest_percent), F(s.gross_up_percent)});
    if (const auto& v = r.at_loan_rate)
        text += Line({"at the loan rate |", M(v->catch_up), M(v->spend_refund), M(v->reinvest_refund), M(v->gross_up)});
    text += "year | catch-up: paid in, balance | spend: paid in, balance, percent | reinvest: paid in, balance, "
            "percent | gross-up: paid in, balance, percent\n";
    for (const RRSPProjectionYear& y : r.projection)
        text += Line({std::to_string(y.year), "|", M(y.catch_up_contribution), M(y.catch_up_balance), "|",
                      M(y.spend_contribution), M(y.spend_balance), F(y.spend_percent), "|",
                      M(y.reinvest_contribution), M(y.reinvest_balance), F(y.reinvest_percent), "|",
                      M(y.gross_up_contribution), M(y.gross_up_balance), F(y.gross_up_percent)});
    return text;
}

inline std::string ResultsText(const AnalysisResults& results)
{
    return std::visit([](const auto& r) { return ResultsText(r); }, results);
}

} // namespace gw::test
