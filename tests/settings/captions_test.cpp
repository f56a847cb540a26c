#include "captions.h"
#include "charset.h"
#include "records.h"
#include "settings_test_support.h"
#include "textveil.h"

#include <gtest/gtest.h>

#include <functional>

namespace gw {
namespace {

using test::RecordingReporter;
using test::TempFolder;

CaptionTables tablesWith(std::vector<std::pair<std::size_t, std::string>> slots, int language = English)
{
    CaptionTables tables;
    std::vector<std::string>& table = language == English ? tables.english : tables.french;
    for (const auto& [slot, line] : slots) {
        if (table.size() <= slot)
            table.resize(slot + 1, "filler=unused");
        table[slot] = line;
    }
    return tables;
}

TEST(GetCaption, lookupRules)
{
    const CaptionTables tables = tablesWith({
        {0, "cmdCancel=Cancel"},
        {3, "*cmdOK=OK"},
        {4, "Equation=a=b+c"},
        {5, "lblBlank =With blank"},
        {10, "lblTaxRate=Tax Rate"},
        {20, "LBLTAXRATE=Marginal Tax Rate"},
        {21, "Hello"},
        {22, "=empty key text"},
    });
    const struct {
        const char* key;
        std::string expected;
    } cases[] = {
        {"lbltaxrate", "Marginal Tax Rate"},  // the highest slot wins, case ignored
        {"LblTaxRate", "Marginal Tax Rate"},
        {"cmdOK", "OK"},                      // the "*" marker is not part of the key
        {"*cmdOK", std::string(kCaptionNotFound)},
        {"Equation", "a=b+c"},                // text after the first "="
        {"lblBlank ", "With blank"},          // nothing is trimmed
        {"lblBlank", std::string(kCaptionNotFound)},
        {"cmdCancel", "Cancel"},              // slot 0 is searched
        {"H", "Hello"},                       // a line without "=" gives itself
        {"Hello", std::string(kCaptionNotFound)},
        {"", ""},                             // unused slots hold the empty line
        {"missing", std::string(kCaptionNotFound)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("key '") + c.key + "'");
        EXPECT_EQ(GetCaption(tables, c.key, English), c.expected);
    }
}

TEST(GetCaption, languagePicksTheTableAndUnknownLanguagesFindNothing)
{
    CaptionTables tables = tablesWith({{0, "English=English"}});
    tables.french = {"English=Anglais"};
    EXPECT_EQ(GetCaption(tables, "English", English), "English");
    EXPECT_EQ(GetCaption(tables, "English", French), "Anglais");
    EXPECT_EQ(GetCaption(tables, "English", 2), kCaptionNotFound);
    EXPECT_EQ(GetCaption(tables, "", -1), kCaptionNotFound);
}

TEST(FillPlaceholders, fillsNumberedPlaceholders)
{
    const std::vector<std::string> twelve = {"v1", "v2", "v3", "v4", "v5", "v6", "v7", "v8", "v9", "v10", "v11", "v12"};
    const struct {
        const char* text;
        std::vector<std::string> values;
        const char* expected;
    } cases[] = {
        {"In <1> you paid <2> dollars.", {"1", "2003"}, "In 1 you paid 2003 dollars."},
        {"<2><1>", {"a", "b"}, "ba"},
        {"Twelfth: <12>!", twelve, "Twelfth: v12!"},
        {"<10>,<11>,<1>", twelve, "v10,v11,v1"},
        // Inserted values are never expanded again.
        {"<1> and <2>", {"<2>", "x"}, "<2> and x"},
        // A "<" that opens no valid placeholder stays as it is.
        {"a < b", {"x"}, "a < b"},
        {"<0>", {"x"}, "<0>"},
        {"<01>", {"x"}, "<01>"},
        {"<3>", {"x", "y"}, "<3>"},
        {"<1", {"x"}, "<1"},
        {"<123>", {"x"}, "<123>"},
        {"<>", {"x"}, "<>"},
        {"end <", {"x"}, "end <"},
        {"<<1>>", {"x"}, "<x>"},
        {"no placeholders", {}, "no placeholders"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FillPlaceholders(c.text, c.values), c.expected);
    }
}

TEST(GetDisclaimerText, placeholdersBecomeLineBreaks)
{
    const CaptionTables tables = tablesWith({{0, "Disclaimer=First sentence.<1>Second sentence.<2><3>End<4>"}});
    EXPECT_EQ(GetDisclaimerText(tables, English), "First sentence.\r\nSecond sentence.\r\n\r\nEnd\r\n");
}

TEST(BuildWindowTitle, sponsorCases)
{
    const CaptionTables tables = tablesWith({{0, "SoftwareName=Gearwise Planner"}, {1, "SponsoredBy=sponsored by"}});
    const struct {
        const char* name;
        bool sponsored;
        const char* sponsorName;
        const char* appTitle;
        const char* expected;
    } cases[] = {
        {"not sponsored", false, "Acme", "presented by", "Gearwise Planner"},
        {"empty sponsor name", true, "", "presented by", "Gearwise Planner"},
        {"with AppTitle", true, "Acme Wealth", "presented by", "Gearwise Planner, presented by Acme Wealth"},
        {"without AppTitle", true, "Acme Wealth", "", "Gearwise Planner, sponsored by Acme Wealth"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SponsorInfo sponsor;
        sponsor.SponsorName = c.sponsorName;
        sponsor.AppTitle = c.appTitle;
        EXPECT_EQ(BuildWindowTitle(tables, English, sponsor, c.sponsored), c.expected);
    }
}

TEST(LoadCaptionFiles, loadsBothLanguagesAsUtf8)
{
    TempFolder folder;
    test::writeCaptionFile(folder / "english.txt", {"lblTaxRate=Tax Rate", "*cmdOK=OK", "Disclaimer=Read <1>this"});
    test::writeCaptionFile(folder / "french.txt", {"lblTaxRate=Taux d'imposition marginal", "Note=Intérêts déductibles à 50 %"},
                     "\n");
    CaptionTables tables;
    RecordingReporter reporter;
    ASSERT_TRUE(LoadCaptionFiles(folder.path(), tables, reporter));
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(tables.english.size(), 3u);
    EXPECT_EQ(GetCaption(tables, "cmdok", English), "OK");
    EXPECT_EQ(GetCaption(tables, "LBLTAXRATE", French), "Taux d'imposition marginal");
    EXPECT_EQ(GetCaption(tables, "Note", French), "Intérêts déductibles à 50 %");
}

TEST(LoadCaptionFiles, missingFileReportsAndStopsThere)
{
    const std::string message = "Language data files not found, please re-install the software.";
    {
        TempFolder folder;  // neither file
        CaptionTables tables;
        RecordingReporter reporter;
        EXPECT_TRUE(LoadCaptionFiles(folder.path(), tables, reporter));
        ASSERT_EQ(reporter.messages.size(), 1u);
        EXPECT_EQ(reporter.messages[0].text, message);
        EXPECT_EQ(reporter.messages[0].title, "Error");
        EXPECT_EQ(GetCaption(tables, "lblTaxRate", English), kCaptionNotFound);
    }
    {
        TempFolder folder;  // English only
        test::writeCaptionFile(folder / "english.txt", {"lblTaxRate=Tax Rate"});
        CaptionTables tables;
        RecordingReporter reporter;
        EXPECT_TRUE(LoadCaptionFiles(folder.path(), tables, reporter));
        EXPECT_EQ(reporter.texts(), std::vector<std::string>{message});
        EXPECT_EQ(GetCaption(tables, "lblTaxRate", English), "Tax Rate");
        EXPECT_EQ(GetCaption(tables, "lblTaxRate", French), kCaptionNotFound);
    }
}

// A caption file that is there but of no use ends the start-up with one
// message naming it, instead of captions that all read "!!!Caption Not
// Found!!!".
TEST(LoadCaptionFiles, emptyOrOversizedFileEndsTheProgramNamingIt)
{
    const struct {
        const char* name;
        const char* file;
        std::function<void(const std::filesystem::path&)> write;
        const char* reason;
    } cases[] = {
        {"empty English", "english.txt", [](const auto& path) { test::writeBytes(path, ""); }, "it is empty"},
        {"French of line ends only", "french.txt", [](const auto& path) { test::writeBytes(path, "\r\n"); },
         "0"},  // an empty line: its slot, then the masking error
        {"oversized French", "french.txt",
         [](const auto& path) {
             test::writeCaptionFile(path, {"k0=f0"});
             std::filesystem::resize_file(path, kMaxCaptionFileBytes + 1);
         },
         "bytes long"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        test::writeCaptionFile(folder / "english.txt", {"lblTaxRate=Tax Rate"});
        test::writeCaptionFile(folder / "french.txt", {"lblTaxRate=Taux"});
        c.write(folder / c.file);
        CaptionTables tables;
        RecordingReporter reporter;
        EXPECT_FALSE(LoadCaptionFiles(folder.path(), tables, reporter));
        ASSERT_FALSE(reporter.messages.empty());
        const std::string& text = reporter.messages[0].text;
        EXPECT_NE(text.find(c.reason), std::string::npos) << text;
        if (std::string(c.reason) != "0") {
            EXPECT_EQ(reporter.messages.size(), 1u);
            EXPECT_TRUE(text.starts_with(std::string(c.file) + " cannot be used: ")) << text;
            EXPECT_TRUE(text.ends_with("Please re-install the software.")) << text;
        }
    }
}

TEST(LoadCaptionFiles, overlongFileKeepsTheFirst1025Lines)
{
    TempFolder folder;
    std::vector<std::string> lines;
    for (int i = 0; i < 1026; ++i)
        lines.push_back("k" + std::to_string(i) + "=v" + std::to_string(i));
    test::writeCaptionFile(folder / "english.txt", lines);
    test::writeCaptionFile(folder / "french.txt", {"k0=f0"});
    CaptionTables tables;
    RecordingReporter reporter;
    EXPECT_TRUE(LoadCaptionFiles(folder.path(), tables, reporter));
    EXPECT_EQ(reporter.texts(), std::vector<std::string>{"Language data files not found, please re-install the software."});
    EXPECT_EQ(tables.english.size(), 1025u);
    EXPECT_EQ(GetCaption(tables, "k1024", English), "v1024");
    EXPECT_EQ(GetCaption(tables, "k1025", English), kCaptionNotFound);
    EXPECT_TRUE(tables.french.empty());
}

TEST(LoadCaptionFiles, emptyOrCorruptLineEndsTheProgram)
{
    {
        TempFolder folder;
        test::writeBytes(folder / "english.txt", "1AbCd\r\n2Xyz\r\n\r\n3Kabc\r\n");
        CaptionTables tables;
        RecordingReporter reporter;
        EXPECT_FALSE(LoadCaptionFiles(folder.path(), tables, reporter));
        EXPECT_EQ(reporter.texts(), (std::vector<std::string>{"2", "Error 301: Invalid encryption level"}));
    }
    {
        TempFolder folder;
        test::writeBytes(folder / "english.txt", "1AbCd\r\nlblTaxRate=never masked\r\n");
        CaptionTables tables;
        RecordingReporter reporter;
        EXPECT_FALSE(LoadCaptionFiles(folder.path(), tables, reporter));
        EXPECT_EQ(reporter.texts(), std::vector<std::string>{"Error 301: Invalid encryption level"});
    }
}

} // namespace
} // namespace gw
