#pragma once

#include "inputs.h"

#include <optional>

// The money field that depends on the other: the after-tax annual investment
// that goes with a loan amount, and the loan amount that goes with an annual
// investment, for each strategy. Both read the loan amount and the annual
// investment as whole dollars (halves away from zero), the savings period as
// whole years (halves to even) and the rates in per cent as AnalysisInputs
// holds them. Results are dollars, unrounded.
//
// std::nullopt means that no amount answers: a savings period below 1 year,
// a rate that makes the level-payment factor meaningless (-100 % or below),
// for RRSP loans a tax rate of 100 % or more, and for the interest-only loan
// an annual investment that no loan amount costs (for instance when the
// interest is entirely offset by the deductions, or the amount is negative).
// Nothing here throws, and a value returned is always finite.
namespace gw {

// Term: |PMT(r, n, L)|, the level end-of-year payment repaying L.
// RRSP: (1 - t) L / A, A the start-of-year annuity factor (n at r = 0).
// Interest-only: the yearly interest L r less the smaller allowed deduction in
// each jurisdiction, the largest cost over the four combinations.
std::optional<double> setAnnualInvestment(Strategy strategy, const AnalysisInputs& in);

// The inverse of setAnnualInvestment for the annual investment in `in`.
// Interest-only: the loan amount whose cost is exactly that investment; only
// the deduction combinations whose cost grows with the loan bound it.
std::optional<double> setLoanAmount(Strategy strategy, const AnalysisInputs& in);

// The largest whole loan amount from $1 to the one in `in` whose annual
// investment shows at most `most` in whole dollars; nullopt when not even $1
// qualifies. The annual investment never falls as the loan grows, so the
// amounts that qualify run from $1 up to the answer.
std::optional<double> MostLoanAmountWithin(Strategy strategy, const AnalysisInputs& in, double most);

// The same for a typed annual investment and the loan amount it asks for.
std::optional<double> MostAnnualInvestmentWithin(Strategy strategy, const AnalysisInputs& in, double most);

} // namespace gw
