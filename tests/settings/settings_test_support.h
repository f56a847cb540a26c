#pragma once

#include "data_sources.h"
#include "reporter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace gw::test {

struct Message {
    std::string title;
    std::string text;
    SettingsReporter::Icon icon;
};

class RecordingReporter : public SettingsReporter {
public:
    void report(const std::string& title, const std::string& text, Icon icon) override
    {
        messages.push_back({title, text, icon});
    }
    std::vector<std::string> texts() const
    {
        std::vector<std::string> out;
        for (const Message& m : messages)
            out.push_back(m.text);
        return out;
    }
    std::vector<Message> messages;
};

// A fresh folder under the system's temporary folder, removed afterwards.
class TempFolder {
public:
    TempFolder()
    {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() / ("gearwise-settings-" + std::to_string(rd()) + std::to_string(rd()));
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

// Writes a caption file as shipped: each UTF-8 line in Windows-1252, masked.
inline void writeCaptionFile(const std::filesystem::path& path, const std::vector<std::string>& lines,
                             const char* lineEnd = "\r\n")
{
    RecordingReporter reporter;
    const VeilRandom random = SeededRandom(9);
    std::string bytes;
    int level = 1;
    for (const std::string& line : lines) {
        bytes += TextVeilEncode(*Cp1252FromUtf8(line), level, reporter, random) + lineEnd;
        level = level % 3 + 1;
    }
    writeBytes(path, bytes);
}

// A complete sponsor file, as plain lines (fixtures/acme-config.src.txt).
inline std::vector<std::string> sponsorFileLines(const std::string& sponsorName = "Acme Wealth")
{
    std::vector<std::string> lines = PlainLines(kSourceDir / "tests/settings/fixtures/acme-config.src.txt");
    lines.at(1) = sponsorName + "= SponsorName";
    return lines;
}

} // namespace gw::test
