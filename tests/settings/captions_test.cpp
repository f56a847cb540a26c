#include "captions.h"
#include "golden.h"
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

TEST(GetCaption, lookupRules)
{
    const CaptionTables tables{{"cmdCancel=Cancel", "*cmdOK=OK", "Equation=a=b+c", "lblBlank =With blank",
                                "lblTaxRate=Tax Rate", "LBLTAXRATE=Marginal Tax Rate", "Hello", "=empty key text",
                                "lblZoneAZ=Zone"},
                               {}};
    const struct {
        const char* key;
        std::string expected;
    } cases[] = {
        {"lbltaxrate", "Marginal Tax Rate"},  // the last line wins, case ignored
        {"LblTaxRate", "Marginal Tax Rate"},
        {"LBLzoneaz", "Zone"},                // A and Z are letters too
        {"cmdOK", "OK"},                      // the "*" marker is not part of the key
        {"*cmdOK", std::string(kCaptionNotFound)},
        {"Equation", "a=b+c"},                // text after the first "="
        {"lblBlank ", "With blank"},          // nothing is trimmed
        {"lblBlank", std::string(kCaptionNotFound)},
        {"cmdCancel", "Cancel"},              // the first line is searched
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
    const CaptionTables tables{{"English=English"}, {"English=Anglais"}};
    EXPECT_EQ(GetCaption(tables, "English", English), "English");
    EXPECT_EQ(GetCaption(tables, "English", French), "Anglais");
    EXPECT_EQ(GetCaption(tables, "English", 2), kCaptionNotFound);
    EXPECT_EQ(GetCaption(tables, "", -1), kCaptionNotFound);
}

// Each line of the golden file: a text, the values after " | ", and the text
// filled. "<n>" takes the n-th value (n = 1..99, no leading zero); values are
// never expanded again; a "<" that opens no placeholder with a value stays.
TEST(FillPlaceholders, fillsNumberedPlaceholders)
{
    std::string actual;
    for (const std::string& line : test::PlainLines(test::kSourceDir / "tests/settings/golden/placeholders.txt")) {
        std::vector<std::string> parts;
        const std::string left = line.substr(0, line.rfind(" => "));
        for (std::size_t at = 0, bar; at <= left.size(); at = bar + 3) {
            bar = std::min(left.find(" | ", at), left.size());
            parts.push_back(left.substr(at, bar - at));
        }
        actual += left + " => " + FillPlaceholders(parts[0], {parts.begin() + 1, parts.end()}) + "\n";
    }
    test::ExpectGolden(actual, "settings/golden/placeholders.txt");
}

TEST(GetDisclaimerText, placeholdersBecomeLineBreaks)
{
    const CaptionTables tables{{"Disclaimer=First sentence.<1>Second sentence.<2><3>End<4>"}, {}};
    EXPECT_EQ(GetDisclaimerText(tables, English), "First sentence.\r\nSecond sentence.\r\n\r\nEnd\r\n");
}

TEST(BuildWindowTitle, sponsorCases)
{
    const CaptionTables tables{{"SoftwareName=Gearwise Planner", "SponsoredBy=sponsored by"}, {}};
    const auto title = [&](bool sponsored, const char* name, const char* appTitle) {
        return BuildWindowTitle(tables, English, SponsorInfo{name, appTitle, "", "", "", ""}, sponsored);
    };
    EXPECT_EQ(title(false, "Acme", "presented by"), "Gearwise Planner");
    EXPECT_EQ(title(true, "", "presented by"), "Gearwise Planner");  // no sponsor name
    EXPECT_EQ(title(true, "Acme Wealth", "presented by"), "Gearwise Planner, presented by Acme Wealth");
    EXPECT_EQ(title(true, "Acme Wealth", ""), "Gearwise Planner, sponsored by Acme Wealth");
}

std::vector<std::string> numberedLines(int count)
{
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i)
        lines.push_back("k" + std::to_string(i) + "=v" + std::to_string(i));
    return lines;
}

