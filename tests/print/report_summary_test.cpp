// The one-page summary on the recording page, with the shipped captions.
#include "report_fixture.h"

#include "numformat.h"
#include "textlayout.h"

#include <gtest/gtest.h>

#include <cmath>

namespace gw::test {
namespace {

enum class Closing { Checklist, Signatures, Disclaimer };

const char* ClosingLabel(Closing closing)
{
    switch (closing) {
    case Closing::Checklist: return "checklist";
    case Closing::Signatures: return "signatures";
    case Closing::Disclaimer: return "disclaimer";
    }
    return "?";
}

class SummaryReport : public ReportFixture {
protected:
    // The job as the print run leaves it for one choice of the option group.
    void choose(Closing closing)
    {
        job.PrintCheckList = closing == Closing::Checklist;
        job.PrintSignatures = closing != Closing::Checklist;
        job.PrintLegalDisclaimer = closing == Closing::Disclaimer;
    }

    bool print(Language language = English)
    {
        PrintContext ctx = context(language);
        return PrintOnePageSummary(ctx, data);
    }
};

TEST_F(SummaryReport, BlocksComeInOrderForEveryStrategyAndClosing)
{
    for (Strategy strategy : {Strategy::InterestOnly, Strategy::TermLoan, Strategy::RRSP}) {
        for (Closing closing : {Closing::Checklist, Closing::Signatures, Closing::Disclaimer}) {
            SCOPED_TRACE(std::string(StrategyLabel(strategy)) + ", " + ClosingLabel(closing));
            page = RecordingPage();
            analyse(strategy);
            choose(closing);
            ASSERT_TRUE(print()) << (reporter.messages.empty() ? "" : reporter.messages.back());

            const bool rrsp = strategy == Strategy::RRSP;
            const char* title = strategy == Strategy::InterestOnly ? "OnePageSummaryTitle_IntOnly"
                                : strategy == Strategy::TermLoan   ? "OnePageSummaryTitle_Term"
                                                                   : "OnePageSummaryTitle_RRSP";
            const int titleAt = indexOf(CaptionOf(title));
            const int dateAt = indexOf("January 5, 2025");
            const int preparedAt = indexOf("Prepared by: Alex Martin");
            const int assumptionsAt = indexOf(CaptionOf("Assumptions_Title"));
            const int tableAt = indexOf(rrsp ? "RRSP Values After" : "Results After");
            const int notesAt = indexOf(CaptionOf("Notes_Title"), tableAt);
            const int separatorAt = indexOf("* * *");
            const int checklistAt = indexOf(CaptionOf("Checklist_Title"));
            const int signaturesAt = indexOf(CaptionOf("Signatures_Client"));
            const int disclaimerAt = indexOf("illustration prepared for discussion");
            const int footerAt = indexOf("assumptions that may not be realized");

            EXPECT_EQ(titleAt, 0);
            EXPECT_GT(dateAt, titleAt);
            EXPECT_GT(preparedAt, titleAt);
            EXPECT_GT(assumptionsAt, std::max(dateAt, preparedAt));
            EXPECT_GT(tableAt, assumptionsAt);

            const bool notes = !(rrsp && closing != Closing::Checklist);
            if (notes) {
                EXPECT_GT(notesAt, tableAt);
            } else {
                EXPECT_EQ(notesAt, -1);
            }
            if (!rrsp) {
                EXPECT_GT(separatorAt, notesAt);
            } else {
                EXPECT_EQ(separatorAt, -1);
            }

            int closingAt = -1;
            if (closing == Closing::Disclaimer) {
                closingAt = disclaimerAt;
                EXPECT_EQ(checklistAt, -1);
                EXPECT_EQ(signaturesAt, -1);
            } else if (closing == Closing::Checklist && !rrsp) {
                closingAt = checklistAt;
                EXPECT_EQ(signaturesAt, -1);
                // The sixth item (two lines) is the last thing before the footer.
                EXPECT_EQ(indexOf(CaptionOf("Checklist_Line6").substr(0, 40)), footerAt - 2);
            } else if (closing == Closing::Signatures) {
                closingAt = signaturesAt;
                EXPECT_EQ(checklistAt, -1);
            } else {
                // RRSP loans have no conservative leverage checklist.
                EXPECT_EQ(checklistAt, -1);
                EXPECT_EQ(signaturesAt, -1);
            }
            if (closingAt >= 0) {
                EXPECT_GT(closingAt, std::max({tableAt, notesAt, separatorAt}));
            }
            EXPECT_EQ(footerAt, static_cast<int>(page.texts().size()) - 1);
            EXPECT_EQ(page.ops().back().kind, PageOp::Kind::End);
            EXPECT_EQ(pages(), 1) << allText();
            EXPECT_TRUE(reporter.messages.empty());
        }
    }
}

TEST_F(SummaryReport, RRSPWithTheDisclaimerHasNoNotesAndEndsWithIt)
{
    analyse(Strategy::RRSP);
    choose(Closing::Disclaimer);
    data.legalDisclaimer = "This report is an illustration. " + std::string(40, ' ') + "Results are not guaranteed.";
    ASSERT_TRUE(print());
    EXPECT_FALSE(printed(CaptionOf("Notes_Title")));
    EXPECT_FALSE(printed(CaptionOf("Notes_RRSP_Line1").substr(0, 30)));
    const auto texts = page.texts();
    ASSERT_GE(texts.size(), 2u);
    EXPECT_NE(texts[texts.size() - 2].text.find("Results are not guaranteed."), std::string::npos);
}

TEST_F(SummaryReport, RRSPWithTheChecklistOptionPrintsTheNotesWithoutTheCaution)
{
    analyse(Strategy::RRSP);
    choose(Closing::Checklist);
    ASSERT_TRUE(print());
    EXPECT_TRUE(printed(CaptionOf("Notes_Title")));
    EXPECT_TRUE(printed(CaptionOf("Notes_RRSP_Line1").substr(0, 30)));
    EXPECT_TRUE(printed("If the RRSP earns 7.0%"));
    EXPECT_FALSE(printed("magnifies both gains and losses"));
}

TEST_F(SummaryReport, SummaryTableShowsEveryRowOfTheResults)
{
    for (Strategy strategy : {Strategy::InterestOnly, Strategy::TermLoan}) {
        SCOPED_TRACE(StrategyLabel(strategy));
        page = RecordingPage();
        analyse(strategy);
        ASSERT_TRUE(print());
        const auto& rows = strategy == Strategy::InterestOnly ? std::get<IntOnlyResults>(results).summary
                                                              : std::get<TermResults>(results).summary;
        ASSERT_EQ(rows.size(), 5u);  // four returns and the break-even return
        for (const SummaryRow& row : rows) {
            const int at = indexOf(FormatNumber(row.return_, "##0.0%", English));
            ASSERT_GE(at, 0);
            const auto texts = page.texts();
            const double y = texts[static_cast<std::size_t>(at)].y;
            std::vector<std::string> cells;
            for (const PageOp& op : texts) {
                if (std::fabs(op.y - y) < 1e-9)
                    cells.push_back(op.text);
            }
            const auto amount = [](double v) {
                const std::string s = FormatNumber(std::fabs(v), "#,###,###,##0", English);
                return v < 0 && s != "0" ? "(" + s + ")" : s;
            };
            const std::vector<std::string> expected{FormatNumber(row.return_, "##0.0%", English),
                                                    amount(row.unleveraged), amount(row.leveraged),
                                                    amount(row.increase),
                                                    row.percent_increase < 0
                                                        ? "(" + FormatNumber(-row.percent_increase, "##0%", English) + ")"
                                                        : FormatNumber(row.percent_increase, "##0%", English)};
            EXPECT_EQ(cells, expected);
        }
    }
}

TEST_F(SummaryReport, NegativeAmountsAndPercentsAreInParentheses)
{
    analyse(Strategy::InterestOnly);
    auto& r = std::get<IntOnlyResults>(results);
    r.summary = {MakeSummaryRow(1, 0.02, 120000, 100000, false), MakeSummaryRow(2, 0, 0, 5000, false)};
    ASSERT_TRUE(print());
    EXPECT_TRUE(printed("(20,000)"));
    EXPECT_TRUE(printed("(17%)"));
    // A zero unleveraged value is a 100 % increase.
    EXPECT_TRUE(printed("100%"));
    EXPECT_FALSE(printed("-20,000"));
}

TEST_F(SummaryReport, LimitedDeductibilityMovesTheTitleUpMoreInFrench)
{
    struct Case {
        Strategy strategy;
        bool limited;
        Language language;
        double offset;  // lines from the sheet's top
    };
    const Case cases[] = {
        {Strategy::InterestOnly, false, English, 2.0}, {Strategy::InterestOnly, true, English, 1.5},
        {Strategy::InterestOnly, true, French, 1.0},   {Strategy::TermLoan, true, English, 1.5},
        {Strategy::TermLoan, true, French, 1.0},       {Strategy::RRSP, false, French, 2.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(StrategyLabel(c.strategy)) + (c.limited ? " limited" : "") +
                     (c.language == French ? " fr" : " en"));
        page = RecordingPage();
        AnalysisInputs in = DefaultInputs();
        in.fedDeductible = c.limited ? 50 : 100;
        analyse(c.strategy, in);
        ASSERT_TRUE(print(c.language));
        const auto texts = page.texts();
        ASSERT_FALSE(texts.empty());
        EXPECT_DOUBLE_EQ(texts.front().y, 1.75 + c.offset - 2.0);
        const int date = indexOf(c.language == French ? "5 janvier 2025" : "January 5, 2025");
        ASSERT_GE(date, 0);
        EXPECT_DOUBLE_EQ(texts[static_cast<std::size_t>(date)].y, 4.0 + c.offset - 2.0);
    }
}

TEST_F(SummaryReport, DateIsRightAlignedWithTheMonthNameOfTheLanguage)
{
    analyse(Strategy::InterestOnly);
    const struct {
        ReportDate date;
        Language language;
        const char* text;
    } cases[] = {{{2025, 1, 5}, English, "January 5, 2025"},
                 {{2025, 1, 5}, French, "5 janvier 2025"},
                 {{2024, 12, 31}, French, "31 décembre 2024"},
                 {{2024, 8, 1}, French, "1er août 2024"},
                 {{2024, 8, 1}, English, "August 1, 2024"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FormatReportDate(SourceCaptions(), c.language, c.date), c.text);
    }
    data.date = {2025, 1, 5};
    ASSERT_TRUE(print(French));
    const auto date = page.findText("5 janvier 2025");
    ASSERT_TRUE(date.has_value());
    EXPECT_NEAR(date->x + MeasureText(page, date->text), 90, 1e-9);
}

TEST_F(SummaryReport, AssumptionsSpellOutEachJurisdictionWhenDeductionIsLimited)
{
    AnalysisInputs in = DefaultInputs();
    in.fedLimited = true;
    in.fedIncludeCG = false;
    in.fedExpenses = 1.5;
    in.provDeductible = 80;
    analyse(Strategy::InterestOnly, in);
    ASSERT_TRUE(print());
    const std::string text = allText();
    EXPECT_NE(text.find("Federal: loan interest deductible up to"), std::string::npos) << text;
    EXPECT_NE(text.find("capital gains excluded from that income; investment expenses of 1.5%"), std::string::npos);
    EXPECT_NE(text.find("Provincial: 80.0% of the loan interest deductible"), std::string::npos);
    EXPECT_TRUE(printed(CaptionOf("Assumptions_IntOnly_Line2b").substr(0, 40)));
    EXPECT_TRUE(printed("(24.0% federal, 16.0% provincial)"));
    // The notes name what is left undeducted after the loan is repaid.
    EXPECT_TRUE(printed("Interest not yet deducted after the loan is repaid"));
}

TEST_F(SummaryReport, AssumptionsCarryTheFiguresOfTheAnalysis)
{
    analyse(Strategy::TermLoan);
    ASSERT_TRUE(print());
    const double payment = std::get<TermResults>(results).schedule.payment;
    EXPECT_TRUE(printed("Term investment loan of $100,000 at 7.0% a year"));
    EXPECT_TRUE(printed(FormatNumber(payment, "$#,##0", English)));
    EXPECT_TRUE(printed("100.0% of the loan interest is deductible"));
    EXPECT_TRUE(printed("Marginal tax rate of 40.0% throughout"));
}

TEST_F(SummaryReport, FrenchFiguresAreNeverSplitAcrossLines)
{
    AnalysisInputs in = DefaultInputs();
    in.loanAmount = 1234567;
    for (Strategy strategy : {Strategy::InterestOnly, Strategy::TermLoan, Strategy::RRSP}) {
        SCOPED_TRACE(StrategyLabel(strategy));
        page = RecordingPage();
        analyse(strategy, in);
        ASSERT_TRUE(print(French));
        // Every amount of the assumptions is whole on one printed line.
        EXPECT_TRUE(printed("1 234 567 $")) << allText();
        for (const PageOp& op : page.texts()) {
            const std::string& t = op.text;
            if (t.empty())
                continue;
            // No line starts with the tail of a figure cut from the line above.
            const bool startsWithTail = t.size() > 1 && (t[0] == '$' || t[0] == '%');
            EXPECT_FALSE(startsWithTail) << t;
        }
    }
}

TEST_F(SummaryReport, LongDisclaimerIsMeasuredInPiecesOfAtMost449Characters)
{
    analyse(Strategy::InterestOnly);
    choose(Closing::Disclaimer);
    std::string longText;
    while (longText.size() < 1200)
        longText += "Borrowing to invest magnifies gains and losses alike. ";
    data.legalDisclaimer = longText;
    page.clearMeasuredLengths();
    ASSERT_TRUE(print());
    bool measuredWhole = false;
    for (std::size_t n : page.measuredLengths()) {
        EXPECT_LE(n, 449u);
        measuredWhole = measuredWhole || n == 449;
    }
    EXPECT_TRUE(measuredWhole);
    EXPECT_TRUE(printed("Borrowing to invest magnifies gains"));
}

TEST_F(SummaryReport, ResultsOfAnotherStrategyAreReportedAndTheDocumentAbandoned)
{
    analyse(Strategy::InterestOnly);
    data.strategy = Strategy::TermLoan;
    EXPECT_FALSE(print());
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_NE(reporter.messages[0].find("term-loan"), std::string::npos) << reporter.messages[0];
    EXPECT_EQ(page.ops().back().kind, PageOp::Kind::Abort);
}

TEST_F(SummaryReport, DeviceFailureNamesTheSectionAndStep)
{
    analyse(Strategy::InterestOnly);
    page.failWhenDrawing(CaptionOf("Assumptions_Title"), PrintError(kPrintErrorPrinter, "Out of paper"));
    EXPECT_FALSE(print());
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_NE(reporter.messages[0].find("PrintAssumptions"), std::string::npos) << reporter.messages[0];
    EXPECT_NE(reporter.messages[0].find("Out of paper"), std::string::npos);
    EXPECT_EQ(page.ops().back().kind, PageOp::Kind::Abort);
}

TEST_F(SummaryReport, PreparedForLineFollowsTheJob)
{
    analyse(Strategy::InterestOnly);
    job.PrintName = true;
    job.PreparedForName = "Jean and Marie Tremblay";
    job.PrintCompanyName = true;
    ASSERT_TRUE(print(French));
    EXPECT_TRUE(printed("Préparé pour\u00A0: Jean and Marie Tremblay"));
    EXPECT_TRUE(printed("Préparé par\u00A0: Alex Martin, Northfield Wealth"));
}

} // namespace
} // namespace gw::test
