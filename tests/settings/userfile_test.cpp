#include "golden.h"
#include "recordfile.h"
#include "settings_test_support.h"
#include "settingsfile.h"
#include "userfile.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

using test::RecordingReporter;
using test::TempFolder;

UserFileValues sampleValues()
{
    using S = Setting;
    UserFileValues v;
    v.sponsorInfo.SponsorName = "  Acme Wealth ";
    v.sponsorInfo.AppTitle = "presented by";
    v.sponsorInfo.PrintoutFooter = "Acme Wealth - for discussion only";
    v.sponsorInfo.helpPath = "acme.hlp";
    v.sponsorInfo.helpCaption = "Acme help";
    v.sponsorInfo.logoPath = "Welcome.jpg";
    v.CurrentLanguage = French;
    const std::vector<std::pair<Setting, double>> values = {
        {S::ShowIntOnlyAnalysis, 1}, {S::ShowRRSPAnalysis, 1}, {S::MaxReturnAllowed, 25},
        {S::ReturnWarningLevel, 15.5}, {S::MinInterestRateAllowed, 2}, {S::InterestRateWarningLevel, 3.25},
        {S::LoanAmount, 123456.78}, {S::TaxRate, 43.41}, {S::InterestRateOnLoan, 7.5}, {S::SavingsPeriod, 25},
        {S::InvestmentType, 2}, {S::OtherUnleveragedIncome, 10000.5}, {S::ProjectionReturn, 8.25},
        {S::TimesLoanRepeated, 3}, {S::CapitalGains, 35}, {S::DeferredCapitalGains, 45}, {S::Dividends, 12.5},
        {S::Interest, 7.5}, {S::ShowAdvancedDetails, 1}, {S::ProjectedReturn1, 4.5}, {S::ProjectedReturn2, 6},
        {S::ProjectedReturn3, 8.1}, {S::ProjectedReturn4, 10.75}, {S::PrintLegalDisclaimer, 1},
        {S::PrintSignatures, 1}, {S::PrintSummary, 1}, {S::PrintChecklistPage, 1}, {S::PrintCompanyName, 1},
        {S::PortionDeductible, 100}, {S::FedInterestDeductibility, 87.5}, {S::ProvInterestDeductibility, 120},
        {S::FedLimitedDeduct, 1}, {S::FedInvestmentExpenses, 2.5}, {S::ProvInvestmentExpenses, 5},
        {S::FedDefer, 1}, {S::FedIncludeCapGains, 1}, {S::FederalToMTRRatio, 57.3},
        {S::CapGainsInclusionRate, 66.7}, {S::InterestTaxRate1, 25.05}, {S::InterestTaxRate2, 29.1},
        {S::InterestTaxRate3, 43.41}, {S::InterestTaxRate4, 46.41}, {S::DividendTaxRate2, 5.75},
        {S::DividendTaxRate3, 22.12}, {S::DividendTaxRate4, 29.15}, {S::StartOfTaxBracket2, 35000},
        {S::StartOfTaxBracket3, 70000}, {S::StartOfTaxBracket4, 113804},
        {S::Volatility, 12.5}, {S::OutcomePaths, 25000}, {S::OutcomeSeed, 2147483647},
    };
    for (const auto& [setting, value] : values)
        v.values[setting] = value;
    v.extraSettings = {{"Advisor Name", "Jean Côté = CFP"}, {"Advisor Company", "Acme Wealth"}};
    return v;
}

