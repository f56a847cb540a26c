// Every report of every strategy rendered to PDF in both languages; the
// text of each summary must carry the figures the window shows.
// GEARWISE_KEEP_REPORTS=<folder> keeps the files there for a look.
#include "painterpage.h"
#include "report_fixture.h"

#include "numformat.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace gw::test {
namespace {

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

// The figures of the summary rows as the window's table writes them, without
// their sign (the printout puts negative amounts in parentheses).
std::vector<std::string> WindowFigures(const AnalysisResults& results, int language)
{
    std::vector<std::string> figures;
    const auto add = [&](double value, const char* pattern) {
        figures.push_back(FormatNumber(std::fabs(value), pattern, language));
    };
    if (const auto* rrsp = std::get_if<RRSPResults>(&results)) {
        for (const RRSPSummaryRow& row : rrsp->summary) {
            add(row.return_, "##0.0%");
            for (double v : {row.catch_up, row.spend_refund, row.reinvest_refund, row.gross_up})
                add(v, "###,##0");
            for (double p : {row.spend_percent, row.reinvest_percent, row.gross_up_percent})
                add(p, "##0%");
        }
        return figures;
    }
    const auto& rows = std::holds_alternative<IntOnlyResults>(results) ? std::get<IntOnlyResults>(results).summary
                                                                       : std::get<TermResults>(results).summary;
    for (const SummaryRow& row : rows) {
        add(row.return_, "##0.0%");
        for (double v : {row.unleveraged, row.leveraged, row.increase})
            add(v, "#,###,###,##0");
        add(row.percent_increase, "##0%");
    }
    return figures;
}

class PdfReports : public ReportFixture {
protected:
    std::filesystem::path folder()
    {
        if (const char* keep = std::getenv("GEARWISE_KEEP_REPORTS")) {
            std::filesystem::create_directories(keep);
            return keep;
        }
        return dir.path().toStdString();
    }

    QTemporaryDir dir;
};

TEST_F(PdfReports, EveryReportRendersAndTheSummaryShowsTheWindowsFigures)
{
    ASSERT_TRUE(dir.isValid());
    job.PrintName = true;
    job.PreparedForName = "Jean Tremblay";
    job.PrintCompanyName = true;
    const char* languages[] = {"en", "fr"};
    for (Strategy strategy : {Strategy::InterestOnly, Strategy::TermLoan, Strategy::RRSP}) {
        analyse(strategy);
        for (Language language : {English, French}) {
            for (ReportKind kind : {ReportKind::Summary, ReportKind::Projection, ReportKind::Checklist}) {
                if (kind == ReportKind::Checklist && strategy != Strategy::InterestOnly)
                    continue;  // the checklist does not depend on the strategy
                const char* name = kind == ReportKind::Summary      ? "summary"
                                   : kind == ReportKind::Projection ? "projection"
                                                                    : "checklist";
                const std::string label =
                    std::string(StrategyLabel(strategy)) + "-" + name + "-" + languages[language];
                SCOPED_TRACE(label);
                const std::filesystem::path file = folder() / (label + ".pdf");
                PainterPage pdf(PdfOutput{file});
                PrintContext ctx{.page = pdf,
                                 .reporter = reporter,
                                 .captions = SourceCaptions(),
                                 .language = language,
                                 .job = job,
                                 .advisor = advisor,
                                 .sponsorFooter = "Northway Securities Inc."};
                ASSERT_TRUE(PrintReport(kind, ctx, data))
                    << (reporter.messages.empty() ? "" : reporter.messages.back());
                ASSERT_TRUE(std::filesystem::exists(file));

                const auto text = PdfText(file);
                if (!text)
                    GTEST_SKIP() << "pdftotext is not installed";
                if (kind != ReportKind::Summary)
                    continue;
                for (const std::string& figure : WindowFigures(results, language))
                    EXPECT_NE(text->find(figure), std::string::npos) << figure << " in\n" << *text;
                EXPECT_NE(text->find(language == French ? "5 janvier 2025" : "January 5, 2025"), std::string::npos);
            }
        }
    }
}

} // namespace
} // namespace gw::test
