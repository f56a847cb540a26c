#include "error.h"
#include "payoff.h"

#include "case_table.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace gw {
namespace {

TEST(LoanPayoff, handWorkedSales)
{
    test::ExpectCaseTable("analysis/golden/loan-payoff.txt", [](const test::Tokens& in) {
        const auto has = [&](const char* word) { return std::find(in.begin() + 5, in.end(), word) != in.end(); };
        PayoffTax tax{0.5, 0.4, 0.15, 0.25, !has("provCG=0"), !has("fedCG=0")};
        if (has("heavy"))
            tax = {1.0, 0.8, 0.3, 0.5, true, true};
        double v[5];
        for (int i = 0; i < 5; ++i)
            v[i] = test::Number(in[i]);
        try {
            const LoanPayoff p = CalcLoanPayoff(v[0], v[1], v[2], v[3], v[4], tax);
            test::Tokens out;
            for (double x : {p.NetBalance, p.ACBAfter, p.FedLeft, p.ProvLeft})
                out.push_back(test::Fixed(x, 4, true));
            return out;
        } catch (const AnalysisError&) {
            return test::Tokens{"error"};
        }
    });
}

} // namespace
} // namespace gw
