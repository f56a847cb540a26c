// Checks the shipped data sources: the caption sources data/english.src.txt
// and data/french.src.txt against the key inventory data/caption-keys.txt,
// and the plain source of the shipped sponsor file, data/config.src.txt.
// That every window and report finds its keys the window walk and the
// report goldens show.

#include "charset.h"
#include "settings_test_support.h"
#include "settingsfile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <sstream>

namespace gw {
namespace {


std::string lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

bool trimmed(const std::string& s) { return s.empty() || (s.front() != ' ' && s.back() != ' '); }

// Empty when the text is valid UTF-8 of printable characters that the
// Windows-1252 files can store, else why not.
std::string textFault(const std::string& text)
{
    const auto bytes = Cp1252FromUtf8(text);
    if (!bytes)
        return "is not valid UTF-8, or holds a character that Windows-1252 cannot store";
    // Controls, and the five bytes Windows-1252 leaves undefined.
    for (const char c : *bytes) {
        if (static_cast<unsigned char>(c) < 0x20 || std::string_view("\x7F\x81\x8D\x8F\x90\x9D").find(c) != std::string_view::npos)
            return "holds a control character";
    }
    return {};
}

// The placeholder numbers of a caption text; "<" may only open "<n>",
// n = 1..99 without a leading zero.
std::optional<std::set<int>> placeholders(const std::string& text)
{
    static const std::regex placeholder(R"(^<([1-9][0-9]?)>)");
    std::set<int> found;
    for (std::size_t i = text.find('<'); i != std::string::npos; i = text.find('<', i + 1)) {
        std::smatch m;
        const std::string rest = text.substr(i, 4);
        if (!std::regex_search(rest, m, placeholder))
            return std::nullopt;
        found.insert(std::stoi(m[1].str()));
    }
    return found;
}

// Lower-cased key -> placeholder count, from "key<TAB>count<TAB>use" lines.
std::map<std::string, int> loadInventory()
{
    std::map<std::string, int> entries;
    const auto lines = test::DataSourceLines("caption-keys.txt");
    static const std::regex entry("([^\t=]+)\t([0-9]{1,2})\t[^\t]+");
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::smatch m;
        const bool ok = std::regex_match(lines[i], m, entry) && trimmed(m[1].str()) && textFault(m[1].str()).empty();
        EXPECT_TRUE(ok && entries.emplace(lower(m[1].str()), std::stoi(m[2].str())).second)
            << "caption-keys.txt line " << i + 1 << ": expected a new key, placeholder count and use, by tabs";
    }
    EXPECT_GT(entries.size(), 300u);
    return entries;
}

// The one checker of the captions: each file holds exactly the inventory's
// keys, each once, with a text holding exactly its placeholders <1>..<n>.
TEST(CaptionData, EachFileHoldsExactlyTheInventoryWithItsPlaceholders)
{
    const auto inventory = loadInventory();
    for (const char* name : {"english.src.txt", "french.src.txt"}) {
        SCOPED_TRACE(name);
        const auto lines = test::DataSourceLines(name);
        EXPECT_LE(lines.size(), static_cast<std::size_t>(kCaptionSlots));
        std::map<std::string, std::string> texts;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            SCOPED_TRACE("line " + std::to_string(i + 1) + ": " + lines[i]);
            EXPECT_EQ(textFault(lines[i]), "");
            const std::string body = lines[i].starts_with("*") ? lines[i].substr(1) : lines[i];
            const auto eq = body.find('=');
            if (eq == std::string::npos || eq == 0) {
                ADD_FAILURE() << "expected key=text";
                continue;
            }
            const std::string key = body.substr(0, eq);
            EXPECT_TRUE(trimmed(key)) << "blanks around the key make it unfindable";
            EXPECT_FALSE(body.substr(eq + 1).empty()) << "empty caption text";
            EXPECT_TRUE(texts.emplace(lower(key), body.substr(eq + 1)).second) << "duplicate key";
            const auto count = inventory.find(lower(key));
            if (count == inventory.end()) {
                ADD_FAILURE() << "key not in caption-keys.txt";
                continue;
            }
            std::set<int> expected;
            for (int n = 1; n <= count->second; ++n)
                expected.insert(n);
            EXPECT_EQ(placeholders(body.substr(eq + 1)), expected) << "placeholders must be <1> to <" << count->second << ">";
        }
        for (const auto& [key, count] : inventory)
            EXPECT_TRUE(texts.count(key)) << "missing key \"" << key << "\"";
        // The report date looks its month up under the English month name.
        EXPECT_EQ(texts["softwarename"], "Gearwise Planner");
        const bool french = std::string(name) == "french.src.txt";
        EXPECT_EQ(texts["january"], french ? "janvier" : "January");
        EXPECT_EQ(texts["august"], french ? "ao\u00fbt" : "August");
        EXPECT_EQ(texts["december"], french ? "d\u00e9cembre" : "December");
    }
}

