#include "numformat.h"

#include "case_table.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>

namespace gw {
namespace {

constexpr int English = 0;
constexpr int French = 1;

int languageOf(const std::string& token) { return token == "fr" ? French : English; }

// The expected texts and values in the tables were worked out by hand.
TEST(FormatNumber, patternsInBothLanguages)
{
    test::ExpectCaseTable("analysis/golden/format-number.txt", [](const test::Tokens& in) {
        const double value = test::Number(in[0]);
        const int language = languageOf(in[2]);
        const std::string text = FormatNumber(value, in[1], language);
        if (language != French)
            return test::Tokens{text};
        // One line: the same number, its spaces no-break.
        const std::string unbroken = FormatNumberUnbroken(value, in[1], language);
        EXPECT_EQ(ReadField(unbroken, language), ReadField(text, language)) << unbroken;
        return test::Tokens{text, unbroken};
    });
}

TEST(ReadField, leadingNumericPartCounts)
{
    test::ExpectCaseTable("analysis/golden/read-field.txt", [](const test::Tokens& in) {
        return test::Tokens{test::NumberText(ReadField(in[0], languageOf(in[1])))};
    });
}

TEST(ReadField, takesBackEveryMoneyAndPercentText)
{
    const char* wholePatterns[] = {"$#,##0", "$###,##0", "#,##0", "###,##0", "##,##0",
                                   "#,###,###,##0", "#0", "#", "##0", "###0", "########0", "#########"};
    // Each per-cent pattern with half its last shown digit.
    const std::pair<const char*, double> percentPatterns[] = {
        {"##0.0%", 0.05}, {"##0%", 0.5}, {"##0.0#%", 0.005}, {"#0%", 0.5}};
    const double values[] = {0, 0.5, -0.4, 7.5, 1234.5, -1234.5, 100000, 987654321.49, 1e12, 0.0812, -0.1255};
    for (int language : {English, French}) {
        for (double x : values) {
            for (const char* p : wholePatterns) {
                const std::string text = FormatNumber(x, p, language);
                SCOPED_TRACE(testing::Message() << x << " \"" << p << "\" -> \"" << text << '"');
                EXPECT_EQ(ReadField(text, language), RoundHalfAwayFromZero(x));
            }
            for (const auto& [p, halfDigit] : percentPatterns) {
                const std::string text = FormatNumber(x, p, language);
                SCOPED_TRACE(testing::Message() << x << " \"" << p << "\" -> \"" << text << '"');
                EXPECT_NEAR(ReadField(text, language), x * 100, halfDigit * (1 + 1e-9));
                EXPECT_EQ(ReadField(text, language), ReadField(FormatNumber(x, p, English), English));
            }
        }
    }
}

TEST(LenientParse, stopsAtTheFirstOtherCharacter)
{
    test::ExpectCaseTable("analysis/golden/lenient-parse.txt", [](const test::Tokens& in) {
        return test::Tokens{test::NumberText(LenientParse(in[0]))};
    });
    EXPECT_EQ(LenientParse("1" + std::string(400, '0')), DBL_MAX);
    EXPECT_EQ(LenientParse("0." + std::string(400, '0') + "1e400"), 0.1);
    // A view ends where it says, not at the next terminator.
    EXPECT_EQ(LenientParse(std::string_view("1.25").substr(0, 3)), 1.2);
    EXPECT_EQ(ReadField(std::string_view("1.25").substr(0, 3), English), 1.2);
    EXPECT_EQ(ReadField(std::string_view("1,2345").substr(0, 5), English), 1234);
    EXPECT_EQ(ReadField(std::string_view("12,345").substr(0, 5), English), 12);
}

TEST(Rounding, halvesAwayFromZeroOrToEven)
{
    test::ExpectCaseTable("analysis/golden/rounding.txt", [](const test::Tokens& in) {
        const double x = test::Number(in[0]);
        return test::Tokens{test::NumberText(RoundHalfAwayFromZero(x)), test::NumberText(RoundHalfToEven(x))};
    });
    EXPECT_TRUE(std::isnan(RoundHalfToEven(NAN)));
    EXPECT_TRUE(std::isnan(RoundHalfAwayFromZero(NAN)));
    // Away from zero agrees with the whole-number pattern.
    for (double x = -300; x <= 300; x += 0.125) {
        for (double y : {x, x * 1.1, x / 3, x + 1e-13})
            EXPECT_EQ(RoundHalfAwayFromZero(y), ReadField(FormatNumber(y, "#", English), English)) << y;
    }
}

// The figures the tables show, for a data file: same rounding, plain form.
TEST(PlainNumber, showsTheTablesDigitsWithAPointAndNoGrouping)
{
    struct Case {
        double value;
        const char* pattern;
        const char* plain;
    };
    const Case cases[] = {
        {1234567.5, "#,###,###,##0", "1234568"},  // half away from zero, as shown
        {-1234.4, "$#,##0", "-1234"},
        {-0.4, "#,##0", "0"},                      // shows as zero: no sign
        {0.075, "##0.0%", "7.5"},                  // per cent in per cent
        {0.0404, "##0.00%", "4.04"},
        {0.12345, "##0.0#%", "12.35"},
        {0.125, "##0%", "13"},
        {7, "#0", "7"},
        {0.3, "#", "0"},                           // a whole figure is never empty
        {NAN, "#,##0", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PlainNumber(c.value, c.pattern), c.plain) << c.value << " " << c.pattern;
        if (*c.plain) {
            EXPECT_EQ(LenientParse(c.plain), ReadField(FormatNumber(c.value, c.pattern, English), English));
        }
    }
}

TEST(ShortestDecimal, writesTheShortestTextThatReadsBack)
{
    test::ExpectCaseTable("analysis/golden/shortest-decimal.txt",
                          [](const test::Tokens& in) { return test::Tokens{ShortestDecimal(test::Number(in[0]))}; });
    for (double x : {DBL_MAX, -DBL_MAX, 5e-324, DBL_MIN, 1.0 / 3, -123456789.123, 0.07 * 100})
        EXPECT_EQ(LenientParse(ShortestDecimal(x)), x) << x;
}

} // namespace
} // namespace gw
