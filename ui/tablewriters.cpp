#include "tablewriters.h"

#include "captionsource.h"
#include "numformat.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRegularExpression>
#include <QStyle>
#include <QTableWidget>

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

namespace gw {

namespace {

// Room around a cell's text and a head's caption, in pixels.
constexpr int kCellPadding = 14;
constexpr int kHeadPadding = 12;

int widestWord(const QFontMetrics& fm, const QString& text)
{
    int widest = 0;
    for (const QString& word : text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
        widest = std::max(widest, fm.horizontalAdvance(word));
    return widest;
}

GroupedHeader* headerOf(const QTableWidget& grid)
{
    return qobject_cast<GroupedHeader*>(grid.horizontalHeader());
}

int headerData(const QTableWidget& grid, int column, int role)
{
    const QTableWidgetItem* item = grid.horizontalHeaderItem(column);
    return item ? item->data(role).toInt() : 0;
}

// A group caption wider than its columns widens the last of them.
void widenForGroups(QTableWidget& grid, std::vector<int>& widths)
{
    const QFontMetrics fm(grid.horizontalHeader()->font());
    const int columns = grid.columnCount();
    for (int first = 0; first < columns;) {
        const int id = headerData(grid, first, GroupedHeader::kGroupIdRole);
        int last = first;
        while (last + 1 < columns && headerData(grid, last + 1, GroupedHeader::kGroupIdRole) == id)
            ++last;
        if (id >= 0) {
            int span = 0;
            for (int c = first; c <= last; ++c)
                span += widths[c];
            const QString group = grid.horizontalHeaderItem(first)->data(GroupedHeader::kGroupRole).toString();
            const int need = fm.horizontalAdvance(group) + kHeadPadding;
            if (span < need)
                widths[last] += need - span;
        }
        first = last + 1;
    }
}

// Column widths: the head fits them to the table's width (see
// GroupedHeader::setNeededWidths).
void applyWidths(QTableWidget& grid, std::vector<int> widths)
{
    widenForGroups(grid, widths);
    if (auto* grouped = headerOf(grid)) {
        grouped->setNeededWidths(std::move(widths));
        grouped->updateHeight();
        return;
    }
    QHeaderView* header = grid.horizontalHeader();
    for (int c = 0; c < grid.columnCount(); ++c) {
        header->setSectionResizeMode(c, QHeaderView::Interactive);
        header->resizeSection(c, widths[static_cast<std::size_t>(c)]);
    }
}

// Writes the cells of one table, reusing the items it already has, and
// keeps the longest text of each column to size the columns afterwards.
class GridFill {
public:
    GridFill(QTableWidget& grid, int rows, Language language)
        : grid_(grid), language_(language), widest_(static_cast<std::size_t>(grid.columnCount()))
    {
        if (grid_.rowCount() != rows)
            grid_.setRowCount(rows);
    }

    void number(int row, int column, double value, std::string_view pattern, Shade shade = Shade::None)
    {
        text(row, column, QString::fromStdString(FormatNumber(value, pattern, language_)), shade);
    }

    // "amount" over "(per cent)" in one cell.
    void numberAndPercent(int row, int column, double value, std::string_view pattern, double percent, Shade shade)
    {
        const std::string text = FormatNumber(value, pattern, language_) + "\n(" +
                                 FormatNumber(percent, kCellPercentPattern, language_) + ")";
        this->text(row, column, QString::fromStdString(text), shade);
    }

    void text(int row, int column, const QString& text, Shade shade)
    {
        if (column >= grid_.columnCount())
            return;
        QTableWidgetItem* item = grid_.item(row, column);
        if (!item) {
            item = new QTableWidgetItem;
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            item->setTextAlignment(Qt::AlignCenter);
            grid_.setItem(row, column, item);
        }
        item->setText(text);
        const QColor colour = ShadeColour(shade);
        if (colour.isValid()) {
            item->setBackground(colour);
            // Dark themes would put light text on the light shades.
            item->setForeground(QColor(Qt::black));
        } else {
            item->setBackground(QBrush());
            item->setForeground(QBrush());
        }
        QString& widest = widest_[static_cast<std::size_t>(column)];
        if (!text.contains(u'\n')) {
            if (text.size() > widest.size())
                widest = text;
            return;
        }
        for (const QString& line : text.split(u'\n')) {
            if (line.size() > widest.size())
                widest = line;
        }
    }

    // Widens the columns whose figures would not fit.
    void finish()
    {
        const QFontMetrics fm(grid_.font());
        std::vector<int> widths(static_cast<std::size_t>(grid_.columnCount()));
        for (int c = 0; c < grid_.columnCount(); ++c) {
            const int base = headerData(grid_, c, GroupedHeader::kBaseWidthRole);
            const QString& widest = widest_[static_cast<std::size_t>(c)];
            const int content = widest.isEmpty() ? 0 : fm.horizontalAdvance(widest) + kCellPadding;
            widths[static_cast<std::size_t>(c)] = std::max(base, content);
        }
        applyWidths(grid_, std::move(widths));
    }

private:
    QTableWidget& grid_;
    Language language_;
    std::vector<QString> widest_;
};

// Keeps the grid from repainting and re-laying out item by item.
class BatchUpdate {
public:
    explicit BatchUpdate(QTableWidget& grid) : grid_(grid), wasEnabled_(grid.updatesEnabled())
    {
        grid_.setUpdatesEnabled(false);
    }
    ~BatchUpdate()
    {
        grid_.setUpdatesEnabled(wasEnabled_);
    }
    BatchUpdate(const BatchUpdate&) = delete;
    BatchUpdate& operator=(const BatchUpdate&) = delete;

private:
    QTableWidget& grid_;
    bool wasEnabled_;
};

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

void writeFigures(QTableWidget& grid, const TableFigures& rows, Language language)
{
    BatchUpdate batch(grid);
    GridFill fill(grid, static_cast<int>(rows.size()), language);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const std::vector<TableCell>& cells = rows[static_cast<std::size_t>(r)];
        for (int c = 0; c < static_cast<int>(cells.size()); ++c) {
            const TableCell& cell = cells[static_cast<std::size_t>(c)];
            if (cell.percent)
                fill.numberAndPercent(r, c, cell.value, cell.pattern, *cell.percent, cell.shade);
            else
                fill.number(r, c, cell.value, cell.pattern, cell.shade);
        }
    }
    fill.finish();
}

TableFigures leverageSummary(const std::vector<SummaryRow>& rows, std::string_view differencePattern)
{
    TableFigures out;
    for (const SummaryRow& row : rows) {
        out.push_back({{row.return_, SummaryReturnPattern(rows, row), Shade::Year},
                       {row.unleveraged, "#,###,###,##0"},
                       {row.leveraged, "#,###,###,##0", Shade::Leveraged},
                       {row.increase, differencePattern, Shade::Difference},
                       {row.percent_increase, "##0%", Shade::Difference}});
    }
    return out;
}

TableFigures rrspSummary(const RRSPResults& r)
{
    TableFigures out;
    for (const RRSPSummaryRow& row : r.summary) {
        out.push_back({{row.return_, "##0.0%", Shade::Year},
                       {row.catch_up, "###,##0", Shade::Leveraged},
                       {row.spend_refund, "###,##0", Shade::None, row.spend_percent},
                       {row.reinvest_refund, "###,##0", Shade::None, row.reinvest_percent},
                       {row.gross_up, "###,##0", Shade::None, row.gross_up_percent}});
    }
    return out;
}

// The short projection of the interest-only and term loans.
template <typename Year>
TableFigures basicProjection(const std::vector<Year>& years, std::string_view money)
{
    TableFigures out;
    for (const Year& y : years) {
        out.push_back({{double(y.year), "#0", Shade::Year},
                       {y.unleveraged_balance, money},
                       {y.net_balance_payoff, money},
                       {y.increase, money, Shade::Difference},
                       {y.percent_increase, "##0%", Shade::Difference}});
    }
    return out;
}

TableFigures advancedProjection(const IntOnlyResults& r)
{
    constexpr std::string_view money = "#,##0";
    constexpr Shade lev = Shade::Leveraged;
    TableFigures out;
    for (const IntOnlyYear& y : r.projection) {
        std::vector<TableCell> row{{double(y.year), "#0", Shade::Year},
                                   {y.unleveraged_balance, money},
                                   {y.unleveraged_distributions, money},
                                   {y.unleveraged_acb, money},
                                   {y.leveraged_balance, money},
                                   {y.leveraged_distributions, money}};
        if (r.deduction_limited) {
            row.insert(row.end(), {{y.after_tax_cost, money, lev},
                                   {y.fed_deduction, money, lev},
                                   {y.prov_deduction, money, lev},
                                   {y.fed_undeducted, money, lev},
                                   {y.prov_undeducted, money, lev}});
        }
        row.insert(row.end(), {{y.net_balance_payoff, money, lev},
                               {y.acb_after, money, lev},
                               {y.increase, "##,##0", Shade::Difference},
                               {y.percent_increase, "##0%", Shade::Difference}});
        out.push_back(std::move(row));
    }
    return out;
}

TableFigures advancedProjection(const TermResults& r)
{
    constexpr std::string_view money = "###,##0";
    constexpr Shade lev = Shade::Leveraged;
    TableFigures out;
    for (const TermYear& y : r.projection) {
        std::vector<TableCell> row{{double(y.year), "#0", Shade::Year},
                                   {y.after_tax_cashflow, money},
                                   {y.unleveraged_balance, money},
                                   {y.unleveraged_distributions, money},
                                   {y.unleveraged_acb, money},
                                   {y.net_balance_payoff, money, lev},
                                   {y.loan_balance, money, lev},
                                   {y.interest, money, lev},
                                   {y.principal, money, lev},
                                   {y.after_tax_cashflow, money, lev},
                                   {y.leveraged_distributions, money, lev}};
        if (r.deduction_limited) {
            // The unleveraged side invests exactly the after-tax outlay.
            row.insert(row.end(), {{y.after_tax_cashflow, "#,##0", lev},
                                   {y.fed_deduction, "#,##0", lev},
                                   {y.prov_deduction, "#,##0", lev},
                                   {y.fed_undeducted, "#,##0", lev},
                                   {y.prov_undeducted, "#,##0", lev}});
        }
        row.insert(row.end(), {{y.leveraged_acb, money, lev},
                               {y.increase, money, Shade::Difference},
                               {y.percent_increase, "##0%", Shade::Difference}});
        out.push_back(std::move(row));
    }
    return out;
}

TableFigures rrspProjection(const RRSPResults& r)
{
    constexpr std::string_view money = "#,##0";
    TableFigures out;
    for (const RRSPProjectionYear& y : r.projection) {
        out.push_back({{double(y.year), "#0", Shade::Year},
                       {y.catch_up_contribution, money, Shade::Leveraged},
                       {y.catch_up_balance, money, Shade::Leveraged},
                       {y.spend_contribution, money},
                       {y.spend_balance, money},
                       {y.spend_percent, "##0%", Shade::Difference},
                       {y.reinvest_contribution, money},
                       {y.reinvest_balance, money},
                       {y.reinvest_percent, "##0%", Shade::Difference},
                       {y.gross_up_contribution, money},
                       {y.gross_up_balance, money},
                       {y.gross_up_percent, "##0%", Shade::Difference}});
    }
    return out;
}

} // namespace

QColor ShadeColour(Shade shade)
{
    switch (shade) {
    case Shade::Year:
        return QColor(255, 255, 192);
    case Shade::Leveraged:
        return QColor(192, 255, 192);
    case Shade::Difference:
        return QColor(192, 255, 255);
    case Shade::None:
        break;
    }
    return QColor();
}

void ShadeKeepingDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem plain(option);
    plain.state &= ~QStyle::State_Selected;
    // The view has already filled a selected cell with the highlight.
    if (option.state & QStyle::State_Selected)
        painter->fillRect(option.rect, option.palette.brush(QPalette::Base));
    QStyledItemDelegate::paint(painter, plain, index);
    if (option.state & QStyle::State_Selected) {
        QColor wash = option.palette.color(QPalette::Active, QPalette::Highlight);
        wash.setAlpha(option.state & QStyle::State_Active ? 96 : 56);
        painter->fillRect(option.rect, wash);
    }
}

