#include "money_field.h"

#include <gtest/gtest.h>

#include <cmath>

namespace gw {
namespace {

AnalysisInputs base()
{
    AnalysisInputs in;
    in.loanAmount = 100000;
    in.taxRate = 40;
    in.interestRate = 8;
    in.savingsPeriod = 10;
    in.returns = {6, 8, 10, 12};
    in.breakdown = {25, 25, 25, 25};
    in.capGainsInclusionRate = 50;
    in.federalToMarginalRatio = 60;  // tF 0.24, tP 0.16
    in.fedDeductible = 100;
    in.provDeductible = 100;
    in.investmentType = 2;  // 2:1
    in.otherUnleveraged = 10000;
    return in;
}

// Federal deduction limited to the investment income, whose yield at a third
// return of R % is R/100 x (0.25 + 1.25 x 0.25 + 0.5 x 0.25) = R x 0.006875.
AnalysisInputs fedLimited(double thirdReturn)
{
    AnalysisInputs in = base();
    in.fedLimited = true;
    in.returns[2] = thirdReturn;
    return in;
}

TEST(MoneyField, knownAnnualInvestments)
{
    struct Case {
        const char* name;
        Strategy strategy;
        AnalysisInputs in;
        double expected;  // source
    };
    AnalysisInputs halfFed = base();
    halfFed.fedDeductible = 50;
    AnalysisInputs rrsp = base();
    rrsp.loanAmount = 50000;
    AnalysisInputs zeroRate = base();
    zeroRate.interestRate = 0;
    const Case cases[] = {
        // PMT of 100,000 at 8 % over 10 years.
        {"term", Strategy::TermLoan, base(), 14902.948869707534},
        {"term at 0 %", Strategy::TermLoan, zeroRate, 10000},
        // The worked RRSP example: 0.6 x 50,000 / 7.2469.
        {"rrsp", Strategy::RRSP, rrsp, 4139.708019363204},
        {"rrsp at 0 %", Strategy::RRSP, zeroRate, 6000},
        // 8,000 interest less 40 % of it.
        {"interest-only, full deduction", Strategy::InterestOnly, base(), 4800},
        // 8,000 - 0.24 x 0.5 x 8,000 - 0.16 x 8,000.
        {"interest-only, half federal", Strategy::InterestOnly, halfFed, 5760},
        // Income binds: 0.24 x 0.0275 x (150,000 + 10,000) = 1,056 < 1,920.
        {"interest-only, income binds", Strategy::InterestOnly, fedLimited(4), 8000 - 1056 - 1280},
        // Income 0.24 x 0.06875 x 160,000 = 2,640 exceeds the interest 1,920.
        {"interest-only, interest binds", Strategy::InterestOnly, fedLimited(10), 4800},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto annual = setAnnualInvestment(c.strategy, c.in);
        ASSERT_TRUE(annual);
        EXPECT_NEAR(*annual, c.expected, 1e-6);
    }
}

TEST(MoneyField, loanAmountRoundTrips)
{
    AnalysisInputs both = fedLimited(4);
    both.provLimited = true;
    both.provIncludeCG = false;
    AnalysisInputs zeroRate = base();
    zeroRate.interestRate = 0;
    AnalysisInputs fourToOne = fedLimited(6);
    fourToOne.investmentType = 4;
    fourToOne.otherUnleveraged = 0;
    struct Case {
        const char* name;
        Strategy strategy;
        AnalysisInputs in;
    };
    const Case cases[] = {
        {"term", Strategy::TermLoan, base()},
        {"term at 0 %", Strategy::TermLoan, zeroRate},
        {"rrsp", Strategy::RRSP, base()},
        {"rrsp at 0 %", Strategy::RRSP, zeroRate},
        {"interest-only, unlimited", Strategy::InterestOnly, base()},
        {"interest-only, federal limited", Strategy::InterestOnly, fedLimited(4)},
        {"interest-only, both limited", Strategy::InterestOnly, both},
        {"interest-only, 4:1 no other", Strategy::InterestOnly, fourToOne},
        // The income deduction would be worth more than the interest: it never
        // binds, so the loan follows from the interest deduction alone.
        {"interest-only, income above interest", Strategy::InterestOnly, fedLimited(30)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AnalysisInputs in = c.in;
        const auto annual = setAnnualInvestment(c.strategy, in);
        ASSERT_TRUE(annual);
        in.annualInvestment = *annual;
        const auto loan = setLoanAmount(c.strategy, in);
        ASSERT_TRUE(loan);
        // The annual investment is read in whole dollars; half a dollar of it
        // is worth at most half a dollar over the smallest cost per loan dollar.
        EXPECT_NEAR(*loan, in.loanAmount, 0.5 / 0.02);
    }
}

TEST(MoneyField, exactInterestOnlyInverse)
{
    // 4,800 a year at 8 % with 40 % fully deductible: 4,800 / 0.048.
    AnalysisInputs in = base();
    in.annualInvestment = 4800;
    EXPECT_NEAR(*setLoanAmount(Strategy::InterestOnly, in), 100000, 1e-6);
    // Income binds: (5,664 + 0.24 x 0.0275 x 10,000) / (0.08 - 0.0099 - 0.0128).
    in = fedLimited(4);
    in.annualInvestment = 5664;
    EXPECT_NEAR(*setLoanAmount(Strategy::InterestOnly, in), 100000, 1e-6);
}

TEST(MoneyField, noAmountAnswers)
{
    struct Case {
        const char* name;
        Strategy strategy;
        void (*change)(AnalysisInputs&);
    };
    const Case cases[] = {
        // Interest fully offset by the deductions: the cost never grows.
        {"interest-only, tax rate 100", Strategy::InterestOnly, [](AnalysisInputs& in) { in.taxRate = 100; }},
        {"interest-only, no interest", Strategy::InterestOnly, [](AnalysisInputs& in) { in.interestRate = 0; }},
        {"interest-only, negative investment", Strategy::InterestOnly,
         [](AnalysisInputs& in) { in.annualInvestment = -100; }},
        {"rrsp, tax rate 100", Strategy::RRSP, [](AnalysisInputs& in) { in.taxRate = 100; }},
        {"rrsp, no period", Strategy::RRSP, [](AnalysisInputs& in) { in.savingsPeriod = 0; }},
        {"term, no period", Strategy::TermLoan, [](AnalysisInputs& in) { in.savingsPeriod = 0.4; }},
        {"term, rate -100 %", Strategy::TermLoan, [](AnalysisInputs& in) { in.interestRate = -100; }},
        {"term, NaN rate", Strategy::TermLoan, [](AnalysisInputs& in) { in.interestRate = NAN; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AnalysisInputs in = base();
        in.annualInvestment = 4800;
        c.change(in);
        EXPECT_FALSE(setLoanAmount(c.strategy, in));
    }
    AnalysisInputs in = base();
    in.taxRate = 100;
    EXPECT_FALSE(setAnnualInvestment(Strategy::RRSP, in));
    in = base();
    in.savingsPeriod = 0;
    EXPECT_FALSE(setAnnualInvestment(Strategy::TermLoan, in));
}

} // namespace
} // namespace gw
