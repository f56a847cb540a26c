#include "notes.h"
#include "report_text.h"

#include "data_sources.h"
#include "scenario.h"

#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <variant>
#include <vector>

namespace gw {
namespace {

// Every shipped caption as its key and placeholders ("[Notes_IntOnly_Term_Line2
// <1>]"), in both languages, so that each value shows where it goes.
const CaptionTables& markedCaptions()
{
    static const CaptionTables tables = [] {
        std::vector<std::string> lines;
        for (const std::string& line : test::DataSourceLines("english.src.txt")) {
            const std::string key = line.substr(0, line.find('='));
            std::string marked = key + "=[" + key;
            for (int n = 1; n < 13; ++n) {
                const std::string placeholder = "<" + std::to_string(n) + ">";
                if (line.find(placeholder) != std::string::npos)
                    marked += (n == 1 ? " " : "|") + placeholder;
            }
            lines.push_back(marked + "]");
        }
        return CaptionTables{lines, lines};
    }();
    return tables;
}

// Texts one a line, quoted, under a title; the notes one paragraph a line.
std::string listed(const std::string& title, const std::vector<std::string>& texts)
{
    std::string out = title + "\n";
    for (const std::string& text : texts)
        out += "  " + test::Quoted(text) + "\n";
    return out;
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

int languageOf(const test::Tokens& words) { return words.back() == "fr" ? French : English; }

// "== scenario [fr]": the window's notes.
TEST(Notes, golden)
{
    test::ExpectBlocks("wording/golden/notes.txt", [](test::Tokens words) {
        const int language = languageOf(words);
        if (words.back() == "fr")
            words.pop_back();
        return listed("notes", paragraphs(notes(test::Run(test::ParseScenario(words)), markedCaptions(), language)));
    });
}

// "== scenario [fr]": the sentences of the printed reports.
TEST(ReportText, golden)
{
    test::ExpectBlocks("wording/golden/report-text.txt", [](test::Tokens words) {
        const int language = languageOf(words);
        if (words.back() == "fr")
            words.pop_back();
        const CaptionTables& c = markedCaptions();
        return std::visit(
            [&](const auto& r) {
                std::string out = listed("assumptions", AssumptionLines(r, c, language));
                out += listed("summary notes", SummaryNoteLines(r, c, language));
                out += listed("projection", {ProjectionSubtitle(r, c, language)});
                out += listed("projection notes", ProjectionNoteLines(r, c, language));
                if constexpr (!std::is_same_v<std::decay_t<decltype(r)>, RRSPResults>)
                    out += "limited deductibility: " + std::string(LimitedDeductibility(r.terms) ? "yes\n" : "no\n");
                return out;
            },
            test::Run(test::ParseScenario(words)));
    });
}

TEST(Notes, rrspWithoutTheComparisonAtTheLoanRateLeavesItOut)
{
    AnalysisResults results = test::Run(test::ParseScenario({"rrsp"}));
    std::get<RRSPResults>(results).at_loan_rate.reset();
    EXPECT_EQ(notes(results, markedCaptions(), English), "- [Notes_RRSP_Line1]\r\n- [Notes_Disclaimer]");
}

TEST(Notes, shippedCaptionsFillEveryPlaceholder)
{
    for (const test::Tokens& words : {test::Tokens{"intonly", "fedLimited"}, {"intonly", "rate=0"},
                                      {"term", "fedLimited"}, {"rrsp"}}) {
        const AnalysisResults results = test::Run(test::ParseScenario(words));
        for (int language : {English, French}) {
            SCOPED_TRACE(words.front() + " " + words.back() + (language == French ? ", French" : ", English"));
            const std::string text = notes(results, test::SourceCaptions(), language);
            EXPECT_EQ(text.find(kCaptionNotFound), std::string::npos) << text;
            EXPECT_EQ(text.find('<'), std::string::npos) << text;
            EXPECT_TRUE(text.ends_with("- " + GetCaption(test::SourceCaptions(), "Notes_Disclaimer", language))) << text;
        }
    }
}

} // namespace
} // namespace gw
