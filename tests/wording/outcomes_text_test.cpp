#include "outcomes_text.h"

#include "data_sources.h"
#include "golden.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace gw {
namespace {

struct Case {
    std::string name;
    Strategy strategy;
    int horizon;
    double behind;
    double underwater;
    Percentiles difference;  // at the horizon
};

OutcomeResults record(const Case& c)
{
    OutcomeResults r;
    r.strategy = c.strategy;
    r.horizon = c.horizon;
    r.paths = 10000;
    r.mean_return = 0.08;
    r.volatility = 0.16;
    r.seed = kDefaultOutcomeSeed;
    r.probability_behind = c.behind;
    r.probability_underwater = c.underwater;
    r.difference_at_horizon = c.difference;
    return r;
}

// The edges of each figure: shares of exactly 0 and 1, shares that would
// round to 0 % or 100 % without being it, a median that ends behind or
// rounds to $0, one year, and the RRSP wording.
const std::vector<Case> kCases = {
    {"typical interest-only", Strategy::InterestOnly, 10, 0.2345, 0.0312, {-4321.4, 2000, 12345.6, 30000, 45678.5}},
    {"term, certain", Strategy::TermLoan, 25, 0, 0, {1500, 2500, 3500, 4500, 5500}},
    {"term, never", Strategy::TermLoan, 25, 1, 1, {-9e6, -8e6, -7e6, -6e6, -5e6}},
    {"below 1 %, above 99 %", Strategy::InterestOnly, 10, 0.0049, 0.9951, {-100, 0, 0.4, 1, 2}},
    {"just 1 %, just 99 %", Strategy::InterestOnly, 10, 0.01, 0.99, {-100, 0, -0.49, 1, 2}},
    {"median behind", Strategy::InterestOnly, 1, 0.6, 0.2, {-23456.7, -12000, -1234.5, 800, 4000}},
    {"RRSP", Strategy::RRSP, 20, 0.125, 0.0001, {-2500, 1000, 6789, 12000, 20000}},
    {"RRSP behind", Strategy::RRSP, 20, 0.75, 0, {-9000, -5000, -3210, -100, 400}},
};

// Each case's sentences in both languages from the shipped captions, one a
// line; no-break spaces show as "_".
TEST(OutcomeSentences, golden)
{
    std::string out;
    for (const Case& c : kCases) {
        out += "== " + c.name + "\n";
        for (int language : {English, French}) {
            for (std::string sentence : OutcomeSentences(record(c), test::SourceCaptions(), language)) {
                EXPECT_EQ(sentence.find(kCaptionNotFound), std::string::npos) << sentence;
                EXPECT_EQ(sentence.find('<'), std::string::npos) << sentence;
                for (std::size_t at; (at = sentence.find("\u00A0")) != std::string::npos;)
                    sentence.replace(at, 2, "_");
                out += (language == French ? "fr: " : "en: ") + sentence + "\n";
            }
        }
    }
    test::ExpectGolden(out, "wording/golden/outcome-sentences.txt");
}

// Three sentences, in the order the header gives, for every strategy.
TEST(OutcomeSentences, threeSentencesInOrder)
{
    const CaptionTables& captions = test::SourceCaptions();
    const std::vector<std::string> sentences = OutcomeSentences(record(kCases[0]), captions, English);
    ASSERT_EQ(sentences.size(), 3u);
    EXPECT_EQ(sentences[0],
              "After 10\u00A0years, the investment with leverage ends with less than the investment without leverage in 23% "
              "of the simulated outcomes.");
    EXPECT_TRUE(sentences[1].starts_with("In 3% of the simulated outcomes")) << sentences[1];
    EXPECT_TRUE(sentences[2].find("$12,346 ahead of") != std::string::npos) << sentences[2];
    EXPECT_TRUE(sentences[2].ends_with("between -$4,321 and $45,679.")) << sentences[2];
}

} // namespace
} // namespace gw
