// The Range of Outcomes tab: a record as the fan chart, table and sentences
// show it in both languages; its fields' checks; the runs off the window's
// thread, where only the newest counts.
#include "window_test.h"

#include "error.h"
#include "numformat.h"
#include "outcomespanel.h"
#include "tablewriters.h"

#include <atomic>
#include <thread>

namespace gw::test {
namespace {

// A record of `years` years whose figures tell the percentiles, years and
// values apart: value k, year y, percentile p is (k + 1) * 100000 + y * 1000
// + p * 10 dollars.
OutcomeResults HandMade(Strategy strategy, int years, std::uint64_t seed = 1)
{
    OutcomeResults r;
    r.strategy = strategy;
    r.horizon = years;
    r.paths = 500;
    r.seed = seed;
    const auto keys = FanSeriesKeys(strategy);
    for (int k = 0; k < 3; ++k) {
        OutcomeSeries series{k < 2 ? keys[std::size_t(k)] : "difference", {}};
        for (int y = 1; y <= years; ++y) {
            Percentiles p{};
            for (std::size_t i = 0; i < p.size(); ++i)
                p[i] = (k + 1) * 100000.0 + y * 1000.0 + kOutcomePercentiles[i] * 10.0;
            series.percentiles.push_back(p);
        }
        r.series.push_back(series);
    }
    r.probability_behind = 0.125;
    r.probability_underwater = 0.004;
    r.difference_at_horizon = {-12345, -500, 2000, 45678.4, 123456};
    return r;
}

// A record, shown on the tab in English and in French: six series in the
// two values' colours, one point a year, named in the language; the table's
// heads and figures as the windows write them; the sentences one a line.
TEST_F(SampleWindowTest, theOutcomesTabShowsARecordInBothLanguages)
{
    for (Language language : {English, French}) {
        SCOPED_TRACE(language == French ? "French" : "English");
        open(language);
        OutcomesPanel& tab = window->outcomes();
        for (Strategy strategy : {Strategy::TermLoan, Strategy::RRSP}) {
            tab.showResults(HandMade(strategy, 12), {"First sentence.", "Second sentence."});
            const QChart& chart = *child<QChartView>(*window, "chtOutcomes")->chart();
            ASSERT_EQ(chart.series().size(), 6);
            const auto caption = [&](const char* key) { return lookUp(*captions, key); };
            const QString first = caption(strategy == Strategy::RRSP ? "CatchUpLoan" : "Leverage");
            for (int k = 0; k < 4; ++k) {
                auto* band = qobject_cast<QAreaSeries*>(chart.series()[k]);
                ASSERT_NE(band, nullptr);
                EXPECT_EQ(band->upperSeries()->count(), 12);
                EXPECT_EQ(band->lowerSeries()->count(), 12);
            }
            auto* wide = qobject_cast<QAreaSeries*>(chart.series()[0]);
            auto* middle = qobject_cast<QAreaSeries*>(chart.series()[2]);
            auto* median = qobject_cast<QLineSeries*>(chart.series()[4]);
            ASSERT_TRUE(median);
            EXPECT_EQ(median->count(), 12);
            // Year 3 of the first value in thousands: 10th, 25th, 50th, 75th, 90th.
            EXPECT_DOUBLE_EQ(wide->lowerSeries()->at(2).y(), 103.1);
            EXPECT_DOUBLE_EQ(middle->lowerSeries()->at(2).y(), 103.25);
            EXPECT_DOUBLE_EQ(median->at(2).y(), 103.5);
            EXPECT_DOUBLE_EQ(middle->upperSeries()->at(2).y(), 103.75);
            EXPECT_DOUBLE_EQ(wide->upperSeries()->at(2).y(), 103.9);
            EXPECT_EQ(median->at(11).x(), 12);
            EXPECT_EQ(wide->color().rgb(), median->pen().color().rgb());
            EXPECT_LT(wide->color().alpha(), middle->color().alpha());
            EXPECT_EQ(median->name(), lookUp(*captions, "OutcomesLegendMedian", {first.toStdString()}));
            EXPECT_TRUE(chart.series()[1]->name().startsWith(
                caption(strategy == Strategy::RRSP ? "GrossUp" : "NoLeverage")));
            EXPECT_EQ(chart.axes(Qt::Vertical).front()->titleText(), caption("ProjectionYAxis"));

            const QTableWidget& grid = *child<QTableWidget>(*window, "grdOutcomes");
            ASSERT_EQ(grid.rowCount(), 1);
            ASSERT_EQ(grid.columnCount(), 7);
            EXPECT_EQ(grid.horizontalHeaderItem(0)->text(), caption("OutcomesChanceBehind"));
            EXPECT_TRUE(grid.horizontalHeaderItem(4)->data(GroupedHeader::kGroupRole).toString().contains("12"));
            const auto cell = [&](int c) { return grid.item(0, c)->text().toStdString(); };
            EXPECT_EQ(cell(0), FormatNumber(0.125, "##0.0%", language));
            EXPECT_EQ(cell(1), FormatNumber(0.004, "##0.0%", language));
            EXPECT_EQ(cell(2), FormatNumber(-12345, "#,##0", language));
            EXPECT_EQ(cell(5), FormatNumber(45678.4, "#,##0", language));
            EXPECT_EQ(child<QTextEdit>(*window, "txtOutcomeSentences")->toPlainText(),
                      "First sentence.\nSecond sentence.");
        }
    }
}

// Each field names itself, what was typed, the legal value and what it now
// holds; whole fields drop a fraction; a repaired field still counts.
TEST_F(WindowTest, theOutcomeFieldsRepairWhatIsTyped)
{
    captions.set("lblVolatility", "Vol");
    captions.set("lblOutcomePaths", "Paths");
    captions.set("lblOutcomeSeed", "Seed");
    captions.set("FieldNotNumber", "<1>: <2> -> <5> (<3>..<4>)");
    captions.set("FieldAboveHighest", "<1>: <2> > <3> -> <4>");
    captions.set("FieldBelowLowest", "<1>: <2> < <3> -> <4>");
    captions.set("FieldNotWhole", "<1>: <2> not whole -> <5>");
    open();
    window->outcomes().setReplacements({12, 2000, 7, 0});
    const struct {
        const char* field;
        const char* typed;
        const char* now;
        std::string message;
    } cases[] = {
        {"txtVolatility", "abc", "12.0", "[IncorrectInputTitle]: Vol: abc -> 12.0 (0.0..50.0)"},
        {"txtVolatility", "75", "50.0", "[OutOfBoundsTitle]: Vol: 75 > 50.0 -> 50.0"},
        {"txtVolatility", "7.25", "7.3", ""},
        {"txtOutcomePaths", "50", "100", "[OutOfBoundsTitle]: Paths: 50 < 100 -> 100"},
        {"txtOutcomePaths", "1500.5", "1500", "[IncorrectInputTitle]: Paths: 1500.5 not whole -> 1500"},
        {"txtOutcomeSeed", "0", "1", "[OutOfBoundsTitle]: Seed: 0 < 1 -> 1"},
        {"txtOutcomeSeed", "3000000000", "2147483647", "[OutOfBoundsTitle]: Seed: 3000000000 > 2147483647 -> 2147483647"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " " + c.typed);
        enter(c.field, c.typed);
        EXPECT_EQ(text(c.field), c.now);
        EXPECT_EQ(messages.take(), c.message);
    }
    EXPECT_EQ(window->outcomes().options(), (OutcomeOptions{7.3, 1500, 2147483647, 0}));
    clickArrow(*child<UpDown>(*window, "updOutcomeSeed"), false);
    EXPECT_EQ(text("txtOutcomeSeed"), "2147483646");

    // A new investment mix brings its own volatility, before its analysis.
    window->inputs().optBalancedFund->click();
    EXPECT_EQ(text("txtVolatility"), FormatField(DefaultVolatility(kInvestmentTypePresets[3]), "#0.0", English));
    EXPECT_EQ(runner.inputs.back(), window->currentInputs());
    window->inputs().optInterest->click();
    EXPECT_EQ(text("txtVolatility"), FormatField(DefaultVolatility(kInvestmentTypePresets[5]), "#0.0", English));
    EXPECT_TRUE(messages.messages.empty()) << messages.take();
}

// A stand-in for the simulation: seed 1 runs until cancelled and then
// returns figures all the same, which must not show; seed 3 fails; any
// other seed returns at once.
struct SlowRunner {
    std::atomic<bool> sawCancel{false};
    std::atomic<int> runs{0};