std::vector<TableColumn> SummaryColumns(Strategy strategy, const CaptionSource& captions)
{
    const auto caption = [&captions](std::string_view key) { return lookUp(captions, key); };
    if (strategy == Strategy::RRSP) {
        return {{caption("Return"), {}, -1, 1350},
                {caption("CatchUpLoan"), {}, -1, 1200},
                {caption("SpendRefund"), {}, -1, 1200},
                {caption("ReinvestRefund"), {}, -1, 1200},
                {caption("GrossUp"), {}, -1, 1200}};
    }
    return {{caption("Return"), {}, -1, 1200},
            {caption("NoLeverage"), {}, -1, 1800},
            {caption("Leverage"), {}, -1, 1800},
            {caption("$Increase"), {}, -1, 1800},
            {caption("%Increase"), {}, -1, 1500}};
}

std::vector<TableColumn> BasicProjectionColumns(Strategy strategy, const CaptionSource& captions)
{
    const auto caption = [&captions](std::string_view key) { return lookUp(captions, key); };
    if (strategy == Strategy::RRSP) {
        const QString catchUp = caption("CatchUpShort");
        const QString spend = caption("Spend");
        const QString reinvest = caption("Reinvest");
        const QString grossUp = caption("GrossUpShort");
        const QString contrib = caption("Contrib");
        const QString value = caption("RRSPValue");
        const QString percent = caption("%IncreaseShort");
        return {{caption("EndOfYear"), {}, -1, 1000},
                {contrib, catchUp, 0, 1600},  {value, catchUp, 0, 1600},
                {contrib, spend, 1, 1600},    {value, spend, 1, 1600},    {percent, spend, 1, 1600},
                {contrib, reinvest, 2, 1600}, {value, reinvest, 2, 1600}, {percent, reinvest, 2, 1600},
                {contrib, grossUp, 3, 1600},  {value, grossUp, 3, 1600},  {percent, grossUp, 3, 1600}};
    }
    return {{caption("EndOfYear"), {}, -1, 800},
            {caption("NoLeverage"), {}, -1, 1400},
            {caption("Leverage"), {}, -1, 1400},
            {caption("$Increase"), {}, -1, 1500},
            {caption("%Increase"), {}, -1, 1500}};
}

