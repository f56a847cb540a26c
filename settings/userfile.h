#pragma once

#include "records.h"
#include "textveil.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace gw {

class SettingsReporter;

// What Save Defaults writes to User.dat.
struct UserFileValues {
    SponsorInfo sponsorInfo;  // written trimmed; logoPath is never written
    Language CurrentLanguage = English;
    // Every setting of the table, in the units its field shows: the
    // strategies offered and the limits as read, the rest what the windows
    // hold now.
    SettingValues values;

    // Further settings (key, value), written as "value= key" after the tax
    // table, e.g. {"Advisor Name", "..."}. Read them back with
    // GetSettingValue(key, UserLines). Keys must not contain "=".
    std::vector<std::pair<std::string, std::string>> extraSettings;
};

// Values to start a save from: the sponsor's records, the language and
// every setting as read at start-up. The windows then set what they hold.
UserFileValues UserFileValuesFrom(const ProgramSettings& settings);

// Appends the chunk lines of a long setting: `text` trimmed, line breaks
// removed, cut into pieces of 125 characters, each written as
// "<piece>=<key><k>" with k = 1, 2, ... An empty text appends nothing.
void WriteChunkedSetting(std::string_view text, std::string_view key, std::vector<std::string>& lines);

// The plain lines of User.dat (UTF-8) in the order the file keeps them,
// with the sponsor's legal disclaimers in both languages at the end.
std::vector<std::string> BuildUserFileLines(const UserFileValues& values, const SettingLines& sponsorLines);

inline constexpr std::string_view kUserFileNotWritten =
    "User.dat not written successfully. There was an error writing to the loaded file, or the specified location.";

// Writes User.dat in `folder` atomically: every record is built first (a
// line over 174 characters fails before anything is written), then a
// temporary file is written and renamed over User.dat. On any failure the
// old file stays as it was (a missing `folder` is created first), kUserFileNotWritten and the reason are reported
// (title "Error") and false is returned. Characters that Windows-1252
// cannot store are written as "?".
bool SaveUserFile(const std::filesystem::path& folder, const UserFileValues& values, const SettingLines& sponsorLines,
                  SettingsReporter& reporter, const VeilRandom& random);
bool SaveUserFile(const std::filesystem::path& folder, const UserFileValues& values, const SettingLines& sponsorLines,
                  SettingsReporter& reporter);
// In settings.UserFolder(), with the disclaimers of settings.SponsorLines.
bool SaveUserFile(const ProgramSettings& settings, const UserFileValues& values, SettingsReporter& reporter);

} // namespace gw
