#pragma once

#include "dispatch.h"
#include "captions.h"
#include "inputs.h"
#include "results.h"
#include "rrsp.h"

#include <array>
#include <optional>
#include <string>
#include <variant>

// What `gearwise-cli analyze` prints: the results of one strategy and the
// figures around them, and the column names (JSON keys, CSV headers) of every
// result record. Amounts in dollars, returns and percents as fractions.
namespace gw::cli {

struct AnalyzeReport {
    Strategy strategy = Strategy::InterestOnly;
    AnalysisInputs inputs;                    // as the analysis read them (per cent as typed)
    AnalysisResults results;                  // of `strategy`
    std::optional<double> annualInvestment;   // none when no amount answers the loan
    Language language = English;
    std::string notes;                        // UTF-8, paragraphs separated by CR LF
};

// One column of a result record.
template <typename Row>
struct Field {
    const char* key;
    std::variant<double Row::*, int Row::*, bool Row::*> member;
};

inline constexpr std::array<Field<SummaryRow>, 6> kSummaryFields{{
    {"return", &SummaryRow::return_},
    {"unleveraged", &SummaryRow::unleveraged},
    {"leveraged", &SummaryRow::leveraged},
    {"increase", &SummaryRow::increase},
    {"percent_increase", &SummaryRow::percent_increase},
    {"break_even", &SummaryRow::break_even},
}};

inline constexpr std::array<Field<RRSPSummaryRow>, 8> kRRSPSummaryFields{{
    {"return", &RRSPSummaryRow::return_},
    {"catch_up", &RRSPSummaryRow::catch_up},
    {"spend_refund", &RRSPSummaryRow::spend_refund},
    {"reinvest_refund", &RRSPSummaryRow::reinvest_refund},
    {"gross_up", &RRSPSummaryRow::gross_up},
    {"spend_percent", &RRSPSummaryRow::spend_percent},
    {"reinvest_percent", &RRSPSummaryRow::reinvest_percent},
    {"gross_up_percent", &RRSPSummaryRow::gross_up_percent},
}};

inline constexpr std::array<Field<IntOnlyYear>, 16> kIntOnlyYearFields{{
    {"year", &IntOnlyYear::year},
    {"unleveraged_balance", &IntOnlyYear::unleveraged_balance},
    {"unleveraged_distributions", &IntOnlyYear::unleveraged_distributions},
    {"unleveraged_acb", &IntOnlyYear::unleveraged_acb},
    {"leveraged_balance", &IntOnlyYear::leveraged_balance},
    {"leveraged_distributions", &IntOnlyYear::leveraged_distributions},
    {"leveraged_acb", &IntOnlyYear::leveraged_acb},
    {"after_tax_cost", &IntOnlyYear::after_tax_cost},
    {"fed_deduction", &IntOnlyYear::fed_deduction},
    {"prov_deduction", &IntOnlyYear::prov_deduction},
    {"fed_undeducted", &IntOnlyYear::fed_undeducted},
    {"prov_undeducted", &IntOnlyYear::prov_undeducted},
    {"net_balance_payoff", &IntOnlyYear::net_balance_payoff},
    {"acb_after", &IntOnlyYear::acb_after},
    {"increase", &IntOnlyYear::increase},
    {"percent_increase", &IntOnlyYear::percent_increase},
}};

inline constexpr std::array<Field<TermYear>, 19> kTermYearFields{{
    {"year", &TermYear::year},
    {"after_tax_cashflow", &TermYear::after_tax_cashflow},
    {"unleveraged_balance", &TermYear::unleveraged_balance},
    {"unleveraged_distributions", &TermYear::unleveraged_distributions},
    {"unleveraged_acb", &TermYear::unleveraged_acb},
    {"net_balance_payoff", &TermYear::net_balance_payoff},
    {"loan_balance", &TermYear::loan_balance},
    {"interest", &TermYear::interest},
    {"principal", &TermYear::principal},
    {"leveraged_balance", &TermYear::leveraged_balance},
    {"leveraged_distributions", &TermYear::leveraged_distributions},
    {"leveraged_acb", &TermYear::leveraged_acb},
    {"fed_deduction", &TermYear::fed_deduction},
    {"prov_deduction", &TermYear::prov_deduction},
    {"fed_undeducted", &TermYear::fed_undeducted},
    {"prov_undeducted", &TermYear::prov_undeducted},
    {"acb_after", &TermYear::acb_after},
    {"increase", &TermYear::increase},
    {"percent_increase", &TermYear::percent_increase},
}};

inline constexpr std::array<Field<RRSPProjectionYear>, 12> kRRSPYearFields{{
    {"year", &RRSPProjectionYear::year},
    {"catch_up_contribution", &RRSPProjectionYear::catch_up_contribution},
    {"catch_up_balance", &RRSPProjectionYear::catch_up_balance},
    {"spend_contribution", &RRSPProjectionYear::spend_contribution},
    {"spend_balance", &RRSPProjectionYear::spend_balance},
    {"spend_percent", &RRSPProjectionYear::spend_percent},
    {"reinvest_contribution", &RRSPProjectionYear::reinvest_contribution},
    {"reinvest_balance", &RRSPProjectionYear::reinvest_balance},
    {"reinvest_percent", &RRSPProjectionYear::reinvest_percent},
    {"gross_up_contribution", &RRSPProjectionYear::gross_up_contribution},
    {"gross_up_balance", &RRSPProjectionYear::gross_up_balance},
    {"gross_up_percent", &RRSPProjectionYear::gross_up_percent},
}};

// The value of one column of `row`, as the number, whole number or flag the
// record holds; `visit` is called with a double, an int or a bool.
template <typename Row, typename Visit>
void VisitField(const Row& row, const Field<Row>& field, Visit&& visit)
{
    std::visit([&](auto member) { visit(row.*member); }, field.member);
}

// The RRSP summary rows that hold a return (return slots 1..4).
inline bool HasReturn(const RRSPSummaryRow& row) { return row.return_ != NoReturn; }

} // namespace gw::cli
