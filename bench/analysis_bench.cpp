#include "intonly.h"
#include "term.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Typical inputs; the break-even return lies inside the first bracket.
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

// Break-even search, five summary rows and the projection.
void BM_IntOnlyRun(benchmark::State& bench)
{
    const gw::AnalysisInputs in = inputs(static_cast<double>(bench.range(0)), 0);
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
    const gw::AnalysisInputs in = inputs(10, static_cast<double>(bench.range(0)));
    auto state = std::make_unique<gw::TermState>();
    for (auto _ : bench) {
        gw::TermResults results = gw::RunTermAnalysis(in, *state);
        benchmark::DoNotOptimize(results);
    }
}
BENCHMARK(BM_TermRun)->Arg(0)->Arg(3)->Arg(7)->Unit(benchmark::kMicrosecond);

} // namespace
