// The three reports on the recording page with the shipped captions: whole
// documents against golden files, and the rules a golden does not show.
#include "golden.h"
#include "report_fixture.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace gw::test {
namespace {

// The summary's last block, one of the print dialog's options.
enum class Closing { WithChecklist, WithSignatures, WithDisclaimer };
using enum Closing;
using enum Strategy;
using Change = void (*)(AnalysisInputs&);

class Reports : public ReportFixture {
protected:
    void analyse(Strategy strategy, Closing closing, Change change = nullptr)
    {
        AnalysisInputs in = DefaultInputs();
        if (change)
            change(in);
        ReportFixture::analyse(strategy, in);
        job.PrintCheckList = closing == WithChecklist;
        job.PrintSignatures = closing != WithChecklist;
        job.PrintLegalDisclaimer = closing == WithDisclaimer;
    }
};

// Deduction limited on both sides, each in its own way.
void Limited(AnalysisInputs& in)
{
    in.fedLimited = true;
    in.fedIncludeCG = false;
    in.fedExpenses = 1.5;
    in.provDeductible = 80;
}

TEST_F(Reports, WholeDocumentsMatchTheirGoldenFiles)
{
    using enum ReportKind;
    const Change half = [](AnalysisInputs& in) { in.fedDeductible = 50; };
    const Change twoDecimals = [](AnalysisInputs& in) { in.projectionReturn = 8.25; };
    const Change limitedThreeYears = [](AnalysisInputs& in) { Limited(in); in.savingsPeriod = 3; };
    const Change large = [](AnalysisInputs& in) { in.loanAmount = 90'000'000; };
    const struct {
        const char* name;  // tests/print/golden/<name>.txt
        ReportKind kind;
        Strategy strategy;
        Language language;
        Closing closing;
        Change change;
        PageSize pageSize = {90, 60};
        std::string client = "Jean and Marie Tremblay";
    } cases[] = {
        {"summary_interest-only_en", Summary, InterestOnly, English, WithChecklist, nullptr},
        {"summary_term_limited_en", Summary, TermLoan, English, WithSignatures, Limited},
        // RRSP loans: no notes, no separator, and the signatures where a checklist was chosen.
        {"summary_rrsp_signatures_en", Summary, RRSP, English, WithSignatures, nullptr},
        {"summary_rrsp_signatures_en", Summary, RRSP, English, WithChecklist, nullptr},
        {"summary_rrsp_disclaimer_en", Summary, RRSP, English, WithDisclaimer, nullptr},
        // A narrow page: the table steps down to its smallest size; the
        // client's name takes all the room left of the date but 2 units.
        {"summary_rrsp_narrow_en", Summary, RRSP, English, WithChecklist, large, {56, 60},
         "Jean-Philippe and Marie-Eve Leblanc"},
        // The RRSP table at the middle of its three sizes.
        {"summary_rrsp_middle_en", Summary, RRSP, English, WithChecklist, large, {66, 60}},
        {"summary_interest-only_half-deductible_fr", Summary, InterestOnly, French, WithDisclaimer, half},
        // Narrower still: the figures table at the middle of its three sizes.
        {"summary_term_narrow_fr", Summary, TermLoan, French, WithSignatures, large, {48, 60}},
        {"projection_interest-only_en", Projection, InterestOnly, English, WithChecklist, nullptr},
        {"projection_term_fr", Projection, TermLoan, French, WithChecklist, twoDecimals},
        // The client's name wraps 2 units short of the date's column.
        {"projection_rrsp_en", Projection, RRSP, English, WithChecklist, nullptr, {90, 60},
         "Jean-Philippe Tremblay, Marie-Eve Leblanc-Tremblay and the Leblanc Family Trust"},
        // On a short page the table goes on on a second page, after the footer, below its heads again.
        {"projection_term_short-page_en", Projection, TermLoan, English, WithChecklist, nullptr, {90, 34}},
        {"projection_interest-only_limited_en", Projection, InterestOnly, English, WithChecklist, limitedThreeYears},
        {"projection_term_limited_fr", Projection, TermLoan, French, WithChecklist, limitedThreeYears},
        // The narrowest: the title wraps, the table at its smallest size.
        {"projection_interest-only_narrow_en", Projection, InterestOnly, English, WithChecklist, nullptr, {36, 60}},
        // A page where a numbered item has room for its first two lines and no more.
        {"checklist_short-page_en", Checklist, InterestOnly, English, WithChecklist, nullptr, {90, 40}},
        // The review label wraps: it would fit only into the cell's inset.
        {"checklist_narrow_en", Checklist, InterestOnly, English, WithChecklist, nullptr, {88.5, 60}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        analyse(c.strategy, c.closing, c.change);
        page = RecordingPage(c.pageSize);
        job.PrintName = job.PrintCompanyName = true;
        job.PreparedForName = c.client;
        // The tail of a disclaimer past a run of blanks is printed too.
        data.legalDisclaimer = "This report is an illustration. " + std::string(40, ' ') + "Results are not guaranteed.";
        ASSERT_TRUE(print(c.kind, c.language)) << lastMessage();
        ExpectGolden(PageDump(page), std::string("print/golden/") + c.name + ".txt");
    }
}

// The range of outcomes fits one page whatever the horizon: every year up
// to 20, then every fifth and the last; without outcomes of the strategy
// printed, nothing is.
TEST_F(Reports, RangeOfOutcomesOnOnePage)
{
    const struct {
        const char* name;  // tests/print/golden/<name>.txt
        Strategy strategy;
        Language language;
        double savingsPeriod;
    } cases[] = {
        {"outcomes_interest-only_en", InterestOnly, English, 10},
        {"outcomes_rrsp_fr", RRSP, French, 10},
        {"outcomes_term_80-years_en", TermLoan, English, 80},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AnalysisInputs in = DefaultInputs();
        in.savingsPeriod = c.savingsPeriod;
        in.timesRepeated = 0;
        ReportFixture::analyse(c.strategy, in);
        const std::optional<OutcomeResults> outcomes =
            SimulateOutcomes(c.strategy, in, OutcomeOptions{.volatility = 16, .paths = 200, .seed = 7, .threads = 1});
        ASSERT_TRUE(outcomes.has_value());
        data.outcomes = &*outcomes;
        page = RecordingPage({90, 60});
        job.PrintName = job.PrintCompanyName = true;
        job.PreparedForName = "Jean and Marie Tremblay";
        ASSERT_TRUE(print(ReportKind::Outcomes, c.language)) << lastMessage();
        EXPECT_EQ(PageDump(page).find("newpage"), std::string::npos);
        ExpectGolden(PageDump(page), std::string("print/golden/") + c.name + ".txt");

        OutcomeResults other = *outcomes;
        other.strategy = c.strategy == RRSP ? InterestOnly : RRSP;
        data.outcomes = &other;
        EXPECT_FALSE(print(ReportKind::Outcomes, c.language));
        data.outcomes = nullptr;
        EXPECT_FALSE(print(ReportKind::Outcomes, c.language));
    }
}

// A failure is reported once, naming the section and step, and the document
// is abandoned: results of another strategy, or a missing picture.
TEST_F(Reports, FailureIsReportedAndTheDocumentAbandoned)
{
    const struct {
        ReportKind kind;
        Strategy printedAs;  // the results are of the interest-only analysis
        const char* pictureFolder;
        std::vector<std::string> message;
    } cases[] = {
        {ReportKind::Summary, TermLoan, nullptr, {"term-loan", "'OnePageSummary, step 0'"}},
        {ReportKind::Projection, RRSP, nullptr, {"RRSP-loan", "'PrintProjection, step 0'"}},
        // In French the checklist looks for the French picture.
        {ReportKind::Checklist, InterestOnly, "/nonexistent",
         {"error 53", "/nonexistent/print-french.gif", "'PrintSuitabilityChecklist - Page 1, step 1'"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message.front());
        analyse(InterestOnly, WithChecklist);
        data.strategy = c.printedAs;
        if (c.pictureFolder)
            data.pictureFolder = c.pictureFolder;
        EXPECT_FALSE(print(c.kind, French));
        ASSERT_EQ(reporter.messages.size(), 1u);
        EXPECT_NE(reporter.messages[0].find(CaptionOf("PrintJobCancelled", French)), std::string::npos);
        for (const std::string& part : c.message)
            EXPECT_NE(reporter.support[0].find(part), std::string::npos) << reporter.support[0];
        EXPECT_EQ(page.ops().back().kind, PageOp::Kind::Abort);
    }
}

// Each step names itself in a failure: a report fails on each text it draws, in turn.
TEST_F(Reports, FailuresNameTheStepTheyHappenIn)
{
    using enum ReportKind;
    const std::tuple<ReportKind, Strategy, Closing> reports[] = {
        {Summary, InterestOnly, WithSignatures}, {Summary, RRSP, WithSignatures}, {Summary, TermLoan, WithChecklist},
        {Summary, RRSP, WithDisclaimer},         {Projection, TermLoan, WithChecklist}, {Checklist, RRSP, WithChecklist}};
    std::string steps;
    for (const auto& [kind, strategy, closing] : reports) {
        analyse(strategy, closing);
        ASSERT_TRUE(print(kind));
        std::set<std::string> seen;
        for (const PageOp& drawn : page.texts()) {
            page = RecordingPage();
            reporter = RecordingReporter();
            page.failWhenDrawing(drawn.text, PrintError(kPrintErrorPrinter, "Out of paper"));
            ASSERT_FALSE(print(kind));
            ASSERT_EQ(reporter.messages.size(), 1u);
            EXPECT_EQ(page.ops().back().kind, PageOp::Kind::Abort);
            const std::string& message = reporter.support[0];
            EXPECT_NE(message.find("error 482\nOut of paper"), std::string::npos) << message;
            const std::size_t from = message.find("running '") + 9;
            const std::string step = message.substr(from, message.find('\'', from) - from);
            if (seen.insert(step).second)
                steps += step + "\n";
        }
        steps += "\n";
    }
    ExpectGolden(steps, "print/golden/failure_steps.txt");
}

TEST(ReportDate, MonthNameOfTheLanguage)
{
    const std::pair<ReportDate, Language> dates[] = {
        {{2025, 1, 5}, English}, {{2024, 8, 1}, English}, {{2024, 12, 31}, French}, {{2024, 8, 1}, French}};
    const char* expected[] = {"January 5, 2025", "August 1, 2024", "31 décembre 2024", "1er août 2024"};
    for (std::size_t i = 0; i < std::size(dates); ++i)
        EXPECT_EQ(FormatReportDate(SourceCaptions(), dates[i].second, dates[i].first), expected[i]);
}

} // namespace
} // namespace gw::test
