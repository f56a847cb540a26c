#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace gw {

class SettingsReporter;

enum Language : int { English = 0, French = 1 };

inline constexpr std::string_view kCaptionNotFound = "!!!Caption Not Found!!!";
inline constexpr int kCaptionSlots = 1025;

// The unmasked lines of english.txt and french.txt in file order (UTF-8),
// at most 1025 each.
struct CaptionTables {
    std::vector<std::string> english;
    std::vector<std::string> french;
};

// Reads both caption files from `folder`. A missing or unreadable file, or one
// of more than 1025 lines, stops the loading there and is reported; what was
// loaded stays usable. Returns false when the program must end (an empty or
// unreadable masked line), after reporting it.
bool LoadCaptionFiles(const std::filesystem::path& folder, CaptionTables& tables, SettingsReporter& reporter);

// Last matching line wins; keys match without regard to case; a leading "*"
// is ignored. Returns kCaptionNotFound when nothing matches.
std::string GetCaption(const CaptionTables& tables, std::string_view key, int language);

// Replaces "<n>" (n = 1..99, no leading zero) by values[n - 1]. Values are
// inserted as they are, never re-expanded; a "<" that opens no valid
// placeholder stays as it stands.
std::string FillPlaceholders(std::string_view text, const std::vector<std::string>& values);

} // namespace gw
