#pragma once

#include <array>
#include <cstddef>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gw {

class SettingsReporter;
struct SponsorInfo;
struct ProgramSettings;

enum Language : int { English = 0, French = 1 };

// Every language, in index order: the caption tables, the language list, the
// help sets.
inline constexpr std::array<Language, 2> kLanguages{English, French};

// The language's number, where something is numbered by language.
constexpr int Index(Language language) { return static_cast<int>(language); }

// The language numbered `index`, or none for a number that names none.
constexpr std::optional<Language> LanguageFromIndex(int index)
{
    if (index < 0 || index >= static_cast<int>(kLanguages.size()))
        return std::nullopt;
    return kLanguages[static_cast<std::size_t>(index)];
}

inline constexpr std::string_view kCaptionNotFound = "!!!Caption Not Found!!!";
inline constexpr int kCaptionSlots = 1025;
inline constexpr std::string_view kEnglishCaptionFile = "english.txt";
inline constexpr std::string_view kFrenchCaptionFile = "french.txt";
inline constexpr std::string_view kCaptionFilesMissing =
    "Language data files not found, please re-install the software.";
// Larger than any caption file (1025 lines) can reasonably be: refused unread.
inline constexpr std::size_t kMaxCaptionFileBytes = 2 * 1024 * 1024;

// The message for a caption file that is there but cannot be used.
std::string CaptionFileUnusable(const std::string& fileName, const std::string& reason);

// The unmasked lines of english.txt and french.txt in file order (UTF-8),
// at most 1025 each.
struct CaptionTables {
    std::vector<std::string> english;
    std::vector<std::string> french;
};

// Reads both caption files from `folder` (masked lines, Windows-1252, CRLF or
// LF line ends), English first. A missing file, or one of more than 1025
// lines, stops the loading there and is reported (kCaptionFilesMissing,
// title "Error"); what was loaded stays usable and the first 1025 lines of
// an over-long file are kept. Returns false when the program must end, after
// reporting it: a file that is there but empty, unreadable or larger than
// kMaxCaptionFileBytes (CaptionFileUnusable: one message naming it), an
// empty line (its slot number, then the masking error), or a line that does
// not unmask.
bool LoadCaptionFiles(const std::filesystem::path& folder, CaptionTables& tables, SettingsReporter& reporter);

// Last matching line wins; keys match without regard to (ASCII) case; a
// leading "*" is ignored; the key ends at the first "=" and nothing is
// trimmed. A language other than English or French finds nothing. Returns
// kCaptionNotFound when nothing matches.
std::string GetCaption(const CaptionTables& tables, std::string_view key, int language);

// Replaces "<n>" (n = 1..99, no leading zero) by values[n - 1]. Values are
// inserted as they are, never re-expanded; a "<" that opens no valid
// placeholder stays as it stands.
std::string FillPlaceholders(std::string_view text, const std::vector<std::string>& values);

// The caption "Disclaimer" with placeholders 1 to 4 as line breaks (CRLF).
std::string GetDisclaimerText(const CaptionTables& tables, int language);
std::string GetDisclaimerText(const ProgramSettings& settings);

// The main window's title: the caption "SoftwareName", followed for a
// sponsored copy with a sponsor name by ", ", AppTitle (or the caption
// "SponsoredBy" when AppTitle is empty), " " and SponsorName.
std::string BuildWindowTitle(const CaptionTables& tables, int language, const SponsorInfo& sponsor, bool isSponsored);
std::string BuildWindowTitle(const ProgramSettings& settings);

} // namespace gw
