#include "cli_test_data.h"

#include <gtest/gtest.h>

#include <sstream>

#include <unistd.h>

namespace gw::test {

namespace fs = std::filesystem;

fs::path ShippedDataFolder() { return fs::path(GEARWISE_CLI_PATH).parent_path(); }

const cli::AnalyzeData& ShippedData()
{
    static const cli::AnalyzeData data = [] {
        RecordingReporter reporter;
        auto loaded = cli::LoadAnalyzeData(ShippedDataFolder(), reporter);
        EXPECT_TRUE(loaded) << "no usable data files in " << ShippedDataFolder();
        for (const std::string& message : reporter.messages)
            ADD_FAILURE() << "the shipped data files report: " << message;
        return loaded ? *loaded : cli::AnalyzeData{};
    }();
    return data;
}

void RecordingReporter::report(const std::string& title, const std::string& text, Icon)
{
    messages.push_back(title + ": " + text);
}

CommandRun RunAnalyze(const Args& args, const cli::AnalyzeData& data, const cli::AnalysisRunner& runner)
{
    std::ostringstream out, err;
    const int status = cli::RunAnalyzeCommand(args, data, out, err, runner);
    return {status, out.str(), err.str()};
}

CommandRun RunWithDataFiles(const fs::path& programFolder, const Args& args)
{
    std::ostringstream out, err;
    const int status = cli::RunAnalyzeWithDataFiles(args, programFolder, out, err);
    return {status, out.str(), err.str()};
}

Json OutputJson(const CommandRun& run)
{
    EXPECT_EQ(run.status, cli::kExitOk) << run.err;
    EXPECT_EQ(run.err, "");
    Json json = Json::parse(run.out, nullptr, false);
    EXPECT_FALSE(json.is_discarded()) << "not JSON:\n" << run.out;
    return json.is_discarded() ? Json() : json;
}

TempDataFolder::TempDataFolder()
{
    static int counter = 0;
    path_ = fs::temp_directory_path() /
            ("gearwise-cli-data-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    fs::remove_all(path_);
    fs::create_directories(path_);
    for (const char* file : {"english.txt", "french.txt"})
        fs::copy_file(ShippedDataFolder() / file, path_ / file);
}

TempDataFolder::~TempDataFolder()
{
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

void TempDataFolder::writeConfig(const std::vector<std::string>& plainLines) const
{
    WritePlainRecordFile(path_ / "Config.dat", plainLines);
}

void TempDataFolder::writeConfig(const ConfigEdits& edits) const
{
    WriteShippedConfig(path_, edits);
}

} // namespace gw::test
