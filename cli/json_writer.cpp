#include "json_writer.h"

#include "analyze_options.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>
#include <type_traits>

namespace gw::cli {

namespace {

std::string jsonValue(double value) { return JsonNumber(value); }
std::string jsonValue(int value) { return std::to_string(value); }
std::string jsonValue(bool value) { return value ? "true" : "false"; }

std::string jsonOptional(const std::optional<double>& value) { return value ? JsonNumber(*value) : "null"; }

// A return slot: NoReturn prints as null.
std::string jsonReturn(double value) { return value == NoReturn ? "null" : JsonNumber(value); }

// {"key": value, ...} on one line, in the order of `fields`.
template <typename Row, size_t N>
std::string jsonRow(const Row& row, const std::array<Field<Row>, N>& fields)
{
    std::string text = "{";
    for (const Field<Row>& field : fields) {
        if (text.size() > 1)
            text += ", ";
        text += '"';
        text += field.key;
        text += "\": ";
        VisitField(row, field, [&](auto value) { text += jsonValue(value); });
    }
    return text + "}";
}

template <typename Row, size_t N>
std::string jsonRows(const std::vector<Row>& rows, const std::array<Field<Row>, N>& fields)
{
    if (rows.empty())
        return "[]";
    std::string text = "[\n";
    for (size_t i = 0; i < rows.size(); ++i)
        text += "    " + jsonRow(rows[i], fields) + (i + 1 < rows.size() ? ",\n" : "\n");
    return text + "  ]";
}

std::string jsonReturns(const ReturnSlots& returns)
{
    std::string text = "[";
    for (size_t s = 0; s < returns.size(); ++s)
        text += (s ? ", " : "") + jsonReturn(returns[s]);
    return text + "]";
}

// The parts of the object that differ by strategy.
struct StrategyParts {
    double breakEven = NoReturn;
    ReturnSlots returns{};
    std::string summary;
    std::string years;
    std::string remaining = "null";
    std::string atLoanRate = "null";
};

template <typename Year, size_t N>
StrategyParts leverageParts(const LeverageResults<Year>& r, const std::array<Field<Year>, N>& yearFields)
{
    StrategyParts parts;
    parts.breakEven = r.break_even_return;
    parts.returns = r.returns;
    std::vector<SummaryRow> summary;
    for (const SummaryRow& row : r.summary) {
        if (row.return_ != NoReturn)
            summary.push_back(row);
    }
    parts.summary = jsonRows(summary, kSummaryFields);
    parts.years = jsonRows(r.projection, yearFields);
    parts.remaining = "{\"federal\": " + JsonNumber(r.remaining_deductions.federal) +
                      ", \"provincial\": " + JsonNumber(r.remaining_deductions.provincial) + "}";
    return parts;
}

StrategyParts rrspParts(const RRSPResults& r, const std::optional<RRSPVariantValues>& atLoanRate)
{
    StrategyParts parts;
    parts.returns = r.returns;
    // Slot 5 holds a filler that keeps the sort away from it, not a return.
    parts.returns[5] = NoReturn;
    std::vector<RRSPSummaryRow> summary;
    for (const RRSPSummaryRow& row : r.summary) {
        if (HasReturn(row))
            summary.push_back(row);
    }
    parts.summary = jsonRows(summary, kRRSPSummaryFields);
    parts.years = jsonRows(r.projection, kRRSPYearFields);
    if (atLoanRate) {
        parts.atLoanRate = "{\"catch_up\": " + JsonNumber(atLoanRate->catch_up) +
                           ", \"spend_refund\": " + JsonNumber(atLoanRate->spend_refund) +
                           ", \"reinvest_refund\": " + JsonNumber(atLoanRate->reinvest_refund) +
                           ", \"gross_up\": " + JsonNumber(atLoanRate->gross_up) + "}";
    }
    return parts;
}

} // namespace

std::string JsonNumber(double value)
{
    if (!std::isfinite(value))
        return "null";
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17);
    return std::string(buffer, result.ptr);
}

void WriteAnalysisJson(std::ostream& out, const AnalyzeReport& report)
{
    int horizon = 0;
    double loanAmount = 0;
    const StrategyParts parts = std::visit(
        [&](const auto& r) {
            horizon = r.horizon;
            loanAmount = r.loan_amount;
            using R = std::decay_t<decltype(r)>;
            if constexpr (std::is_same_v<R, IntOnlyResults>)
                return leverageParts(r, kIntOnlyYearFields);
            else if constexpr (std::is_same_v<R, TermResults>)
                return leverageParts(r, kTermYearFields);
            else
                return rrspParts(r, report.atLoanRate);
        },
        report.results);

    out << "{\n"
        << "  \"strategy\": \"" << StrategyName(report.strategy) << "\",\n"
        << "  \"horizon\": " << horizon << ",\n"
        << "  \"loan_amount\": " << JsonNumber(loanAmount) << ",\n"
        << "  \"annual_investment\": " << jsonOptional(report.annualInvestment) << ",\n"
        << "  \"break_even_return\": " << jsonReturn(parts.breakEven) << ",\n"
        << "  \"returns\": " << jsonReturns(parts.returns) << ",\n"
        << "  \"summary\": " << parts.summary << ",\n"
        << "  \"projection\": {\"return\": " << jsonReturn(parts.returns[0]) << ", \"years\": "
        << parts.years << "},\n"
        << "  \"remaining_deductions\": " << parts.remaining << ",\n"
        << "  \"rrsp_at_loan_rate\": " << parts.atLoanRate << "\n"
        << "}\n";
}

} // namespace gw::cli
