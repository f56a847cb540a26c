#include "notes.h"

#include "numformat.h"
#include "sample_inputs.h"

#include "data_sources.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

namespace gw {
namespace {

// Captions whose texts show each placeholder's place and value plainly.
const std::vector<std::string> kMarkedCaptions{
    "Notes_IntOnly_Term_Line1=BE <1>",
    "Notes_IntOnly_Term_NoBreakEven=NOBE",
    "Notes_IntOnly_Term_Line2=N <1>",
    "Notes_IntOnly_Term_Line3=<1>|<2>|<3>|<4>|<5>|<6>",
    "Notes_Increases=UP",
    "Notes_decreases=DOWN",
    "Notes_more=MORE",
    "Notes_less=LESS",
    "Notes_Increase=INC",
    "Notes_decrease=DEC",
    "Notes_LimitedDeductibility=LIMITED",
    "Notes_RRSP_Line1=RRSP",
    "Notes_RRSP_Line2=<1>|<2>|<3>|<4>|<5> <6>|<7> <8>|<9> <10>|<11> <12>",
    "Notes_Disclaimer=DISC",
};

const CaptionTables& markedCaptions()
{
    static const CaptionTables tables{kMarkedCaptions, kMarkedCaptions};
    return tables;
}

struct Analysed {
    AnalysisResults results;
};

Analysed analyse(Strategy strategy, const AnalysisInputs& in)
{
    Analysed run;
    auto state = std::make_unique<AnalysisState>();
    AnalysisOutcome outcome = RunAnalysis(strategy, in, *state);
    EXPECT_TRUE(outcome.ok()) << outcome.error;
    if (outcome.ok())
        run.results = std::move(*outcome.results);
    return run;
}

double breakEvenOf(const AnalysisResults& results)
{
    return std::visit(
        [](const auto& r) {
            if constexpr (std::is_same_v<std::decay_t<decltype(r)>, RRSPResults>)
                return NoReturn;
            else
                return r.break_even_return;
        },
        results);
}

std::vector<std::string> paragraphs(const std::string& text)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        out.push_back(text.substr(start, end - start));
    out.push_back(text.substr(start));
    return out;
}

TEST(Notes, leverageLinesCarryTheDirectionAndTheMagnitude)
{
    struct Case {
        const char* name;
        Strategy strategy;
        double projectionReturn;
        double interestRate;
        const char* direction;
        const char* rates;  // projection return, then loan rate with one or two decimals
    };
    const Case cases[] = {
        {"interest-only behind", Strategy::InterestOnly, 0, 8, "DOWN", "0.0%|8.0%"},
        {"interest-only ahead", Strategy::InterestOnly, 12, 8, "UP", "12.0%|8.0%"},
        {"term loan behind", Strategy::TermLoan, 2, 7.25, "DOWN", "2.0%|7.25%"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AnalysisInputs in = test::SampleInputs();
        in.projectionReturn = c.projectionReturn;
        in.interestRate = c.interestRate;
        Analysed run = analyse(c.strategy, in);

        double leveraged = 0, unleveraged = 0, breakEven = 0;
        std::visit(
            [&](const auto& r) {
                if constexpr (!std::is_same_v<std::decay_t<decltype(r)>, RRSPResults>) {
                    leveraged = r.projection.back().net_balance_payoff;
                    unleveraged = r.projection.back().unleveraged_balance;
                    breakEven = r.break_even_return;
                }
            },
            run.results);
        ASSERT_NE(breakEven, NoReturn);
        EXPECT_EQ(leveraged >= unleveraged, std::string(c.direction) == "UP");

        const std::string text = notes(run.results, markedCaptions(), English);
        const std::string amount = FormatNumber(std::fabs(leveraged - unleveraged), "$#,##0", English);
        ASSERT_NE(amount.front(), '-');
        const std::vector<std::string> expected{
            "- BE " + FormatNumber(breakEven, "##0.0%", English),
            "- N 10",
            "- " + std::string(c.rates) + "|" + c.direction + "|" + amount + "|10|$100,000",
            "- DISC",
        };
        EXPECT_EQ(paragraphs(text), expected);
    }
}

TEST(Notes, limitedDeductibilityParagraphIsFollowedByAnEmptyLine)
{
    struct Case {
        const char* name;
        Strategy strategy;
        bool fedLimited;
        bool provLimited;
        const char* ending;
    };
    const Case cases[] = {
        {"interest-only, none limited", Strategy::InterestOnly, false, false, "\r\n- DISC"},
        {"interest-only, federal limited", Strategy::InterestOnly, true, false, "\r\n- LIMITED\r\n\r\n- DISC"},
        {"term loan, provincial limited", Strategy::TermLoan, false, true, "\r\n- LIMITED\r\n\r\n- DISC"},
        {"term loan, both limited", Strategy::TermLoan, true, true, "\r\n- LIMITED\r\n\r\n- DISC"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AnalysisInputs in = test::SampleInputs();
        in.fedLimited = c.fedLimited;
        in.provLimited = c.provLimited;
        Analysed run = analyse(c.strategy, in);
        const std::string text = notes(run.results, markedCaptions(), English);
        EXPECT_TRUE(text.ends_with(c.ending)) << text;
        EXPECT_EQ(text.find("LIMITED") != std::string::npos, c.fedLimited || c.provLimited) << text;
        EXPECT_EQ(paragraphs(text).size(), c.fedLimited || c.provLimited ? 6u : 4u);
    }
}

TEST(Notes, noBreakEvenReturnHasItsOwnSentence)
{
    // A loan at 0 % has no break-even return.
    AnalysisInputs in = test::SampleInputs();
    in.interestRate = 0;
    for (Strategy strategy : {Strategy::InterestOnly, Strategy::TermLoan}) {
        SCOPED_TRACE(static_cast<int>(strategy));
        Analysed run = analyse(strategy, in);
        ASSERT_EQ(breakEvenOf(run.results), NoReturn);
        const std::string text = notes(run.results, markedCaptions(), English);
        EXPECT_EQ(paragraphs(text).front(), "- NOBE");
        EXPECT_EQ(text.find("99900"), std::string::npos) << text;

        const std::string shipped = notes(run.results, test::SourceCaptions(), English);
        EXPECT_TRUE(shipped.starts_with("- There is no break-even return")) << shipped;
    }
}

// At the loan rate the catch-up loan equals the grossed-up plan: with tax
// rate t, spending the refund ends at (1 - t) and reinvesting it at
// (1 - t^2) of the catch-up value V = L (1 + i)^N.
TEST(Notes, rrspComparesEachPlanWithTheCatchUpLoanAtTheLoanRate)
{
    const double v = 100'000 * std::pow(1.08, 10);
    struct Case {
        const char* name;
        double taxRate;
        double loanAmount;
        std::string line2;
    };
    const auto dollars = [](double x) { return FormatNumber(x, "$#,##0", English); };
    const Case cases[] = {
        {"refund spent and reinvested end below", 40, 100'000,
         "8.0%|8.0%|" + dollars(v) + "|10|" + dollars(0.4 * v) + " LESS|40.0% DEC|" + dollars(0.16 * v)
             + " LESS|16% DEC"},
        // A negative rate makes the spend-refund plan end above the catch-up
        // loan while the reinvest-refund plan still ends below it.
        {"refund spent ends above", -10, 100'000,
         "8.0%|8.0%|" + dollars(v) + "|10|" + dollars(0.1 * v) + " MORE|10.0% INC|" + dollars(0.01 * v)
             + " LESS|1% DEC"},
        {"nothing borrowed", 40, 0, "8.0%|8.0%|$0|10|$0 LESS|100.0% DEC|$0 LESS|100% DEC"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AnalysisInputs in = test::SampleInputs();
        in.taxRate = c.taxRate;
        in.loanAmount = c.loanAmount;
        Analysed run = analyse(Strategy::RRSP, in);
        const std::string text = notes(run.results, markedCaptions(), English);
        EXPECT_EQ(paragraphs(text), (std::vector<std::string>{"- RRSP", "- " + c.line2, "- DISC"}));
        // The run at the loan rate comes with the results.
        const std::optional<RRSPVariantValues>& atLoanRate = std::get<RRSPResults>(run.results).at_loan_rate;
        ASSERT_TRUE(atLoanRate.has_value());
        EXPECT_NEAR(atLoanRate->catch_up, c.loanAmount == 0 ? 0 : v, 1e-6);
    }
}

TEST(Notes, rrspWithoutTheComparisonAtTheLoanRateLeavesItOut)
{
    Analysed run = analyse(Strategy::RRSP, test::SampleInputs());
    std::get<RRSPResults>(run.results).at_loan_rate.reset();
    EXPECT_EQ(notes(run.results, markedCaptions(), English), "- RRSP\r\n- DISC");
}

TEST(Notes, frenchNumbersStayOnOneLine)
{
    AnalysisInputs in = test::SampleInputs();
    in.interestRate = 7.25;
    in.projectionReturn = 0;
    Analysed io = analyse(Strategy::InterestOnly, in);
    const std::string line3 = paragraphs(notes(io.results, markedCaptions(), French))[2];
    const std::string nbsp = "\u00A0";
    EXPECT_TRUE(line3.starts_with("- 0,0" + nbsp + "%|7,25" + nbsp + "%|DOWN|")) << line3;
    EXPECT_TRUE(line3.ends_with("|10|100" + nbsp + "000" + nbsp + "$")) << line3;
    EXPECT_EQ(line3.find(' ', 2), std::string::npos) << line3;

    Analysed rrsp = analyse(Strategy::RRSP, test::SampleInputs());
    const std::string line2 = paragraphs(notes(rrsp.results, markedCaptions(), French))[1];
    // 100 000 x 1.08^10 = 215 892.50: 40 % and 16 % of it are 86 357 and 34 543.
    EXPECT_EQ(line2, "- 8,0" + nbsp + "%|8,0" + nbsp + "%|215" + nbsp + "892" + nbsp + "$|10|86" + nbsp + "357" + nbsp
                         + "$ LESS|40,0" + nbsp + "% DEC|34" + nbsp + "543" + nbsp + "$ LESS|16" + nbsp + "% DEC");
}

TEST(Notes, shippedCaptionsFillEveryPlaceholder)
{
    AnalysisInputs limited = test::SampleInputs();
    limited.fedLimited = true;
    AnalysisInputs noBreakEven = test::SampleInputs();
    noBreakEven.interestRate = 0;
    struct Case {
        const char* name;
        Strategy strategy;
        AnalysisInputs in;
    };
    const Case cases[] = {
        {"interest-only", Strategy::InterestOnly, limited},
        {"interest-only, no break-even", Strategy::InterestOnly, noBreakEven},
        {"term loan", Strategy::TermLoan, limited},
        {"RRSP", Strategy::RRSP, test::SampleInputs()},
    };
    for (const Case& c : cases) {
        for (int language : {English, French}) {
            SCOPED_TRACE(std::string(c.name) + (language == French ? ", French" : ", English"));
            Analysed run = analyse(c.strategy, c.in);
            const std::string text = notes(run.results, test::SourceCaptions(), language);
            EXPECT_EQ(text.find(kCaptionNotFound), std::string::npos) << text;
            EXPECT_EQ(text.find('<'), std::string::npos) << text;
            EXPECT_TRUE(text.ends_with("- " + GetCaption(test::SourceCaptions(), "Notes_Disclaimer", language))) << text;
        }
    }
}

} // namespace
} // namespace gw
