// The page primitives on the recording page: 90 x 60 units, text of size s
// is s/12 of a unit per character (10 points: 5/6) and s x 1.15/12 high.
// Every expected position below is worked out from that rule by hand.
#include "golden.h"
#include "report_fixture.h"
#include "reports_common.h"
#include "reports_table.h"

#include <gtest/gtest.h>

#include <map>

#include <stdexcept>
#include <string>
#include <vector>

namespace gw::test {
namespace {

double Chars(double n, double size = 10)
{
    return n * size / 12.0;
}

class Primitives : public ReportFixture {
protected:
    Primitives()
    {
        // One label ends with a blank and one does not: either way one blank follows it.
        captions.english = {"PrintoutFooter=Prepared with Gearwise Planner", "PreparedFor=Prepared for:",
                            "PreparedBy=Prepared by: ", "PageNofM=Page <1> of <2>"};
    }

    PrintContext context(Language language = English)
    {
        return PrintContext{.page = page, .reporter = reporter, .captions = captions, .language = language,
                            .job = job, .advisor = advisor, .sponsorFooter = sponsorFooter};
    }

    std::vector<std::string> texts() const
    {
        std::vector<std::string> result;
        for (const PageOp& op : page.texts())
            result.push_back(op.text);
        return result;
    }

    CaptionTables captions;
    std::string sponsorFooter;
};

TEST_F(Primitives, AlignedBlocksCentreOrRightAlignEveryTrimmedLine)
{
    PrintContext ctx = context();
    EXPECT_DOUBLE_EQ(PrintCentredBlock(ctx, "  alpha beta gamma delta  ", 5, 3, Chars(11), 1.2), 3 + 2 * 1.2);
    EXPECT_DOUBLE_EQ(PrintRightBlock(ctx, "March 5, 2024 and onwards", 78, 4, Chars(14), 1.05), 4 + 2 * 1.05);
    EXPECT_EQ(PageDump(page), "begin\n"
                              "text 5.417,3 Arial 10 \"alpha beta\"\n"      // 5 + (11 - 10) x 5/6 / 2
                              "text 5,4.2 Arial 10 \"gamma delta\"\n"       // 11 of 11 columns
                              "text 67.167,4 Arial 10 \"March 5, 2024\"\n"  // 78 - 13 x 5/6
                              "text 68.833,5.05 Arial 10 \"and onwards\"\n");  // 78 - 11 x 5/6
}

// Lines of PrintWrappedText from (x, 5), each 1.05 line heights (of at least a line) below the last.
TEST_F(Primitives, WrappedText)
{
    const struct {
        Language language;
        double size, x, columns;
        const char* text;
        std::vector<std::string> lines;
        double pitch;
    } cases[] = {
        {English, 10, 10, 20, "The loan interest is deductible when the money is invested to earn income.",
         {"The loan interest is", "deductible when the", "money is invested to", "earn income."}, 1.05},
        {English, 10, 3, 90, "  Total:", {"  Total:"}, 1.05},  // a text that fits is printed as it stands
        // "Votre placement vaudra 1" fits 24 columns; the figure must not be cut there.
        {French, 10, 0, 24, "Votre placement vaudra 1 234 567 $ dans 25 ans.",
         {"Votre placement vaudra", "1 234 567 $ dans 25 ans."}, 1.05},
        {English, 10, 50, 7, "(1,234,567)", {"(1,234,", "567)"}, 1.05},  // too wide: cut, never "#"
        {English, 14, 0, 10, "one two three four", {"one two", "three four"}, 1.05 * 14 * 1.15 / 12},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        page = RecordingPage();
        page.setFont({"Arial", c.size, false});
        PrintContext ctx = context(c.language);
        const double next = PrintWrappedText(ctx, c.text, c.x, 5, c.x + Chars(c.columns, c.size));
        EXPECT_EQ(texts(), c.lines);
        for (std::size_t i = 0; i < page.texts().size(); ++i) {
            EXPECT_DOUBLE_EQ(page.texts()[i].x, c.x);
            EXPECT_NEAR(page.texts()[i].y, 5 + c.pitch * static_cast<double>(i), 1e-12);
        }
        EXPECT_NEAR(next, 5 + c.pitch * static_cast<double>(c.lines.size()), 1e-12);
        EXPECT_TRUE(reporter.messages.empty());
    }
}

// Columns "1", "2", "3" need 10/12 + 2 of padding each; the group head's
// longest word "extraordinary" over the first two needs 13 x 10/12 + 2 = 12.8333, so each
// of them takes half. Of a width of 18.6667, the 3 left over goes to the
// three columns alike.
TEST_F(Primitives, GroupHeadWiderThanItsColumnsWidensThemAlike)
{
    report::ReportTable table;
    table.groupRows = {{{"So extraordinary a head", 0, 1}}};
    table.heads = {{"A"}, {"B"}, {"C"}};
    table.rows = {{"1", "2", "3"}};
    page.setFont({"Arial", 10, false});
    const report::TableLayout layout = report::LayOutTable(page, table, 2, 12.8333333333 + Chars(1) + 2 + 3);
    EXPECT_EQ(layout.fontSize, 10);
    ASSERT_EQ(layout.widths.size(), 3u);
    EXPECT_NEAR(layout.widths[0], 12.8333333333 / 2 + 1, 1e-6);
    EXPECT_NEAR(layout.widths[1], 12.8333333333 / 2 + 1, 1e-6);
    EXPECT_NEAR(layout.widths[2], Chars(1) + 2 + 1, 1e-6);
    EXPECT_NEAR(layout.lefts[2], 2 + 12.8333333333 + 2, 1e-6);
    // With no room to spare, nothing is shared out; the widest figure sets a column.
    table.groupRows.clear();
    table.rows = {{"100", "2", "3"}};
    const double column = Chars(1) + 2;
    EXPECT_EQ(report::LayOutTable(page, table, 0, Chars(3) + 2 + column + column).widths,
              (std::vector<double>{Chars(3) + 2, column, column}));
}

// A block ending exactly at the body's bottom still fits; a hair more does not.
TEST_F(Primitives, BlockEndingAtTheBodyBottomFits)
{
    PrintContext ctx = context();
    const double room = BodyBottom(ctx) - 10;  // exact: 10 + room is the bottom again
    EXPECT_EQ(report::EnsureRoom(ctx, 10, room), 10);
    EXPECT_EQ(report::EnsureRoom(ctx, 10, room + 1e-9), ctx.continuationTop);
}

// Heads take a line only when they hold text.
TEST_F(Primitives, EmptyHeadsTakeNoLine)
{
    report::ReportTable table;
    table.rows = {{"1", "2"}};
    const auto rowY = [&](std::vector<std::vector<std::string>> heads) {
        table.heads = std::move(heads);
        page = RecordingPage();
        PrintContext ctx = context();
        report::PrintReportTable(ctx, table, 10, 0, Chars(16));
        return page.findText("1")->y;
    };
    EXPECT_NEAR(rowY({{"A"}, {"B"}}) - rowY({{}, {}}), 1.05 * 1.15 * 10 / 12, 1e-9);
}

// A group head of two lines and one of one share a bottom line, above their
// rule; the table's heads never end a page without two rows below them.
TEST_F(Primitives, TableHeadsStayWithTheirFirstRows)
{
    report::ReportTable table;
    table.groupRows = {{{"Leveraged investment", 0, 0}, {"Loan", 1, 1}}};
    table.heads = {{"Value"}, {"Interest"}};
    table.rows = {{"1", "2"}, {"3", "4"}, {"5", "6"}};
    const double pitch = 1.05 * 1.15 * 10 / 12;
    for (double top = 48; top < 57.75; top += 0.05) {
        page = RecordingPage();
        PrintContext ctx = context();
        page.setFont({"Arial", 10, false});
        report::PrintReportTable(ctx, table, top, 0, Chars(24));
        std::map<std::string, PageOp> at;
        for (const PageOp& op : page.texts())
            at.emplace(op.text, op);  // the first, before any heads printed again
        SCOPED_TRACE(top);
        ASSERT_EQ(at.count("Leveraged"), 1u);
        EXPECT_NEAR(at["Loan"].y, at["Leveraged"].y + pitch, 1e-9);
        EXPECT_NEAR(at["investment"].y, at["Loan"].y, 1e-9);
        EXPECT_EQ(at["1"].page, at["Value"].page);
        EXPECT_EQ(at["3"].page, at["Value"].page);
        // A group past the columns is left out, the room for its line too.
        const std::string dump = PageDump(page);
        page = RecordingPage();
        page.setFont({"Arial", 10, false});
        table.groupRows.push_back({{"Ghost", 2, 3}});
        report::PrintReportTable(ctx, table, top, 0, Chars(24));
        table.groupRows.pop_back();
        EXPECT_EQ(PageDump(page), dump);
    }
}

TEST_F(Primitives, PreparedLines)
{
    const struct {
        bool printName, printCompany;
        const char* company;
        std::vector<std::string> lines;
        const char* name = "Alex Martin";
    } cases[] = {
        {true, true, "Northfield Wealth", {"Prepared for: Jean and Marie Tremblay", "Prepared by: Alex Martin, Northfield Wealth"}},
        {false, true, "Northfield Wealth", {"Prepared by: Alex Martin, Northfield Wealth"}},
        {true, false, "Northfield Wealth", {"Prepared for: Jean and Marie Tremblay", "Prepared by: Alex Martin"}},
        {false, true, "   ", {"Prepared by: Alex Martin"}},
        // Without an advisor's name: the company alone, or no Prepared-by line at all.
        {true, true, "Northfield Wealth", {"Prepared for: Jean and Marie Tremblay", "Prepared by: Northfield Wealth"}, " "},
        {true, false, "Northfield Wealth", {"Prepared for: Jean and Marie Tremblay"}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines.back());
        page = RecordingPage();
        job = {.PreparedForName = " Jean and Marie Tremblay ", .PrintName = c.printName, .PrintCompanyName = c.printCompany};
        advisor = {c.name, c.company};
        PrintContext ctx = context();
        double y = 6;
        PrintPreparedLines(ctx, y, 2);
        EXPECT_EQ(texts(), c.lines);
        EXPECT_DOUBLE_EQ(page.texts().back().x, 2);
        EXPECT_DOUBLE_EQ(y, 6 + 1.05 * static_cast<double>(c.lines.size()));
    }
}

// In 8 points (2/3 unit a character, 0.7667 high, 0.805 apart) centred on
// 45, two lines above the bottom; the sponsor's line 0.96 below; the page
// number right-aligned on a line of its own, the block growing upwards when
// it needs more than two lines; the font is restored.
TEST_F(Primitives, FooterIsCentredNearTheBottomWithTheSponsorLineBelow)
{
    const std::string footer = "begin\ntext 35,58 Arial 8 \"Prepared with Gearwise Planner\"\n"  // 45 - 30 / 3
                               "text 82.667,58.805 Arial 8 \"Page 2 of 3\"\n";                    // 90 - 11 x 2/3
    for (const auto& [sponsor, expected] :
         {std::pair<std::string, std::string>{"Northfield Securities Inc. - Member CIPF",  // 45 - 40 / 3
                                              "begin\ntext 35,57.468 Arial 8 \"Prepared with Gearwise Planner\"\n"
                                              "text 31.667,58.428 Arial 8 \"Northfield Securities Inc. - Member CIPF\"\n"
                                              "text 82.667,59.233 Arial 8 \"Page 2 of 3\"\n"},
          {"", footer},
          {"   ", footer}}) {
        page = RecordingPage();
        page.setFont({"Arial", 12, true});
        sponsorFooter = sponsor;
        PrintContext ctx = context();
        ctx.pageCount = 3;
        ctx.firstPage = 0;  // the report began on the page before
        PrintFooter(ctx);

        EXPECT_EQ(PageDump(page), expected);
        EXPECT_EQ(page.font(), (PageFont{"Arial", 12, true}));
    }
}

TEST_F(Primitives, WrappedFooterCaptionIsNotOverprinted)
{
    std::string longFooter = "PrintoutFooter=";
    for (int i = 0; i < 30; ++i)
        longFooter += "Illustration only, not a guarantee. ";
    captions.english.push_back(longFooter);
    sponsorFooter = "Northfield Securities Inc.";
    PrintContext ctx = context();
    PrintFooter(ctx);
    const auto ops = page.texts();
    ASSERT_GE(ops.size(), 3u);
    const double lineHeight = 8 * 1.15 / 12;
    for (std::size_t i = 1; i < ops.size(); ++i)
        EXPECT_GE(ops[i].y, ops[i - 1].y + lineHeight) << ops[i].text;
    EXPECT_EQ(ops.back().text, "Northfield Securities Inc.");
    // The footer grows upwards from the bottom, the page number's line below it.
    EXPECT_NEAR(ops.back().y + 1.05 * lineHeight + lineHeight, 60, 1e-9);
}

// A block that runs past the bottom of the body goes on at the top of a new
// page, after the footer of the full page; nothing is lost (300 lines, well
// past any fixed line buffer) and nothing lands on the footer.
TEST_F(Primitives, LongTextContinuesOnNewPages)
{
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += "Line" + std::to_string(1000 + i) + " ";
    PrintContext ctx = context();
    EXPECT_DOUBLE_EQ(BodyBottom(ctx), 57.75);  // a quarter line above the footer at 58
    const double next = PrintWrappedText(ctx, text, 0, 40, Chars(8));
    int bodyLines = 0, footers = 0;
    for (const PageOp& op : page.ops()) {
        if (op.kind == PageOp::Kind::NewPage) {
            EXPECT_EQ(footers, op.page - 1) << "the full page " << op.page - 1 << " has its footer";
        }
        if (op.kind != PageOp::Kind::Text)
            continue;
        if (op.text == "Prepared with Gearwise Planner") {
            ++footers;
            continue;
        }
        EXPECT_EQ(op.text, "Line" + std::to_string(1000 + bodyLines));
        // 16 lines fit from 40 (the 17th would end at 57.76), 54 from the top of a new page at 1.
        EXPECT_NEAR(op.y, bodyLines < 16 ? 40 + 1.05 * bodyLines : 1 + 1.05 * ((bodyLines - 16) % 54), 1e-9) << op.text;
        ++bodyLines;
    }
    EXPECT_EQ(bodyLines, 300);
    EXPECT_EQ(footers, page.pageNumber() - 1);
    EXPECT_NEAR(next, 1 + 1.05 * ((300 - 16) % 54), 1e-9);

    // Seventeen lines from 40 would leave the last alone: the last two go on together.
    page = RecordingPage();
    PrintWrappedText(ctx, text.substr(0, 17 * 9), 0, 40, Chars(8));
    EXPECT_EQ(page.findText("Line1015")->page, 2);
    EXPECT_EQ(page.findText("Line1014")->page, 1);
}

// A form's footer is its page number alone, on the page's last line.
TEST_F(Primitives, FormFooterIsThePageNumberAlone)
{
    PrintContext ctx = context();
    ctx.illustrationFooter = false;
    ctx.pageCount = 2;
    PrintCentredBlock(ctx, "a b c d e f", 0, 56, Chars(1), 1.05);
    EXPECT_FALSE(page.findText("Prepared with"));
    EXPECT_NEAR(page.findText("Page 1 of 2")->y, 60 - 1.05 * 8 * 1.15 / 12, 1e-9);
    EXPECT_EQ(page.pageNumber(), 2);
}

// What the user reads for every kind of error, to a file and to a printer,
// in both languages; and what goes to support.
TEST(PrintFailureMessage, SaysWhatFailedAndWhatToDo)
{
    std::string all;
    for (Language language : {English, French}) {
        for (int number : {51, 53, 438, 481, 482, 484}) {
            for (const PrintTarget& target : {PrintTarget{true, "/home/advisor/Documents/Lee.pdf"},
                                              PrintTarget{false, "HP LaserJet 4"}, PrintTarget{false, ""}}) {
                all += std::to_string(number) + " " + target.name + ":\n" +
                       PrintFailureMessage(SourceCaptions(), language, PrintError(number, "x"), target) + "\n\n";
            }
        }
    }
    const PrintFailurePlace place{12.5, 40.25, {"Arial", 10, false}, "HP LaserJet 4"};
    all += PrintFailureDetails(PrintError(482, "Printer error"), "OnePageSummary - Body", 6, place);
    ExpectGolden(all, "print/golden/failure_messages.txt");
}

TEST_F(Primitives, FailedDocumentIsReportedAndAbandoned)
{
    PrintContext ctx = context();
    page.failWhenDrawing("Boom", PrintError(482, "Paper jam"));
    EXPECT_FALSE(RunPrintJob(ctx, {[](PrintContext& c) {
        c.section = "PrintAssumptions";
        c.step = 5;
        c.page.drawText(3, 4, "Fine");
        c.page.drawText(7, 9, "Boom");
        c.page.drawText(0, 0, "Never");
    }}));
    ASSERT_EQ(reporter.messages.size(), 1u);
    ASSERT_EQ(reporter.support.size(), 1u);
    // The place is where "Fine" ended: 3 + 4 characters of 5/6.
    for (const char* part : {"'PrintAssumptions, step 5'", "CurrentX = 6.33 CurrentY = 4 Font Name = Arial"})
        EXPECT_NE(reporter.support[0].find(part), std::string::npos) << part;
    EXPECT_EQ(page.ops().back().kind, PageOp::Kind::Abort);
    EXPECT_FALSE(page.findText("Never"));
    EXPECT_THROW(page.drawText(0, 0, "late"), PrintError);  // an abandoned document takes no more drawing

    // Any other failure is an internal error.
    page = RecordingPage();
    EXPECT_FALSE(RunPrintJob(ctx, {[](PrintContext&) { throw std::runtime_error("no results"); }}));
    ASSERT_EQ(reporter.messages.size(), 2u);
    EXPECT_NE(reporter.support[1].find("error 51\nno results"), std::string::npos);
    EXPECT_EQ(page.ops().back().kind, PageOp::Kind::Abort);
}

} // namespace
} // namespace gw::test
