// Measuring and line breaking on the recording page, whose 10-point text is
// 5/6 of a unit per character (6 characters = 5 units).
#include "recordingpage.h"
#include "textlayout.h"

#include "captions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace gw {
namespace {

// Width in units of n characters at 10 points.
double Chars(std::size_t n)
{
    return static_cast<double>(n) * 10.0 / 12.0;
}

TEST(MeasureText, MeasuresAtMost449CharactersPerCall)
{
    struct Case {
        std::size_t length;
        std::vector<std::size_t> calls;
    };
    const Case cases[] = {
        {0, {0}},
        {448, {448}},
        {449, {449}},
        {450, {449, 1}},
        {898, {449, 449}},
        {899, {449, 449, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("length " + std::to_string(c.length));
        RecordingPage page;
        const double width = MeasureText(page, std::string(c.length, 'x'));
        EXPECT_EQ(page.measuredLengths(), c.calls);
        EXPECT_DOUBLE_EQ(width, Chars(c.length));
    }
}

TEST(MeasureText, CountsCharactersNotBytes)
{
    RecordingPage page;
    std::string text;
    for (int i = 0; i < 450; ++i)
        text += "\xC3\xA9";  // é, two bytes
    EXPECT_DOUBLE_EQ(MeasureText(page, text), Chars(450));
    EXPECT_EQ(page.measuredLengths(), (std::vector<std::size_t>{449, 1}));
}

TEST(IsFigure, TellsFiguresFromWords)
{
    const std::pair<const char*, bool> cases[] = {
        {"1234", true},
        {"$1,234,567", true},
        {"-$1,234", true},
        {"(1,234)", true},
        {"12.5%", true},
        {"1 234 567 $", true},
        {"12,5 %", true},
        {"1\xC2\xA0" "234\xC2\xA0$", true},
        {"-", false},
        {"$", false},
        {"12,", false},
        {"2024-25", false},
        {"abc", false},
        {"12abc", false},
        {"", false},
    };
    for (const auto& [word, figure] : cases) {
        SCOPED_TRACE(word);
        EXPECT_EQ(IsFigure(word), figure);
    }
}

std::string Joined(const std::vector<std::string>& lines)
{
    std::string result;
    for (const std::string& line : lines)
        result += (result.empty() ? "" : " ") + line;
    return result;
}

TEST(WrapText, BreaksAtBlanksTakingTheLongestPartThatFits)
{
    RecordingPage page;
    // 12 characters to a line.
    const auto lines = WrapText(page, "the quick brown fox jumps over the lazy dog", Chars(12), {});
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, (std::vector<std::string>{"the quick", "brown fox", "jumps over", "the lazy dog"}));
}

TEST(WrapText, NoLineIsWiderThanTheSpaceAndNoWordIsLost)
{
    const std::string text =
        "Borrowing to invest magnifies gains and losses alike; the loan must be repaid whatever the markets do.";
    for (std::size_t columns = 12; columns <= 110; columns += 7) {
        SCOPED_TRACE("columns " + std::to_string(columns));
        RecordingPage page;
        const auto lines = WrapText(page, text, Chars(columns), {});
        ASSERT_TRUE(lines);
        for (const std::string& line : *lines) {
            EXPECT_LE(line.size(), columns) << line;
            EXPECT_FALSE(line.empty());
            EXPECT_NE(line.front(), ' ');
            EXPECT_NE(line.back(), ' ');
        }
        EXPECT_EQ(Joined(*lines), text);
    }
}

// Every width from narrow to wide: the French figures always stay whole on
// one line, while the same text in English may break between digit groups.
TEST(WrapText, FrenchFiguresAreNeverSplit)
{
    const std::string text = "Le placement atteint 1 234 567 $ soit une hausse de 12,5 % en 25 ans.";
    for (std::size_t columns = 12; columns <= 70; ++columns) {
        SCOPED_TRACE("columns " + std::to_string(columns));
        RecordingPage page;
        const auto lines = WrapText(page, text, Chars(columns), {.language = French});
        ASSERT_TRUE(lines);
        bool wholeAmount = false, wholeRate = false;
        for (const std::string& line : *lines) {
            wholeAmount = wholeAmount || line.find("1 234 567 $") != std::string::npos;
            wholeRate = wholeRate || line.find("12,5 %") != std::string::npos;
            EXPECT_LE(line.size(), columns) << line;
        }
        EXPECT_TRUE(wholeAmount);
        EXPECT_TRUE(wholeRate);
        EXPECT_EQ(Joined(*lines), text);
    }
    RecordingPage page;
    const auto english = WrapText(page, "worth 1 234 567 dollars", Chars(9), {.language = English});
    ASSERT_TRUE(english);
    EXPECT_EQ(*english, (std::vector<std::string>{"worth 1", "234 567", "dollars"}));
    const auto french = WrapText(page, "worth 1 234 567 dollars", Chars(9), {.language = French});
    ASSERT_TRUE(french);
    EXPECT_EQ(*french, (std::vector<std::string>{"worth", "1 234 567", "dollars"}));
}

TEST(WrapText, OverlongWords)
{
    RecordingPage page;
    // A word of its own on a centred line.
    const auto own = WrapText(page, "see antidisestablishmentarianism here", Chars(10), {});
    ASSERT_TRUE(own);
    EXPECT_EQ(*own, (std::vector<std::string>{"see", "antidisestablishmentarianism", "here"}));

    const WrapOptions strict{.overlong = OverlongWord::HashOrFail};
    // A figure too wide for its column: as many "#" as fit.
    const auto figure = WrapText(page, "$12,345,678", Chars(6) + 0.1, strict);
    ASSERT_TRUE(figure);
    EXPECT_EQ(*figure, std::vector<std::string>{"######"});
    // A French figure with its blanks is one word, hashed whole.
    const auto french = WrapText(page, "1 234 567 $", Chars(4), {.language = French, .overlong = OverlongWord::HashOrFail});
    ASSERT_TRUE(french);
    EXPECT_EQ(*french, std::vector<std::string>{"####"});
    // Any other word fails the whole block.
    EXPECT_FALSE(WrapText(page, "ok antidisestablishmentarianism", Chars(10), strict));
    // Even when there is no room for a single "#", the figure leaves a mark.
    EXPECT_EQ(*WrapText(page, "123", 0.1, strict), std::vector<std::string>{"#"});
}

TEST(WrapText, LineBreaksStartParagraphs)
{
    RecordingPage page;
    const auto lines = WrapText(page, "First part.\r\n\r\nSecond part\nthird", Chars(40), {});
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, (std::vector<std::string>{"First part.", "", "Second part", "third"}));
}

} // namespace
} // namespace gw
