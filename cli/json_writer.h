#pragma once

#include "analyze_report.h"

#include <ostream>
#include <string>
#include <string_view>

namespace gw::cli {

// A number as JSON: 17 significant digits (reads back as the same double),
// "null" for NaN or infinity, which a valid document cannot hold.
std::string JsonNumber(double value);

// A JSON string literal: quotes, backslashes and control characters
// escaped (\r, \n, \t, \u00XX), every other byte kept, so UTF-8 stays
// UTF-8.
std::string JsonString(std::string_view text);

// One JSON object with the keys strategy, horizon, loan_amount,
// annual_investment, break_even_return, returns, summary, projection,
// remaining_deductions, rrsp_at_loan_rate, inputs (every input in the units
// of its option: per cent as typed), language ("en" or "fr") and notes; a
// missing return is null.
void WriteAnalysisJson(std::ostream& out, const AnalyzeReport& report);

} // namespace gw::cli
