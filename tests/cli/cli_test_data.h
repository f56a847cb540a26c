#pragma once

#include "analyze_defaults.h"
#include "reporter.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

// The data files the command reads, for the tests: the ones the build places
// beside gearwise-cli, their plain sources, and temporary data folders.
namespace gw::test {

// The folder of the built program, which holds the shipped data files.
std::filesystem::path ShippedDataFolder();

// The shipped data files, loaded once; any message from the loader fails
// the test that first asks.
const cli::AnalyzeData& ShippedData();

// The plain lines (UTF-8) of a source under data/ ("config.src.txt").
std::vector<std::string> DataSourceLines(const std::string& name);

// The value of `key` in plain settings lines ("value= key", first wins).
std::string SettingIn(const std::vector<std::string>& lines, const std::string& key);
// The text of caption `key` in plain caption lines ("key=text", last wins).
std::string CaptionIn(const std::vector<std::string>& lines, const std::string& key);

// Collects the settings library's messages.
class RecordingReporter : public SettingsReporter {
public:
    void report(const std::string& title, const std::string& text, Icon) override;
    std::vector<std::string> messages;  // "title: text"
};

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
    // Config.dat packed from the shipped source, with the value of each
    // listed key replaced.
    void writeConfig(const std::map<std::string, std::string>& changes) const;

private:
    std::filesystem::path path_;
};

} // namespace gw::test
