#include "charset.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace gw {

namespace {

// Code points of the bytes 0x80..0x9F.
constexpr auto kHigh = std::to_array<char32_t>({
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
});
static_assert(kHigh.size() == 0xA0 - 0x80);

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at `at`; returns its length, 0 when invalid.
std::size_t decodeUtf8(std::string_view s, std::size_t at, char32_t& cp)
{
    const auto b0 = static_cast<unsigned char>(s[at]);
    std::size_t n = 0;
    char32_t min = 0;
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    if ((b0 & 0xE0) == 0xC0) {
        n = 2, cp = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        n = 3, cp = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        n = 4, cp = b0 & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (at + n > s.size())
        return 0;
    for (std::size_t i = 1; i < n; ++i) {
        const auto b = static_cast<unsigned char>(s[at + i]);
        if ((b & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return n;
}

// The Windows-1252 byte of a code point, or -1.
int cp1252Byte(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<int>(cp);
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == cp)
            return static_cast<int>(0x80 + i);
    return -1;
}

std::optional<std::string> convert(std::string_view utf8, bool lossy)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        char32_t cp = 0;
        const std::size_t n = decodeUtf8(utf8, at, cp);
        const int byte = n == 0 ? -1 : cp1252Byte(cp);
        if (byte < 0) {
            if (!lossy)
                return std::nullopt;
            out += '?';
        } else {
            out += static_cast<char>(byte);
        }
        at += n == 0 ? 1 : n;
    }
    return out;
}

} // namespace

std::string Utf8FromCp1252(std::string_view bytes)
{
    std::string out;
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80)
            out += c;
        else if (b < 0xA0)
            appendUtf8(out, kHigh[b - 0x80]);
        else
            appendUtf8(out, b);
    }
    return out;
}

std::optional<std::string> Cp1252FromUtf8(std::string_view utf8)
{
    return convert(utf8, false);
}

std::string Cp1252FromUtf8Lossy(std::string_view utf8)
{
    return *convert(utf8, true);
}

std::size_t Utf8Length(std::string_view utf8)
{
    std::size_t count = 0;
    for (std::size_t at = 0; at < utf8.size(); ++count) {
        char32_t cp = 0;
        const std::size_t n = decodeUtf8(utf8, at, cp);
        at += n == 0 ? 1 : n;
    }
    return count;
}

std::string_view Utf8Prefix(std::string_view utf8, std::size_t count)
{
    std::size_t at = 0;
    for (std::size_t i = 0; i < count && at < utf8.size(); ++i) {
        char32_t cp = 0;
        const std::size_t n = decodeUtf8(utf8, at, cp);
        at += n == 0 ? 1 : n;
    }
    return utf8.substr(0, at);
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return std::ranges::equal(a, b, {}, lower, lower);
}

} // namespace gw
