#include "error.h"
#include "intonly.h"
#include "sample_inputs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace gw {
namespace {

IntOnlySlot analyse(const AnalysisInputs& in, double rate, GenericInvestment* record = nullptr)
{
    GenericInvestment inv = BuildIntOnlyInvestment(in);
    const IntOnlyLoan loan = BuildIntOnlyLoan(in);
    inv.ReturnPerPeriod = rate;
    IntOnlySlot slot;
    CalcIntOnlyLevAnalysis(inv, loan, slot);
    if (record)
        *record = inv;
    return slot;
}

TEST(IntOnlyBuild, readsTheFieldsAsWholeDollarsAndYears)
{
    AnalysisInputs in = test::SampleInputs();
    in.loanAmount = 100'000.5;
    in.savingsPeriod = 10.5;
    in.investmentType = 2;
    in.otherUnleveraged = 9'999.6;
    in.fedLimited = true;
    in.fedDeductible = 50;
    in.provDeductible = 70;
    const GenericInvestment inv = BuildIntOnlyInvestment(in);
    const IntOnlyLoan loan = BuildIntOnlyLoan(in);
    EXPECT_EQ(inv.InitialInvestment, 100'001);
    EXPECT_EQ(inv.InitialInvestmentACB, 100'001);
    EXPECT_EQ(inv.NPeriods, 10);  // halves go to even
    EXPECT_DOUBLE_EQ(inv.DivTaxRate, 0.10);
    EXPECT_DOUBLE_EQ(inv.DCGRatioOfReturn, 0.5);
    EXPECT_DOUBLE_EQ(inv.IntRatioOfReturn, 0.2);
    EXPECT_NEAR(inv.FedTaxRate, 0.24, 1e-15);
    EXPECT_EQ(loan.LoanAmount, 100'001);
    EXPECT_DOUBLE_EQ(loan.FedDeductRatio, 1);  // limited
    EXPECT_DOUBLE_EQ(loan.ProvDeductRatio, 0.7);
    EXPECT_DOUBLE_EQ(loan.OtherInvestRatio, (100'001 / 2.0 + 10'000) / 100'001);

    in.savingsPeriod = 11.5;
    EXPECT_EQ(BuildIntOnlyInvestment(in).NPeriods, 12);
}

TEST(IntOnlyBuild, rejectsInputsWithoutAnAnalysis)
{
    struct Case {
        const char* name;
        void (*change)(AnalysisInputs&);
    } cases[] = {
        {"no savings period", [](AnalysisInputs& in) { in.savingsPeriod = 0; }},
        {"81 years", [](AnalysisInputs& in) { in.savingsPeriod = 81; }},
        {"huge period", [](AnalysisInputs& in) { in.savingsPeriod = 1e300; }},
        {"no loan", [](AnalysisInputs& in) { in.loanAmount = 0.4; }},
        {"investment type 5", [](AnalysisInputs& in) { in.investmentType = 5; }},
        {"tax rate not a number", [](AnalysisInputs& in) { in.taxRate = std::numeric_limits<double>::quiet_NaN(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AnalysisInputs in = test::SampleInputs();
        c.change(in);
        EXPECT_THROW(
            {
                BuildIntOnlyInvestment(in);
                BuildIntOnlyLoan(in);
            },
            AnalysisError);
    }
}

TEST(IntOnlyAnalysis, zeroReturnLeavesNothingAfterRepaying)
{
    const IntOnlySlot slot = analyse(test::SampleInputs(), 0);
    for (int y = 1; y <= 10; ++y) {
        SCOPED_TRACE(y);
        EXPECT_DOUBLE_EQ(slot.LevFV.BTBalance[y], 100'000);
        EXPECT_DOUBLE_EQ(slot.Detail.NetBalancePayoff[y], 0);
        // 8,000 interest costs 8,000 x 0.6 after tax; at 0 % it just adds up.
        EXPECT_NEAR(slot.NoLevFV.BTBalance[y], 4'800.0 * y, 1e-6);
    }
}

TEST(IntOnlyAnalysis, fullDeductionCostsInterestAfterTax)
{
    for (double rate : {0.0, 0.05, 0.12}) {
        SCOPED_TRACE(rate);
        GenericInvestment record;
        const IntOnlySlot slot = analyse(test::SampleInputs(), rate, &record);
        for (int y = 1; y <= 10; ++y) {
            EXPECT_NEAR(record.Cashflow[y], 8'000 * (1 - 0.4), 1e-9) << "year " << y;
            EXPECT_DOUBLE_EQ(slot.Detail.FedDeduction[y], 8'000);
            EXPECT_DOUBLE_EQ(slot.Detail.ProvDeduction[y], 8'000);
            EXPECT_DOUBLE_EQ(slot.Detail.FedUndeducted[y], 0);
            EXPECT_DOUBLE_EQ(slot.Detail.ProvUndeducted[y], 0);
        }
    }
}

// Hand calculation at 8 %: the unit price rises 4 %, 4,000 is distributed and
// taxed at 0.4 x 0.4 x 0.5 + 0.2 x 0.10 + 0.4 x 0.4 = 26 %, so the balance is
// 104,000 + 2,960 = 106,960 with cost base 102,960. Repaying 100,000 sells at
// k = (1 - 102,960 / 106,960) x 0.5 taxable per dollar: tax
// 100,000 k 0.4 / (1 - 0.4 k) = 753.58, net 6,206.42. The unleveraged side
// holds 4,800 after year 1 and 4,800 x 1.04 + 192 x 0.74 + 4,800 = 9,934.08
// after year 2.
TEST(IntOnlyAnalysis, firstYearsMatchAHandCalculation)
{
    const IntOnlySlot slot = analyse(test::SampleInputs(), 0.08);
    EXPECT_NEAR(slot.LevFV.BTBalance[1], 106'960, 1e-6);
    EXPECT_NEAR(slot.LevFV.ACB[1], 102'960, 1e-6);
    EXPECT_NEAR(slot.Detail.NetBalancePayoff[1], 6'206.4205, 1e-3);
    EXPECT_NEAR(slot.Detail.ACBAfter[1], 5'974.3180, 1e-3);
    EXPECT_NEAR(slot.NoLevFV.BTBalance[1], 4'800, 1e-9);
    EXPECT_NEAR(slot.NoLevFV.BTBalance[2], 9'934.08, 1e-6);
}

TEST(IntOnlyAnalysis, halfDeductibleInterestFillsThePool)
{
    AnalysisInputs in = test::SampleInputs();
    in.fedDeductible = 50;
    GenericInvestment record;
    const IntOnlySlot slot = analyse(in, 0.08, &record);
    for (int y = 1; y <= 10; ++y) {
        SCOPED_TRACE(y);
        EXPECT_DOUBLE_EQ(slot.Detail.FedDeduction[y], 4'000);
        EXPECT_NEAR(slot.Detail.FedUndeducted[y], 4'000.0 * y, 1e-9);
        EXPECT_DOUBLE_EQ(slot.Detail.ProvUndeducted[y], 0);
        // 8,000 less 8,000 x 16 % less 4,000 x 24 %.
        EXPECT_NEAR(record.Cashflow[y], 5'760, 1e-9);
    }
    // The pool shelters the gain of the repayment sale only where capital
    // gains count as income.
    EXPECT_LT(slot.Detail.FedUndeductedAfterPayoff[10], slot.Detail.FedUndeducted[10]);
    const IntOnlySlot full = analyse(test::SampleInputs(), 0.08);
    EXPECT_GT(slot.Detail.NetBalancePayoff[10], full.Detail.NetBalancePayoff[10]);

    in.fedIncludeCG = false;
    const IntOnlySlot notCounted = analyse(in, 0.08);
    EXPECT_DOUBLE_EQ(notCounted.Detail.FedUndeductedAfterPayoff[10], notCounted.Detail.FedUndeducted[10]);
}

// All-interest return of 7.5 % on 100,000: income 7,500 x 1.045^(y-1) (the
// balance grows by the 4.5 % left after tax). Against 8,000 of interest:
//   y1 deduct 7,500, pool 500;   y2 deduct 7,837.5, pool 662.5;
//   y3 deduct 8,190.1875, pool 472.3125;
//   y4 income 8,558.75 covers 8,000 + 472.3125: deduct 8,472.3125, pool 0.
TEST(IntOnlyAnalysis, limitedFederalDeductionIsCarriedForward)
{
    AnalysisInputs in = test::SampleInputs();
    in.fedLimited = true;
    in.breakdown = {0, 0, 0, 100};
    GenericInvestment record;
    const IntOnlySlot slot = analyse(in, 0.075, &record);
    const double deduction[] = {7'500, 7'837.5, 8'190.1875, 8'472.3125};
    const double pool[] = {500, 662.5, 472.3125, 0};
    for (int y = 1; y <= 4; ++y) {
        SCOPED_TRACE(y);
        EXPECT_NEAR(slot.Detail.FedDeduction[y], deduction[y - 1], 1e-6);
        EXPECT_NEAR(slot.Detail.FedUndeducted[y], pool[y - 1], 1e-6);
        EXPECT_DOUBLE_EQ(slot.Detail.ProvDeduction[y], 8'000);
    }
    // 8,000 less 8,000 x 16 % less 7,500 x 24 %.
    EXPECT_NEAR(record.Cashflow[1], 4'920, 1e-9);
}

TEST(IntOnlyAnalysis, otherInvestmentsRaiseTheLimit)
{
    AnalysisInputs in = test::SampleInputs();
    in.fedLimited = true;
    in.breakdown = {0, 0, 0, 100};
    in.otherUnleveraged = 100'000;  // doubles the income: 15,000 in year 1
    const IntOnlySlot slot = analyse(in, 0.075);
    EXPECT_DOUBLE_EQ(slot.Detail.FedDeduction[1], 8'000);
    EXPECT_DOUBLE_EQ(slot.Detail.FedUndeducted[1], 0);
}

const SummaryRow* breakEvenRow(const IntOnlyResults& r)
{
    for (const SummaryRow& row : r.summary) {
        if (row.break_even)
            return &row;
    }
    return nullptr;
}

TEST(IntOnlyRun, breakEvenRowSitsAmongTheReturnsWithEqualValues)
{
    IntOnlyState state;
    const IntOnlyResults r = RunIntOnlyAnalysis(test::SampleInputs(), state);
    ASSERT_NE(r.break_even_return, NoReturn);
    ASSERT_EQ(r.summary.size(), 5u);
    for (std::size_t i = 0; i < r.summary.size(); ++i) {
        EXPECT_EQ(r.summary[i].slot, static_cast<int>(i) + 1);
        if (i > 0) {
            EXPECT_LE(r.summary[i - 1].return_, r.summary[i].return_);
        }
    }
    const SummaryRow* row = breakEvenRow(r);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->return_, r.break_even_return);
    EXPECT_EQ(row->leveraged, row->unleveraged);
    EXPECT_EQ(row->increase, 0);
    EXPECT_EQ(row->percent_increase, 0);
    EXPECT_EQ(state.BreakEvenReturn, r.break_even_return);

    // The gap changes sign across the return found.
    const auto gap = [](double rate) {
        const IntOnlySlot s = analyse(test::SampleInputs(), rate);
        return s.Detail.NetBalancePayoff[10] - s.NoLevFV.BTBalance[10];
    };
    EXPECT_LT(gap(r.break_even_return - 0.0005), 0);
    EXPECT_GT(gap(r.break_even_return + 0.0005), 0);
}

TEST(IntOnlyRun, summaryAndProjectionAgree)
{
    IntOnlyState state;
    const IntOnlyResults r = RunIntOnlyAnalysis(test::SampleInputs(), state);
    ASSERT_EQ(r.projection.size(), 10u);
    EXPECT_EQ(r.horizon, 10);
    EXPECT_EQ(r.loan_amount, 100'000);
    EXPECT_FALSE(r.deduction_limited);

    // The 0 % row: nothing left after repaying, 48,000 without the loan.
    const SummaryRow& zero = r.summary.front();
    EXPECT_EQ(zero.return_, 0);
    EXPECT_EQ(zero.leveraged, 0);
    EXPECT_NEAR(zero.unleveraged, 48'000, 1e-6);
    EXPECT_NEAR(zero.percent_increase, -1, 1e-12);

    // The projection runs at 8 %, one of the summary returns.
    const IntOnlyYear& last = r.projection.back();
    const SummaryRow* at8 = nullptr;
    for (const SummaryRow& row : r.summary) {
        if (row.return_ == 0.08)
            at8 = &row;
    }
    ASSERT_NE(at8, nullptr);
    EXPECT_EQ(last.year, 10);
    EXPECT_DOUBLE_EQ(last.net_balance_payoff, at8->leveraged);
    EXPECT_DOUBLE_EQ(last.unleveraged_balance, at8->unleveraged);
    EXPECT_DOUBLE_EQ(last.increase, at8->increase);
    EXPECT_NEAR(r.projection[0].after_tax_cost, 4'800, 1e-9);
    EXPECT_NEAR(r.projection[0].net_balance_payoff, 6'206.4205, 1e-3);
    EXPECT_DOUBLE_EQ(r.remaining_deductions.federal, state.Slots[0].Detail.FedUndeductedAfterPayoff[10]);
}

TEST(IntOnlyRun, equalReturnsGiveSeparateRows)
{
    AnalysisInputs in = test::SampleInputs();
    in.returns = {6, 6, 6, 6};
    IntOnlyState state;
    const IntOnlyResults r = RunIntOnlyAnalysis(in, state);
    ASSERT_EQ(r.summary.size(), 5u);
    std::vector<const SummaryRow*> sixes;
    for (const SummaryRow& row : r.summary) {
        if (row.return_ == 0.06)
            sixes.push_back(&row);
    }
    ASSERT_EQ(sixes.size(), 4u);
    for (const SummaryRow* row : sixes) {
        EXPECT_EQ(row->leveraged, sixes.front()->leveraged);
        EXPECT_EQ(row->unleveraged, sixes.front()->unleveraged);
    }
}

TEST(IntOnlyRun, noBreakEvenLeavesFourRows)
{
    // At a loan rate of 0 there is nothing to break even against.
    AnalysisInputs in = test::SampleInputs();
    in.interestRate = 0;
    IntOnlyState state;
    const IntOnlyResults r = RunIntOnlyAnalysis(in, state);
    EXPECT_EQ(r.break_even_return, NoReturn);
    EXPECT_EQ(r.returns[1], NoReturn);
    ASSERT_EQ(r.summary.size(), 4u);
    EXPECT_EQ(r.summary.front().slot, 2);
    for (const SummaryRow& row : r.summary)
        EXPECT_FALSE(row.break_even);
}

TEST(IntOnlyRun, failureKeepsThePreviousAnalysis)
{
    IntOnlyState state;
    const IntOnlyResults first = RunIntOnlyAnalysis(test::SampleInputs(), state);
    AnalysisInputs bad = test::SampleInputs();
    bad.projectionReturn = -100;
    EXPECT_THROW(RunIntOnlyAnalysis(bad, state), AnalysisError);
    EXPECT_EQ(state.BreakEvenReturn, first.break_even_return);
    EXPECT_EQ(state.Returns, first.returns);
    EXPECT_DOUBLE_EQ(state.Slots[0].Detail.NetBalancePayoff[10], first.projection.back().net_balance_payoff);
}

} // namespace
} // namespace gw
