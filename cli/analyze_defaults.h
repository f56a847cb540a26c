#pragma once

#include "captions.h"
#include "inputs.h"
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

// Everything an option left out falls back on, in the shape of the settings
// records the sponsor and user files fill, plus the command's own choices.
struct AnalyzeDefaults {
    InputDefaults inputs;              // tax-table rates and inclusion rate as fractions
    InputLimits limits;                // per cent; the warning levels are not used here
    AnalysisRestrictions restrictions; // strategies offered
    Strategy strategy = Strategy::InterestOnly;  // the first strategy offered
    OutputFormat format = OutputFormat::Json;
    int language = English;            // the user file's "PrevLanguage"
};

// What the command reads from its data folder.
struct AnalyzeData {
    std::filesystem::path folder;
    AnalyzeDefaults defaults;
    CaptionTables captions;  // both languages, for the notes
};

// Reads Config.dat, User.dat when there is one, english.txt and french.txt
// from `folder` as the desktop program's start-up does: InputDefaults from
// the user file (keys checked against the sponsor file), the restrictions
// and limits from the sponsor file only, the language from "PrevLanguage".
// Every problem goes to `reporter`; returns nullopt when the files cannot
// be used (Config.dat missing or damaged, a caption file that does not
// unmask). A sponsor file that offers no strategy offers them all, as the
// window does.
std::optional<AnalyzeData> LoadAnalyzeData(const std::filesystem::path& folder, SettingsReporter& reporter);

// The folder of the running executable; the current folder when the system
// cannot tell.
std::filesystem::path ProgramFolder();

// The inputs an analysis starts from before any option is read.
AnalysisInputs InputsFromDefaults(const InputDefaults& defaults);

} // namespace gw::cli
