#pragma once

#include "captions.h"
#include "dispatch.h"

#include <QString>
#include <QStringList>

#include <vector>

QT_BEGIN_NAMESPACE
class QChart;
class QValueAxis;
QT_END_NAMESPACE

// The result charts of the main window: a summary chart with one group of
// bars per summary return and a projection chart with one line per series
// across the years. Each chart gets its series and axes once (SetUpChart);
// an analysis only replaces the figures (FillChart), so no chart object is
// made or dropped per analysis.
namespace gw {

enum class ChartKind { Summary, Projection };

// The figures of one chart in thousands of dollars: series[k][i] is point i
// of series k. A summary chart labels its points with `categories` (the
// returns); a projection chart's points are the years 1, 2, ...
struct ChartData {
    QStringList categories;
    std::vector<std::vector<double>> series;
};

// Interest-only and term loans: the unleveraged value, the leveraged value
// net of the loan and, on the summary chart, their difference. RRSP loans:
// the catch-up loan, spend-refund, reinvest-refund and gross-up plans.
// Summary rows whose slot has no return are not in the results, so not in
// the chart either.
ChartData SummaryChartData(const AnalysisResults& results, Language language);
ChartData ProjectionChartData(const AnalysisResults& results);

// Gives an empty chart `seriesCount` bar sets in one bar series with a
// category axis (Summary), or `seriesCount` line series on a value axis of
// years (Projection), and a value axis for the thousands of dollars.
void SetUpChart(QChart& chart, ChartKind kind, int seriesCount);

// Legend labels of the series (in order), axis titles, and the number
// format of the axis labels in `language`.
void LabelChart(QChart& chart, const QStringList& seriesLabels, const QString& xTitle, const QString& yTitle,
                Language language);

// Shrinks the font of a legend under or over the chart, down to four fifths
// of the size it had when the chart was set up, until its labels fit the
// chart's width; what still does not fit is elided, with the whole label in
// a tool tip.
void FitLegend(QChart& chart);

// Replaces the chart's figures and fits the axes to them. Series the data
// lacks are emptied; empty data leaves an empty chart.
void FillChart(QChart& chart, const ChartData& data);

// The axes as FillChart fits them, for charts drawn otherwise: thousands of
// dollars spanning lo..hi (and 0) on nice numbers; years 1..`years` with
// fewer labelled ticks on long projections.
void FitMoneyAxis(QValueAxis& axis, double lo, double hi);
void FitYearAxis(QValueAxis& axis, int years);
// A year axis owned by `chart`, not yet added: whole years, one tick each.
QValueAxis* MakeYearAxis(QChart& chart);

} // namespace gw