std::vector<TableColumn> AdvancedProjectionColumns(Strategy strategy, bool limited, const CaptionSource& captions)
{
    if (strategy == Strategy::RRSP)
        return {};
    const auto caption = [&captions](std::string_view key) { return lookUp(captions, key); };
    const QString noLev = caption("NoLeverage");
    const QString lev = caption("Leverage");
    const QString comparison = caption("Comparison");
    std::vector<TableColumn> columns{{caption("EndOfYear"), {}, -1, 1000}};
    const auto add = [&columns](const QString& text, const QString& group, int id, int twips = 1400) {
        columns.push_back({text, group, id, twips});
    };
    if (strategy == Strategy::InterestOnly) {
        add(caption("BTBalance"), noLev, 0);
        add(caption("ATDistrib"), noLev, 0);
        add(caption("ACB"), noLev, 0);
        add(caption("BTBalance"), lev, 1);
        add(caption("ATDistrib"), lev, 1);
    } else {
        add(caption("AnnInvest"), noLev, 0);
        add(caption("BTBalance"), noLev, 0);
        add(caption("ATDistrib"), noLev, 0);
        add(caption("ACB"), noLev, 0);
        // The column holds the value net of repaying the balance, not the
        // market value.
        add(caption("BalancePayoff"), lev, 1);
        add(caption("LoanBalance"), lev, 1);
        add(caption("IntPartOfPmt"), lev, 1, 1600);
        add(caption("LoanReduction"), lev, 1);
        add(caption("PmtDeduction"), lev, 1, 1600);
        add(caption("ATDistrib"), lev, 1);
    }
    if (limited) {
        add(caption("AfterTaxInvestment"), lev, 1, 2000);
        add(caption("FederalInvestmentExpenseDeducted"), lev, 1, 2000);
        add(caption("ProvincialInvestmentExpenseDeducted"), lev, 1, 2000);
        add(caption("FederalTotalUndeductedExpenses"), lev, 1, 2000);
        add(caption("ProvincialTotalUndeductedExpenses"), lev, 1, 2000);
    }
    if (strategy == Strategy::InterestOnly)
        add(caption("BalancePayoff"), lev, 1);
    add(caption("ACB"), lev, 1);
    add(caption("$Increase"), comparison, 2);
    add(caption("%Increase"), comparison, 2);
    return columns;
}

