#pragma once

#include <QObject>
#include <QString>

#include <array>
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
// This holds the layout and which table or chart is in front; filling them
// from the results is the table and chart writers' work.
class OutputPanel : public QObject {
    Q_OBJECT
public:
    explicit OutputPanel(const CaptionSource& captions, QObject* parent = nullptr);

    void formatCaptions();
    // Puts the summary table, the projection table (basic or advanced
    // columns; RRSP loans have only the basic one) and both charts of the
    // strategy in front.
    void showStrategy(int analysisType, bool advancedView);

    std::array<QWidget*, 4> pages{};

    QLabel* lblSummaryTableTitle = nullptr;
    std::array<QTableWidget*, 3> gridSummaryTable{};
    QLabel* lblNotesHeader = nullptr;
    QTextEdit* txtSummaryTableNotes = nullptr;

    QLabel* lblSummaryChartTitle = nullptr;
    QChartView* chartSummaryChart_IntTerm = nullptr;
    QChartView* chartSummaryChart_RRSP = nullptr;

    QLabel* lblProjectionTableTitle = nullptr;
    std::array<QLabel*, 2> lblProjectionReturn{};
    std::array<QLineEdit*, 2> txtProjectionReturn{};
    std::array<UpDown*, 2> updProjectionReturn{};
    std::array<QTableWidget*, 3> gridProjectionTable_Basic{};
    std::array<QTableWidget*, 2> gridProjectionTable_Advanced{};
    QLabel* lblRemainingDeductions = nullptr;

    QLabel* lblProjectionChartTitle = nullptr;
    QChartView* chartProjectionChart_IntTerm = nullptr;
    QChartView* chartProjectionChart_RRSP = nullptr;

private:
    QWidget* projectionReturnRow(int index, QWidget* parent);
    QString caption(std::string_view key, const std::vector<std::string>& values = {}) const;

    const CaptionSource& captions_;
    QStackedWidget* summaryTables_ = nullptr;
    QStackedWidget* summaryCharts_ = nullptr;
    QStackedWidget* projectionTables_ = nullptr;
    QStackedWidget* projectionCharts_ = nullptr;
};

} // namespace gw
