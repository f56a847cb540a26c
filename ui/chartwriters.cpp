#include "chartwriters.h"

#include "numformat.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QFontMetricsF>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <map>
#include <string_view>
#include <type_traits>
#include <variant>

namespace gw {

namespace {

constexpr double kThousand = 1000;
// Tick count the money axis starts from; nice numbers may change it.
constexpr int kMoneyTicks = 6;
// The legend's font size when the chart was set up (a dynamic property).
constexpr char kLegendPointSize[] = "gwLegendPointSize";

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

QBarSeries* barsOf(const QChart& chart)
{
    const QList<QAbstractSeries*> all = chart.series();
    return all.isEmpty() ? nullptr : qobject_cast<QBarSeries*>(all.front());
}

QValueAxis* valueAxis(const QChart& chart, Qt::Orientation orientation)
{
    const QList<QAbstractAxis*> axes = chart.axes(orientation);
    return axes.isEmpty() ? nullptr : qobject_cast<QValueAxis*>(axes.front());
}

// A category axis keeps one of two equal labels; equal returns are told
// apart by trailing zero-width spaces, which do not show.
QStringList distinct(const QStringList& labels)
{
    QStringList out;
    std::map<QString, int> seen;
    for (const QString& label : labels) {
        const int repeats = seen[label]++;
        out << label + QString(repeats, QChar(0x200B));
    }
    return out;
}

void fitMoneyAxis(QValueAxis& axis, const ChartData& data)
{
    double lo = 0;
    double hi = 0;
    for (const auto& series : data.series) {
        for (double v : series) {
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    }
    FitMoneyAxis(axis, lo, hi);
}

void fillBars(QChart& chart, QBarSeries& bars, const ChartData& data)
{
    // Unchanged labels and bar counts are left alone: replacing them makes
    // the chart rebuild its axis labels and bar items.
    const QList<QAbstractAxis*> axes = chart.axes(Qt::Horizontal);
    if (auto* categories = axes.isEmpty() ? nullptr : qobject_cast<QBarCategoryAxis*>(axes.front())) {
        const QStringList labels = distinct(data.categories);
        if (categories->categories() != labels)
            categories->setCategories(labels);
    }
    const QList<QBarSet*> sets = bars.barSets();
    for (int k = 0; k < sets.size(); ++k) {
        QBarSet* set = sets[k];
        const std::vector<double> none;
        const auto& values = k < static_cast<int>(data.series.size()) ? data.series[static_cast<std::size_t>(k)] : none;
        const int count = static_cast<int>(values.size());
        if (set->count() == count) {
            for (int i = 0; i < count; ++i) {
                if (set->at(i) != values[static_cast<std::size_t>(i)])
                    set->replace(i, values[static_cast<std::size_t>(i)]);
            }
        } else {
            set->remove(0, set->count());
            set->append(QList<qreal>(values.begin(), values.end()));
        }
    }
}

void fillLines(QChart& chart, const ChartData& data)
{
    const QList<QAbstractSeries*> all = chart.series();
    int years = 0;
    for (int k = 0; k < all.size(); ++k) {
        auto* line = qobject_cast<QLineSeries*>(all[k]);
        if (!line)
            continue;
        QList<QPointF> points;
        if (k < static_cast<int>(data.series.size())) {
            const auto& values = data.series[static_cast<std::size_t>(k)];
            points.reserve(static_cast<qsizetype>(values.size()));
            for (std::size_t i = 0; i < values.size(); ++i)
                points.append(QPointF(static_cast<double>(i + 1), values[i]));
            years = std::max(years, static_cast<int>(values.size()));
        }
        line->replace(points);
    }
    if (QValueAxis* x = valueAxis(chart, Qt::Horizontal))
        FitYearAxis(*x, years);
}

} // namespace

// Thousands of dollars: whole ones unless the scale is small.
void FitMoneyAxis(QValueAxis& axis, double lo, double hi)
{
    lo = std::min(lo, 0.0);
    hi = std::max(hi, 0.0);
    if (hi - lo < 1e-9)
        hi = lo + 1;
    // Worked out on a scratch axis so that the chart only relabels when the
    // scale really changes.
    QValueAxis nice;
    nice.setTickCount(kMoneyTicks);
    nice.setRange(lo, hi);
    nice.applyNiceNumbers();
    if (axis.min() != nice.min() || axis.max() != nice.max() || axis.tickCount() != nice.tickCount()) {
        axis.setRange(nice.min(), nice.max());
        axis.setTickCount(nice.tickCount());
    }
    const double span = nice.max() - nice.min();
    const QString format = span >= 10 ? QStringLiteral("%.0f") : span >= 1 ? QStringLiteral("%.1f") : QStringLiteral("%.2f");
    if (axis.labelFormat() != format)
        axis.setLabelFormat(format);
}

QValueAxis* MakeYearAxis(QChart& chart)
{
    auto* x = new QValueAxis(&chart);
    // Whole years; "%d" shows no labels once numbers are localised.
    x->setLabelFormat(QStringLiteral("%.0f"));
    x->setTickType(QValueAxis::TicksDynamic);
    x->setTickAnchor(0);
    x->setTickInterval(1);
    x->setRange(1, 2);
    return x;
}

void FitYearAxis(QValueAxis& x, int years)
{
    // One labelled tick per year on short projections, fewer on long ones.
    const int step = years <= 12 ? 1 : years <= 24 ? 2 : years <= 60 ? 5 : 10;
    if (x.max() != std::max(years, 2) || x.min() != 1)
        x.setRange(1, std::max(years, 2));
    if (x.tickInterval() != step)
        x.setTickInterval(step);
}

ChartData SummaryChartData(const AnalysisResults& results, Language language)
{
    ChartData data;
    const auto label = [language](double r, std::string_view pattern = "##0.0%") {
        return QString::fromStdString(FormatNumber(r, pattern, language));
    };
    std::visit(Overloaded{
                   [&](const RRSPResults& r) {
                       data.series.assign(4, {});
                       for (const RRSPSummaryRow& row : r.summary) {
                           data.categories << label(row.return_);
                           data.series[0].push_back(row.catch_up / kThousand);
                           data.series[1].push_back(row.spend_refund / kThousand);
                           data.series[2].push_back(row.reinvest_refund / kThousand);
                           data.series[3].push_back(row.gross_up / kThousand);
                       }
                   },
                   [&](const auto& r) {
                       data.series.assign(3, {});
                       for (const SummaryRow& row : r.summary) {
                           // Two bars under one label would share a category.
                           data.categories << label(row.return_, SummaryReturnPattern(r.summary, row));
                           data.series[0].push_back(row.unleveraged / kThousand);
                           data.series[1].push_back(row.leveraged / kThousand);
                           data.series[2].push_back(row.increase / kThousand);
                       }
                   },
               },
               results);
    return data;
}

ChartData ProjectionChartData(const AnalysisResults& results)
{
    ChartData data;
    std::visit(Overloaded{
                   [&](const RRSPResults& r) {
                       data.series.assign(4, {});
                       for (const RRSPProjectionYear& y : r.projection) {
                           data.series[0].push_back(y.catch_up_balance / kThousand);
                           data.series[1].push_back(y.spend_balance / kThousand);
                           data.series[2].push_back(y.reinvest_balance / kThousand);
                           data.series[3].push_back(y.gross_up_balance / kThousand);
                       }
                   },
                   [&](const auto& r) {
                       data.series.assign(2, {});
                       for (const auto& y : r.projection) {
                           data.series[0].push_back(y.unleveraged_balance / kThousand);
                           data.series[1].push_back(y.net_balance_payoff / kThousand);
                       }
                   },
               },
               results);
    return data;
}

void SetUpChart(QChart& chart, ChartKind kind, int seriesCount)
{
    chart.removeAllSeries();
    for (QAbstractAxis* axis : chart.axes()) {
        chart.removeAxis(axis);
        delete axis;
    }
    auto* y = new QValueAxis(&chart);
    y->setRange(0, 1);
    y->setLabelFormat(QStringLiteral("%.0f"));
    if (kind == ChartKind::Summary) {
        auto* bars = new QBarSeries(&chart);
        for (int k = 0; k < seriesCount; ++k)
            bars->append(new QBarSet(QString(), bars));
        chart.addSeries(bars);
        auto* x = new QBarCategoryAxis(&chart);
        chart.addAxis(x, Qt::AlignBottom);
        chart.addAxis(y, Qt::AlignLeft);
        bars->attachAxis(x);
        bars->attachAxis(y);
    } else {
        QValueAxis* x = MakeYearAxis(chart);
        chart.addAxis(x, Qt::AlignBottom);
        chart.addAxis(y, Qt::AlignLeft);
        for (int k = 0; k < seriesCount; ++k) {
            auto* line = new QLineSeries(&chart);
            chart.addSeries(line);
            line->attachAxis(x);
            line->attachAxis(y);
        }
    }
    chart.setLocalizeNumbers(true);
    chart.legend()->setShowToolTips(true);
    chart.setProperty(kLegendPointSize, chart.legend()->font().pointSizeF());
}

void FitLegend(QChart& chart)
{
    QLegend& legend = *chart.legend();
    const double base = chart.property(kLegendPointSize).toDouble();
    if (base <= 0 || !(legend.alignment() & (Qt::AlignTop | Qt::AlignBottom)))
        return;
    const QList<QLegendMarker*> markers = legend.markers();
    const double room = chart.size().width() - chart.margins().left() - chart.margins().right();
    QFont font = legend.font();
    double size = base;
    for (; size > base * 0.8; size -= 0.5) {
        font.setPointSizeF(size);
        const QFontMetricsF fm(font);
        // Each entry is its marker, its label and some space around them.
        double need = 0;
        for (const QLegendMarker* marker : markers)
            need += fm.horizontalAdvance(marker->label()) + 2.5 * fm.height();
        if (need <= room)
            break;
    }
    font.setPointSizeF(std::max(size, base * 0.8));
    if (legend.font() != font)
        legend.setFont(font);
}

void LabelChart(QChart& chart, const QStringList& seriesLabels, const QString& xTitle, const QString& yTitle,
                Language language)
{
    if (QBarSeries* bars = barsOf(chart)) {
        const QList<QBarSet*> sets = bars->barSets();
        for (int k = 0; k < sets.size() && k < seriesLabels.size(); ++k) {
            if (sets[k]->label() != seriesLabels[k])
                sets[k]->setLabel(seriesLabels[k]);
        }
    } else {
        const QList<QAbstractSeries*> all = chart.series();
        for (int k = 0; k < all.size() && k < seriesLabels.size(); ++k) {
            if (all[k]->name() != seriesLabels[k])
                all[k]->setName(seriesLabels[k]);
        }
    }
    // Relabelling is skipped when nothing changed: every redraw of the
    // output panel comes through here.
    const auto title = [](const QList<QAbstractAxis*>& axes, const QString& text) {
        if (!axes.isEmpty() && axes.front()->titleText() != text)
            axes.front()->setTitleText(text);
    };
    title(chart.axes(Qt::Horizontal), xTitle);
    title(chart.axes(Qt::Vertical), yTitle);
    const QLocale locale = language == French ? QLocale(QLocale::French, QLocale::Canada)
                                         : QLocale(QLocale::English, QLocale::Canada);
    if (chart.locale() != locale)
        chart.setLocale(locale);
}

void FillChart(QChart& chart, const ChartData& data)
{
    if (QBarSeries* bars = barsOf(chart))
        fillBars(chart, *bars, data);
    else
        fillLines(chart, data);
    if (QValueAxis* y = valueAxis(chart, Qt::Vertical))
        fitMoneyAxis(*y, data);
}

} // namespace gw
