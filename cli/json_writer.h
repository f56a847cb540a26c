#pragma once

#include "analyze_report.h"

#include <ostream>

namespace gw::cli {

// One JSON object with the keys strategy, horizon, loan_amount,
// annual_investment, break_even_return, returns, summary, projection,
// remaining_deductions, rrsp_at_loan_rate, inputs (every input in the units
// of its option: per cent as typed), language ("en" or "fr") and notes; a
// missing return, NaN or infinity is null.
void WriteAnalysisJson(std::ostream& out, const AnalyzeReport& report);

} // namespace gw::cli
