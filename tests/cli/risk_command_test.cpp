#include "casefile.h"
#include "cli_test_data.h"
#include "error.h"
#include "golden.h"
#include "numformat.h"
#include "risk_driver.h"

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

test::CommandRun runRisk(const Args& args, const RiskRunner& runner = RunRequestedRisk)
{
    std::ostringstream out, err;
    const int status = RunRiskCommand(args, test::ShippedData(), out, err, runner);
    return {status, out.str(), err.str()};
}

Args with(Args args, const Args& more)
{
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

// As the analyze command's golden file: a command line, " => ", the status
// and what standard error says; the ends of each range are accepted.
TEST(RiskCommand, CommandLinesOfTheGoldenFileGiveTheirStatusAndMessage)
{
    const std::string actual = test::RunGoldenCommandLines(test::kSourceDir / "tests/cli/golden/risk-args.txt",
                                                           [](const Args& args) { return runRisk(args); });
    test::ExpectGolden(actual, "cli/golden/risk-args.txt");
}

TEST(RiskCommand, FailingSimulationExitsThreeWithNothingOnStandardOutput)
{
    const RiskRunner failing = [](const RiskRequest&, const CaptionTables&) -> RiskReport {
        throw AnalysisError("unit price of 0 in year 3");
    };
    const test::CommandRun run = runRisk({"--paths", "100"}, failing);
    EXPECT_EQ(run.status, kExitAnalysisFailed);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "gearwise-cli risk: the simulation failed: unit price of 0 in year 3\n");
}

// The options reach the simulation: the shipped defaults, the values given,
// a mix given without a volatility taking the mix's own, and a case's.
TEST(RiskCommand, OptionsAndTheirDefaults)
{
    const AnalyzeDefaults& d = test::ShippedData().defaults;
    const auto request = [&d](const Args& args) {
        const ParsedRisk parsed = ParseRiskOptions(args, d);
        EXPECT_TRUE(std::holds_alternative<RiskRequest>(parsed));
        return std::holds_alternative<RiskRequest>(parsed) ? std::get<RiskRequest>(parsed) : RiskRequest{};
    };
    const OutcomeOptions shipped = request({}).options;
    EXPECT_EQ(shipped, (OutcomeOptions{16, 10000, 20261206, 0}));
    EXPECT_EQ(request({"--volatility", "12.5", "--paths=500", "--seed", "7", "--threads", "2"}).options,
              (OutcomeOptions{12.5, 500, 7, 2}));
    // One decimal, as the field shows it.
    EXPECT_EQ(request({"--volatility", "12.34"}).options.volatility, 12.3);

    const std::array<double, 4> interest{0, 0, 0, 100};
    EXPECT_EQ(request({"--breakdown", "0,0,0,100"}).options.volatility, DefaultVolatility(interest));
    EXPECT_EQ(request({"--breakdown", "0,0,0,100", "--volatility", "30"}).options.volatility, 30);
    EXPECT_EQ(request({"--volatility", "30", "--breakdown", "0,0,0,100"}).options.volatility, 30);

    // A saved case keeps the three, and an option after it changes them.
    test::TempFolder folder;
    const std::string file = (folder / "client.gwcase").string();
    ASSERT_EQ(runRisk({"--volatility", "22", "--paths", "100", "--seed", "99", "--save-case", file}).status, kExitOk);
    EXPECT_EQ(request({"--case", file}).options, (OutcomeOptions{22, 100, 99, 0}));
    EXPECT_EQ(request({"--case", file, "--seed", "5"}).options, (OutcomeOptions{22, 100, 5, 0}));
    EXPECT_EQ(request({"--volatility", "40", "--case", file}).options.volatility, 22);
    // Saved by analyze, a case keeps the values it was read with.
    const std::string again = (folder / "again.gwcase").string();
    ASSERT_EQ(test::RunAnalyze({"--case", file, "--save-case", again}).status, kExitOk);
    EXPECT_EQ(request({"--case", again}).options, (OutcomeOptions{22, 100, 99, 0}));
}

// At volatility 0 every path is the projection: each percentile of each
// year is the analyze command's projection figure for that year.
TEST(RiskCommand, VolatilityZeroGivesTheProjection)
{
    struct Column {
        const char* series;
        const char* projection;  // the projection's column; empty: the difference
    };
    const std::vector<std::pair<Args, std::vector<Column>>> runs = {
        {{"--strategy", "interest-only", "--savings-period", "5"},
         {{"leveraged", "net_balance_payoff"}, {"unleveraged", "unleveraged_balance"}}},
        {{"--strategy", "term", "--savings-period", "4", "--times-repeated", "1"},
         {{"leveraged", "net_balance_payoff"}, {"unleveraged", "unleveraged_balance"}}},
        {{"--strategy", "rrsp", "--savings-period", "6"},
         {{"catch_up", "catch_up_balance"}, {"spend_refund", "spend_balance"},
          {"reinvest_refund", "reinvest_balance"}, {"gross_up", "gross_up_balance"}}},
    };
    for (const auto& [args, columns] : runs) {
        SCOPED_TRACE(args[1]);
        const Json risk = OutputJson(runRisk(with(args, {"--volatility", "0", "--paths", "100"})));
        const Json analysis = OutputJson(test::RunAnalyze(args));
        const Json& years = analysis["projection"]["years"];
        ASSERT_EQ(risk["horizon"], analysis["horizon"]);
        ASSERT_EQ(risk["series"]["difference"].size(), years.size());
        const auto near = [](const Json& value, double expected) {
            EXPECT_NEAR(value.get<double>(), expected, 1e-9 * std::max(1.0, std::fabs(expected)));
        };
        for (std::size_t y = 0; y < years.size(); ++y) {
            for (const Column& c : columns) {
                for (const char* p : {"p10", "p25", "p50", "p75", "p90"})
                    near(risk["series"][c.series][y][p], years[y][c.projection].get<double>());
            }
            // The difference: the first value against the last (unleveraged or gross-up).
            const double difference = years[y][columns.front().projection].get<double>() -
                                      years[y][columns.back().projection].get<double>();
            near(risk["series"]["difference"][y]["p50"], difference);
        }
        for (const char* p : {"p10", "p50", "p90"})
            near(risk["difference_at_horizon"][p], risk["series"]["difference"].back()["p50"].get<double>());
        EXPECT_TRUE(risk["probability_behind"] == 0 || risk["probability_behind"] == 1);
    }
}

