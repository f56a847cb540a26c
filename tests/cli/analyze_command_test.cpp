#include "cli_test_data.h"
#include "error.h"
#include "golden.h"
#include "json_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

namespace gw::cli {
namespace {

using test::Args;
using test::Json;
using test::OutputJson;
using test::RunAnalyze;

// Each line of the golden file is a command line, " => ", then the status
// and what standard error says: a bad input gets status 2 and one line that
// names the option and its range; the ends of every range are accepted.
// Regenerating the file runs the command lines it holds.
TEST(AnalyzeCommand, CommandLinesOfTheGoldenFileGiveTheirStatusAndMessage)
{
    const std::string actual = test::RunGoldenCommandLines(test::kSourceDir / "tests/cli/golden/analyze-args.txt",
                                                           [](const Args& args) { return RunAnalyze(args); });
    test::ExpectGolden(actual, "cli/golden/analyze-args.txt");
}

TEST(AnalyzeCommand, FailingAnalysisExitsThreeWithNothingOnStandardOutput)
{
    const AnalysisRunner failing = [](const AnalyzeRequest&, const CaptionTables&) -> AnalyzeReport {
        throw AnalysisError("unit price of 0 in year 3");
    };
    const test::CommandRun run = RunAnalyze({"--format", "csv"}, test::ShippedData(), failing);
    EXPECT_EQ(run.status, kExitAnalysisFailed);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "gearwise-cli analyze: the analysis failed: unit price of 0 in year 3\n");
}

// Whole outputs of a few runs: the keys, their order, the rows and the
// numbers as written. Checked by hand when written: the interest-only loan
// (federal deduction limited to the investment income of 8,000 x (25 % x 50 %
// + 5 % x 1.25) = 1,500) costs 7,000 - 16 % x 7,000 - 24 % x 1,500 = 5,520 in
// year 1; the 2-year term loan pays 7,000 / (1 - 1.07^-2) = 55,309.18 a year,
// less 16 % x 7,000 + 24 % x 50 % x 7,000 = 1,960 of tax in year 1;
// the RRSP catch-up at 4 % is 100,000 x 1.04^3 = 112,486.40; the break-even
// row has an increase of 0; the CSV holds the JSON's rows.
TEST(AnalyzeCommand, OutputOfChosenRunsMatchesTheGoldenFiles)
{
    const std::vector<std::pair<Args, std::string>> runs = {
        {{"--savings-period", "3", "--language", "fr", "--fed-limited"}, "interest-only"},
        {{"--strategy", "term", "--savings-period", "2", "--times-repeated", "1", "--fed-deductible", "50",
          "--prov-include-cg", "no"},
         "term"},
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
