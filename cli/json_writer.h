#pragma once

#include "analyze_report.h"

#include <ostream>
#include <string>

namespace gw::cli {

// A number as JSON: 17 significant digits (reads back as the same double),
// "null" for NaN or infinity, which a valid document cannot hold.
std::string JsonNumber(double value);

// One JSON object with the keys strategy, horizon, loan_amount,
// annual_investment, break_even_return, returns, summary, projection,
// remaining_deductions and rrsp_at_loan_rate; a missing return is null.
void WriteAnalysisJson(std::ostream& out, const AnalyzeReport& report);

} // namespace gw::cli
