#include "inputs.h"

#include "error.h"

#include <string>

namespace gw {

double FedTaxRate(const AnalysisInputs& in)
{
    return in.taxRate / 100 * in.federalToMarginalRatio / 100;
}

double ProvTaxRate(const AnalysisInputs& in)
{
    return in.taxRate / 100 - FedTaxRate(in);
}

double DivTaxRate(const AnalysisInputs& in)
{
    const double tax = in.taxRate / 100;
    const auto interest = [&](int row) { return in.taxTable[row - 1].interestRate / 100; };
    const auto dividend = [&](int row) { return in.taxTable[row - 1].dividendRate / 100; };
    // Each later check overrides the earlier one.
    double rate = dividend(4);
    if (interest(4) >= tax)
        rate = dividend(3);
    if (interest(3) >= tax)
        rate = dividend(2);
    if (interest(2) >= tax)
        rate = dividend(1);
    return rate;
}

double OtherInvestRatio(double loanAmount, int investmentType, double otherUnleveraged)
{
    if (!(loanAmount > 0))
        throw AnalysisError("the loan amount must be above 0 (it is " + std::to_string(loanAmount) + ")");
    return OwnMoneyPerLoanDollar(investmentType) + otherUnleveraged / loanAmount;
}

double OwnMoneyPerLoanDollar(int investmentType)
{
    return investmentType > 0 ? 1.0 / investmentType : 0;
}

} // namespace gw
