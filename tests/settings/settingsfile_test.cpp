#include "numformat.h"
#include "recordfile.h"
#include "settings_test_support.h"
#include "settingsfile.h"

#include <gtest/gtest.h>

#include <algorithm>

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

TEST(ReadRestrictionsAndLimits, flagsAreNumericAndLimitsArePerCent)
{
    auto lines = replaced(test::sponsorFileLines(), "showTermLoanAnalysis", "True");
    lines = replaced(lines, "showRRSPAnalysis", "2.5");
    lines = without(lines, "Minimum Interest Rate Allowed");
    RecordingReporter reporter;
    const RestrictionsAndLimits rl = ReadRestrictionsAndLimits(lines, reporter);
    EXPECT_TRUE(rl.restrictions.showIntOnlyAnalysis);
    EXPECT_FALSE(rl.restrictions.showTermLoanAnalysis);  // "True" reads as 0
    EXPECT_TRUE(rl.restrictions.showRRSPAnalysis);
    EXPECT_EQ(rl.limits.MaxReturnAllowed, 25);
    EXPECT_EQ(rl.limits.ReturnWarningLevel, 15);
    EXPECT_EQ(rl.limits.MinInterestRateAllowed, 0);
    EXPECT_EQ(rl.limits.InterestRateWarningLevel, 3.5);
    EXPECT_EQ(reporter.texts(), std::vector<std::string>{notFound("Minimum Interest Rate Allowed")});
}

TEST(ReadInputDefaults, readsEveryFieldFromTheSponsorFile)
{
    const SettingLines lines = test::sponsorFileLines();
    RecordingReporter reporter;
    const InputDefaults d = ReadInputDefaults(lines, lines, reporter);
    EXPECT_TRUE(reporter.messages.empty()) << reporter.texts()[0];
    EXPECT_EQ(d.LoanAmount, 50000);
    EXPECT_EQ(d.TaxRate, 40);
    EXPECT_EQ(d.InterestRateOnLoan, 7.5);
    EXPECT_EQ(d.SavingsPeriod, 20);
    EXPECT_EQ(d.ProjectedReturn, (std::array<double, 4>{4, 6, 8, 10}));
    EXPECT_EQ(d.PortionDeductible, 100);
    EXPECT_EQ(d.CapGainsInclusionRate, 0.5);
    EXPECT_EQ(d.InterestTaxRate, (std::array<double, 4>{0.2505, 0.3115, 0.4341, 0.4641}));
    EXPECT_EQ(d.DividendTaxRate, (std::array<double, 4>{0, 0.0575, 0.2212, 0.2915}));
    EXPECT_EQ(d.StartOfTaxBracket, (std::array<double, 4>{0, 35000, 70000, 113804}));
    EXPECT_FALSE(d.FedLimitedDeduct);
    EXPECT_TRUE(d.ProvLimitedDeduct);
    EXPECT_EQ(d.FedInvestmentExpenses, 2);
    EXPECT_EQ(d.ProvInvestmentExpenses, 2.5);
    EXPECT_EQ(d.FedInterestDeductibility, 100);
    EXPECT_EQ(d.ProvInterestDeductibility, 100);
    EXPECT_EQ(d.FedDefer, 1);
    EXPECT_EQ(d.ProvDefer, 0);
    EXPECT_EQ(d.FedIncludeCapGains, 0);
    EXPECT_EQ(d.ProvIncludeCapGains, 1);
    EXPECT_EQ(d.FederalToMTRRatio, 58);
    EXPECT_TRUE(d.PrintSummaryChecklist);
    EXPECT_FALSE(d.PrintLegalDisclaimer);
    EXPECT_TRUE(d.PrintSignatures);
    EXPECT_TRUE(d.PrintSummary);
    EXPECT_TRUE(d.PrintProjection);
    EXPECT_FALSE(d.PrintChecklistPage);
    EXPECT_TRUE(d.PrintName);
    EXPECT_FALSE(d.PrintCompanyName);
    EXPECT_EQ(d.ProjectionReturn, 8);
    EXPECT_EQ(d.TimesLoanRepeated, 1);
    EXPECT_EQ(d.CapitalGains, 40);
    EXPECT_EQ(d.DeferredCapitalGains, 50);
    EXPECT_EQ(d.Dividends, 5);
    EXPECT_EQ(d.Interest, 5);
    EXPECT_EQ(d.InvestmentType, 0);
    EXPECT_EQ(d.OtherUnleveragedIncome, 0);
}

