#include "outputpanel.h"

#include "captionsource.h"
#include "chartwriters.h"
#include "frozencolumn.h"
#include "notes.h"
#include "numformat.h"
#include "tableexport.h"
#include "tablewriters.h"
#include "updown.h"
#include "widgets.h"

#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLegend>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QVBoxLayout>

#include <type_traits>
#include <variant>

namespace gw {

namespace {

// `fillsWidth`: a table of a few columns spreads them over the page.
QTableWidget* makeGrid(const QString& name, bool fillsWidth, QWidget* parent)
{
    auto* grid = new QTableWidget(parent);
    grid->setObjectName(name);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* header = new GroupedHeader(grid);
    header->setFillsWidth(fillsWidth);
    grid->setHorizontalHeader(header);
    grid->verticalHeader()->hide();
    // A block of cells is selected with the mouse (a click gives the focus,
    // Tab passes the table by) and copied with Ctrl+C.
    grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    grid->setFocusPolicy(Qt::ClickFocus);
    grid->setItemDelegate(new ShadeKeepingDelegate(grid));
    AddCopyKey(*grid);
    grid->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    auto* frozen = new FrozenColumn(grid);
    frozen->setItemDelegate(new ShadeKeepingDelegate(frozen));
    return grid;
}

QChartView* makeChart(const char* name, ChartKind kind, int series, QWidget* parent)
{
    auto* view = new QChartView(new QChart, parent);
    view->setObjectName(QString::fromLatin1(name));
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(320, 240);
    QChart* chart = view->chart();
    SetUpChart(*chart, kind, series);
    // Long legend labels get a smaller font on a narrow chart.
    QObject::connect(chart, &QChart::plotAreaChanged, chart, [chart] { FitLegend(*chart); });
    return view;
}

} // namespace

OutputPanel::OutputPanel(const CaptionSource& captions, QObject* parent) : QObject(parent), captions_(captions)
{
    // Page 0: summary table with the notes under it.
    pages[0] = new QWidget;
    pages[0]->setObjectName(QStringLiteral("pageSummaryTable"));
    auto* summary = new QVBoxLayout(pages[0]);
    lblSummaryTableTitle = MakeHeading("lblSummaryTableTitle", pages[0], true);
    summaryTables_ = new QStackedWidget(pages[0]);
    for (Strategy strategy : kStrategies) {
        const int t = Index(strategy);
        gridSummaryTable[t] = makeGrid(arrayName("gridSummaryTable", t), true, summaryTables_);
        // A handful of rows: the table shows them all.
        gridSummaryTable[t]->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        // Captions rewrap when the page width changes the column widths.
        connect(qobject_cast<GroupedHeader*>(gridSummaryTable[t]->horizontalHeader()), &GroupedHeader::heightChanged,
                this, [this] { fitSummaryHeight(); });
        summaryTables_->addWidget(gridSummaryTable[t]);
    }
    lblNotesHeader = MakeHeading("lblNotesHeader", pages[0], true);
    txtSummaryTableNotes = new QTextEdit(pages[0]);
    txtSummaryTableNotes->setObjectName(QStringLiteral("txtSummaryTableNotes"));
    txtSummaryTableNotes->setReadOnly(true);
    summary->addWidget(lblSummaryTableTitle);
    summary->addWidget(summaryTables_);
    summary->addWidget(lblNotesHeader);
    summary->addWidget(txtSummaryTableNotes, 1);

    // Page 1: summary chart.
    pages[1] = new QWidget;
    pages[1]->setObjectName(QStringLiteral("pageSummaryChart"));
    auto* summaryChart = new QVBoxLayout(pages[1]);
    lblSummaryChartTitle = MakeHeading("lblSummaryChartTitle", pages[1], true);
    summaryCharts_ = new QStackedWidget(pages[1]);
    chartSummaryChart_IntTerm = makeChart("chartSummaryChart_IntTerm", ChartKind::Summary, 3, summaryCharts_);
    chartSummaryChart_RRSP = makeChart("chartSummaryChart_RRSP", ChartKind::Summary, 4, summaryCharts_);
    summaryCharts_->addWidget(chartSummaryChart_IntTerm);
    summaryCharts_->addWidget(chartSummaryChart_RRSP);
    summaryChart->addWidget(lblSummaryChartTitle);
    summaryChart->addWidget(summaryCharts_, 1);

    // Page 2: projection table, with the projection return above it.
    pages[2] = new QWidget;
    pages[2]->setObjectName(QStringLiteral("pageProjectionTable"));
    auto* projection = new QVBoxLayout(pages[2]);
    lblProjectionTableTitle = MakeHeading("lblProjectionTableTitle", pages[2], true);
    projectionTables_ = new QStackedWidget(pages[2]);
    for (Strategy strategy : kStrategies) {
        const int t = Index(strategy);
        gridProjectionTable_Basic[t] =
            makeGrid(arrayName("gridProjectionTable_Basic", t), strategy != Strategy::RRSP, projectionTables_);
        projectionTables_->addWidget(gridProjectionTable_Basic[t]);
    }
    for (Strategy strategy : {Strategy::InterestOnly, Strategy::TermLoan}) {
        const int t = Index(strategy);
        gridProjectionTable_Advanced[t] =
            makeGrid(arrayName("gridProjectionTable_Advanced", t), false, projectionTables_);
        projectionTables_->addWidget(gridProjectionTable_Advanced[t]);
    }
    lblRemainingDeductions = new QLabel(pages[2]);
    lblRemainingDeductions->setObjectName(QStringLiteral("lblRemainingDeductions"));
    lblRemainingDeductions->setWordWrap(true);
    projection->addWidget(lblProjectionTableTitle);
    projection->addWidget(projectionReturnRow(0, pages[2]));
    projection->addWidget(projectionTables_, 1);
    projection->addWidget(lblRemainingDeductions);

    // Page 3: projection chart.
    pages[3] = new QWidget;
    pages[3]->setObjectName(QStringLiteral("pageProjectionChart"));
    auto* projectionChart = new QVBoxLayout(pages[3]);
    lblProjectionChartTitle = MakeHeading("lblProjectionChartTitle", pages[3], true);
    projectionCharts_ = new QStackedWidget(pages[3]);
    chartProjectionChart_IntTerm = makeChart("chartProjectionChart_IntTerm", ChartKind::Projection, 2, projectionCharts_);
    chartProjectionChart_RRSP = makeChart("chartProjectionChart_RRSP", ChartKind::Projection, 4, projectionCharts_);
    projectionCharts_->addWidget(chartProjectionChart_IntTerm);
    projectionCharts_->addWidget(chartProjectionChart_RRSP);
    projectionChart->addWidget(lblProjectionChartTitle);
    projectionChart->addWidget(projectionReturnRow(1, pages[3]));
    projectionChart->addWidget(projectionCharts_, 1);

    // The RRSP comparison has four long labels: the legend goes under it.
    chartSummaryChart_RRSP->chart()->legend()->setAlignment(Qt::AlignBottom);
    chartProjectionChart_RRSP->chart()->legend()->setAlignment(Qt::AlignBottom);
}

QWidget* OutputPanel::projectionReturnRow(int index, QWidget* parent)
{
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    lblProjectionReturn[index] = new QLabel(row);
    lblProjectionReturn[index]->setObjectName(arrayName("lblProjectionReturn", index));
    txtProjectionReturn[index] = new QLineEdit(row);
    txtProjectionReturn[index]->setObjectName(arrayName("txtProjectionReturn", index));
    txtProjectionReturn[index]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    txtProjectionReturn[index]->setFixedWidth(56);
    updProjectionReturn[index] = new UpDown(txtProjectionReturn[index], -100, 51, row);
    updProjectionReturn[index]->setObjectName(arrayName("updProjectionReturn", index));
    lblProjectionReturn[index]->setBuddy(txtProjectionReturn[index]);
    layout->addWidget(lblProjectionReturn[index]);
    layout->addWidget(txtProjectionReturn[index]);
    layout->addWidget(updProjectionReturn[index]);
    layout->addStretch(1);
    return row;
}

void OutputPanel::formatCaptions(bool limited)
{
    lblNotesHeader->setText(caption("lblNotesHeader"));
    for (int j = 0; j < 2; ++j)
        lblProjectionReturn[j]->setText(caption("lblProjectionReturn"));
    for (Strategy strategy : kStrategies) {
        formatSummaryTable(strategy);
        formatProjectionTable(strategy, limited);
    }
    // The charts' return labels and number formats follow the language.
    if (results_[Index(Strategy::RRSP)])
        writeCharts(Strategy::RRSP);
    intTermChartsShow_.reset();
    if (shown_) {
        formatSummaryChart(*shown_);
        formatProjectionChart(*shown_);
        writeRemainingDeductions(*shown_);
    }
}

void OutputPanel::formatSummaryTable(Strategy strategy)
{
    QTableWidget& grid = *gridSummaryTable[Index(strategy)];
    LayOutGrid(grid, SummaryColumns(strategy, captions_), strategy == Strategy::RRSP ? 2 : 1);
    if (const auto& results = results_[Index(strategy)])
        WriteSummaryTable(grid, *results, captions_.language());
    fitSummaryHeight();
}

bool OutputPanel::limitedFor(Strategy strategy, bool fallback) const
{
    const auto& results = results_[Index(strategy)];
    return results ? DeductionLimited(*results) : fallback;
}

QTableWidget* OutputPanel::advancedTable(Strategy strategy) const
{
    switch (strategy) {
    case Strategy::InterestOnly:
    case Strategy::TermLoan:
        return gridProjectionTable_Advanced[Index(strategy)];
    case Strategy::RRSP:
        break;
    }
    return nullptr;
}

void OutputPanel::formatProjectionTable(Strategy strategy, bool limited)
{
    QTableWidget& basic = *gridProjectionTable_Basic[Index(strategy)];
    LayOutGrid(basic, BasicProjectionColumns(strategy, captions_), 1);
    QTableWidget* advanced = advancedTable(strategy);
    if (advanced)
        LayOutGrid(*advanced, AdvancedProjectionColumns(strategy, limitedFor(strategy, limited), captions_), 1);
    if (const auto& results = results_[Index(strategy)])
        WriteProjectionTables(basic, advanced, *results, captions_.language());
}

void OutputPanel::formatOutputTitles(Strategy strategy, int years)
{
    const YearsCaption shown = YearsText(years, true);
    const std::vector<std::string> values{caption(shown.key, shown.values).toStdString()};
    const QString summary = strategy == Strategy::RRSP ? caption("lblSummaryTableTitle_RRSP", values)
                                                       : caption("lblSummaryTableTitle_Int_Term", values);
    lblSummaryTableTitle->setText(summary);
    lblSummaryChartTitle->setText(summary);
    const QString projection = caption("lblProjectionTableTitle");
    lblProjectionTableTitle->setText(projection);
    lblProjectionChartTitle->setText(projection);
}

void OutputPanel::formatSummaryChart(Strategy strategy)
{
    const bool rrsp = strategy == Strategy::RRSP;
    QChartView* view = rrsp ? chartSummaryChart_RRSP : chartSummaryChart_IntTerm;
    const QStringList labels = rrsp ? QStringList{caption("CatchUpLoan"), caption("SpendRefund"),
                                                  caption("ReinvestRefund"), caption("GrossUp")}
                                    : QStringList{caption("NoLeverage"), caption("Leverage"), caption("$Increase")};
    LabelChart(*view->chart(), labels, caption("SummaryXAxis"), caption("ProjectionYAxis"), captions_.language());
    FitLegend(*view->chart());
    summaryCharts_->setCurrentWidget(view);
    if (!rrsp && intTermChartsShow_ != strategy)
        writeCharts(strategy);
}

void OutputPanel::formatProjectionChart(Strategy strategy)
{
    const bool rrsp = strategy == Strategy::RRSP;
    QChartView* view = rrsp ? chartProjectionChart_RRSP : chartProjectionChart_IntTerm;
    const QStringList labels = rrsp ? QStringList{caption("CatchUpLoan"), caption("SpendRefund"),
                                                  caption("ReinvestRefund"), caption("GrossUp")}
                                    : QStringList{caption("NoLeverage"), caption("Leverage")};
    LabelChart(*view->chart(), labels, caption("ProjectionXAxis"), caption("ProjectionYAxis"), captions_.language());
    FitLegend(*view->chart());
    projectionCharts_->setCurrentWidget(view);
    if (!rrsp && intTermChartsShow_ != strategy)
        writeCharts(strategy);
}

void OutputPanel::showStrategy(Strategy strategy, bool advancedView)
{
    shown_ = strategy;
    summaryTables_->setCurrentWidget(gridSummaryTable[Index(strategy)]);
    const bool rrsp = strategy == Strategy::RRSP;
    summaryCharts_->setCurrentWidget(rrsp ? chartSummaryChart_RRSP : chartSummaryChart_IntTerm);
    projectionCharts_->setCurrentWidget(rrsp ? chartProjectionChart_RRSP : chartProjectionChart_IntTerm);
    QTableWidget* advanced = advancedTable(strategy);
    if (advanced && advancedView)
        projectionTables_->setCurrentWidget(advanced);
    else
        projectionTables_->setCurrentWidget(gridProjectionTable_Basic[Index(strategy)]);
    writeRemainingDeductions(strategy);
    fitSummaryHeight();
}

void OutputPanel::showResults(const AnalysisResults& results)
{
    const Strategy strategy = StrategyOf(results);
    results_[Index(strategy)] = results;
    if (QTableWidget* advanced = advancedTable(strategy)) {
        // The five deduction columns come and go with the tax settings the
        // analysis ran with.
        const auto columns = AdvancedProjectionColumns(strategy, DeductionLimited(results), captions_);
        if (!HasColumns(*advanced, static_cast<int>(columns.size())))
            LayOutGrid(*advanced, columns, 1);
    }
    writeTables(strategy);
    if (strategy == Strategy::RRSP || strategy == shown_ || intTermChartsShow_ == strategy)
        writeCharts(strategy);
    if (strategy == shown_)
        writeRemainingDeductions(strategy);
    fitSummaryHeight();
}

const std::optional<AnalysisResults>& OutputPanel::results(Strategy strategy) const
{
    return results_[Index(strategy)];
}

void OutputPanel::setNotes(const QString& text)
{
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (txtSummaryTableNotes->toPlainText() != plain)
        txtSummaryTableNotes->setPlainText(plain);
}

void OutputPanel::writeTables(Strategy strategy)
{
    const auto& results = results_[Index(strategy)];
    if (!results)
        return;
    const Language language = captions_.language();
    WriteSummaryTable(*gridSummaryTable[Index(strategy)], *results, language);
    WriteProjectionTables(*gridProjectionTable_Basic[Index(strategy)], advancedTable(strategy), *results, language);
}

void OutputPanel::writeCharts(Strategy strategy)
{
    const bool rrsp = strategy == Strategy::RRSP;
    QChart& summary = *(rrsp ? chartSummaryChart_RRSP : chartSummaryChart_IntTerm)->chart();
    QChart& projection = *(rrsp ? chartProjectionChart_RRSP : chartProjectionChart_IntTerm)->chart();
    const auto& results = results_[Index(strategy)];
    // A strategy without results leaves the shared charts empty rather than
    // showing the other strategy's figures.
    FillChart(summary, results ? SummaryChartData(*results, captions_.language()) : ChartData{});
    FillChart(projection, results ? ProjectionChartData(*results) : ChartData{});
    if (!rrsp)
        intTermChartsShow_ = strategy;
}

void OutputPanel::writeRemainingDeductions(Strategy strategy)
{
    if (strategy == Strategy::RRSP) {
        lblRemainingDeductions->hide();
        return;
    }
    lblRemainingDeductions->show();
    const auto& results = results_[Index(strategy)];
    if (!results) {
        lblRemainingDeductions->clear();
        return;
    }
    const RemainingDeductions left = std::visit(
        [](const auto& r) -> RemainingDeductions {
            if constexpr (std::is_same_v<std::decay_t<decltype(r)>, RRSPResults>)
                return {};
            else
                return r.remaining_deductions;
        },
        *results);
    const Language language = captions_.language();
    // French amounts keep their groups and "$" on one line.
    const std::string pools = FormatNumberUnbroken(left.federal, "$#,##0", language) + " (" +
                              caption("Assumptions_IntOnly_Term_Federal").toStdString() + "), " +
                              FormatNumberUnbroken(left.provincial, "$#,##0", language) + " (" +
                              caption("Assumptions_IntOnly_Term_Provincial").toStdString() + ")";
    lblRemainingDeductions->setText(caption("Undeducted_Expenses_After_Pay_Loan", {pools}));
}

void OutputPanel::fitSummaryHeight()
{
    if (auto* grid = qobject_cast<QTableWidget*>(summaryTables_->currentWidget()))
        summaryTables_->setFixedHeight(FullHeight(*grid));
}

QString OutputPanel::caption(std::string_view key, const std::vector<std::string>& values) const
{
    return lookUp(captions_, key, values);
}

} // namespace gw
