#include "rrsp.h"

#include <benchmark/benchmark.h>

namespace gw {
namespace {

// A full RRSP analysis (four summary returns and the projection) at a
// horizon of 10 x (repeats + 1) years.
void BM_RRSPAnalysis(benchmark::State& bench)
{
    AnalysisInputs in;
    in.loanAmount = 50000;
    in.taxRate = 40;
    in.interestRate = 8;
    in.savingsPeriod = 10;
    in.timesRepeated = static_cast<double>(bench.range(0));
    in.returns = {4, 6, 8, 10};
    in.projectionReturn = 7;
    RRSPState state;
    for (auto _ : bench) {
        RRSPResults res = RunRRSPAnalysis(in, state);
        benchmark::DoNotOptimize(res);
    }
    bench.counters["years"] = 10 * (bench.range(0) + 1);
}
BENCHMARK(BM_RRSPAnalysis)->Arg(0)->Arg(3)->Arg(7);

} // namespace
} // namespace gw
