#pragma once

// Golden files: output checked in under tests/, compared whole. After an
// intended change, rewrite them with
//   GEARWISE_UPDATE_GOLDEN=1 ctest --test-dir build
// and review the difference like code (git diff tests/).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#ifndef GEARWISE_SOURCE_DIR
#error "GEARWISE_SOURCE_DIR must name the source tree"
#endif

namespace gw::test {

// `actual` against tests/<relative>.
inline void ExpectGolden(const std::string& actual, const std::filesystem::path& relative)
{
    const std::filesystem::path path = std::filesystem::path(GEARWISE_SOURCE_DIR) / "tests" / relative;
    if (const char* update = std::getenv("GEARWISE_UPDATE_GOLDEN"); update && std::string(update) == "1") {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << actual;
        return;
    }
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << path << " is missing: run the tests with GEARWISE_UPDATE_GOLDEN=1 to write it";
    std::ostringstream expected;
    expected << in.rdbuf();
    EXPECT_EQ(actual, expected.str()) << "differs from " << path;
}

} // namespace gw::test
