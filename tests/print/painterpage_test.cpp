// The printer and PDF back end on a headless QGuiApplication, writing PDF
// files into a temporary folder and reading their text back with pdftotext.
// GEARWISE_KEEP_REPORTS=<folder> keeps the rendered reports there for a look.
#include "painterpage.h"
#include "report_fixture.h"

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

namespace gw::test {
namespace {

// The text of a PDF (with `option` "-bbox" its words' boxes in points);
// empty when pdftotext is not installed.
std::string PdfText(const std::filesystem::path& file, const char* option = "-layout")
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    QProcess process;
    if (!tool.isEmpty())
        process.start(tool, {QString::fromLatin1(option), QString::fromStdString(file.string()), QStringLiteral("-")});
    return !tool.isEmpty() && process.waitForFinished(30000) ? process.readAllStandardOutput().toStdString() : "";
}

class Device : public ReportFixture {
protected:
    std::filesystem::path path(const char* name) const { return std::filesystem::path(dir.path().toStdString()) / name; }

    PrintContext context(Page& device, Language language = English)
    {
        return PrintContext{.page = device, .reporter = reporter, .captions = SourceCaptions(), .language = language,
                            .job = job, .advisor = advisor, .sponsorFooter = "Northway Securities Inc."};
    }

    QTemporaryDir dir;
};

TEST_F(Device, MeasuresInPageUnits)
{
    PainterPage device(PdfOutput{path("unused.pdf")});
    EXPECT_NEAR(device.printableSize().width, 90, 0.01);   // 7.5 inches in twelfths
    EXPECT_NEAR(device.printableSize().height, 60, 0.01);  // 10 inches in sixths
    device.setFont({"Arial", 10, false});
    EXPECT_NEAR(device.textHeight(), 11.5 / 12, 1e-9);  // 1.15 em of 10 points, in lines of 12 points
    // 10-point lowercase text averages about half an em: 5/6 unit a character.
    const double width = device.textWidth("the quick brown fox jumps over the lazy dog");
    EXPECT_GT(width, 43 * 0.6);
    EXPECT_LT(width, 43 * 1.0);
    EXPECT_GT(device.textWidth("MMMM"), device.textWidth("iiii"));
    const double regular = device.textWidth("Leverage");
    device.setFont({"Arial", 10, true});
    EXPECT_GT(device.textWidth("Leverage"), regular);
    device.setFont({"Arial", 20, false});
    EXPECT_NEAR(device.textWidth("Leverage"), 2 * regular, 0.05 * regular);
    // Measuring needs no open document and leaves no file behind.
    EXPECT_FALSE(std::filesystem::exists(path("unused.pdf")));
}

// A unit is 1/12 inch across and 1/6 inch down from the half-inch margins:
// (12, 6) is 1.5 inches, 108 points, from the sheet's left and top edges.
// A 3:1 picture keeps its shape inside its box.
TEST_F(Device, DrawsWhereThePageUnitsSay)
{
    const auto logo = path("logo.png");
    QImage image(120, 40, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(QString::fromStdString(logo.string())));
    PainterPage device(PdfOutput{path("where.pdf")});
    device.drawText(12, 6, "Marker");
    const PageSize wide = device.drawPicture(logo, 0, 10, 12, 3);  // 1 inch wide, so 1/3 inch (2 units) high
    EXPECT_NEAR(wide.width, 12, 1e-6);
    EXPECT_NEAR(wide.height, 2, 1e-6);
    EXPECT_NEAR(device.currentY(), 12, 1e-6);
    const PageSize low = device.drawPicture(logo, 0, 20, 24, 1);  // 1/6 inch high, so 1/2 inch (6 units) wide
    EXPECT_NEAR(low.width, 6, 1e-6);
    EXPECT_NEAR(low.height, 1, 1e-6);
    // A new page starts at its top left, on either back end.
    RecordingPage recording;
    for (Page* page : std::initializer_list<Page*>{&device, &recording}) {
        page->drawPicture(logo, 3, 30, 12, 3);
        page->newPage();
        EXPECT_EQ(page->currentX(), 0);
        EXPECT_EQ(page->currentY(), 0);
    }
    device.endDocument();
    const std::string boxes = PdfText(path("where.pdf"), "-bbox");
    if (boxes.empty())
        GTEST_SKIP() << "pdftotext is not installed";
    const std::size_t word = boxes.rfind("<word", boxes.find(">Marker<"));
    ASSERT_NE(word, std::string::npos) << boxes;
    EXPECT_NEAR(std::stod(boxes.substr(boxes.find("xMin=\"", word) + 6)), 108, 0.5);
    // The word's box starts a little above the line: the face's tallest glyphs.
    EXPECT_NEAR(std::stod(boxes.substr(boxes.find("yMin=\"", word) + 6)), 108, 2.5);
}

TEST(InstalledFontFamily, MapsReportFacesToInstalledOnes)
{
    for (const char* face : {"Arial", "Times New Roman", "Wingdings", "No Such Face"}) {
        const QString family = InstalledFontFamily(face);
        // QFontInfo may add the foundry: "Nimbus Sans [urw]".
        EXPECT_TRUE(QFontInfo(QFont(family)).family().startsWith(family)) << face << ": " << family.toStdString();
    }
    // Metric twins first: Arial text set in a wider face would overflow its columns.
    const QStringList installed = QFontDatabase::families();
    const auto has = [&installed](const char* family) { return !installed.filter(QLatin1String(family)).isEmpty(); };
    if (has("Nimbus Sans") && !has("Liberation Sans") && !has("Arimo")) {
        EXPECT_EQ(InstalledFontFamily("Arial"), QStringLiteral("Nimbus Sans"));
    }
    EXPECT_NE(InstalledFontFamily("Arial"), InstalledFontFamily("Times New Roman"));
    EXPECT_TRUE(QFontMetricsF(QFont(InstalledFontFamily("Wingdings"))).inFont(QChar(0x2714)));
}

// A failed document is reported and leaves no file behind; so is a printer that does not exist.
TEST_F(Device, FailureIsReportedAndNoFileIsLeft)
{
    const struct {
        const char* file;
        const char* error;
        bool picture;  // draws a picture that is missing
    } cases[] = {{"no-such-folder/report.pdf", "error 482", false}, {"checklist.pdf", "error 53", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        reporter = RecordingReporter();
        PainterPage device(PdfOutput{path(c.file)});
        PrintContext ctx = context(device);
        ctx.target = {true, path(c.file).string()};
        EXPECT_FALSE(RunPrintJob(ctx, {[&](PrintContext& p) {
            p.page.drawText(1, 1, "Suitability");
            if (c.picture)
                p.page.drawPicture(path("print-english.gif"), 0, 2, 20, 5);
        }}));
        ASSERT_EQ(reporter.messages.size(), 1u);
        EXPECT_NE(reporter.support[0].find(c.error), std::string::npos) << reporter.support[0];
        EXPECT_FALSE(std::filesystem::exists(path(c.file)));
    }
    PainterPage printer(PrinterOutput{"No Such Printer 4711"});
    PrintContext ctx = context(printer);
    EXPECT_FALSE(RunPrintJob(ctx, {[](PrintContext&) {}}));
    EXPECT_NE(reporter.support.back().find("error 484"), std::string::npos) << reporter.support.back();
}

// Blanks as pdftotext gives them: no-break spaces become plain blanks.
std::string Blanks(std::string text)
{
    for (const char* space : {"\u00A0", "\u202F"})
        for (std::size_t at; (at = text.find(space)) != std::string::npos;)
            text.replace(at, std::string_view(space).size(), " ");
    return text;
}

// A figure as the reports print it: "1,234", "(1 234)", "12.5%", "-4,0 %", "$7".
bool IsFigure(const std::string& text)
{
    static const std::regex figure(R"(\(?-?\$?\d{1,3}([, ]\d{3})*([.,]\d+)?( ?[%$])?\)?)");
    return std::regex_match(text, figure);
}

// Inputs at the edges of what the windows accept, each horizon of 1, 10, 40
// and 80 years among them.
std::vector<std::pair<std::string, AnalysisInputs>> GridInputs()
{
    std::vector<std::pair<std::string, AnalysisInputs>> grid;
    AnalysisInputs in = DefaultInputs();
    grid.emplace_back("defaults", in);
    in.loanAmount = 99'999'999, in.interestRate = 50, in.taxRate = 99, in.savingsPeriod = 80;
    in.returns = {20, -99, 0, 19.9}, in.projectionReturn = 20, in.fedLimited = true, in.provDeductible = 0;
    grid.emplace_back("largest", in);
    in.savingsPeriod = 40, in.timesRepeated = 1, in.fedLimited = false, in.provLimited = true;
    in.fedDeductible = 50, in.provDeductible = 100, in.returns = {-99, -50, -10, -0.5}, in.projectionReturn = -99;
    grid.emplace_back("losing", in);
    in.savingsPeriod = 1, in.loanAmount = 1, in.interestRate = 1;
    grid.emplace_back("smallest", in);
    return grid;
}

// Every report of every strategy over the grid, in both languages, as PDF:
// every figure it prints (on the recording page: the golden files hold them)
// is whole in the PDF's text, no "#" stands for one, every page says which
// of how many it is, and the summary is one page whichever way it closes,
// even with a sponsor's disclaimer of 1,500 characters (twice the shipped one).
TEST_F(Device, EveryReportShowsEveryFigureWholeOnNumberedPages)
{
    ASSERT_TRUE(dir.isValid());
    const char* keep = std::getenv("GEARWISE_KEEP_REPORTS");
    const std::filesystem::path folder = keep ? keep : dir.path().toStdString();
    std::filesystem::create_directories(folder);
    using enum ReportKind;
    const std::pair<ReportKind, PrintJob> reports[] = {
        {Summary, {.PrintCheckList = true}}, {Summary, {.PrintSignatures = true}},
        {Summary, {.PrintLegalDisclaimer = true}}, {Projection, {}}, {Checklist, {}}};
    std::string disclaimer;
    while (disclaimer.size() < 1500)
        disclaimer += "Borrowing to invest magnifies gains and losses alike; the loan must be repaid in full. ";
    for (const auto& [grid, inputs] : GridInputs()) {
        for (Strategy strategy : {Strategy::InterestOnly, Strategy::TermLoan, Strategy::RRSP}) {
            analyse(strategy, inputs);
            data.legalDisclaimer = disclaimer.substr(0, 1500);
            for (Language language : {English, French}) {
                for (std::size_t r = 0; r < std::size(reports); ++r) {
                    const auto& [kind, printJob] = reports[r];
                    if (kind == Checklist && (strategy != Strategy::InterestOnly || grid != "defaults"))
                        continue;  // the checklist depends on neither
                    job = printJob;
                    const std::string name = grid + "-" + std::to_string(Index(strategy)) + "-" + std::to_string(r) +
                                             "-" + std::to_string(language);
                    SCOPED_TRACE(name);
                    PainterPage device(PdfOutput{folder / (name + ".pdf")});
                    PrintContext ctx = context(device, language);
                    ASSERT_TRUE(PrintReport(kind, ctx, data)) << lastMessage();
                    const std::string text = Blanks(PdfText(folder / (name + ".pdf")));
                    if (text.empty())
                        GTEST_SKIP() << "pdftotext is not installed";

                    RecordingPage recording;
                    PrintContext counted = context(recording, language);
                    ASSERT_TRUE(PrintReport(kind, counted, data));
                    for (const PageOp& op : recording.texts()) {
                        const std::string shown = Blanks(op.text);
                        if (IsFigure(shown)) {
                            EXPECT_NE(text.find(shown), std::string::npos) << shown;
                        }
                    }
                    EXPECT_EQ(text.find('#'), std::string::npos);
                    const auto pages = static_cast<int>(std::count(text.begin(), text.end(), '\f'));
                    if (kind == Summary) {
                        EXPECT_EQ(pages, 1);
                    }
                    const std::string of = std::to_string(pages);
                    for (std::size_t n = 1, from = 0, end; (end = text.find('\f', from)) != std::string::npos; ++n) {
                        const std::string number = FillPlaceholders(CaptionOf("PageNofM", language), {std::to_string(n), of});
                        EXPECT_NE(text.substr(from, end - from).find(number), std::string::npos) << number;
                        from = end + 1;
                    }
                }
            }
        }
    }
}

} // namespace
} // namespace gw::test
