#pragma once

#include "analyze_report.h"
#include "risk_report.h"

#include <ostream>

namespace gw::cli {

// One JSON object with the keys strategy, horizon, loan_amount,
// annual_investment, break_even_return, returns, summary, projection,
// remaining_deductions, rrsp_at_loan_rate, inputs (every input in the units
// of its option: per cent as typed), language ("en" or "fr") and notes; a
// missing return, NaN or infinity is null.
void WriteAnalysisJson(std::ostream& out, const AnalyzeReport& report);

// One JSON object with the keys strategy, horizon, options (volatility in
// per cent, paths, seed), loan_amount, mean_return and volatility
// (fractions), probability_behind, probability_underwater (fractions),
// difference_at_horizon and series (each series' key: one object per year
// with year, p10, p25, p50, p75, p90, dollars), inputs (as analyze),
// language and sentences.
void WriteRiskJson(std::ostream& out, const RiskReport& report);

} // namespace gw::cli
