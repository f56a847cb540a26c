// The three reports on the recording page with the shipped captions: whole
// documents against golden files, and the rules a golden does not show.
#include "golden.h"
#include "report_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <numeric>
#include <string>
#include <vector>

namespace gw::test {
namespace {

enum class Closing { Checklist, Signatures, Disclaimer };

class Reports : public ReportFixture {
protected:
    // The job as the print dialog leaves it for one choice of the summary's last block.
    void choose(Closing closing)
    {
        job.PrintCheckList = closing == Closing::Checklist;
        job.PrintSignatures = closing != Closing::Checklist;
        job.PrintLegalDisclaimer = closing == Closing::Disclaimer;
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
void LimitedThreeYears(AnalysisInputs& in)
{
    Limited(in);
    in.savingsPeriod = 3;
}
void HalfDeductible(AnalysisInputs& in)
{
    in.fedDeductible = 50;
}
void ReturnWithTwoDecimals(AnalysisInputs& in)
{
    in.projectionReturn = 8.25;
}

TEST_F(Reports, WholeDocumentsMatchTheirGoldenFiles)
{
    using enum ReportKind;
    const struct {
        const char* name;  // tests/print/golden/<name>.txt
        ReportKind kind;
        Strategy strategy;
        Language language;
        Closing closing;
        void (*change)(AnalysisInputs&);
    } cases[] = {
        {"summary_interest-only_en", Summary, Strategy::InterestOnly, English, Closing::Checklist, nullptr},
        {"summary_term_limited_en", Summary, Strategy::TermLoan, English, Closing::Signatures, Limited},
        {"summary_rrsp_en", Summary, Strategy::RRSP, English, Closing::Checklist, nullptr},
        {"summary_interest-only_half-deductible_fr", Summary, Strategy::InterestOnly, French, Closing::Disclaimer,
         HalfDeductible},
        {"projection_interest-only_en", Projection, Strategy::InterestOnly, English, Closing::Checklist, nullptr},
        {"projection_term_fr", Projection, Strategy::TermLoan, French, Closing::Checklist, ReturnWithTwoDecimals},
        {"projection_rrsp_en", Projection, Strategy::RRSP, English, Closing::Checklist, nullptr},
        {"projection_interest-only_limited_en", Projection, Strategy::InterestOnly, English, Closing::Checklist,
         LimitedThreeYears},
        {"projection_term_limited_fr", Projection, Strategy::TermLoan, French, Closing::Checklist, LimitedThreeYears},
        {"checklist_en", Checklist, Strategy::InterestOnly, English, Closing::Checklist, nullptr},
    };
    job.PrintName = true;
    job.PreparedForName = "Jean and Marie Tremblay";
    job.PrintCompanyName = true;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AnalysisInputs in = DefaultInputs();
        if (c.change)
            c.change(in);
        analyse(c.strategy, in);
        choose(c.closing);
        ASSERT_TRUE(print(c.kind, c.language)) << lastMessage();
        ExpectGolden(PageDump(page), std::string("print/golden/") + c.name + ".txt");
    }
}

// What follows the summary table: the notes (not for RRSP loans closing with
// signatures or the disclaimer), the separator (not for RRSP loans), then the
// block the job asks for (RRSP loans have no leverage checklist); all on one page.
TEST_F(Reports, SummaryClosingFollowsTheJobAndTheStrategy)
{
    const struct {
        Strategy strategy;
        Closing closing;
        const char* blocks;
    } cases[] = {
        {Strategy::InterestOnly, Closing::Checklist, "notes * * * checklist footer"},
        {Strategy::InterestOnly, Closing::Signatures, "notes * * * signatures footer"},
        {Strategy::InterestOnly, Closing::Disclaimer, "notes * * * disclaimer footer"},
        {Strategy::TermLoan, Closing::Checklist, "notes * * * checklist footer"},
        {Strategy::TermLoan, Closing::Signatures, "notes * * * signatures footer"},
        {Strategy::TermLoan, Closing::Disclaimer, "notes * * * disclaimer footer"},
        {Strategy::RRSP, Closing::Checklist, "notes footer"},
        {Strategy::RRSP, Closing::Signatures, "signatures footer"},
        {Strategy::RRSP, Closing::Disclaimer, "disclaimer footer"},
    };
    const std::map<std::string, std::string> markers{{CaptionOf("Notes_Title"), "notes"},
                                                     {"* * *", "* * *"},
                                                     {CaptionOf("Checklist_Title"), "checklist"},
                                                     {CaptionOf("Signatures_Client"), "signatures"},
                                                     {"Results are not guaranteed.", "disclaimer"},
                                                     {CaptionOf("PrintoutFooter"), "footer"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.blocks));
        analyse(c.strategy);
        choose(c.closing);
        // The tail of a disclaimer past a run of blanks is printed too.
        data.legalDisclaimer = "This report is an illustration. " + std::string(40, ' ') + "Results are not guaranteed.";
        ASSERT_TRUE(print(ReportKind::Summary)) << lastMessage();
        std::string blocks;
        for (const PageOp& op : page.texts()) {
            for (const auto& [text, name] : markers)
                blocks += op.text.find(text) != std::string::npos ? (blocks.empty() ? "" : " ") + name : "";
        }
        EXPECT_EQ(blocks, c.blocks) << allText();
        EXPECT_EQ(page.pageNumber(), 1);
        EXPECT_EQ(page.ops().back().kind, PageOp::Kind::End);
    }
}

TEST_F(Reports, NegativeSummaryFiguresAreInParentheses)
{
    analyse(Strategy::InterestOnly);
    // Worth 100,000 with leverage against 120,000 without: 20,000 less,
    // 20,000 / 120,000 = 16.7 % less; from nothing to 5,000 is a 100 % increase.
    std::get<IntOnlyResults>(results).summary = {MakeSummaryRow(1, 0.02, 120000, 100000, false),
                                                 MakeSummaryRow(2, 0, 0, 5000, false)};
    ASSERT_TRUE(print(ReportKind::Summary));
    for (const char* shown : {"(20,000)", "(17%)", "100%"})
        EXPECT_TRUE(page.findText(shown)) << shown;
    EXPECT_FALSE(page.findText("-20,000"));
}

TEST_F(Reports, ProjectionFiguresTooWideForTheirColumnPrintAsHashes)
{
    analyse(Strategy::TermLoan);
    for (TermYear& y : std::get<TermResults>(results).projection) {
        for (double* v : {&y.leveraged_balance, &y.net_balance_payoff, &y.acb_after, &y.interest, &y.principal,
                          &y.after_tax_cashflow, &y.unleveraged_balance, &y.unleveraged_acb, &y.increase})
            *v = 4.0e40;
        y.loan_balance = -3.0e40;
    }
    ASSERT_TRUE(print(ReportKind::Projection));
    const std::string text = allText();
    EXPECT_EQ(text.find("400,000,000,000"), std::string::npos);
    EXPECT_EQ(text.find("(300,000,000"), std::string::npos);
    EXPECT_NE(text.find("\n#####"), std::string::npos) << text;
}

// 40 years run over several pages: each year once and in order, the column
// heads above the rows of every page, every page with its footer, no row on it.
TEST_F(Reports, LongProjectionContinuesOnFurtherPagesWithHeadsAndFooters)
{
    const struct {
        Strategy strategy;
        double savingsPeriod;
        double timesRepeated;
    } cases[] = {{Strategy::InterestOnly, 40, 0}, {Strategy::TermLoan, 10, 3}, {Strategy::RRSP, 8, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(Index(c.strategy));
        AnalysisInputs in = DefaultInputs();
        in.savingsPeriod = c.savingsPeriod;
        in.timesRepeated = c.timesRepeated;
        analyse(c.strategy, in);
        ASSERT_TRUE(print(ReportKind::Projection)) << lastMessage();

        const std::string footer = CaptionOf("PrintoutFooter");
        const std::string head = CaptionOf("EndOfYear2");  // the year column's last head line
        std::vector<int> years, footers, heads;
        for (const PageOp& op : page.texts()) {
            if (op.x < 5 && !op.text.empty() && op.text.size() <= 2 &&
                std::all_of(op.text.begin(), op.text.end(), [](char ch) { return ch >= '0' && ch <= '9'; })) {
                years.push_back(std::stoi(op.text));
                EXPECT_TRUE(!heads.empty() && heads.back() == op.page) << "year " << op.text;
                EXPECT_LT(op.y, 57.0) << "year " << op.text;
            }
            if (op.text == footer)
                footers.push_back(op.page);
            if (op.text == head)
                heads.push_back(op.page);
        }
        std::vector<int> allYears(40), allPages(static_cast<std::size_t>(page.pageNumber()));
        std::iota(allYears.begin(), allYears.end(), 1);
        std::iota(allPages.begin(), allPages.end(), 1);
        EXPECT_EQ(years, allYears);
        EXPECT_EQ(footers, allPages);
        EXPECT_GE(page.pageNumber(), 2);
    }
}

TEST_F(Reports, ChecklistShowsThePictureOfItsLanguage)
{
    analyse(Strategy::InterestOnly);
    ASSERT_TRUE(print(ReportKind::Checklist, French)) << lastMessage();
    const auto& ops = page.ops();
    const auto picture = std::find_if(ops.begin(), ops.end(), [](const PageOp& op) { return op.kind == PageOp::Kind::Picture; });
    ASSERT_NE(picture, ops.end());
    EXPECT_EQ(std::filesystem::path(picture->text).filename(), "print-french.gif");
}

// A failure is reported once, naming the section and step, and the
// document is abandoned.
TEST_F(Reports, FailureIsReportedAndTheDocumentAbandoned)
{
    const struct {
        ReportKind kind;
        Strategy printedAs;      // results are of the interest-only analysis
        const char* failingText;  // the device fails on the text of this caption
        const char* pictureFolder;
        std::vector<std::string> message;
    } cases[] = {
        {ReportKind::Summary, Strategy::TermLoan, nullptr, nullptr, {"term-loan", "'OnePageSummary, step 0'"}},
        {ReportKind::Projection, Strategy::RRSP, nullptr, nullptr, {"RRSP-loan", "'PrintProjection, step 0'"}},
        {ReportKind::Summary, Strategy::InterestOnly, "Assumptions_Title", nullptr,
         {"Error 482\nOut of paper", "'PrintAssumptions, step 1'"}},
        {ReportKind::Checklist, Strategy::InterestOnly, nullptr, "/nonexistent/folder",
         {"Error 53", "'PrintSuitabilityChecklist - Page 1, step 1'"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message.front());
        analyse(Strategy::InterestOnly);
        data.strategy = c.printedAs;
        if (c.failingText)
            page.failWhenDrawing(CaptionOf(c.failingText), PrintError(kPrintErrorPrinter, "Out of paper"));
        if (c.pictureFolder)
            data.pictureFolder = c.pictureFolder;
        EXPECT_FALSE(print(c.kind));
        ASSERT_EQ(reporter.messages.size(), 1u);
        for (const std::string& part : c.message)
            EXPECT_NE(reporter.messages[0].find(part), std::string::npos) << reporter.messages[0];
        EXPECT_EQ(page.ops().back().kind, PageOp::Kind::Abort);
    }
}

TEST(ReportDate, MonthNameOfTheLanguage)
{
    const struct {
        ReportDate date;
        Language language;
        const char* text;
    } cases[] = {{{2025, 1, 5}, English, "January 5, 2025"},
                 {{2024, 8, 1}, English, "August 1, 2024"},
                 {{2024, 12, 31}, French, "31 décembre 2024"},
                 {{2024, 8, 1}, French, "1er août 2024"}};
    for (const auto& c : cases)
        EXPECT_EQ(FormatReportDate(SourceCaptions(), c.language, c.date), c.text);
}

} // namespace
} // namespace gw::test