    OutcomeJobs::Runner function()
    {
        return [this](Strategy strategy, const AnalysisInputs&, const OutcomeOptions& options,
                      const OutcomeProgress& progress) -> std::optional<OutcomeResults> {
            ++runs;
            if (options.seed == 3)
                throw AnalysisError("no figures");
            if (options.seed == 1) {
                while (progress(5, 10))
                    std::this_thread::sleep_for(std::chrono::milliseconds(2));
                sawCancel = true;
            }
            return HandMade(strategy, 5, options.seed);
        };
    }
};

class OutcomeRunTest : public WindowTest {
protected:
    SlowRunner slow;

    void openWithRunner()
    {
        MainWindowServices services;
        services.captions = &captions;
        services.messages = &messages;
        services.runAnalysis = runner.function();
        services.runOutcomes = slow.function();
        services.outcomeSentences = [](const OutcomeResults& r) {
            return std::vector<std::string>{"seed " + std::to_string(r.seed)};
        };
        window = std::make_unique<MainWindow>(services);
        window->start(setup);
        messages.messages.clear();
    }
    std::uint64_t shownSeed()
    {
        const auto& shown = window->outcomes().results();
        return shown ? shown->seed : 0;
    }
};

// Runs start only while the tab shows; a newer seed cancels the slow run,
// whose late figures never show; the progress bar shows while a run takes
// long; a failure reads on the tab, not in a box; an analysis input changed
// on another tab runs again once the tab shows.
TEST_F(OutcomeRunTest, aNewerInputCancelsTheOlderRunAndOnlyTheNewestShows)
{
    openWithRunner();
    enter("txtOutcomeSeed", "1");
    EXPECT_EQ(window->outcomeJobs().started(), 0);
    window->tabOutputs->setCurrentIndex(MainWindow::kOutcomesTab);
    EXPECT_EQ(window->outcomeJobs().started(), 1);
    QProgressBar* bar = child<QProgressBar>(*window, "prbOutcomes");
    EXPECT_TRUE(QTest::qWaitFor([&] { return bar->isVisibleTo(window.get()); }));

    enter("txtOutcomeSeed", "2");
    EXPECT_TRUE(QTest::qWaitFor([&] { return shownSeed() == 2; }));
    EXPECT_TRUE(QTest::qWaitFor([&] { return slow.sawCancel.load(); }));
    QTest::qWait(50);
    EXPECT_EQ(shownSeed(), 2u);
    EXPECT_FALSE(bar->isVisibleTo(window.get()));
    EXPECT_EQ(child<QTextEdit>(*window, "txtOutcomeSentences")->toPlainText(), "seed 2");

    // The same inputs again: nothing runs.
    window->tabOutputs->setCurrentIndex(0);
    window->tabOutputs->setCurrentIndex(MainWindow::kOutcomesTab);
    EXPECT_EQ(window->outcomeJobs().started(), 2);

    enter("txtOutcomeSeed", "3");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->outcomeJobs().running(); }));
    QTest::qWait(20);
    EXPECT_EQ(child<QTextEdit>(*window, "txtOutcomeSentences")->toPlainText(), "[errorOutcomesFailed]\nno figures");
    EXPECT_FALSE(window->outcomes().results());
    EXPECT_TRUE(messages.messages.empty()) << messages.take();

    enter("txtOutcomeSeed", "4");
    window->tabOutputs->setCurrentIndex(0);
    const int analyses = runner.runs;
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->outcomeJobs().running(); }));
    enter("txtTaxRate", "33");
    EXPECT_GT(runner.runs, analyses);
    EXPECT_EQ(window->outcomeJobs().started(), 4);
    EXPECT_FALSE(window->outcomes().results());  // those were of other inputs
    window->tabOutputs->setCurrentIndex(MainWindow::kOutcomesTab);
    EXPECT_EQ(window->outcomeJobs().started(), 5);
    EXPECT_TRUE(QTest::qWaitFor([&] { return shownSeed() == 4; }));
    EXPECT_EQ(window->outputHelpTopic(), MainWindow::kOutcomesHelpTopic);
}

} // namespace
} // namespace gw::test

