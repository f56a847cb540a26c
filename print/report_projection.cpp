// The year-by-year projection printout.
#include "report_text.h"
#include "reports_common.h"
#include "reports_table.h"

#include <functional>
#include <string>
#include <variant>
#include <vector>

namespace gw {

namespace {

using namespace report;

constexpr std::string_view kFace = "Arial";
constexpr double kTitleTop = 0.5;

// One column: its head lines and how a year's cell reads.
template <typename Year>
struct Column {
    std::vector<std::string> heads;
    std::function<std::string(const Year&)> cell;
};

template <typename Year>
struct ColumnSet {
    std::vector<std::vector<TableGroup>> groupRows;
    std::vector<Column<Year>> columns;
};

class Columns {
public:
    explicit Columns(const PrintContext& context) : context_(context) {}

    // The two head lines of a printed column: keys `name`1 and `name`2.
    std::vector<std::string> pair(std::string_view name) const
    {
        return {Caption(context_, std::string(name) + "1"), Caption(context_, std::string(name) + "2")};
    }
    std::string caption(std::string_view key) const { return Caption(context_, key); }

    template <typename Year>
    Column<Year> year() const
    {
        return {pair("EndOfYear"), [this](const Year& y) { return Figure(context_, y.year, "#0"); }};
    }
    template <typename Year>
    Column<Year> amount(std::vector<std::string> heads, double Year::*field) const
    {
        return {std::move(heads), [this, field](const Year& y) { return TableFigure(context_, y.*field, "#,##0"); }};
    }
    template <typename Year>
    Column<Year> percent(std::vector<std::string> heads, double Year::*field) const
    {
        return {std::move(heads), [this, field](const Year& y) { return TableFigure(context_, y.*field, "##0%"); }};
    }
    // The comparison columns: French prints the short heads.
    std::string dollarDifference() const
    {
        return caption(context_.language == French ? "$IncreaseShort" : "$Increase");
    }
    std::string percentDifference() const
    {
        return caption(context_.language == French ? "%IncreaseShort" : "%Increase");
    }

private:
    const PrintContext& context_;
};

TableGroup Group(std::string text, std::size_t first, std::size_t last)
{
    return {std::move(text), first, last};
}

ColumnSet<IntOnlyYear> IntOnlyColumns(const Columns& c, bool wide)
{
    using Y = IntOnlyYear;
    ColumnSet<Y> set;
    set.columns = {c.year<Y>(),
                   c.amount(c.pair("BTBalance"), &Y::unleveraged_balance),
                   c.amount(c.pair("ATDistrib"), &Y::unleveraged_distributions),
                   c.amount(c.pair("ACB"), &Y::unleveraged_acb),
                   c.amount(c.pair("BalanceIncLoan"), &Y::leveraged_balance),
                   c.amount(c.pair("ATDistrib"), &Y::leveraged_distributions),
                   c.amount(c.pair("NetBalancePayoff"), &Y::net_balance_payoff)};
    if (!wide) {
        set.columns.push_back(c.amount(c.pair("ACBAfter"), &Y::acb_after));
        set.columns.push_back(c.amount({c.dollarDifference()}, &Y::increase));
        set.columns.push_back(c.percent({c.percentDifference()}, &Y::percent_increase));
        set.groupRows = {{Group(c.caption("NoLeverage"), 1, 3), Group(c.caption("Leverage"), 4, 7),
                          Group(c.caption("Comparison"), 8, 9)},
                         {Group(c.caption("NetBalancePayoff1"), 8, 9)}};
        return set;
    }
    set.columns.push_back(c.amount(c.pair("ATInvest"), &Y::after_tax_cost));
    set.columns.push_back(c.amount(c.pair("FederalInterestDeduction"), &Y::fed_deduction));
    set.columns.push_back(c.amount(c.pair("ProvincialInterestDeduction"), &Y::prov_deduction));
    set.columns.push_back(c.amount(c.pair("FederalTotalDeduction"), &Y::fed_undeducted));
    set.columns.push_back(c.amount(c.pair("ProvincialTotalDeduction"), &Y::prov_undeducted));
    set.columns.push_back(c.amount(c.pair("ACBAfter"), &Y::acb_after));
    set.groupRows = {{Group(c.caption("NoLeverage"), 1, 3), Group(c.caption("Leverage"), 4, 12)}};
    return set;
}

ColumnSet<TermYear> TermColumns(const Columns& c, bool wide)
{
    using Y = TermYear;
    ColumnSet<Y> set;
    if (!wide) {
        set.columns = {c.year<Y>(),
                       c.amount(c.pair("BTBalance"), &Y::leveraged_balance),
                       c.amount(c.pair("BalanceAfter"), &Y::net_balance_payoff),
                       c.amount(c.pair("ACBAfter"), &Y::acb_after),
                       c.amount(c.pair("LoanBalance"), &Y::loan_balance),
                       c.amount(c.pair("IntPart"), &Y::interest),
                       c.amount(c.pair("LoanPaydown"), &Y::principal),
                       c.amount(c.pair("ATCashflow"), &Y::after_tax_cashflow),
                       c.amount(c.pair("BTBalance"), &Y::unleveraged_balance),
                       c.amount(c.pair("ACB"), &Y::unleveraged_acb),
                       c.amount({c.dollarDifference()}, &Y::increase),
                       c.percent({c.percentDifference()}, &Y::percent_increase)};
        set.groupRows = {{Group(c.caption("Leverage"), 1, 7), Group(c.caption("NoLeverage"), 8, 9),
                          Group(c.caption("Comparison"), 10, 11)},
                         {Group(c.caption("NetBalancePayoff1"), 10, 11)}};
        return set;
    }
    set.columns = {c.year<Y>(),
                   c.amount(c.pair("BalanceIncLoan"), &Y::leveraged_balance),
                   c.amount(c.pair("BalanceAfter"), &Y::net_balance_payoff),
                   c.amount(c.pair("ACBAfter"), &Y::acb_after),
                   c.amount(c.pair("LoanBalance"), &Y::loan_balance),
                   c.amount(c.pair("IntPart"), &Y::interest),
                   c.amount(c.pair("LoanPaydown"), &Y::principal),
                   c.amount(c.pair("FederalInterestDeduction"), &Y::fed_deduction),
                   c.amount(c.pair("ProvincialInterestDeduction"), &Y::prov_deduction),
                   c.amount(c.pair("FederalTotalDeduction"), &Y::fed_undeducted),
                   c.amount(c.pair("ProvincialTotalDeduction"), &Y::prov_undeducted),
                   c.amount(c.pair("ATInvest"), &Y::after_tax_cashflow),
                   c.amount(c.pair("BTBalance"), &Y::unleveraged_balance),
                   c.amount(c.pair("ACB"), &Y::unleveraged_acb)};
    set.groupRows = {{Group(c.caption("Leverage"), 1, 11), Group(c.caption("NoLeverage"), 12, 13)}};
    return set;
}

ColumnSet<RRSPProjectionYear> RRSPColumns(const Columns& c)
{
    using Y = RRSPProjectionYear;
    ColumnSet<Y> set;
    const std::vector<std::string> contrib{c.caption("Contrib")};
    const std::vector<std::string> value{c.caption("RRSPValue")};
    const std::vector<std::string> percent{c.caption("%IncreaseShort")};
    set.columns = {c.year<Y>(),
                   c.amount(contrib, &Y::catch_up_contribution),
                   c.amount(value, &Y::catch_up_balance),
                   c.amount(contrib, &Y::spend_contribution),
                   c.amount(value, &Y::spend_balance),
                   c.percent(percent, &Y::spend_percent),
                   c.amount(contrib, &Y::reinvest_contribution),
                   c.amount(value, &Y::reinvest_balance),
                   c.percent(percent, &Y::reinvest_percent),
                   c.amount(contrib, &Y::gross_up_contribution),
                   c.amount(value, &Y::gross_up_balance),
                   c.percent(percent, &Y::gross_up_percent)};
    const auto annual = [&](const char* plan) {
        return c.caption("Annual") + " " + c.caption(plan) + " " + c.caption("Refund");
    };
    set.groupRows = {{Group(c.caption("CatchUpLoan"), 1, 2), Group(annual("Spend1"), 3, 5),
                      Group(annual("Reinvest1"), 6, 8), Group(annual("GrossUp1"), 9, 11)}};
    return set;
}

template <typename Year>
ReportTable MakeTable(const ColumnSet<Year>& set, const std::vector<Year>& years)
{
    ReportTable table;
    table.fontSizes = {9, 8.5, 8, 7.5, 7, 6.5, 6};
    table.groupRows = set.groupRows;
    for (const Column<Year>& column : set.columns)
        table.heads.push_back(column.heads);
    for (const Year& year : years) {
        std::vector<std::string> row;
        for (const Column<Year>& column : set.columns)
            row.push_back(column.cell(year));
        table.rows.push_back(std::move(row));
    }
    return table;
}

std::string TitleKey(Strategy strategy)
{
    switch (strategy) {
    case Strategy::InterestOnly: return "ProjectionTitle_IntOnly";
    case Strategy::TermLoan: return "ProjectionTitle_Term";
    case Strategy::RRSP: return "ProjectionTitle_RRSP";
    }
    return {};
}

ReportTable ProjectionTable(const PrintContext& context, const ReportData& data)
{
    const Columns columns(context);
    const bool wide = Limited(data);
    switch (data.strategy) {
    case Strategy::InterestOnly: return MakeTable(IntOnlyColumns(columns, wide), IntOnly(data).projection);
    case Strategy::TermLoan: return MakeTable(TermColumns(columns, wide), Term(data).projection);
    case Strategy::RRSP: return MakeTable(RRSPColumns(columns), RRSP(data).projection);
    }
    return {};
}

void DrawProjectionPages(PrintContext& context, const ReportData& data)
{
    SetStep(context, "PrintProjection", 0);
    SetFont(context, kFace, 10);
    SetReportFontSizes(context);
    RequireResults(data);
    const double width = PageWidth(context);
    const CaptionTables& captions = context.captions;
    const Language language = context.language;
    const double projectionReturn = std::visit([](const auto& r) { return r.returns[0]; }, *data.results);
    const std::string subtitle =
        std::visit([&](const auto& r) { return ProjectionSubtitle(r, captions, language); }, *data.results);
    const std::vector<std::string> notes =
        std::visit([&](const auto& r) { return ProjectionNoteLines(r, captions, language); }, *data.results);

    SetStep(context, "PrintPageTitle", 1);
    double y = PrintTitle(context, Caption(context, TitleKey(data.strategy)), kTitleTop);
    SetSize(context, context.fontSizes.body);
    y = PrintCentredBlock(context, subtitle, 0, y, width, kLineAdvance * context.page.textHeight());

    SetStep(context, "PrintProjection - Heading", 2);
    y += kBlockGap;
    PrintDate(context, data, y, width);
    SetSize(context, context.fontSizes.body);
    const std::string date = FormatReportDate(context.captions, context.language, data.date);
    PrintPreparedLines(context, y, kLeft, width - MeasureText(context.page, date) - 2);

    y = PrintAssumptions(context, data, y + kBlockGap, width);

    SetStep(context, "PrintProjection - Table", 5);
    SetSize(context, context.fontSizes.body);
    y = PrintWrappedText(context, Filled(context, "ProjectionTableTitle", {Figure(context, projectionReturn, "##0.0%")}),
                         kLeft, y + kBlockGap, width);
    SetStep(context, "PrintProjection - Table", 6);
    y = PrintReportTable(context, ProjectionTable(context, data), y + 0.3, 0, width);

    SetStep(context, "PrintProjection - Notes", 7);
    PrintHeadedItems(context, Caption(context, "Notes_Title"), notes, y + kBlockGap, width);

    SetStep(context, "PrintProjection - Footer", 8);
    PrintFooter(context);
}

} // namespace

namespace report {

void DrawProjection(PrintContext& context, const ReportData& data)
{
    DrawNumbered(context, [&data](PrintContext& c) { DrawProjectionPages(c, data); });
}

} // namespace report
} // namespace gw