// The same seed gives the same output whatever the thread count, another
// seed other figures; percentiles never decrease, shares are fractions and
// the sentences are those of the language asked for; the CSV holds the
// JSON's figures.
TEST(RiskCommand, SeedThreadsInvariantsAndCsv)
{
    const Args args = {"--savings-period", "8", "--paths", "300", "--volatility", "20"};
    const test::CommandRun one = runRisk(with(args, {"--threads", "1"}));
    const test::CommandRun two = runRisk(with(args, {"--threads", "2"}));
    EXPECT_EQ(one.out, two.out);
    EXPECT_NE(runRisk(with(args, {"--seed", "12345"})).out, one.out);

    const Json json = OutputJson(one);
    EXPECT_EQ(json["options"], (Json{{"volatility", 20}, {"paths", 300}, {"seed", 20261206}}));
    EXPECT_EQ(json["horizon"], 8);
    for (const char* share : {"probability_behind", "probability_underwater"}) {
        EXPECT_GE(json[share].get<double>(), 0);
        EXPECT_LE(json[share].get<double>(), 1);
    }
    std::vector<std::string> keys;
    for (const auto& item : json["series"].items()) {
        keys.push_back(item.key());
        ASSERT_EQ(item.value().size(), 8u);
        for (const Json& year : item.value()) {
            EXPECT_LE(year["p10"], year["p25"]);
            EXPECT_LE(year["p25"], year["p50"]);
            EXPECT_LE(year["p50"], year["p75"]);
            EXPECT_LE(year["p75"], year["p90"]);
        }
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"leveraged", "unleveraged", "difference"}));
    EXPECT_EQ(json["difference_at_horizon"]["p50"], json["series"]["difference"].back()["p50"]);
    ASSERT_EQ(json["sentences"].size(), 3u);
    EXPECT_TRUE(json["sentences"][0].get<std::string>().starts_with("After 8\u00A0years,"));
    const Json french = OutputJson(runRisk(with(args, {"--language", "fr"})));
    EXPECT_TRUE(french["sentences"][0].get<std::string>().starts_with("Après 8\u00A0ans,"));
    EXPECT_EQ(french["series"], json["series"]);

    const test::CommandRun csv = runRisk(with(args, {"--format", "csv"}));
    ASSERT_EQ(csv.status, kExitOk) << csv.err;
    std::vector<std::string> lines;
    std::istringstream in(csv.out);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 1 + 8 + 1 + 2u);
    EXPECT_TRUE(lines[0].starts_with("year,leveraged_p10,leveraged_p25,")) << lines[0];
    EXPECT_TRUE(lines[0].ends_with(",difference_p75,difference_p90")) << lines[0];
    EXPECT_EQ(lines[9], "");
    EXPECT_EQ(lines[10], "horizon,paths,seed,volatility,mean_return,probability_behind,probability_underwater,"
                         "difference_p10,difference_p25,difference_p50,difference_p75,difference_p90");
    EXPECT_TRUE(lines[11].starts_with("8,300,20261206,0.2,")) << lines[11];
    const std::string lastYear = lines[8];
    EXPECT_TRUE(lastYear.starts_with("8," + ShortestDecimal(json["series"]["leveraged"][7]["p10"].get<double>()) + ","))
        << lastYear;
}

// One small run whole: the keys, their order and the figures as written;
// the simulation is deterministic by design.
TEST(RiskCommand, OutputMatchesTheGoldenFile)
{
    const test::CommandRun run = runRisk({"--strategy", "term", "--savings-period", "3", "--paths", "200"});
    EXPECT_EQ(run.status, kExitOk) << run.err;
    test::ExpectGolden(run.out, "cli/golden/risk.json");
}

TEST(RiskCommand, HelpMatchesTheGoldenFile)
{
    const test::CommandRun run = runRisk({"--paths", "5", "--help"});
    EXPECT_EQ(run.status, kExitOk);
    EXPECT_EQ(run.err, "");
    std::string help = run.out;
    const std::string folder = test::ShippedDataFolder().string();
    const size_t at = help.find("  " + folder + "\n");
    ASSERT_NE(at, std::string::npos) << help;
    help.replace(at + 2, folder.size(), "<data folder>");
    test::ExpectGolden(help, "cli/golden/risk-help.txt");
}

} // namespace
} // namespace gw::cli
