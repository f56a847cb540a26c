#pragma once

#include "reporter.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

// What the fuzz targets share: a failed property ends the run like a crash,
// so libFuzzer keeps the input that broke it.
#define FUZZ_CHECK(condition)                                                            \
    do {                                                                                 \
        if (!(condition)) {                                                              \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                \
        }                                                                                \
    } while (0)

namespace gw::fuzz {

// Counts the settings library's messages and shows none.
class CountingReporter : public SettingsReporter {
public:
    void report(const std::string&, const std::string&, Icon) override { ++count; }
    int count = 0;
};

inline std::string_view Bytes(const unsigned char* data, std::size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

// `text` cut at every `separator`; the last piece may be empty.
inline std::vector<std::string> Split(std::string_view text, char separator)
{
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = text.find(separator, start);
        pieces.emplace_back(text.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start));
        if (at == std::string_view::npos)
            return pieces;
        start = at + 1;
    }
}

} // namespace gw::fuzz
