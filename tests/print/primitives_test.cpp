// The page primitives on the recording page (90 x 60 units; 10-point text is
// 5/6 of a unit per character and 0.9583 units high).
#include "primitives.h"
#include "recordingpage.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace gw {
namespace {

double Chars(std::size_t n, double size = 10)
{
    return static_cast<double>(n) * size / 12.0;
}

struct Message {
    std::string title;
    std::string text;
    PrintReporter::Icon icon;
};

class FakeReporter : public PrintReporter {
public:
    void report(const std::string& title, const std::string& text, Icon icon) override
    {
        messages.push_back({title, text, icon});
    }
    std::vector<Message> messages;
};

class Primitives : public ::testing::Test {
protected:
    Primitives()
    {
        captions.english = {"PrintoutFooter=Prepared with Gearwise Planner", "PreparedFor=Prepared for:",
                            "PreparedBy=Prepared by: "};
        captions.french = {"PrintoutFooter=Préparé avec Gearwise Planner", "PreparedFor=Préparé pour :",
                           "PreparedBy=Préparé par :"};
        advisor = {"Alex Martin", "Northfield Wealth"};
    }

    PrintContext context(Language language = English)
    {
        return PrintContext{.page = page,
                            .reporter = reporter,
                            .captions = captions,
                            .language = language,
                            .job = job,
                            .advisor = advisor,
                            .sponsorFooter = sponsorFooter};
    }

    RecordingPage page;
    FakeReporter reporter;
    CaptionTables captions;
    PrintJob job;
    AdvisorInfo advisor;
    std::string sponsorFooter;
};

TEST_F(Primitives, CentreX)
{
    EXPECT_DOUBLE_EQ(CentreX(page, 10, 40, "abcdef"), 10 + (40 - Chars(6)) / 2);
    // A text wider than the space starts left of it.
    EXPECT_LT(CentreX(page, 10, 2, "abcdef"), 10);
}

TEST_F(Primitives, CentredBlockCentresEveryTrimmedLine)
{
    PrintContext ctx = context();
    const double next = PrintCentredBlock(ctx, "  alpha beta gamma delta  ", 5, 3, Chars(11), 1.2);
    const auto texts = page.texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "alpha beta");
    EXPECT_EQ(texts[1].text, "gamma delta");
    for (std::size_t i = 0; i < texts.size(); ++i) {
        SCOPED_TRACE(texts[i].text);
        const double middle = texts[i].x + Chars(texts[i].text.size()) / 2;
        EXPECT_DOUBLE_EQ(middle, 5 + Chars(11) / 2);
        EXPECT_DOUBLE_EQ(texts[i].y, 3 + 1.2 * static_cast<double>(i));
    }
    EXPECT_DOUBLE_EQ(next, 3 + 2 * 1.2);
}

TEST_F(Primitives, RightBlockEndsEveryLineAtTheEdge)
{
    PrintContext ctx = context();
    const double next = PrintRightBlock(ctx, "March 5, 2024 and onwards", 78, 4, Chars(14), 1.05);
    const auto texts = page.texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "March 5, 2024");
    EXPECT_EQ(texts[1].text, "and onwards");
    for (const PageOp& op : texts)
        EXPECT_DOUBLE_EQ(op.x + Chars(op.text.size()), 78) << op.text;
    EXPECT_DOUBLE_EQ(texts[1].y, 4 + 1.05);
    EXPECT_DOUBLE_EQ(next, 4 + 2 * 1.05);
}

TEST_F(Primitives, WrappedTextAdvancesByALineAndKeepsInsideTheLimit)
{
    PrintContext ctx = context();
    const double limit = 10 + Chars(20);
    const double next =
        PrintWrappedText(ctx, "The loan interest is deductible when the money is invested to earn income.", 10, 5,
                         limit);
    const auto texts = page.texts();
    ASSERT_EQ(texts.size(), 4u);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        SCOPED_TRACE(texts[i].text);
        EXPECT_DOUBLE_EQ(texts[i].x, 10);
        EXPECT_DOUBLE_EQ(texts[i].y, 5 + 1.05 * static_cast<double>(i));
        EXPECT_LE(texts[i].x + Chars(texts[i].text.size()), limit + 1e-9);
    }
    EXPECT_DOUBLE_EQ(next, 5 + 4 * 1.05);
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(Primitives, WrappedTextThatFitsIsPrintedAsItStands)
{
    PrintContext ctx = context();
    EXPECT_DOUBLE_EQ(PrintWrappedText(ctx, "  Total:", 3, 7, 80), 7 + 1.05);
    ASSERT_EQ(page.texts().size(), 1u);
    EXPECT_EQ(page.texts()[0].text, "  Total:");
}