bool DeductionLimited(const AnalysisResults& results)
{
    return std::visit(
        [](const auto& r) {
            if constexpr (std::is_same_v<std::decay_t<decltype(r)>, RRSPResults>)
                return false;
            else
                return r.deduction_limited;
        },
        results);
}

int TwipsToPixels(int twips, const QWidget& widget)
{
    return static_cast<int>(std::lround(twips / 15.0 * widget.logicalDpiX() / 96.0));
}

bool HasColumns(const QTableWidget& grid, int count)
{
    return grid.columnCount() == count;
}

void LayOutGrid(QTableWidget& grid, const std::vector<TableColumn>& columns, int linesPerRow)
{
    BatchUpdate batch(grid);
    const int count = static_cast<int>(columns.size());
    if (grid.columnCount() != count) {
        grid.clearContents();
        grid.setColumnCount(count);
    }
    grid.setWordWrap(false);
    const QFontMetrics head(grid.horizontalHeader()->font());
    std::vector<int> widths(columns.size());
    for (int c = 0; c < count; ++c) {
        const TableColumn& column = columns[static_cast<std::size_t>(c)];
        QTableWidgetItem* item = grid.horizontalHeaderItem(c);
        if (!item) {
            item = new QTableWidgetItem;
            grid.setHorizontalHeaderItem(c, item);
        }
        item->setText(column.caption);
        item->setData(GroupedHeader::kGroupRole, column.group);
        item->setData(GroupedHeader::kGroupIdRole, column.groupId);
        // Captions wrap between words, never inside one.
        const int base = std::max(TwipsToPixels(column.twips, grid), widestWord(head, column.caption) + kHeadPadding);
        item->setData(GroupedHeader::kBaseWidthRole, base);
        widths[static_cast<std::size_t>(c)] = base;
    }
    const QFontMetrics cells(grid.font());
    const int rowHeight = linesPerRow * cells.lineSpacing() + 8;
    QHeaderView* rows = grid.verticalHeader();
    rows->setMinimumSectionSize(std::min(rows->minimumSectionSize(), rowHeight));
    rows->setDefaultSectionSize(rowHeight);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    applyWidths(grid, std::move(widths));
}

