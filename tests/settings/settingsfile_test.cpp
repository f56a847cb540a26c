#include "numformat.h"
#include "recordfile.h"
#include "settings_test_support.h"
#include "settingsfile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

namespace gw {
namespace {

using test::RecordingReporter;
using test::TempFolder;

std::string notFound(const std::string& key)
{
    return key + " not found in the config file. Please re-install the software.\n\n"
                 "If problems persist, contact technical support";
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
    const SettingLines lines = {
        "5= First Key",  // slot 0 is never examined
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
        {"no equals sign here", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        RecordingReporter reporter;
        EXPECT_EQ(GetSettingValue(c.key, lines, true, reporter), c.expected);
        EXPECT_EQ(reporter.messages.size(), std::string(c.key) == "no equals sign here" ? 1u : 0u);
    }
}

TEST(GetSettingValue, keyInSlotZeroIsNeverFound)
{
    const SettingLines lines = {"50000= Loan Amount ($)", "[InputDefaults]"};
    RecordingReporter reporter;
    EXPECT_EQ(GetSettingValue("Loan Amount ($)", lines, true, reporter), "");
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, notFound("Loan Amount ($)"));
    EXPECT_EQ(reporter.messages[0].icon, SettingsReporter::Icon::None);
    EXPECT_EQ(GetSettingValue("Loan Amount ($)", lines), "");
}

TEST(ReadSponsorInfo, noneIsNotSponsoredAndReadsNothingElse)
{
    RecordingReporter reporter;
    const SponsorInfo info = ReadSponsorInfo(test::sponsorFileLines("none"), reporter);
    EXPECT_EQ(info.SponsorName, "none");
    EXPECT_EQ(info.AppTitle, "");
    EXPECT_EQ(info.PrintoutFooter, "");
    EXPECT_EQ(info.logoPath, "");
    EXPECT_TRUE(reporter.messages.empty());
}

TEST(ReadSponsorInfo, sponsoredReadsEveryFieldAndReportsMissingOnes)
{
    RecordingReporter reporter;
    const SponsorInfo info = ReadSponsorInfo(without(test::sponsorFileLines("None"), "helpPath"), reporter);
    EXPECT_EQ(info.SponsorName, "None");  // only the exact "none" means unsponsored
    EXPECT_EQ(info.AppTitle, "presented by");
    EXPECT_EQ(info.PrintoutFooter, "Acme Wealth - for discussion only");
    EXPECT_EQ(info.helpPath, "");
    EXPECT_EQ(info.helpCaption, "Acme help");
    EXPECT_EQ(info.logoPath, "acme.jpg");
    EXPECT_EQ(reporter.texts(), std::vector<std::string>{notFound("helpPath")});
}

// Each key of the sponsor file lands in its setting, in the unit of its
// field: the tax-table rates and the inclusion rate as per cent.
TEST(ReadSettingValues, readsEverySettingFromTheSponsorFile)
{
    using S = Setting;
    const SettingLines lines = test::sponsorFileLines();
    RecordingReporter reporter;
    const SettingValues read = ReadSettingValues(lines, lines, reporter);
    EXPECT_TRUE(reporter.messages.empty()) << reporter.texts()[0];
    const std::vector<std::pair<Setting, double>> expected = {
        {S::LoanAmount, 50000}, {S::TaxRate, 40}, {S::InterestRateOnLoan, 7.5}, {S::SavingsPeriod, 20},
        {S::ProjectedReturn1, 4}, {S::ProjectedReturn2, 6}, {S::ProjectedReturn3, 8}, {S::ProjectedReturn4, 10},
        {S::PortionDeductible, 100}, {S::CapGainsInclusionRate, 50},
        {S::InterestTaxRate1, 25.05}, {S::InterestTaxRate2, 31.15}, {S::InterestTaxRate3, 43.41},
        {S::InterestTaxRate4, 46.41}, {S::DividendTaxRate2, 5.75}, {S::DividendTaxRate3, 22.12},
        {S::DividendTaxRate4, 29.15}, {S::StartOfTaxBracket2, 35000}, {S::StartOfTaxBracket3, 70000},
        {S::StartOfTaxBracket4, 113804}, {S::ProvLimitedDeduct, 1}, {S::FedInvestmentExpenses, 2},
        {S::ProvInvestmentExpenses, 2.5}, {S::FedInterestDeductibility, 100}, {S::ProvInterestDeductibility, 100},
        {S::FedDefer, 1}, {S::ProvIncludeCapGains, 1}, {S::FederalToMTRRatio, 58},
        {S::PrintSummaryChecklist, 1}, {S::PrintSignatures, 1}, {S::PrintSummary, 1}, {S::PrintProjection, 1},
        {S::PrintName, 1}, {S::ProjectionReturn, 8}, {S::TimesLoanRepeated, 1}, {S::CapitalGains, 40},
        {S::DeferredCapitalGains, 50}, {S::Dividends, 5}, {S::Interest, 5},
        // "[AnalysisRestrictions]" and "[InputLimits]".
        {S::ShowIntOnlyAnalysis, 1}, {S::ShowTermLoanAnalysis, 1}, {S::MaxReturnAllowed, 25},
        {S::ReturnWarningLevel, 15}, {S::MinInterestRateAllowed, 2}, {S::InterestRateWarningLevel, 3.5},
    };
    SettingValues values;  // everything else reads 0: false, "yes", nothing
    for (const auto& [setting, value] : expected)
        values[setting] = value;
    for (const SettingRow& row : SettingRows()) {
        SCOPED_TRACE(std::string(row.key));
        EXPECT_EQ(read[row.id], values[row.id]);
    }
}

TEST(ReadSettingValues, restrictionFlagsAreNumericAndLimitsComeFromTheSponsorFile)
{
    auto lines = replaced(test::sponsorFileLines(), "showTermLoanAnalysis", "True");
    lines = replaced(lines, "showRRSPAnalysis", "2.5");
    lines = without(lines, "Minimum Interest Rate Allowed");
    // The user lines never carry the restrictions or the limits.
    auto user = replaced(lines, "Maximum Return Allowed", "99");
    RecordingReporter reporter;
    const SettingValues v = ReadSettingValues(lines, user, reporter);
    EXPECT_TRUE(v.flag(Setting::ShowIntOnlyAnalysis));
    EXPECT_FALSE(v.flag(Setting::ShowTermLoanAnalysis));  // "True" reads as 0
    EXPECT_TRUE(v.flag(Setting::ShowRRSPAnalysis));
    EXPECT_EQ(v[Setting::MaxReturnAllowed], 25);
    EXPECT_EQ(v[Setting::ReturnWarningLevel], 15);
    EXPECT_EQ(v[Setting::MinInterestRateAllowed], 0);
    EXPECT_EQ(v[Setting::InterestRateWarningLevel], 3.5);
    EXPECT_EQ(reporter.texts(), std::vector<std::string>{notFound("Minimum Interest Rate Allowed")});
}

TEST(ReadSettingValues, userFileWinsAndItsMissingKeysReadAsAbsent)
{
    const SettingLines sponsor = without(test::sponsorFileLines(), "Times Loan Repeated");
    SettingLines user = replaced(test::sponsorFileLines(), "Loan Amount ($)", "75000");
    user = replaced(user, "Times Loan Repeated", "3");
    user = without(user, "Tax Rate (%)");
    RecordingReporter reporter;
    const SettingValues d = ReadSettingValues(sponsor, user, reporter);
    EXPECT_EQ(d[Setting::LoanAmount], 75000);
    EXPECT_EQ(d[Setting::TaxRate], 0);            // present in the sponsor file only: no message
    EXPECT_EQ(d[Setting::TimesLoanRepeated], 3);  // absent from the sponsor file: reported, user value kept
    EXPECT_EQ(reporter.texts(), std::vector<std::string>{notFound("Times Loan Repeated")});
}

TEST(ReadSettingValues, booleanAndNumberRules)
{
    const struct {
        const char* key;
        const char* value;
        Setting setting;
        double expected;
    } cases[] = {
        {"Federal Deductibility Limited to Taxable Income", "true", Setting::FedLimitedDeduct, 0},
        {"Federal Deductibility Limited to Taxable Income", "1", Setting::FedLimitedDeduct, 0},
        {"Federal Deductibility Limited to Taxable Income", "True", Setting::FedLimitedDeduct, 1},
        {"Print Summary", "True", Setting::PrintSummary, 0},
        {"Print Summary", "1", Setting::PrintSummary, 1},
        {"Print Signatures", "1", Setting::PrintSignatures, 0},
        {"Tax Rate (%)", "46.4", Setting::TaxRate, 46.4},
        {"Tax Rate (%)", "12abc", Setting::TaxRate, 12},
        {"Loan Amount ($)", "$50,000", Setting::LoanAmount, 0},
        {"Loan Amount ($)", "", Setting::LoanAmount, 0},
        {"Start of Tax Bracket 2 ($)", "35000.5", Setting::StartOfTaxBracket2, 35001},
        {"Start of Tax Bracket 2 ($)", "35000.4", Setting::StartOfTaxBracket2, 35000},
        {"Federal Defer Undeducted Expenses", "1e9", Setting::FedDefer, 32767},
        {"Investment Type", "3", Setting::InvestmentType, 3},
        {"Interest Tax Rate 3 (%)", "0.4341", Setting::InterestTaxRate3, 43.41},
        // Written, never read back.
        {"Show Advanced Details", "True", Setting::ShowAdvancedDetails, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " = '" + c.value + "'");
        const SettingLines user = replaced(test::sponsorFileLines(), c.key, c.value);
        RecordingReporter reporter;
        EXPECT_EQ(ReadSettingValues(test::sponsorFileLines(), user, reporter)[c.setting], c.expected);
    }
}

TEST(ReadSettingValues, missingSponsorKeysAreReportedInOrder)
{
    SettingLines sponsor = without(test::sponsorFileLines(), "Interest");
    sponsor = without(sponsor, "Loan Amount ($)");
    sponsor = without(sponsor, "Print Name");
    sponsor = without(sponsor, "showRRSPAnalysis");
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

TEST(LoadSettingsFiles, withoutUserFileUserLinesAreTheSponsorLines)
{
    TempFolder folder;
    test::writeRecordFile(folder / "Config.dat", test::sponsorFileLines());
    SettingLines sponsor, user;
    RecordingReporter reporter;
    ASSERT_TRUE(LoadSettingsFiles(folder.path(), sponsor, user, reporter));
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(sponsor, test::sponsorFileLines());
    EXPECT_EQ(user, sponsor);
}

TEST(LoadSettingsFiles, loadMissingConfig_reportsAndEnds)
{
    TempFolder folder;
    test::writeRecordFile(folder / "User.dat", test::sponsorFileLines());
    SettingLines sponsor, user;
    RecordingReporter reporter;
    EXPECT_FALSE(LoadSettingsFiles(folder.path(), sponsor, user, reporter));
    EXPECT_EQ(reporter.texts(), std::vector<std::string>{"Error with config.dat file"});
    EXPECT_FALSE(std::filesystem::exists(folder / "Config.dat"));
}

TEST(LoadSettingsFiles, loadTruncatedConfig_reportsAndUsesDefaults)
{
    TempFolder folder;
    const auto lines = test::sponsorFileLines();
    test::writeRecordFile(folder / "Config.dat", lines);
    std::string bytes = test::readBytes(folder / "Config.dat");
    // Cut inside the text of the record holding "Loan Amount ($)".
    const auto loanRecord = static_cast<std::size_t>(std::find(lines.begin(), lines.end(), "50000= Loan Amount ($)") - lines.begin());
    bytes.resize(loanRecord * kRecordBytes + 10);
    test::writeBytes(folder / "Config.dat", bytes);

    SettingLines sponsor, user;
    RecordingReporter reporter;
    ASSERT_TRUE(LoadSettingsFiles(folder.path(), sponsor, user, reporter));
    EXPECT_EQ(reporter.texts(), std::vector<std::string>{"Error with config.dat file"});
    EXPECT_EQ(sponsor.size(), loanRecord);

    reporter.messages.clear();
    const SettingValues d = ReadSettingValues(sponsor, user, reporter);
    EXPECT_EQ(d[Setting::LoanAmount], 0);
    EXPECT_EQ(d[Setting::TaxRate], 0);
    ASSERT_FALSE(reporter.messages.empty());
    EXPECT_EQ(reporter.messages[0].text, notFound("Loan Amount ($)"));
    EXPECT_EQ(ReadSponsorInfo(sponsor, reporter).SponsorName, "Acme Wealth");
}

// A sponsor file that holds no setting ends the start-up with one message
// naming it and what to do, instead of a not-found message per key and a
// window of zeros.
TEST(LoadSettingsFiles, loadUselessConfig_reportsOnceAndEnds)
{
    std::string random;
    std::mt19937 bytes(11);
    for (int i = 0; i < 3000; ++i)
        random += static_cast<char>(bytes() & 0xFF);
    random[0] = static_cast<char>(0xFF);  // a record length no record has
    const struct {
        const char* name;
        std::function<void(const std::filesystem::path&)> write;
        const char* reason;
    } cases[] = {
        {"empty", [](const auto& path) { test::writeBytes(path, ""); }, "it is empty"},
        {"section lines only", [](const auto& path) { test::writeRecordFile(path, {"[SponsorInfo]", "[InputLimits]"}); },
         "it holds no settings"},
        {"random bytes", [&](const auto& path) { test::writeBytes(path, random); }, "record 1 has an invalid length"},
        {"larger than any settings file",
         [](const auto& path) {
             test::writeRecordFile(path, test::sponsorFileLines());
             std::filesystem::resize_file(path, kMaxRecordFileBytes + 1);
         },
         "bytes long"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        c.write(folder / "Config.dat");
        SettingLines sponsor, user;
        RecordingReporter reporter;
        EXPECT_FALSE(LoadSettingsFiles(folder.path(), sponsor, user, reporter));
        ASSERT_EQ(reporter.messages.size(), 1u);
        const std::string& text = reporter.messages[0].text;
        EXPECT_TRUE(text.starts_with("Error with config.dat file: ")) << text;
        EXPECT_NE(text.find(c.reason), std::string::npos) << text;
        EXPECT_TRUE(text.ends_with("Please re-install the software.")) << text;
    }
}

TEST(LoadSettingsFiles, loadCorruptConfig_reportsError301AndEnds)
{
    TempFolder folder;
    test::writeRecordFile(folder / "Config.dat", test::sponsorFileLines());
    std::string bytes = test::readBytes(folder / "Config.dat");
    bytes[kRecordBytes * 3 + 2] = 'x';  // the level digit of record 4
    test::writeBytes(folder / "Config.dat", bytes);
    SettingLines sponsor, user;
    RecordingReporter reporter;
    EXPECT_FALSE(LoadSettingsFiles(folder.path(), sponsor, user, reporter));
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].title, "TextVeil");
    EXPECT_EQ(reporter.messages[0].text, "Error 301: Invalid encryption level");
}

TEST(LoadSettingsFiles, loadConfigWithBadRecordLength_reportsAndKeepsEarlierRecords)
{
    TempFolder folder;
    test::writeRecordFile(folder / "Config.dat", test::sponsorFileLines());
    std::string bytes = test::readBytes(folder / "Config.dat");
    bytes[kRecordBytes * 2] = static_cast<char>(0xFF);
    bytes[kRecordBytes * 2 + 1] = static_cast<char>(0xFF);
    test::writeBytes(folder / "Config.dat", bytes);
    SettingLines sponsor, user;
    RecordingReporter reporter;
    EXPECT_TRUE(LoadSettingsFiles(folder.path(), sponsor, user, reporter));
    EXPECT_EQ(reporter.texts(), std::vector<std::string>{"Error with config.dat file"});
    EXPECT_EQ(sponsor.size(), 2u);
}

TEST(LoadSettingsFiles, loadCorruptOrTruncatedUserFile_usesSponsorDefaults)
{
    const struct {
        const char* name;
        std::function<void(std::string&)> damage;
    } cases[] = {
        {"not masked", [](std::string& b) { b[kRecordBytes + 2] = '9'; }},
        {"truncated", [](std::string& b) { b.resize(kRecordBytes * 4 + 20); }},
        {"bad length", [](std::string& b) { b[kRecordBytes * 5 + 1] = 1; }},
        {"one stray byte", [](std::string& b) { b.resize(kRecordBytes * 6 + 1); }},
        {"not a record file", [](std::string& b) { b = "hello\n"; }},
        {"empty", [](std::string& b) { b.clear(); }},
        {"section lines only", [](std::string& b) { b.resize(kRecordBytes); }},
        {"larger than any settings file", [](std::string& b) { b.resize(kMaxRecordFileBytes + 1, 'x'); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        test::writeRecordFile(folder / "Config.dat", test::sponsorFileLines());
        test::writeRecordFile(folder / "User.dat", replaced(test::sponsorFileLines(), "Loan Amount ($)", "1"));
        std::string bytes = test::readBytes(folder / "User.dat");
        c.damage(bytes);
        test::writeBytes(folder / "User.dat", bytes);
        SettingLines sponsor, user;
        RecordingReporter reporter;
        ASSERT_TRUE(LoadSettingsFiles(folder.path(), sponsor, user, reporter));
        ASSERT_EQ(reporter.messages.size(), 1u);
        EXPECT_TRUE(reporter.messages[0].text.starts_with("User.dat could not be read")) << reporter.messages[0].text;
        EXPECT_EQ(user, sponsor);
    }
}

TEST(LoadSettingsFiles, paddingMissingFromTheLastRecordIsAccepted)
{
    TempFolder folder;
    test::writeRecordFile(folder / "Config.dat", {"[SponsorInfo]", "none= SponsorName"});
    std::string bytes = test::readBytes(folder / "Config.dat");
    const std::size_t length = static_cast<unsigned char>(bytes[kRecordBytes]);
    bytes.resize(kRecordBytes + 2 + length);
    test::writeBytes(folder / "Config.dat", bytes);
    SettingLines sponsor, user;
    RecordingReporter reporter;
    ASSERT_TRUE(LoadSettingsFiles(folder.path(), sponsor, user, reporter));
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(sponsor, (SettingLines{"[SponsorInfo]", "none= SponsorName"}));
}

TEST(LoadStartUpSettings, languageSponsorAndWelcomePicture)
{
    const struct {
        const char* name;
        std::vector<std::string> user;  // empty: no User.dat
        std::string sponsorName;
        std::vector<std::string> pictures;
        int language;
        bool sponsored;
        std::string logo;
        std::size_t messages;
    } cases[] = {
        {"English, sponsored, no picture", {}, "Acme Wealth", {}, English, true, "", 0},
        {"English with picture", {}, "Acme Wealth", {"Welcome.jpg"}, English, true, "Welcome.jpg", 0},
        {"French needs the French picture", replaced(test::sponsorFileLines(), "PrevLanguage", "1"), "Acme Wealth",
         {"Welcome.jpg"}, French, true, "", 0},
        {"French picture", replaced(test::sponsorFileLines(), "PrevLanguage", "1"), "Acme Wealth",
         {"Welcome-French.jpg"}, French, true, "Welcome-French.jpg", 0},
        {"PrevLanguage missing", without(test::sponsorFileLines(), "PrevLanguage"), "Acme Wealth", {}, English, true, "", 1},
        {"unknown language", replaced(test::sponsorFileLines(), "PrevLanguage", "7"), "Acme Wealth", {}, English, true, "", 0},
        {"not sponsored", {}, "none", {"Welcome.jpg"}, English, false, "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        test::writeRecordFile(folder / "Config.dat", test::sponsorFileLines(c.sponsorName));
        if (!c.user.empty())
            test::writeRecordFile(folder / "User.dat", c.user);
        for (const std::string& picture : c.pictures)
            test::writeBytes(folder / picture, "jpeg");
        test::writeCaptionFile(folder / "english.txt", {"SoftwareName=Gearwise Planner"});
        test::writeCaptionFile(folder / "french.txt", {"SoftwareName=Gearwise Planner"});
        ProgramSettings settings;
        settings.folder = folder.path();
        RecordingReporter reporter;
        ASSERT_TRUE(LoadStartUpSettings(settings, reporter));
        EXPECT_EQ(settings.CurrentLanguage, c.language);
        EXPECT_EQ(settings.IsSponsored, c.sponsored);
        EXPECT_EQ(settings.sponsorInfo.logoPath, c.logo);
        EXPECT_EQ(reporter.messages.size(), c.messages);
        if (c.messages == 1) {
            EXPECT_EQ(reporter.messages[0].text, notFound("PrevLanguage"));
        }
    }
}

TEST(ReadMainWindowSettings, fillsDefaultsRestrictionsAndLimits)
{
    ProgramSettings settings;
    settings.SponsorLines = test::sponsorFileLines();
    settings.UserLines = replaced(test::sponsorFileLines(), "Tax Rate (%)", "43.41");
    RecordingReporter reporter;
    ReadMainWindowSettings(settings, reporter);
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(settings.values[Setting::TaxRate], 43.41);
    EXPECT_TRUE(settings.values.flag(Setting::ShowTermLoanAnalysis));
    EXPECT_EQ(settings.values[Setting::InterestRateWarningLevel], 3.5);
}

// Limits and defaults outside their legal range: the nearest legal value,
// and one message naming the file and key of each.
TEST(ReadMainWindowSettings, repairsWhatIsOutOfRangeWithOneMessage)
{
    ProgramSettings settings;
    settings.SponsorLines = replaced(test::sponsorFileLines(), "Maximum Return Allowed", "1e308");
    settings.SponsorLines = replaced(settings.SponsorLines, "Minimum Interest Rate Allowed", "-1e308");
    settings.UserLines = replaced(test::sponsorFileLines(), "Tax Rate (%)", "150");
    settings.UserLines = replaced(settings.UserLines, "Loan Amount ($)", "0");
    RecordingReporter reporter;
    ReadMainWindowSettings(settings, reporter);
    EXPECT_EQ(settings.values[Setting::MaxReturnAllowed], 1000);
    EXPECT_EQ(settings.values[Setting::MinInterestRateAllowed], 0);
    EXPECT_EQ(settings.values[Setting::TaxRate], 99);
    EXPECT_EQ(settings.values[Setting::LoanAmount], 1);
    EXPECT_EQ(settings.values[Setting::InterestRateOnLoan], 7.5);  // legal: left alone
    ASSERT_EQ(reporter.messages.size(), 1u);
    const std::string& text = reporter.messages[0].text;
    for (const char* part : {"Config.dat, \"Maximum Return Allowed\": 1e+308 becomes 1000.",
                             "Config.dat, \"Minimum Interest Rate Allowed\": -1e+308 becomes 0.",
                             "User.dat, \"Tax Rate (%)\": 150 becomes 99.", "User.dat, \"Loan Amount ($)\": 0 becomes 1."})
        EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;

    // Nothing out of range: nothing said.
    ProgramSettings fine;
    fine.SponsorLines = fine.UserLines = test::sponsorFileLines();
    RecordingReporter quiet;
    ReadMainWindowSettings(fine, quiet);
    EXPECT_TRUE(quiet.messages.empty());
}

// The data files the build masks beside the executables start the program
// without a single message.
TEST(ShippedDataFiles, loadWithoutMessages)
{
    const std::filesystem::path folder = GEARWISE_DATA_DIR;
    for (const char* name : {"Config.dat", "english.txt", "french.txt"})
        if (!std::filesystem::exists(folder / name))
            GTEST_SKIP() << name << " was not built";
    ProgramSettings settings;
    settings.folder = folder;
    RecordingReporter reporter;
    ASSERT_TRUE(LoadStartUpSettings(settings, reporter));
    ReadMainWindowSettings(settings, reporter);
    EXPECT_EQ(reporter.texts(), std::vector<std::string>{});
    EXPECT_FALSE(settings.captions.english.empty());
    EXPECT_FALSE(settings.captions.french.empty());
    EXPECT_NE(GetCaption(settings.captions, "SoftwareName", French), kCaptionNotFound);
}

} // namespace
} // namespace gw
