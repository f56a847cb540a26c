#pragma once

#include "analyze_report.h"
#include "risk_report.h"

#include <ostream>

namespace gw::cli {

// The summary table, a blank line, then the projection table: each a header
// row of column names (the JSON keys) and one row per line, numbers written
// with a point and no grouping (the shortest text that reads back exactly),
// flags as true/false, lines ended by "\n". The notes and the inputs are
// left out: a CSV reader expects tables, and the JSON carries both.
void WriteAnalysisCsv(std::ostream& out, const AnalyzeReport& report);

// The range of outcomes: a header row "year", then <series>_p10 ..
// <series>_p90 for each series in order, one row per year; a blank line;
// then the horizon figures under their names (horizon, paths, seed,
// volatility and mean_return as fractions, probability_behind,
// probability_underwater, difference_p10 .. difference_p90) in one row.
// No sentences.
void WriteRiskCsv(std::ostream& out, const RiskReport& report);

} // namespace gw::cli
