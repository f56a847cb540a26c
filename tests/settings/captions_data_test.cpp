// Checks the shipped data sources: the caption sources data/english.src.txt
// and data/french.src.txt against the key inventory data/caption-keys.txt,
// the program's sources against that inventory, and the plain sponsor and
// user file sources (data/config.src.txt and the fixtures).
//
// Writing caption lookups so that this test sees their keys. The sources
// under ui/, print/, app/, analysis/, settings/ and cli/ (*.cpp, *.h) are
// scanned for these calls; each key found must be in caption-keys.txt:
//
//     caption("lblTaxRate" ...)                  the first argument is the key
//     lookUp(captions, "frmAbout" ...)           the first string literal inside the call,
//     GetCaption(tables, "SoftwareName", lang)   before any nested parenthesis
//     captionKey("mnuSetupItem", k)              a control-array base: some key
//                                                "mnuSetupItem(n)" must exist
//
// A literal directly followed by "+" is the start of a key: some key must
// begin with it. Keys held in variables or tables are not seen; list them in
// caption-keys.txt all the same, since the inventory is what the caption
// files are checked against.

#include "charset.h"
#include "data_sources.h"
#include "settingtable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#ifndef GEARWISE_SOURCE_DIR
#error "GEARWISE_SOURCE_DIR must name the source tree"
#endif

