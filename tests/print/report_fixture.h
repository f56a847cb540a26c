#pragma once

// What the report tests share: the shipped caption texts, inputs for each
// strategy, an analysis of them, a context on a recording page, and the
// recorded page as text for the golden files.
#include "data_sources.h"
#include "dispatch.h"
#include "primitives.h"
#include "recordingpage.h"
#include "reports.h"
#include "sample_inputs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace gw::test {

inline std::string CaptionOf(std::string_view key, int language = English)
{
    return GetCaption(SourceCaptions(), key, language);
}

inline AnalysisInputs DefaultInputs()
{
    return ReportSampleInputs({TaxBracket{0, 20.05, 0}, TaxBracket{55867, 29.65, 6.39},
                               TaxBracket{111733, 43.41, 25.38}, TaxBracket{173205, 53.53, 39.34}});
}

// A position with at most three decimals: "35.167", "2".
inline std::string Coord(double value)
{
    std::ostringstream text;
    text << std::round(value * 1000) / 1000 + 0.0;  // + 0.0: no "-0"
    return text.str();
}

// The recorded operations, one a line:
//   text 35.167,1.75 Arial 14 bold "One-Page Summary"
//   line 0,10.2 90,10.2
//   picture 0,0 30,4 print-english.gif
//   newpage 2
inline std::string PageDump(const RecordingPage& page)
{
    static const char* const kinds[] = {"begin", "text", "line", "picture", "newpage", "end", "abort"};
    std::string out;
    for (const PageOp& op : page.ops()) {
        const std::string from = " " + Coord(op.x) + "," + Coord(op.y), to = " " + Coord(op.x2) + "," + Coord(op.y2);
        out += kinds[static_cast<int>(op.kind)];
        if (op.kind == PageOp::Kind::Text)
            out += from + " " + op.font.face + " " + Coord(op.font.size) + (op.font.bold ? " bold" : "") + " \"" +
                   op.text + "\"";
        else if (op.kind == PageOp::Kind::Line)
            out += from + to;
        else if (op.kind == PageOp::Kind::Picture)
            out += from + to + " " + std::filesystem::path(op.text).filename().string();
        else if (op.kind == PageOp::Kind::NewPage)
            out += " " + std::to_string(op.page);
        out += "\n";
    }
    return out;
}

class RecordingReporter : public PrintReporter {
public:
    void report(const std::string&, const std::string& text) override { messages.push_back(text); }
    void details(const std::string& text) override { support.push_back(text); }
    std::vector<std::string> messages;
    std::vector<std::string> support;
};

// One analysis and everything a report needs to print it.
class ReportFixture : public ::testing::Test {
protected:
    ReportFixture() { advisor = {"Alex Martin", "Northfield Wealth"}; }

    // Runs the analysis on a fresh page; fails the test when it does not succeed.
    void analyse(Strategy strategy, const AnalysisInputs& in = DefaultInputs())
    {
        page = RecordingPage();
        reporter = RecordingReporter();
        auto state = std::make_unique<AnalysisState>();
        const AnalysisOutcome outcome = RunAnalysis(strategy, in, *state);
        ASSERT_TRUE(outcome.ok()) << outcome.error;
        results = *outcome.results;
        data = ReportData{};
        data.strategy = strategy;
        data.results = &results;
        data.date = {2025, 1, 5};
        data.legalDisclaimer = "This report is an illustration prepared for discussion purposes only.";
        data.pictureFolder = std::string(GEARWISE_SOURCE_DIR) + "/print/pictures";
    }

    bool print(ReportKind kind, Language language = English)
    {
        PrintContext ctx{.page = page,
                         .reporter = reporter,
                         .captions = SourceCaptions(),
                         .language = language,
                         .job = job,
                         .advisor = advisor,
                         .sponsorFooter = ""};
        return PrintReport(kind, ctx, data);
    }

    std::string lastMessage() const { return reporter.messages.empty() ? "" : reporter.messages.back(); }

    RecordingPage page;
    RecordingReporter reporter;
    PrintJob job;
    AdvisorInfo advisor;
    AnalysisResults results;
    ReportData data;
};

} // namespace gw::test
