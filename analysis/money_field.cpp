#include "money_field.h"

#include "error.h"
#include "finance.h"
#include "numformat.h"
#include "rrsp.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace gw {

namespace {

std::optional<double> finiteOrNone(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

// Whole years, halves to even, as the analysis reads the savings period;
// none outside the 1 to 80 years a projection can cover.
std::optional<int> loanYears(const AnalysisInputs& in)
{
    const double whole = RoundHalfToEven(in.savingsPeriod);
    if (!(whole >= 1 && whole <= kMaxPeriods))
        return std::nullopt;
    return static_cast<int>(whole);
}

// The level-payment factors lose their meaning at -100 % or below.
bool usableRate(double rate) { return std::isfinite(rate) && rate > -1; }

// The interest-only cost of a loan L is, for one choice of deduction per
// jurisdiction, (r - perDollar) L - fixed: the interest less the savings.
struct Combination {
    double perDollar{};
    double fixed{};
};

std::array<Combination, 4> intOnlyCombinations(const AnalysisInputs& in)
{
    const double r = in.interestRate / 100;
    const double g = in.capGainsInclusionRate / 100;
    const double returnR = RoundHalfAwayFromZero(in.returns[2]) / 100;
    const double cg = in.breakdown[kCapGains] / 100;
    const double dv = in.breakdown[kDividends] / 100;
    const double ir = in.breakdown[kInterest] / 100;
    const double e = OwnMoneyPerLoanDollar(in.investmentType);
    const double other = RoundHalfAwayFromZero(in.otherUnleveraged);

    struct Jurisdiction {
        double tax;
        bool limited;
        double deductible;  // fraction of the interest
        bool includeCG;
    };
    const Jurisdiction fed{FedTaxRate(in), in.fedLimited, in.fedDeductible / 100, in.fedIncludeCG};
    const Jurisdiction prov{ProvTaxRate(in), in.provLimited, in.provDeductible / 100, in.provIncludeCG};

    // Candidate 0 deducts the interest, candidate 1 is capped by the
    // investment income (the same as candidate 0 when not limited).
    const auto candidate = [&](const Jurisdiction& j, int which) {
        const double d = j.limited ? r : j.deductible * r;
        Combination c{j.tax * d, 0};
        if (which == 1 && j.limited) {
            const double yield = returnR * (ir + 1.25 * dv + (j.includeCG ? g * cg : 0));
            c = {j.tax * yield * (1 + e), j.tax * yield * other};
        }
        return c;
    };

    std::array<Combination, 4> combos;
    for (int f = 0; f < 2; ++f) {
        for (int p = 0; p < 2; ++p) {
            const Combination a = candidate(fed, f);
            const Combination b = candidate(prov, p);
            combos[f * 2 + p] = {a.perDollar + b.perDollar, a.fixed + b.fixed};
        }
    }
    return combos;
}

double intOnlyCost(const std::array<Combination, 4>& combos, double r, double loan)
{
    double cost = -INFINITY;
    for (const Combination& c : combos)
        cost = std::max(cost, (r - c.perDollar) * loan - c.fixed);
    return cost;
}

std::optional<double> intOnlyAnnualInvestment(const AnalysisInputs& in)
{
    const double loan = RoundHalfAwayFromZero(in.loanAmount);
    return finiteOrNone(intOnlyCost(intOnlyCombinations(in), in.interestRate / 100, loan));
}

std::optional<double> intOnlyLoanAmount(const AnalysisInputs& in)
{
    const double r = in.interestRate / 100;
    const double annual = RoundHalfAwayFromZero(in.annualInvestment);
    const auto combos = intOnlyCombinations(in);
    // Each combination whose cost grows with the loan caps the loan at the
    // amount where it costs `annual`; the others never reach it. The smallest
    // cap is where the largest cost, the real one, first equals `annual`.
    std::optional<double> loan;
    for (const Combination& c : combos) {
        const double slope = r - c.perDollar;
        if (!(slope > 0))
            continue;
        const double cap = (annual + c.fixed) / slope;
        if (!loan || cap < *loan)
            loan = cap;
    }
    if (!loan || !std::isfinite(*loan) || *loan < 0)
        return std::nullopt;
    // Negative income yields can leave a combination that never grows above
    // `annual`; make sure the amount found really costs it.
    double scale = std::max(1.0, std::fabs(annual));
    for (const Combination& c : combos)
        scale = std::max(scale, std::fabs(c.fixed));
    const double cost = intOnlyCost(combos, r, *loan);
    if (!(std::fabs(cost - annual) <= 1e-9 * scale))
        return std::nullopt;
    return loan;
}

// A term or RRSP loan's figure calc(r, n, t) from the loan rate, the whole
// years and the tax rate; none when one of them cannot be used (the tax rate
// only for RRSP loans) or the figure fails.
template <typename Calc>
std::optional<double> amortisedFigure(const AnalysisInputs& in, bool rrsp, Calc calc)
{
    const auto n = loanYears(in);
    const double r = in.interestRate / 100;
    const double t = in.taxRate / 100;
    if (!n || !usableRate(r) || (rrsp && !(t < 1)))
        return std::nullopt;
    try {
        return finiteOrNone(calc(r, *n, t));
    } catch (const AnalysisError&) {
        return std::nullopt;
    }
}

} // namespace

std::optional<double> setAnnualInvestment(Strategy strategy, const AnalysisInputs& in)
{
    const double loan = RoundHalfAwayFromZero(in.loanAmount);
    switch (strategy) {
    case Strategy::InterestOnly:
        return intOnlyAnnualInvestment(in);
    case Strategy::TermLoan:
        return amortisedFigure(in, false, [&](double r, int n, double) { return Pmt(r, n, loan); });
    case Strategy::RRSP:
        return amortisedFigure(in, true, [&](double r, int n, double t) { return RRSPPayment(loan, t, r, n); });
    }
    return std::nullopt;
}

std::optional<double> setLoanAmount(Strategy strategy, const AnalysisInputs& in)
{
    const double annual = RoundHalfAwayFromZero(in.annualInvestment);
    switch (strategy) {
    case Strategy::InterestOnly:
        return intOnlyLoanAmount(in);
    case Strategy::TermLoan:
        return amortisedFigure(in, false, [&](double r, int n, double) { return Pv(r, n, annual); });
    case Strategy::RRSP:
        return amortisedFigure(in, true,
                               [&](double r, int n, double t) { return annual * AnnuityDueFactor(r, n) / (1 - t); });
    }
    return std::nullopt;
}

namespace {

// Bisection over whole dollars from 1 to `amount` for the last one whose
// dependent amount qualifies.
template <class Dependent>
std::optional<double> lastQualifying(double amount, double most, Dependent dependent)
{
    const auto qualifies = [&](double x) {
        const std::optional<double> d = dependent(x);
        return d && RoundHalfAwayFromZero(*d) <= most;
    };
    double low = 1;
    if (!qualifies(low))
        return std::nullopt;
    double high = std::floor(std::min(amount, 1e300));
    if (high <= low || qualifies(high))
        return std::max(low, high);
    while (high - low > 1) {
        const double middle = std::floor(low + (high - low) / 2);
        (qualifies(middle) ? low : high) = middle;
    }
    return low;
}

} // namespace

std::optional<double> MostLoanAmountWithin(Strategy strategy, const AnalysisInputs& in, double most)
{
    AnalysisInputs trial = in;
    return lastQualifying(RoundHalfAwayFromZero(in.loanAmount), most, [&](double loan) {
        trial.loanAmount = loan;
        return setAnnualInvestment(strategy, trial);
    });
}

std::optional<double> MostAnnualInvestmentWithin(Strategy strategy, const AnalysisInputs& in, double most)
{
    AnalysisInputs trial = in;
    return lastQualifying(RoundHalfAwayFromZero(in.annualInvestment), most, [&](double annual) {
        trial.annualInvestment = annual;
        return setLoanAmount(strategy, trial);
    });
}

} // namespace gw
