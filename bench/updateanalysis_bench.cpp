// Times the main window's updateAnalysis at the longest horizon (80 years):
// the analysis, the summary and projection tables, the charts and the notes.
// With a page given, the window is shown on that output page (2 the
// projection table, 3 the projection chart) and repaints after each run.
// Runs headless on the offscreen platform unless QT_QPA_PLATFORM says
// otherwise.
#include "captions.h"
#include "inputpanel.h"
#include "mainwindow.h"
#include "data_sources.h"
#include "messages.h"
#include "sample_settings.h"
#include "tablecaptions.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

#include <filesystem>
#include <fstream>
#include <memory>
#include <variant>
#include <string>
#include <vector>

namespace {

class SilentMessages : public gw::MessageService {
public:
    void show(Icon, const QString&, const QString&) override {}
    bool askYesNo(const QString&, const QString&) override { return false; }
};

// A started window at 80 years with a limited deduction, so the advanced
// tables carry all their columns, on output page `page` (0: not shown).
struct Window {
    gw::TableCaptionSource captions{gw::test::SourceCaptions(), gw::English};
    SilentMessages messages;
    std::unique_ptr<gw::MainWindow> window;

    Window(gw::Strategy strategy, int page)
    {
        gw::MainWindowServices services;
        services.captions = &captions;
        services.messages = &messages;
        window = std::make_unique<gw::MainWindow>(services);
        gw::MainWindowSetup setup;
        setup.values = gw::test::SampleSettingValues();
        setup.values[gw::Setting::SavingsPeriod] = 80;
        setup.values.setFlag(gw::Setting::FedLimitedDeduct, true);
        gw::test::SetTaxTable(setup.values, {{{0, 20, 5}, {30'000, 30, 10}, {60'000, 40, 20}, {120'000, 46, 30}}});
        window->start(setup);
        window->lstStrategyList->setCurrentRow(gw::Index(strategy));
        window->tabOutputs->setCurrentIndex(2);
        if (strategy != gw::Strategy::RRSP)
            window->cmdAdvancedSettings_Output->click();
        if (page > 0) {
            window->tabOutputs->setCurrentIndex(page);
            window->show();
            QApplication::processEvents();
        }
    }
};

void BM_UpdateAnalysis(benchmark::State& state)
{
    const gw::Strategy strategy = gw::StrategyFromIndex(static_cast<int>(state.range(0))).value();
    const int page = static_cast<int>(state.range(1));
    const bool painted = page > 0;
    Window w(strategy, page);
    // Every run gets other figures, as when the user edits a field.
    QLineEdit* taxRate = w.window->inputs().txtTaxRate;
    bool other = false;
    for (auto _ : state) {
        other = !other;
        taxRate->setText(other ? QStringLiteral("41") : QStringLiteral("40"));
        w.window->markInputsChanged();
        w.window->updateAnalysis();
        if (painted)
            QApplication::processEvents();
    }
    std::visit([&state](const auto& r) { state.counters["years"] = r.horizon; }, *w.window->lastResults());
    state.SetLabel(std::string(strategy == gw::Strategy::InterestOnly ? "interest-only"
                               : strategy == gw::Strategy::TermLoan ? "term loan"
                                                                    : "RRSP loans") +
                   (page == 2 ? ", table painted" : page == 3 ? ", chart painted" : ""));
}
BENCHMARK(BM_UpdateAnalysis)
    ->ArgsProduct({{0, 1, 2}, {0, 2, 3}})
    ->ArgNames({"strategy", "page"})
    ->Unit(benchmark::kMillisecond);

// What repainting the window costs without an analysis, for comparison.
void BM_RepaintOnly(benchmark::State& state)
{
    Window w(gw::StrategyFromIndex(static_cast<int>(state.range(0))).value(), 2);
    for (auto _ : state) {
        w.window->update();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_RepaintOnly)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