namespace gw::test {
namespace {

// The three fields go into User.dat with Save Defaults and come back on the
// next start; a client case keeps them and brings them back.
TEST(OutcomeSettings, reachSaveDefaultsAndClientCases)
{
    ProgramOnData data;
    MainWindow& window = data.start(English);
    const auto fields = [](MainWindow& w) {
        const OutcomesPanel& tab = w.outcomes();
        return (tab.txtVolatility->text() + " " + tab.txtOutcomePaths->text() + " " + tab.txtOutcomeSeed->text()).toStdString();
    };
    EXPECT_EQ(fields(window), "16.0 10000 20261206");
    enter(window.outcomes().txtVolatility, "12.5");
    enter(window.outcomes().txtOutcomePaths, "2000");
    enter(window.outcomes().txtOutcomeSeed, "42");
    const ClientCase kept = data.program->currentCase("");
    ASSERT_TRUE(data.program->saveDefaults());

    MainWindow& again = data.start(English);
    EXPECT_EQ(fields(again), "12.5 2000 42");
    enter(again.outcomes().txtVolatility, "30");
    enter(again.outcomes().txtOutcomeSeed, "7");
    data.program->applyCase(kept);
    EXPECT_EQ(fields(again), "12.5 2000 42");
    // Printing works the figures out with the fields, the tab never shown.
    const std::optional<OutcomeResults> printed = data.program->printSource().outcomes();
    ASSERT_TRUE(printed.has_value());
    EXPECT_EQ(printed->seed, 42u);
    EXPECT_EQ(printed->paths, 2000);
    EXPECT_EQ(printed->volatility, 0.125);
    EXPECT_TRUE(data.messages.messages.empty()) << data.messages.take();
    EXPECT_TRUE(data.reporter.texts.empty()) << data.reporter.texts.front();
}

} // namespace
} // namespace gw::test
