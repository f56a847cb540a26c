// The interest-only and term-loan strategies, side by side where they agree.
// Their whole results are golden in dispatch_test.cpp.
#include "error.h"
#include "scenario.h"

#include <gtest/gtest.h>

#include <string_view>
#include <type_traits>
#include <variant>

namespace gw {
namespace {

constexpr Strategy kIntOnly = Strategy::InterestOnly;
constexpr Strategy kTerm = Strategy::TermLoan;

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

TEST(Leverage, deductionsAndPoolsMatchHandCalculations)
{
    test::ExpectCaseTable("analysis/golden/deductions.txt", [](test::Tokens words) {
        const int year = static_cast<int>(test::Number(words.back().substr(5)));  // "year=N"
        words.pop_back();
        test::Tokens out;
        withLeverage(test::Run(test::ParseScenario(words)), [&](const auto& r) {
            const auto& y = r.projection.at(year - 1);
            for (double value : {y.fed_deduction, y.fed_undeducted, y.prov_deduction, y.prov_undeducted, outlayOf(y)})
                out.push_back(test::Fixed(value, 4, true));
        });
        return out;
    });
}

// The repayment sale's gain is sheltered by a pool only where capital gains
// count as investment income; a term loan has nothing left to repay at the end.
TEST(Leverage, poolsShelterTheRepaymentGainWhereGainsCount)
{
    for (const char* strategy : {"intonly", "term"}) {
        const auto s = test::ParseScenario({strategy, "breakdown=70,25,5,0", "fedLimited", "provLimited", "provCG=0"});
        withLeverage(test::Run(s), [&](const auto& r) {
            EXPECT_EQ(r.remaining_deductions.federal < r.projection.back().fed_undeducted, s.strategy == kIntOnly);
            EXPECT_EQ(r.remaining_deductions.provincial, r.projection.back().prov_undeducted);
        });
    }
}

TEST(Leverage, breakEvenRowSitsAmongTheSortedReturns)
{
    for (const char* strategy : {"intonly", "term"}) {
        SCOPED_TRACE(strategy);
        test::Scenario s = test::ParseScenario({strategy, "repeats=1"});
        withLeverage(test::Run(s), [&](const auto& r) {
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
                s.in.projectionReturn = (r.break_even_return + step) * 100;
                withLeverage(test::Run(s), [&](const auto& n) { EXPECT_EQ(n.projection.back().increase > 0, step > 0); });
            }
        });
    }
}

// At a -99 % return almost nothing is left when a loan ends, so whatever it
// still owed would show as the leveraged value. Carried forward year by year
// the balance of 2,186,474 at 49.99 % over 80 years kept 15,967 owing.
// A break-even row that one decimal would show like another row gets two.
TEST(Leverage, breakEvenReturnNeverReadsLikeAnotherRow)
{
    struct Case {
        double breakEven;
        double neighbour;
        std::string_view pattern;
    };
    for (const Case& c : {Case{0.0404, 0.04, "##0.00%"}, Case{0.0396, 0.04, "##0.00%"}, Case{0.0455, 0.04, "##0.0%"},
                          Case{0.0404, 0.06, "##0.0%"}}) {
        SCOPED_TRACE(c.breakEven);
        const std::vector<SummaryRow> rows{MakeSummaryRow(1, c.neighbour, 1, 2, false),
                                           MakeSummaryRow(2, c.breakEven, 1, 1, true)};
        EXPECT_EQ(SummaryReturnPattern(rows, rows[1]), c.pattern);
        EXPECT_EQ(SummaryReturnPattern(rows, rows[0]), "##0.0%");
    }
}

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
    // A schedule that does not fit the projection, each way.
    for (const auto& [years, repeats] : {std::pair{0, 0}, {10, -1}, {10, 8}}) {
        loan = BuildTermLoan(test::SampleInputs());
        loan.NLoanPeriods = years;
        loan.NLoanRepeats = repeats;
        EXPECT_THROW(CalcTermLevAnalysis(inv, loan, slot), AnalysisError) << years << " x " << repeats;
    }
}

} // namespace
} // namespace gw
