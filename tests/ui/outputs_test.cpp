// The result tables, charts, titles, notes and remaining-deductions line of
// the main window, on the real analysis and the shipped caption texts.
#include "fakes.h"
#include "sample_settings.h"
#include "data_sources.h"

#include "chartwriters.h"
#include "mainwindow.h"
#include "notes.h"
#include "numformat.h"
#include "outputpanel.h"
#include "tablecaptions.h"
#include "tablewriters.h"

#include <gtest/gtest.h>

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QValueAxis>

#include <memory>
#include <sstream>

namespace gw::test {
namespace {

struct Cell {
    std::string text;
    Shade shade = Shade::None;
};
using Table = std::vector<std::vector<Cell>>;

constexpr Shade N = Shade::None;
constexpr Shade Y = Shade::Year;
constexpr Shade L = Shade::Leveraged;
constexpr Shade D = Shade::Difference;

// What each table must show, written from the column lists of the result
// tables: value, display pattern, shade.
struct Expect {
    int lang;
    Cell operator()(double value, const char* pattern, Shade shade = N) const
    {
        return {FormatNumber(value, pattern, lang), shade};
    }
    Cell twoLines(double value, double percent) const
    {
        return {FormatNumber(value, "###,##0", lang) + "\n(" + FormatNumber(percent, "##0%", lang) + ")", N};
    }
};

template <typename R>
Table leverageSummary(const R& r, const char* difference, Expect f)
{
    Table t;
    for (const SummaryRow& s : r.summary)
        t.push_back({f(s.return_, "##0.0%", Y), f(s.unleveraged, "#,###,###,##0"),
                     f(s.leveraged, "#,###,###,##0", L), f(s.leveraged - s.unleveraged, difference, D),
                     f(PercentIncrease(s.leveraged, s.unleveraged), "##0%", D)});
    return t;
}

template <typename R>
Table leverageBasic(const R& r, const char* money, Expect f)
{
    Table t;
    for (const auto& y : r.projection)
        t.push_back({f(y.year, "#0", Y), f(y.unleveraged_balance, money), f(y.net_balance_payoff, money),
                     f(y.net_balance_payoff - y.unleveraged_balance, money, D),
                     f(PercentIncrease(y.net_balance_payoff, y.unleveraged_balance), "##0%", D)});
    return t;
}

Table intOnlyAdvanced(const IntOnlyResults& r, Expect f)
{
    Table t;
    for (const IntOnlyYear& y : r.projection) {
        std::vector<Cell> row{f(y.year, "#0", Y), f(y.unleveraged_balance, "#,##0"),
                              f(y.unleveraged_distributions, "#,##0"), f(y.unleveraged_acb, "#,##0"),
                              f(y.leveraged_balance, "#,##0"), f(y.leveraged_distributions, "#,##0")};
        if (r.deduction_limited)
            row.insert(row.end(), {f(y.after_tax_cost, "#,##0", L), f(y.fed_deduction, "#,##0", L),
                                   f(y.prov_deduction, "#,##0", L), f(y.fed_undeducted, "#,##0", L),
                                   f(y.prov_undeducted, "#,##0", L)});
        row.insert(row.end(), {f(y.net_balance_payoff, "#,##0", L), f(y.acb_after, "#,##0", L),
                               f(y.increase, "##,##0", D), f(y.percent_increase, "##0%", D)});
        t.push_back(row);
    }
    return t;
}

Table termAdvanced(const TermResults& r, Expect f)
{
    Table t;
    const char* m = "###,##0";
    for (const TermYear& y : r.projection) {
        std::vector<Cell> row{f(y.year, "#0", Y),
                              f(y.after_tax_cashflow, m),
                              f(y.unleveraged_balance, m),
                              f(y.unleveraged_distributions, m),
                              f(y.unleveraged_acb, m),
                              f(y.net_balance_payoff, m, L),
                              f(y.loan_balance, m, L),
                              f(y.interest, m, L),
                              f(y.principal, m, L),
                              f(y.after_tax_cashflow, m, L),
                              f(y.leveraged_distributions, m, L)};
        if (r.deduction_limited)
            row.insert(row.end(), {f(y.after_tax_cashflow, "#,##0", L), f(y.fed_deduction, "#,##0", L),
                                   f(y.prov_deduction, "#,##0", L), f(y.fed_undeducted, "#,##0", L),
                                   f(y.prov_undeducted, "#,##0", L)});
        row.insert(row.end(), {f(y.leveraged_acb, m, L), f(y.increase, m, D), f(y.percent_increase, "##0%", D)});
        t.push_back(row);
    }
    return t;
}

Table rrspSummary(const RRSPResults& r, Expect f)
{
    Table t;
    for (const RRSPSummaryRow& s : r.summary)
        t.push_back({f(s.return_, "##0.0%", Y), f(s.catch_up, "###,##0", L),
                     f.twoLines(s.spend_refund, PercentIncrease(s.spend_refund, s.catch_up)),
                     f.twoLines(s.reinvest_refund, PercentIncrease(s.reinvest_refund, s.catch_up)),
                     f.twoLines(s.gross_up, PercentIncrease(s.gross_up, s.catch_up))});
    return t;
}

Table rrspProjection(const RRSPResults& r, Expect f)
{
    Table t;
    for (const RRSPProjectionYear& y : r.projection)
        t.push_back({f(y.year, "#0", Y), f(y.catch_up_contribution, "#,##0", L), f(y.catch_up_balance, "#,##0", L),
                     f(y.spend_contribution, "#,##0"), f(y.spend_balance, "#,##0"), f(y.spend_percent, "##0%", D),
                     f(y.reinvest_contribution, "#,##0"), f(y.reinvest_balance, "#,##0"),
                     f(y.reinvest_percent, "##0%", D), f(y.gross_up_contribution, "#,##0"),
                     f(y.gross_up_balance, "#,##0"), f(y.gross_up_percent, "##0%", D)});
    return t;
}

// Every cell against the table; reports the first few differences.
void expectGrid(const QTableWidget& grid, const Table& expected)
{
    SCOPED_TRACE(grid.objectName().toStdString());
    ASSERT_FALSE(expected.empty());
    ASSERT_EQ(grid.rowCount(), static_cast<int>(expected.size()));
    ASSERT_EQ(grid.columnCount(), static_cast<int>(expected.front().size()));
    std::ostringstream wrong;
    int mismatches = 0;
    for (int r = 0; r < grid.rowCount(); ++r) {
        for (int c = 0; c < grid.columnCount(); ++c) {
            const Cell& want = expected[std::size_t(r)][std::size_t(c)];
            const QTableWidgetItem* item = grid.item(r, c);
            const std::string shown = item ? item->text().toStdString() : "<no cell>";
            const QColor colour = item ? item->background().color() : QColor();
            const bool shadeOk = want.shade == N ? (item && item->background().style() == Qt::NoBrush)
                                                 : colour == ShadeColour(want.shade);
            if ((shown != want.text || !shadeOk) && mismatches++ < 5)
                wrong << "row " << r << " column " << c << ": shows \"" << shown << "\", expected \"" << want.text
                      << "\"" << (shadeOk ? "" : " (wrong shade)") << "\n";
            if (item) {
                EXPECT_FALSE(item->flags() & Qt::ItemIsEditable);
            }
        }
    }
    EXPECT_EQ(mismatches, 0) << wrong.str();
}

QStringList headCaptions(const QTableWidget& grid)
{
    QStringList heads;
    for (int c = 0; c < grid.columnCount(); ++c)
        heads << grid.horizontalHeaderItem(c)->text();
    return heads;
}

QString caption(const char* key, int lang = English)
{
    return QString::fromStdString(GetCaption(SourceCaptions(), key, lang));
}

// A started main window that runs the real analysis, on the shipped captions.
class OutputsTest : public ::testing::Test {
protected:
    RecordingMessages messages;
    std::unique_ptr<TableCaptionSource> captions;
    std::unique_ptr<MainWindow> window;
    MainWindowSetup setup;

