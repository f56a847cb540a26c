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
