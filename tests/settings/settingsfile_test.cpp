#include "golden.h"
#include "numformat.h"
#include "outcomes.h"
#include "recordfile.h"
#include "settings_test_support.h"
#include "settingsfile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace gw {
namespace {

using test::RecordingReporter;
using test::TempFolder;

std::string notFound(const std::string& key)
{
    return key + " not found in the config file. Please re-install the software.\n\n"
                 "If problems persist, contact technical support";
}

std::string unusable(const std::string& reason)
{
    return "Error with config.dat file: " + reason + ". Please re-install the software.";
}

std::vector<std::string> without(std::vector<std::string> lines, const std::string& key)
{
    std::erase_if(lines, [&](const std::string& line) { return line.ends_with("= " + key); });
    return lines;
}

std::vector<std::string> replaced(std::vector<std::string> lines, const std::string& key, const std::string& value)
{
    for (std::string& line : lines)
        if (line.ends_with("= " + key))
            line = value + "= " + key;
    return lines;
}

TEST(GetSettingValue, lookupRules)
{
    SettingLines lines = {
        "0= First Key",  // slot 0 is never examined
        "[InputDefaults]",
        "12.5=  Tax Rate (%)  ",
        " 7 = Padded Value",
        "1000= Loan Amount ($)",
        "2000= Loan Amount ($)",
        "= logoPath",
        "a=b= Equals In Value",
        "no equals sign here",
        "5= First Key",
    };
    lines.resize(kSettingSlots, "filler");
    lines.back() = "1024= Last Slot";
    lines.push_back("1025= Past The Last Slot");  // a file holds no more
    const struct {
        const char* key;
        const char* expected;
    } cases[] = {
        {"tax rate (%)", "12.5"},       // key trimmed, case ignored
        {"TAX RATE (%)", "12.5"},
        {"Padded Value", " 7 "},        // the value is not trimmed
        {"Loan Amount ($)", "1000"},    // the first match wins
        {"logoPath", ""},
        {"Equals In Value", "a=b"},     // split at the last "="
        {"First Key", "5"},             // found in slot 9, not 0
        {"Last Slot", "1024"},
        {"no equals sign here", nullptr},
        {"Past The Last Slot", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        RecordingReporter reporter;
        EXPECT_EQ(GetSettingValue(c.key, lines, true, reporter), c.expected ? c.expected : "");
        EXPECT_EQ(reporter.texts(), c.expected ? std::vector<std::string>{} : std::vector<std::string>{notFound(c.key)});
        if (!c.expected) {
            EXPECT_EQ(reporter.messages[0].icon, SettingsReporter::Icon::None);
        }
    }
    EXPECT_EQ(GetSettingValue("Loan Amount ($)", {"50000= Loan Amount ($)", "[InputDefaults]"}), "");
}

TEST(ReadSponsorInfo, readsEveryFieldUnlessNoneAndReportsMissingOnes)
{
    RecordingReporter reporter;
    EXPECT_EQ(ReadSponsorInfo(test::sponsorFileLines("none"), reporter), (SponsorInfo{"none", "", "", "", "", ""}));
    EXPECT_TRUE(reporter.messages.empty());
    // Only the exact "none" means unsponsored.
    EXPECT_EQ(ReadSponsorInfo(without(test::sponsorFileLines("None"), "helpPath"), reporter),
              (SponsorInfo{"None", "presented by", "Acme Wealth - for discussion only", "", "Acme help", "acme.jpg"}));
    EXPECT_EQ(reporter.texts(), std::vector<std::string>{notFound("helpPath")});
}

// Each key of the sponsor file lands in its setting, in the unit of its
// field: the tax-table rates and the inclusion rate as per cent (0.2505 in
// the file is 25.05), "True"/"1" flags as 1, every setting the file leaves
// out as 0.
TEST(ReadSettingValues, readsEverySettingFromTheSponsorFile)
{
    const SettingLines lines = test::sponsorFileLines();
    RecordingReporter reporter;
    const SettingValues read = ReadSettingValues(lines, lines, reporter);
    EXPECT_EQ(reporter.texts(), std::vector<std::string>{});
    std::string text;
    for (const SettingRow& row : SettingRows())
        text += std::string(row.key) + " = " + ShortestDecimal(read[row.id]) + "\n";
    test::ExpectGolden(text, "settings/golden/acme-values.txt");
}

TEST(ReadSettingValues, userFileWinsAndItsMissingKeysReadAsAbsent)
{
    const SettingLines sponsor = without(test::sponsorFileLines(), "Times Loan Repeated");
    SettingLines user = replaced(test::sponsorFileLines(), "Loan Amount ($)", "75000");
    user = replaced(user, "Times Loan Repeated", "3");
    user = without(user, "Tax Rate (%)");
    user = replaced(user, "Maximum Return Allowed", "99");  // the limits are the sponsor's
    RecordingReporter reporter;
    const SettingValues d = ReadSettingValues(sponsor, user, reporter);
    EXPECT_EQ(d[Setting::MaxReturnAllowed], 25);
    EXPECT_EQ(d[Setting::LoanAmount], 75000);
    EXPECT_EQ(d[Setting::TaxRate], 0);            // present in the sponsor file only: no message
    EXPECT_EQ(d[Setting::TimesLoanRepeated], 3);  // absent from the sponsor file: reported, user value kept
    EXPECT_EQ(reporter.texts(), std::vector<std::string>{notFound("Times Loan Repeated")});
}

// A User.dat saved before the range of outcomes existed lacks its settings:
// they take the sponsor's values, silently, rather than a volatility and a
// path count of 0; a user file that has them wins as for any default. A
// sponsor's file of that time lacks them too: the program's own values.
TEST(ReadSettingValues, settingsOlderUserFilesLackTakeTheSponsorValues)
{
    {
        SettingLines oldSponsor = test::sponsorFileLines();
        for (const char* key : {"Volatility (%)", "Outcome Paths", "Outcome Seed", "Print Range of Outcomes"})
            oldSponsor = without(oldSponsor, key);
        RecordingReporter quiet;
        const SettingValues read = ReadSettingValues(oldSponsor, oldSponsor, quiet);
        EXPECT_EQ(quiet.texts(), std::vector<std::string>{});
        EXPECT_EQ(read[Setting::Volatility], 16);
        EXPECT_EQ(read[Setting::OutcomePaths], kDefaultOutcomePaths);
        EXPECT_EQ(read[Setting::OutcomeSeed], kDefaultOutcomeSeed);
        EXPECT_EQ(read[Setting::PrintOutcomes], 0);
    }

    const SettingLines sponsor = test::sponsorFileLines();
    SettingLines oldUser = sponsor;
    for (const char* key : {"Volatility (%)", "Outcome Paths", "Outcome Seed"})
        oldUser = without(oldUser, key);
    oldUser = replaced(oldUser, "Tax Rate (%)", "45");
    ProgramSettings settings;
    settings.SponsorLines = sponsor;
    settings.UserLines = oldUser;
    RecordingReporter reporter;
    ReadMainWindowSettings(settings, reporter);
    EXPECT_EQ(reporter.texts(), std::vector<std::string>{});
    EXPECT_EQ(settings.values[Setting::TaxRate], 45);
    EXPECT_EQ(settings.values[Setting::Volatility], 12.5);
    EXPECT_EQ(settings.values[Setting::OutcomePaths], 5000);
    EXPECT_EQ(settings.values[Setting::OutcomeSeed], 777);

    SettingLines user = replaced(sponsor, "Volatility (%)", "0");
    user = replaced(user, "Outcome Paths", "100000");
    user = replaced(user, "Outcome Seed", "2147483647");
    const SettingValues read = ReadSettingValues(sponsor, user, reporter);
    EXPECT_EQ(reporter.texts(), std::vector<std::string>{});
    EXPECT_EQ(read[Setting::Volatility], 0);
    EXPECT_EQ(read[Setting::OutcomePaths], 100000);
    EXPECT_EQ(read[Setting::OutcomeSeed], 2147483647);
    // Only the added settings fall back: an older default left out still reads as 0.
    EXPECT_EQ(ReadSettingValues(sponsor, without(oldUser, "Tax Rate (%)"), reporter)[Setting::TaxRate], 0);
}

// Each line of the golden file: a key, the text a file holds for it and the
// value read, in the unit of the field. Flags read as set only in their own
// form ("True" or "1"), the strategies offered by number, numbers up to the
// first character that is not one, whole dollars halves away from zero, list
// indices halves to even within 16 bits, fractions as per cent; the advanced
// view is never read back.
TEST(ReadSettingValues, textsOfTheGoldenFileReadAsTheirValues)
{
    std::string actual;
    for (const std::string& line : test::PlainLines(test::kSourceDir / "tests/settings/golden/stored-values.txt")) {
        const std::size_t equals = line.find(" = '"), end = line.rfind("' => ");
        const std::string key = line.substr(0, equals), text = line.substr(equals + 4, end - equals - 4);
        const auto row = std::find_if(SettingRows().begin(), SettingRows().end(), [&](const SettingRow& r) { return r.key == key; });
        ASSERT_NE(row, SettingRows().end()) << key;
        const SettingLines lines = replaced(test::sponsorFileLines(), key, text);
        RecordingReporter reporter;
        actual += key + " = '" + text + "' => " + ShortestDecimal(ReadSettingValues(lines, lines, reporter)[row->id]) + "\n";
    }
    test::ExpectGolden(actual, "settings/golden/stored-values.txt");
}

TEST(ReadSettingValues, missingSponsorKeysAreReportedInOrder)
{
    SettingLines sponsor = test::sponsorFileLines();
    for (const char* key : {"Interest", "Loan Amount ($)", "Print Name", "showRRSPAnalysis"})
        sponsor = without(sponsor, key);
    RecordingReporter reporter;
    ReadSettingValues(sponsor, sponsor, reporter);
    EXPECT_EQ(reporter.texts(), (std::vector<std::string>{notFound("Loan Amount ($)"), notFound("Print Name"),
                                                           notFound("Interest"), notFound("showRRSPAnalysis")}));
}

TEST(GetLegalDisclaimer, joinsChunksUntilTheFirstEmptyOne)
{
    const SettingLines lines = {
        "[LegalDisclaimer]",
        "Part one, =with an equals sign; =LegalDisclaimerEnglish1",
        "part two\n.=LegalDisclaimerEnglish2",
        "Partie un.=LegalDisclaimerFrench1",
        "never read=LegalDisclaimerEnglish4",
    };
    EXPECT_EQ(GetLegalDisclaimer(lines, English), "Part one, =with an equals sign; part two.");
    EXPECT_EQ(GetLegalDisclaimer(lines, French), "Partie un.");
    EXPECT_EQ(GetLegalDisclaimer(lines, 2), "");
    EXPECT_EQ(GetLegalDisclaimer({}, English), "");
}

// What a settings file can be, and what the start-up makes of it. Config.dat
// is never read as empty: a damaged one keeps the records before the damage
// when they hold settings, and one of no use ends the program. A damaged
// User.dat is said once and the sponsor file's lines are used instead, so it
// never locks the program out.
TEST(LoadSettingsFiles, damagedFiles)
{
    const SettingLines lines = test::sponsorFileLines();
    const auto loanRecord = static_cast<std::size_t>(std::find(lines.begin(), lines.end(), "50000= Loan Amount ($)") - lines.begin());
    SettingLines full(kSettingSlots, "[filler]");
    full[1] = "none= SponsorName";
    std::string error;
    const std::string fullFile = *BuildRecordFile(full, SeededRandom(1), error);
    const std::string configError = "Error with config.dat file", noFile = "(no file)";
    const struct {
        const char* name;
        std::function<void(std::string&)> damage;
        bool ok;
        std::vector<std::string> messages;
        std::size_t lines;  // read from Config.dat
    } cases[] = {
        {"whole", [](std::string&) {}, true, {}, lines.size()},
        {"missing", [&](std::string& b) { b = noFile; }, false, {configError}, 0},
        {"cut inside the loan amount's record", [&](std::string& b) { b.resize(loanRecord * kRecordBytes + 10); }, true,
         {configError}, loanRecord},
        {"one stray byte after the last record", [](std::string& b) { b += 'x'; }, true, {configError}, lines.size()},
        {"padding missing from the last record",
         [&](std::string& b) { b.resize((lines.size() - 1) * kRecordBytes + 2 + static_cast<unsigned char>(b[(lines.size() - 1) * kRecordBytes])); },
         true, {}, lines.size()},
        {"record 3 with a bad length", [](std::string& b) { b[kRecordBytes * 2] = b[kRecordBytes * 2 + 1] = '\xFF'; },
         true, {configError}, 2},
        {"record 4 not masked", [](std::string& b) { b[kRecordBytes * 3 + 2] = 'x'; }, false,
         {"Error 301: Invalid encryption level"}, 0},
        {"empty", [](std::string& b) { b.clear(); }, false, {unusable("it is empty")}, 0},
        {"section line only", [](std::string& b) { b.resize(kRecordBytes); }, false, {unusable("it holds no settings")}, 0},
        {"not a record file", [](std::string& b) { b = "hello\n"; }, false, {unusable("record 1 has an invalid length")}, 0},
        {"exactly 1025 records", [&](std::string& b) { b = fullFile; }, true, {}, 1025},
        // 1026 x 255 bytes, refused unread.
        {"1026 records", [&](std::string& b) { b = fullFile + fullFile.substr(0, kRecordBytes); }, false,
         {unusable("it is 261630 bytes long, more than the 261375 such a file can hold")}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        test::WritePlainRecordFile(folder / "Config.dat", lines);
        std::string bytes = test::readBytes(folder / "Config.dat");
        c.damage(bytes);
        const auto write = [&](const std::string& name) {
            std::filesystem::remove(folder / name);
            if (bytes != noFile)
                test::writeBytes(folder / name, bytes);
        };
        write("Config.dat");
        SettingLines sponsor, user;
        RecordingReporter reporter;
        EXPECT_EQ(LoadSettingsFiles(folder.path(), sponsor, user, reporter), c.ok);
        EXPECT_EQ(reporter.texts(), c.messages);
        if (!c.messages.empty()) {
            EXPECT_EQ(reporter.messages[0].title, c.messages[0].starts_with("Error 301") ? "TextVeil" : "");
        }
        EXPECT_EQ(sponsor.size(), c.lines);
        EXPECT_EQ(user, sponsor);

        // The same bytes as User.dat beside a whole Config.dat.
        test::WritePlainRecordFile(folder / "Config.dat", lines);
        write("User.dat");
        RecordingReporter userReporter;
        ASSERT_TRUE(LoadSettingsFiles(folder.path(), sponsor, user, userReporter));
        EXPECT_EQ(sponsor, lines);
        const bool used = c.messages.empty();
        EXPECT_EQ(user, used ? ReadRecordFile(folder / "User.dat").lines : sponsor);
        EXPECT_EQ(userReporter.messages.size(), used || bytes == noFile ? 0u : 1u);
        if (!used && bytes != noFile) {
            EXPECT_TRUE(userReporter.messages[0].text.starts_with("User.dat could not be read (")) << userReporter.messages[0].text;
        }
    }
}

TEST(LoadStartUpSettings, languageSponsorAndWelcomePicture)
{
    const auto language = [](const char* value) { return replaced(test::sponsorFileLines(), "PrevLanguage", value); };
    const struct {
        const char* name;
        std::vector<std::string> user;  // empty: no User.dat
        std::string sponsorName;
        std::vector<std::string> pictures;
        int language;
        std::string logo;
        std::vector<std::string> messages;
    } cases[] = {
        {"English, sponsored, no picture", {}, "Acme Wealth", {}, English, "", {}},
        {"English with picture", {}, "Acme Wealth", {"Welcome.jpg"}, English, "Welcome.jpg", {}},
        {"French needs the French picture", language("1"), "Acme Wealth", {"Welcome.jpg"}, French, "", {}},
        {"French picture", language("1"), "Acme Wealth", {"Welcome-French.jpg"}, French, "Welcome-French.jpg", {}},
        {"PrevLanguage missing", without(test::sponsorFileLines(), "PrevLanguage"), "Acme Wealth", {}, English, "",
         {notFound("PrevLanguage")}},
        {"unknown language", language("7"), "Acme Wealth", {}, English, "", {}},
        {"not sponsored", {}, "none", {"Welcome.jpg"}, English, "", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        test::WritePlainRecordFile(folder / "Config.dat", test::sponsorFileLines(c.sponsorName));
        if (!c.user.empty())
            test::WritePlainRecordFile(folder / "User.dat", c.user);
        for (const std::string& picture : c.pictures)
            test::writeBytes(folder / picture, "jpeg");
        test::writeCaptionFile(folder / "english.txt", {"SoftwareName=Gearwise Planner"});
        test::writeCaptionFile(folder / "french.txt", {"SoftwareName=Gearwise Planner"});
        ProgramSettings settings;
        settings.folder = folder.path();
        RecordingReporter reporter;
        ASSERT_TRUE(LoadStartUpSettings(settings, reporter));
        EXPECT_EQ(settings.CurrentLanguage, c.language);
        EXPECT_EQ(settings.IsSponsored, c.sponsorName != "none");
        EXPECT_EQ(settings.sponsorInfo.logoPath, c.logo);
        EXPECT_EQ(reporter.texts(), c.messages);
    }
}

// Limits and defaults outside their legal range: the nearest legal value,
// and one message naming the file and key of each; nothing said otherwise.
TEST(ReadMainWindowSettings, repairsWhatIsOutOfRangeWithOneMessage)
{
    ProgramSettings settings;
    settings.SponsorLines = replaced(test::sponsorFileLines(), "Maximum Return Allowed", "1e308");
    settings.SponsorLines = replaced(settings.SponsorLines, "Minimum Interest Rate Allowed", "-1e308");
    settings.UserLines = replaced(test::sponsorFileLines(), "Tax Rate (%)", "150");
    settings.UserLines = replaced(settings.UserLines, "Loan Amount ($)", "0");
    settings.UserLines = replaced(settings.UserLines, "Volatility (%)", "60");
    settings.UserLines = replaced(settings.UserLines, "Outcome Paths", "0");
    settings.UserLines = replaced(settings.UserLines, "Outcome Seed", "3000000000");
    RecordingReporter reporter;
    ReadMainWindowSettings(settings, reporter);
    EXPECT_EQ(settings.values[Setting::MaxReturnAllowed], 1000);
    EXPECT_EQ(settings.values[Setting::MinInterestRateAllowed], 0);
    EXPECT_EQ(settings.values[Setting::TaxRate], 99);
    EXPECT_EQ(settings.values[Setting::LoanAmount], 1);
    EXPECT_EQ(settings.values[Setting::InterestRateOnLoan], 7.5);  // legal: left alone
    EXPECT_EQ(reporter.texts(),
              std::vector<std::string>{"Some settings are outside their legal range; the nearest legal value is used "
                                       "instead:\nConfig.dat, \"Maximum Return Allowed\": 1e+308 becomes 1000."
                                       "\nConfig.dat, \"Minimum Interest Rate Allowed\": -1e+308 becomes 0."
                                       "\nUser.dat, \"Loan Amount ($)\": 0 becomes 1.\nUser.dat, \"Tax Rate (%)\": 150 "
                                       "becomes 99.\nUser.dat, \"Volatility (%)\": 60 becomes 50.\nUser.dat, "
                                       "\"Outcome Paths\": 0 becomes 100.\nUser.dat, \"Outcome Seed\": 3000000000 "
                                       "becomes 2147483647."});

    ProgramSettings fine;
    fine.SponsorLines = fine.UserLines = test::sponsorFileLines();
    RecordingReporter quiet;
    ReadMainWindowSettings(fine, quiet);
    EXPECT_EQ(quiet.texts(), std::vector<std::string>{});
    EXPECT_EQ(fine.values, ReadSettingValues(fine.SponsorLines, fine.UserLines, quiet));
}

} // namespace
} // namespace gw
