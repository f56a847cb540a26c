#pragma once

namespace gw {

// Level end-of-year payment that repays `principal` over `periods` years at
// `rate` (fraction); principal / periods at a rate of 0. Returned positive.
// Throws AnalysisError for periods < 1 or a result that is not finite.
double Pmt(double rate, int periods, double principal);

// Present value of `periods` end-of-year payments of `payment` at `rate`;
// payment * periods at a rate of 0. Returned positive.
double Pv(double rate, int periods, double payment);

// Present value of 1 paid at the start of each of `periods` years:
// (1 - (1 + i)^-n) * (1 + i) / i, and n at a rate of 0.
double AnnuityDueFactor(double rate, int periods);

} // namespace gw
