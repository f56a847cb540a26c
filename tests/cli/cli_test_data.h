#pragma once

#include "analyze_driver.h"
#include "data_sources.h"
#include "reporter.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <string>
#include <vector>

// The data files the command reads, for the tests: the ones the build places
// beside gearwise-cli, their plain sources, and temporary data folders; and
// runs of the command with its output read back.
namespace gw::test {

// Keys stay in document order, so a comparison sees the order too.
using Json = nlohmann::ordered_json;
using Args = std::vector<std::string>;

// The folder of the built program, which holds the shipped data files.
std::filesystem::path ShippedDataFolder();

// The shipped data files, loaded once; any message from the loader fails
// the test that first asks.
const cli::AnalyzeData& ShippedData();

// Collects the settings library's messages.
class RecordingReporter : public SettingsReporter {
public:
    void report(const std::string& title, const std::string& text, Icon) override;
    std::vector<std::string> messages;  // "title: text"
};

struct CommandRun {
    int status = -1;
    std::string out;
    std::string err;
};

// RunAnalyzeCommand on the data given.
CommandRun RunAnalyze(const Args& args, const cli::AnalyzeData& data = ShippedData(),
                      const cli::AnalysisRunner& runner = cli::RunRequestedAnalysis);
// RunAnalyzeWithDataFiles, for a program in `programFolder`.
CommandRun RunWithDataFiles(const std::filesystem::path& programFolder, const Args& args = {});
// The JSON of a run that must succeed silently; null when it did not.
Json OutputJson(const CommandRun& run);

// A data folder under the temporary folder, removed with the object, holding
// copies of the shipped caption files.
class TempDataFolder {
public:
    TempDataFolder();
    ~TempDataFolder();
    TempDataFolder(const TempDataFolder&) = delete;
    TempDataFolder& operator=(const TempDataFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Config.dat packed from plain lines (UTF-8).
    void writeConfig(const std::vector<std::string>& plainLines) const;
    // Config.dat packed from the shipped source, with the edits.
    void writeConfig(const ConfigEdits& edits) const;

private:
    std::filesystem::path path_;
};

} // namespace gw::test
