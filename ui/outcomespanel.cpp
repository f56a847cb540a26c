#include "outcomespanel.h"

#include "captionsource.h"
#include "chartwriters.h"
#include "fieldtext.h"
#include "frozencolumn.h"
#include "groupedheader.h"
#include "notes.h"
#include "tableexport.h"
#include "updown.h"
#include "validation.h"
#include "widgets.h"

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QProgressBar>
#include <QTableWidget>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <climits>
#include <cmath>

namespace gw {

namespace {

constexpr double kThousand = 1000;
constexpr std::string_view kVolatilityPattern = "#0.0";
constexpr std::string_view kWholePattern = "#0";
// Series per value on the chart: wide band, middle band, median.
constexpr int kPerValue = 3;

// Leveraged (or catch-up) in blue, unleveraged (or gross-up) in orange; the
// wider band lighter.
const std::array<QColor, 2> kValueColours{QColor(31, 95, 168), QColor(217, 119, 38)};

QColor withAlpha(QColor colour, int alpha)
{
    colour.setAlpha(alpha);
    return colour;
}

// The chart's series in the order SetUpOutcomeChart adds them: the wide
// bands of both values, their middle bands, their medians.
QAreaSeries* band(const QChart& chart, int value, bool wide)
{
    const QList<QAbstractSeries*> all = chart.series();
    const int at = (wide ? 0 : 2) + value;
    return at < all.size() ? qobject_cast<QAreaSeries*>(all[at]) : nullptr;
}

QLineSeries* median(const QChart& chart, int value)
{
    const QList<QAbstractSeries*> all = chart.series();
    const int at = 4 + value;
    return at < all.size() ? qobject_cast<QLineSeries*>(all[at]) : nullptr;
}

QValueAxis* axisOf(const QChart& chart, Qt::Orientation orientation)
{
    const QList<QAbstractAxis*> axes = chart.axes(orientation);
    return axes.isEmpty() ? nullptr : qobject_cast<QValueAxis*>(axes.front());
}

// The series named `key` (OutcomeResults::find, kept here so that drawing
// needs nothing of the simulation's code).
const OutcomeSeries* seriesOf(const OutcomeResults& results, std::string_view key)
{
    for (const OutcomeSeries& series : results.series) {
        if (series.key == key)
            return &series;
    }
    return nullptr;
}

QList<QPointF> points(const OutcomeSeries* series, int percentile)
{
    QList<QPointF> out;
    if (!series)
        return out;
    out.reserve(static_cast<qsizetype>(series->percentiles.size()));
    for (std::size_t y = 0; y < series->percentiles.size(); ++y)
        out.append(QPointF(double(y + 1), series->percentiles[y][static_cast<std::size_t>(percentile)] / kThousand));
    return out;
}

} // namespace

std::array<std::string_view, 2> FanSeriesKeys(Strategy strategy)
{
    if (strategy == Strategy::RRSP)
        return {"catch_up", "gross_up"};
    return {"leveraged", "unleveraged"};
}

void SetUpOutcomeChart(QChart& chart)
{
    chart.removeAllSeries();
    for (QAbstractAxis* axis : chart.axes()) {
        chart.removeAxis(axis);
        delete axis;
    }
    QValueAxis* x = MakeYearAxis(chart);
    auto* y = new QValueAxis(&chart);
    y->setRange(0, 1);
    y->setLabelFormat(QStringLiteral("%.0f"));
    chart.addAxis(x, Qt::AlignBottom);
    chart.addAxis(y, Qt::AlignLeft);
    const auto attach = [&](QAbstractSeries* series) {
        chart.addSeries(series);
        series->attachAxis(x);
        series->attachAxis(y);
    };
    for (int alpha : {60, 120}) {
        for (int value = 0; value < 2; ++value) {
            auto* area = new QAreaSeries(&chart);
            area->setUpperSeries(new QLineSeries(area));
            area->setLowerSeries(new QLineSeries(area));
            area->setColor(withAlpha(kValueColours[std::size_t(value)], alpha));
            area->setBorderColor(Qt::transparent);
            area->setPen(Qt::NoPen);
            attach(area);
        }
    }
    for (int value = 0; value < 2; ++value) {
        auto* line = new QLineSeries(&chart);
        QPen pen(kValueColours[std::size_t(value)]);
        pen.setWidthF(2.5);
        line->setPen(pen);
        attach(line);
    }
    chart.setLocalizeNumbers(true);
    chart.legend()->setShowToolTips(true);
    // Six entries beside the plot: a size smaller keeps the longest whole.
    chart.legend()->setAlignment(Qt::AlignRight);
    QFont font = chart.legend()->font();
    font.setPointSizeF(font.pointSizeF() * 0.9);
    chart.legend()->setFont(font);
}

void FillOutcomeChart(QChart& chart, const OutcomeResults& results)
{
    const auto keys = FanSeriesKeys(results.strategy);
    double lo = 0;
    double hi = 0;
    int years = 0;
    for (int value = 0; value < 2; ++value) {
        const OutcomeSeries* series = seriesOf(results, keys[std::size_t(value)]);
        for (bool wide : {true, false}) {
            if (QAreaSeries* area = band(chart, value, wide)) {
                area->upperSeries()->replace(points(series, wide ? 4 : 3));
                area->lowerSeries()->replace(points(series, wide ? 0 : 1));
            }
        }
        if (QLineSeries* line = median(chart, value))
            line->replace(points(series, 2));
        if (!series)
            continue;
        years = std::max(years, static_cast<int>(series->percentiles.size()));
        for (const Percentiles& p : series->percentiles) {
            lo = std::min(lo, p.front() / kThousand);
            hi = std::max(hi, p.back() / kThousand);
        }
    }
    if (QValueAxis* x = axisOf(chart, Qt::Horizontal))
        FitYearAxis(*x, years);
    if (QValueAxis* y = axisOf(chart, Qt::Vertical))
        FitMoneyAxis(*y, lo, hi);
}

std::vector<TableColumn> OutcomeColumns(Strategy, int horizon, const CaptionSource& captions)
{
    const auto caption = [&](std::string_view key, const std::vector<std::string>& values = {}) {
        return lookUp(captions, key, values);
    };
    std::vector<TableColumn> columns{{caption("OutcomesChanceBehind"), {}, -1, 1500},
                                     {caption("OutcomesChanceBelowZero"), {}, -1, 1500}};
    const QString group = caption("OutcomesDifferenceGroup", {std::to_string(horizon)});
    for (int p : kOutcomePercentiles)
        columns.push_back({caption("OutcomesPercentile", {std::to_string(p)}), group, 1, 1000});
    return columns;
}

TableFigures OutcomeFigures(const OutcomeResults& results)
{
    std::vector<TableCell> row{{results.probability_behind, "##0.0%"},
                               {results.probability_underwater, "##0.0%"}};
    for (double d : results.difference_at_horizon)
        row.push_back({d, "#,##0", Shade::Difference});
    return {row};
}

OutcomesPanel::OutcomesPanel(const CaptionSource& captions, InputChecks& checks, QObject* parent)
    : QObject(parent), captions_(captions), checks_(checks)
{
    page = new QWidget;
    page->setObjectName(QStringLiteral("tabOutcomes"));
    auto* column = new QVBoxLayout(page);
    lblOutcomesTitle = MakeHeading(QStringLiteral("lblOutcomesTitle"), page, true);

    auto* fields = new QHBoxLayout;
    fields->setSpacing(4);
    const auto addField = [&](QLabel*& label, const char* labelName, QLineEdit*& box, const char* boxName,
                              UpDown*& spinner, const char* spinnerName, int min, int max, int width) {
        label = new QLabel(page);
        label->setObjectName(QString::fromLatin1(labelName));
        box = MakeNumberField(QString::fromLatin1(boxName), page, width, width);
        spinner = MakeSpinner(QString::fromLatin1(spinnerName), box, min, max, page);
        label->setBuddy(box);
        fields->addWidget(label);
        fields->addWidget(box);
        fields->addWidget(spinner);
        fields->addSpacing(12);
        box->installEventFilter(this);
    };
    // The spinners stand one step outside the legal values, as the input
    // panel's do; the seed's top is the largest whole number a spinner holds.
    addField(lblVolatility, "lblVolatility", txtVolatility, "txtVolatility", updVolatility, "updVolatility", -1,
             static_cast<int>(kMaxVolatility) + 1, 50);
    addField(lblOutcomePaths, "lblOutcomePaths", txtOutcomePaths, "txtOutcomePaths", updOutcomePaths,
             "updOutcomePaths", kMinOutcomePaths - 1, kMaxOutcomePaths + 1, 64);
    addField(lblOutcomeSeed, "lblOutcomeSeed", txtOutcomeSeed, "txtOutcomeSeed", updOutcomeSeed, "updOutcomeSeed", 0,
             INT_MAX, 90);
    updVolatility->setPattern(std::string(kVolatilityPattern));
    connect(updVolatility, &UpDown::clicked, this, [this] { leaveVolatility(); });
    connect(updOutcomePaths, &UpDown::clicked, this, [this] { leaveOutcomePaths(); });
    connect(updOutcomeSeed, &UpDown::clicked, this, [this] { leaveOutcomeSeed(); });
    prbOutcomes = new QProgressBar(page);
    prbOutcomes->setObjectName(QStringLiteral("prbOutcomes"));
    prbOutcomes->setMaximumWidth(160);
    prbOutcomes->setTextVisible(false);
    prbOutcomes->hide();
    fields->addStretch(1);
    fields->addWidget(prbOutcomes);

    chtOutcomes = new QChartView(new QChart, page);
    chtOutcomes->setObjectName(QStringLiteral("chtOutcomes"));
    chtOutcomes->setRenderHint(QPainter::Antialiasing);
    chtOutcomes->setMinimumSize(320, 220);
    SetUpOutcomeChart(*chtOutcomes->chart());

    grdOutcomes = new QTableWidget(page);
    grdOutcomes->setObjectName(QStringLiteral("grdOutcomes"));
    grdOutcomes->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* header = new GroupedHeader(grdOutcomes);
    header->setFillsWidth(true);
    grdOutcomes->setHorizontalHeader(header);
    grdOutcomes->verticalHeader()->hide();
    grdOutcomes->setSelectionMode(QAbstractItemView::ContiguousSelection);
    grdOutcomes->setFocusPolicy(Qt::ClickFocus);
    grdOutcomes->setItemDelegate(new ShadeKeepingDelegate(grdOutcomes));
    grdOutcomes->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    AddCopyKey(*grdOutcomes);
    connect(header, &GroupedHeader::heightChanged, this, [this] { grdOutcomes->setFixedHeight(FullHeight(*grdOutcomes)); });

    txtOutcomeSentences = new QTextEdit(page);
    txtOutcomeSentences->setObjectName(QStringLiteral("txtOutcomeSentences"));
    txtOutcomeSentences->setReadOnly(true);
    txtOutcomeSentences->setMinimumHeight(60);

    column->addWidget(lblOutcomesTitle);
    column->addLayout(fields);
    column->addWidget(chtOutcomes, 3);
    column->addWidget(grdOutcomes);
    column->addWidget(txtOutcomeSentences, 1);
    setOptions(replacements_);
}

void OutcomesPanel::setOptions(const OutcomeOptions& options)
{
    const Language language = captions_.language();
    txtVolatility->setText(FormatField(options.volatility, kVolatilityPattern, language));
    txtOutcomePaths->setText(FormatField(options.paths, kWholePattern, language));
    txtOutcomeSeed->setText(FormatField(double(options.seed), kWholePattern, language));
    updVolatility->setValue(static_cast<int>(std::round(options.volatility)));
    updOutcomePaths->setValue(options.paths);
    updOutcomeSeed->setValue(static_cast<int>(std::min<std::uint64_t>(options.seed, INT_MAX)));
    announced_ = this->options();
}

OutcomeOptions OutcomesPanel::options() const
{
    const Language language = captions_.language();
    OutcomeOptions out;
    out.volatility = FieldNumber(txtVolatility->text(), language);
    out.paths = static_cast<int>(std::lround(FieldNumber(txtOutcomePaths->text(), language)));
    out.seed = static_cast<std::uint64_t>(std::llround(std::max(0.0, FieldNumber(txtOutcomeSeed->text(), language))));
    return out;
}

void OutcomesPanel::setVolatility(double percent)
{
    txtVolatility->setText(FormatField(percent, kVolatilityPattern, captions_.language()));
    updVolatility->setValue(static_cast<int>(std::round(percent)));
    announced_ = options();
}

bool OutcomesPanel::eventFilter(QObject* watched, QEvent* event)
{
    const auto handle = [&](QLineEdit* box, void (OutcomesPanel::*leave)()) {
        return watched == box && HandleFieldEvent(*box, *event, true, [this, leave] { (this->*leave)(); });
    };
    if (handle(txtVolatility, &OutcomesPanel::leaveVolatility) || handle(txtOutcomePaths, &OutcomesPanel::leaveOutcomePaths) ||
        handle(txtOutcomeSeed, &OutcomesPanel::leaveOutcomeSeed))
        return true;
    return QObject::eventFilter(watched, event);
}

void OutcomesPanel::leave(QLineEdit& box, UpDown& spinner, const QString& label, std::string_view pattern, double low,
                          double high, double replacement, bool whole)
{
    // A check's own message box takes the focus: that must not leave again.
    if (inLeave_)
        return;
    inLeave_ = true;
    const FieldRule rule{FieldLabel(label), std::string(pattern), low, high, false};
    checks_.checkValue(box, replacement, rule);
    checks_.checkRange(box, rule);
    if (whole)
        checks_.checkIntegerValue(box, rule);
    const Language language = captions_.language();
    const double value = FieldNumber(box.text(), language);
    const QString shown = FormatField(value, pattern, language);
    if (box.text() != shown)
        box.setText(shown);
    spinner.setValue(static_cast<int>(std::clamp(std::round(value), double(INT_MIN), double(INT_MAX))));
    inLeave_ = false;
    // A spinner's click has written the field already: compare with what
    // was last announced, not with the text before the check.
    if (options() != announced_) {
        announced_ = options();
        emit optionsChanged();
    }
}

void OutcomesPanel::leaveVolatility()
{
    leave(*txtVolatility, *updVolatility, lblVolatility->text(), kVolatilityPattern, 0, kMaxVolatility,
          replacements_.volatility, false);
}

void OutcomesPanel::leaveOutcomePaths()
{
    leave(*txtOutcomePaths, *updOutcomePaths, lblOutcomePaths->text(), kWholePattern, kMinOutcomePaths,
          kMaxOutcomePaths, replacements_.paths, true);
}

void OutcomesPanel::leaveOutcomeSeed()
{
    leave(*txtOutcomeSeed, *updOutcomeSeed, lblOutcomeSeed->text(), kWholePattern, 1, INT_MAX,
          double(replacements_.seed), true);
}

void OutcomesPanel::formatCaptions()
{
    lblVolatility->setText(caption("lblVolatility"));
    lblOutcomePaths->setText(caption("lblOutcomePaths"));
    lblOutcomeSeed->setText(caption("lblOutcomeSeed"));
    for (UpDown* spinner : {updVolatility, updOutcomePaths, updOutcomeSeed})
        spinner->setLanguage(captions_.language());
    formatTitle(years_);
    labelChart();
    writeTable();
}

void OutcomesPanel::rewriteForLanguage(Language previousLanguage)
{
    const Language language = captions_.language();
    for (auto [box, pattern] : {std::pair{txtVolatility, kVolatilityPattern}, std::pair{txtOutcomePaths, kWholePattern},
                                std::pair{txtOutcomeSeed, kWholePattern}}) {
        if (IsNumericText(box->text(), previousLanguage))
            box->setText(FormatField(FieldNumber(box->text(), previousLanguage), pattern, language));
    }
}

void OutcomesPanel::showStrategy(Strategy strategy)
{
    if (results_ && results_->strategy != strategy)
        clear();
    strategy_ = strategy;
    labelChart();
    writeTable();
}

void OutcomesPanel::formatTitle(int years)
{
    years_ = years;
    const YearsCaption shown = YearsText(results_ ? results_->horizon : years, true);
    lblOutcomesTitle->setText(caption("lblOutcomesTitle", {caption(shown.key, shown.values).toStdString()}));
}

void OutcomesPanel::showResults(const OutcomeResults& results, const std::vector<std::string>& sentences)
{
    results_ = results;
    strategy_ = results.strategy;
    FillOutcomeChart(*chtOutcomes->chart(), results);
    labelChart();
    writeTable();
    formatTitle(years_);
    setSentences(sentences);
}

void OutcomesPanel::setSentences(const std::vector<std::string>& sentences)
{
    QStringList lines;
    for (const std::string& sentence : sentences)
        lines << QString::fromStdString(sentence);
    const QString text = lines.join(u'\n');
    if (txtOutcomeSentences->toPlainText() != text)
        txtOutcomeSentences->setPlainText(text);
}

void OutcomesPanel::showError(const QString& message)
{
    clear();
    txtOutcomeSentences->setPlainText(message);
}

void OutcomesPanel::clear()
{
    results_.reset();
    OutcomeResults none;
    none.strategy = strategy_;
    FillOutcomeChart(*chtOutcomes->chart(), none);
    grdOutcomes->setRowCount(0);
    grdOutcomes->setFixedHeight(FullHeight(*grdOutcomes));
    txtOutcomeSentences->clear();
    showProgress(-1, 0);
}

void OutcomesPanel::showProgress(int done, int total)
{
    if (done < 0 || total <= 0) {
        prbOutcomes->hide();
        return;
    }
    prbOutcomes->setRange(0, total);
    prbOutcomes->setValue(std::min(done, total));
    prbOutcomes->show();
}

void OutcomesPanel::labelChart()
{
    QChart& chart = *chtOutcomes->chart();
    const auto keys = strategy_ == Strategy::RRSP ? std::array<const char*, 2>{"CatchUpLoan", "GrossUp"}
                                                  : std::array<const char*, 2>{"Leverage", "NoLeverage"};
    for (int value = 0; value < 2; ++value) {
        const std::string name = caption(keys[std::size_t(value)]).toStdString();
        const auto rename = [](QAbstractSeries* series, const QString& text) {
            if (series && series->name() != text)
                series->setName(text);
        };
        rename(band(chart, value, true), caption("OutcomesLegendWide", {name}));
        rename(band(chart, value, false), caption("OutcomesLegendMiddle", {name}));
        rename(median(chart, value), caption("OutcomesLegendMedian", {name}));
    }
    const auto title = [](QValueAxis* axis, const QString& text) {
        if (axis && axis->titleText() != text)
            axis->setTitleText(text);
    };
    title(axisOf(chart, Qt::Horizontal), caption("ProjectionXAxis"));
    title(axisOf(chart, Qt::Vertical), caption("ProjectionYAxis"));
    const QLocale locale = captions_.language() == French ? QLocale(QLocale::French, QLocale::Canada)
                                                          : QLocale(QLocale::English, QLocale::Canada);
    if (chart.locale() != locale)
        chart.setLocale(locale);
}

void OutcomesPanel::writeTable()
{
    const int horizon = results_ ? results_->horizon : years_;
    LayOutGrid(*grdOutcomes, OutcomeColumns(strategy_, horizon, captions_), 1);
    if (results_)
        WriteFigures(*grdOutcomes, OutcomeFigures(*results_), captions_.language());
    else
        grdOutcomes->setRowCount(0);
    grdOutcomes->setFixedHeight(FullHeight(*grdOutcomes));
}

QString OutcomesPanel::caption(std::string_view key, const std::vector<std::string>& values) const
{
    return lookUp(captions_, key, values);
}

} // namespace gw
