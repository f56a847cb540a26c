// Measuring and line breaking on the recording page, whose 10-point text is
// 5/6 of a unit per character (6 characters = 5 units).
#include "recordingpage.h"
#include "textlayout.h"

#include "captions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace gw {
namespace {

// Width in units of n characters at 10 points.
double Chars(double n)
{
    return n * 10.0 / 12.0;
}

TEST(MeasureText, MeasuresAtMost449CharactersPerCall)
{
    const struct {
        std::size_t length;
        const char* character;
        std::vector<std::size_t> calls;
    } cases[] = {{0, "x", {0}},          {448, "x", {448}},          {449, "x", {449}},
                 {450, "x", {449, 1}},   {898, "x", {449, 449}},     {899, "x", {449, 449, 1}},
                 {450, "\xC3\xA9", {449, 1}}};  // é, two bytes: characters are counted, not bytes
    for (const auto& c : cases) {
        SCOPED_TRACE("length " + std::to_string(c.length) + " of " + c.character);
        RecordingPage page;
        std::string text;
        for (std::size_t i = 0; i < c.length; ++i)
            text += c.character;
        EXPECT_DOUBLE_EQ(MeasureText(page, text), Chars(static_cast<double>(c.length)));
        EXPECT_EQ(page.measuredLengths(), c.calls);
    }
}

TEST(WrapText, Cases)
{
    using Lines = std::vector<std::string>;
    const WrapOptions split{.overlong = OverlongWord::Split};
    const struct {
        const char* text;
        double columns;
        WrapOptions options;
        Lines lines;
    } cases[] = {
        {"the quick brown fox jumps over the lazy dog", 12, {}, Lines{"the quick", "brown fox", "jumps over", "the lazy dog"}},
        {"First part.\r\n\r\nSecond part\nthird\rfourth", 40, {}, Lines{"First part.", "", "Second part", "third", "fourth"}},
        // English may break between digit groups, French never inside a figure.
        {"worth 1 234 567 dollars", 9, {}, Lines{"worth 1", "234 567", "dollars"}},
        {"worth 1 234 567 dollars", 9, {.language = French}, Lines{"worth", "1 234 567", "dollars"}},
        // A word wider than the line is a line of its own...
        {"see antidisestablishmentarianism here", 10, {}, Lines{"see", "antidisestablishmentarianism", "here"}},
        // ... or is cut between characters, at least one a line.
        {"ok antidisestablishmentarianism", 10, split, Lines{"ok", "antidisest", "ablishment", "arianism"}},
        {"$12,345,678", 6.12, split, Lines{"$12,34", "5,678"}},
        {"été élévation", 4, split, Lines{"été", "élév", "atio", "n"}},
        {"123", 0.1, split, Lines{"1", "2", "3"}},
        // A paragraph that fits is kept as it stands when asked.
        {"  two  blanks ", 20, {.keepFittingParagraph = true}, Lines{"  two  blanks "}},
        {"  two  blanks ", 20, {}, Lines{"two  blanks"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        RecordingPage page;
        EXPECT_EQ(WrapText(page, c.text, Chars(c.columns), c.options), c.lines);
    }
    RecordingPage page;  // a view ends where it says, not at the next line break
    EXPECT_EQ(WrapText(page, std::string_view("one\ntwo\n").substr(0, 7), Chars(20), {}), Lines({"one", "two"}));
}

// At every width no line is wider than the space, none starts or ends with a
// blank, no word is lost, and a French figure always stays whole on one line.
TEST(WrapText, EveryWidthKeepsWordsAndFrenchFiguresWhole)
{
    const std::string english =
        "Borrowing to invest magnifies gains and losses alike; the loan must be repaid whatever the markets do.";
    const std::string french = "Le placement atteint 1 234 567 $ soit une hausse de 12,5 % en 25 ans.";
    for (std::size_t columns = 12; columns <= 110; ++columns) {
        for (const auto& [text, language] : {std::pair{english, English}, std::pair{french, French}}) {
            SCOPED_TRACE(std::to_string(columns) + " columns: " + text);
            RecordingPage page;
            const auto lines = WrapText(page, text, Chars(static_cast<double>(columns)), {.language = language});
            std::string joined;
            for (const std::string& line : lines) {
                EXPECT_LE(line.size(), columns) << line;
                joined += (joined.empty() ? "" : "\n") + line;
            }
            // Trimmed lines: with blanks for their breaks they give the text back.
            std::string rejoined = joined;
            std::replace(rejoined.begin(), rejoined.end(), '\n', ' ');
            EXPECT_EQ(rejoined, text);
            if (language == French) {
                EXPECT_NE(joined.find("1 234 567 $"), std::string::npos) << joined;
                EXPECT_NE(joined.find("12,5 %"), std::string::npos) << joined;
            }
        }
    }
}

} // namespace
} // namespace gw
