#include "finance.h"

#include "error.h"

#include <cmath>
#include <string>

namespace gw {

namespace {

void requirePeriods(int periods)
{
    if (periods < 1)
        throw AnalysisError("a loan needs at least 1 year (got " + std::to_string(periods) + ")");
}

double finite(double value, const char* what)
{
    if (!std::isfinite(value))
        throw AnalysisError(std::string(what) + " is not a finite number");
    return value;
}

// (1 - (1 + i)^-n) / i, the present value of 1 paid at each year end.
double annuityFactor(double rate, int periods)
{
    if (rate == 0)
        return periods;
    return (1 - std::pow(1 + rate, -periods)) / rate;
}

} // namespace

double Pmt(double rate, int periods, double principal)
{
    requirePeriods(periods);
    return finite(std::fabs(principal / annuityFactor(rate, periods)), "the loan payment");
}

double Pv(double rate, int periods, double payment)
{
    requirePeriods(periods);
    return finite(std::fabs(payment * annuityFactor(rate, periods)), "the present value");
}

double AnnuityDueFactor(double rate, int periods)
{
    requirePeriods(periods);
    return finite(annuityFactor(rate, periods) * (1 + rate), "the annuity factor");
}

} // namespace gw
