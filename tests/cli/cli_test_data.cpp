#include "cli_test_data.h"

#include "charset.h"
#include "recordfile.h"
#include "textfile.h"
#include "textveil.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace gw::test {

namespace fs = std::filesystem;

namespace {

std::string trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

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

std::vector<std::string> DataSourceLines(const std::string& name)
{
    std::vector<std::string> lines;
    EXPECT_TRUE(ReadTextLines(fs::path(GEARWISE_DATA_SOURCE_DIR) / name, lines)) << name;
    return lines;
}

std::string SettingIn(const std::vector<std::string>& lines, const std::string& key)
{
    for (const std::string& line : lines) {
        const size_t equals = line.rfind('=');
        if (equals != std::string::npos && trimmed(line.substr(equals + 1)) == key)
            return line.substr(0, equals);
    }
    ADD_FAILURE() << "no setting " << key;
    return {};
}

std::string CaptionIn(const std::vector<std::string>& lines, const std::string& key)
{
    std::string text;
    bool found = false;
    for (const std::string& line : lines) {
        if (line.starts_with(key + "=")) {
            text = line.substr(key.size() + 1);
            found = true;
        }
    }
    EXPECT_TRUE(found) << "no caption " << key;
    return text;
}

void RecordingReporter::report(const std::string& title, const std::string& text, Icon)
{
    messages.push_back(title + ": " + text);
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
    std::vector<std::string> bytes;
    for (const std::string& line : plainLines) {
        const auto cp1252 = Cp1252FromUtf8(line);
        ASSERT_TRUE(cp1252) << line;
        bytes.push_back(*cp1252);
    }
    std::string error;
    const auto file = BuildRecordFile(bytes, SeededRandom(7), error);
    ASSERT_TRUE(file) << error;
    ASSERT_TRUE(WriteFileAtomically(path_ / "Config.dat", *file, error)) << error;
}

void TempDataFolder::writeConfig(const std::map<std::string, std::string>& changes) const
{
    std::vector<std::string> lines = DataSourceLines("config.src.txt");
    size_t replaced = 0;
    for (std::string& line : lines) {
        const size_t equals = line.rfind('=');
        if (equals == std::string::npos)
            continue;
        const auto change = changes.find(trimmed(line.substr(equals + 1)));
        if (change != changes.end()) {
            line = change->second + line.substr(equals);
            ++replaced;
        }
    }
    ASSERT_EQ(replaced, changes.size()) << "a key to change is not in config.src.txt";
    writeConfig(lines);
}

} // namespace gw::test
