#pragma once

#include "inputs.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

// The range of outcomes: the selected strategy run over many paths of yearly
// returns that vary around the projection return, summarised by percentiles.
// The fixed returns of the summary say what happens if a return holds every
// year; these say how wide the results spread when it does not. No Qt.
namespace gw {

inline constexpr std::uint64_t kDefaultOutcomeSeed = 20261206;
inline constexpr int kDefaultOutcomePaths = 10000;
inline constexpr int kMinOutcomePaths = 100;
inline constexpr int kMaxOutcomePaths = 100000;
inline constexpr double kMaxVolatility = 50;  // per cent

// What a simulation is asked for. Volatility is in per cent, as the field
// holds it (16 for 16 %).
struct OutcomeOptions {
    double volatility = 16;  // standard deviation of a year's return, per cent
    int paths = kDefaultOutcomePaths;
    std::uint64_t seed = kDefaultOutcomeSeed;  // unless the user changes it
    int threads = 0;         // 0: one per core; the figures never depend on it

    bool operator==(const OutcomeOptions&) const = default;
};

// The percentiles reported, in this order.
inline constexpr std::array<int, 5> kOutcomePercentiles{10, 25, 50, 75, 90};
using Percentiles = std::array<double, 5>;

// The volatility (per cent) an investment mix starts with: the preset's own
// for a preset breakdown (kInvestmentTypePresets), otherwise a blend of the
// equity figure for the parts that are not interest and the fixed-income
// figure for the interest part.
double DefaultVolatility(const std::array<double, 4>& breakdown);

// One value followed year by year: percentiles[y - 1] are its percentiles at
// the end of year y, for y = 1..horizon. Dollars.
struct OutcomeSeries {
    std::string_view key;  // "leveraged", "unleveraged", "difference"; RRSP:
                           // "catch_up", "spend_refund", "reinvest_refund",
                           // "gross_up", "difference"
    std::vector<Percentiles> percentiles;

    bool operator==(const OutcomeSeries&) const = default;
};

// What a simulation leaves: numbers only, formatted by the reader. Rates and
// probabilities are fractions.
//
// Interest-only and term loans: "leveraged" is the leveraged value net of
// repaying the loan (as the summary's leveraged column), "unleveraged" the
// unleveraged balance, "difference" leveraged minus unleveraged, each path's
// own difference. RRSP loans: the catch-up plan and the three contribution
// plans, and "difference" the catch-up plan minus the plan with the
// contribution grossed up by the refund (the same after-tax outlay).
struct OutcomeResults {
    Strategy strategy = Strategy::InterestOnly;
    int horizon = 0;            // years
    int paths = 0;
    double mean_return = 0;     // fraction: the projection return
    double volatility = 0;      // fraction
    std::uint64_t seed = 0;
    std::vector<OutcomeSeries> series;  // in the order of the keys above
    // At the horizon: the share of paths on which leverage ends behind
    // (difference below 0), and the share on which the leveraged net value
    // (RRSP: the catch-up plan less the loan still owed) is below 0 at the
    // end of any year.
    double probability_behind = 0;
    double probability_underwater = 0;
    Percentiles difference_at_horizon{};

    bool operator==(const OutcomeResults&) const = default;
    // The series named `key`; null when there is none.
    const OutcomeSeries* find(std::string_view key) const;
};

// Called now and then from the worker threads with the paths done so far,
// one call at a time; returns false to cancel. May be empty.
using OutcomeProgress = std::function<bool(int done, int total)>;

// Runs `strategy` on `in` over options.paths paths of yearly returns drawn
// independently from the lognormal distribution whose arithmetic mean is the
// projection return and whose standard deviation is the volatility. Path k
// draws from its own stream of the seed, so the same inputs, seed and path
// count give the same figures on any number of threads; at volatility 0
// every path is the deterministic projection at the projection return. A
// drawn return below -99 % counts as -99 % (a unit price must stay above 0);
// a path whose analysis still fails fails the run, naming the path.
// Throws AnalysisError for inputs the deterministic analysis refuses and for
// options out of range; nullopt when `progress` cancelled. Holds every path's
// yearly values while it runs: paths x horizon x 16 bytes (RRSP 32), 256 MB
// at the most.
std::optional<OutcomeResults> SimulateOutcomes(Strategy strategy, const AnalysisInputs& in,
                                               const OutcomeOptions& options, const OutcomeProgress& progress = {});

} // namespace gw
