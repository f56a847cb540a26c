#pragma once

#include "printjob.h"
#include "records.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

// What the user file keeps of the print dialog: the eight print flags of
// the defaults and who prepares the reports.
namespace gw {

struct UserFileValues;

inline constexpr std::string_view kAdvisorNameKey = "Advisor Name";
inline constexpr std::string_view kAdvisorCompanyKey = "Advisor Company";
// Longest advisor name or company kept, in characters; a longer line would
// not fit a record of the user file.
inline constexpr std::size_t kMaxAdvisorField = 100;

// The settings the print dialog keeps: which reports are ticked, how the
// summary ends, and whether the name lines print.
inline constexpr std::array<Setting, 9> kPrintSettings{
    Setting::PrintSummaryChecklist, Setting::PrintLegalDisclaimer, Setting::PrintSignatures,
    Setting::PrintSummary,          Setting::PrintProjection,      Setting::PrintChecklistPage,
    Setting::PrintOutcomes,         Setting::PrintName,            Setting::PrintCompanyName};

// The print dialog's state as Save Defaults writes it: its settings
// (kPrintSettings) and who prepares the reports.
struct PrintDefaults {
    SettingValues values;
    AdvisorInfo advisor;
};

// The advisor's name and company from the user lines ("Advisor Name",
// "Advisor Company"); empty when absent.
AdvisorInfo ReadAdvisorInfo(const SettingLines& userLines);

// The print settings read at start-up and the advisor saved in the user
// lines.
PrintDefaults PrintDefaultsFrom(const ProgramSettings& settings);

// Trimmed, without line breaks, at most kMaxAdvisorField characters.
std::string CleanAdvisorField(std::string_view text);

// Sets the print settings of `values` and puts the advisor's name and
// company (cleaned) among its further settings, replacing earlier ones.
void ApplyPrintDefaults(const PrintDefaults& defaults, UserFileValues& values);

} // namespace gw