TEST_F(Primitives, FrenchWrappedTextKeepsFiguresWhole)
{
    PrintContext ctx = context(French);
    // "Votre placement vaudra 1" fits 24 columns; the figure must not be cut there.
    PrintWrappedText(ctx, "Votre placement vaudra 1 234 567 $ dans 25 ans.", 0, 0, Chars(24));
    const auto texts = page.texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "Votre placement vaudra");
    EXPECT_EQ(texts[1].text, "1 234 567 $ dans 25 ans.");
}

TEST_F(Primitives, FigureTooWideForItsColumnPrintsHashes)
{
    PrintContext ctx = context();
    PrintWrappedText(ctx, "(1,234,567)", 50, 10, 50 + Chars(7));
    ASSERT_EQ(page.texts().size(), 1u);
    EXPECT_EQ(page.texts()[0].text, "#######");
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(Primitives, WordTooWideIsReportedAndNothingOfTheBlockIsPrinted)
{
    PrintContext ctx = context();
    const double next = PrintWrappedText(ctx, "See Supercalifragilistic", 5, 3.5, 5 + Chars(10));
    EXPECT_TRUE(page.texts().empty());
    EXPECT_DOUBLE_EQ(next, 3.5);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, "Unable to print text 'See Supercalifragilistic' at (5, 3.5)");
}

TEST_F(Primitives, LargeFontsDoNotOverlap)
{
    PrintContext ctx = context();
    page.setFont({"Arial", 14, true});
    PrintWrappedText(ctx, "one two three four", 0, 0, Chars(10, 14));
    const auto texts = page.texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_GE(texts[1].y - texts[0].y, page.textHeight());
}

TEST_F(Primitives, CheckItemPrintsTheMarkBesideTheFirstLine)
{
    for (const bool marked : {true, false}) {
        SCOPED_TRACE(marked ? "marked" : "not marked");
        RecordingPage itemPage;
        PrintContext itemCtx{.page = itemPage, .reporter = reporter, .captions = captions, .job = job,
                             .advisor = advisor};
        itemPage.setFont({"Times New Roman", 12, false});
        const double next =
            PrintCheckItem(itemCtx, 6, 8, marked, "Loan payments can be met from income alone", 10, 6 + Chars(25));
        const auto texts = itemPage.texts();
        ASSERT_EQ(texts.size(), marked ? 3u : 2u);
        std::size_t first = 0;
        if (marked) {
            EXPECT_EQ(texts[0].text, kMarkGlyph);
            EXPECT_EQ(texts[0].font.face, kMarkFace);
            EXPECT_DOUBLE_EQ(texts[0].x, 4);
            EXPECT_DOUBLE_EQ(texts[0].y, 8);
            first = 1;
        }
        EXPECT_EQ(texts[first].text, "Loan payments can be met");
        EXPECT_EQ(texts[first].font, (PageFont{"Times New Roman", 10, false}));
        EXPECT_DOUBLE_EQ(texts[first].x, 6);
        EXPECT_DOUBLE_EQ(texts[first].y, 8);
        EXPECT_DOUBLE_EQ(texts[first + 1].y, 8 + 1.05);
        EXPECT_DOUBLE_EQ(next, 8 + 2 * 1.05);
        EXPECT_EQ(itemPage.font(), (PageFont{"Times New Roman", 10, false}));
    }
}