// Every setting comes back as it was saved, in the unit of its field: the
// rates stored as fractions come back as the exact per cent. The golden file
// shows the lines themselves.
TEST(SaveUserFile, writtenFileReadsBackSettingForSetting)
{
    TempFolder folder;
    const auto sponsorLines = test::sponsorFileLines();
    test::WritePlainRecordFile(folder / "Config.dat", sponsorLines);
    const UserFileValues v = sampleValues();
    RecordingReporter reporter;
    ASSERT_TRUE(SaveUserFile(folder.path(), v, sponsorLines, reporter, SeededRandom(1)));
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_FALSE(std::filesystem::exists(folder / "User.dat.tmp"));

    SettingLines sponsor, user;
    ASSERT_TRUE(LoadSettingsFiles(folder.path(), sponsor, user, reporter));
    EXPECT_EQ(user, BuildUserFileLines(v, sponsorLines));
    const SettingValues read = ReadSettingValues(sponsor, user, reporter);
    EXPECT_TRUE(reporter.messages.empty());
    for (const SettingRow& row : SettingRows()) {
        // The restrictions and limits are read from the sponsor file, and
        // the advanced view only kept for the record.
        if (row.section != Section::InputDefaults || !row.read)
            continue;
        SCOPED_TRACE(std::string(row.key));
        EXPECT_EQ(read[row.id], v.values[row.id]);
    }
}

// Every record of User.dat in its place, with its key text as written.
TEST(BuildUserFileLines, matchTheGoldenFile)
{
    std::string text;
    for (const std::string& line : BuildUserFileLines(sampleValues(), test::sponsorFileLines()))
        text += line + "\n";
    test::ExpectGolden(text, "settings/golden/user-file.txt");
}

TEST(WriteChunkedSetting, cutsInto125CharacterChunks)
{
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += static_cast<char>('a' + i % 26);
    std::vector<std::string> lines;
    WriteChunkedSetting("  " + text.substr(0, 100) + "\r\n" + text.substr(100) + " ", "LegalDisclaimerEnglish", lines);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], text.substr(0, 125) + "=LegalDisclaimerEnglish1");
    EXPECT_EQ(lines[1], text.substr(125, 125) + "=LegalDisclaimerEnglish2");
    EXPECT_EQ(lines[2], text.substr(250) + "=LegalDisclaimerEnglish3");
    EXPECT_EQ(GetLegalDisclaimer(SettingLines{"[LegalDisclaimer]", lines[0], lines[1], lines[2]}, English), text);

    lines.clear();
    WriteChunkedSetting("   ", "LegalDisclaimerFrench", lines);
    EXPECT_TRUE(lines.empty());

    // Characters, not bytes: an accented letter is never split.
    WriteChunkedSetting(std::string(124, 'x') + "éé", "K", lines);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], std::string(124, 'x') + "é=K1");
    EXPECT_EQ(lines[1], "é=K2");
}

// Each save replaces the whole file: a shorter one leaves no stale records,
// the same lines get other key letters each time, the old file's
// permissions stay and a temporary file an interrupted save left behind goes.
TEST(SaveUserFile, eachSaveReplacesTheWholeFileAndKeepsItsPermissions)
{
    namespace fs = std::filesystem;
    TempFolder folder;
    std::vector<std::string> longSponsor = {"[LegalDisclaimer]"};
    WriteChunkedSetting(std::string(2000, 'd'), "LegalDisclaimerEnglish", longSponsor);
    RecordingReporter reporter;
    ASSERT_TRUE(SaveUserFile(folder.path(), sampleValues(), longSponsor, reporter, SeededRandom(1)));
    fs::permissions(folder / "User.dat", fs::perms::owner_read | fs::perms::group_read, fs::perm_options::replace);
    test::writeBytes(folder / "User.dat.tmp", "left by a save that was cut short");
    UserFileValues changed = sampleValues();
    changed.values[Setting::TaxRate] = 45;
    ASSERT_TRUE(SaveUserFile(folder.path(), changed, {}, reporter));
    const std::string first = test::readBytes(folder / "User.dat");
    ASSERT_TRUE(SaveUserFile(folder.path(), changed, {}, reporter));
    EXPECT_NE(test::readBytes(folder / "User.dat"), first);
    const auto expected = BuildUserFileLines(changed, {});
    EXPECT_EQ(first.size(), expected.size() * kRecordBytes);
    EXPECT_EQ(ReadRecordFile(folder / "User.dat").lines, expected);
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(fs::status(folder / "User.dat").permissions(), fs::perms::owner_read | fs::perms::group_read);
    EXPECT_FALSE(fs::exists(folder / "User.dat.tmp"));
}

