#pragma once

#include "records.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace gw {

class SettingsReporter;

inline constexpr std::string_view kSponsorFileName = "Config.dat";
inline constexpr std::string_view kUserFileName = "User.dat";
inline constexpr std::string_view kConfigFileError = "Error with config.dat file";
inline constexpr std::string_view kReinstall = "Please re-install the software.";

// Fills `sponsorLines` from Config.dat in `folder` and `userLines` from
// User.dat, or from Config.dat again when there is no User.dat.
// - Config.dat missing: reports kConfigFileError and returns false (the
//   program must end; a missing sponsor file is never read as empty).
// - A Config.dat record that does not unmask: reports the masking error 301
//   and returns false.
// - Config.dat that cannot be read, is larger than a settings file can be,
//   or holds no setting (empty, section lines only, damaged from its first
//   record): one message naming the file, the reason and what to do, and
//   false, rather than a window of zeros.
// - Config.dat cut short or with a bad record length after some settings:
//   reports kConfigFileError and keeps the records read before it; the keys
//   it lacks are then reported by the lookups and read as absent.
// - User.dat damaged in any way, empty or without a setting: reported once,
//   and the sponsor file's lines are used instead, so a broken user file
//   never locks the program out.
bool LoadSettingsFiles(const std::filesystem::path& folder, SettingLines& sponsorLines, SettingLines& userLines,
                       SettingsReporter& reporter);
// The same with User.dat read from `userFile`.
bool LoadSettingsFiles(const std::filesystem::path& folder, const std::filesystem::path& userFile,
                       SettingLines& sponsorLines, SettingLines& userLines, SettingsReporter& reporter);

// A setting line is "value=key"; the key is what follows the last "=",
// trimmed of blanks, and matches without regard to case; the value is what
// precedes that "=", untrimmed. Slot 0 (the first section line) is never
// examined and the first matching slot wins. When nothing matches, returns
// the empty text, after reporting "<key> not found in the config file..."
// when `report` is set.
std::string GetSettingValue(std::string_view key, const SettingLines& lines, bool report, SettingsReporter& reporter);
std::string GetSettingValue(std::string_view key, const SettingLines& lines);
// The value of the first line for `key`, or nullopt when no line has it
// (an empty value is a value).
std::optional<std::string> FindSettingValue(std::string_view key, const SettingLines& lines);

// The text settings of "[SponsorInfo]", in the order they are read and
// written, with the field of SponsorInfo that holds each.
struct SponsorKey {
    std::string_view key;
    std::string SponsorInfo::*field;
};
inline const std::array<SponsorKey, 6> kSponsorKeys{{
    {"SponsorName", &SponsorInfo::SponsorName},
    {"AppTitle", &SponsorInfo::AppTitle},
    {"PrintoutFooter", &SponsorInfo::PrintoutFooter},
    {"helpPath", &SponsorInfo::helpPath},
    {"helpCaption", &SponsorInfo::helpCaption},
    {"logoPath", &SponsorInfo::logoPath},
}};
// The language last used ("0" English, "1" French), in the user file.
inline constexpr std::string_view kPrevLanguageKey = "PrevLanguage";
// The bases of the legal disclaimer's numbered chunks.
inline constexpr std::string_view kLegalDisclaimerEnglishKey = "LegalDisclaimerEnglish";
inline constexpr std::string_view kLegalDisclaimerFrenchKey = "LegalDisclaimerFrench";

// "[SponsorInfo]" from the sponsor file, every key reported when missing;
// with SponsorName "none" nothing else is read. logoPath is as stored: the
// start-up replaces it (LoadStartUpSettings).
SponsorInfo ReadSponsorInfo(const SettingLines& sponsorLines, SettingsReporter& reporter);

// Every setting of the table that is read back, in its order: a default
// input is looked up in the sponsor file (reported when missing there,
// value ignored) and its value taken from the user lines (absent: 0 / off
// without a message, except that a setting added since user files were
// first saved takes the sponsor file's value, SettingRow::sponsorWhenAbsent);
// the strategies offered and the input limits come from the sponsor file,
// reported when missing. So a flag of "[AnalysisRestrictions]" stored as
// "True" reads as not offered.
SettingValues ReadSettingValues(const SettingLines& sponsorLines, const SettingLines& userLines,
                                SettingsReporter& reporter);

// The sponsor's legal disclaimer in `language` (0 English, 1 French):
// the chunks "LegalDisclaimerEnglish1", "...2", ... joined until the first
// empty one, line feeds removed. Empty for any other language.
std::string GetLegalDisclaimer(const SettingLines& sponsorLines, int language);
// In settings.CurrentLanguage.
std::string GetLegalDisclaimer(const ProgramSettings& settings);

// "Welcome.jpg" (0) or "Welcome-French.jpg" (1) when that file is in
// `folder`, otherwise the empty text.
std::string GetWelcomePicture(const std::filesystem::path& folder, int language);

// The start-up of the data layer, in order: the settings files, the
// language from "PrevLanguage" in the user lines (reported when missing;
// anything but 1 means English), both caption tables, SponsorInfo,
// IsSponsored and, when sponsored, logoPath = the welcome picture.
// `settings.folder` must be set; User.dat is read from settings.UserFolder()
// or, when it has none, from settings.folder. Returns false when the program must end,
// after the loaders reported why.
bool LoadStartUpSettings(ProgramSettings& settings, SettingsReporter& reporter);

// The main window's start-up: ReadSettingValues into settings.values, then
// the values outside their legal range repaired (RepairSettingValues) and
// reported in one message naming the file and key of each.
void ReadMainWindowSettings(ProgramSettings& settings, SettingsReporter& reporter);

} // namespace gw