TEST_F(Primitives, PreparedLines)
{
    struct Case {
        const char* name;
        bool printName;
        bool printCompany;
        const char* company;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"name and company", true, true, "Northfield Wealth",
         {"Prepared for: Jean and Marie Tremblay", "Prepared by: Alex Martin, Northfield Wealth"}},
        {"no client name", false, true, "Northfield Wealth", {"Prepared by: Alex Martin, Northfield Wealth"}},
        {"company not asked for", true, false, "Northfield Wealth",
         {"Prepared for: Jean and Marie Tremblay", "Prepared by: Alex Martin"}},
        {"blank company", false, true, "   ", {"Prepared by: Alex Martin"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingPage linesPage;
        PrintJob caseJob{.PreparedForName = " Jean and Marie Tremblay ", .PrintName = c.printName,
                         .PrintCompanyName = c.printCompany};
        AdvisorInfo caseAdvisor{"Alex Martin", c.company};
        PrintContext ctx{.page = linesPage, .reporter = reporter, .captions = captions, .job = caseJob,
                         .advisor = caseAdvisor};
        double y = 6;
        PrintPreparedLines(ctx, y);
        const auto texts = linesPage.texts();
        ASSERT_EQ(texts.size(), c.lines.size());
        for (std::size_t i = 0; i < texts.size(); ++i) {
            EXPECT_EQ(texts[i].text, c.lines[i]);
            EXPECT_DOUBLE_EQ(texts[i].x, 0);
            EXPECT_DOUBLE_EQ(texts[i].y, 6 + 1.05 * static_cast<double>(i));
        }
        EXPECT_DOUBLE_EQ(y, 6 + 1.05 * static_cast<double>(c.lines.size()));
    }
}

TEST_F(Primitives, FooterIsCentredNearTheBottomWithTheSponsorLineBelow)
{
    for (const std::string sponsor : {"Northfield Securities Inc. - Member CIPF", "", "   "}) {
        SCOPED_TRACE("sponsor footer '" + sponsor + "'");
        RecordingPage footerPage;
        footerPage.setFont({"Arial", 12, true});
        PrintContext ctx{.page = footerPage, .reporter = reporter, .captions = captions, .job = job,
                         .advisor = advisor, .sponsorFooter = sponsor};
        PrintFooter(ctx);
        const auto texts = footerPage.texts();
        const bool withSponsor = !TrimBlanks(sponsor).empty();
        ASSERT_EQ(texts.size(), withSponsor ? 2u : 1u);
        EXPECT_EQ(texts[0].text, "Prepared with Gearwise Planner");
        EXPECT_DOUBLE_EQ(texts[0].y, 58);
        for (const PageOp& op : texts) {
            EXPECT_EQ(op.font, (PageFont{"Arial", 8, false}));
            EXPECT_DOUBLE_EQ(op.x + Chars(op.text.size(), 8) / 2, 45) << op.text;
            EXPECT_LE(op.y + 8 * 1.15 / 12, 60);
        }
        if (withSponsor) {
            EXPECT_EQ(texts[1].text, sponsor);
            EXPECT_DOUBLE_EQ(texts[1].y, 58 + 0.96);
        }
        EXPECT_EQ(footerPage.font(), (PageFont{"Arial", 12, true}));
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
    const auto texts = page.texts();
    ASSERT_GE(texts.size(), 3u);
    const double lineHeight = 8 * 1.15 / 12;
    for (std::size_t i = 1; i < texts.size(); ++i)
        EXPECT_GE(texts[i].y, texts[i - 1].y + lineHeight) << texts[i].text;
    EXPECT_EQ(texts.back().text, "Northfield Securities Inc.");
    EXPECT_LE(texts.back().y + lineHeight, 60 + 1e-9);
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
    const double bottom = BodyBottom(ctx);
    const double next = PrintWrappedText(ctx, text, 0, 40, Chars(8));

    int bodyLines = 0;
    int footers = 0;
    int lastPage = 1;
    for (const PageOp& op : page.ops()) {
        if (op.kind == PageOp::Kind::NewPage) {
            EXPECT_EQ(footers, lastPage) << "the full page " << lastPage << " has its footer";
            lastPage = op.page;
        }
        if (op.kind != PageOp::Kind::Text)
            continue;
        if (op.text == "Prepared with Gearwise Planner") {
            ++footers;
            continue;
        }
        EXPECT_EQ(op.text, "Line" + std::to_string(1000 + bodyLines));
        EXPECT_LE(op.y + page.textHeight(), bottom + 1e-9) << op.text;
        if (op.page > 1 && bodyLines > 0 && op.y < 2) {
            EXPECT_DOUBLE_EQ(op.y, ctx.continuationTop);
        }
        ++bodyLines;
    }
    EXPECT_EQ(bodyLines, 300);
    EXPECT_GT(page.pageNumber(), 5);
    EXPECT_EQ(footers, page.pageNumber() - 1);
    EXPECT_GT(next, ctx.continuationTop);
    EXPECT_LT(next, bottom + 1.05);
}

TEST_F(Primitives, NoPageBreakWithoutFooterWhenAskedNotTo)
{
    PrintContext ctx = context();
    ctx.footerOnPageBreak = false;
    PrintCentredBlock(ctx, "a b c d e f", 0, 56, Chars(1), 1.05);
    EXPECT_FALSE(page.findText("Prepared with"));
    EXPECT_EQ(page.pageNumber(), 2);
}

TEST(PrintFailureMessage, NamesTheErrorSectionPlaceAndDriver)
{
    const PrintFailurePlace place{12.5, 40.25, {"Arial", 10, false}, "HP LaserJet 4"};
    const std::string general =
        PrintFailureMessage(PrintError(482, "Printer error"), "OnePageSummary - Body", 6, place);
    EXPECT_EQ(general.rfind("An error has occured while printing this document.\n", 0), 0u);
    EXPECT_NE(general.find("apologize"), std::string::npos);
    for (const char* line : {"\nError 482\nPrinter error\n",
                             "\nThis error occured while running 'OnePageSummary - Body, step 6'.\n",
                             "\nCurrentX = 12.5 CurrentY = 40.25 Font Name = Arial\n", "\nFont Size = 10\n",
                             "\nPrinter Driver Name = HP LaserJet 4"}) {
        EXPECT_NE(general.find(line), std::string::npos) << line;
    }
    const std::string driver = PrintFailureMessage(PrintError(438, "Object doesn't support this property or method"),
                                                   "PrintAssumptions", 2, place);
    EXPECT_EQ(driver.rfind("There is a compatability issue between this program and the printer driver that you "
                           "are using.\n",
                           0),
              0u);
    EXPECT_NE(driver.find("We apologize for any inconvenience this may have caused."), std::string::npos);
    EXPECT_NE(driver.find("\nError 438\n"), std::string::npos);
}

TEST_F(Primitives, FailedDocumentIsReportedAndAbandoned)
{
    page.failWhenDrawing("Boom", PrintError(482, "Paper jam"));
    PrintContext ctx = context();
    const bool ok = RunPrintedDocument(ctx, [](PrintContext& c) {
        c.section = "PrintAssumptions";
        c.step = 5;
        c.page.drawText(3, 4, "Fine");
        c.page.drawText(7, 9, "Boom");
        c.page.drawText(0, 0, "Never");
    });
    EXPECT_FALSE(ok);
    ASSERT_EQ(reporter.messages.size(), 1u);
    const Message& m = reporter.messages[0];
    EXPECT_EQ(m.icon, PrintReporter::Icon::Error);
    EXPECT_NE(m.text.find("Error 482\nPaper jam"), std::string::npos);
    EXPECT_NE(m.text.find("'PrintAssumptions, step 5'"), std::string::npos);
    EXPECT_NE(m.text.find("CurrentX = 6.33 CurrentY = 4 Font Name = Arial"), std::string::npos);
    EXPECT_NE(m.text.find("Printer Driver Name = Recording page"), std::string::npos);
    EXPECT_EQ(page.ops().back().kind, PageOp::Kind::Abort);
    EXPECT_FALSE(page.findText("Never"));
    // An abandoned document takes no more drawing.
    EXPECT_THROW(page.drawText(0, 0, "late"), PrintError);
}

TEST_F(Primitives, AnyOtherFailureIsReportedToo)
{
    PrintContext ctx = context();
    EXPECT_FALSE(RunPrintedDocument(ctx, [](PrintContext&) { throw std::runtime_error("no results"); }));
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_NE(reporter.messages[0].text.find("Error 51\nno results"), std::string::npos);
}

TEST_F(Primitives, SuccessfulDocumentIsEnded)
{
    PrintContext ctx = context();
    EXPECT_TRUE(RunPrintedDocument(ctx, [](PrintContext& c) { PrintFooter(c); }));
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(page.ops().front().kind, PageOp::Kind::Begin);
    EXPECT_EQ(page.ops().back().kind, PageOp::Kind::End);
}

} // namespace
} // namespace gw
