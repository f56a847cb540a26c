#include "outputpanel.h"

#include "captionsource.h"
#include "updown.h"

#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QVBoxLayout>

namespace gw {

namespace {

QLabel* makeTitle(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QTableWidget* makeGrid(const QString& name, QWidget* parent)
{
    auto* grid = new QTableWidget(parent);
    grid->setObjectName(name);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->verticalHeader()->hide();
    return grid;
}

QChartView* makeChart(const char* name, QWidget* parent)
{
    auto* view = new QChartView(new QChart, parent);
    view->setObjectName(QString::fromLatin1(name));
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(320, 240);
    return view;
}

} // namespace

OutputPanel::OutputPanel(const CaptionSource& captions, QObject* parent) : QObject(parent), captions_(captions)
{
    // Page 0: summary table with the notes under it.
    pages[0] = new QWidget;
    pages[0]->setObjectName(QStringLiteral("pageSummaryTable"));
    auto* summary = new QVBoxLayout(pages[0]);
    lblSummaryTableTitle = makeTitle("lblSummaryTableTitle", pages[0]);
    summaryTables_ = new QStackedWidget(pages[0]);
    for (int t = 0; t < 3; ++t) {
        gridSummaryTable[t] = makeGrid(arrayName("gridSummaryTable", t), summaryTables_);
        summaryTables_->addWidget(gridSummaryTable[t]);
    }
    lblNotesHeader = makeTitle("lblNotesHeader", pages[0]);
    txtSummaryTableNotes = new QTextEdit(pages[0]);
    txtSummaryTableNotes->setObjectName(QStringLiteral("txtSummaryTableNotes"));
    txtSummaryTableNotes->setReadOnly(true);
    summary->addWidget(lblSummaryTableTitle);
    summary->addWidget(summaryTables_, 3);
    summary->addWidget(lblNotesHeader);
    summary->addWidget(txtSummaryTableNotes, 2);

    // Page 1: summary chart.
    pages[1] = new QWidget;
    pages[1]->setObjectName(QStringLiteral("pageSummaryChart"));
    auto* summaryChart = new QVBoxLayout(pages[1]);
    lblSummaryChartTitle = makeTitle("lblSummaryChartTitle", pages[1]);
    summaryCharts_ = new QStackedWidget(pages[1]);
    chartSummaryChart_IntTerm = makeChart("chartSummaryChart_IntTerm", summaryCharts_);
    chartSummaryChart_RRSP = makeChart("chartSummaryChart_RRSP", summaryCharts_);
    summaryCharts_->addWidget(chartSummaryChart_IntTerm);
    summaryCharts_->addWidget(chartSummaryChart_RRSP);
    summaryChart->addWidget(lblSummaryChartTitle);
    summaryChart->addWidget(summaryCharts_, 1);

    // Page 2: projection table, with the projection return above it.
    pages[2] = new QWidget;
    pages[2]->setObjectName(QStringLiteral("pageProjectionTable"));
    auto* projection = new QVBoxLayout(pages[2]);
    lblProjectionTableTitle = makeTitle("lblProjectionTableTitle", pages[2]);
    projectionTables_ = new QStackedWidget(pages[2]);
    for (int t = 0; t < 3; ++t) {
        gridProjectionTable_Basic[t] = makeGrid(arrayName("gridProjectionTable_Basic", t), projectionTables_);
        projectionTables_->addWidget(gridProjectionTable_Basic[t]);
    }
    for (int t = 0; t < 2; ++t) {
        gridProjectionTable_Advanced[t] = makeGrid(arrayName("gridProjectionTable_Advanced", t), projectionTables_);
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
    lblProjectionChartTitle = makeTitle("lblProjectionChartTitle", pages[3]);
    projectionCharts_ = new QStackedWidget(pages[3]);
    chartProjectionChart_IntTerm = makeChart("chartProjectionChart_IntTerm", projectionCharts_);
    chartProjectionChart_RRSP = makeChart("chartProjectionChart_RRSP", projectionCharts_);
    projectionCharts_->addWidget(chartProjectionChart_IntTerm);
    projectionCharts_->addWidget(chartProjectionChart_RRSP);
    projectionChart->addWidget(lblProjectionChartTitle);
    projectionChart->addWidget(projectionReturnRow(1, pages[3]));
    projectionChart->addWidget(projectionCharts_, 1);
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

void OutputPanel::formatCaptions()
{
    lblNotesHeader->setText(caption("lblNotesHeader"));
    for (int j = 0; j < 2; ++j)
        lblProjectionReturn[j]->setText(caption("lblProjectionReturn"));
}

void OutputPanel::showStrategy(int analysisType, bool advancedView)
{
    if (analysisType < 0 || analysisType > 2)
        return;
    summaryTables_->setCurrentWidget(gridSummaryTable[analysisType]);
    const bool rrsp = analysisType == 2;
    summaryCharts_->setCurrentWidget(rrsp ? chartSummaryChart_RRSP : chartSummaryChart_IntTerm);
    projectionCharts_->setCurrentWidget(rrsp ? chartProjectionChart_RRSP : chartProjectionChart_IntTerm);
    if (rrsp || !advancedView)
        projectionTables_->setCurrentWidget(gridProjectionTable_Basic[analysisType]);
    else
        projectionTables_->setCurrentWidget(gridProjectionTable_Advanced[analysisType]);
}

QString OutputPanel::caption(std::string_view key, const std::vector<std::string>& values) const
{
    return lookUp(captions_, key, values);
}

} // namespace gw
