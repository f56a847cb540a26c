#include "bench_inputs.h"
#include "outcomes.h"

#include <benchmark/benchmark.h>

namespace {

// Args: strategy index, horizon in years (40 or 80), threads (0: one per core).
void BM_Outcomes(benchmark::State& bench)
{
    const auto strategy = static_cast<gw::Strategy>(bench.range(0));
    const auto years = static_cast<double>(bench.range(1));
    // Interest-only loans run the savings period; term and RRSP loans a
    // 10-year loan taken again until the horizon.
    const gw::AnalysisInputs in =
        strategy == gw::Strategy::InterestOnly ? gw::bench::SampleInputs(years, 0) : gw::bench::SampleInputs(10, years / 10 - 1);
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
