#include "numformat.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>
#include <utility>

namespace gw {
namespace {

constexpr int En = 0;
constexpr int Fr = 1;

struct FormatCase {
    double value;
    const char* pattern;
    int language;
    const char* expected;
};

// Expected texts worked out by hand: half away from zero on the decimal
// value, English "1,234.5", French "1 234,5" with "$" and "%" behind.
const FormatCase kFormatCases[] = {
    {1234.5, "$#,##0", En, "$1,235"},
    {1234.5, "$#,##0", Fr, "1 235 $"},
    {-1234.4, "$#,##0", En, "-$1,234"},
    {-1234.4, "$#,##0", Fr, "-1 234 $"},
    {-0.4, "$#,##0", En, "$0"},
    {0, "$#,##0", Fr, "0 $"},
    {100000, "$#,##0", Fr, "100 000 $"},
    {1234567.89, "$###,##0", En, "$1,234,568"},
    {1234567.89, "$###,##0", Fr, "1 234 568 $"},
    {1234.5, "#,##0", En, "1,235"},
    {1234.5, "#,##0", Fr, "1 235"},
    {2.5, "#,##0", En, "3"},
    {-2.5, "#,##0", En, "-3"},
    {999.5, "#,##0", En, "1,000"},
    {999999.5, "#,##0", Fr, "1 000 000"},
    {1e15, "#,##0", En, "1,000,000,000,000,000"},
    {12345678, "###,##0", En, "12,345,678"},
    {12345678, "###,##0", Fr, "12 345 678"},
    {1000, "##,##0", En, "1,000"},
    {999, "##,##0", Fr, "999"},
    {1e12, "#,###,###,##0", En, "1,000,000,000,000"},
    {1e12, "#,###,###,##0", Fr, "1 000 000 000 000"},
    {123, "#,###,###,##0", En, "123"},
    {0.125, "##0.0%", En, "12.5%"},
    {0.125, "##0.0%", Fr, "12,5 %"},
    {0.1255, "##0.0%", En, "12.6%"},
    {-0.0004, "##0.0%", En, "0.0%"},
    {12.345, "##0.0%", En, "1234.5%"},
    {0.025, "##0%", En, "3%"},
    {0.025, "##0%", Fr, "3 %"},
    {0.015, "##0%", En, "2%"},
    {1.005, "##0%", En, "101%"},
    {0.004, "##0%", Fr, "0 %"},
    {0.0005, "##0.0#%", En, "0.05%"},
    {0.0005, "##0.0#%", Fr, "0,05 %"},
    {0.00125, "##0.0#%", En, "0.13%"},
    {0.02675, "##0.0#%", En, "2.68%"},
    {0.08, "##0.0#%", En, "8.0%"},
    {0.0812, "##0.0#%", Fr, "8,12 %"},
    {-0.08125, "##0.0#%", En, "-8.13%"},
    {0.5, "#0%", En, "50%"},
    {0.07, "#0%", Fr, "7 %"},
    {0.001, "#0%", En, "0%"},
    {8, "#0.0", En, "8.0"},
    {8, "#0.0", Fr, "8,0"},
    {0.05, "#0.0", En, "0.1"},
    {0.15, "#0.0", En, "0.2"},
    {2.25, "#0.0", Fr, "2,3"},
    {-0.04, "#0.0", En, "0.0"},
    {123.45, "##0.0", En, "123.5"},
    {1234.56, "##0.0", Fr, "1234,6"},
    {0.5, "#0", En, "1"},
    {-0.5, "#0", En, "-1"},
    {0, "#0", Fr, "0"},
    {12.49, "#0", En, "12"},
    {0, "#", En, ""},
    {0.4, "#", Fr, ""},
    {-0.4, "#", En, ""},
    {0.5, "#", En, "1"},
    {1234567.5, "#", Fr, "1234568"},
    {2.4999999999999996, "#", En, "3"},
    {0, "##0", En, "0"},
    {2.5, "##0", Fr, "3"},
    {1234, "###0", En, "1234"},
    {1234, "###0", Fr, "1234"},
    {123456789.5, "########0", En, "123456790"},
    {0, "########0", Fr, "0"},
    {0, "#########", En, ""},
    {42.5, "#########", Fr, "43"},
    {-42.5, "#########", En, "-43"},
};

TEST(FormatNumber, patternsInBothLanguages)
{
    for (const FormatCase& c : kFormatCases) {
        SCOPED_TRACE(testing::Message() << c.value << " \"" << c.pattern << "\" lang " << c.language);
        EXPECT_EQ(FormatNumber(c.value, c.pattern, c.language), c.expected);
    }
}

TEST(FormatNumber, nonFiniteValuesShowNothing)
{
    EXPECT_EQ(FormatNumber(std::numeric_limits<double>::quiet_NaN(), "$#,##0", En), "");
    EXPECT_EQ(FormatNumber(std::numeric_limits<double>::infinity(), "##0.0%", Fr), "");
    EXPECT_EQ(FormatNumber(-std::numeric_limits<double>::infinity(), "#", En), "");
}

TEST(FormatNumber, unbrokenFrenchNumbersUseNoBreakSpaces)
{
    const std::string nbsp = "\u00A0";
    const struct {
        double value;
        const char* pattern;
        int language;
        std::string expected;
    } cases[] = {
        {1234567, "$#,##0", Fr, "1" + nbsp + "234" + nbsp + "567" + nbsp + "$"},
        {-0.125, "##0.0#%", Fr, "-12,5" + nbsp + "%"},
        {12, "#0", Fr, "12"},
        {1234567, "$#,##0", En, "$1,234,567"},
        {0.125, "##0.0#%", En, "12.5%"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " \"" << c.pattern << "\" lang " << c.language);
        const std::string text = FormatNumberUnbroken(c.value, c.pattern, c.language);
        EXPECT_EQ(text, c.expected);
        EXPECT_EQ(ReadField(text, c.language), ReadField(FormatNumber(c.value, c.pattern, c.language), c.language));
    }
}

TEST(FormatNumber, readFieldTakesBackEveryMoneyAndPercentText)
{
    const char* wholePatterns[] = {"$#,##0", "$###,##0", "#,##0", "###,##0", "##,##0",
                                   "#,###,###,##0", "#0", "#", "##0", "###0", "########0", "#########"};
    // Each per-cent pattern with half its last shown digit.
    const std::pair<const char*, double> percentPatterns[] = {
        {"##0.0%", 0.05}, {"##0%", 0.5}, {"##0.0#%", 0.005}, {"#0%", 0.5}};
    const double values[] = {0, 0.5, -0.4, 7.5, 1234.5, -1234.5, 100000, 987654321.49, 1e12, 0.0812, -0.1255};
    for (int language : {En, Fr}) {
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
                EXPECT_EQ(ReadField(text, language), ReadField(FormatNumber(x, p, En), En));
            }
        }
    }
}

