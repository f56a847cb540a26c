// The range of outcomes: the simulation against the deterministic analysis,
// its independence from the thread count, and the law of its draws.
#include "dispatch.h"
#include "error.h"
#include "outcome_draws.h"
#include "outcome_percentiles.h"
#include "outcomes.h"
#include "scenario.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

namespace gw {
namespace {

const test::Tokens kCases[] = {
    {"intonly"},
    {"intonly", "fedLimited", "provLimited", "years=25", "type=2", "other=20000"},
    {"term", "repeats=1"},
    {"term", "years=7", "repeats=2", "fedLimited", "rate=0"},
    {"rrsp", "repeats=1", "loan=20000"},
    {"rrsp", "years=2.5", "repeats=1", "loan=20000"},  // the horizon runs past the loans
};

OutcomeResults simulate(const test::Scenario& s, OutcomeOptions options)
{
    std::optional<OutcomeResults> results = SimulateOutcomes(s.strategy, s.in, options);
    EXPECT_TRUE(results.has_value());
    return results.value_or(OutcomeResults{});
}

void expectAll(const OutcomeSeries* series, int year, double value)
{
    ASSERT_NE(series, nullptr);
    for (double p : series->percentiles[year - 1])
        EXPECT_EQ(p, value) << series->key << " year " << year;
}

TEST(Outcomes, volatilityZeroIsTheProjection)
{
    for (const test::Tokens& words : kCases) {
        const test::Scenario s = test::ParseScenario(words);
        SCOPED_TRACE(::testing::PrintToString(words));
        const OutcomeResults r = simulate(s, {.volatility = 0, .paths = kMinOutcomePaths, .threads = 2});
        const AnalysisResults deterministic = test::Run(s);
        bool behind = false, underwater = false;
        if (s.strategy == Strategy::RRSP) {
            const auto& rows = std::get<RRSPResults>(deterministic).projection;
            ASSERT_EQ(r.horizon, static_cast<int>(rows.size()));
            for (const RRSPProjectionYear& row : rows) {
                expectAll(r.find("catch_up"), row.year, row.catch_up_balance);
                expectAll(r.find("spend_refund"), row.year, row.spend_balance);
                expectAll(r.find("reinvest_refund"), row.year, row.reinvest_balance);
                expectAll(r.find("gross_up"), row.year, row.gross_up_balance);
                expectAll(r.find("difference"), row.year, row.catch_up_balance - row.gross_up_balance);
            }
            behind = rows.back().catch_up_balance < rows.back().gross_up_balance;
        } else {
            std::visit(
                [&](const auto& res) {
                    if constexpr (!std::is_same_v<std::decay_t<decltype(res)>, RRSPResults>) {
                        ASSERT_EQ(r.horizon, static_cast<int>(res.projection.size()));
                        for (const auto& row : res.projection) {
                            expectAll(r.find("leveraged"), row.year, row.net_balance_payoff);
                            expectAll(r.find("unleveraged"), row.year, row.unleveraged_balance);
                            expectAll(r.find("difference"), row.year, row.increase);
                            underwater = underwater || row.net_balance_payoff < 0;
                        }
                        behind = res.projection.back().increase < 0;
                    }
                },
                deterministic);
        }
        EXPECT_EQ(r.series.back().percentiles.back(), r.difference_at_horizon);
        EXPECT_EQ(r.probability_behind, behind ? 1 : 0);
        EXPECT_EQ(r.probability_underwater, underwater ? 1 : 0);
        EXPECT_EQ(r.mean_return, s.in.projectionReturn / 100);
    }
}

TEST(Outcomes, sameSeedSameFiguresOnAnyThreadCountAndPercentilesInOrder)
{
    for (const test::Tokens& words : kCases) {
        const test::Scenario s = test::ParseScenario(words);
        SCOPED_TRACE(::testing::PrintToString(words));
        const OutcomeOptions options{.volatility = 20, .paths = 1000, .seed = 7, .threads = 1};
        const OutcomeResults one = simulate(s, options);
        EXPECT_EQ(simulate(s, {.volatility = 20, .paths = 1000, .seed = 7, .threads = 2}), one);
        EXPECT_NE(simulate(s, {.volatility = 20, .paths = 1000, .seed = 8, .threads = 2}), one);
        EXPECT_EQ(one.series.size(), s.strategy == Strategy::RRSP ? 5u : 3u);
        for (const OutcomeSeries& series : one.series) {
            ASSERT_EQ(static_cast<int>(series.percentiles.size()), one.horizon);
            for (const Percentiles& p : series.percentiles) {
                for (std::size_t i = 1; i < p.size(); ++i)
                    EXPECT_LE(p[i - 1], p[i]) << series.key;
            }
            // The paths do spread (the first year's outlay may not).
            EXPECT_LT(series.percentiles.back().front(), series.percentiles.back().back()) << series.key;
        }
        EXPECT_GT(one.probability_behind, 0);
        EXPECT_LT(one.probability_behind, 1);
    }
}

// The draws' sample mean and standard deviation against the law's, within
// four of their standard errors (from the sample's own moments).
TEST(OutcomeDraws, meanAndDeviationMatchTheInputs)
{
    constexpr int kYears = 80, kPaths = 2500;  // 200,000 draws
    const std::pair<double, double> laws[] = {{0.08, 0.16}, {0.05, 0.05}, {0.03, 0.5}, {-0.2, 0.3}};
    for (const auto& [mean, volatility] : laws) {
        SCOPED_TRACE(::testing::Message() << mean << " " << volatility);
        const draws::ReturnLaw law = draws::MakeReturnLaw(mean, volatility);
        std::vector<double> r;
        YearArray path{};
        for (int p = 0; p < kPaths; ++p) {
            draws::DrawPathReturns(law, kDefaultOutcomeSeed, p, kYears, path);
            r.insert(r.end(), path.begin() + 1, path.begin() + 1 + kYears);
        }
        const double n = static_cast<double>(r.size());
        double m = 0;
        for (double x : r)
            m += x / n;
        double m2 = 0, m4 = 0;
        for (double x : r) {
            m2 += (x - m) * (x - m) / n;
            m4 += std::pow(x - m, 4) / n;
        }
        const double sd = std::sqrt(m2);
        EXPECT_NEAR(m, mean, 4 * sd / std::sqrt(n));
        EXPECT_NEAR(sd, volatility, 4 * std::sqrt((m4 - m2 * m2) / n) / (2 * sd));
    }

    // No volatility: the mean itself, never drawn.
    draws::PathRandom random(1, 0);
    EXPECT_EQ(draws::DrawReturn(draws::MakeReturnLaw(0.0731, 0), random), 0.0731);
    // Far below 0 the floor keeps a unit price above 0.
    const draws::ReturnLaw steep = draws::MakeReturnLaw(-0.9, 0.5);
    int floored = 0;
    for (int i = 0; i < 10000; ++i) {
        const double x = draws::DrawReturn(steep, random);
        EXPECT_GE(x, draws::kReturnFloor);
        floored += x == draws::kReturnFloor;
    }
    EXPECT_GT(floored, 0);
}

// The selection against a full sort, on the shapes a year's values take:
// tight or spread, ties, signed zeros, a few huge outliers.
TEST(OutcomePercentiles, interpolateBetweenTheSortedValues)
{
    draws::PathRandom random(3, 0);
    outcome::RankSelector selector;
    for (int shape = 0; shape < 6; ++shape) {
        for (int n : {kMinOutcomePaths, 513, 10001}) {
            SCOPED_TRACE(::testing::Message() << "shape " << shape << ", " << n << " values");
            std::vector<double> v(static_cast<std::size_t>(n));
            for (double& x : v) {
                const double z = random.normal();
                x = shape == 0   ? 1e5 * std::exp(z)
                    : shape == 1 ? 1e5 * (1 + 1e-9 * z)
                    : shape == 2 ? std::round(z)
                    : shape == 3 ? (z < 0 ? -0.0 : 0.0)
                    : shape == 4 ? z * 1e-310
                                 : (random.uniform() < 0.01 ? 1e300 : -1e5 * std::exp(z));
            }
            const std::vector<double> before = v;
            const Percentiles p = outcome::PercentilesOf(v.data(), n, selector);
            EXPECT_EQ(v, before);
            std::sort(v.begin(), v.end());
            for (std::size_t i = 0; i < p.size(); ++i) {
                const double h = (n - 1) * kOutcomePercentiles[i] / 100.0;
                const auto low = static_cast<std::size_t>(h);
                const double high = v[std::min(low + 1, v.size() - 1)];
                EXPECT_NEAR(p[i], v[low] + (h - low) * (high - v[low]), 1e-9 * std::fabs(high - v[low]));
                EXPECT_GE(p[i], v[low]);
                EXPECT_LE(p[i], high);
            }
        }
    }
}

TEST(Outcomes, probabilityOfEndingBehindFollowsTheReturnAgainstTheLoanRate)
{
    for (const char* strategy : {"intonly", "term", "rrsp"}) {
        SCOPED_TRACE(strategy);
        const OutcomeOptions options{.volatility = 10, .paths = 2000};
        const OutcomeResults low =
            simulate(test::ParseScenario({strategy, "rate=12", "return=0", "years=20"}), options);
        const OutcomeResults high =
            simulate(test::ParseScenario({strategy, "rate=4", "return=25", "years=20"}), options);
        EXPECT_GT(low.probability_behind, 0.95);
        EXPECT_LT(high.probability_behind, 0.05);
        EXPECT_LE(high.probability_underwater, low.probability_underwater);
        EXPECT_LT(high.difference_at_horizon[0], high.difference_at_horizon[4]);
    }
}

// A steep loss at the widest volatility meets the return floor now and then
// over 80 years; every figure still comes out finite.
TEST(Outcomes, extremeReturnsStayFinite)
{
    for (const char* strategy : {"intonly", "term", "rrsp"}) {
        SCOPED_TRACE(strategy);
        const test::Scenario s = test::ParseScenario({strategy, "return=-60", "years=80", "repeats=0"});
        const OutcomeResults r = simulate(s, {.volatility = kMaxVolatility, .paths = 500});
        for (const OutcomeSeries& series : r.series) {
            for (const Percentiles& p : series.percentiles) {
                for (double v : p)
                    EXPECT_TRUE(std::isfinite(v)) << series.key;
            }
        }
        EXPECT_GT(r.probability_behind, 0.5);
    }
}

TEST(Outcomes, progressAndCancel)
{
    const test::Scenario s = test::ParseScenario({"term", "repeats=3"});
    const OutcomeOptions options{.paths = 5000, .threads = 2};
    std::vector<int> seen;
    ASSERT_TRUE(SimulateOutcomes(s.strategy, s.in, options, [&](int done, int total) {
                    EXPECT_EQ(total, 5000);
                    seen.push_back(done);
                    return true;
                }).has_value());
    ASSERT_FALSE(seen.empty());
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_EQ(seen.back(), 5000);

    int calls = 0;
    EXPECT_FALSE(SimulateOutcomes(s.strategy, s.in, options, [&](int, int) { return ++calls < 2; }).has_value());
    EXPECT_EQ(calls, 2);  // no call after the cancelling one
}

TEST(Outcomes, refusesBadOptionsAndInputs)
{
    const test::Scenario s = test::ParseScenario({"intonly"});
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (const OutcomeOptions& bad :
         {OutcomeOptions{.paths = kMinOutcomePaths - 1}, OutcomeOptions{.paths = kMaxOutcomePaths + 1},
          OutcomeOptions{.volatility = -0.1}, OutcomeOptions{.volatility = kMaxVolatility + 0.1},
          OutcomeOptions{.volatility = nan}, OutcomeOptions{.threads = -1}})
        EXPECT_THROW(SimulateOutcomes(s.strategy, s.in, bad), AnalysisError);
    // What the analysis refuses, with its own message.
    test::Scenario broken = test::ParseScenario({"rrsp", "tax=100"});
    const std::string message = RunAnalysis(broken.strategy, broken.in, *std::make_unique<AnalysisState>()).error;
    try {
        SimulateOutcomes(broken.strategy, broken.in, {});
        ADD_FAILURE() << "no error";
    } catch (const AnalysisError& e) {
        EXPECT_EQ(e.what(), message);
    }
}

TEST(Outcomes, defaultVolatilityByMix)
{
    const std::array<double, 6> presets{16, 16, 16, 10, 14, 5};
    for (std::size_t k = 0; k < presets.size(); ++k)
        EXPECT_EQ(DefaultVolatility(kInvestmentTypePresets[k]), presets[k]) << k;
    EXPECT_EQ(DefaultVolatility({50, 20, 10, 20}), 13.8);
    EXPECT_EQ(DefaultVolatility({25, 25, 25, 25}), 13.3);
    EXPECT_EQ(DefaultVolatility({0, 0, 1, 99}), 5.1);
    EXPECT_EQ(DefaultVolatility({0, 0, 0, 250}), 5);  // out of range: the ends
}

} // namespace
} // namespace gw
