// The settings readers on any lines: the lookup of one key, the whole table
// of settings read from a sponsor and a user file, what the fields make of
// the values read, and their repair into the legal ranges. The input is the key on its first line, then the
// sponsor lines; a line "%%" starts the user lines (else they are the
// sponsor's).
#include "fieldvalues.h"
#include "fuzz_check.h"
#include "settingsfile.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

using namespace gw;

namespace {

// Whether `value` is what precedes an "=" on a line after the first.
bool ValueOfSomeLine(const std::string& value, const SettingLines& lines)
{
    for (std::size_t i = 1; i < lines.size(); ++i)
        if (lines[i].size() > value.size() && lines[i].compare(0, value.size(), value) == 0
            && lines[i][value.size()] == '=')
            return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::string> lines = fuzz::Split(fuzz::Bytes(data, size), '\n');
    auto [key, sponsor, user] = fuzz::SplitKeyAndTables(lines);
    if (user.empty())
        user = sponsor;

    fuzz::CountingReporter reporter;
    const std::string value = GetSettingValue(key, sponsor, true, reporter);
    if (!value.empty()) {
        FUZZ_CHECK(reporter.count == 0);
        FUZZ_CHECK(ValueOfSomeLine(value, sponsor));
    }

    const SponsorInfo info = ReadSponsorInfo(sponsor, reporter);
    (void)GetLegalDisclaimer(sponsor, English);
    (void)GetLegalDisclaimer(sponsor, French);

    const SettingValues read = ReadSettingValues(sponsor, user, reporter);
    const SettingValues start = StartValues(read);
    for (const SettingRow& row : SettingRows()) {
        const double v = read[row.id];
        FUZZ_CHECK(!std::isnan(v));
        const LegalRange range = RangeOf(row.id, read);
        FUZZ_CHECK(range.low <= range.high);
        // The windows start every ranged field inside its range.
        if (row.ranged && row.id != Setting::LoanAmount)
            FUZZ_CHECK(range.contains(start[row.id]));
        (void)ShownValue(row.id, v);
        (void)EnteredValue(row.id, v);
        (void)read.index(row.id);
        (void)start.index(row.id);
        // A value read is written back as a text that reads the same.
        const std::string stored = StoredText(row, v);
        if (row.stored == Stored::Number || row.stored == Stored::WholeDollars)
            FUZZ_CHECK(ReadStored(row, stored) == (std::isfinite(v) ? v : 0));
        (void)StoredText(row, start[row.id]);
    }
    // Repairs put every limit and default into its range, in one pass.
    SettingValues repaired = read;
    (void)RepairSettingValues(repaired);
    for (const SettingRow& row : SettingRows())
        if (row.ranged && row.read && row.section != Section::AnalysisRestrictions)
            FUZZ_CHECK(RangeOf(row.id, repaired).contains(repaired[row.id]));
    SettingValues again = repaired;
    FUZZ_CHECK(RepairSettingValues(again).empty() && again == repaired);

    (void)InputsFrom(start);
    (void)FirstStrategyOffered(read);
    (void)info;
    return 0;
}
