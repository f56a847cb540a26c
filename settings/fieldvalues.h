#pragma once

#include "inputs.h"
#include "settingtable.h"

#include <vector>


// What the input fields make of a setting, shared by the windows and the
// command line so that both run an analysis on the same numbers: the
// display pattern a field shows a value with (the analysis runs on the value
// shown, not on the one stored), the legal range, and the one conversion of
// the fields' values into the inputs of an analysis.
namespace gw {

struct LegalRange {
    double low = 0;
    double high = 0;
    bool whole = false;

    // Within low..high (whole when it must be), and finite.
    bool contains(double value) const;

    bool operator==(const LegalRange&) const = default;
};

// The legal range of `s`, with the sponsor's limits from `limits`
// (MaxReturnAllowed, MinInterestRateAllowed). A limit is taken inward to a
// whole number; a setting without a range gets -inf..inf.
LegalRange RangeOf(Setting s, const SettingValues& limits);

// `value` as the field of `s` shows it: through its display pattern, or
// unchanged when it has none.
double ShownValue(Setting s, double value);
// A typed `value` as the field keeps it after leaving it: reformatted for
// the fields that reformat what is typed (money, setup rates), as typed
// otherwise.
double EnteredValue(Setting s, double value);

// The values the windows start from: every setting as its field shows it,
// and a ranged one moved into its legal range (whole ones rounded).
SettingValues StartValues(const SettingValues& read);

// A setting read outside its legal range, and the nearest legal value that
// replaced it.
struct Repair {
    Setting setting;
    double read = 0;
    double repaired = 0;
};

// Moves every setting read outside its legal range to the nearest legal
// value: the sponsor's limits first, then the defaults against them. A value
// that is only shown rounded is not a repair.
std::vector<Repair> RepairSettingValues(SettingValues& values);

// Whether the sponsor offers `strategy`. A sponsor file that offers none
// offers them all, so that the program stays usable.
bool StrategyOffered(const SettingValues& values, Strategy strategy);
// The first strategy offered.
Strategy FirstStrategyOffered(const SettingValues& values);

// The inputs of an analysis from the values the fields hold. The projection
// runs at the third return; `annualInvestment` is the dependent money field.
AnalysisInputs InputsFrom(const SettingValues& fields, double annualInvestment = 0);

} // namespace gw
