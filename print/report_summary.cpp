// The one-page summary.
#include "notes.h"
#include "report_text.h"
#include "reports_common.h"
#include "reports_table.h"

#include <array>
#include <string>
#include <variant>
#include <vector>

namespace gw {

namespace {

using namespace report;

constexpr std::string_view kFace = "Arial";
// The top offsets count from the top of the sheet; the printable area
// starts half an inch (three lines) lower, less a line of the offset kept
// as the sheet's top space.
constexpr double kSheetTop = 2.0;
// Signature rules: room to sign above each rule, and the three rules of a row.
constexpr double kSignatureRoom = 2.2;
constexpr Span kSignatureRules[] = {{0, 36}, {40, 72}, {76, 90}};

// The table steps down two points below the body when it must.
std::vector<double> TableSizes(const PrintContext& context)
{
    const double body = context.fontSizes.body;
    return {body, body - 1, body - 2};
}

double TopOffset(const PrintContext& context, const ReportData& data)
{
    if (Limited(data))
        return context.language == French ? 1.0 : 1.5;
    return 2.0;
}

std::string TitleKey(Strategy strategy)
{
    switch (strategy) {
    case Strategy::InterestOnly: return "OnePageSummaryTitle_IntOnly";
    case Strategy::TermLoan: return "OnePageSummaryTitle_Term";
    case Strategy::RRSP: return "OnePageSummaryTitle_RRSP";
    }
    return {};
}

template <typename Year>
ReportTable LeverageSummaryTable(const PrintContext& context, const LeverageResults<Year>& results)
{
    ReportTable table;
    table.fontSizes = TableSizes(context);
    for (const char* key : {"Return", "NoLeverage", "Leverage", "$Increase", "%Increase"})
        table.heads.push_back({Caption(context, key)});
    for (const SummaryRow& row : results.summary) {
        table.rows.push_back({Figure(context, row.return_, SummaryReturnPattern(results.summary, row)), TableFigure(context, row.unleveraged, "###,##0"),
                              TableFigure(context, row.leveraged, "###,##0"),
                              TableFigure(context, row.increase, "###,##0"),
                              TableFigure(context, row.percent_increase, "##0%")});
    }
    return table;
}

ReportTable RRSPSummaryTable(const PrintContext& context, const RRSPResults& results)
{
    ReportTable table;
    table.fontSizes = TableSizes(context);
    // The catch-up plan is the loan contributed whole: its share of the
    // first contribution.
    const double contribution = results.projection.empty() ? 0 : results.projection.front().catch_up_contribution;
    const double share = contribution != 0 ? results.loan_amount / contribution : 1;
    table.heads.push_back({Caption(context, "RRSP"), Caption(context, "Return")});
    table.heads.push_back(
        {Caption(context, "CatchUp"), Caption(context, "Loan") + " (" + Figure(context, share, "#0%") + ")"});
    for (const char* plan : {"Spend1", "Reinvest1", "GrossUp1"})
        table.heads.push_back({Caption(context, "Annual"), Caption(context, plan), Caption(context, "Refund")});

    const auto withPercent = [&](double value, double percent) {
        return TableFigure(context, value, "###,##0") + " (" + Figure(context, percent, "##0%") + ")";
    };
    for (const RRSPSummaryRow& row : results.summary) {
        if (row.return_ == NoReturn)
            continue;
        table.rows.push_back({Figure(context, row.return_, "##0.0%"), TableFigure(context, row.catch_up, "###,##0"),
                              withPercent(row.spend_refund, row.spend_percent),
                              withPercent(row.reinvest_refund, row.reinvest_percent),
                              withPercent(row.gross_up, row.gross_up_percent)});
    }
    return table;
}

double PrintSummaryTable(PrintContext& context, const ReportData& data, double y)
{
    SetStep(context, "PrintSummaryTable", 6);
    const double width = PageWidth(context);
    int horizon = 0;
    ReportTable table;
    std::string titleKey = "lblSummaryTableTitle_Int_Term";
    if (data.strategy == Strategy::InterestOnly) {
        horizon = IntOnly(data).horizon;
        table = LeverageSummaryTable(context, IntOnly(data));
    } else if (data.strategy == Strategy::TermLoan) {
        horizon = Term(data).horizon;
        table = LeverageSummaryTable(context, Term(data));
    } else {
        horizon = RRSP(data).horizon;
        table = RRSPSummaryTable(context, RRSP(data));
        titleKey = "lblSummaryTableTitle_RRSP";
    }
    SetSize(context, context.fontSizes.body, true);
    y = EnsureRoom(context, y, 6 * kLineAdvance);
    const YearsCaption years = YearsText(horizon, true);
    y = PrintCentredBlock(context, Filled(context, titleKey, {Filled(context, years.key, years.values)}), 0, y, width,
                          kLineAdvance * context.page.textHeight());
    SetStep(context, "PrintSummaryTableData", 7);
    SetSize(context, context.fontSizes.body);
    return PrintReportTable(context, table, y + 0.2, 0, width);
}

double PrintChecklistBlock(PrintContext& context, double y)
{
    SetStep(context, "printCheckList", 10);
    const double width = PageWidth(context);
    SetSize(context, context.fontSizes.heading, true);
    y = EnsureRoom(context, y, 3 * kLineAdvance);
    y = PrintCentredBlock(context, Caption(context, "Checklist_Title"), 0, y, width,
                          kLineAdvance * context.page.textHeight());
    SetSize(context, context.fontSizes.body);
    for (int i = 1; i <= 6; ++i)
        y = PrintCheckItem(context, kLeft + kItemIndent, y, true, Caption(context, "Checklist_Line" + std::to_string(i)),
                           context.fontSizes.body, width);
    return y;
}

double PrintSignatureRow(PrintContext& context, const std::array<std::string, 3>& labels, double y)
{
    Page& page = context.page;
    const double pitch = kLineAdvance * page.textHeight();
    y = EnsureRoom(context, y, kSignatureRoom + 0.2 + pitch);
    const double ruleY = y + kSignatureRoom;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        page.drawLine(kSignatureRules[i].from, ruleY, kSignatureRules[i].to, ruleY);
        page.drawText(kSignatureRules[i].from, ruleY + 0.15, labels[i]);
    }
    return ruleY + 0.15 + pitch;
}

double PrintSignatureBlock(PrintContext& context, double y, int step)
{
    SetStep(context, "PrintSignatures", step);
    SetSize(context, context.fontSizes.body);
    y = PrintWrappedText(context, Caption(context, "Signatures_Warning"), kLeft, y, PageWidth(context));
    const std::string date = Caption(context, "Signatures_Date");
    y = PrintSignatureRow(context, {Caption(context, "Signatures_Client"), Caption(context, "Signatures_Spouse"), date},
                          y);
    return PrintSignatureRow(
        context, {Caption(context, "Signatures_Advisor"), Caption(context, "Signatures_Manager"), date}, y + 0.3);
}

void DrawSummary(PrintContext& context, const ReportData& data)
{
    SetStep(context, "OnePageSummary", 0);
    SetFont(context, kFace, 10);
    RequireResults(data);
    const PrintJob& job = context.job;
    const bool rrsp = data.strategy == Strategy::RRSP;
    const double width = PageWidth(context);
    const double s = TopOffset(context, data) - kSheetTop;

    SetStep(context, "PrintPageTitle", 1);
    PrintTitle(context, Caption(context, TitleKey(data.strategy)), 1.75 + s);

    SetStep(context, "OnePageSummary - Body", 3);
    double y = 4.0 + s;
    PrintDate(context, data, y, width);
    SetSize(context, context.fontSizes.body);
    const std::string date = FormatReportDate(context.captions, context.language, data.date);
    PrintPreparedLines(context, y, kLeft, width - MeasureText(context.page, date) - 2);

    SetStep(context, "OnePageSummary - Body", 5);
    y = PrintAssumptions(context, data, y + kBlockGap, width);
    y = PrintSummaryTable(context, data, y + kBlockGap);

    // RRSP loans close with the signatures or the disclaimer, and then
    // print no notes.
    if (!rrsp) {
        SetStep(context, "OnePageSummary - Body", 8);
        const std::vector<std::string> notes = std::visit(
            [&](const auto& r) { return SummaryNoteLines(r, context.captions, context.language); }, *data.results);
        y = PrintHeadedItems(context, Caption(context, "Notes_Title"), notes, y + kBlockGap, width);
        SetSize(context, context.fontSizes.title);
        y = EnsureRoom(context, y, kLineAdvance * context.page.textHeight());
        y = PrintCentredBlock(context, "* * *", 0, y + 0.2, width, kLineAdvance * context.page.textHeight());
    }

    SetStep(context, "OnePageSummary - Signatures", 9);
    if (job.PrintLegalDisclaimer) {
        SetSize(context, context.fontSizes.body);
        if (!TrimBlanks(data.legalDisclaimer).empty())
            y = PrintWrappedText(context, data.legalDisclaimer, kLeft, y + kBlockGap, width);
    } else if (!rrsp) {
        y = job.PrintCheckList ? PrintChecklistBlock(context, y + kBlockGap)
                               : PrintSignatureBlock(context, y + kBlockGap, 11);
    } else {
        // RRSP loans have no checklist: a checklist chosen for another
        // strategy gives them the signatures rather than no closing at all.
        y = PrintSignatureBlock(context, y + kBlockGap, 12);
    }

    SetStep(context, "OnePageSummary - Footer", 13);
    PrintFooter(context);
}

} // namespace

namespace report {

void DrawOnePageSummary(PrintContext& context, const ReportData& data)
{
    DrawOnOnePage(context, [&data](PrintContext& c) { DrawSummary(c, data); });
}

} // namespace report
} // namespace gw
