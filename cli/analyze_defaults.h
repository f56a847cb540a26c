#pragma once

#include "inputs.h"
#include "programfolders.h"
#include "records.h"

#include <filesystem>
#include <optional>

namespace gw {
class SettingsReporter;
}

// Where the values that `gearwise-cli analyze` is not given come from: the
// sponsor file, the user file and the caption files of a data folder.
namespace gw::cli {

enum class OutputFormat { Json, Csv };

// Everything an option left out falls back on: the settings as the program
// reads them, plus the command's own choices.
struct AnalyzeDefaults {
    SettingValues values;              // as read, in the units of the fields
    Strategy strategy = Strategy::InterestOnly;  // the first strategy offered
    OutputFormat format = OutputFormat::Json;
    Language language = English;       // the user file's language
};

// What the command reads from its data folder.
struct AnalyzeData {
    ProgramSettings settings;  // as the program's start-up reads them
    AnalyzeDefaults defaults;
};

// Reads Config.dat, User.dat when there is one, english.txt and french.txt
// from `folder` as the desktop program's start-up does. Every problem goes
// to `reporter`; returns nullopt when the files cannot be used (Config.dat
// missing or damaged, a caption file that does not unmask).
std::optional<AnalyzeData> LoadAnalyzeData(const std::filesystem::path& folder, SettingsReporter& reporter);
// The same with User.dat looked up as the desktop program does.
std::optional<AnalyzeData> LoadAnalyzeData(const ProgramFolders& folders, SettingsReporter& reporter);

// The folder of the running executable; the current folder when the system
// cannot tell.
std::filesystem::path ExecutableFolder();
// The data and user folders of the running executable, or `dataDir` alone
// (for both) when given.
ProgramFolders ProgramFoldersFor(const std::optional<std::filesystem::path>& dataDir);

} // namespace gw::cli
