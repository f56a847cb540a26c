#pragma once

#include "inputs.h"

namespace gw::bench {

// Typical inputs, shared by the benchmarks so that their figures compare;
// the break-even return lies inside the first bracket.
inline AnalysisInputs SampleInputs(double savingsPeriod, double timesRepeated)
{
    AnalysisInputs in;
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
    in.taxTable = {TaxBracket{0, 20, 5}, TaxBracket{30'000, 30, 10}, TaxBracket{60'000, 40, 20},
                   TaxBracket{120'000, 46, 30}};
    return in;
}

} // namespace gw::bench
