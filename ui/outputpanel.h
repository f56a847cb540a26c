#pragma once

#include "dispatch.h"

#include <QObject>
#include <QString>

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QChartView;
class QLabel;
class QLineEdit;
class QStackedWidget;
class QTableWidget;
class QTextEdit;
class QWidget;

namespace gw {

class CaptionSource;
class UpDown;

// The four output pages of the main window (tabOutputs): 0 summary table,
// 1 summary chart, 2 projection table, 3 projection chart. The tables and
// charts of all strategies sit on their page, one shown at a time.
// Control arrays follow arrayName(): gridSummaryTable(t) is
// "gridSummaryTable<t>", gridProjectionTable_Basic(t)
// "gridProjectionTable_Basic<t>", txtProjectionReturn(j)
// "txtProjectionReturn<j>".
//
// The panel keeps the last results of each strategy and writes them into
// that strategy's tables; the interest-only and term loans share one pair of
// charts, which show the results of whichever of the two is selected.
class OutputPanel : public QObject {
    Q_OBJECT
public:
    explicit OutputPanel(const CaptionSource& captions, QObject* parent = nullptr);

    // Every caption, table head and chart label in the current language;
    // the tables are refilled so that their figures follow the language.
    // `limited` (a deduction limited to investment income) lays out the
    // advanced tables of strategies that have no results yet.
    void formatCaptions(bool limited);
    // Lays out the strategy's summary table, or its projection tables, and
    // refills them from the strategy's results.
    void formatSummaryTable(Strategy strategy);
    void formatProjectionTable(Strategy strategy, bool limited);
    // Summary titles with the number of years shown; projection titles.
    void formatOutputTitles(Strategy strategy, int years);
    // Series labels and axis titles of the strategy's chart, which is put in
    // front; the shared chart is refilled when it showed the other strategy.
    void formatSummaryChart(Strategy strategy);
    void formatProjectionChart(Strategy strategy);
    // Puts the summary table, the projection table (basic or advanced
    // columns; RRSP loans have only the basic one) and both charts of the
    // strategy in front, with its remaining-deductions line.
    void showStrategy(Strategy strategy, bool advancedView);

    // Keeps the results and writes them into the tables, charts and the
    // remaining-deductions line of the strategy they belong to.
    void showResults(const AnalysisResults& results);
    // The last results shown for a strategy, if any.
    const std::optional<AnalysisResults>& results(Strategy strategy) const;
    // The notes under the summary table (paragraphs separated by CR LF).
    void setNotes(const QString& text);

    std::array<QWidget*, 4> pages{};

    QLabel* lblSummaryTableTitle = nullptr;
    std::array<QTableWidget*, kStrategies.size()> gridSummaryTable{};
    QLabel* lblNotesHeader = nullptr;
    QTextEdit* txtSummaryTableNotes = nullptr;

    QLabel* lblSummaryChartTitle = nullptr;
    QChartView* chartSummaryChart_IntTerm = nullptr;
    QChartView* chartSummaryChart_RRSP = nullptr;

    QLabel* lblProjectionTableTitle = nullptr;
    std::array<QLabel*, 2> lblProjectionReturn{};
    std::array<QLineEdit*, 2> txtProjectionReturn{};
    std::array<UpDown*, 2> updProjectionReturn{};
    std::array<QTableWidget*, kStrategies.size()> gridProjectionTable_Basic{};
    std::array<QTableWidget*, 2> gridProjectionTable_Advanced{};
    QLabel* lblRemainingDeductions = nullptr;

    QLabel* lblProjectionChartTitle = nullptr;
    QChartView* chartProjectionChart_IntTerm = nullptr;
    QChartView* chartProjectionChart_RRSP = nullptr;

private:
    QWidget* projectionReturnRow(int index, QWidget* parent);
    QString caption(std::string_view key, const std::vector<std::string>& values = {}) const;
    void writeTables(Strategy strategy);
    void writeCharts(Strategy strategy);
    void writeRemainingDeductions(Strategy strategy);
    void fitSummaryHeight();
    bool limitedFor(Strategy strategy, bool fallback) const;
    // The advanced projection table; RRSP loans have none.
    QTableWidget* advancedTable(Strategy strategy) const;

    const CaptionSource& captions_;
    QStackedWidget* summaryTables_ = nullptr;
    QStackedWidget* summaryCharts_ = nullptr;
    QStackedWidget* projectionTables_ = nullptr;
    QStackedWidget* projectionCharts_ = nullptr;
    std::array<std::optional<AnalysisResults>, kStrategies.size()> results_;
    std::optional<Strategy> intTermChartsShow_;  // strategy whose results the shared charts hold
    std::optional<Strategy> shown_;              // none before the window first shows one
};

} // namespace gw
