#pragma once

// What the report tests share: the shipped caption texts, inputs for each
// strategy, an analysis of them and a context on a recording page.
#include "data_sources.h"
#include "dispatch.h"
#include "primitives.h"
#include "recordingpage.h"
#include "reports.h"
#include "sample_inputs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
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

inline const char* StrategyLabel(Strategy strategy)
{
    switch (strategy) {
    case Strategy::InterestOnly: return "interest-only";
    case Strategy::TermLoan: return "term";
    case Strategy::RRSP: return "rrsp";
    }
    return "?";
}

class RecordingReporter : public PrintReporter {
public:
    void report(const std::string&, const std::string& text, Icon) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

// One analysis and everything a report needs to print it.
class ReportFixture : public ::testing::Test {
protected:
    ReportFixture() { advisor = {"Alex Martin", "Northfield Wealth"}; }

    // Runs the analysis; fails the test when it does not succeed.
    void analyse(Strategy strategy, const AnalysisInputs& in = DefaultInputs())
    {
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

    PrintContext context(Language language = English)
    {
        return PrintContext{.page = page,
                            .reporter = reporter,
                            .captions = SourceCaptions(),
                            .language = language,
                            .job = job,
                            .advisor = advisor,
                            .sponsorFooter = ""};
    }

    // Index of the first text op containing `fragment` at or after `from`
    // (a negative `from` counts as 0), or -1.
    int indexOf(std::string_view fragment, int from = 0) const
    {
        const auto texts = page.texts();
        for (int i = std::max(from, 0); i < static_cast<int>(texts.size()); ++i) {
            if (texts[static_cast<std::size_t>(i)].text.find(fragment) != std::string::npos)
                return i;
        }
        return -1;
    }

    bool printed(std::string_view fragment) const { return indexOf(fragment) >= 0; }

    // All the text printed, one op a line.
    std::string allText() const
    {
        std::string text;
        for (const PageOp& op : page.texts())
            text += op.text + "\n";
        return text;
    }

    int pages() const
    {
        int last = 0;
        for (const PageOp& op : page.ops())
            last = std::max(last, op.page);
        return last;
    }

    RecordingPage page;
    RecordingReporter reporter;
    PrintJob job;
    AdvisorInfo advisor;
    AnalysisResults results;
    ReportData data;
};

} // namespace gw::test
