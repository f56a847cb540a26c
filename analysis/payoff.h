#pragma once

// The sale that repays a loan from the leveraged investment: enough units are
// sold to repay the loan and the capital-gains tax that the sale itself
// triggers, and the pools of undeducted interest shelter that gain where
// capital gains count as investment income. Amounts in dollars, rates as
// fractions.
namespace gw {

struct PayoffTax {
    double CapGainsInclusionRate = 0;
    double TaxRate = 0;      // FedTaxRate + ProvTaxRate
    double ProvTaxRate = 0;
    double FedTaxRate = 0;
    bool ProvIncludeCG = false;  // the provincial pool may shelter the gain
    bool FedIncludeCG = false;   // the federal pool may shelter the gain
};

struct LoanPayoff {
    double NetBalance = 0;  // what remains invested; BT - L (zero or negative)
                            // when the balance does not cover the loan
    double ACBAfter = 0;    // cost base of what remains
    double FedLeft = 0;     // federal pool after sheltering the gain
    double ProvLeft = 0;    // provincial pool after sheltering the gain
};

// Sells from a balance `btBalance` with cost base `acb` to repay `loan`,
// using the pools `provPool` and `fedPool` of interest not yet deducted.
// A sale at a loss (cost base above the balance) leaves the pools as they
// are, and a pool that is not above 0 shelters nothing and is left as it is.
// Throws AnalysisError when an argument is not finite, when the balance is
// not above 0 although it exceeds the loan, or when the tax on the sale has
// no finite sum (an inclusion rate times a tax rate of 100 % or more).
LoanPayoff CalcLoanPayoff(double btBalance, double acb, double loan, double provPool, double fedPool,
                          const PayoffTax& tax);

} // namespace gw
