// The printer and PDF back end, writing PDF files into a temporary folder.
#include "painterpage.h"
#include "primitives.h"

#include <gtest/gtest.h>

#include <QColor>
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

namespace gw {
namespace {

class FakeReporter : public PrintReporter {
public:
    void report(const std::string&, const std::string& text, Icon) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

std::filesystem::path PathIn(const QTemporaryDir& dir, const char* name)
{
    return std::filesystem::path(dir.path().toStdString()) / name;
}

// The text of a PDF, or nullopt when pdftotext is not installed.
std::optional<std::string> PdfText(const std::filesystem::path& file)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        return std::nullopt;
    QProcess process;
    process.start(tool, {QStringLiteral("-layout"), QString::fromStdString(file.string()), QStringLiteral("-")});
    if (!process.waitForFinished(30000))
        return std::nullopt;
    return process.readAllStandardOutput().toStdString();
}

class PainterPageTest : public ::testing::Test {
protected:
    PainterPageTest()
    {
        captions.english = {"PrintoutFooter=Prepared with Gearwise Planner"};
        captions.french = {"PrintoutFooter=Préparé avec Gearwise Planner"};
    }

    PrintContext context(Page& page, Language language = English)
    {
        return PrintContext{.page = page,
                            .reporter = reporter,
                            .captions = captions,
                            .language = language,
                            .job = job,
                            .advisor = advisor,
                            .sponsorFooter = "Northway Securities Inc."};
    }

