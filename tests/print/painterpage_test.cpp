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

#include <filesystem>
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
    } cases[] = {{"no-such-folder/report.pdf", "Error 482", false}, {"checklist.pdf", "Error 53", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        reporter.messages.clear();
        PainterPage device(PdfOutput{path(c.file)});
        PrintContext ctx = context(device);
        EXPECT_FALSE(RunPrintedDocument(ctx, [&](PrintContext& p) {
            p.page.drawText(1, 1, "Suitability");
            if (c.picture)
                p.page.drawPicture(path("print-english.gif"), 0, 2, 20, 5);
        }));
        ASSERT_EQ(reporter.messages.size(), 1u);
        EXPECT_NE(reporter.messages[0].find(c.error), std::string::npos) << reporter.messages[0];
        EXPECT_FALSE(std::filesystem::exists(path(c.file)));
    }
    PainterPage printer(PrinterOutput{"No Such Printer 4711"});
    PrintContext ctx = context(printer);
    EXPECT_FALSE(RunPrintedDocument(ctx, [](PrintContext&) {}));
    EXPECT_NE(reporter.messages.back().find("Error 484"), std::string::npos) << reporter.messages.back();
}

// What a report must show: its title, every figure it prints on the
// recording page (the golden files hold them) and, but on the checklist
// form, the sponsor's footer.
std::vector<std::string> ExpectedTexts(const PrintContext& device, const ReportData& data, ReportKind kind)
{
    RecordingPage recording;
    PrintContext context{.page = recording, .reporter = device.reporter, .captions = device.captions,
                         .language = device.language, .job = device.job, .advisor = device.advisor,
                         .sponsorFooter = device.sponsorFooter};
    EXPECT_TRUE(PrintReport(kind, context, data));
    std::vector<std::string> texts{recording.texts().front().text};
    // pdftotext gives a no-break space as a blank.
    for (std::size_t at; (at = texts[0].find("\u00A0")) != std::string::npos;)
        texts[0].replace(at, 2, " ");
    if (kind != ReportKind::Checklist)
        texts.push_back(device.sponsorFooter);
    for (const PageOp& op : recording.texts()) {
        if (IsFigure(op.text))
            texts.push_back(op.text);
    }
    return texts;
}

// Every report of every strategy renders in both languages, with its picture,
// marks, faces and page breaks, and shows what it must.
TEST_F(Device, EveryReportRendersAndShowsItsFigures)
{
    ASSERT_TRUE(dir.isValid());
    const char* keep = std::getenv("GEARWISE_KEEP_REPORTS");
    const std::filesystem::path folder = keep ? keep : dir.path().toStdString();
    std::filesystem::create_directories(folder);
    for (Strategy strategy : {Strategy::InterestOnly, Strategy::TermLoan, Strategy::RRSP}) {
        for (Language language : {English, French}) {
            for (ReportKind kind : {ReportKind::Summary, ReportKind::Projection, ReportKind::Checklist}) {
                if (kind == ReportKind::Checklist && strategy != Strategy::InterestOnly)
                    continue;  // the checklist does not depend on the strategy
                const std::string name = std::to_string(Index(strategy)) + "-" +
                                         std::to_string(static_cast<int>(kind)) + "-" + std::to_string(language);
                SCOPED_TRACE(name);
                analyse(strategy);
                PainterPage device(PdfOutput{folder / (name + ".pdf")});
                PrintContext ctx = context(device, language);
                ASSERT_TRUE(PrintReport(kind, ctx, data)) << lastMessage();
                const std::string text = PdfText(folder / (name + ".pdf"));
                if (text.empty())
                    GTEST_SKIP() << "pdftotext is not installed";
                for (const std::string& expected : ExpectedTexts(ctx, data, kind))
                    EXPECT_NE(text.find(expected), std::string::npos) << expected << " in\n" << text;
            }
        }
    }
}

} // namespace
} // namespace gw::test
