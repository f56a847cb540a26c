#pragma once

#include "analyze_report.h"

#include <ostream>

namespace gw::cli {

// The summary table, a blank line, then the projection table: each a header
// row of column names (the JSON keys) and one row per line, numbers written
// with a point and no grouping (the shortest text that reads back exactly),
// flags as true/false, lines ended by "\n". The notes and the inputs are
// left out: a CSV reader expects tables, and the JSON carries both.
void WriteAnalysisCsv(std::ostream& out, const AnalyzeReport& report);

} // namespace gw::cli
