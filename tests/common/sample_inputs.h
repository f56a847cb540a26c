#pragma once

// Sample inputs the tests of several layers analyse.
#include "inputs.h"

#include <array>

namespace gw::test {

// 100,000 at 8 % for 10 years; tax 40 % of which 60 % federal (24 % + 16 %);
// half the return deferred gains, 20 % realised gains, 10 % dividends, 20 %
// interest. The tax table gives a dividend rate of 10 % at 40 %.
inline AnalysisInputs SampleInputs()
{
    AnalysisInputs in;
    in.loanAmount = 100'000;
    in.taxRate = 40;
    in.interestRate = 8;
    in.savingsPeriod = 10;
    in.returns = {0, 4, 8, 12};
    in.projectionReturn = 8;
    in.breakdown = {50, 20, 10, 20};
    in.capGainsInclusionRate = 50;
    in.federalToMarginalRatio = 60;
    in.fedDeductible = 100;
    in.provDeductible = 100;
    in.taxTable = {TaxBracket{0, 20, 5}, TaxBracket{30'000, 30, 10}, TaxBracket{60'000, 40, 20},
                   TaxBracket{120'000, 46, 30}};
    return in;
}

// The figures a client report shows: 100,000 at 7 % for 10 years, returns of
// 4 to 10 %, mostly deferred gains, on the given tax table.
inline AnalysisInputs ReportSampleInputs(const std::array<TaxBracket, 4>& taxTable)
{
    AnalysisInputs in;
    in.loanAmount = 100000;
    in.taxRate = 40;
    in.interestRate = 7;
    in.savingsPeriod = 10;
    in.returns = {4, 6, 8, 10};
    in.projectionReturn = 8;
    in.breakdown = {70, 25, 5, 0};
    in.capGainsInclusionRate = 50;
    in.federalToMarginalRatio = 60;
    in.fedDeductible = 100;
    in.provDeductible = 100;
    in.taxTable = taxTable;
    return in;
}

}  // namespace gw::test
