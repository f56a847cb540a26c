#include "error.h"
#include "term.h"
#include "sample_inputs.h"

#include <gtest/gtest.h>

#include <chrono>

namespace gw {
namespace {

TermSlot analyse(const AnalysisInputs& in, double rate, GenericInvestment* record = nullptr)
{
    GenericInvestment inv = BuildTermInvestment(in);
    const TermLoan loan = BuildTermLoan(in);
    inv.ReturnPerPeriod = rate;
    TermSlot slot;
    CalcTermLevAnalysis(inv, loan, slot);
    if (record)
        *record = inv;
    return slot;
}

TEST(TermBuild, horizonCoversEveryLoan)
{
    AnalysisInputs in = test::SampleInputs();
    in.timesRepeated = 2;
    const TermLoan loan = BuildTermLoan(in);
    EXPECT_EQ(BuildTermInvestment(in).NPeriods, 30);
    EXPECT_EQ(loan.NLoanPeriods, 10);
    EXPECT_EQ(loan.NLoanRepeats, 2);
    // 8,000 / (1 - 1.08^-10)
    EXPECT_NEAR(loan.LoanPayment, 14'902.95, 0.005);

    in.timesRepeated = 2.5;  // halves to even
    EXPECT_EQ(BuildTermLoan(in).NLoanRepeats, 2);
    in.timesRepeated = 7;
    EXPECT_EQ(BuildTermInvestment(in).NPeriods, 80);
    in.timesRepeated = 8;
    EXPECT_THROW(BuildTermInvestment(in), AnalysisError);  // 90 years
    in.timesRepeated = -1;
    EXPECT_THROW(BuildTermLoan(in), AnalysisError);
}

TEST(TermAnalysis, amortisesTheLoan)
{
    const TermSlot slot = analyse(test::SampleInputs(), 0.08);
    const TermDetail& d = slot.Detail;
    EXPECT_DOUBLE_EQ(d.IntPart[1], 8'000);
    EXPECT_NEAR(d.LoanPaydown[1], 6'902.95, 0.005);
    EXPECT_NEAR(d.LoanBalance[1], 93'097.05, 0.005);
    EXPECT_NEAR(d.IntPart[2], 7'447.76, 0.005);
    EXPECT_EQ(d.LoanBalance[10], 0);  // repaid exactly, no rounding residue
}

// At 8 % the first year's investment is as in the interest-only hand
// calculation (106,960, cost base 102,960), but only the balance 93,097.05 is
// repaid: tax 93,097.05 k 0.4 / (1 - 0.4 k) = 701.57, net 13,161.39.
TEST(TermAnalysis, firstYearMatchesAHandCalculation)
{
    const TermSlot slot = analyse(test::SampleInputs(), 0.08);
    EXPECT_NEAR(slot.LevFV.BTBalance[1], 106'960, 1e-6);
    EXPECT_NEAR(slot.Detail.NetBalancePayoff[1], 13'161.3886, 1e-3);
    EXPECT_NEAR(slot.Detail.ACBAfter[1], 12'669.1900, 1e-3);
    // Payment less 8,000 x 40 % saved, invested at the year end.
    EXPECT_NEAR(slot.Detail.ATCashflow[1], 11'702.9489, 1e-3);
    EXPECT_NEAR(slot.NoLevFV.BTBalance[1], 11'702.9489, 1e-3);
}

TEST(TermAnalysis, repeatedLoanStartsAgainAndEndsAtZero)
{
    AnalysisInputs in = test::SampleInputs();
    in.timesRepeated = 1;
    GenericInvestment record;
    const TermSlot slot = analyse(in, 0, &record);
    ASSERT_EQ(record.NPeriods, 20);
    // At 0 % the leveraged balance is the sum of the loans invested so far.
    for (int y = 1; y <= 20; ++y)
        EXPECT_DOUBLE_EQ(slot.LevFV.BTBalance[y], y <= 10 ? 100'000 : 200'000) << "year " << y;
    EXPECT_DOUBLE_EQ(slot.Detail.IntPart[11], 8'000);
    EXPECT_NEAR(slot.Detail.LoanBalance[11], 93'097.05, 0.005);
    EXPECT_EQ(slot.Detail.LoanBalance[10], 0);
    // The second loan is repaid exactly, as the first is.
    EXPECT_EQ(slot.Detail.LoanBalance[20], 0);
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
    const double loanRates[] = {0, 1, 49.99, 50};  // per cent; 0 where a sponsor allows it
    const Schedule schedules[] = {{1, 0}, {40, 0}, {80, 0}, {20, 3}, {1, 79}};
    const double amounts[] = {1, 100'000, 2'186'474};
    for (double loanRate : loanRates) {
        for (const Schedule& s : schedules) {
            for (double amount : amounts) {
                SCOPED_TRACE(testing::Message() << amount << " at " << loanRate << " % over " << s.years
                                                << " years, taken " << s.repeats + 1 << " times");
                AnalysisInputs in = test::SampleInputs();
                in.interestRate = loanRate;
                in.savingsPeriod = s.years;
                in.timesRepeated = s.repeats;
                in.loanAmount = amount;
                const TermSlot slot = analyse(in, -0.99);
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

TEST(TermAnalysis, fullDeductionSavesTaxOnTheInterest)
{
    const TermSlot slot = analyse(test::SampleInputs(), 0.06);
    const double payment = BuildTermLoan(test::SampleInputs()).LoanPayment;
    for (int y = 1; y <= 10; ++y) {
        SCOPED_TRACE(y);
        const TermDetail& d = slot.Detail;
        EXPECT_NEAR(d.ATCashflow[y], payment - d.IntPart[y] * 0.4, 1e-9);
        EXPECT_DOUBLE_EQ(d.FedDeduction[y], d.IntPart[y]);
        EXPECT_DOUBLE_EQ(d.FedUndeducted[y], 0);
        EXPECT_DOUBLE_EQ(d.ProvUndeducted[y], 0);
    }
}

TEST(TermAnalysis, poolsUnderLimitedAndPartialDeduction)
{
    struct Case {
        const char* name;
        bool limited;
        double deductible;
        double rate;
        double poolPerInterest;  // pool growth per dollar of interest
    } cases[] = {
        // No return, no income: nothing deducted, all interest pooled.
        {"limited at 0 %", true, 100, 0, 1},
        // A loss gives a negative limit, still no deduction.
        {"limited at -5 %", true, 100, -0.05, 1},
        {"half deductible", false, 50, 0.06, 0.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AnalysisInputs in = test::SampleInputs();
        in.fedLimited = in.provLimited = c.limited;
        in.fedDeductible = in.provDeductible = c.deductible;
        const TermSlot slot = analyse(in, c.rate);
        const TermDetail& d = slot.Detail;
        const double payment = BuildTermLoan(in).LoanPayment;
        double interestSoFar = 0;
        for (int y = 1; y <= 10; ++y) {
            interestSoFar += d.IntPart[y];
            EXPECT_NEAR(d.FedUndeducted[y], c.poolPerInterest * interestSoFar, 1e-6) << "year " << y;
            EXPECT_NEAR(d.ProvUndeducted[y], c.poolPerInterest * interestSoFar, 1e-6) << "year " << y;
            if (c.limited) {
                EXPECT_EQ(d.FedDeduction[y], 0);
                EXPECT_NEAR(d.ATCashflow[y], payment, 1e-9);
            }
        }
    }
}

TEST(TermAnalysis, ampleIncomeDeductsInterestAndPoolEveryYear)
{
    AnalysisInputs in = test::SampleInputs();
    in.fedLimited = true;
    in.breakdown = {0, 0, 0, 100};  // 20 % all interest: income well above 8,000
    const TermSlot slot = analyse(in, 0.2);
    for (int y = 1; y <= 10; ++y) {
        EXPECT_DOUBLE_EQ(slot.Detail.FedDeduction[y], slot.Detail.IntPart[y]) << "year " << y;
        EXPECT_DOUBLE_EQ(slot.Detail.FedUndeducted[y], 0);
    }
}

TEST(TermAnalysis, wrongPaymentIsReported)
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

TEST(TermRun, breakEvenRowShowsNoDifference)
{
    AnalysisInputs in = test::SampleInputs();
    in.timesRepeated = 1;
    TermState state;
    const TermResults r = RunTermAnalysis(in, state);
    EXPECT_EQ(r.horizon, 20);
    ASSERT_EQ(r.projection.size(), 20u);
    ASSERT_NE(r.break_even_return, NoReturn);
    ASSERT_EQ(r.summary.size(), 5u);
    int flagged = 0;
    for (const SummaryRow& row : r.summary) {
        if (!row.break_even)
            continue;
        ++flagged;
        EXPECT_EQ(row.return_, r.break_even_return);
        EXPECT_EQ(row.leveraged, row.unleveraged);
        EXPECT_EQ(row.increase, 0);
        EXPECT_EQ(row.percent_increase, 0);
    }
    EXPECT_EQ(flagged, 1);

    const auto gap = [&](double rate) {
        const TermSlot s = analyse(in, rate);
        return s.Detail.NetBalancePayoff[20] - s.NoLevFV.BTBalance[20];
    };
    EXPECT_LT(gap(r.break_even_return - 0.0005), 0);
    EXPECT_GT(gap(r.break_even_return + 0.0005), 0);

    // The projection at 8 % ends where the 8 % summary row does.
    for (const SummaryRow& row : r.summary) {
        if (row.return_ == 0.08) {
            EXPECT_DOUBLE_EQ(r.projection.back().net_balance_payoff, row.leveraged);
            EXPECT_DOUBLE_EQ(r.projection.back().unleveraged_balance, row.unleveraged);
        }
    }
    EXPECT_DOUBLE_EQ(r.remaining_deductions.federal, state.Slots[0].Detail.FedUndeductedAfterPayoff[20]);
}

TEST(TermRun, loanRateOfZeroRunsWithoutABreakEven)
{
    AnalysisInputs in = test::SampleInputs();
    in.interestRate = 0;
    TermState state;
    const auto start = std::chrono::steady_clock::now();
    const TermResults r = RunTermAnalysis(in, state);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(state.Loan.LoanPayment, 10'000);  // L / n
    EXPECT_EQ(r.break_even_return, NoReturn);
    EXPECT_EQ(r.summary.size(), 4u);
    EXPECT_EQ(r.projection[0].interest, 0);
    EXPECT_EQ(r.projection[0].principal, 10'000);
}

TEST(TermRun, failureKeepsThePreviousAnalysis)
{
    TermState state;
    const TermResults first = RunTermAnalysis(test::SampleInputs(), state);
    AnalysisInputs bad = test::SampleInputs();
    bad.returns[2] = -150;
    EXPECT_THROW(RunTermAnalysis(bad, state), AnalysisError);
    EXPECT_EQ(state.Returns, first.returns);
    EXPECT_DOUBLE_EQ(state.Slots[0].Detail.NetBalancePayoff[10], first.projection.back().net_balance_payoff);
}

} // namespace
} // namespace gw