namespace {

namespace fs = std::filesystem;

const fs::path kSourceDir = GEARWISE_SOURCE_DIR;
constexpr std::size_t kMaxCaptionLines = 1025;
constexpr std::size_t kMaxSettingLineChars = 174; // a plain line that still fits a 255-byte record
constexpr std::size_t kMaxDisclaimerChunk = 125;

std::string lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

std::string trimBlanks(const std::string& s)
{
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// Empty when the text is valid UTF-8 of printable characters that the
// Windows-1252 files can store, else why not.
std::string textFault(const std::string& text)
{
    const auto bytes = gw::Cp1252FromUtf8(text);
    if (!bytes)
        return "is not valid UTF-8, or holds a character that Windows-1252 cannot store";
    // Controls, and the five bytes Windows-1252 leaves undefined.
    const std::string unprintable = "\x7F\x81\x8D\x8F\x90\x9D";
    for (const char c : *bytes) {
        if (static_cast<unsigned char>(c) < 0x20 || unprintable.find(c) != std::string::npos)
            return "holds a control character";
    }
    return {};
}

// Placeholder numbers of a caption text; "<" may only open "<n>", n = 1..99
// without a leading zero. Sets `fault` and returns nothing otherwise.
std::optional<std::set<int>> placeholders(const std::string& text, std::string& fault)
{
    static const std::regex placeholder(R"(^<([1-9][0-9]?)>)");
    std::set<int> found;
    for (std::size_t i = text.find('<'); i != std::string::npos; i = text.find('<', i + 1)) {
        std::smatch m;
        const std::string rest = text.substr(i, 4);
        if (!std::regex_search(rest, m, placeholder)) {
            fault = "has a \"<\" that opens no placeholder at position " + std::to_string(i + 1);
            return std::nullopt;
        }
        found.insert(std::stoi(m[1].str()));
    }
    return found;
}

struct InventoryEntry {
    std::string key;
    int count = 0;
    std::string where;
};

// Keyed by the lower-cased key: lookups ignore case.
std::map<std::string, InventoryEntry> loadInventory(std::vector<std::string>* faults = nullptr)
{
    std::map<std::string, InventoryEntry> entries;
    const auto lines = gw::test::PlainLines(kSourceDir / "data" / "caption-keys.txt");
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string where = "caption-keys.txt line " + std::to_string(i + 1) + ": ";
        std::vector<std::string> fields;
        std::stringstream line(lines[i]);
        for (std::string field; std::getline(line, field, '\t');)
            fields.push_back(field);
        const bool countOk = fields.size() == 3 && std::regex_match(fields[1], std::regex("[0-9]{1,2}"));
        if (!countOk || fields[0].empty() || fields[2].empty()) {
            if (faults)
                faults->push_back(where + "expected key, placeholder count and use, separated by tabs");
            continue;
        }
        InventoryEntry entry{fields[0], std::stoi(fields[1]), fields[2]};
        if (!entries.emplace(lower(entry.key), entry).second && faults)
            faults->push_back(where + "key \"" + entry.key + "\" is listed twice");
    }
    return entries;
}

struct CaptionFile {
    std::string name;
    std::vector<std::string> lines;
    std::map<std::string, std::string> texts; // lower-cased key -> text (first occurrence)
};

CaptionFile loadCaptionFile(const std::string& name)
{
    CaptionFile file{name, gw::test::PlainLines(kSourceDir / "data" / name), {}};
    for (const std::string& line : file.lines) {
        const std::string body = line.starts_with("*") ? line.substr(1) : line;
        const auto eq = body.find('=');
        if (eq != std::string::npos)
            file.texts.emplace(lower(body.substr(0, eq)), body.substr(eq + 1));
    }
    return file;
}

const std::vector<std::string> kCaptionFiles{"english.src.txt", "french.src.txt"};

TEST(CaptionChecks, RejectMalformedText)
{
    struct Case {
        std::string text;
        bool goodText;
        std::optional<std::set<int>> places;
    };
    const std::vector<Case> cases{
        {"Loan <1> at <2>", true, std::set<int>{1, 2}},
        {"<12> then <3>", true, std::set<int>{3, 12}},
        {"taux de 5\u00a0% \u2013 \u00e9t\u00e9 \u2019", true, std::set<int>{}},
        {"a <0> b", true, std::nullopt},
        {"a <01> b", true, std::nullopt},
        {"a < 1> b", true, std::nullopt},
        {"a <100> b", true, std::nullopt},
        {"less <than", true, std::nullopt},
        {"ends <", true, std::nullopt},
        {"bad \xC3 byte", false, std::set<int>{}},
        {"overlong \xC0\xAF", false, std::set<int>{}},
        {"omega \u03A9", false, std::set<int>{}},
        {"tab\there", false, std::set<int>{}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(textFault(c.text).empty(), c.goodText);
        std::string fault;
        EXPECT_EQ(placeholders(c.text, fault), c.places);
    }
}

TEST(CaptionInventory, IsWellFormed)
{
    std::vector<std::string> faults;
    const auto inventory = loadInventory(&faults);
    for (const std::string& fault : faults)
        ADD_FAILURE() << fault;
    EXPECT_GT(inventory.size(), 300u);
    for (const auto& [lowered, entry] : inventory) {
        EXPECT_EQ(entry.key, trimBlanks(entry.key)) << "key with blanks around it: \"" << entry.key << "\"";
        EXPECT_EQ(entry.key.find('='), std::string::npos) << entry.key;
        EXPECT_TRUE(textFault(entry.key).empty()) << entry.key;
    }
}

TEST(CaptionSources, AreWellFormed)
{
    for (const std::string& name : kCaptionFiles) {
        SCOPED_TRACE(name);
        const CaptionFile file = loadCaptionFile(name);
        EXPECT_LE(file.lines.size(), kMaxCaptionLines);
        std::set<std::string> keys;
        for (std::size_t i = 0; i < file.lines.size(); ++i) {
            const std::string& line = file.lines[i];
            const std::string where = name + " line " + std::to_string(i + 1) + ": ";
            if (line.empty()) {
                ADD_FAILURE() << where << "empty line";
                continue;
            }
            if (const std::string fault = textFault(line); !fault.empty())
                ADD_FAILURE() << where << fault;
            const std::string body = line.starts_with("*") ? line.substr(1) : line;
            const auto eq = body.find('=');
            if (eq == std::string::npos || eq == 0) {
                ADD_FAILURE() << where << "expected key=text";
                continue;
            }
            const std::string key = body.substr(0, eq);
            EXPECT_EQ(key, trimBlanks(key)) << where << "blanks around the key make it unfindable";
            EXPECT_FALSE(body.substr(eq + 1).empty()) << where << "empty caption text";
            EXPECT_TRUE(keys.insert(lower(key)).second) << where << "duplicate key \"" << key << "\"";
            std::string fault;
            EXPECT_TRUE(placeholders(body.substr(eq + 1), fault)) << where << fault;
        }
    }
}

TEST(CaptionSources, HoldEveryInventoryKeyWithItsPlaceholders)
{
    const auto inventory = loadInventory();
    for (const std::string& name : kCaptionFiles) {
        SCOPED_TRACE(name);
        const CaptionFile file = loadCaptionFile(name);
        for (const auto& [lowered, entry] : inventory) {
            const auto found = file.texts.find(lowered);
            if (found == file.texts.end()) {
                ADD_FAILURE() << "missing key \"" << entry.key << "\" (" << entry.where << ")";
                continue;
            }
            std::set<int> expected;
            for (int n = 1; n <= entry.count; ++n)
                expected.insert(n);
            std::string fault;
            EXPECT_EQ(placeholders(found->second, fault), expected)
                << "\"" << entry.key << "\" must hold exactly " << entry.count << " placeholders, <1> and up: "
                << found->second;
        }
    }
}

TEST(CaptionSources, HoldNoKeyMissingFromInventory)
{
    const auto inventory = loadInventory();
    for (const std::string& name : kCaptionFiles) {
        SCOPED_TRACE(name);
        for (const auto& [lowered, text] : loadCaptionFile(name).texts)
            EXPECT_TRUE(inventory.count(lowered)) << "key \"" << lowered << "\" is not in caption-keys.txt";
    }
}

TEST(CaptionSources, FixedTexts)
{
    const CaptionFile english = loadCaptionFile("english.src.txt");
    const CaptionFile french = loadCaptionFile("french.src.txt");
    EXPECT_EQ(english.texts.at("softwarename"), "Gearwise Planner");
    EXPECT_EQ(french.texts.at("softwarename"), "Gearwise Planner");
    // The report date looks its month up under the English month name.
    const std::vector<std::pair<std::string, std::string>> months{
        {"January", "janvier"}, {"February", "f\u00e9vrier"}, {"March", "mars"},        {"April", "avril"},
        {"May", "mai"},         {"June", "juin"},             {"July", "juillet"},      {"August", "ao\u00fbt"},
        {"September", "septembre"}, {"October", "octobre"},   {"November", "novembre"}, {"December", "d\u00e9cembre"}};
    for (const auto& [en, fr] : months) {
        SCOPED_TRACE(en);
        ASSERT_TRUE(english.texts.count(lower(en)));
        EXPECT_EQ(english.texts.at(lower(en)), en);
        ASSERT_TRUE(french.texts.count(lower(en)));
        EXPECT_EQ(french.texts.at(lower(en)), fr);
    }
}

struct KeyUse {
    std::string key;
    enum class Kind { Whole, Prefix, ArrayBase } kind;
    std::string where;
};

std::vector<KeyUse> keyUsesIn(const std::string& source, const std::string& fileName)
{
    static const std::regex captionCall(R"re(\bcaption\s*\(\s*"([^"\\\n]*)"\s*(\+?))re");
    static const std::regex withinCall(R"re(\b(?:GetCaption|lookUp)\s*\([^;"()]*"([^"\\\n]*)"\s*(\+?))re");
    static const std::regex arrayCall(R"re(\bcaptionKey\s*\(\s*"([^"\\\n]*)")re");
    std::vector<KeyUse> uses;
    const auto lineOf = [&](std::ptrdiff_t offset) {
        return 1 + std::count(source.begin(), source.begin() + offset, '\n');
    };
    for (const std::regex* pattern : {&captionCall, &withinCall, &arrayCall}) {
        for (auto it = std::sregex_iterator(source.begin(), source.end(), *pattern); it != std::sregex_iterator();
             ++it) {
            const std::smatch& m = *it;
            KeyUse::Kind kind = KeyUse::Kind::Whole;
            if (pattern == &arrayCall)
                kind = KeyUse::Kind::ArrayBase;
            else if (m[2].length() > 0)
                kind = KeyUse::Kind::Prefix;
            uses.push_back({m[1].str(), kind, fileName + ":" + std::to_string(lineOf(m.position(1)))});
        }
    }
    return uses;
}

bool inventoryAccepts(const std::map<std::string, InventoryEntry>& inventory, const KeyUse& use)
{
    const std::string key = lower(use.key);
    switch (use.kind) {
    case KeyUse::Kind::Whole:
        return inventory.count(key) > 0;
    case KeyUse::Kind::Prefix:
    case KeyUse::Kind::ArrayBase: {
        const std::string start = use.kind == KeyUse::Kind::ArrayBase ? key + "(" : key;
        const auto it = inventory.lower_bound(start);
        return it != inventory.end() && it->first.starts_with(start);
    }
    }
    return false;
}

TEST(CaptionScan, FindsEveryCallForm)
{
    const std::string sample = "title = caption(\"lblTaxRate\");\n"
                               "x = lookUp(captions_, \"frmAbout\",\n    {a});\n"
                               "t = GetCaption(tables,\n \"SoftwareName\", language);\n"
                               "m = caption(captionKey(\"mnuSetupItem\", k));\n"
                               "s = caption(\"lstStrategyList.listindex(\" + n);\n"
                               "u = caption(key); v = GetCaption(tables, key, 0); w = helper(\"notAKey\");\n";
    const auto uses = keyUsesIn(sample, "sample.cpp");
    std::set<std::string> found;
    for (const KeyUse& use : uses)
        found.insert(use.key + "@" + use.where.substr(use.where.find(':') + 1));
    EXPECT_EQ(found, (std::set<std::string>{"lblTaxRate@1", "frmAbout@2", "SoftwareName@5", "mnuSetupItem@6",
                                            "lstStrategyList.listindex(@7"}));
    std::map<std::string, InventoryEntry> inventory{{"mnusetupitem(1)", {"mnuSetupItem(1)", 0, ""}},
                                                    {"lststrategylist.listindex(0)", {"x", 0, ""}}};
    for (const KeyUse& use : uses) {
        SCOPED_TRACE(use.key);
        const bool expected = use.key == "mnuSetupItem" || use.key == "lstStrategyList.listindex(";
        EXPECT_EQ(inventoryAccepts(inventory, use), expected);
    }
}

TEST(CaptionScan, ProgramSourcesUseOnlyInventoriedKeys)
{
    const auto inventory = loadInventory();
    std::size_t scannedFiles = 0;
    for (const char* folder : {"ui", "print", "app", "analysis", "settings", "cli"}) {
        const fs::path dir = kSourceDir / folder;
        if (!fs::is_directory(dir))
            continue;
        for (const auto& item : fs::recursive_directory_iterator(dir)) {
            const std::string ext = item.path().extension().string();
            if (!item.is_regular_file() || (ext != ".cpp" && ext != ".h"))
                continue;
            std::ifstream in(item.path(), std::ios::binary);
            std::stringstream buffer;
            buffer << in.rdbuf();
            ++scannedFiles;
            const std::string name = fs::relative(item.path(), kSourceDir).generic_string();
            for (const KeyUse& use : keyUsesIn(buffer.str(), name)) {
                EXPECT_TRUE(inventoryAccepts(inventory, use))
                    << use.where << ": caption key \"" << use.key << "\""
                    << (use.kind == KeyUse::Kind::Whole ? "" : " (start of a key)") << " is not in data/caption-keys.txt";
            }
        }
    }
    EXPECT_GT(scannedFiles, 0u);
}

// ---- plain sources of the sponsor and user files ----

enum class SettingsKind { Unsponsored, Sponsored, Qzx, User };

struct SettingsSource {
    fs::path path;
    SettingsKind kind;
};

// The default inputs every sponsor file must hold.
std::vector<std::string> inputDefaultKeys()
{
    std::vector<std::string> keys;
    for (const gw::SettingRow& row : gw::SettingRows()) {
        if (row.section == gw::Section::InputDefaults && row.read)
            keys.emplace_back(row.key);
    }
    return keys;
}

double plainNumber(const std::string& value)
{
    EXPECT_TRUE(std::regex_match(value, std::regex(R"(-?[0-9]+(\.[0-9]+)?)"))) << "not a plain number: \"" << value
                                                                               << "\"";
    return std::atof(value.c_str());
}

TEST(SettingsSources, CarryEveryKeyTheLoadersReadInUsableForm)
{
    const fs::path fixtures = kSourceDir / "tests" / "settings" / "fixtures";
    const std::vector<SettingsSource> sources{{kSourceDir / "data" / "config.src.txt", SettingsKind::Unsponsored},
                                              {fixtures / "sponsored-config.src.txt", SettingsKind::Sponsored},
                                              {fixtures / "qzx-config.src.txt", SettingsKind::Qzx},
                                              {fixtures / "user-sample.src.txt", SettingsKind::User}};
    for (const SettingsSource& source : sources) {
        SCOPED_TRACE(source.path.filename().string());
        const auto lines = gw::test::PlainLines(source.path);
        ASSERT_FALSE(lines.empty());
        // The lookup never examines the first line, so it must be a section.
        EXPECT_EQ(lines.front(), "[SponsorInfo]");
        std::vector<std::string> sections;
        std::map<std::string, std::string> values; // lower-cased key -> value
        std::map<std::string, std::string> sectionOf;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::string& line = lines[i];
            const std::string where = "line " + std::to_string(i + 1) + ": ";
            if (const std::string fault = textFault(line); !fault.empty())
                ADD_FAILURE() << where << fault;
            EXPECT_LE(gw::Utf8Length(line), kMaxSettingLineChars) << where << "too long for a record";
            if (line.starts_with("[") && line.ends_with("]")) {
                sections.push_back(line);
                continue;
            }
            const auto eq = line.find('=');
            if (eq == std::string::npos) {
                ADD_FAILURE() << where << "expected value=key";
                continue;
            }
            const std::string key = lower(trimBlanks(line.substr(eq + 1)));
            EXPECT_TRUE(values.emplace(key, line.substr(0, eq)).second) << where << "duplicate key " << key;
            sectionOf[key] = sections.empty() ? "" : sections.back();
        }
        EXPECT_EQ(sections, (std::vector<std::string>{"[SponsorInfo]", "[AnalysisRestrictions]", "[InputLimits]",
                                                      "[InputDefaults]", "[LegalDisclaimer]"}));
        const auto value = [&](const std::string& key) -> std::string {
            const auto it = values.find(lower(key));
            if (it == values.end()) {
                ADD_FAILURE() << "missing key \"" << key << "\"";
                return {};
            }
            return it->second;
        };

        const std::string sponsor = value("SponsorName");
        for (const char* key : {"AppTitle", "PrintoutFooter", "helpPath", "helpCaption", "logoPath"}) {
            const std::string text = value(key);
            if (source.kind == SettingsKind::Sponsored || source.kind == SettingsKind::Qzx) {
                EXPECT_TRUE(std::string(key) == "logoPath" || !text.empty()) << key;
            }
        }
        switch (source.kind) {
        case SettingsKind::Unsponsored:
        case SettingsKind::User:
            EXPECT_EQ(sponsor, "none");
            break;
        case SettingsKind::Sponsored:
            EXPECT_TRUE(sponsor != "none" && !sponsor.empty() && !sponsor.starts_with("QZX")) << sponsor;
            break;
        case SettingsKind::Qzx:
            EXPECT_TRUE(sponsor.starts_with("QZX")) << sponsor;
            break;
        }
        EXPECT_TRUE(value("PrevLanguage") == "0" || value("PrevLanguage") == "1");

        for (const char* key : {"showIntOnlyAnalysis", "showTermLoanAnalysis", "showRRSPAnalysis"}) {
            // The sponsor file's flags count by their numeric value ("True" reads as 0); the user
            // file writes "True"/"False" and is never read for them.
            const std::string flag = value(key);
            if (source.kind == SettingsKind::User)
                EXPECT_TRUE(flag == "True" || flag == "False") << key;
            else
                EXPECT_TRUE(flag == "0" || flag == "1") << key << " must be stored as a number: " << flag;
        }
        const double maxReturn = plainNumber(value("Maximum Return Allowed"));
        const double returnWarning = plainNumber(value("Return at which Warning Issued"));
        const double minRate = plainNumber(value("Minimum Interest Rate Allowed"));
        plainNumber(value("Interest Rate at which Warning Issued"));
        EXPECT_TRUE(returnWarning == 0 || returnWarning <= maxReturn);
        EXPECT_GT(minRate, 0) << "a loan rate of 0 breaks the break-even search and the RRSP annuity";

        for (const std::string& key : inputDefaultKeys()) {
            SCOPED_TRACE(key);
            const std::string text = value(key);
            EXPECT_EQ(sectionOf[lower(key)], "[InputDefaults]");
            if (key.find("Limited to Taxable Income") != std::string::npos || key == "Print Summary Checklist"
                || key == "Print Legal Disclaimer" || key == "Print Signatures")
                EXPECT_TRUE(text == "True" || text == "False") << "read as True only when exactly \"True\": " << text;
            else if (key.starts_with("Print "))
                EXPECT_TRUE(text == "1" || text == "0") << text;
            else
                plainNumber(text);
        }
        const int optionsChosen = (value("Print Summary Checklist") == "True") + (value("Print Legal Disclaimer") == "True")
                                  + (value("Print Signatures") == "True");
        EXPECT_EQ(optionsChosen, 1) << "the three summary options form one group";
        double breakdown = 0;
        for (const char* key : {"Deferred Capital Gains", "Capital Gains", "Dividends", "Interest"})
            breakdown += std::atof(value(key).c_str());
        EXPECT_EQ(breakdown, 100);
        EXPECT_EQ(std::atof(value("Projection Return").c_str()), std::atof(value("Projected Return 3 (%)").c_str()))
            << "the projection return mirrors the third projected return";
        for (int n = 1; n <= 4; ++n) {
            for (const std::string name : {"Interest Tax Rate ", "Dividend Tax Rate "}) {
                const double rate = std::atof(value(name + std::to_string(n) + " (%)").c_str());
                EXPECT_TRUE(rate >= 0 && rate < 1) << name << n << " is held as a fraction: " << rate;
            }
        }
        const double inclusion = std::atof(value("Capital Gains Inclusion Rate (%)").c_str());
        EXPECT_TRUE(inclusion > 0 && inclusion <= 1) << "held as a fraction: " << inclusion;

        for (const std::string base : {"LegalDisclaimerEnglish", "LegalDisclaimerFrench"}) {
            SCOPED_TRACE(base);
            int chunks = 0;
            while (values.count(lower(base + std::to_string(chunks + 1)))) {
                const std::string key = lower(base + std::to_string(++chunks));
                const std::string& chunk = values.at(key);
                EXPECT_FALSE(chunk.empty()) << "an empty chunk ends the disclaimer early";
                EXPECT_LE(gw::Utf8Length(chunk), kMaxDisclaimerChunk);
                EXPECT_EQ(sectionOf[key], "[LegalDisclaimer]");
            }
            EXPECT_GT(chunks, 1);
            for (const auto& [key, text] : values) {
                if (key.starts_with(lower(base))) {
                    EXPECT_LE(std::stoi(key.substr(base.size())), chunks) << "chunk after a gap is never read: " << key;
                }
            }
        }
    }
}

} // namespace