// A missing file, or one past 1025 lines, is reported and stops the loading
// there, keeping what was read; a file of no use, an empty line or a line
// that does not unmask ends the program.
TEST(LoadCaptionFiles, loadsWhatItCanAndReportsTheRest)
{
    const std::string missing = "Language data files not found, please re-install the software.";
    const std::string error301 = "Error 301: Invalid encryption level";
    const auto writeEnglish = [](std::vector<std::string> lines) {
        return [lines](const TempFolder& f) { test::writeCaptionFile(f / "english.txt", lines); };
    };
    const struct {
        const char* name;
        std::function<void(const TempFolder&)> write;  // over both files of one line
        bool ok;
        std::vector<std::string> messages;
        std::size_t english, french;  // lines kept
    } cases[] = {
        {"both", [](const TempFolder&) {}, true, {}, 1, 1},
        {"neither", [](const TempFolder& f) { std::filesystem::remove_all(f.path()); }, true, {missing}, 0, 0},
        {"English only", [](const TempFolder& f) { std::filesystem::remove(f / "french.txt"); }, true, {missing}, 1, 0},
        {"exactly 1025 lines", writeEnglish(numberedLines(1025)), true, {}, 1025, 1},
        {"1026 lines: the first 1025 kept", writeEnglish(numberedLines(1026)), true, {missing}, 1025, 0},
        {"empty English", [](const TempFolder& f) { test::writeBytes(f / "english.txt", ""); }, false,
         {"english.txt cannot be used: it is empty. Please re-install the software."}, 0, 0},
        {"French of line ends only", [](const TempFolder& f) { test::writeBytes(f / "french.txt", "\r\n"); }, false,
         {"0", error301}, 1, 0},  // the empty line's slot, then the masking error
        {"oversized French",
         [](const TempFolder& f) { std::filesystem::resize_file(f / "french.txt", kMaxCaptionFileBytes + 1); }, false,
         {"french.txt cannot be used: it is 2097153 bytes long, more than the 2097152 such a file can hold. Please "
          "re-install the software."},
         1, 0},
        {"empty line", [](const TempFolder& f) { test::writeBytes(f / "english.txt", "1AbCd\r\n2Xyz\r\n\r\n3Kabc\r\n"); },
         false, {"2", error301}, 2, 0},
        {"line never masked", [](const TempFolder& f) { test::writeBytes(f / "english.txt", "1AbCd\r\nk=never masked\r\n"); },
         false, {error301}, 1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        test::writeCaptionFile(folder / "english.txt", {"k0=v0"});
        test::writeCaptionFile(folder / "french.txt", {"k0=fé à"}, "\n");  // Windows-1252 in the file
        c.write(folder);
        CaptionTables tables;
        RecordingReporter reporter;
        EXPECT_EQ(LoadCaptionFiles(folder.path(), tables, reporter), c.ok);
        EXPECT_EQ(reporter.texts(), c.messages);
        if (!c.messages.empty() && c.messages.back() != error301) {
            EXPECT_EQ(reporter.messages[0].title, "Error");
        }
        if (!c.ok)
            continue;
        EXPECT_EQ(tables.english.size(), c.english);
        EXPECT_EQ(tables.french.size(), c.french);
        EXPECT_EQ(GetCaption(tables, "k0", English), c.english ? "v0" : kCaptionNotFound);
        EXPECT_EQ(GetCaption(tables, "K0", French), c.french ? "fé à" : kCaptionNotFound);
        EXPECT_EQ(GetCaption(tables, "k1024", English), c.english == 1025 ? "v1024" : kCaptionNotFound);
        // A full table has no unused slot for the empty key to find.
        EXPECT_EQ(GetCaption(tables, "", English), c.english == 1025 ? kCaptionNotFound : "");
    }
}

} // namespace
} // namespace gw
