#pragma once

// Settings the window tests and benchmarks start the main window from.
#include "settingtable.h"

namespace gw::test {

// 100,000 at 8 % for 10 years, tax 40 % of which 60 % federal, returns of 6
// to 12 % (projection at 10 %), mostly deferred gains, half of the gains
// taxed, the whole interest deductible, returns up to 50 % and loan rates
// from 2 %, every strategy offered, no sponsor warnings, outcomes at 16 %
// volatility over 10,000 paths; the tax table is all zeros.
inline SettingValues SampleSettingValues()
{
    using S = Setting;
    SettingValues v;
    v[S::MaxReturnAllowed] = 50;
    v[S::MinInterestRateAllowed] = 2;
    v[S::LoanAmount] = 100000;
    v[S::TaxRate] = 40;
    v[S::InterestRateOnLoan] = 8;
    v[S::SavingsPeriod] = 10;
    v[S::ProjectedReturn1] = 6;
    v[S::ProjectedReturn2] = 8;
    v[S::ProjectedReturn3] = 10;
    v[S::ProjectedReturn4] = 12;
    v[S::ProjectionReturn] = 10;
    v[S::DeferredCapitalGains] = 70;
    v[S::CapitalGains] = 25;
    v[S::Dividends] = 5;
    v[S::CapGainsInclusionRate] = 50;
    v[S::FederalToMTRRatio] = 60;
    v[S::FedInterestDeductibility] = 100;
    v[S::ProvInterestDeductibility] = 100;
    v[S::Volatility] = 16;
    v[S::OutcomePaths] = 10000;
    v[S::OutcomeSeed] = 20261206;
    return v;
}

// The four rows of the tax table: bracket start, interest rate, dividend rate.
inline void SetTaxTable(SettingValues& v, const std::array<std::array<double, 3>, 4>& rows)
{
    for (int n = 0; n < 4; ++n) {
        v[Nth(Setting::StartOfTaxBracket1, n)] = rows[n][0];
        v[Nth(Setting::InterestTaxRate1, n)] = rows[n][1];
        v[Nth(Setting::DividendTaxRate1, n)] = rows[n][2];
    }
}

} // namespace gw::test
