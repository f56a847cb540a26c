#include "reports_common.h"

#include "numformat.h"
#include "records.h"
#include "report_text.h"
#include "settingsfile.h"

#include <array>
#include <ctime>
#include <type_traits>
#include <variant>

namespace gw {

namespace {

constexpr std::array<const char*, 12> kMonthKeys = {"January", "February", "March",     "April",   "May",      "June",
                                                    "July",    "August",   "September", "October", "November", "December"};

const char* StrategyWord(Strategy strategy)
{
    switch (strategy) {
    case Strategy::InterestOnly: return "interest-only";
    case Strategy::TermLoan: return "term-loan";
    case Strategy::RRSP: return "RRSP-loan";
    }
    return "unknown";
}

} // namespace

ReportDate TodayReportDate()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

std::string FormatReportDate(const CaptionTables& captions, Language language, const ReportDate& date)
{
    if (date.month < 1 || date.month > 12)
        throw PrintError(kPrintErrorInternal, "There is no month " + std::to_string(date.month) + ".");
    const std::string name = GetCaption(captions, kMonthKeys[static_cast<std::size_t>(date.month - 1)], language);
    const std::string day = std::to_string(date.day);
    const std::string year = std::to_string(date.year);
    // French puts the day first and writes the first of the month "1er".
    if (language == French)
        return (date.day == 1 ? std::string("1er") : day) + " " + name + " " + year;
    return name + " " + day + ", " + year;
}

ReportData MakeReportData(const ProgramSettings& settings, Language language, Strategy strategy,
                          const AnalysisResults& results)
{
    ReportData data;
    data.strategy = strategy;
    data.results = &results;
    data.date = TodayReportDate();
    data.legalDisclaimer = GetLegalDisclaimer(settings.SponsorLines, language);
    data.pictureFolder = settings.folder;
    return data;
}

bool PrintReport(ReportKind kind, PrintContext& context, const ReportData& data)
{
    return PrintReports(context, data, {kind});
}

bool PrintReports(PrintContext& context, const ReportData& data, const std::vector<ReportKind>& kinds)
{
    std::vector<ReportDrawing> drawings;
    for (ReportKind kind : kinds) {
        switch (kind) {
        case ReportKind::Summary:
            drawings.emplace_back([&data](PrintContext& c) { report::DrawOnePageSummary(c, data); });
            break;
        case ReportKind::Projection:
            drawings.emplace_back([&data](PrintContext& c) { report::DrawProjection(c, data); });
            break;
        case ReportKind::Checklist:
            drawings.emplace_back([&data](PrintContext& c) { report::DrawSuitabilityChecklist(c, data.pictureFolder); });
            break;
        case ReportKind::Outcomes:
            drawings.emplace_back([&data](PrintContext& c) { report::DrawRangeOfOutcomes(c, data); });
            break;
        }
    }
    return RunPrintJob(context, drawings);
}

bool PrintOnePageSummary(PrintContext& context, const ReportData& data)
{
    return PrintReport(ReportKind::Summary, context, data);
}

bool PrintProjection(PrintContext& context, const ReportData& data)
{
    return PrintReport(ReportKind::Projection, context, data);
}

bool PrintRangeOfOutcomes(PrintContext& context, const ReportData& data)
{
    return PrintReport(ReportKind::Outcomes, context, data);
}

bool PrintSuitabilityChecklist(PrintContext& context, const std::filesystem::path& pictureFolder)
{
    ReportData data;
    data.pictureFolder = pictureFolder;
    return PrintReport(ReportKind::Checklist, context, data);
}

namespace report {

std::string Figure(const PrintContext& context, double value, std::string_view pattern)
{
    return FormatNumber(value, pattern, context.language);
}

std::string TableFigure(const PrintContext& context, double value, std::string_view pattern)
{
    const std::string text = FormatNumber(value, pattern, context.language);
    if (!text.empty() && text.front() == '-')
        return "(" + text.substr(1) + ")";
    return text;
}

std::string Filled(const PrintContext& context, std::string_view key, const std::vector<std::string>& values)
{
    return FillPlaceholders(Caption(context, key), values);
}

double PageWidth(const PrintContext& context)
{
    return context.page.printableSize().width;
}

void SetFont(PrintContext& context, std::string_view face, double size, bool bold)
{
    context.page.setFont({std::string(face), size, bold});
}

void SetSize(PrintContext& context, double size, bool bold)
{
    SetFontSize(context.page, size, bold);
}

void SetStep(PrintContext& context, std::string_view section, int step)
{
    context.section = std::string(section);
    context.step = step;
}

namespace {

template <typename R>
const R& ResultsOf(const ReportData& data, Strategy strategy)
{
    const R* results = data.results ? std::get_if<R>(data.results) : nullptr;
    if (data.strategy != strategy || !results)
        throw PrintError(kPrintErrorInternal,
                         std::string("There are no results of the ") + StrategyWord(data.strategy) +
                             " analysis to print; run the analysis first.");
    return *results;
}

} // namespace

const IntOnlyResults& IntOnly(const ReportData& data)
{
    return ResultsOf<IntOnlyResults>(data, Strategy::InterestOnly);
}

const TermResults& Term(const ReportData& data)
{
    return ResultsOf<TermResults>(data, Strategy::TermLoan);
}

const RRSPResults& RRSP(const ReportData& data)
{
    return ResultsOf<RRSPResults>(data, Strategy::RRSP);
}

void RequireResults(const ReportData& data)
{
    switch (data.strategy) {
    case Strategy::InterestOnly: IntOnly(data); return;
    case Strategy::TermLoan: Term(data); return;
    case Strategy::RRSP: RRSP(data); return;
    }
    throw PrintError(kPrintErrorInternal, "There is no strategy " +
                                              std::to_string(Index(data.strategy)) + " to print.");
}

bool Limited(const ReportData& data)
{
    switch (data.strategy) {
    case Strategy::InterestOnly: return LimitedDeductibility(IntOnly(data).terms);
    case Strategy::TermLoan: return LimitedDeductibility(Term(data).terms);
    case Strategy::RRSP: break;
    }
    return false;
}

void DrawOnOnePage(PrintContext& context, const ReportDrawing& draw)
{
    constexpr double kBodySizes[] = {10, 9.5, 9, 8.5, 8};
    int pages = 0;
    for (double body : kBodySizes) {
        context.fontSizes = {.title = 14, .heading = body + 2, .body = body};
        pages = CountPages(context, draw);
        if (pages == 1)
            break;
    }
    DrawNumbered(context, draw, pages);
}

double EnsureRoom(PrintContext& context, double y, double height)
{
    if (y + height > BodyBottom(context) && y > context.continuationTop)
        return StartNewPage(context);
    return y;
}

double PrintTitle(PrintContext& context, std::string_view text, double y)
{
    SetSize(context, context.fontSizes.title, true);
    const double spacing = kLineAdvance * context.page.textHeight();
    return PrintCentredBlock(context, text, 0, y, PageWidth(context), spacing);
}

void PrintDate(PrintContext& context, const ReportData& data, double y, double rightEdge)
{
    SetSize(context, context.fontSizes.body);
    // One short line: it ends at the right edge.
    const std::string date = FormatReportDate(context.captions, context.language, data.date);
    context.page.drawText(rightEdge - MeasureText(context.page, date), y, date);
}

double PrintAssumptions(PrintContext& context, const ReportData& data, double y, double right)
{
    RequireResults(data);
    const std::vector<std::string> lines = std::visit(
        [&](const auto& r) { return AssumptionLines(r, context.captions, context.language); }, *data.results);
    SetStep(context, "PrintAssumptions", 1);
    return PrintHeadedItems(context, Caption(context, "Assumptions_Title"), lines, y, right);
}

double PrintHeadedItems(PrintContext& context, std::string_view heading, const std::vector<std::string>& items,
                        double y, double right)
{
    SetSize(context, context.fontSizes.heading, true);
    // Keep the heading with its first item.
    y = EnsureRoom(context, y, 3 * kLineAdvance);
    y = PrintWrappedText(context, heading, kLeft, y, right);
    SetSize(context, context.fontSizes.body);
    return PrintCheckItems(context, kLeft + kItemIndent, y, items, context.fontSizes.body, right);
}

} // namespace report
} // namespace gw
