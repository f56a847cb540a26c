#pragma once

#include "records.h"
#include "windowsetup.h"

#include <array>
#include <cmath>

namespace gw {

// One jurisdiction's deduction of the loan interest, as the setup dialog
// shows it.
struct DeductionSetup {
    bool limited = false;      // limited to investment income; else the portion
    double deductible = 100;   // per cent of the interest deducted each year
    int includeCapGains = 0;   // list index: 0 yes (capital gains count as income), 1 no
    int defer = 0;             // list index: 0 yes, 1 no; kept, not used by the strategies
    double expenses = 0;       // per cent of assets a year, 0 to 5; kept, not used
};

// The values the setup dialog edits, in the units its fields show: dollars
// for the bracket starts, per cent for every rate (50 for 50 %).
struct SetupValues {
    std::array<TaxBracket, 4> taxTable{};  // row 0 is bracket 1
    double capGainsInclusionRate = 50;     // 0 to 100
    double federalToMarginalRatio = 60;    // federal share of the marginal rate, 0 to 100
    DeductionSetup fed;
    DeductionSetup prov;
    int language = 0;                      // 0 English, 1 French
};

namespace setup_detail {
// A stored fraction as per cent without the binary noise of x 100
// (0.29 gives 29, not 28.999999999999996).
inline double percentOf(double fraction)
{
    const double scaled = std::round(fraction * 1e12) / 1e10;
    return std::isfinite(scaled) ? scaled : 0;
}
inline int yesNoIndex(int index) { return index == 0 ? 0 : 1; }
} // namespace setup_detail

// The dialog's starting values from the settings records: tax-table rates and
// the inclusion rate are stored as fractions; everything else as shown. A
// list index other than 0 or 1 reads as "no" (1).
inline SetupValues SetupValuesFrom(const InputDefaults& d, int language)
{
    using setup_detail::percentOf;
    using setup_detail::yesNoIndex;
    SetupValues v;
    for (std::size_t n = 0; n < v.taxTable.size(); ++n)
        v.taxTable[n] = {d.StartOfTaxBracket[n], percentOf(d.InterestTaxRate[n]), percentOf(d.DividendTaxRate[n])};
    v.capGainsInclusionRate = percentOf(d.CapGainsInclusionRate);
    v.federalToMarginalRatio = d.FederalToMTRRatio;
    v.fed = {d.FedLimitedDeduct, d.FedInterestDeductibility, yesNoIndex(d.FedIncludeCapGains), yesNoIndex(d.FedDefer),
             d.FedInvestmentExpenses};
    v.prov = {d.ProvLimitedDeduct, d.ProvInterestDeductibility, yesNoIndex(d.ProvIncludeCapGains),
              yesNoIndex(d.ProvDefer), d.ProvInvestmentExpenses};
    v.language = language;
    return v;
}

// What the main window copies into every analysis.
inline TaxSettings ToTaxSettings(const SetupValues& v)
{
    TaxSettings tax;
    tax.capGainsInclusionRate = v.capGainsInclusionRate;
    tax.federalToMarginalRatio = v.federalToMarginalRatio;
    tax.fedLimited = v.fed.limited;
    tax.provLimited = v.prov.limited;
    tax.fedDeductible = v.fed.deductible;
    tax.provDeductible = v.prov.deductible;
    tax.fedIncludeCG = v.fed.includeCapGains == 0;
    tax.provIncludeCG = v.prov.includeCapGains == 0;
    tax.fedExpenses = v.fed.expenses;
    tax.provExpenses = v.prov.expenses;
    tax.taxTable = v.taxTable;
    return tax;
}

} // namespace gw
