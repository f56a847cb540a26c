#include "analyze_driver.h"
#include "cli_test_data.h"
#include "error.h"
#include "json_scan.h"
#include "json_writer.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

namespace gw::cli {
namespace {

using Args = std::vector<std::string>;
using test::JsonValue;
using test::ParseJson;

struct CommandRun {
    int status = -1;
    std::string out;
    std::string err;
};

CommandRun runCommand(const Args& args, const AnalysisRunner& runner = RunRequestedAnalysis,
                      const AnalyzeData& data = test::ShippedData())
{
    std::ostringstream out;
    std::ostringstream err;
    CommandRun run;
    run.status = RunAnalyzeCommand(args, data, out, err, runner);
    run.out = out.str();
    run.err = err.str();
    return run;
}

std::string joined(const Args& args)
{
    std::string text;
    for (const std::string& a : args)
        text += a + " ";
    return text;
}

JsonValue runJson(const Args& args, const AnalyzeData& data = test::ShippedData())
{
    const CommandRun run = runCommand(args, RunRequestedAnalysis, data);
    EXPECT_EQ(run.status, kExitOk) << run.err;
    const auto json = ParseJson(run.out);
    EXPECT_TRUE(json) << "not JSON:\n" << run.out;
    return json ? *json : JsonValue{};
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
        {{"--tax-rate", "-5"}, "--tax-rate", "0 to 99"},
        {{"--interest-rate", "0.5"}, "--interest-rate", "1 to 50"},
        {{"--interest-rate", "51"}, "--interest-rate", "1 to 50"},
        {{"--savings-period", "0"}, "--savings-period", "1 to 80"},
        {{"--savings-period", "81"}, "--savings-period", "1 to 80"},
        {{"--savings-period", "10.7"}, "--savings-period", "whole"},
        {{"--returns", "4,6,8,21"}, "--returns", "-99 to 20"},
        {{"--returns", "-100,6,8,10"}, "--returns", "-99 to 20"},
        {{"--returns", "4,6,8"}, "--returns", "four values"},
        {{"--returns", "4,6,,10"}, "--returns", "-99 to 20"},
        {{"--breakdown", "70,25,5,1"}, "--breakdown", "total 100"},
        {{"--breakdown", "101,-1,0,0"}, "--breakdown", "0 to 100"},
        {{"--breakdown", "40.5,29.5,20,10"}, "--breakdown", "whole"},
        {{"--times-repeated", "81"}, "--times-repeated", "0 to 80"},
        {{"--times-repeated", "1.5"}, "--times-repeated", "whole"},
        {{"--strategy", "term", "--savings-period", "20", "--times-repeated", "4"}, "--times-repeated", "at most 80"},
        {{"--strategy", "rrsp", "--savings-period", "41", "--times-repeated", "1"}, "--times-repeated", "at most 80"},
        {{"--loan-amount", "0"}, "--loan-amount", "at least $1"},
        {{"--loan-amount", "-100000"}, "--loan-amount", "at least $1"},
        {{"--loan-amount", "0.4"}, "--loan-amount", "at least $1"},
        {{"--loan-amount", "100,000"}, "--loan-amount", "at least $1"},
        {{"--annual-investment", "0"}, "--annual-investment", "at least $1"},
        {{"--annual-investment", "5000", "--loan-amount", "1000"}, "--annual-investment", "not both"},
        // No finite loan costs this much a year.
        {{"--annual-investment", "1e307", "--interest-rate", "1"}, "--annual-investment", "no loan amount"},
        {{"--investment-type", "5"}, "--investment-type", "0 to 4"},
        {{"--investment-type", "1.5"}, "--investment-type", "whole"},
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
        const CommandRun run = runCommand(c.args);
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
    const CommandRun run = runCommand({"--format", "csv"}, failing);
    EXPECT_EQ(run.status, kExitAnalysisFailed);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("unit price of 0 in year 3"), std::string::npos) << run.err;