TableFigures SummaryFigures(const AnalysisResults& results)
{
    return std::visit(Overloaded{
                          [](const IntOnlyResults& r) { return leverageSummary(r.summary, "#,##0"); },
                          [](const TermResults& r) { return leverageSummary(r.summary, "#,###,###,##0"); },
                          [](const RRSPResults& r) { return rrspSummary(r); },
                      },
                      results);
}

TableFigures BasicProjectionFigures(const AnalysisResults& results)
{
    return std::visit(Overloaded{
                          [](const IntOnlyResults& r) { return basicProjection(r.projection, "#,###,###,##0"); },
                          [](const TermResults& r) { return basicProjection(r.projection, "###,##0"); },
                          [](const RRSPResults& r) { return rrspProjection(r); },
                      },
                      results);
}

TableFigures AdvancedProjectionFigures(const AnalysisResults& results)
{
    return std::visit(Overloaded{
                          [](const IntOnlyResults& r) { return advancedProjection(r); },
                          [](const TermResults& r) { return advancedProjection(r); },
                          [](const RRSPResults&) { return TableFigures{}; },
                      },
                      results);
}

QString ColumnHead(const QString& group, const QString& caption)
{
    const QString head = caption.simplified();
    return group.isEmpty() ? head : group.simplified() + QStringLiteral(" - ") + head;
}

void WriteSummaryTable(QTableWidget& grid, const AnalysisResults& results, Language language)
{
    writeFigures(grid, SummaryFigures(results), language);
}

void WriteProjectionTables(QTableWidget& basic, QTableWidget* advanced, const AnalysisResults& results, Language language)
{
    writeFigures(basic, BasicProjectionFigures(results), language);
    if (advanced && StrategyOf(results) != Strategy::RRSP)
        writeFigures(*advanced, AdvancedProjectionFigures(results), language);
}

void WriteFigures(QTableWidget& grid, const TableFigures& rows, Language language)
{
    writeFigures(grid, rows, language);
}

int FullHeight(const QTableWidget& grid)
{
    int rows = 0;
    for (int r = 0; r < grid.rowCount(); ++r)
        rows += grid.rowHeight(r);
    const GroupedHeader* grouped = headerOf(grid);
    const int bar = grouped && grouped->scrollsSideways()
        ? grid.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &grid)
        : 0;
    return grid.horizontalHeader()->sizeHint().height() + rows + bar + 2 * grid.frameWidth();
}

} // namespace gw
