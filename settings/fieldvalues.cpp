#include "fieldvalues.h"

#include "captions.h"
#include "numformat.h"

#include <algorithm>
#include <cmath>

namespace gw {

namespace {

// Sponsor limits past this are taken as no limit: the spinners hold whole
// numbers in 16 bits.
constexpr double kLimitReach = 32767;

double bound(const Bound& b, const SettingValues& limits, bool low)
{
    if (b.from == Setting::Count)
        return b.value;
    const double value = limits[b.from];
    if (!std::isfinite(value))
        return low ? -kLimitReach : kLimitReach;
    return std::clamp(low ? std::ceil(value) : std::floor(value), -kLimitReach, kLimitReach);
}

} // namespace

bool LegalRange::contains(double value) const
{
    return std::isfinite(value) && value >= low && value <= high && (!whole || value == std::floor(value));
}

LegalRange RangeOf(Setting s, const SettingValues& limits)
{
    const SettingRow& row = Row(s);
    if (!row.ranged)
        return {-INFINITY, INFINITY, false};
    LegalRange range{bound(row.low, limits, true), bound(row.high, limits, false), row.whole};
    // A minimum above the fixed maximum leaves one legal value.
    range.low = std::min(range.low, range.high);
    return range;
}

double ShownValue(Setting s, double value)
{
    const SettingRow& row = Row(s);
    if (row.pattern.empty() || !std::isfinite(value))
        return value;
    return ReadField(FormatNumber(value, row.pattern, English), English);
}

double EnteredValue(Setting s, double value)
{
    return Row(s).patternOnEntry ? ShownValue(s, value) : value;
}

namespace {

// The nearest legal value of `s`; whole ones rounded first.
double nearestLegal(Setting s, double value, const SettingValues& limits)
{
    const LegalRange range = RangeOf(s, limits);
    if (range.whole)
        value = RoundHalfAwayFromZero(value);
    return std::clamp(value, range.low, range.high);
}

} // namespace

SettingValues StartValues(const SettingValues& read)
{
    SettingValues start = read;
    for (const SettingRow& row : SettingRows()) {
        const double shown = ShownValue(row.id, read[row.id]);
        start[row.id] = row.ranged ? nearestLegal(row.id, shown, read) : shown;
    }
    return start;
}

std::vector<Repair> RepairSettingValues(SettingValues& values)
{
    std::vector<Repair> repairs;
    // The limits bound the defaults, so they go first.
    for (const Section section : {Section::InputLimits, Section::InputDefaults}) {
        for (const SettingRow& row : SettingRows()) {
            if (row.section != section || !row.ranged || !row.read)
                continue;
            const double read = values[row.id];
            if (RangeOf(row.id, values).contains(read))
                continue;
            values[row.id] = nearestLegal(row.id, read, values);
            repairs.push_back({row.id, read, values[row.id]});
        }
    }
    return repairs;
}

namespace {

Setting offerFlag(Strategy strategy)
{
    switch (strategy) {
    case Strategy::InterestOnly: return Setting::ShowIntOnlyAnalysis;
    case Strategy::TermLoan: return Setting::ShowTermLoanAnalysis;
    case Strategy::RRSP: return Setting::ShowRRSPAnalysis;
    }
    return Setting::Count;
}

} // namespace

bool StrategyOffered(const SettingValues& values, Strategy strategy)
{
    const Setting flag = offerFlag(strategy);
    if (flag == Setting::Count)
        return false;
    const bool none = !values.flag(Setting::ShowIntOnlyAnalysis) && !values.flag(Setting::ShowTermLoanAnalysis) &&
                      !values.flag(Setting::ShowRRSPAnalysis);
    return none || values.flag(flag);
}

Strategy FirstStrategyOffered(const SettingValues& values)
{
    for (Strategy s : {Strategy::InterestOnly, Strategy::TermLoan})
        if (StrategyOffered(values, s))
            return s;
    return Strategy::RRSP;
}

AnalysisInputs InputsFrom(const SettingValues& f, double annualInvestment)
{
    using S = Setting;
    AnalysisInputs in;
    in.loanAmount = f[S::LoanAmount];
    in.annualInvestment = annualInvestment;
    in.taxRate = f[S::TaxRate];
    in.interestRate = f[S::InterestRateOnLoan];
    in.savingsPeriod = f[S::SavingsPeriod];
    for (int n = 0; n < 4; ++n)
        in.returns[n] = f[Nth(S::ProjectedReturn1, n)];
    in.projectionReturn = in.returns[2];
    in.breakdown = {f[S::DeferredCapitalGains], f[S::CapitalGains], f[S::Dividends], f[S::Interest]};
    in.timesRepeated = f[S::TimesLoanRepeated];
    in.investmentType = f.index(S::InvestmentType);
    in.otherUnleveraged = f[S::OtherUnleveragedIncome];
    in.capGainsInclusionRate = f[S::CapGainsInclusionRate];
    in.federalToMarginalRatio = f[S::FederalToMTRRatio];
    in.fedLimited = f.flag(S::FedLimitedDeduct);
    in.provLimited = f.flag(S::ProvLimitedDeduct);
    in.fedDeductible = f[S::FedInterestDeductibility];
    in.provDeductible = f[S::ProvInterestDeductibility];
    // List index 0 is "yes".
    in.fedIncludeCG = f.index(S::FedIncludeCapGains) == 0;
    in.provIncludeCG = f.index(S::ProvIncludeCapGains) == 0;
    in.fedExpenses = f[S::FedInvestmentExpenses];
    in.provExpenses = f[S::ProvInvestmentExpenses];
    for (int n = 0; n < 4; ++n) {
        in.taxTable[n] = {f[Nth(S::StartOfTaxBracket1, n)], f[Nth(S::InterestTaxRate1, n)],
                          f[Nth(S::DividendTaxRate1, n)]};
    }
    return in;
}

} // namespace gw
