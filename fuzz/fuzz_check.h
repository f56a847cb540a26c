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

// An input "key\nlines...\n%%\nlines...": its first line, and the lines
// before and after the first "%%" line (none after when there is none).
struct KeyAndTables {
    std::string key;
    std::vector<std::string> first, second;
};

inline KeyAndTables SplitKeyAndTables(const std::vector<std::string>& lines)
{
    KeyAndTables input{lines.front(), {lines.begin() + 1, lines.end()}, {}};
    for (std::size_t i = 0; i < input.first.size(); ++i) {
        if (input.first[i] == "%%") {
            input.second.assign(input.first.begin() + static_cast<std::ptrdiff_t>(i) + 1, input.first.end());
            input.first.resize(i);
            break;
        }
    }
    return input;
}

} // namespace gw::fuzz
