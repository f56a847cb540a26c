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

StrategyParts rrspParts(const RRSPResults& r)
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
    if (const std::optional<RRSPVariantValues>& v = r.at_loan_rate) {
        parts.atLoanRate = "{\"catch_up\": " + JsonNumber(v->catch_up) +
                           ", \"spend_refund\": " + JsonNumber(v->spend_refund) +
                           ", \"reinvest_refund\": " + JsonNumber(v->reinvest_refund) +
                           ", \"gross_up\": " + JsonNumber(v->gross_up) + "}";
    }
    return parts;
}

std::string jsonFour(const std::array<double, 4>& values)
{
    return "[" + JsonNumber(values[0]) + ", " + JsonNumber(values[1]) + ", " + JsonNumber(values[2]) + ", " +
           JsonNumber(values[3]) + "]";
}

// The inputs under the names of their options, so a run can be repeated
// from them; the bracket starts have no option and come from the data files.
std::string jsonInputs(const AnalysisInputs& in)
{
    std::array<double, 4> interestRates{};
    std::array<double, 4> dividendRates{};
    std::array<double, 4> bracketStarts{};
    for (size_t i = 0; i < 4; ++i) {
        interestRates[i] = in.taxTable[i].interestRate;
        dividendRates[i] = in.taxTable[i].dividendRate;
        bracketStarts[i] = in.taxTable[i].start;
    }
    const auto line = [](const char* key, const std::string& value, bool last = false) {
        return std::string("    \"") + key + "\": " + value + (last ? "\n" : ",\n");
    };
    return "{\n" + line("tax_rate", JsonNumber(in.taxRate)) + line("interest_rate", JsonNumber(in.interestRate)) +
           line("savings_period", JsonNumber(in.savingsPeriod)) + line("returns", jsonFour(in.returns)) +
           line("times_repeated", JsonNumber(in.timesRepeated)) + line("breakdown", jsonFour(in.breakdown)) +
           line("investment_type", jsonValue(in.investmentType)) +
           line("other_unleveraged", JsonNumber(in.otherUnleveraged)) +
           line("inclusion_rate", JsonNumber(in.capGainsInclusionRate)) +
           line("federal_ratio", JsonNumber(in.federalToMarginalRatio)) +
           line("fed_limited", jsonValue(in.fedLimited)) + line("prov_limited", jsonValue(in.provLimited)) +
           line("fed_deductible", JsonNumber(in.fedDeductible)) +
           line("prov_deductible", JsonNumber(in.provDeductible)) +
           line("fed_include_cg", jsonValue(in.fedIncludeCG)) + line("prov_include_cg", jsonValue(in.provIncludeCG)) +
           line("interest_tax_rates", jsonFour(interestRates)) + line("dividend_tax_rates", jsonFour(dividendRates)) +
           line("tax_bracket_starts", jsonFour(bracketStarts), true) + "  }";
}

} // namespace

std::string JsonString(std::string_view text)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (byte < 0x20) {
                out += "\\u00";
                out += kHex[byte >> 4];
                out += kHex[byte & 0xF];
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

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
                return rrspParts(r);
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
        << "  \"rrsp_at_loan_rate\": " << parts.atLoanRate << ",\n"
        << "  \"inputs\": " << jsonInputs(report.inputs) << ",\n"
        << "  \"language\": \"" << LanguageName(report.language) << "\",\n"
        << "  \"notes\": " << JsonString(report.notes) << "\n"
        << "}\n";
}

} // namespace gw::cli