    OutputsTest()
    {
        setup.values = SampleSettingValues();
        SetTaxTable(setup.values, {{{0, 20, 10}, {50000, 30, 20}, {100000, 40, 28}, {200000, 50, 35}}});
    }

    void open(Language language)
    {
        captions = std::make_unique<TableCaptionSource>(SourceCaptions(), language);
        MainWindowServices services;
        services.captions = captions.get();
        services.messages = &messages;
        window = std::make_unique<MainWindow>(services);
        window->start(setup);
    }

    void select(int type) { window->lstStrategyList->setCurrentRow(type); }
    OutputPanel& out() { return window->outputs(); }
    template <typename R>
    const R& results(int type)
    {
        const auto& r = window->resultsOf(StrategyFromIndex(type).value());
        if (!r || !std::holds_alternative<R>(*r))
            throw std::runtime_error("no results of strategy " + std::to_string(type));
        return std::get<R>(*r);
    }
    bool shown(QWidget* w) { return w->isVisibleTo(window.get()); }
};

TEST_F(OutputsTest, tablesShowEveryFigureOfTheRecordsInBothLanguages)
{
    struct Case {
        Language lang;
        bool limited;
    };
    for (const Case c : {Case{English, false}, Case{French, true}}) {
        SCOPED_TRACE("language " + std::to_string(c.lang) + (c.limited ? ", deduction limited" : ""));
        setup.values.setFlag(Setting::FedLimitedDeduct, c.limited);
        open(c.lang);
        const Expect f{c.lang};
        for (int type = 0; type < 3; ++type) {
            SCOPED_TRACE("strategy " + std::to_string(type));
            select(type);
            ASSERT_EQ(messages.count("critical"), 0) << messages.lastText().toStdString();
            if (type == 0) {
                const auto& r = results<IntOnlyResults>(0);
                EXPECT_EQ(r.deduction_limited, c.limited);
                expectGrid(*out().gridSummaryTable[0], leverageSummary(r, "#,##0", f));
                expectGrid(*out().gridProjectionTable_Basic[0], leverageBasic(r, "#,###,###,##0", f));
                expectGrid(*out().gridProjectionTable_Advanced[0], intOnlyAdvanced(r, f));
            } else if (type == 1) {
                const auto& r = results<TermResults>(1);
                expectGrid(*out().gridSummaryTable[1], leverageSummary(r, "#,###,###,##0", f));
                expectGrid(*out().gridProjectionTable_Basic[1], leverageBasic(r, "###,##0", f));
                expectGrid(*out().gridProjectionTable_Advanced[1], termAdvanced(r, f));
            } else {
                const auto& r = results<RRSPResults>(2);
                expectGrid(*out().gridSummaryTable[2], rrspSummary(r, f));
                expectGrid(*out().gridProjectionTable_Basic[2], rrspProjection(r, f));
            }
        }
    }
}

TEST_F(OutputsTest, summaryTitleCountsTheYearsOfEveryLoan)
{
    setup.values[Setting::TimesLoanRepeated] = 2;
    open(English);
    EXPECT_EQ(window->outputs().lblSummaryTableTitle->text(),
              "Results After 10 Years (leveraged values net of the loan)");
    select(1);
    EXPECT_EQ(out().lblSummaryTableTitle->text(), "Results After 30 Years (leveraged values net of the loan)");
    EXPECT_EQ(out().lblSummaryChartTitle->text(), out().lblSummaryTableTitle->text());
    EXPECT_EQ(results<TermResults>(1).horizon, 30);
    select(2);
    EXPECT_EQ(out().lblSummaryTableTitle->text(), "RRSP Values After 30 Years");
    EXPECT_EQ(out().lblProjectionTableTitle->text(), caption("lblProjectionTableTitle"));
    EXPECT_EQ(out().lblProjectionChartTitle->text(), caption("lblProjectionTableTitle"));
}

TEST_F(OutputsTest, advancedColumnsChangeOnlyTheButtonUntilTheProjectionPageShows)
{
    open(English);
    auto* button = child<QPushButton>(*window, "cmdAdvancedSettings_Output");
    auto* basic = child<QTableWidget>(*window, "gridProjectionTable_Basic0");
    auto* advanced = child<QTableWidget>(*window, "gridProjectionTable_Advanced0");
    EXPECT_EQ(button->text(), caption("cmdAdvancedSettings_Advanced"));
    ASSERT_EQ(window->tabOutputs->currentIndex(), 0);
    button->click();
    EXPECT_EQ(button->text(), caption("cmdAdvancedSettings_Basic"));
    EXPECT_EQ(window->tabOutputs->currentIndex(), 0);
    EXPECT_TRUE(shown(child<QTableWidget>(*window, "gridSummaryTable0")));
    EXPECT_FALSE(shown(advanced));
    window->tabOutputs->setCurrentIndex(2);
    EXPECT_TRUE(shown(advanced));
    EXPECT_FALSE(shown(basic));
    button->click();
    EXPECT_TRUE(shown(basic));
    EXPECT_FALSE(shown(advanced));
}

TEST_F(OutputsTest, aLimitedDeductionAddsFiveColumnsBeforeTheLeveragedCostBase)
{
    open(English);
    const QStringList five{caption("AfterTaxInvestment"), caption("FederalInvestmentExpenseDeducted"),
                           caption("ProvincialInvestmentExpenseDeducted"), caption("FederalTotalUndeductedExpenses"),
                           caption("ProvincialTotalUndeductedExpenses")};
    QTableWidget& intOnly = *out().gridProjectionTable_Advanced[0];
    EXPECT_EQ(intOnly.columnCount(), 10);

    SettingValues tax = setup.values;
    tax.setFlag(Setting::ProvLimitedDeduct, true);
    window->applySetupValues(tax);
    window->markInputsChanged();
    window->updateAnalysis();
    ASSERT_EQ(intOnly.columnCount(), 15);
    EXPECT_EQ(headCaptions(intOnly).mid(6, 5), five);
    EXPECT_EQ(headCaptions(intOnly).mid(11), (QStringList{caption("BalancePayoff"), caption("ACB"),
                                                          caption("$Increase"), caption("%Increase")}));
    // Group captions: none over the year, then three runs.
    const auto group = [&](int c) {
        return intOnly.horizontalHeaderItem(c)->data(GroupedHeader::kGroupRole).toString();
    };
    EXPECT_TRUE(group(0).isEmpty());
    EXPECT_EQ(group(3), caption("NoLeverage"));
    EXPECT_EQ(group(4), caption("Leverage"));
    EXPECT_EQ(group(12), caption("Leverage"));
    EXPECT_EQ(group(13), caption("Comparison"));

    select(1);
    QTableWidget& term = *out().gridProjectionTable_Advanced[1];
    ASSERT_EQ(term.columnCount(), 19);
    EXPECT_EQ(headCaptions(term).mid(11, 5), five);
    EXPECT_EQ(headCaptions(term)[16], caption("ACB"));

    tax.setFlag(Setting::ProvLimitedDeduct, false);
    window->applySetupValues(tax);
    window->markInputsChanged();
    window->updateAnalysis();
    EXPECT_EQ(term.columnCount(), 14);
    expectGrid(term, termAdvanced(results<TermResults>(1), Expect{English}));
}

TEST_F(OutputsTest, remainingDeductionsLineShowsThePoolsAtTheHorizon)
{
    setup.values.setFlag(Setting::FedLimitedDeduct, true);
    setup.values.setFlag(Setting::ProvLimitedDeduct, true);
    setup.values[Setting::FedIncludeCapGains] = 1;  // "no": pools then survive the payoff
    setup.values[Setting::ProjectionReturn] = 6;
    setup.values[Setting::ProjectedReturn3] = 6;
    open(English);
    const RemainingDeductions left = results<IntOnlyResults>(0).remaining_deductions;
    EXPECT_GT(left.federal, 0);
    const QString expected = QString::fromStdString(
        FillPlaceholders(GetCaption(SourceCaptions(), "Undeducted_Expenses_After_Pay_Loan", English),
                         {FormatNumber(left.federal, "$#,##0", English) + " (Federal), " +
                          FormatNumber(left.provincial, "$#,##0", English) + " (Provincial)"}));
    window->tabOutputs->setCurrentIndex(2);
    EXPECT_EQ(out().lblRemainingDeductions->text(), expected);
    EXPECT_TRUE(shown(out().lblRemainingDeductions));
    select(2);
    EXPECT_FALSE(shown(out().lblRemainingDeductions));
    select(1);
    EXPECT_TRUE(shown(out().lblRemainingDeductions));
    EXPECT_TRUE(out().lblRemainingDeductions->text().startsWith("Interest not yet deducted"));
}

TEST_F(OutputsTest, notesFollowTheResultsOfTheSelectedStrategy)
{
    open(English);
    for (int type : {0, 2, 1}) {
        SCOPED_TRACE("strategy " + std::to_string(type));
        select(type);
        QString expected = QString::fromStdString(notes(*window->resultsOf(StrategyFromIndex(type).value()), SourceCaptions(), English));
        expected.replace("\r\n", "\n");
        EXPECT_FALSE(expected.isEmpty());
        EXPECT_EQ(out().txtSummaryTableNotes->toPlainText(), expected);
    }
}

TEST_F(OutputsTest, rrspChartsReplaceTheTermChartsWithFourLabelledSeries)
{
    open(English);
    select(1);
    window->tabOutputs->setCurrentIndex(1);
    EXPECT_TRUE(shown(out().chartSummaryChart_IntTerm));
    select(2);
    EXPECT_FALSE(shown(out().chartSummaryChart_IntTerm));
    EXPECT_TRUE(shown(out().chartSummaryChart_RRSP));
    window->tabOutputs->setCurrentIndex(3);
    EXPECT_FALSE(shown(out().chartProjectionChart_IntTerm));
    EXPECT_TRUE(shown(out().chartProjectionChart_RRSP));

    const QStringList plans{caption("CatchUpLoan"), caption("SpendRefund"), caption("ReinvestRefund"),
                            caption("GrossUp")};
    const RRSPResults& r = results<RRSPResults>(2);
    QChart& summary = *out().chartSummaryChart_RRSP->chart();
    const auto* bars = qobject_cast<QBarSeries*>(summary.series().front());
    ASSERT_EQ(bars->barSets().size(), 4);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(bars->barSets()[k]->label(), plans[k]);
    EXPECT_EQ(bars->barSets()[2]->at(1), r.summary[1].reinvest_refund / 1000);
    EXPECT_EQ(summary.axes(Qt::Horizontal).front()->titleText(), caption("SummaryXAxis"));
    EXPECT_EQ(summary.axes(Qt::Vertical).front()->titleText(), caption("ProjectionYAxis"));
    EXPECT_EQ(summary.legend()->alignment(), Qt::Alignment(Qt::AlignBottom));
    QStringList legend;
    for (QLegendMarker* marker : summary.legend()->markers())
        legend << marker->label();
    EXPECT_EQ(legend, plans);

    QChart& projection = *out().chartProjectionChart_RRSP->chart();
    ASSERT_EQ(projection.series().size(), 4);
    for (int k = 0; k < 4; ++k) {
        const auto* line = qobject_cast<QLineSeries*>(projection.series()[k]);
        EXPECT_EQ(line->name(), plans[k]);
        EXPECT_EQ(line->count(), r.horizon);
    }
    const auto* grossUp = qobject_cast<QLineSeries*>(projection.series()[3]);
    EXPECT_EQ(grossUp->at(r.horizon - 1), QPointF(r.horizon, r.projection.back().gross_up_balance / 1000));
    EXPECT_EQ(projection.axes(Qt::Horizontal).front()->titleText(), caption("ProjectionXAxis"));
}

TEST_F(OutputsTest, sharedChartsShowTheSelectedStrategysOwnResults)
{
    setup.values[Setting::ProjectedReturn1] = 8;  // two equal returns stay two bars
    open(English);
    select(1);
    const TermResults term = results<TermResults>(1);
    // Without auto-calculation the interest-only loan keeps its old results.
    child<QPushButton>(*window, "cmdAutoCalc")->click();
    select(0);
    const IntOnlyResults& intOnly = results<IntOnlyResults>(0);
    QChart& summary = *out().chartSummaryChart_IntTerm->chart();
    const auto* bars = qobject_cast<QBarSeries*>(summary.series().front());
    const auto* returns = qobject_cast<QBarCategoryAxis*>(summary.axes(Qt::Horizontal).front());
    ASSERT_EQ(bars->barSets()[1]->count(), static_cast<int>(intOnly.summary.size()));
    EXPECT_EQ(returns->count(), static_cast<int>(intOnly.summary.size()));
    for (int i = 0; i < bars->barSets()[1]->count(); ++i)
        EXPECT_EQ(bars->barSets()[1]->at(i), intOnly.summary[std::size_t(i)].leveraged / 1000);
    const auto* net = qobject_cast<QLineSeries*>(out().chartProjectionChart_IntTerm->chart()->series()[1]);
    EXPECT_EQ(net->at(0).y(), intOnly.projection.front().net_balance_payoff / 1000);
    select(1);
    EXPECT_EQ(bars->barSets()[1]->at(0), term.summary.front().leveraged / 1000);
}

TEST_F(OutputsTest, languageSwitchRewritesHeadsFiguresAndCharts)
{
    open(English);
    captions->setLanguage(French);
    window->formatCaptions();
    QTableWidget& summary = *out().gridSummaryTable[0];
    EXPECT_EQ(headCaptions(summary).front(), caption("Return", French));
    const IntOnlyResults& r = results<IntOnlyResults>(0);
    EXPECT_EQ(summary.item(0, 1)->text().toStdString(), FormatNumber(r.summary[0].unleveraged, "#,###,###,##0", French));
    EXPECT_EQ(out().gridProjectionTable_Basic[0]->item(0, 4)->text().toStdString(),
              FormatNumber(r.projection[0].percent_increase, "##0%", French));
    QChart& chart = *out().chartSummaryChart_IntTerm->chart();
    EXPECT_EQ(chart.axes(Qt::Vertical).front()->titleText(), caption("ProjectionYAxis", French));
    const auto* returns = qobject_cast<QBarCategoryAxis*>(chart.axes(Qt::Horizontal).front());
    EXPECT_EQ(returns->at(0).toStdString(), FormatNumber(r.summary[0].return_, "##0.0%", French));
    EXPECT_TRUE(out().txtSummaryTableNotes->toPlainText().startsWith("- "));
    EXPECT_EQ(out().txtSummaryTableNotes->toPlainText().toStdString().find("Notes_"), std::string::npos);
}

TEST(ChartData, summaryChartsAreInThousandsOfDollarsPerReturn)
{
    IntOnlyResults r;
    r.summary = {MakeSummaryRow(1, 0.06, 150000, 120000, false), MakeSummaryRow(2, 0.06, 180000, 210000, false)};
    const ChartData data = SummaryChartData(r, English);
    EXPECT_EQ(data.categories, (QStringList{"6.0%", "6.0%"}));
    ASSERT_EQ(data.series.size(), 3u);
    EXPECT_EQ(data.series[0], (std::vector<double>{150, 180}));
    EXPECT_EQ(data.series[1], (std::vector<double>{120, 210}));
    EXPECT_EQ(data.series[2], (std::vector<double>{-30, 30}));

    // Equal returns stay two categories on the axis.
    QChart chart;
    SetUpChart(chart, ChartKind::Summary, 3);
    FillChart(chart, data);
    EXPECT_EQ(qobject_cast<QBarCategoryAxis*>(chart.axes(Qt::Horizontal).front())->count(), 2);
    auto* y = qobject_cast<QValueAxis*>(chart.axes(Qt::Vertical).front());
    EXPECT_LE(y->min(), -30);
    EXPECT_GE(y->max(), 210);
    FillChart(chart, ChartData{});
    EXPECT_EQ(qobject_cast<QBarSeries*>(chart.series().front())->barSets().front()->count(), 0);
}

} // namespace
} // namespace gw::test
