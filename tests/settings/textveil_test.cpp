#include "charset.h"
#include "recordfile.h"
#include "settings_test_support.h"
#include "textveil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace gw {
namespace {

using test::RecordingReporter;

// A generator that picks the key letters `keys` in turn.
VeilRandom keyLetters(const std::string& keys)
{
    auto next = std::make_shared<std::size_t>(0);
    return [keys, next] { return (keys[(*next)++ % keys.size()] - 'A' + 0.5) / 26; };
}

// Masked bytes worked out by hand from the cipher: a character at position p
// of "0-9A-Za-z" (1..62) with a key letter at position k of the same list
// becomes the character at position p + k (less 62 past 62) of the cipher
// alphabet "uSHIFbAVe2vPgO4W8YURaody6XDfTtZ0KCxkB5lrMQ37zJhiE1wsmjN9pGLnqc".
// E.g. 'T' (30) with key 'A' (11) is cipher 41, 'M'; 'z' (62) with 'Z' (36)
// is 36, 'k'. Every shipped and sponsor file depends on these bytes.
TEST(TextVeil, masksToKnownBytesAndBack)
{
    const struct {
        int level;
        std::string keys;
        std::string plain;
        std::string masked;
    } cases[] = {
        {1, "A", "Tax Rate 40%", "1AMie liFs WP%"},
        {1, "Z", "Int\xE9r\xEAt 5%", "1ZNyt\xE9" "f\xEAt Q%"},  // Windows-1252 accents pass through
        {2, "BZ", "lblTaxRate=Marginal Tax Rate", "2Bn1nQE2rEbm=xEINZUyvo IvC Svt4"},
        {3, "KEYSZ", "5000= Loan Amount ($)", "3KDooo=E BIsHY JoytS8d ($Z)"},
        {3, "ZA", "Zz09Zz09Zz", "3Z2kBJ2AvPahv"},  // two whole blocks: no third key
        {1, "A", "", "1"},                           // the empty line keeps only the level digit
        {2, "A", "", "2"},
        {3, "A", "", "3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.plain);
        RecordingReporter reporter;
        EXPECT_EQ(TextVeilEncode(c.plain, c.level, reporter, keyLetters(c.keys)), c.masked);
        EXPECT_EQ(TextVeilDecode(c.masked, reporter), c.plain);
        EXPECT_TRUE(reporter.messages.empty());
    }
}

// A record holds the line masked twice at level 3 behind its length (16 bits,
// low byte first), padded with zeros to 255 bytes: "a" with key 'A' is "3Ai"
// ('a' 37 + 11 = 48, 'i'), then "3A4o9" ('3' 4 + 11 = 15 '4', 'A' 22 'o',
// 'i' 56 '9').
TEST(TextVeil, recordOfKnownBytes)
{
    std::string record = std::string("\x05\x00", 2) + "3A4o9";
    record.resize(kRecordBytes, '\0');
    std::string error;
    EXPECT_EQ(BuildRecordFile({"a"}, keyLetters("A"), error), record);
    EXPECT_EQ(ParseRecordFile(record).lines, SettingLines{"a"});
    // A record's text fills at most the record; past that the length is bad.
    for (const std::size_t length : {kRecordTextBytes, kRecordTextBytes + 1, std::size_t{256 + 5}}) {
        std::string full(kRecordBytes, 'x');
        full[0] = static_cast<char>(length & 0xFF);
        full[1] = static_cast<char>(length >> 8);
        EXPECT_EQ(ParseRecordFile(full).error,
                  length > kRecordTextBytes ? RecordFileError::BadLength : RecordFileError::BadMask);
    }
    // Only the last record's padding may be missing.
    EXPECT_EQ(ParseRecordFile(record.substr(0, 7)).lines, SettingLines{"a"});
    for (const std::string& cut : {record.substr(0, 6), record.substr(0, 1), record + record.substr(0, 6)}) {
        const RecordFileContents read = ParseRecordFile(cut);
        EXPECT_EQ(read.error, RecordFileError::Truncated);
        EXPECT_EQ(read.failedRecord, cut.size() / kRecordBytes);
        EXPECT_EQ(read.lines.size(), cut.size() / kRecordBytes);
    }
}

TEST(TextVeil, roundTripsEveryLevelAndSeed)
{
    const std::string texts[] = {
        "", "a", "Z9", "lblTaxRate=Marginal Tax Rate", "*cmdOK=OK", "12.5=  Tax Rate (%)  ", std::string(174, 'q'),
        *Cp1252FromUtf8("Taux d'intérêt sur le prêt (%) – à déduire"),
    };
    RecordingReporter reporter;
    for (int level = 1; level <= 3; ++level) {
        for (std::uint32_t seed = 0; seed < 20; ++seed) {
            for (const std::string& text : texts) {
                SCOPED_TRACE("level " + std::to_string(level) + ", seed " + std::to_string(seed) + ": " + text);
                EXPECT_EQ(TextVeilDecode(TextVeilEncode(text, level, reporter, SeededRandom(seed)), reporter), text);
            }
        }
    }
    EXPECT_TRUE(reporter.messages.empty());
}

TEST(TextVeil, keyLetterComesFromTheRandomNumber)
{
    RecordingReporter reporter;
    // Numbers outside [0, 1) are taken as 0.
    for (const auto& [r, key] : {std::pair{0.0, 'A'}, {0.5, 'N'}, {0.999999, 'Z'}, {1.0, 'A'}, {-0.1, 'A'}, {NAN, 'A'}}) {
        SCOPED_TRACE(r);
        EXPECT_EQ(TextVeilEncode("x", 3, reporter, [r = r] { return r; })[1], key);
    }
}

TEST(TextVeil, invalidLevelReportsError301)
{
    RecordingReporter reporter;
    for (int level : {0, 4, -1})
        EXPECT_EQ(TextVeilEncode("abc", level, reporter, SeededRandom(1)), "") << level;
    for (const char* masked : {"", "0abc", "4abc", "Xabc", " 3abc", "-1"})
        EXPECT_FALSE(TextVeilDecode(masked, reporter)) << masked;
    ASSERT_EQ(reporter.messages.size(), 9u);
    for (const test::Message& m : reporter.messages) {
        EXPECT_EQ(m.title, "TextVeil");
        EXPECT_EQ(m.text, "Error 301: Invalid encryption level");
        EXPECT_EQ(m.icon, SettingsReporter::Icon::Critical);
    }
}

TEST(TextVeil, maskedTextCutShortLosesOnlyItsMissingCharacters)
{
    RecordingReporter reporter;
    // "abcdefgh" at level 3 with keys 'A' and 'B'.
    const std::string masked = TextVeilEncode("abcdefgh", 3, reporter, keyLetters("AB"));
    ASSERT_EQ(masked.size(), 11u);
    EXPECT_EQ(TextVeilDecode(masked.substr(0, 9), reporter), "abcdef");
    EXPECT_EQ(TextVeilDecode(masked.substr(0, 7), reporter), "abcde");
    EXPECT_EQ(TextVeilDecode(masked.substr(0, 2), reporter), "");
    EXPECT_EQ(TextVeilDecode("1", reporter), "");
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
    EXPECT_FALSE(Cp1252FromUtf8("bad \xC3" "A"));
    EXPECT_FALSE(Cp1252FromUtf8("overlong \xC0\xAF"));
    EXPECT_EQ(Cp1252FromUtf8Lossy("a\xF0\x9F\x98\x80z"), "a?z");
    EXPECT_EQ(Utf8Length("été"), 3u);
    EXPECT_EQ(Utf8Prefix("été!", 2), "ét");
    EXPECT_EQ(Utf8Prefix("\xFF" "ab", 2), "\xFF" "a");  // a stray byte counts as one character
    EXPECT_EQ(Utf8Length("\xFF" "ab"), 3u);
    EXPECT_EQ(Utf8Length("\xC2\x80" "\xE0\xA0\x80" "\xF0\x90\x80\x80"), 3u);  // the least code point of each length
    EXPECT_EQ(Utf8Length("\xC1\xBF"), 2u);                                    // one below it, overlong: two stray bytes
}

} // namespace
} // namespace gw