    // A loan this size overflows a balance within the projection.
    const CommandRun overflow = runCommand({"--loan-amount", "1e308"});
    EXPECT_EQ(overflow.status, kExitAnalysisFailed);
    EXPECT_EQ(overflow.out, "");
    EXPECT_NE(overflow.err.find("not a finite number"), std::string::npos) << overflow.err;
}

TEST(AnalyzeCommand, JsonHasExactlyTheDocumentedKeys)
{
    using Keys = std::vector<std::string>;
    const Keys top = {"strategy", "horizon", "loan_amount", "annual_investment", "break_even_return", "returns",
                      "summary", "projection", "remaining_deductions", "rrsp_at_loan_rate", "inputs",
                      "language", "notes"};
    const Keys leverageRow = {"return", "unleveraged", "leveraged", "increase", "percent_increase", "break_even"};
    const Keys rrspRow = {"return", "catch_up", "spend_refund", "reinvest_refund", "gross_up", "spend_percent",
                          "reinvest_percent", "gross_up_percent"};
    struct Case {
        std::string strategy;
        Keys summaryRow;
        Keys year;
        size_t summaryRows;
    };
    const std::vector<Case> cases = {
        {"interest-only", leverageRow,
         {"year", "unleveraged_balance", "unleveraged_distributions", "unleveraged_acb", "leveraged_balance",
          "leveraged_distributions", "leveraged_acb", "after_tax_cost", "fed_deduction", "prov_deduction",
          "fed_undeducted", "prov_undeducted", "net_balance_payoff", "acb_after", "increase", "percent_increase"},
         5},
        {"term", leverageRow,
         {"year", "after_tax_cashflow", "unleveraged_balance", "unleveraged_distributions", "unleveraged_acb",
          "net_balance_payoff", "loan_balance", "interest", "principal", "leveraged_balance",
          "leveraged_distributions", "leveraged_acb", "fed_deduction", "prov_deduction", "fed_undeducted",
          "prov_undeducted", "acb_after", "increase", "percent_increase"},
         5},
        {"rrsp", rrspRow,
         {"year", "catch_up_contribution", "catch_up_balance", "spend_contribution", "spend_balance", "spend_percent",
          "reinvest_contribution", "reinvest_balance", "reinvest_percent", "gross_up_contribution",
          "gross_up_balance", "gross_up_percent"},
         4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.strategy);
        const JsonValue json = runJson({"--strategy", c.strategy, "--savings-period", "6", "--times-repeated", "1"});
        EXPECT_EQ(json.keys(), top);
        EXPECT_EQ(json["strategy"].text, c.strategy);
        const int horizon = c.strategy == "interest-only" ? 6 : 12;
        EXPECT_EQ(json["horizon"].number, horizon);
        EXPECT_EQ(json["loan_amount"].number, 100000);
        EXPECT_EQ(json["annual_investment"].kind, JsonValue::Kind::Number);
        EXPECT_EQ(json["returns"].items.size(), 6u);

        const JsonValue& summary = json["summary"];
        ASSERT_EQ(summary.items.size(), c.summaryRows);
        for (const JsonValue& row : summary.items)
            EXPECT_EQ(row.keys(), c.summaryRow);

        const JsonValue& projection = json["projection"];
        EXPECT_EQ(projection.keys(), (Keys{"return", "years"}));
        EXPECT_EQ(projection["return"].number, 0.08);
        ASSERT_EQ(projection["years"].items.size(), static_cast<size_t>(horizon));
        for (size_t y = 0; y < projection["years"].items.size(); ++y) {
            const JsonValue& year = projection["years"].items[y];
            EXPECT_EQ(year.keys(), c.year);
            EXPECT_EQ(year["year"].number, static_cast<double>(y + 1));
        }

        if (c.strategy == "rrsp") {
            EXPECT_TRUE(json["break_even_return"].isNull());
            EXPECT_TRUE(json["remaining_deductions"].isNull());
            EXPECT_EQ(json["rrsp_at_loan_rate"].keys(),
                      (Keys{"catch_up", "spend_refund", "reinvest_refund", "gross_up"}));
            // The filler of the sixth slot is not a return.
            EXPECT_TRUE(json["returns"].items[5].isNull());
        } else {
            EXPECT_EQ(json["remaining_deductions"].keys(), (Keys{"federal", "provincial"}));
            EXPECT_TRUE(json["rrsp_at_loan_rate"].isNull());
        }
    }
}

TEST(AnalyzeCommand, NotesComeInTheLanguageAskedForEveryStrategy)
{
    const CaptionTables& captions = test::ShippedData().settings.captions;
    for (const std::string strategy : {"interest-only", "term", "rrsp"}) {
        for (const Language language : {English, French}) {
            SCOPED_TRACE(strategy + " " + LanguageName(language));
            const JsonValue json = runJson({"--strategy", strategy, "--language", LanguageName(language)});
            EXPECT_EQ(json["language"].text, LanguageName(language));
            const std::string& notes = json["notes"].text;
            EXPECT_NE(notes.find(GetCaption(captions, "Notes_Disclaimer", language)), std::string::npos) << notes;
            EXPECT_EQ(notes.find(GetCaption(captions, "Notes_Disclaimer", language == English ? French : English)), std::string::npos) << notes;
            EXPECT_EQ(notes.find(kCaptionNotFound), std::string::npos) << notes;
        }
    }
}

TEST(AnalyzeCommand, JsonStringsReadBackAsTheSameText)
{
    const std::vector<std::string> texts = {
        "",
        "plain",
        "a \"quote\" and a back\\slash",
        "- line one\r\n- line two\n",
        "tab\there, bell\a, unit separator\x1f, escape\x1b",
        "Cette illustration \u2019\u00e9t\u00e9 : 78\u00a0686\u00a0$",
        "slash / and delete \x7f",
    };
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        const std::string json = JsonString(text);
        for (const char c : json)
            EXPECT_GE(static_cast<unsigned char>(c), 0x20) << json;
        const auto back = ParseJson(json);
        ASSERT_TRUE(back) << json;
        EXPECT_EQ(back->text, text);
    }
    // Escapes a writer may use that this one does not.
    EXPECT_EQ(ParseJson(R"("\u00e9\ud83d\ude00\/\b\f")")->text, "\u00e9\U0001F600/\b\f");
    for (const std::string bad : {R"("\x")", "\"\x01\"", R"("\ud83d")", R"("\ude00")", "\"\xff\"", "\"\xc3\"",
                                  "\"\xe0\x80\x80\"", R"("\u12")", "\"open"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(ParseJson(bad));
    }
}

TEST(AnalyzeCommand, BreakEvenRowIsTheBreakEvenReturn)
{
    for (const std::string strategy : {"interest-only", "term"}) {
        SCOPED_TRACE(strategy);
        const JsonValue json = runJson({"--strategy", strategy});
        const double breakEven = json["break_even_return"].number;
        ASSERT_EQ(json["break_even_return"].kind, JsonValue::Kind::Number);
        int flagged = 0;
        double previous = -INFINITY;
        for (const JsonValue& row : json["summary"].items) {
            EXPECT_GE(row["return"].number, previous);  // ascending
            previous = row["return"].number;
            if (!row["break_even"].boolean)
                continue;
            ++flagged;
            EXPECT_EQ(row["return"].number, breakEven);  // exact: 17 digits round-trip
            EXPECT_EQ(row["increase"].number, 0);
        }
        EXPECT_EQ(flagged, 1);
    }
}

TEST(AnalyzeCommand, BreakEvenIsNullWhenLeverageWinsAtZero)
{
    // A loan without interest pays for itself, where the sponsor allows one.
    AnalyzeData data = test::ShippedData();
    data.defaults.values[Setting::MinInterestRateAllowed] = 0;
    for (const std::string strategy : {"interest-only", "term"}) {
        SCOPED_TRACE(strategy);
        const JsonValue json = runJson({"--strategy", strategy, "--interest-rate", "0"}, data);
        EXPECT_TRUE(json["break_even_return"].isNull());
        EXPECT_TRUE(json["returns"].items[1].isNull());  // NoReturn sorts first
        ASSERT_EQ(json["summary"].items.size(), 4u);
        for (const JsonValue& row : json["summary"].items) {
            EXPECT_FALSE(row["break_even"].boolean);
            EXPECT_EQ(row["return"].kind, JsonValue::Kind::Number);
        }
    }
}

TEST(AnalyzeCommand, AnnualInvestmentRoundTripGivesTheLoanBack)
{
    struct Case {
        std::string strategy;
        double tolerance;  // the annual amount is read in whole dollars
    };
    for (const Case& c : {Case{"interest-only", 0}, Case{"term", 4}, Case{"rrsp", 7}}) {
        SCOPED_TRACE(c.strategy);
        const JsonValue forward = runJson({"--strategy", c.strategy, "--loan-amount", "250000"});
        const double annual = forward["annual_investment"].number;
        ASSERT_GT(annual, 0);
        const JsonValue back = runJson({"--strategy", c.strategy, "--annual-investment", std::to_string(annual)});
        EXPECT_NEAR(back["loan_amount"].number, 250000, c.tolerance);
        EXPECT_EQ(back["annual_investment"].number, std::round(annual));
    }
}

std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> splitCells(const std::string& line)
{
    std::vector<std::string> cells;
    std::istringstream in(line);
    for (std::string cell; std::getline(in, cell, ',');)
        cells.push_back(cell);
    return cells;
}

bool isPlainNumber(const std::string& cell)
{
    double value = 0;
    const auto [end, ec] = std::from_chars(cell.data(), cell.data() + cell.size(), value);
    return ec == std::errc() && end == cell.data() + cell.size() && std::isfinite(value);
}

TEST(AnalyzeCommand, CsvHasBothTablesWithHeadersAndOneRowPerYear)
{
    struct Case {
        Args args;
        size_t summaryRows;
        size_t years;
        std::string summaryHeader;
        std::string yearHeaderStart;
    };
    const std::vector<Case> cases = {
        {{"--savings-period", "12"}, 5, 12, "return,unleveraged,leveraged,increase,percent_increase,break_even",
         "year,unleveraged_balance,"},
        {{"--strategy", "term", "--times-repeated", "1"}, 5, 20,
         "return,unleveraged,leveraged,increase,percent_increase,break_even", "year,after_tax_cashflow,"},
        {{"--strategy", "rrsp", "--savings-period", "7"}, 4, 7,
         "return,catch_up,spend_refund,reinvest_refund,gross_up,spend_percent,reinvest_percent,gross_up_percent",
         "year,catch_up_contribution,"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(joined(c.args));
        Args args = c.args;
        args.insert(args.end(), {"--format", "csv"});
        const CommandRun run = runCommand(args);
        ASSERT_EQ(run.status, kExitOk) << run.err;
        const std::vector<std::string> lines = splitLines(run.out);
        ASSERT_EQ(lines.size(), 1 + c.summaryRows + 1 + 1 + c.years);
        EXPECT_EQ(lines[0], c.summaryHeader);
        EXPECT_EQ(lines[1 + c.summaryRows], "");
        const size_t yearHeader = 2 + c.summaryRows;
        EXPECT_EQ(lines[yearHeader].rfind(c.yearHeaderStart, 0), 0u) << lines[yearHeader];

        const size_t summaryColumns = splitCells(lines[0]).size();
        const size_t yearColumns = splitCells(lines[yearHeader]).size();
        for (size_t i = 1; i < lines.size(); ++i) {
            if (i == 1 + c.summaryRows || i == yearHeader)
                continue;
            const std::vector<std::string> cells = splitCells(lines[i]);
            ASSERT_EQ(cells.size(), i < yearHeader ? summaryColumns : yearColumns) << lines[i];
            for (const std::string& cell : cells)
                EXPECT_TRUE(isPlainNumber(cell) || cell == "true" || cell == "false") << cell;
        }
        EXPECT_EQ(splitCells(lines.back())[0], std::to_string(c.years));
    }
}

TEST(AnalyzeCommand, HelpNamesEveryOptionWithItsRange)
{
    const CommandRun run = runCommand({"--help"});
    EXPECT_EQ(run.status, kExitOk);
    EXPECT_EQ(run.err, "");
    for (const char* option :
         {"--strategy", "--loan-amount", "--annual-investment", "--tax-rate", "--interest-rate", "--savings-period",
          "--returns", "--times-repeated", "--breakdown", "--investment-type", "--other-unleveraged",
          "--inclusion-rate", "--federal-ratio", "--fed-limited", "--prov-limited", "--fed-deductible",
          "--prov-deductible", "--fed-include-cg", "--prov-include-cg", "--interest-tax-rates",
          "--dividend-tax-rates", "--language", "--format", "--data-dir"}) {
        EXPECT_NE(run.out.find(std::string(option) + " "), std::string::npos) << option;
    }
    // The shipped sponsor limits and defaults, and where they were read.
    EXPECT_NE(run.out.find("-99 to 20"), std::string::npos);
    EXPECT_NE(run.out.find("1 to 50"), std::string::npos);
    EXPECT_NE(run.out.find("(default 70,25,5,0)"), std::string::npos);
    EXPECT_NE(run.out.find("20.1,29.7,43.4,53.5)"), std::string::npos);
    EXPECT_NE(run.out.find(test::ShippedDataFolder().string()), std::string::npos);
}

} // namespace
} // namespace gw::cli
