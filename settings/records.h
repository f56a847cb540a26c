#pragma once

#include "captions.h"
#include "settingtable.h"

#include <filesystem>
#include <string>
#include <vector>

namespace gw {

// The unmasked lines of a sponsor or user file (UTF-8), in file order from
// slot 0; at most kSettingSlots.
using SettingLines = std::vector<std::string>;
inline constexpr int kSettingSlots = 1025;

// Section "[SponsorInfo]", read once at start-up from the sponsor file.
// With SponsorName "none" the other fields stay empty.
struct SponsorInfo {
    std::string SponsorName;
    std::string AppTitle;
    std::string PrintoutFooter;
    std::string helpPath;     // the sponsor's own help file
    std::string helpCaption;  // kept and written back, nothing else
    std::string logoPath;     // replaced at start-up by the welcome picture

    bool operator==(const SponsorInfo&) const = default;

    // A sponsor whose name starts with "QZX" has the suitability checklist
    // report, and its summaries always end with its legal disclaimer.
    bool hasChecklistReport() const { return SponsorName.starts_with("QZX"); }
};

// Everything the data files configure, owned by the program for the whole
// run and passed by reference; nothing here is global.
struct ProgramSettings {
    std::filesystem::path folder;      // the program's folder, holding the data files
    std::filesystem::path userFolder;  // where User.dat and the recent cases are kept; empty: folder
    CaptionTables captions;
    SettingLines SponsorLines;     // Config.dat
    SettingLines UserLines;        // User.dat, or Config.dat when there is none
    SponsorInfo sponsorInfo;
    // The strategies offered, the input limits and the default inputs, as
    // read (ReadSettingValues); the windows start from StartValues of them.
    SettingValues values;
    Language CurrentLanguage = English;
    bool IsSponsored = false;       // SponsorName is not "none"

    const std::filesystem::path& UserFolder() const { return userFolder.empty() ? folder : userFolder; }
};

} // namespace gw