TEST(ReadInputDefaults, userFileWinsAndItsMissingKeysReadAsAbsent)
{
    const SettingLines sponsor = without(test::sponsorFileLines(), "Times Loan Repeated");
    SettingLines user = replaced(test::sponsorFileLines(), "Loan Amount ($)", "75000");
    user = replaced(user, "Times Loan Repeated", "3");
    user = without(user, "Tax Rate (%)");
    RecordingReporter reporter;
    const InputDefaults d = ReadInputDefaults(sponsor, user, reporter);
    EXPECT_EQ(d.LoanAmount, 75000);
    EXPECT_EQ(d.TaxRate, 0);            // present in the sponsor file only: no message
    EXPECT_EQ(d.TimesLoanRepeated, 3);  // absent from the sponsor file: reported, user value kept
    EXPECT_EQ(reporter.texts(), std::vector<std::string>{notFound("Times Loan Repeated")});
}

TEST(ReadInputDefaults, booleanAndNumberRules)
{
    const struct {
        const char* key;
        const char* value;
        std::function<double(const InputDefaults&)> field;
        double expected;
    } cases[] = {
        {"Federal Deductibility Limited to Taxable Income", "true", [](auto& d) { return d.FedLimitedDeduct; }, 0},
        {"Federal Deductibility Limited to Taxable Income", "1", [](auto& d) { return d.FedLimitedDeduct; }, 0},
        {"Federal Deductibility Limited to Taxable Income", "True", [](auto& d) { return d.FedLimitedDeduct; }, 1},
        {"Print Summary", "True", [](auto& d) { return d.PrintSummary; }, 0},
        {"Print Summary", "1", [](auto& d) { return d.PrintSummary; }, 1},
        {"Print Signatures", "1", [](auto& d) { return d.PrintSignatures; }, 0},
        {"Tax Rate (%)", "46.4", [](auto& d) { return d.TaxRate; }, 46.4},
        {"Tax Rate (%)", "12abc", [](auto& d) { return d.TaxRate; }, 12},
        {"Loan Amount ($)", "$50,000", [](auto& d) { return d.LoanAmount; }, 0},
        {"Loan Amount ($)", "", [](auto& d) { return d.LoanAmount; }, 0},
        {"Start of Tax Bracket 2 ($)", "35000.5", [](auto& d) { return d.StartOfTaxBracket[1]; }, 35001},
        {"Start of Tax Bracket 2 ($)", "35000.4", [](auto& d) { return d.StartOfTaxBracket[1]; }, 35000},
        {"Federal Defer Undeducted Expenses", "1e9", [](auto& d) { return d.FedDefer; }, 32767},
        {"Investment Type", "3", [](auto& d) { return d.InvestmentType; }, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " = '" + c.value + "'");
        const SettingLines user = replaced(test::sponsorFileLines(), c.key, c.value);
        RecordingReporter reporter;
        EXPECT_EQ(c.field(ReadInputDefaults(test::sponsorFileLines(), user, reporter)), c.expected);
    }
}

TEST(ReadInputDefaults, missingSponsorKeysAreReportedInOrder)
{
    SettingLines sponsor = without(test::sponsorFileLines(), "Interest");
    sponsor = without(sponsor, "Loan Amount ($)");
    sponsor = without(sponsor, "Print Name");
    RecordingReporter reporter;
    ReadInputDefaults(sponsor, sponsor, reporter);
    EXPECT_EQ(reporter.texts(),
              (std::vector<std::string>{notFound("Loan Amount ($)"), notFound("Print Name"), notFound("Interest")}));
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
    const InputDefaults d = ReadInputDefaults(sponsor, user, reporter);
    EXPECT_EQ(d.LoanAmount, 0);
    EXPECT_EQ(d.TaxRate, 0);
    ASSERT_FALSE(reporter.messages.empty());
    EXPECT_EQ(reporter.messages[0].text, notFound("Loan Amount ($)"));
    EXPECT_EQ(ReadSponsorInfo(sponsor, reporter).SponsorName, "Acme Wealth");
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
        test::writeBytes(folder / "english.txt", "");
        test::writeBytes(folder / "french.txt", "");
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
    EXPECT_EQ(settings.defaults.TaxRate, 43.41);
    EXPECT_TRUE(settings.restrictions.showTermLoanAnalysis);
    EXPECT_EQ(settings.limits.InterestRateWarningLevel, 3.5);
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
