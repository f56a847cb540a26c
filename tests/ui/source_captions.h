#pragma once

#include "captions.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#ifndef GEARWISE_SOURCE_DIR
#error "GEARWISE_SOURCE_DIR must name the source tree"
#endif

namespace gw::test {

// The shipped caption texts, from the plain sources the build masks.
inline std::vector<std::string> captionSourceLines(const char* name)
{
    std::ifstream in(std::filesystem::path(GEARWISE_SOURCE_DIR) / "data" / name, std::ios::binary);
    EXPECT_TRUE(in) << "cannot open data/" << name;
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

inline const CaptionTables& shippedCaptions()
{
    static const CaptionTables tables{captionSourceLines("english.src.txt"), captionSourceLines("french.src.txt")};
    return tables;
}

} // namespace gw::test
