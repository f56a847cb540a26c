#include "outcomes.h"

#include <benchmark/benchmark.h>

namespace {

// The sample case of the other benchmarks, at the default volatility and
// path count, on every core.
gw::AnalysisInputs inputs(double savingsPeriod, double timesRepeated)
{
    gw::AnalysisInputs in;
    in.loanAmount = 100'000;
    in.taxRate = 40;
    in.interestRate = 8;
    in.savingsPeriod = savingsPeriod;
    in.timesRepeated = timesRepeated;
    in.returns = {0, 4, 8, 12};
    in.projectionReturn = 8;
    in.breakdown = {50, 20, 10, 20};
    in.capGainsInclusionRate = 50;
    in.federalToMarginalRatio = 60;
    in.fedLimited = true;
    in.fedDeductible = 100;
    in.provDeductible = 100;
    in.taxTable = {gw::TaxBracket{0, 20, 5}, gw::TaxBracket{30'000, 30, 10}, gw::TaxBracket{60'000, 40, 20},
                   gw::TaxBracket{120'000, 46, 30}};
    return in;
}

// Args: strategy index, horizon in years (40 or 80), threads (0: one per core).
void BM_Outcomes(benchmark::State& bench)
{
    const auto strategy = static_cast<gw::Strategy>(bench.range(0));
    const auto years = static_cast<double>(bench.range(1));
    // Interest-only loans run the savings period; term and RRSP loans a
    // 10-year loan taken again until the horizon.
    const gw::AnalysisInputs in =
        strategy == gw::Strategy::InterestOnly ? inputs(years, 0) : inputs(10, years / 10 - 1);
    gw::OutcomeOptions options;
    options.threads = static_cast<int>(bench.range(2));
    for (auto _ : bench) {
        auto results = gw::SimulateOutcomes(strategy, in, options);
        benchmark::DoNotOptimize(results);
    }
}
BENCHMARK(BM_Outcomes)
    ->ArgNames({"strategy", "years", "threads"})
    ->ArgsProduct({{0, 1, 2}, {40, 80}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
