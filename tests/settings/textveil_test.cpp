#include "charset.h"
#include "settings_test_support.h"
#include "textveil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

namespace gw {
namespace {

using test::RecordingReporter;

bool isAlnum(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) && static_cast<unsigned char>(c) < 128;
}

TEST(TextVeil, maskedLengthFollowsLevelAndBlocks)
{
    struct Case {
        int level;
        std::size_t plainLength;
        std::size_t maskedLength;
    };
    const Case cases[] = {
        {3, 0, 1}, {3, 1, 3}, {3, 5, 7}, {3, 6, 9}, {3, 10, 13}, {3, 11, 15},
        {2, 0, 1}, {2, 15, 17}, {2, 16, 19}, {2, 30, 33},
        {1, 0, 1}, {1, 1, 3}, {1, 40, 42}, {1, 300, 302},
    };
    RecordingReporter reporter;
    for (const Case& c : cases) {
        SCOPED_TRACE("level " + std::to_string(c.level) + ", " + std::to_string(c.plainLength) + " characters");
        const std::string plain(c.plainLength, 'x');
        const std::string masked = TextVeilEncode(plain, c.level, reporter, SeededRandom(3));
        ASSERT_EQ(masked.size(), c.maskedLength);
        EXPECT_EQ(masked[0], static_cast<char>('0' + c.level));
        const std::size_t block = c.level == 1 ? c.plainLength : (c.level == 2 ? 15 : 5);
        for (std::size_t key = 1; key < masked.size(); key += block + 1)
            EXPECT_TRUE(masked[key] >= 'A' && masked[key] <= 'Z') << "key at " << key << ": " << masked;
        EXPECT_EQ(TextVeilDecode(masked, reporter), plain);
    }
    EXPECT_TRUE(reporter.messages.empty());
}

TEST(TextVeil, emptyTextMasksToTheLevelDigitAndBack)
{
    RecordingReporter reporter;
    EXPECT_EQ(TextVeilEncode("", 3, reporter, SeededRandom(1)), "3");
    EXPECT_EQ(TextVeilDecode("3", reporter), "");
    EXPECT_EQ(TextVeilDecode("1", reporter), "");
    // Level 1 masks the whole line as one block: the empty line keeps only
    // its level digit.
    EXPECT_EQ(TextVeilEncode("", 1, reporter, SeededRandom(1)), "1");
    EXPECT_EQ(TextVeilEncode("", 2, reporter, SeededRandom(1)), "2");
    EXPECT_TRUE(reporter.messages.empty());
}

TEST(TextVeil, settingsLineKeepsPunctuationInPlace)
{
    const std::string plain = "5000= Loan Amount ($)";
    RecordingReporter reporter;
    const std::string masked = TextVeilEncode(plain, 3, reporter, SeededRandom(11));
    // Plain index i sits at 1 + i + (i / 5 + 1) in the masked text.
    for (std::size_t i = 0; i < plain.size(); ++i) {
        const char shown = masked[1 + i + (i / 5 + 1)];
        if (!isAlnum(plain[i])) {
            EXPECT_EQ(shown, plain[i]) << "position " << i;
        } else {
            EXPECT_TRUE(isAlnum(shown)) << "position " << i;
        }
    }
    EXPECT_EQ(TextVeilDecode(masked, reporter), plain);
}

TEST(TextVeil, roundTripsEveryLevelAndSeed)
{
    const std::string texts[] = {
        "a", "Z9", "lblTaxRate=Marginal Tax Rate", "*cmdOK=OK", "[InputDefaults]",
        "12.5=  Tax Rate (%)  ", "Placeholders <1> and <12> stay", std::string(174, 'q'),
        *Cp1252FromUtf8("Taux d'intérêt sur le prêt (%) – à déduire"),
    };
    RecordingReporter reporter;
    for (int level = 1; level <= 3; ++level) {
        for (std::uint32_t seed = 0; seed < 20; ++seed) {
            for (const std::string& text : texts) {
                SCOPED_TRACE("level " + std::to_string(level) + ", seed " + std::to_string(seed) + ": " + text);
                const std::string masked = TextVeilEncode(text, level, reporter, SeededRandom(seed));
                EXPECT_EQ(TextVeilDecode(masked, reporter), text);
            }
        }
    }
    EXPECT_TRUE(reporter.messages.empty());
}

TEST(TextVeil, doubleMaskAtLevelThreeGrowsAsTwoPasses)
{
    RecordingReporter reporter;
    const VeilRandom random = SeededRandom(5);
    for (std::size_t n : {0u, 1u, 5u, 17u, 174u}) {
        const std::string plain(n, 'k');
        const std::string once = TextVeilEncode(plain, 3, reporter, random);
        const std::string twice = TextVeilEncode(once, 3, reporter, random);
        const std::size_t m = 1 + n + (n + 4) / 5;
        EXPECT_EQ(once.size(), m);
        EXPECT_EQ(twice.size(), 1 + m + (m + 4) / 5);
        EXPECT_EQ(TextVeilDecode(*TextVeilDecode(twice, reporter), reporter), plain);
    }
}

TEST(TextVeil, accentedLettersPassThroughUnchanged)
{
    const std::string plain = *Cp1252FromUtf8("Équipe élevée à Montréal");
    RecordingReporter reporter;
    const std::string masked = TextVeilEncode(plain, 1, reporter, SeededRandom(2));
    ASSERT_EQ(masked.size(), plain.size() + 2);
    for (std::size_t i = 0; i < plain.size(); ++i) {
        if (static_cast<unsigned char>(plain[i]) >= 128) {
            EXPECT_EQ(masked[i + 2], plain[i]) << "position " << i;
        }
    }
    EXPECT_NE(masked.substr(2), plain);
    EXPECT_EQ(TextVeilDecode(masked, reporter), plain);
}

TEST(TextVeil, charSubstitutionIsAnExactInverseAndCaseSensitive)
{
    for (int key = 'A'; key <= 'Z'; ++key) {
        std::string seen;
        for (int c = 0; c < 256; ++c) {
            const char ch = static_cast<char>(c);
            const char enc = TextVeilChar(ch, static_cast<char>(key), VeilDirection::Encode);
            if (!isAlnum(ch)) {
                EXPECT_EQ(enc, ch) << "byte " << c;
                continue;
            }
            ASSERT_TRUE(isAlnum(enc));
            EXPECT_EQ(TextVeilChar(enc, static_cast<char>(key), VeilDirection::Decode), ch)
                << "key " << static_cast<char>(key) << ", char " << ch;
            seen += enc;
        }
        // A permutation: 62 different results per key.
        std::sort(seen.begin(), seen.end());
        EXPECT_EQ(std::unique(seen.begin(), seen.end()), seen.end());
        EXPECT_NE(TextVeilChar('a', static_cast<char>(key), VeilDirection::Encode),
                  TextVeilChar('A', static_cast<char>(key), VeilDirection::Encode));
    }
}

TEST(TextVeil, keyLetterComesFromTheRandomNumber)
{
    RecordingReporter reporter;
    const struct {
        double r;
        char key;
    } cases[] = {{0.0, 'A'}, {0.5, 'N'}, {0.999999, 'Z'}};
    for (const auto& c : cases) {
        const std::string masked = TextVeilEncode("x", 3, reporter, [&] { return c.r; });
        EXPECT_EQ(masked[1], c.key) << c.r;
    }
}

TEST(TextVeil, maskingDiffersEachTimeButUnmasksTheSame)
{
    RecordingReporter reporter;
    const std::string plain = "A longer caption line that gets several keys";
    const std::string a = TextVeilEncode(plain, 3, reporter, SeededRandom(1));
    const std::string b = TextVeilEncode(plain, 3, reporter, SeededRandom(2));
    EXPECT_NE(a, b);
    EXPECT_EQ(TextVeilDecode(a, reporter), TextVeilDecode(b, reporter));
}

TEST(TextVeil, invalidLevelReportsError301)
{
    for (int level : {0, 4, -1, 10}) {
        RecordingReporter reporter;
        EXPECT_EQ(TextVeilEncode("abc", level, reporter, SeededRandom(1)), "") << level;
        ASSERT_EQ(reporter.messages.size(), 1u);
        EXPECT_EQ(reporter.messages[0].title, "TextVeil");
        EXPECT_EQ(reporter.messages[0].text, "Error 301: Invalid encryption level");
        EXPECT_EQ(reporter.messages[0].icon, SettingsReporter::Icon::Critical);
    }
    for (const char* masked : {"", "0abc", "4abc", "Xabc", " 3abc", "-1"}) {
        RecordingReporter reporter;
        EXPECT_FALSE(TextVeilDecode(masked, reporter)) << masked;
        ASSERT_EQ(reporter.texts(), std::vector<std::string>{"Error 301: Invalid encryption level"});
    }
}

TEST(TextVeil, maskedTextCutShortLosesOnlyItsMissingCharacters)
{
    RecordingReporter reporter;
    const std::string masked = TextVeilEncode("abcdefgh", 3, reporter, SeededRandom(4));
    ASSERT_EQ(masked.size(), 11u);
    EXPECT_EQ(TextVeilDecode(masked.substr(0, 9), reporter), "abcdef");
    EXPECT_EQ(TextVeilDecode(masked.substr(0, 7), reporter), "abcde");
    EXPECT_EQ(TextVeilDecode(masked.substr(0, 2), reporter), "");
}

TEST(Charset, windows1252RoundTripsEveryByte)
{
    std::string all;
    for (int c = 1; c < 256; ++c)
        all += static_cast<char>(c);
    EXPECT_EQ(Cp1252FromUtf8(Utf8FromCp1252(all)), all);
    EXPECT_EQ(Utf8FromCp1252("\xE9\x80\x92"), "é€’");
    EXPECT_EQ(Cp1252FromUtf8("Intérêt"), "Int\xE9r\xEAt");
}

TEST(Charset, unstorableOrInvalidTextIsRefusedOrReplaced)
{
    EXPECT_FALSE(Cp1252FromUtf8("smile \xF0\x9F\x98\x80"));
    EXPECT_FALSE(Cp1252FromUtf8("bad \xC3"));
    EXPECT_FALSE(Cp1252FromUtf8("overlong \xC0\xAF"));
    EXPECT_EQ(Cp1252FromUtf8Lossy("a\xF0\x9F\x98\x80z"), "a?z");
    EXPECT_EQ(Utf8Length("été"), 3u);
    EXPECT_EQ(Utf8Prefix("été!", 2), "ét");
}

} // namespace
} // namespace gw