// A save that cannot be done leaves the old file byte for byte, removes its
// temporary file and says why, with the system's reason where there is one.
// A line of 174 characters is the longest a record holds.
TEST(SaveUserFile, failedSaveLeavesTheOldFile)
{
    namespace fs = std::filesystem;
    TempFolder folder;
    RecordingReporter reporter;
    ASSERT_TRUE(SaveUserFile(folder.path(), sampleValues(), {}, reporter, SeededRandom(1)));
    const std::string before = test::readBytes(folder / "User.dat");
    UserFileValues v = sampleValues();
    v.sponsorInfo.PrintoutFooter = std::string(175 - std::string("= PrintoutFooter").size(), 'f');
    EXPECT_FALSE(SaveUserFile(folder.path(), v, {}, reporter, SeededRandom(1)));
    // A missing folder is made, but not inside a file.
    EXPECT_FALSE(SaveUserFile(folder / "User.dat" / "gearwise", sampleValues(), {}, reporter, SeededRandom(1)));
    fs::create_directories(folder / "other" / "User.dat" / "inside");  // cannot be replaced
    EXPECT_FALSE(SaveUserFile(folder / "other", sampleValues(), {}, reporter, SeededRandom(1)));
    EXPECT_EQ(test::readBytes(folder / "User.dat"), before);
    EXPECT_TRUE(fs::is_directory(folder / "other" / "User.dat" / "inside"));
    EXPECT_FALSE(fs::exists(folder / "User.dat.tmp") || fs::exists(folder / "other" / "User.dat.tmp"));
    ASSERT_EQ(reporter.messages.size(), 3u);
    for (const auto& [message, reason] : {std::pair{reporter.messages[0], "line 4 is 175 characters long; at most 174 fit"},
                                          {reporter.messages[1], "could not be created"},
                                          {reporter.messages[2], "cannot replace"}}) {
        EXPECT_EQ(message.title, "Error");
        EXPECT_TRUE(message.text.starts_with(std::string(kUserFileNotWritten) + "\n\n")) << message.text;
        EXPECT_NE(message.text.find(reason), std::string::npos) << message.text;
    }
    v.sponsorInfo.PrintoutFooter.pop_back();
    EXPECT_TRUE(SaveUserFile(folder.path(), v, {}, reporter, SeededRandom(1)));
    EXPECT_EQ(GetSettingValue("PrintoutFooter", ReadRecordFile(folder / "User.dat").lines), v.sponsorInfo.PrintoutFooter);
}

TEST(SaveUserFile, charactersWindows1252CannotStoreBecomeQuestionMarks)
{
    TempFolder folder;
    UserFileValues v = sampleValues();
    v.extraSettings = {{"Advisor Name", "Zoë \xE2\x9C\x93 Smith"}};
    RecordingReporter reporter;
    ASSERT_TRUE(SaveUserFile(folder.path(), v, {}, reporter, SeededRandom(1)));
    EXPECT_EQ(GetSettingValue("Advisor Name", ReadRecordFile(folder / "User.dat").lines), "Zoë ? Smith");
}

TEST(PercentToFraction, movesTheDecimalPointExactly)
{
    const struct {
        double percent;
        const char* fraction;
    } cases[] = {
        {43.41, "0.4341"}, {29.1, "0.291"}, {5, "0.05"}, {150, "1.5"}, {100, "1"}, {0, "0"},
        {-2.5, "-0.025"}, {1234, "12.34"}, {0.001, "0.00001"}, {66.7, "0.667"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.percent);
        EXPECT_EQ(PercentToFractionText(c.percent), c.fraction);
        EXPECT_EQ(FractionToPercent(std::stod(c.fraction)), c.percent);
    }
    EXPECT_EQ(FractionToPercent(0.07), 7);
    EXPECT_EQ(std::stod(PercentToFractionText(1e25)), 1e25 / 100);  // exponent notation: plain division
}

} // namespace
} // namespace gw
