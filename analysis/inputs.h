#pragma once

#include <array>
#include <cstddef>
#include <optional>

namespace gw {

// Strategy index: the row of the strategy list.
enum class Strategy : int { InterestOnly = 0, TermLoan = 1, RRSP = 2 };

// Every strategy, in index order.
inline constexpr std::array<Strategy, 3> kStrategies{Strategy::InterestOnly, Strategy::TermLoan, Strategy::RRSP};

// The strategy's number, for what is numbered by strategy: a list row, a
// caption key, a help topic, a file, an array of per-strategy controls.
constexpr int Index(Strategy strategy) { return static_cast<int>(strategy); }

// The strategy numbered `index`, or none for a number that names none.
constexpr std::optional<Strategy> StrategyFromIndex(int index)
{
    if (index < 0 || index >= static_cast<int>(kStrategies.size()))
        return std::nullopt;
    return kStrategies[static_cast<std::size_t>(index)];
}

// Marks a return slot that holds no return (a failed break-even search).
inline constexpr double NoReturn = -999;

// One row of the setup dialog's tax table, in the units the dialog shows:
// bracket start in dollars, rates in per cent.
struct TaxBracket {
    double start = 0;
    double interestRate = 0;
    double dividendRate = 0;

    bool operator==(const TaxBracket&) const = default;
};

// The values of the windows that an analysis reads, in the units the fields
// hold them: per cent as typed (8 for 8 %), dollars, years. The strategies
// divide by 100 and round where the model says so.
struct AnalysisInputs {
    double loanAmount = 0;          // dollars
    double annualInvestment = 0;    // dollars; kept consistent by the window
    double taxRate = 0;             // per cent
    double interestRate = 0;        // per cent, the loan's
    double savingsPeriod = 0;       // years
    std::array<double, 4> returns{};  // per cent, the four projected returns
    double projectionReturn = 0;    // per cent
    // Breakdown of the gross return in per cent, in the order deferred capital
    // gains, capital gains, dividends, interest; meant to total 100.
    std::array<double, 4> breakdown{};
    double timesRepeated = 0;       // term and RRSP loans only
    int investmentType = 0;         // 0 "100%", 1 "1:1" .. 4 "4:1"
    double otherUnleveraged = 0;    // dollars

    // Tax settings of the setup dialog.
    double capGainsInclusionRate = 0;   // per cent
    double federalToMarginalRatio = 0;  // per cent
    bool fedLimited = false;
    bool provLimited = false;
    double fedDeductible = 0;           // per cent of the interest
    double provDeductible = 0;          // per cent of the interest
    bool fedIncludeCG = true;
    bool provIncludeCG = true;
    double fedExpenses = 0;             // per cent; not read by the strategies
    double provExpenses = 0;            // per cent; not read by the strategies
    std::array<TaxBracket, 4> taxTable{};  // row 0 is the lowest bracket

    bool operator==(const AnalysisInputs&) const = default;
};

// Breakdown index names, in the stored order.
enum BreakdownPart : int { kDeferredCapGains = 0, kCapGains = 1, kDividends = 2, kInterest = 3 };

// The investment-mix presets, in the order of the window's choices (regular
// equity, tax-efficient, deferred capital gains, balanced, dividend, fixed
// income): deferred capital gains, capital gains, dividends, interest, whole
// per cent.
inline constexpr std::array<std::array<double, 4>, 6> kInvestmentTypePresets{{
    {70, 25, 5, 0},
    {95, 5, 0, 0},
    {100, 0, 0, 0},
    {40, 10, 20, 30},
    {40, 10, 50, 0},
    {0, 0, 0, 100},
}};

// Federal share of the marginal rate, as fractions; the two add up to the
// tax rate.
double FedTaxRate(const AnalysisInputs& in);
double ProvTaxRate(const AnalysisInputs& in);

// Dividend tax rate (fraction) that the four-row tax table gives for the
// marginal rate; the bracket starts play no part.
double DivTaxRate(const AnalysisInputs& in);

// (own margin money + other unleveraged investments) / loan amount.
// Throws AnalysisError when the loan amount is not above 0.
double OtherInvestRatio(double loanAmount, int investmentType, double otherUnleveraged);
// Own margin money per dollar of loan: 1 / k for a k:1 loan, 0 for "100%".
double OwnMoneyPerLoanDollar(int investmentType);

} // namespace gw
