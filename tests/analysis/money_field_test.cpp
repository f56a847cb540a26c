#include "money_field.h"
#include "scenario.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

test::Scenario scenario(test::Tokens words)
{
    words.insert(words.begin(), {"returns=6,8,10,12", "breakdown=25,25,25,25", "type=2", "other=10000"});
    return test::ParseScenario(words);
}

TEST(MoneyField, knownAmounts)
{
    test::ExpectCaseTable("analysis/golden/money-field.txt", [](const test::Tokens& words) {
        const test::Scenario s = scenario(words);
        test::Tokens out;
        for (const auto& amount : {setAnnualInvestment(s.strategy, s.in), setLoanAmount(s.strategy, s.in)})
            out.push_back(amount ? test::Fixed(*amount, 2, true) : "none");
        return out;
    });
}

TEST(MoneyField, loanAmountRoundTrips)
{
    const test::Tokens cases[] = {
        {"term"}, {"term", "rate=0"}, {"rrsp"}, {"rrsp", "rate=0"}, {"intonly"},
        {"intonly", "fedLimited", "returns=6,8,4,12"},
        {"intonly", "fedLimited", "provLimited", "provCG=0", "returns=6,8,4,12"},
        {"intonly", "fedLimited", "returns=6,8,6,12", "type=4", "other=0"},
        {"intonly", "fedLimited", "returns=6,8,30,12"},
    };
    for (const test::Tokens& words : cases) {
        test::Scenario s = scenario(words);
        SCOPED_TRACE(testing::Message() << Index(s.strategy) << " " << words.size());
        const auto annual = setAnnualInvestment(s.strategy, s.in);
        ASSERT_TRUE(annual);
        s.in.annualInvestment = *annual;
        const auto loan = setLoanAmount(s.strategy, s.in);
        ASSERT_TRUE(loan);
        // The annual investment is read in whole dollars; half a dollar of it
        // is worth at most half a dollar over the smallest cost per loan dollar.
        EXPECT_NEAR(*loan, s.in.loanAmount, 0.5 / 0.02);
    }
}

} // namespace
} // namespace gw
