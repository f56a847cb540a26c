#include "csv_writer.h"

#include "csv.h"
#include "numformat.h"

#include <string>
#include <vector>
#include <type_traits>

namespace gw::cli {

namespace {

std::string csvValue(double value) { return ShortestDecimal(value); }
std::string csvValue(int value) { return std::to_string(value); }
std::string csvValue(bool value) { return value ? "true" : "false"; }

template <typename Row, size_t N>
void writeTable(std::ostream& out, const std::vector<Row>& rows, const std::array<Field<Row>, N>& fields)
{
    std::vector<std::string> record;
    for (size_t i = 0; i < N; ++i)
        record.emplace_back(fields[i].key);
    out << CsvRecord(record) << '\n';
    for (const Row& row : rows) {
        record.clear();
        for (size_t i = 0; i < N; ++i)
            VisitField(row, fields[i], [&](auto value) { record.push_back(csvValue(value)); });
        out << CsvRecord(record) << '\n';
    }
}

template <typename Row, size_t N, typename Keep>
void writeSummary(std::ostream& out, const auto& summary, const std::array<Field<Row>, N>& fields, Keep keep)
{
    std::vector<Row> rows;
    for (const Row& row : summary) {
        if (keep(row))
            rows.push_back(row);
    }
    writeTable(out, rows, fields);
}

} // namespace

void WriteRiskCsv(std::ostream& out, const RiskReport& report)
{
    const OutcomeResults& r = report.results;
    std::vector<std::string> record{"year"};
    for (const OutcomeSeries& s : r.series) {
        for (int p : kOutcomePercentiles)
            record.push_back(std::string(s.key) + "_p" + std::to_string(p));
    }
    out << CsvRecord(record) << '\n';
    for (int y = 0; y < r.horizon; ++y) {
        record = {std::to_string(y + 1)};
        for (const OutcomeSeries& s : r.series) {
            for (double value : s.percentiles.at(static_cast<size_t>(y)))
                record.push_back(csvValue(value));
        }
        out << CsvRecord(record) << '\n';
    }
    out << '\n';
    record = {"horizon", "paths", "seed", "volatility", "mean_return", "probability_behind", "probability_underwater"};
    for (int p : kOutcomePercentiles)
        record.push_back("difference_p" + std::to_string(p));
    out << CsvRecord(record) << '\n';
    record = {std::to_string(r.horizon), std::to_string(r.paths), std::to_string(r.seed), csvValue(r.volatility),
              csvValue(r.mean_return), csvValue(r.probability_behind), csvValue(r.probability_underwater)};
    for (double value : r.difference_at_horizon)
        record.push_back(csvValue(value));
    out << CsvRecord(record) << '\n';
}

void WriteAnalysisCsv(std::ostream& out, const AnalyzeReport& report)
{
    std::visit(
        [&](const auto& r) {
            using R = std::decay_t<decltype(r)>;
            if constexpr (std::is_same_v<R, RRSPResults>) {
                writeSummary(out, r.summary, kRRSPSummaryFields, HasReturn);
                out << '\n';
                writeTable(out, r.projection, kRRSPYearFields);
            } else {
                writeSummary(out, r.summary, kSummaryFields,
                             [](const SummaryRow& row) { return row.return_ != NoReturn; });
                out << '\n';
                if constexpr (std::is_same_v<R, IntOnlyResults>)
                    writeTable(out, r.projection, kIntOnlyYearFields);
                else
                    writeTable(out, r.projection, kTermYearFields);
            }
        },
        report.results);
}

} // namespace gw::cli
