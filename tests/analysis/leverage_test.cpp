// The interest-only and term-loan strategies, side by side where they agree.
#include "dispatch.h"
#include "error.h"
#include "golden.h"
#include "results_text.h"
#include "sample_inputs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <stdexcept>
#include <type_traits>
#include <variant>
#include <vector>

namespace gw {
namespace {

constexpr Strategy kIntOnly = Strategy::InterestOnly;
constexpr Strategy kTerm = Strategy::TermLoan;

AnalysisResults run(Strategy strategy, const AnalysisInputs& in)
{
    auto state = std::make_unique<AnalysisState>();
    AnalysisOutcome outcome = RunAnalysis(strategy, in, *state);
    if (!outcome.ok())
        throw std::runtime_error(outcome.error);
    return *outcome.results;
}

// Calls check(results) with the interest-only or term-loan results.
template <typename Check>
void withLeverage(const AnalysisResults& results, Check check)
{
    std::visit(
        [&](const auto& r) {
            if constexpr (!std::is_same_v<std::decay_t<decltype(r)>, RRSPResults>)
                check(r);
        },
        results);
}

double outlayOf(const IntOnlyYear& y) { return y.after_tax_cost; }
double outlayOf(const TermYear& y) { return y.after_tax_cashflow; }

// The shipped mix, 70/25/5/0, both deductions limited, the provincial one
// without the capital gains, and 20,000 of other investments.
void mixedLimited(AnalysisInputs& in)
{
    in.breakdown = {70, 25, 5, 0};
    in.fedLimited = in.provLimited = true;
    in.provIncludeCG = false;
    in.otherUnleveraged = 20'000;
}

// The sample analyses, golden: every summary row and projection year. Their
// first year was worked out by hand. At 8 % the unit price rises 4 %, 4,000
// is distributed and taxed at 0.4 x 0.4 x 0.5 + 0.2 x 0.10 + 0.4 x 0.4 = 26 %:
// balance 106,960, cost base 102,960. Repaying 100,000 sells at k = (1 -
// 102,960 / 106,960) x 0.5 taxable per dollar: tax 100,000 k 0.4 / (1 - 0.4 k)
// = 753.58, net 6,206.42; the unleveraged side holds 4,800 after year 1 and
// 4,800 x 1.04 + 192 x 0.74 + 4,800 = 9,934.08 after year 2. The term loan
// repays only its balance 93,097.05: tax 701.57, net 13,161.39; its outlay is
// the payment 14,902.95 less 40 % of 8,000. At 0 % the interest-only loan
// leaves nothing and its outlays add up to 48,000.
TEST(Leverage, goldenAnalyses)
{
    AnalysisInputs repeated = test::SampleInputs();
    repeated.timesRepeated = 1;
    AnalysisInputs halfFederal = test::SampleInputs();
    halfFederal.fedDeductible = 50;
    AnalysisInputs mixed = test::SampleInputs();
    mixedLimited(mixed);
    const struct {
        const char* title;
        Strategy strategy;
        AnalysisInputs in;
    } cases[] = {
        {"sample: 100,000 at 8 % for 10 years, fully deductible", kIntOnly, test::SampleInputs()},
        {"half the federal interest deductible", kIntOnly, halfFederal},
        {"70/25/5/0 mix, both limited, provincial without gains, 20,000 other", kIntOnly, mixed},
        {"sample, the loan taken twice", kTerm, repeated},
        {"70/25/5/0 mix, both limited, provincial without gains, 20,000 other", kTerm, mixed},
    };
    std::string intOnly, term;
    for (const auto& c : cases)
        (c.strategy == kIntOnly ? intOnly : term) += "== " + std::string(c.title) + "\n" + test::ResultsText(run(c.strategy, c.in));
    test::ExpectGolden(intOnly, "analysis/golden/interest-only.txt");
    test::ExpectGolden(term, "analysis/golden/term.txt");
}

// One year of a hand calculation: the deductions, the pools at the year end
// and the outlay the unleveraged side invests.
struct Year {
    int year;
    double fedDeduction, fedPool, provDeduction, provPool, outlay;
};

// 100,000 at 8 %, tax 40 % = 24 % federal + 16 % provincial. The term loan's
// payment is 14,902.95 and its interest 8,000, 7,447.76 (8 % of 93,097.05)
// and 6,851.35 in years 1 to 3.
TEST(Leverage, deductionsAndPoolsMatchHandCalculations)
{
    const double payment = 14'902.948869707534;
    const struct {
        const char* name;
        Strategy strategy;
        void (*change)(AnalysisInputs&);
        std::vector<Year> years;
    } cases[] = {
        // The whole interest deducted at any return: 8,000 less 40 %.
        {"interest-only, deductible, 12 %", kIntOnly, [](AnalysisInputs& in) { in.projectionReturn = 12; },
         {{1, 8'000, 0, 8'000, 0, 4'800}, {10, 8'000, 0, 8'000, 0, 4'800}}},
        {"term, deductible, 6 %", kTerm, [](AnalysisInputs& in) { in.projectionReturn = 6; },
         {{1, 8'000, 0, 8'000, 0, payment - 3'200}, {2, 7'447.7641, 0, 7'447.7641, 0, payment - 2'979.1056}}},
        // Half the federal interest: 4,000 a year pooled; 8,000 less 16 %
        // of 8,000 less 24 % of 4,000.
        {"interest-only, half federal", kIntOnly, [](AnalysisInputs& in) { in.fedDeductible = 50; },
         {{1, 4'000, 4'000, 8'000, 0, 5'760}, {10, 4'000, 40'000, 8'000, 0, 5'760}}},
        {"term, half deductible, 6 %", kTerm,
         [](AnalysisInputs& in) { in.fedDeductible = in.provDeductible = 50, in.projectionReturn = 6; },
         {{1, 4'000, 4'000, 4'000, 4'000, payment - 1'600},
          {2, 3'723.8820, 7'723.8820, 3'723.8820, 7'723.8820, payment - 1'489.5528}}},
        // No income at 0 % nor at a loss: every dollar of interest pooled.
        {"interest-only, limited, 0 %", kIntOnly,
         [](AnalysisInputs& in) { in.fedLimited = in.provLimited = true, in.projectionReturn = 0; },
         {{1, 0, 8'000, 0, 8'000, 8'000}, {10, 0, 80'000, 0, 80'000, 8'000}}},
        {"term, limited, -5 %", kTerm,
         [](AnalysisInputs& in) { in.fedLimited = in.provLimited = true, in.projectionReturn = -5; },
         {{1, 0, 8'000, 0, 8'000, payment}, {2, 0, 15'447.7641, 0, 15'447.7641, payment}}},
        // All-interest 7.5 %: income 7,500 x 1.045^(y-1), the balance growing
        // by the 4.5 % left after tax. The pool carried from the year before
        // is deducted once the income allows it.
        {"interest-only, federal limited, interest 7.5 %", kIntOnly,
         [](AnalysisInputs& in) { in.fedLimited = true, in.breakdown = {0, 0, 0, 100}, in.projectionReturn = 7.5; },
         {{1, 7'500, 500, 8'000, 0, 4'920},
          {2, 7'837.5, 662.5, 8'000, 0, 4'839},
          {3, 8'190.1875, 472.3125, 8'000, 0, 4'754.355},
          {4, 8'472.3125, 0, 8'000, 0, 4'686.645}}},
        {"term, federal limited, interest 7.5 %", kTerm,
         [](AnalysisInputs& in) { in.fedLimited = true, in.breakdown = {0, 0, 0, 100}, in.projectionReturn = 7.5; },
         {{1, 7'500, 500, 8'000, 0, payment - 1'800 - 1'280},
          // 7,837.5 of income covers 7,447.76 of interest and 389.74 of the pool.
          {2, 7'837.5, 110.2641, 7'447.7641, 0, payment - 1'881 - 1'191.6423},
          {3, 6'961.6134, 0, 6'851.3493, 0, payment - 1'670.7872 - 1'096.2159}}},
        // Other investments of 100,000 double the income to 15,000.
        {"interest-only, federal limited, other investments", kIntOnly,
         [](AnalysisInputs& in) {
             in.fedLimited = true, in.breakdown = {0, 0, 0, 100}, in.projectionReturn = 7.5;
             in.otherUnleveraged = 100'000;
         },
         {{1, 8'000, 0, 8'000, 0, 4'800}}},
        // A dollar of the 70/25/5/0 return is 0.25 x 0.5 taxable gains +
        // 0.05 x 1.25 grossed-up dividends = 0.1875 of income, 0.0625 without
        // the gains; the other investments scale both by 1.2. Year 1 returns
        // 8,000; year 2 8 % of 107,560 (105,600 of units and 2,400 distributed
        // less 18.33 % tax) = 8,604.80.
        {"interest-only, mixed return", kIntOnly, mixedLimited,
         {{1, 1'800, 6'200, 600, 7'400, 8'000 - 432 - 96},
          {2, 1'936.08, 12'263.92, 645.36, 14'754.64, 8'000 - 464.6592 - 103.2576}}},
        {"term, mixed return", kTerm, mixedLimited,
         {{1, 1'800, 6'200, 600, 7'400, payment - 432 - 96},
          {2, 1'936.08, 11'711.6841, 645.36, 14'202.4041, payment - 464.6592 - 103.2576}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AnalysisInputs in = test::SampleInputs();
        c.change(in);
        withLeverage(run(c.strategy, in), [&](const auto& r) {
            for (const Year& e : c.years) {
                SCOPED_TRACE(testing::Message() << "year " << e.year);
                const auto& y = r.projection.at(e.year - 1);
                EXPECT_NEAR(y.fed_deduction, e.fedDeduction, 1e-4);
                EXPECT_NEAR(y.fed_undeducted, e.fedPool, 1e-4);
                EXPECT_NEAR(y.prov_deduction, e.provDeduction, 1e-4);
                EXPECT_NEAR(y.prov_undeducted, e.provPool, 1e-4);
                EXPECT_NEAR(outlayOf(y), e.outlay, 1e-4);
            }
        });
    }
}

// The repayment sale's gain is sheltered by a pool only where capital gains
// count as investment income; a term loan has nothing left to repay at the end.
TEST(Leverage, poolsShelterTheRepaymentGainWhereGainsCount)
{
    AnalysisInputs in = test::SampleInputs();
    mixedLimited(in);
    for (Strategy strategy : {kIntOnly, kTerm}) {
        withLeverage(run(strategy, in), [&](const auto& r) {
            EXPECT_EQ(r.remaining_deductions.federal < r.projection.back().fed_undeducted, strategy == kIntOnly);
            EXPECT_EQ(r.remaining_deductions.provincial, r.projection.back().prov_undeducted);
        });
    }
}

TEST(Leverage, breakEvenRowSitsAmongTheSortedReturns)
{
    AnalysisInputs in = test::SampleInputs();
    in.timesRepeated = 1;
    for (Strategy strategy : {kIntOnly, kTerm}) {
        SCOPED_TRACE(Index(strategy));
        withLeverage(run(strategy, in), [&](const auto& r) {
            ASSERT_NE(r.break_even_return, NoReturn);
            ASSERT_EQ(r.summary.size(), 5u);
            int flagged = 0;
            for (std::size_t i = 0; i < 5; ++i) {
                const SummaryRow& row = r.summary[i];
                EXPECT_EQ(row.slot, static_cast<int>(i) + 1);
                EXPECT_TRUE(i == 0 || r.summary[i - 1].return_ <= row.return_);
                if (row.break_even) {
                    ++flagged;
                    EXPECT_EQ(row, MakeSummaryRow(row.slot, r.break_even_return, row.leveraged, row.leveraged, true));
                }
                // The projection at 8 % ends where the 8 % row does.
                if (row.return_ == 0.08) {
                    EXPECT_EQ(r.projection.back().increase, row.increase);
                }
            }
            EXPECT_EQ(flagged, 1);
            // Leverage falls behind just below the return found and gets ahead
            // just above it.
            for (double step : {-0.0005, 0.0005}) {
                AnalysisInputs near = in;
                near.projectionReturn = (r.break_even_return + step) * 100;
                withLeverage(run(strategy, near),
                             [&](const auto& n) { EXPECT_EQ(n.projection.back().increase > 0, step > 0) << step; });
            }
        });
    }
}

TEST(Leverage, equalReturnsGiveEqualRowsAndNoBreakEvenLeavesFour)
{
    AnalysisInputs equal = test::SampleInputs();
    equal.returns = {6, 6, 6, 6};
    // At a loan rate of 0 there is nothing to break even against.
    AnalysisInputs interestFree = test::SampleInputs();
    interestFree.interestRate = 0;
    for (Strategy strategy : {kIntOnly, kTerm}) {
        SCOPED_TRACE(Index(strategy));
        withLeverage(run(strategy, equal), [](const auto& r) {
            ASSERT_EQ(r.summary.size(), 5u);
            std::vector<SummaryRow> sixes;
            for (SummaryRow row : r.summary) {
                row.slot = 0;
                if (row.return_ == 0.06)
                    sixes.push_back(row);
            }
            EXPECT_EQ(sixes, std::vector<SummaryRow>(4, sixes.front()));
        });
        withLeverage(run(strategy, interestFree), [](const auto& r) {
            EXPECT_EQ(r.break_even_return, NoReturn);
            EXPECT_EQ(r.returns[1], NoReturn);
            ASSERT_EQ(r.summary.size(), 4u);
            EXPECT_EQ(r.summary.front().slot, 2);
            for (const SummaryRow& row : r.summary)
                EXPECT_FALSE(row.break_even);
        });
    }
}

TEST(Leverage, failureKeepsThePreviousAnalysis)
{
    AnalysisInputs bad = test::SampleInputs();
    bad.projectionReturn = -100;
    IntOnlyState intOnly;
    const IntOnlyResults first = RunIntOnlyAnalysis(test::SampleInputs(), intOnly);
    EXPECT_THROW(RunIntOnlyAnalysis(bad, intOnly), AnalysisError);
    EXPECT_EQ(intOnly.BreakEvenReturn, first.break_even_return);
    EXPECT_EQ(intOnly.Returns, first.returns);
    EXPECT_EQ(intOnly.Slots[0].Detail.NetBalancePayoff[10], first.projection.back().net_balance_payoff);

    bad = test::SampleInputs();
    bad.returns[2] = -150;
    TermState term;
    const TermResults firstTerm = RunTermAnalysis(test::SampleInputs(), term);
    EXPECT_THROW(RunTermAnalysis(bad, term), AnalysisError);
    EXPECT_EQ(term.Returns, firstTerm.returns);
    EXPECT_EQ(term.Slots[0].Detail.NetBalancePayoff[10], firstTerm.projection.back().net_balance_payoff);
}

TEST(LeverageBuild, readsTheFieldsAsWholeDollarsAndYears)
{
    AnalysisInputs in = test::SampleInputs();
    in.loanAmount = 100'000.5;
    in.savingsPeriod = 10.5;  // halves go to even
    in.investmentType = 2;
    in.otherUnleveraged = 9'999.6;
    const GenericInvestment inv = BuildIntOnlyInvestment(in);
    EXPECT_EQ(inv.InitialInvestment, 100'001);
    EXPECT_EQ(inv.InitialInvestmentACB, 100'001);
    EXPECT_EQ(inv.NPeriods, 10);
    EXPECT_EQ(BuildIntOnlyLoan(in).LoanAmount, 100'001);
    EXPECT_DOUBLE_EQ(BuildIntOnlyLoan(in).OtherInvestRatio, (100'001 / 2.0 + 10'000) / 100'001);
    in.savingsPeriod = 11.5;
    EXPECT_EQ(BuildIntOnlyInvestment(in).NPeriods, 12);

    // The term horizon holds every loan.
    in = test::SampleInputs();
    in.timesRepeated = 2.5;
    EXPECT_EQ(BuildTermInvestment(in).NPeriods, 30);
    EXPECT_EQ(BuildTermLoan(in).NLoanRepeats, 2);
    EXPECT_NEAR(BuildTermLoan(in).LoanPayment, 14'902.95, 0.005);  // 8,000 / (1 - 1.08^-10)
    in.timesRepeated = 7;
    EXPECT_EQ(BuildTermInvestment(in).NPeriods, 80);
}

TEST(LeverageBuild, rejectsInputsWithoutAnAnalysis)
{
    const struct {
        const char* name;
        void (*change)(AnalysisInputs&);
        bool termOnly;
    } cases[] = {
        {"no savings period", [](AnalysisInputs& in) { in.savingsPeriod = 0; }, false},
        {"81 years", [](AnalysisInputs& in) { in.savingsPeriod = 81; }, false},
        {"huge period", [](AnalysisInputs& in) { in.savingsPeriod = 1e300; }, false},
        {"no loan", [](AnalysisInputs& in) { in.loanAmount = 0.4; }, false},
        {"investment type 5", [](AnalysisInputs& in) { in.investmentType = 5; }, false},
        {"tax rate not a number", [](AnalysisInputs& in) { in.taxRate = NAN; }, false},
        {"90 years", [](AnalysisInputs& in) { in.timesRepeated = 8; }, true},
        {"repeated -1 times", [](AnalysisInputs& in) { in.timesRepeated = -1; }, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AnalysisInputs in = test::SampleInputs();
        c.change(in);
        if (!c.termOnly) {
            EXPECT_THROW((BuildIntOnlyInvestment(in), BuildIntOnlyLoan(in)), AnalysisError);
        }
        EXPECT_THROW((BuildTermInvestment(in), BuildTermLoan(in)), AnalysisError);
    }
}

// At a -99 % return almost nothing is left when a loan ends, so whatever it
// still owed would show as the leveraged value. Carried forward year by year
// the balance of 2,186,474 at 49.99 % over 80 years kept 15,967 owing.
TEST(TermAnalysis, everyLoanEndsAtZeroAtTheCornersOfTheLegalRanges)
{
    struct Schedule {
        int years;
        int repeats;
    };
    for (double loanRate : {0.0, 1.0, 49.99, 50.0}) {  // per cent; 0 where a sponsor allows it
        for (const Schedule& s : {Schedule{1, 0}, {40, 0}, {80, 0}, {20, 3}, {1, 79}}) {
            for (double amount : {1.0, 100'000.0, 2'186'474.0}) {
                SCOPED_TRACE(testing::Message() << amount << " at " << loanRate << " % over " << s.years
                                                << " years, taken " << s.repeats + 1 << " times");
                AnalysisInputs in = test::SampleInputs();
                in.interestRate = loanRate;
                in.savingsPeriod = s.years;
                in.timesRepeated = s.repeats;
                in.loanAmount = amount;
                GenericInvestment inv = BuildTermInvestment(in);
                inv.ReturnPerPeriod = -0.99;
                TermSlot slot;
                CalcTermLevAnalysis(inv, BuildTermLoan(in), slot);
                const TermDetail& d = slot.Detail;
                for (int y = 1; y <= s.years * (s.repeats + 1); ++y) {
                    SCOPED_TRACE(testing::Message() << "year " << y);
                    if (y % s.years == 0) {
                        ASSERT_EQ(d.LoanBalance[y], 0);
                        EXPECT_GE(d.NetBalancePayoff[y], 0);
                    } else {
                        ASSERT_GT(d.LoanBalance[y], 0);
                    }
                    // The year's principal is what the balance went down by.
                    const double opening = (y - 1) % s.years == 0 ? amount : d.LoanBalance[y - 1];
                    EXPECT_NEAR(opening - d.LoanPaydown[y], d.LoanBalance[y], 1e-12 * amount);
                }
            }
        }
    }
}

TEST(TermAnalysis, wrongPaymentOrTimingIsReported)
{
    GenericInvestment inv = BuildTermInvestment(test::SampleInputs());
    TermLoan loan = BuildTermLoan(test::SampleInputs());
    loan.LoanPayment += 0.01;
    TermSlot slot;
    try {
        CalcTermLevAnalysis(inv, loan, slot);
        FAIL() << "a payment that does not repay the loan was accepted";
    } catch (const AnalysisError& e) {
        EXPECT_NE(std::string(e.what()).find("Incorrect LoanPayment amount"), std::string::npos);
    }
    loan = BuildTermLoan(test::SampleInputs());
    loan.EndOfPeriodLoanPmts = false;
    EXPECT_THROW(CalcTermLevAnalysis(inv, loan, slot), AnalysisError);
}

TEST(TermAnalysis, loanRateOfZeroRepaysInEqualParts)
{
    AnalysisInputs in = test::SampleInputs();
    in.interestRate = 0;
    const TermResults r = std::get<TermResults>(run(kTerm, in));
    EXPECT_EQ(r.schedule.payment, 10'000);  // L / n
    EXPECT_EQ(r.projection[0].interest, 0);
    EXPECT_EQ(r.projection[0].principal, 10'000);
}

} // namespace
} // namespace gw