TEST(RoundHalfAwayFromZero, agreesWithTheWholeNumberPattern)
{
    for (double x = -300; x <= 300; x += 0.125) {
        for (double y : {x, x * 1.1, x / 3, x + 1e-13}) {
            SCOPED_TRACE(y);
            EXPECT_EQ(RoundHalfAwayFromZero(y), ReadField(FormatNumber(y, "#", En), En));
        }
    }
}

TEST(Rounding, halvesAwayFromZeroOrToEven)
{
    struct Case {
        double value, awayFromZero, toEven;
    };
    const Case cases[] = {
        {0.5, 1, 0}, {1.5, 2, 2}, {2.5, 3, 2}, {3.5, 4, 4}, {-2.5, -3, -2}, {-3.5, -4, -4},
        {2.4999, 2, 2}, {2.5001, 3, 3}, {-0.4, 0, 0}, {1e17, 1e17, 1e17}, {4503599627370497.0, 4503599627370497.0, 4503599627370497.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(RoundHalfAwayFromZero(c.value), c.awayFromZero);
        EXPECT_EQ(RoundHalfToEven(c.value), c.toEven);
    }
    EXPECT_FALSE(std::signbit(RoundHalfAwayFromZero(-0.4)));
    EXPECT_FALSE(std::signbit(RoundHalfToEven(-0.4)));
    EXPECT_TRUE(std::isnan(RoundHalfToEven(std::numeric_limits<double>::quiet_NaN())));
    EXPECT_TRUE(std::isnan(RoundHalfAwayFromZero(std::numeric_limits<double>::quiet_NaN())));
}

struct ReadCase {
    const char* text;
    int language;
    double expected;
};

const ReadCase kFieldCases[] = {
    {"$100,000", En, 100000},
    {"-$1,234.5", En, -1234.5},
    {"$-5", En, -5},
    {"$ 12", En, 12},
    {"8.0", En, 8},
    {"  42 ", En, 42},
    {"1,234,567.25", En, 1234567.25},
    {"1,234,56", En, 1234},
    {"1,2,3", En, 1},
    {"1,5", En, 1},
    {"1,2345", En, 1},
    {"1 234", En, 1},
    {"12abc", En, 12},
    {"12.5%", En, 12.5},
    {"1e3", En, 1000},
    {"", En, 0},
    {"abc", En, 0},
    {"-", En, 0},
    {".", En, 0},
    {"$", En, 0},
    {"1e999", En, DBL_MAX},
    {"-1e999", En, -DBL_MAX},
    {"1e-999", En, 0},
    {"100 000 $", Fr, 100000},
    {"-1 234,5 $", Fr, -1234.5},
    {"8,0", Fr, 8},
    {"8.5", Fr, 8.5},
    {"12,5 %", Fr, 12.5},
    {"1\xC2\xA0" "234,5", Fr, 1234.5},
    {"1\xE2\x80\xAF" "234", Fr, 1234},
    {"\xC2\xA0-5", Fr, -5},
    {"1,2,3", Fr, 1.2},
    {"1 2 3", Fr, 1},
    {"12 abc", Fr, 12},
};

TEST(ReadField, leadingNumericPartCounts)
{
    for (const ReadCase& c : kFieldCases) {
        SCOPED_TRACE(testing::Message() << '"' << c.text << "\" lang " << c.language);
        EXPECT_EQ(ReadField(c.text, c.language), c.expected);
    }
    EXPECT_FALSE(std::signbit(ReadField("-0", En)));
}

const ReadCase kLenientCases[] = {
    {"46.4", En, 46.4},
    {"12abc", En, 12},
    {"$50,000", En, 0},
    {"", En, 0},
    {"  -3.5e2x", En, -350},
    {"\t+7", En, 7},
    {".5", En, 0.5},
    {"5.", En, 5},
    {"1.2.3", En, 1.2},
    {"12e", En, 12},
    {"12e+", En, 12},
    {"1,5", En, 1},
    {"- 5", En, 0},
    {"0x10", En, 0},
    {"inf", En, 0},
    {"nan", En, 0},
    {"1e400", En, DBL_MAX},
    {"-1e400", En, -DBL_MAX},
    {"1e-400", En, 0},
    {"5e-324", En, 5e-324},
    {"1e99999999999999999999", En, DBL_MAX},
};

TEST(LenientParse, stopsAtTheFirstOtherCharacter)
{
    for (const ReadCase& c : kLenientCases) {
        SCOPED_TRACE(testing::Message() << '"' << c.text << '"');
        EXPECT_EQ(LenientParse(c.text), c.expected);
    }
    EXPECT_EQ(LenientParse("1" + std::string(400, '0')), DBL_MAX);
    EXPECT_EQ(LenientParse("0." + std::string(400, '0') + "1e400"), 0.1);
}

TEST(ShortestDecimal, writesTheShortestTextThatReadsBack)
{
    const std::pair<double, const char*> cases[] = {
        {7.5, "7.5"}, {43.41, "43.41"}, {0.1, "0.1"}, {0, "0"}, {-0.0, "0"}, {100000, "100000"},
        {-2.25, "-2.25"}, {1e20, "100000000000000000000"}, {1e22, "1e+22"}, {1e-6, "0.000001"},
        {1e-7, "1e-07"}, {0.1 + 0.2, "0.30000000000000004"},
        {std::numeric_limits<double>::quiet_NaN(), "0"}, {std::numeric_limits<double>::infinity(), "0"},
    };
    for (const auto& [value, expected] : cases) {
        SCOPED_TRACE(value);
        EXPECT_EQ(ShortestDecimal(value), expected);
    }
    for (double x : {DBL_MAX, -DBL_MAX, 5e-324, DBL_MIN, 1.0 / 3, -123456789.123, 0.07 * 100}) {
        SCOPED_TRACE(x);
        EXPECT_EQ(LenientParse(ShortestDecimal(x)), x);
    }
}

} // namespace
} // namespace gw
