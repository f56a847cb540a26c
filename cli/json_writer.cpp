#include "json_writer.h"

#include "analyze_options.h"

#include <nlohmann/json.hpp>

#include <type_traits>

namespace gw::cli {

namespace {

using Json = nlohmann::ordered_json;

// A return slot: NoReturn is null. The library writes NaN and infinity as
// null too, which a valid document cannot hold.
Json jsonReturn(double value) { return value == NoReturn ? Json(nullptr) : Json(value); }

// Each record as an object keyed in the order of `fields`.
template <typename Row, size_t N>
Json jsonRows(const std::vector<Row>& rows, const std::array<Field<Row>, N>& fields)
{
    Json list = Json::array();
    for (const Row& row : rows) {
        Json object = Json::object();
        for (const Field<Row>& field : fields)
            VisitField(row, field, [&](auto value) { object[field.key] = value; });
        list.push_back(std::move(object));
    }
    return list;
}

Json jsonReturns(const ReturnSlots& returns)
{
    Json list = Json::array();
    for (const double r : returns)
        list.push_back(jsonReturn(r));
    return list;
}

// The parts of the object that differ by strategy.
struct StrategyParts {
    double breakEven = NoReturn;
    ReturnSlots returns{};
    Json summary;
    Json years;
    Json remaining;
    Json atLoanRate;
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
    parts.remaining = {{"federal", r.remaining_deductions.federal}, {"provincial", r.remaining_deductions.provincial}};
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
        parts.atLoanRate = {{"catch_up", v->catch_up},
                            {"spend_refund", v->spend_refund},
                            {"reinvest_refund", v->reinvest_refund},
                            {"gross_up", v->gross_up}};
    }
    return parts;
}

// The inputs under the names of their options, so a run can be repeated
// from them; the bracket starts have no option and come from the data files.
Json jsonInputs(const AnalysisInputs& in)
{
    Json interestRates = Json::array();
    Json dividendRates = Json::array();
    Json bracketStarts = Json::array();
    for (const TaxBracket& bracket : in.taxTable) {
        interestRates.push_back(bracket.interestRate);
        dividendRates.push_back(bracket.dividendRate);
        bracketStarts.push_back(bracket.start);
    }
    return {{"tax_rate", in.taxRate},
            {"interest_rate", in.interestRate},
            {"savings_period", in.savingsPeriod},
            {"returns", in.returns},
            {"times_repeated", in.timesRepeated},
            {"breakdown", in.breakdown},
            {"investment_type", in.investmentType},
            {"other_unleveraged", in.otherUnleveraged},
            {"inclusion_rate", in.capGainsInclusionRate},
            {"federal_ratio", in.federalToMarginalRatio},
            {"fed_limited", in.fedLimited},
            {"prov_limited", in.provLimited},
            {"fed_deductible", in.fedDeductible},
            {"prov_deductible", in.provDeductible},
            {"fed_include_cg", in.fedIncludeCG},
            {"prov_include_cg", in.provIncludeCG},
            {"interest_tax_rates", interestRates},
            {"dividend_tax_rates", dividendRates},
            {"tax_bracket_starts", bracketStarts}};
}

// Percentiles under their names: p10, p25, p50, p75, p90.
Json jsonPercentiles(const Percentiles& values)
{
    Json object = Json::object();
    for (size_t i = 0; i < values.size(); ++i)
        object["p" + std::to_string(kOutcomePercentiles[i])] = values[i];
    return object;
}

} // namespace

void WriteRiskJson(std::ostream& out, const RiskReport& report)
{
    const OutcomeResults& r = report.results;
    Json series = Json::object();
    for (const OutcomeSeries& s : r.series) {
        Json years = Json::array();
        for (size_t y = 0; y < s.percentiles.size(); ++y) {
            Json year = {{"year", static_cast<int>(y) + 1}};
            year.update(jsonPercentiles(s.percentiles[y]));
            years.push_back(std::move(year));
        }
        series[std::string(s.key)] = std::move(years);
    }
    // The thread count is left out: the figures never depend on it.
    const Json document = {
        {"strategy", StrategyName(report.strategy)},
        {"horizon", r.horizon},
        {"options", {{"volatility", report.options.volatility}, {"paths", r.paths}, {"seed", r.seed}}},
        {"loan_amount", report.inputs.loanAmount},
        {"mean_return", r.mean_return},
        {"volatility", r.volatility},
        {"probability_behind", r.probability_behind},
        {"probability_underwater", r.probability_underwater},
        {"difference_at_horizon", jsonPercentiles(r.difference_at_horizon)},
        {"series", std::move(series)},
        {"inputs", jsonInputs(report.inputs)},
        {"language", LanguageName(report.language)},
        {"sentences", report.sentences},
    };
    out << document.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
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

    const Json document = {
        {"strategy", StrategyName(report.strategy)},
        {"horizon", horizon},
        {"loan_amount", loanAmount},
        {"annual_investment", report.annualInvestment ? Json(*report.annualInvestment) : Json(nullptr)},
        {"break_even_return", jsonReturn(parts.breakEven)},
        {"returns", jsonReturns(parts.returns)},
        {"summary", parts.summary},
        {"projection", {{"return", jsonReturn(parts.returns[0])}, {"years", parts.years}}},
        {"remaining_deductions", parts.remaining},
        {"rrsp_at_loan_rate", parts.atLoanRate},
        {"inputs", jsonInputs(report.inputs)},
        {"language", LanguageName(report.language)},
        {"notes", report.notes},
    };
    // Captions are read as UTF-8 already; a stray byte is replaced rather
    // than stopping the output.
    out << document.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
}

} // namespace gw::cli
