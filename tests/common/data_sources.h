#pragma once

// The plain sources of the data files (under data/ and the test fixtures),
// read, looked up and packed with the program's own readers and writers.
#include "captions.h"
#include "charset.h"
#include "recordfile.h"
#include "textfile.h"
#include "textveil.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#ifndef GEARWISE_SOURCE_DIR
#error "GEARWISE_SOURCE_DIR must name the source tree"
#endif

namespace gw::test {

inline const std::filesystem::path kSourceDir = GEARWISE_SOURCE_DIR;

// A fresh folder under the system's temporary folder, removed afterwards.
class TempFolder {
public:
    TempFolder()
    {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() / ("gearwise-test-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder()
    {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

inline void writeBytes(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string readBytes(const std::filesystem::path& path)
{
    std::string bytes;
    ReadFileBytes(path, bytes);
    return bytes;
}

// The lines of a plain text file (UTF-8). Throws when it cannot be read:
// nothing can be checked without it (the benchmarks read it too).
inline std::vector<std::string> PlainLines(const std::filesystem::path& path)
{
    std::vector<std::string> lines;
    if (!ReadTextLines(path, lines))
        throw std::runtime_error("cannot read " + path.string());
    return lines;
}

// The lines of data/<name>: "config.src.txt", "english.src.txt".
inline std::vector<std::string> DataSourceLines(const std::string& name)
{
    return PlainLines(kSourceDir / "data" / name);
}

// The shipped captions, from the plain sources the build masks.
inline const CaptionTables& SourceCaptions()
{
    static const CaptionTables tables{DataSourceLines("english.src.txt"), DataSourceLines("french.src.txt")};
    return tables;
}

// Settings lines to change: key -> new value, or nullopt to drop the line.
using ConfigEdits = std::map<std::string, std::optional<std::string>>;

// `lines` ("value= key") with the edits made; each key edited must be there.
inline std::vector<std::string> EditedSettingLines(const std::vector<std::string>& lines, const ConfigEdits& edits)
{
    std::vector<std::string> edited;
    std::size_t found = 0;
    for (const std::string& line : lines) {
        const std::size_t equals = line.rfind('=');
        const std::size_t keyStart = equals == std::string::npos ? equals : line.find_first_not_of(' ', equals + 1);
        const auto edit = keyStart == std::string::npos ? edits.end() : edits.find(line.substr(keyStart));
        if (edit == edits.end()) {
            edited.push_back(line);
            continue;
        }
        ++found;
        if (edit->second)
            edited.push_back(*edit->second + "= " + edit->first);
    }
    EXPECT_EQ(found, edits.size()) << "a key to change is not in the lines";
    return edited;
}

// A masked record file (Config.dat, User.dat) of plain UTF-8 lines.
inline void WritePlainRecordFile(const std::filesystem::path& path, const std::vector<std::string>& lines,
                                 std::uint32_t seed = 7)
{
    std::vector<std::string> bytes;
    for (const std::string& line : lines) {
        const auto cp1252 = Cp1252FromUtf8(line);
        ASSERT_TRUE(cp1252) << "not storable: " << line;
        bytes.push_back(*cp1252);
    }
    std::string error;
    const auto file = BuildRecordFile(bytes, SeededRandom(seed), error);
    ASSERT_TRUE(file) << error;
    std::ofstream(path, std::ios::binary | std::ios::trunc) << *file;
}

// Config.dat in `folder` from the shipped source with `edits`.
inline void WriteShippedConfig(const std::filesystem::path& folder, const ConfigEdits& edits = {})
{
    WritePlainRecordFile(folder / "Config.dat", EditedSettingLines(DataSourceLines("config.src.txt"), edits));
}

} // namespace gw::test
