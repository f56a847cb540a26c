#include "bench_inputs.h"
#include "intonly.h"
#include "term.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Break-even search, five summary rows and the projection.
void BM_IntOnlyRun(benchmark::State& bench)
{
    const gw::AnalysisInputs in = gw::bench::SampleInputs(static_cast<double>(bench.range(0)), 0);
    auto state = std::make_unique<gw::IntOnlyState>();
    for (auto _ : bench) {
        gw::IntOnlyResults results = gw::RunIntOnlyAnalysis(in, *state);
        benchmark::DoNotOptimize(results);
    }
}
BENCHMARK(BM_IntOnlyRun)->Arg(10)->Arg(40)->Arg(80)->Unit(benchmark::kMicrosecond);

// A 10-year loan taken 1, 4 and 8 times: horizons of 10, 40 and 80 years.
void BM_TermRun(benchmark::State& bench)
{
    const gw::AnalysisInputs in = gw::bench::SampleInputs(10, static_cast<double>(bench.range(0)));
    auto state = std::make_unique<gw::TermState>();
    for (auto _ : bench) {
        gw::TermResults results = gw::RunTermAnalysis(in, *state);
        benchmark::DoNotOptimize(results);
    }
}
BENCHMARK(BM_TermRun)->Arg(0)->Arg(3)->Arg(7)->Unit(benchmark::kMicrosecond);

} // namespace
