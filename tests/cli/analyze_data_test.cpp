#include "analyze_driver.h"
#include "cli_test_data.h"
#include "json_scan.h"
#include "numformat.h"
#include "settingsfile.h"
#include "userfile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// `gearwise-cli analyze` reading its defaults from a data folder.
namespace gw::cli {
namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;
using test::JsonValue;

struct FolderRun {
    int status = -1;
    std::string out;
    std::string err;
};

FolderRun runIn(const fs::path& programFolder, const Args& args = {})
{
    std::ostringstream out;
    std::ostringstream err;
    FolderRun run;
    run.status = RunAnalyzeWithDataFiles(args, programFolder, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

JsonValue jsonIn(const fs::path& programFolder, const Args& args = {})
{
    const FolderRun run = runIn(programFolder, args);
    EXPECT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(run.err, "");
    const auto json = test::ParseJson(run.out);
    EXPECT_TRUE(json) << "not JSON:\n" << run.out;
    return json ? *json : JsonValue{};
}

std::vector<double> numbers(const JsonValue& array)
{
    std::vector<double> out;
    for (const JsonValue& item : array.items)
        out.push_back(item.number);
    return out;
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Every input the JSON echoes, against the plain source of the shipped
// Config.dat, and the notes in the language asked for.
TEST(AnalyzeData, NoOptionsReproduceTheShippedConfigInBothLanguages)
{
    const std::vector<std::string> config = test::DataSourceLines("config.src.txt");
    const auto value = [&](const std::string& key) { return LenientParse(gw::GetSettingValue(key, config)); };
    const auto percentOf = [&](const std::string& key) { return FractionToPercent(value(key)); };
    const auto numbered = [&](const std::string& key, const std::string& unit, bool fraction) {
        std::vector<double> out;
        for (int n = 1; n <= 4; ++n) {
            const std::string name = key + " " + std::to_string(n) + " " + unit;
            out.push_back(fraction ? percentOf(name) : value(name));
        }
        return out;
    };
    ASSERT_EQ(value("PrevLanguage"), English);

    struct Case {
        Args args;
        std::string language;
        Language captions;
    };
    const std::vector<Case> cases = {
        {{}, "en", English},
        {{"--language", "en"}, "en", English},
        {{"--language", "fr"}, "fr", French},
        // The program's own folder holds no data; --data-dir points at it.
        {{"--language=fr", "--data-dir", test::ShippedDataFolder().string()}, "fr", French},
    };
    for (const Case& c : cases) {
        std::string trace = "args:";
        for (const std::string& a : c.args)
            trace += " " + a;
        SCOPED_TRACE(trace);
        const fs::path programFolder = c.args.size() > 2 ? fs::temp_directory_path() : test::ShippedDataFolder();
        const JsonValue json = jsonIn(programFolder, c.args);

        EXPECT_EQ(json["strategy"].text, "interest-only");
        EXPECT_EQ(json["loan_amount"].number, value("Loan Amount ($)"));
        EXPECT_EQ(json["horizon"].number, value("Savings Period (years)"));
        EXPECT_DOUBLE_EQ(json["projection"]["return"].number, value("Projected Return 3 (%)") / 100);

        const JsonValue& in = json["inputs"];
        EXPECT_EQ(in["tax_rate"].number, value("Tax Rate (%)"));
        EXPECT_EQ(in["interest_rate"].number, value("Interest Rate on Loan (%)"));
        EXPECT_EQ(in["savings_period"].number, value("Savings Period (years)"));
        EXPECT_EQ(numbers(in["returns"]), numbered("Projected Return", "(%)", false));
        EXPECT_EQ(in["times_repeated"].number, value("Times Loan Repeated"));
        EXPECT_EQ(numbers(in["breakdown"]), (std::vector<double>{value("Deferred Capital Gains"),
                                                                  value("Capital Gains"), value("Dividends"),
                                                                  value("Interest")}));
        EXPECT_EQ(in["investment_type"].number, value("Investment Type"));
        EXPECT_EQ(in["other_unleveraged"].number, value("Other Unleveraged Income ($)"));
        EXPECT_EQ(in["inclusion_rate"].number, percentOf("Capital Gains Inclusion Rate (%)"));
        EXPECT_EQ(in["federal_ratio"].number, value("Federal To Marginal Tax Rate Ratio (%)"));
        EXPECT_EQ(in["fed_limited"].boolean,
                  gw::GetSettingValue("Federal Deductibility Limited to Taxable Income", config) == "True");
        EXPECT_EQ(in["prov_limited"].boolean,
                  gw::GetSettingValue("Provincial Deductibility Limited to Taxable Income", config) == "True");
        EXPECT_EQ(in["fed_deductible"].number, value("Federal Portion of Interest Rate Deductible (%)"));
        EXPECT_EQ(in["prov_deductible"].number, value("Provincial Portion of Interest Rate Deductible (%)"));
        EXPECT_EQ(in["fed_include_cg"].boolean, value("Federal Include Capital Gains") == 0);
        EXPECT_EQ(in["prov_include_cg"].boolean, value("Provincial Include Capital Gains") == 0);
        EXPECT_EQ(numbers(in["interest_tax_rates"]), numbered("Interest Tax Rate", "(%)", true));
        EXPECT_EQ(numbers(in["dividend_tax_rates"]), numbered("Dividend Tax Rate", "(%)", true));
        EXPECT_EQ(numbers(in["tax_bracket_starts"]), numbered("Start of Tax Bracket", "($)", false));

        EXPECT_EQ(json["language"].text, c.language);
        const std::string disclaimer = GetCaption(test::SourceCaptions(), "Notes_Disclaimer", c.captions);
        const std::string& notes = json["notes"].text;
        EXPECT_TRUE(contains(notes, disclaimer)) << notes;
        EXPECT_TRUE(notes.starts_with("- ")) << notes;
        EXPECT_TRUE(contains(notes, "\r\n- ")) << notes;
        EXPECT_FALSE(contains(notes, "!!!")) << notes;
    }
}

// Saved defaults replace the sponsor's; the strategies and limits stay the
// sponsor's whatever the user file says.
TEST(AnalyzeData, UserFileOverridesTheSponsorDefaults)
{
    test::TempDataFolder folder;
    folder.writeConfig(test::ConfigEdits{});
    test::RecordingReporter reporter;
    ProgramSettings settings;
    settings.folder = folder.path();
    ASSERT_TRUE(LoadStartUpSettings(settings, reporter));
    ReadMainWindowSettings(settings, reporter);
    using S = Setting;
    UserFileValues saved = UserFileValuesFrom(settings);
    saved.CurrentLanguage = French;
    for (const auto& [setting, value] : std::vector<std::pair<Setting, double>>{
             {S::LoanAmount, 250000}, {S::TaxRate, 45}, {S::InterestRateOnLoan, 6}, {S::SavingsPeriod, 15},
             {S::ProjectedReturn1, 3}, {S::ProjectedReturn2, 5}, {S::ProjectedReturn3, 9}, {S::ProjectedReturn4, 11},
             {S::DeferredCapitalGains, 40}, {S::CapitalGains, 30}, {S::Dividends, 20}, {S::Interest, 10},
             {S::CapGainsInclusionRate, 66.67}, {S::InterestTaxRate1, 20.05}, {S::InterestTaxRate2, 29.65},
             {S::InterestTaxRate3, 43.41}, {S::InterestTaxRate4, 53.53}, {S::StartOfTaxBracket1, 0},
             {S::StartOfTaxBracket2, 55867}, {S::StartOfTaxBracket3, 111733}, {S::StartOfTaxBracket4, 173205},
             {S::FedLimitedDeduct, 1},
             // Not the user's to decide: the sponsor file's stand.
             {S::ShowRRSPAnalysis, 0}, {S::MaxReturnAllowed, 30}})
        saved.values[setting] = value;
    ASSERT_TRUE(SaveUserFile(settings, saved, reporter));
    ASSERT_EQ(reporter.messages, std::vector<std::string>{});

    const Args dataDir = {"--data-dir", folder.path().string()};
    const JsonValue json = jsonIn(fs::temp_directory_path(), dataDir);
    const JsonValue& in = json["inputs"];
    EXPECT_EQ(json["loan_amount"].number, 250000);
    EXPECT_EQ(json["horizon"].number, 15);
    EXPECT_EQ(in["tax_rate"].number, 45);
    EXPECT_EQ(in["interest_rate"].number, 6);
    EXPECT_EQ(numbers(in["returns"]), (std::vector<double>{3, 5, 9, 11}));
    EXPECT_EQ(numbers(in["breakdown"]), (std::vector<double>{40, 30, 20, 10}));
    // The setup dialog's fields show one decimal, and the analysis runs on
    // what they show.
    EXPECT_EQ(in["inclusion_rate"].number, 66.7);
    EXPECT_EQ(numbers(in["interest_tax_rates"]), (std::vector<double>{20.1, 29.7, 43.4, 53.5}));
    EXPECT_EQ(numbers(in["tax_bracket_starts"]), (std::vector<double>{0, 55867, 111733, 173205}));
    EXPECT_TRUE(in["fed_limited"].boolean);
    EXPECT_EQ(json["language"].text, "fr");
    const std::string french = GetCaption(test::SourceCaptions(), "Notes_Disclaimer", French);
    EXPECT_TRUE(contains(json["notes"].text, french)) << json["notes"].text;
    // Limited deductibility gets its own paragraph.
    const std::string limited =
        GetCaption(test::SourceCaptions(), "Notes_LimitedDeductibility", French);
    EXPECT_TRUE(contains(json["notes"].text, limited)) << json["notes"].text;

    Args rrsp = dataDir;
    rrsp.insert(rrsp.end(), {"--strategy", "rrsp", "--language", "en"});
    const JsonValue rrspJson = jsonIn(fs::temp_directory_path(), rrsp);
    EXPECT_EQ(rrspJson["strategy"].text, "rrsp");
    EXPECT_EQ(rrspJson["language"].text, "en");

    Args highReturn = dataDir;
    highReturn.insert(highReturn.end(), {"--returns", "4,6,8,25"});
    const FolderRun refused = runIn(fs::temp_directory_path(), highReturn);
    EXPECT_EQ(refused.status, kExitBadInput);
    EXPECT_TRUE(contains(refused.err, "-99 to 20")) << refused.err;
}

TEST(AnalyzeData, SponsorFileDecidesStrategiesAndLimits)
{
    struct Case {
        test::ConfigEdits changes;
        Args args;
        int status;
        std::string expected;  // in the strategy of the JSON, or the message
    };
    const test::ConfigEdits termOnly = {{"showIntOnlyAnalysis", "0"}, {"showRRSPAnalysis", "0"}};
    const std::vector<Case> cases = {
        {termOnly, {}, kExitOk, "term"},
        {termOnly, {"--strategy", "term"}, kExitOk, "term"},
        {termOnly, {"--strategy", "rrsp"}, kExitBadInput, "--strategy: the rrsp strategy is not offered"},
        {termOnly, {"--strategy", "interest-only"}, kExitBadInput, "not offered"},
        {{{"showTermLoanAnalysis", "0"}}, {"--strategy", "term"}, kExitBadInput, "not offered"},
        {{{"showTermLoanAnalysis", "0"}}, {"--strategy", "rrsp"}, kExitOk, "rrsp"},
        // "True" reads as 0: a file that offers nothing offers everything.
        {{{"showIntOnlyAnalysis", "True"}, {"showTermLoanAnalysis", "True"}, {"showRRSPAnalysis", "True"}},
         {"--strategy", "rrsp"},
         kExitOk,
         "rrsp"},
        {{{"Maximum Return Allowed", "15"}}, {"--returns", "4,6,8,16"}, kExitBadInput, "-99 to 15"},
        {{{"Maximum Return Allowed", "15"}}, {"--returns", "4,6,8,15"}, kExitOk, "interest-only"},
        {{{"Minimum Interest Rate Allowed", "3"}}, {"--interest-rate", "2.5"}, kExitBadInput, "3 to 50"},
    };
    for (const Case& c : cases) {
        std::string trace;
        for (const auto& [key, value] : c.changes)
            trace += value.value_or("(none)") + "=" + key + "; ";
        for (const std::string& a : c.args)
            trace += a + " ";
        SCOPED_TRACE(trace);
        test::TempDataFolder folder;
        folder.writeConfig(c.changes);
        const FolderRun run = runIn(folder.path(), c.args);
        EXPECT_EQ(run.status, c.status) << run.err;
        if (c.status == kExitOk) {
            EXPECT_EQ(run.err, "");
            const auto json = test::ParseJson(run.out);
            ASSERT_TRUE(json) << run.out;
            EXPECT_EQ((*json)["strategy"].text, c.expected);
        } else {
            EXPECT_EQ(run.out, "");
            EXPECT_TRUE(contains(run.err, c.expected)) << run.err;
        }
    }

    // A default past the sponsor's own limit: the nearest legal value, as
    // in the window, said once on standard error.
    {
        test::TempDataFolder folder;
        folder.writeConfig(test::ConfigEdits{{"Maximum Return Allowed", "9"}});
        const FolderRun run = runIn(folder.path());
        EXPECT_EQ(run.status, kExitOk) << run.err;
        EXPECT_TRUE(contains(run.err, "Config.dat, \"Projected Return 4 (%)\": 10 becomes 9.")) << run.err;
        const auto json = test::ParseJson(run.out);
        ASSERT_TRUE(json) << run.out;
        EXPECT_EQ(numbers((*json)["inputs"]["returns"]), (std::vector<double>{4, 6, 8, 9}));
    }

    // --help offers only what the sponsor offers.
    test::TempDataFolder folder;
    folder.writeConfig(termOnly);
    const FolderRun help = runIn(folder.path(), {"--help"});
    EXPECT_EQ(help.status, kExitOk);
    EXPECT_TRUE(contains(help.out, "--strategy NAME             strategies offered: term (default term)\n"))
        << help.out;
}

TEST(AnalyzeData, UnusableDataFilesExitTwoWithNothingOnStandardOutput)
{
    test::TempDataFolder empty;
    // A record whose line was never masked, and one that claims more bytes
    // than a record holds.
    test::TempDataFolder unmasked;
    test::TempDataFolder overlong;
    // Files that are there but of no use.
    test::TempDataFolder emptyConfig;
    test::TempDataFolder sectionsOnly;
    test::TempDataFolder emptyCaptions;
    {
        std::string record = std::string("\x05\x00", 2) + "hello";
        record.resize(255, '\0');
        std::ofstream(unmasked.path() / "Config.dat", std::ios::binary) << record;
        std::ofstream(overlong.path() / "Config.dat", std::ios::binary) << std::string(255, 'x');
        std::ofstream(emptyConfig.path() / "Config.dat", std::ios::binary);
        sectionsOnly.writeConfig(std::vector<std::string>{"[SponsorInfo]", "[InputDefaults]"});
        emptyCaptions.writeConfig(test::ConfigEdits{});
        std::ofstream(emptyCaptions.path() / "english.txt", std::ios::binary | std::ios::trunc);
    }
    struct Case {
        std::string what;
        fs::path programFolder;
        Args args;
        std::vector<std::string> messages;
    };
    const fs::path nowhere = empty.path() / "nowhere";
    const std::vector<Case> cases = {
        {"no Config.dat", empty.path(), {}, {"Error with config.dat file", empty.path().string()}},
        {"no Config.dat, help asked", empty.path(), {"--help"}, {"Error with config.dat file"}},
        {"--data-dir without one", test::ShippedDataFolder(), {"--data-dir", empty.path().string()},
         {"Error with config.dat file", empty.path().string()}},
        {"--data-dir that does not exist", test::ShippedDataFolder(), {"--data-dir=" + nowhere.string()},
         {nowhere.string()}},
        {"--data-dir without a value", test::ShippedDataFolder(), {"--data-dir"}, {"--data-dir: missing value"}},
        {"--data-dir= empty", test::ShippedDataFolder(), {"--data-dir="}, {"--data-dir: missing value"}},
        {"Config.dat never masked", unmasked.path(), {}, {"cannot be used", unmasked.path().string()}},
        // Damaged from its first record: nothing to go on.
        {"Config.dat with a bad record length", overlong.path(), {},
         {"Error with config.dat file: record 1 has an invalid length. Please re-install", "cannot be used"}},
        {"empty Config.dat", emptyConfig.path(), {},
         {"Error with config.dat file: it is empty. Please re-install", "cannot be used"}},
        {"Config.dat of section lines only", sectionsOnly.path(), {},
         {"Error with config.dat file: it holds no settings. Please re-install", "cannot be used"}},
        {"empty english.txt", emptyCaptions.path(), {},
         {"english.txt cannot be used: it is empty. Please re-install", "cannot be used"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const FolderRun run = runIn(c.programFolder, c.args);
        EXPECT_EQ(run.status, kExitBadInput);
        EXPECT_EQ(run.out, "");
        for (const std::string& message : c.messages)
            EXPECT_TRUE(contains(run.err, message)) << run.err;
    }
}

// As in the window: a missing caption file is reported and the run goes on
// with the captions that were loaded.
TEST(AnalyzeData, MissingFrenchCaptionsAreReportedAndEnglishStillWorks)
{
    test::TempDataFolder folder;
    folder.writeConfig(test::ConfigEdits{});
    fs::remove(folder.path() / "french.txt");
    const FolderRun run = runIn(folder.path());
    EXPECT_EQ(run.status, kExitOk);
    EXPECT_TRUE(contains(run.err, "Language data files not found")) << run.err;
    const auto json = test::ParseJson(run.out);
    ASSERT_TRUE(json) << run.out;
    const std::string english = GetCaption(test::SourceCaptions(), "Notes_Disclaimer", English);
    EXPECT_TRUE(contains((*json)["notes"].text, english));
}

} // namespace
} // namespace gw::cli