// The shipped sponsor file's source: read without a single message, and each
// value in the form the program reads (a typo such as "true" or "1" for
// "True" would silently read as off).
TEST(SettingsSources, ShippedConfigInUsableForm)
{
    using S = Setting;
    const auto lines = test::DataSourceLines("config.src.txt");
    ProgramSettings settings;
    settings.SponsorLines = settings.UserLines = lines;
    test::RecordingReporter reporter;
    ReadMainWindowSettings(settings, reporter);
    EXPECT_EQ(ReadSponsorInfo(lines, reporter).SponsorName, "none");
    EXPECT_EQ(GetSettingValue(kPrevLanguageKey, lines, true, reporter), "0");
    EXPECT_EQ(reporter.texts(), std::vector<std::string>{});
    // The lookup never examines the first line, and the first of two equal keys wins.
    EXPECT_EQ(lines.front(), "[SponsorInfo]");
    std::set<std::string> keys;
    for (const std::string& line : lines) {
        const std::string key = lower(line.substr(line.rfind('=') + 1));
        EXPECT_TRUE(line.starts_with("[") || keys.insert(key.substr(key.find_first_not_of(' '))).second) << line;
    }
    for (const SettingRow& row : SettingRows()) {
        const std::string text = GetSettingValue(row.key, lines);
        const bool flag = row.unit == Unit::Flag && row.stored != Stored::NotZero;  // strategies offered: by number
        EXPECT_TRUE(flag ? text == StoredText(row, 0) || text == StoredText(row, 1)
                         : std::regex_match(text, std::regex(R"(-?[0-9]+(\.[0-9]+)?)")))
            << row.key << ": " << text;
    }
    const SettingValues& v = settings.values;
    EXPECT_EQ(v[S::DeferredCapitalGains] + v[S::CapitalGains] + v[S::Dividends] + v[S::Interest], 100);
    EXPECT_EQ(v[S::ProjectionReturn], v[S::ProjectedReturn3]) << "the projection return mirrors the third";
    EXPECT_EQ(v[S::PrintSummaryChecklist] + v[S::PrintLegalDisclaimer] + v[S::PrintSignatures], 1)
        << "the three summary options form one group";
    EXPECT_GT(v[S::MinInterestRateAllowed], 0) << "a loan rate of 0 breaks the break-even search and the RRSP annuity";
    EXPECT_LE(v[S::ReturnWarningLevel], v[S::MaxReturnAllowed]);
    // Every chunk is read, in file order: none is empty and none follows a gap.
    for (const auto& [base, language] : {std::pair{"=LegalDisclaimerEnglish", English}, {"=LegalDisclaimerFrench", French}}) {
        std::string all;
        for (const std::string& line : lines) {
            if (const auto at = line.rfind(base); at != std::string::npos)
                all += line.substr(0, at);
        }
        EXPECT_EQ(GetLegalDisclaimer(lines, language), all) << base;
        EXPECT_GT(all.size(), 125u) << base;
    }
}

} // namespace
} // namespace gw
