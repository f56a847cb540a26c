#include "cli_test_data.h"
#include "error.h"
#include "golden.h"
#include "json_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace gw::cli {
namespace {

using test::Args;
using test::Json;
using test::OutputJson;
using test::RunAnalyze;

std::string joined(const Args& args)
{
    std::string text;
    for (const std::string& a : args)
        text += a + " ";
    return text;
}

// Every class of bad input: status 2, nothing on standard output, one line on
// standard error that names the option and, where there is one, its range.
TEST(AnalyzeCommand, BadInputExitsTwoNamingTheOption)
{
    struct Case {
        Args args;
        std::string option;  // named in the message
        std::string range;   // also in the message
    };
    const std::vector<Case> cases = {
        {{"--bogus", "1"}, "--bogus", ""},
        {{"stray"}, "stray", ""},
        {{"--tax-rate"}, "--tax-rate", "missing value"},
        {{"--tax-rate", "--interest-rate", "5"}, "--tax-rate", "missing value"},
        {{"--tax-rate="}, "--tax-rate", "missing value"},
        {{"--tax-rate", "abc"}, "--tax-rate", "0 to 99"},
        {{"--tax-rate", "40%"}, "--tax-rate", "0 to 99"},
        {{"--tax-rate", "nan"}, "--tax-rate", "0 to 99"},
        {{"--tax-rate", "100"}, "--tax-rate", "0 to 99"},
        {{"--interest-rate", "0.5"}, "--interest-rate", "1 to 50"},
        {{"--savings-period", "0"}, "--savings-period", "1 to 80"},
        {{"--savings-period", "10.7"}, "--savings-period", "whole"},
        {{"--returns", "4,6,8,21"}, "--returns", "-99 to 20"},
        {{"--returns", "4,6,8"}, "--returns", "four values"},
        {{"--returns", "4,6,,10"}, "--returns", "-99 to 20"},
        {{"--breakdown", "70,25,5,1"}, "--breakdown", "total 100"},
        {{"--breakdown", "101,-1,0,0"}, "--breakdown", "0 to 100"},
        {{"--breakdown", "40.5,29.5,20,10"}, "--breakdown", "whole"},
        {{"--times-repeated", "81"}, "--times-repeated", "0 to 80"},
        {{"--strategy", "term", "--savings-period", "20", "--times-repeated", "4"}, "--times-repeated", "at most 80"},
        {{"--strategy", "rrsp", "--savings-period", "41", "--times-repeated", "1"}, "--times-repeated", "at most 80"},
        {{"--loan-amount", "0"}, "--loan-amount", "at least $1"},
        {{"--loan-amount", "0.4"}, "--loan-amount", "at least $1"},
        {{"--annual-investment", "0"}, "--annual-investment", "at least $1"},
        {{"--annual-investment", "5000", "--loan-amount", "1000"}, "--annual-investment", "not both"},
        // No finite loan costs this much a year.
        {{"--annual-investment", "1e307", "--interest-rate", "1"}, "--annual-investment", "no loan amount"},
        {{"--investment-type", "5"}, "--investment-type", "0 to 4"},
        {{"--inclusion-rate", "101"}, "--inclusion-rate", "0 to 100"},
        {{"--federal-ratio", "-1"}, "--federal-ratio", "0 to 100"},
        {{"--fed-deductible", "-1"}, "--fed-deductible", "0 to 100"},
        {{"--prov-deductible", "100.1"}, "--prov-deductible", "0 to 100"},
        {{"--fed-include-cg", "maybe"}, "--fed-include-cg", "yes or no"},
        {{"--prov-include-cg"}, "--prov-include-cg", "missing value"},
        {{"--fed-limited", "maybe"}, "--fed-limited", "yes or no"},
        {{"--interest-tax-rates", "20,30,40,101"}, "--interest-tax-rates", "0 to 100"},
        {{"--dividend-tax-rates", "1,2,3"}, "--dividend-tax-rates", "four values"},
        {{"--strategy", "fixed"}, "--strategy", "interest-only, term or rrsp"},
        {{"--format", "xml"}, "--format", "json or csv"},
        {{"--language", "de"}, "--language", "en or fr"},
        {{"--language", "FR"}, "--language", "en or fr"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(joined(c.args));
        const test::CommandRun run = RunAnalyze(c.args);
        EXPECT_EQ(run.status, kExitBadInput);
        EXPECT_EQ(run.out, "");
        ASSERT_FALSE(run.err.empty());
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
        EXPECT_NE(run.err.find(c.option), std::string::npos) << run.err;
        EXPECT_NE(run.err.find(c.range), std::string::npos) << run.err;
    }
}

TEST(AnalyzeCommand, FailingAnalysisExitsThreeWithNothingOnStandardOutput)
{
    const AnalysisRunner failing = [](const AnalyzeRequest&, const CaptionTables&) -> AnalyzeReport {
        throw AnalysisError("unit price of 0 in year 3");
    };
    // A loan this size overflows a balance within the projection.
    for (const auto& [run, message] :
         {std::pair{RunAnalyze({"--format", "csv"}, test::ShippedData(), failing), "unit price of 0 in year 3"},
          std::pair{RunAnalyze({"--loan-amount", "1e308"}), "not a finite number"}}) {
        EXPECT_EQ(run.status, kExitAnalysisFailed);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
    }
}

// Whole outputs of a few runs: the keys, their order, the rows and the
// numbers as written. Checked by hand when written: the interest-only loan
// (federal deduction limited to the investment income of 8,000 x (25 % x 50 %
// + 5 % x 1.25) = 1,500) costs 7,000 - 16 % x 7,000 - 24 % x 1,500 = 5,520 in
// year 1; the 2-year term loan pays 7,000 / (1 - 1.07^-2) = 55,309.18 a year;
// the RRSP catch-up at 4 % is 100,000 x 1.04^3 = 112,486.40; the break-even
// row has an increase of 0; the CSV holds the JSON's rows.
TEST(AnalyzeCommand, OutputOfChosenRunsMatchesTheGoldenFiles)
{
    const std::vector<std::pair<Args, std::string>> runs = {
        {{"--savings-period", "3", "--language", "fr", "--fed-limited"}, "interest-only"},
        {{"--strategy", "term", "--savings-period", "2", "--times-repeated", "1"}, "term"},
        {{"--strategy", "rrsp", "--savings-period", "3"}, "rrsp"},
    };
    for (const auto& [args, name] : runs) {
        for (const std::string format : {"json", "csv"}) {
            SCOPED_TRACE(name + "." + format);
            Args withFormat = args;
            withFormat.insert(withFormat.end(), {"--format", format});
            const test::CommandRun run = RunAnalyze(withFormat);
            EXPECT_EQ(run.status, kExitOk) << run.err;
            EXPECT_EQ(run.err, "");
            test::ExpectGolden(run.out, "cli/golden/" + name + "." + format);
        }
    }
}

// The help names every option with its range and the shipped default, and the
// folder the defaults were read from.
TEST(AnalyzeCommand, HelpMatchesTheGoldenFile)
{
    const test::CommandRun run = RunAnalyze({"--tax-rate", "500", "--help"});
    EXPECT_EQ(run.status, kExitOk);
    EXPECT_EQ(run.err, "");
    std::string help = run.out;
    const std::string folder = test::ShippedDataFolder().string();
    const size_t at = help.find("  " + folder + "\n");
    ASSERT_NE(at, std::string::npos) << help;
    help.replace(at + 2, folder.size(), "<data folder>");
    test::ExpectGolden(help, "cli/golden/help.txt");
}

TEST(AnalyzeCommand, NotesComeInTheLanguageAskedForEveryStrategy)
{
    const CaptionTables& captions = test::ShippedData().settings.captions;
    for (const std::string strategy : {"interest-only", "term", "rrsp"}) {
        for (const Language language : {English, French}) {
            SCOPED_TRACE(strategy + " " + LanguageName(language));
            const Json json = OutputJson(RunAnalyze({"--strategy", strategy, "--language", LanguageName(language)}));
            EXPECT_EQ(json["language"], LanguageName(language));
            const std::string notes = json["notes"];
            const Language other = language == English ? French : English;
            EXPECT_NE(notes.find(GetCaption(captions, "Notes_Disclaimer", language)), std::string::npos) << notes;
            EXPECT_EQ(notes.find(GetCaption(captions, "Notes_Disclaimer", other)), std::string::npos) << notes;
            EXPECT_EQ(notes.find(kCaptionNotFound), std::string::npos) << notes;
        }
    }
}

TEST(AnalyzeCommand, JsonStringsReadBackAsTheSameText)
{
    for (const std::string text :
         {"", "a \"quote\" and a back\\slash", "- line one\r\n- line two\n", "tab\there, bell\a, unit\x1f, esc\x1b",
          "Cette illustration \u2019\u00e9t\u00e9 : 78\u00a0686\u00a0$", "slash / and delete \x7f"}) {
        SCOPED_TRACE(text);
        const std::string json = JsonString(text);
        for (const char c : json)
            EXPECT_GE(static_cast<unsigned char>(c), 0x20) << json;
        EXPECT_EQ(Json::parse(json), text);
    }
}

// The golden runs show the break-even row; without interest leverage wins
// at any return and there is none.
TEST(AnalyzeCommand, BreakEvenIsNullWhenLeverageWinsAtZero)
{
    cli::AnalyzeData free = test::ShippedData();
    free.defaults.values[Setting::MinInterestRateAllowed] = 0;
    for (const std::string strategy : {"interest-only", "term"}) {
        SCOPED_TRACE(strategy);
        const Json json = OutputJson(RunAnalyze({"--strategy", strategy, "--interest-rate", "0"}, free));
        EXPECT_TRUE(json["break_even_return"].is_null());
        EXPECT_TRUE(json["returns"][1].is_null());  // the missing return sorts first
        ASSERT_EQ(json["summary"].size(), 4u);
        for (const Json& row : json["summary"])
            EXPECT_FALSE(row["break_even"]);
    }
}

TEST(AnalyzeCommand, AnnualInvestmentRoundTripGivesTheLoanBack)
{
    // The annual amount is read in whole dollars: the loan it gives back is
    // within a few dollars of the one it came from.
    for (const auto& [strategy, tolerance] : {std::pair{"interest-only", 0}, {"term", 4}, {"rrsp", 7}}) {
        SCOPED_TRACE(strategy);
        const Json forward = OutputJson(RunAnalyze({"--strategy", strategy, "--loan-amount", "250000"}));
        const double annual = forward["annual_investment"];
        ASSERT_GT(annual, 0);
        const Json back = OutputJson(RunAnalyze({"--strategy", strategy, "--annual-investment", std::to_string(annual)}));
        EXPECT_NEAR(back["loan_amount"].get<double>(), 250000, tolerance);
        EXPECT_EQ(back["annual_investment"], std::round(annual));
    }
}

} // namespace
} // namespace gw::cli
