#pragma once

// The data files the command reads, for the tests: the ones the build places
// beside gearwise-cli, their plain sources, and temporary data folders; and
// runs of the command with its output read back.
#include "analyze_driver.h"
#include "data_sources.h"
#include "reporter.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace gw::test {

// Keys stay in document order, so a comparison sees the order too.
using Json = nlohmann::ordered_json;
using Args = std::vector<std::string>;

class RecordingReporter : public SettingsReporter {
public:
    void report(const std::string& title, const std::string& text, Icon) override
    {
        messages.push_back(title + ": " + text);
    }
    std::vector<std::string> messages;  // "title: text"
};

// The folder of the built program, which holds the shipped data files.
inline std::filesystem::path ShippedDataFolder() { return std::filesystem::path(GEARWISE_CLI_PATH).parent_path(); }

// The shipped data files, loaded once; any message from the loader fails
// the test that first asks.
inline const cli::AnalyzeData& ShippedData()
{
    static const cli::AnalyzeData data = [] {
        RecordingReporter reporter;
        auto loaded = cli::LoadAnalyzeData(ShippedDataFolder(), reporter);
        EXPECT_TRUE(loaded && reporter.messages.empty()) << "the shipped data files are not usable";
        return loaded ? *loaded : cli::AnalyzeData{};
    }();
    return data;
}

struct CommandRun {
    int status = -1;
    std::string out;
    std::string err;
};

// RunAnalyzeCommand on the data given.
inline CommandRun RunAnalyze(const Args& args, const cli::AnalyzeData& data = ShippedData(),
                             const cli::AnalysisRunner& runner = cli::RunRequestedAnalysis)
{
    std::ostringstream out, err;
    const int status = cli::RunAnalyzeCommand(args, data, out, err, runner);
    return {status, out.str(), err.str()};
}

// RunAnalyzeWithDataFiles, for a program in `programFolder`.
inline CommandRun RunWithDataFiles(const std::filesystem::path& programFolder, const Args& args = {})
{
    std::ostringstream out, err;
    const int status = cli::RunAnalyzeWithDataFiles(args, programFolder, out, err);
    return {status, out.str(), err.str()};
}

// Runs each command line of a golden file ("args => status: message") and
// returns the file as the runs now give it. A failing run says one line on
// standard error and nothing on standard output; a good one says nothing.
template <typename Run>
std::string RunGoldenCommandLines(const std::filesystem::path& golden, Run run)
{
    std::string actual;
    for (const std::string& line : PlainLines(golden)) {
        const std::string args = line.substr(0, line.find(" => "));
        Args words;
        std::istringstream in(args);
        for (std::string word; in >> word;)
            words.push_back(word);
        const CommandRun result = run(words);
        SCOPED_TRACE(args);
        EXPECT_EQ(result.out.empty(), result.status != cli::kExitOk);
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), result.status != cli::kExitOk);
        actual += args + " => " + std::to_string(result.status) + (result.err.empty() ? "\n" : ": " + result.err);
    }
    return actual;
}

// The JSON of a run that must succeed silently; null when it did not.
inline Json OutputJson(const CommandRun& run)
{
    EXPECT_EQ(run.status, cli::kExitOk) << run.err;
    EXPECT_EQ(run.err, "");
    Json json = Json::parse(run.out, nullptr, false);
    EXPECT_FALSE(json.is_discarded()) << "not JSON:\n" << run.out;
    return json.is_discarded() ? Json() : json;
}

// A data folder under the temporary folder, removed with the object, holding
// copies of the shipped caption files and, when asked, Config.dat packed from
// the shipped source with edits.
class TempDataFolder : public TempFolder {
public:
    TempDataFolder()
    {
        for (const char* file : {"english.txt", "french.txt"})
            std::filesystem::copy_file(ShippedDataFolder() / file, path() / file);
    }
    void writeConfig(const ConfigEdits& edits = {}) const { WriteShippedConfig(path(), edits); }
};

} // namespace gw::test