    QTemporaryDir dir;
    FakeReporter reporter;
    CaptionTables captions;
    PrintJob job;
    AdvisorInfo advisor;
};

TEST_F(PainterPageTest, RendersThePrimitivesToAPdf)
{
    ASSERT_TRUE(dir.isValid());
    const auto pdf = PathIn(dir, "summary.pdf");
    const auto logo = PathIn(dir, "logo.png");
    QImage image(120, 40, QImage::Format_RGB32);
    image.fill(QColor(0, 80, 160));
    ASSERT_TRUE(image.save(QString::fromStdString(logo.string())));

    PainterPage page(PdfOutput{pdf});
    PrintContext ctx = context(page, French);
    const bool ok = RunPrintedDocument(ctx, [&](PrintContext& c) {
        Page& p = c.page;
        SetReportFontSizes(c);
        p.drawPicture(logo, 0, 0, 12, 3);
        p.setFont({"Arial", c.fontSizes.title, true});
        const PageSize size = p.printableSize();
        PrintCentredBlock(c, "Sommaire d'une page", 0, 3, size.width, 1.05 * p.textHeight());
        p.setFont({"Arial", c.fontSizes.body, false});
        PrintRightBlock(c, "5 mars 2024", size.width - 12, 5, 30, 1.05 * p.textHeight());
        double y = PrintWrappedText(c, "Votre placement vaudra 1 234 567 $ dans 25 ans, une hausse de 12,5 %.", 0, 7,
                                    30);
        y = PrintCheckItem(c, 4, y + 1, true, "Les paiements du prêt sont couverts par le revenu.", 10, size.width);
        p.drawLine(0, y + 0.5, size.width, y + 0.5);
        p.newPage();
        p.setFont({"Times New Roman", 12, false});
        PrintWrappedText(c, "Second page", 0, 1, size.width);
        PrintFooter(c);
    });
    ASSERT_TRUE(ok) << (reporter.messages.empty() ? "" : reporter.messages.front());
    ASSERT_TRUE(std::filesystem::exists(pdf));
    EXPECT_GT(std::filesystem::file_size(pdf), 1000u);

    const auto text = PdfText(pdf);
    if (!text)
        GTEST_SKIP() << "pdftotext is not installed";
    for (const char* expected : {"Sommaire d'une page", "5 mars 2024", "1 234 567 $", "12,5 %", "Second page",
                                 "Préparé avec Gearwise Planner", "Northway Securities Inc."}) {
        EXPECT_NE(text->find(expected), std::string::npos) << expected << " in\n" << *text;
    }
}

TEST_F(PainterPageTest, MeasuresInPageUnits)
{
    PainterPage page(PdfOutput{PathIn(dir, "unused.pdf")});
    const PageSize size = page.printableSize();
    EXPECT_NEAR(size.width, 90, 0.01);   // 7.5 inches in twelfths
    EXPECT_NEAR(size.height, 60, 0.01);  // 10 inches in sixths

    page.setFont({"Arial", 10, false});
    // A 10-point line is 11.5 points: a little less than a line unit.
    EXPECT_NEAR(page.textHeight(), 11.5 / 12, 1e-9);
    // 10-point lowercase text averages about half an em: 5/6 unit a character.
    const double width = page.textWidth("the quick brown fox jumps over the lazy dog");
    EXPECT_GT(width, 43 * 0.6);
    EXPECT_LT(width, 43 * 1.0);
    EXPECT_GT(page.textWidth("MMMM"), page.textWidth("iiii"));
    const double regular = page.textWidth("Leverage");
    page.setFont({"Arial", 10, true});
    EXPECT_GT(page.textWidth("Leverage"), regular);
    page.setFont({"Arial", 20, false});
    EXPECT_NEAR(page.textWidth("Leverage"), 2 * regular, 0.05 * regular);
    // Measuring needs no open document and leaves no file behind.
    EXPECT_FALSE(std::filesystem::exists(PathIn(dir, "unused.pdf")));
}

TEST(InstalledFontFamily, MapsReportFacesToInstalledOnes)
{
    for (const char* face : {"Arial", "Times New Roman", "Wingdings", "No Such Face"}) {
        SCOPED_TRACE(face);
        const QString family = InstalledFontFamily(face);
        // QFontInfo may add the foundry: "Nimbus Sans [urw]".
        EXPECT_TRUE(QFontInfo(QFont(family)).family().startsWith(family)) << family.toStdString();
    }
    // Metric twins first: Arial text set in a wider face would overflow its columns.
    const QStringList installed = QFontDatabase::families();
    const auto has = [&installed](const char* family) { return !installed.filter(QLatin1String(family)).isEmpty(); };
    if (has("Nimbus Sans") && !has("Liberation Sans") && !has("Arimo")) {
        EXPECT_EQ(InstalledFontFamily("Arial"), QStringLiteral("Nimbus Sans"));
    }
    EXPECT_NE(InstalledFontFamily("Arial"), InstalledFontFamily("Times New Roman"));
    const QFontMetricsF marks{QFont(InstalledFontFamily("Wingdings"))};
    EXPECT_TRUE(marks.inFont(QChar(0x2714)));
}

TEST_F(PainterPageTest, UnwritableFileIsReportedAsAFailure)
{
    const auto pdf = PathIn(dir, "no-such-folder/report.pdf");
    PainterPage page(PdfOutput{pdf});
    PrintContext ctx = context(page);
    EXPECT_FALSE(RunPrintedDocument(ctx, [](PrintContext& c) { PrintFooter(c); }));
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_NE(reporter.messages[0].find("Error 482"), std::string::npos) << reporter.messages[0];
    EXPECT_FALSE(std::filesystem::exists(pdf));
}

TEST_F(PainterPageTest, MissingPictureAbandonsTheDocument)
{
    const auto pdf = PathIn(dir, "checklist.pdf");
    PainterPage page(PdfOutput{pdf});
    PrintContext ctx = context(page);
    EXPECT_FALSE(RunPrintedDocument(ctx, [&](PrintContext& c) {
        c.page.drawText(1, 1, "Suitability");
        c.page.drawPicture(PathIn(dir, "print-english.gif"), 0, 2, 20, 5);
    }));
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_NE(reporter.messages[0].find("Error 53"), std::string::npos) << reporter.messages[0];
    EXPECT_FALSE(std::filesystem::exists(pdf)) << "an abandoned PDF is removed";
}

TEST(PainterPage, UnknownPrinterIsAPrinterInfoError)
{
    PainterPage page(PrinterOutput{"No Such Printer 4711"});
    try {
        page.beginDocument();
        FAIL() << "a printer that does not exist opened";
    } catch (const PrintError& error) {
        EXPECT_EQ(error.number(), kPrintErrorPrinterInfo);
    }
}

} // namespace
} // namespace gw
