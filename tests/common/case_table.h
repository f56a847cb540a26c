#pragma once

// Tables of cases kept as text under tests/: one case a line, its inputs,
// then "->" and the outputs ("1234.5 "$#,##0" en -> "$1,235""). A token is
// a bare word or a quoted text with \" \\ and \xHH escapes; lines that are
// empty or start with "#" are notes. The test computes each line's outputs
// from its inputs and compares the whole file, so that a wrong output shows
// with its line; GEARWISE_UPDATE_GOLDEN=1 rewrites the outputs (golden.h).
#include "golden.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace gw::test {

using Tokens = std::vector<std::string>;

// The tokens of `text`, unquoted.
inline Tokens SplitTokens(std::string_view text)
{
    Tokens out;
    std::size_t i = 0;
    while (true) {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
            ++i;
        if (i >= text.size())
            return out;
        std::string token;
        if (text[i] != '"') {
            while (i < text.size() && text[i] != ' ' && text[i] != '\t')
                token += text[i++];
        } else {
            for (++i; i < text.size() && text[i] != '"'; ++i) {
                if (text[i] != '\\' || i + 1 >= text.size()) {
                    token += text[i];
                } else if (text[++i] == 'x' && i + 2 < text.size()) {
                    token += static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16));
                    i += 2;
                } else {
                    token += text[i];
                }
            }
            ++i;
        }
        out.push_back(token);
    }
}

// `text` as a token: bare when it is a plain word, else quoted and escaped.
inline std::string Quoted(std::string_view text)
{
    bool bare = !text.empty() && text != "->";
    for (char c : text)
        bare = bare && c > ' ' && c < 127 && c != '"' && c != '\\' && c != '#';
    if (bare)
        return std::string(text);
    std::string out = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < ' ' || byte >= 127) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            out += hex;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// A number token, and the shortest text that reads back as `value`.
inline double Number(const std::string& token)
{
    double value = 0;
    const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
    EXPECT_TRUE(error == std::errc() && end == token.data() + token.size()) << "not a number: " << token;
    return value;
}

inline std::string NumberText(double value)
{
    char text[32];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

// `value` with `decimals` decimals, "-0" as "0"; trimmed, without the
// zeros ending the decimals.
inline std::string Fixed(double value, int decimals, bool trimmed = false)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    std::string out = text;
    if (trimmed && out.find('.') != std::string::npos) {
        out.erase(out.find_last_not_of('0') + 1);
        if (out.back() == '.')
            out.pop_back();
    }
    return out.find_first_not_of("-0.") == std::string::npos ? out.substr(out[0] == '-') : out;
}

// Reads tests/<relative> and compares it with the text rebuilt by
// line(text of one line, out): notes and unchanged lines are copied to out.
inline void ExpectRebuilt(const std::filesystem::path& relative,
                          const std::function<void(const std::string&, std::ostringstream&)>& line)
{
    std::ifstream in(std::filesystem::path(GEARWISE_SOURCE_DIR) / "tests" / relative, std::ios::binary);
    ASSERT_TRUE(in) << relative << " is missing";
    std::ostringstream actual;
    for (std::string text; std::getline(in, text);)
        line(text, actual);
    ExpectGolden(actual.str(), relative);
}

// Checks tests/<relative>: compute(inputs) gives the outputs of one line.
inline void ExpectCaseTable(const std::filesystem::path& relative, const std::function<Tokens(const Tokens&)>& compute)
{
    ExpectRebuilt(relative, [&](const std::string& line, std::ostringstream& out) {
        const std::size_t arrow = line.find(" -> ");
        if (line.empty() || line[0] == '#' || arrow == std::string::npos) {
            out << line << '\n';
            return;
        }
        out << line.substr(0, arrow) << " ->";
        for (const std::string& token : compute(SplitTokens(line.substr(0, arrow))))
            out << ' ' << Quoted(token);
        out << '\n';
    });
}

// Checks tests/<relative> made of blocks: a line "== words" followed by the
// text compute(words) gives. Lines before the first block are notes.
inline void ExpectBlocks(const std::filesystem::path& relative, const std::function<std::string(const Tokens&)>& compute)
{
    bool inBlock = false;
    ExpectRebuilt(relative, [&](const std::string& line, std::ostringstream& out) {
        if (line.rfind("== ", 0) == 0) {
            inBlock = true;
            out << line << '\n' << compute(SplitTokens(line.substr(3)));
        } else if (!inBlock) {
            out << line << '\n';
        }
    });
}

} // namespace gw::test
