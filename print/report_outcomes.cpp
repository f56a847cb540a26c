// The range of outcomes on one page.
#include "notes.h"
#include "outcomes_text.h"
#include "report_text.h"
#include "reports_common.h"
#include "reports_table.h"

#include <string>
#include <variant>
#include <vector>

namespace gw {

namespace {

using namespace report;

constexpr std::string_view kFace = "Arial";
// Every year fits a page up to this horizon; longer ones show every fifth.
constexpr int kEveryYearUpTo = 20;
// The percentiles a client reads: the 10th, the median and the 90th.
constexpr std::size_t kShown[] = {0, 2, 4};

const OutcomeResults& Outcomes(const ReportData& data)
{
    if (!data.outcomes || data.outcomes->strategy != data.strategy || data.outcomes->paths == 0)
        throw PrintError(kPrintErrorInternal, "There is no range of outcomes of this strategy to print.");
    return *data.outcomes;
}

std::vector<int> ShownYears(int horizon)
{
    std::vector<int> years;
    for (int y = 1; y <= horizon; ++y) {
        if (horizon <= kEveryYearUpTo || y == 1 || y % 5 == 0 || y == horizon)
            years.push_back(y);
    }
    return years;
}

// The two values compared and their difference, with their captions.
struct ShownSeries {
    const char* key;
    const char* caption;
};

std::vector<ShownSeries> SeriesOf(Strategy strategy)
{
    if (strategy == Strategy::RRSP)
        return {{"catch_up", "OutcomesReport_CatchUp"},
                {"gross_up", "OutcomesReport_GrossUp"},
                {"difference", "OutcomesReport_Difference"}};
    return {{"leveraged", "Leverage"},
            {"unleveraged", "NoLeverage"},
            {"difference", "OutcomesReport_Difference"}};
}

ReportTable PercentileTable(const PrintContext& context, const OutcomeResults& outcomes)
{
    ReportTable table;
    const double body = context.fontSizes.body;
    table.fontSizes = {body, body - 1, body - 2};
    table.heads.push_back({Caption(context, "OutcomesReport_Year")});
    std::vector<TableGroup> groups;
    std::vector<const OutcomeSeries*> series;
    for (const ShownSeries& shown : SeriesOf(outcomes.strategy)) {
        const OutcomeSeries* found = outcomes.find(shown.key);
        if (!found || found->percentiles.size() != static_cast<std::size_t>(outcomes.horizon))
            throw PrintError(kPrintErrorInternal, std::string("The range of outcomes lacks ") + shown.key + ".");
        series.push_back(found);
        groups.push_back({Caption(context, shown.caption), table.heads.size(), table.heads.size() + 2});
        for (const char* head : {"OutcomesReport_P10", "OutcomesReport_P50", "OutcomesReport_P90"})
            table.heads.push_back({Caption(context, head)});
    }
    table.groupRows.push_back(std::move(groups));
    for (int year : ShownYears(outcomes.horizon)) {
        std::vector<std::string> row{std::to_string(year)};
        for (const OutcomeSeries* s : series) {
            for (std::size_t p : kShown)
                row.push_back(TableFigure(context, s->percentiles[static_cast<std::size_t>(year - 1)][p], "###,##0"));
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}

std::vector<std::string> AssumptionItems(const PrintContext& context, const ReportData& data,
                                         const OutcomeResults& outcomes)
{
    std::vector<std::string> lines = std::visit(
        [&](const auto& r) { return AssumptionLines(r, context.captions, context.language); }, *data.results);
    lines.push_back(Filled(context, "OutcomesReport_Draws",
                           {Figure(context, outcomes.mean_return, "##0.0#%"),
                            Figure(context, outcomes.volatility, "##0.0#%"),
                            Figure(context, outcomes.paths, "###,##0"), std::to_string(outcomes.seed)}));
    return lines;
}

void DrawOutcomes(PrintContext& context, const ReportData& data)
{
    SetStep(context, "RangeOfOutcomes", 0);
    SetFont(context, kFace, 10);
    RequireResults(data);
    const OutcomeResults& outcomes = Outcomes(data);
    const double width = PageWidth(context);
    const double pitch = kLineAdvance * context.page.textHeight();

    SetStep(context, "RangeOfOutcomes - Title", 1);
    double y = PrintTitle(context, Caption(context, "OutcomesReport_Title"), 1.0);

    SetStep(context, "RangeOfOutcomes - Body", 2);
    y += kBlockGap;
    PrintDate(context, data, y, width);
    SetSize(context, context.fontSizes.body);
    const std::string date = FormatReportDate(context.captions, context.language, data.date);
    PrintPreparedLines(context, y, kLeft, width - MeasureText(context.page, date) - 2);
    y = PrintHeadedItems(context, Caption(context, "Assumptions_Title"), AssumptionItems(context, data, outcomes),
                         y + kBlockGap, width);

    SetStep(context, "RangeOfOutcomes - Table", 3);
    SetSize(context, context.fontSizes.body, true);
    y = EnsureRoom(context, y + kBlockGap, 6 * pitch);
    const YearsCaption years = YearsText(outcomes.horizon, true);
    y = PrintCentredBlock(context,
                          Filled(context, "OutcomesReport_TableTitle", {Filled(context, years.key, years.values)}), 0,
                          y, width, kLineAdvance * context.page.textHeight());
    SetSize(context, context.fontSizes.body);
    y = PrintReportTable(context, PercentileTable(context, outcomes), y + 0.2, 0, width);

    SetStep(context, "RangeOfOutcomes - Horizon", 4);
    y = PrintHeadedItems(context, Caption(context, "OutcomesReport_HorizonTitle"),
                         OutcomeSentences(outcomes, context.captions, context.language), y + kBlockGap, width);
    SetSize(context, context.fontSizes.body);
    PrintWrappedText(context, Caption(context, "OutcomesReport_Method"), kLeft, y + kBlockGap, width);

    SetStep(context, "RangeOfOutcomes - Footer", 5);
    PrintFooter(context);
}

} // namespace

namespace report {

void DrawRangeOfOutcomes(PrintContext& context, const ReportData& data)
{
    DrawOnOnePage(context, [&data](PrintContext& c) { DrawOutcomes(c, data); });
}

} // namespace report
} // namespace gw
