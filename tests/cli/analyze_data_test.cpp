#include "cli_test_data.h"
#include "settingsfile.h"
#include "userfile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

// `gearwise-cli analyze` reading its defaults from a data folder.
namespace gw::cli {
namespace {

namespace fs = std::filesystem;
using test::Args;
using test::Json;
using test::OutputJson;
using test::RunWithDataFiles;

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::string notesDisclaimer(Language language)
{
    return GetCaption(test::SourceCaptions(), "Notes_Disclaimer", language);
}

// Saved defaults replace the sponsor's; the strategies and limits stay the
// sponsor's whatever the user file says.
TEST(AnalyzeData, UserFileOverridesTheSponsorDefaults)
{
    test::TempDataFolder folder;
    folder.writeConfig();
    test::RecordingReporter reporter;
    ProgramSettings settings;
    settings.folder = folder.path();
    ASSERT_TRUE(LoadStartUpSettings(settings, reporter));
    ReadMainWindowSettings(settings, reporter);
    using S = Setting;
    UserFileValues saved = UserFileValuesFrom(settings);
    saved.CurrentLanguage = French;
    for (const auto& [setting, value] : std::vector<std::pair<Setting, double>>{
             {S::LoanAmount, 250000}, {S::TaxRate, 45}, {S::SavingsPeriod, 15}, {S::ProjectedReturn3, 9},
             {S::DeferredCapitalGains, 40}, {S::CapitalGains, 30}, {S::Dividends, 20}, {S::Interest, 10},
             {S::CapGainsInclusionRate, 66.67}, {S::InterestTaxRate1, 20.05}, {S::InterestTaxRate2, 29.65},
             {S::InterestTaxRate3, 43.41}, {S::InterestTaxRate4, 53.53}, {S::StartOfTaxBracket2, 55867},
             {S::FedLimitedDeduct, 1},
             // Not the user's to decide: the sponsor file's stand.
             {S::ShowRRSPAnalysis, 0}, {S::MaxReturnAllowed, 30}})
        saved.values[setting] = value;
    ASSERT_TRUE(SaveUserFile(settings, saved, reporter));
    ASSERT_EQ(reporter.messages, std::vector<std::string>{});

    const Args dataDir = {"--data-dir", folder.path().string()};
    const Json json = OutputJson(RunWithDataFiles(fs::temp_directory_path(), dataDir));
    const Json& in = json["inputs"];
    EXPECT_EQ(json["loan_amount"], 250000);
    EXPECT_EQ(json["horizon"], 15);
    EXPECT_EQ(in["tax_rate"], 45);
    EXPECT_EQ(in["returns"], Json({4, 6, 9, 10}));
    EXPECT_EQ(in["breakdown"], Json({40, 30, 20, 10}));
    // The setup dialog's fields show one decimal, and the analysis runs on
    // what they show.
    EXPECT_EQ(in["inclusion_rate"], 66.7);
    EXPECT_EQ(in["interest_tax_rates"], Json({20.1, 29.7, 43.4, 53.5}));
    EXPECT_EQ(in["tax_bracket_starts"], Json({0, 55867, 114750, 253414}));
    EXPECT_EQ(in["fed_limited"], true);
    EXPECT_EQ(json["language"], "fr");
    const Json rrsp = OutputJson(RunWithDataFiles(
        fs::temp_directory_path(), {"--data-dir", folder.path().string(), "--strategy", "rrsp", "--language", "en"}));
    EXPECT_EQ(rrsp["strategy"], "rrsp");  // still offered
    EXPECT_EQ(rrsp["language"], "en");

    const test::CommandRun refused =
        RunWithDataFiles(fs::temp_directory_path(), {"--data-dir", folder.path().string(), "--returns", "4,6,8,25"});
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
        {termOnly, {"--strategy", "rrsp"}, kExitBadInput, "--strategy: the rrsp strategy is not offered"},
        {{{"showTermLoanAnalysis", "0"}}, {"--strategy", "term"}, kExitBadInput, "not offered"},
        {{{"showTermLoanAnalysis", "0"}}, {"--strategy", "rrsp"}, kExitOk, "rrsp"},
        // "True" reads as 0: a file that offers nothing offers everything.
        {{{"showIntOnlyAnalysis", "True"}, {"showTermLoanAnalysis", "True"}, {"showRRSPAnalysis", "True"}},
         {"--strategy", "rrsp"}, kExitOk, "rrsp"},
        {{{"Maximum Return Allowed", "15"}}, {"--returns", "4,6,8,16"}, kExitBadInput, "-99 to 15"},
        {{{"Maximum Return Allowed", "15"}}, {"--returns", "4,6,8,15"}, kExitOk, "interest-only"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("case " + std::to_string(&c - cases.data()));
        test::TempDataFolder folder;
        folder.writeConfig(c.changes);
        const test::CommandRun run = RunWithDataFiles(folder.path(), c.args);
        if (c.status == kExitOk) {
            EXPECT_EQ(OutputJson(run)["strategy"], c.expected);
        } else {
            EXPECT_EQ(run.status, c.status);
            EXPECT_EQ(run.out, "");
            EXPECT_TRUE(contains(run.err, c.expected)) << run.err;
        }
    }

    // A default past the sponsor's own limit: the nearest legal value, as
    // in the window, said once on standard error.
    {
        test::TempDataFolder folder;
        folder.writeConfig(test::ConfigEdits{{"Maximum Return Allowed", "9"}, {"Print Name", std::nullopt}});
        const test::CommandRun run = RunWithDataFiles(folder.path());
        EXPECT_EQ(run.status, kExitOk) << run.err;
        EXPECT_TRUE(contains(run.err, "Config.dat, \"Projected Return 4 (%)\": 10 becomes 9.")) << run.err;
        // Line breaks become single blanks.
        EXPECT_TRUE(contains(run.err, "analyze: Print Name not found in the config file. Please re-install the "
                                      "software. If problems persist, contact technical support\n"))
            << run.err;
        EXPECT_EQ(Json::parse(run.out)["inputs"]["returns"], Json({4, 6, 8, 9}));
    }

    // --help offers only what the sponsor offers.
    test::TempDataFolder folder;
    folder.writeConfig(termOnly);
    const test::CommandRun help = RunWithDataFiles(folder.path(), {"--help"});
    EXPECT_EQ(help.status, kExitOk);
    EXPECT_TRUE(contains(help.out, "--strategy NAME             strategies offered: term (default term)\n"))
        << help.out;
}

// What the data files can be is the loader's to say (the settings tests);
// here: status 2, nothing on standard output, and the folder named.
TEST(AnalyzeData, UnusableDataFilesExitTwoWithNothingOnStandardOutput)
{
    test::TempDataFolder empty;
    test::TempDataFolder emptyConfig;
    test::TempDataFolder emptyCaptions;
    std::ofstream(emptyConfig.path() / "Config.dat");
    emptyCaptions.writeConfig();
    std::ofstream(emptyCaptions.path() / "english.txt", std::ios::trunc);
    const fs::path nowhere = empty.path() / "nowhere";
    const std::string config = "Error with config.dat file";
    const struct {
        std::string what;
        fs::path programFolder;
        Args args;
        std::vector<std::string> messages;
    } cases[] = {
        {"no Config.dat", empty.path(), {}, {config + ": there is no Config.dat in '" + empty.path().string() + "'"}},
        {"no Config.dat, help asked", empty.path(), {"--help"}, {config}},
        {"--data-dir without one", test::ShippedDataFolder(), {"--data-dir", empty.path().string()},
         {config, empty.path().string()}},
        {"--data-dir that does not exist", test::ShippedDataFolder(), {"--data-dir=" + nowhere.string()},
         {nowhere.string()}},
        {"--data-dir without a value", test::ShippedDataFolder(), {"--data-dir"}, {"--data-dir: missing value"}},
        {"--data-dir= empty", test::ShippedDataFolder(), {"--data-dir="}, {"--data-dir: missing value"}},
        {"empty Config.dat", emptyConfig.path(), {},
         {config + ": it is empty. Please re-install", "the data files in '" + emptyConfig.path().string() + "' cannot be used"}},
        {"empty english.txt", emptyCaptions.path(), {}, {"english.txt cannot be used: it is empty", "cannot be used"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const test::CommandRun run = RunWithDataFiles(c.programFolder, c.args);
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
    folder.writeConfig();
    fs::remove(folder.path() / "french.txt");
    const test::CommandRun run = RunWithDataFiles(folder.path());
    EXPECT_EQ(run.status, kExitOk);
    EXPECT_TRUE(contains(run.err, "Language data files not found")) << run.err;
    EXPECT_TRUE(contains(Json::parse(run.out)["notes"].get<std::string>(), notesDisclaimer(English)));
}

} // namespace
} // namespace gw::cli
