#include "mainwindow.h"

#include "captionsource.h"
#include "error.h"
#include "fieldvalues.h"
#include "helpservice.h"
#include "inputpanel.h"
#include "messages.h"
#include "notes.h"
#include "numformat.h"
#include "outcomespanel.h"
#include "outputexport.h"
#include "outputpanel.h"
#include "outcomes_text.h"
#include "widgets.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>

namespace gw {

MainWindow::MainWindow(MainWindowServices services, QWidget* parent)
    : QMainWindow(parent),
      services_(std::move(services)),
      captions_(*services_.captions),
      messages_(*services_.messages),
      checks_(captions_, messages_)
{
    setObjectName(QStringLiteral("frmMain"));
    if (!services_.runAnalysis) {
        state_ = std::make_unique<AnalysisState>();
        services_.runAnalysis = [state = state_.get()](Strategy strategy, const AnalysisInputs& in) {
            return RunAnalysis(strategy, in, *state);
        };
    }
    if (!services_.runOutcomes) {
        services_.runOutcomes = [](Strategy strategy, const AnalysisInputs& in, const OutcomeOptions& options,
                                   const OutcomeProgress& progress) {
            return SimulateOutcomes(strategy, in, options, progress);
        };
    }
    if (!services_.outcomeSentences) {
        services_.outcomeSentences = [this](const OutcomeResults& results) {
            const CaptionTables* tables = captions_.tables();
            return tables ? OutcomeSentences(results, *tables, captions_.language()) : std::vector<std::string>{};
        };
    }
    if (!services_.notes) {
        services_.notes = [this](const AnalysisResults& results) {
            const CaptionTables* tables = captions_.tables();
            return tables ? gw::notes(results, *tables, captions_.language()) : std::string();
        };
    }
    checks_.setStatusSink(
        [this](const std::string& key, const InputChecks::StatusValues& values) { setStatusHint(key, values); });

    InputPanel::Host host;
    host.strategy = [this] { return strategy(); };
    host.updateAnalysis = [this] { updateAnalysis(); };
    host.openCustomMix = [this] { emit customInvestmentMixRequested(); };
    // A new mix brings its own volatility, in place before the analysis.
    host.mixChosen = [this](const std::array<double, 4>& breakdown) { outcomes_->setVolatility(DefaultVolatility(breakdown)); };
    inputs_ = new InputPanel(captions_, messages_, checks_, std::move(host), this);
    outputs_ = new OutputPanel(captions_, this);
    inputs_->bindProjectionReturns(outputs_->txtProjectionReturn, outputs_->updProjectionReturn);
    outcomes_ = new OutcomesPanel(captions_, checks_, this);
    outcomeJobs_ = std::make_unique<OutcomeJobs>(services_.runOutcomes);
    connect(outcomeJobs_.get(), &OutcomeJobs::finished, this, [this](const OutcomeResults& r) { showOutcomes(r); });
    connect(outcomeJobs_.get(), &OutcomeJobs::failed, this, [this](const QString& message) {
        outcomes_->showError(caption("errorOutcomesFailed") + u'\n' + message);
    });
    connect(outcomeJobs_.get(), &OutcomeJobs::progressed, outcomes_, &OutcomesPanel::showProgress);
    connect(outcomes_, &OutcomesPanel::optionsChanged, this, [this] { refreshOutcomes(); });
    export_ = std::make_unique<OutputExport>(captions_, messages_, services_.files, *outputs_, *outcomes_);

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralWidget"));
    auto* columns = new QHBoxLayout(central);
    auto* inputSide = new QWidget(central);
    auto* outputSide = new QWidget(central);
    inputSide_ = inputSide;
    buildInputSide(inputSide);
    buildOutputSide(outputSide);
    columns->addWidget(inputSide, 0);
    columns->addWidget(outputSide, 1);
    setCentralWidget(central);

    stsStatusPanel = new QLabel(this);
    stsStatusPanel->setObjectName(QStringLiteral("stsStatusPanel"));
    statusBar()->setObjectName(QStringLiteral("stsStatus"));
    statusBar()->addWidget(stsStatusPanel, 1);

    buildMenus();
    orderTabs();
    auto* helpKey = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(helpKey, &QShortcut::activated, this, [this] { showHelpTopic(helpTopic()); });
    resize(1180, 760);
}

MainWindow::~MainWindow() = default;

void MainWindow::buildInputSide(QWidget* side)
{
    auto* column = new QVBoxLayout(side);
    column->setContentsMargins(0, 0, 0, 0);
    lblStrategyHeader = new QLabel(side);
    lblStrategyHeader->setObjectName(QStringLiteral("lblStrategyHeader"));
    lblStrategyHeader->setWordWrap(true);
    lstStrategyList = new QListWidget(side);
    lstStrategyList->setObjectName(QStringLiteral("lstStrategyList"));
    for (std::size_t row = 0; row < kStrategies.size(); ++row)
        lstStrategyList->addItem(QString());
    lstStrategyList->setSelectionMode(QAbstractItemView::SingleSelection);
    lstStrategyList->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    connect(lstStrategyList, &QListWidget::currentRowChanged, this, [this] { strategyChanged(); });

    tabInputs = new QTabWidget(side);
    tabInputs->setObjectName(QStringLiteral("tabInputs"));
    tabInputs->setUsesScrollButtons(false);
    tabInputs->addTab(inputs_->basicPage, QString());
    tabInputs->addTab(inputs_->compositionPage, QString());
    connect(tabInputs, &QTabWidget::currentChanged, this, [this] { formatInput(strategy()); });

    auto* buttons = new QHBoxLayout;
    cmdBack_Input = MakeButton("cmdBack_Input", side);
    cmdAdvancedSettings_Input = MakeButton("cmdAdvancedSettings_Input", side);
    cmdNext_Input = MakeButton("cmdNext_Input", side);
    buttons->addWidget(cmdBack_Input);
    buttons->addStretch(1);
    buttons->addWidget(cmdAdvancedSettings_Input);
    buttons->addStretch(1);
    buttons->addWidget(cmdNext_Input);
    connect(cmdBack_Input, &QPushButton::clicked, this, [this] { stepTab(tabInputs, -1); });
    connect(cmdNext_Input, &QPushButton::clicked, this, [this] { stepTab(tabInputs, +1); });
    connect(cmdAdvancedSettings_Input, &QPushButton::clicked, this, &MainWindow::advancedDetailsRequested);

    cmdAutoCalc = MakeButton("cmdAutoCalc", side);
    connect(cmdAutoCalc, &QPushButton::clicked, this, &MainWindow::toggleAutoCalc);

    column->addWidget(lblStrategyHeader);
    column->addWidget(lstStrategyList);
    column->addWidget(tabInputs, 1);
    column->addLayout(buttons);
    column->addWidget(cmdAutoCalc);
}

void MainWindow::buildOutputSide(QWidget* side)
{
    auto* column = new QVBoxLayout(side);
    column->setContentsMargins(0, 0, 0, 0);
    lblCurrentStrategy = new QLabel(side);
    lblCurrentStrategy->setObjectName(QStringLiteral("lblCurrentStrategy"));
    QFont bold = lblCurrentStrategy->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    lblCurrentStrategy->setFont(bold);

    tabOutputs = new QTabWidget(side);
    tabOutputs->setObjectName(QStringLiteral("tabOutputs"));
    tabOutputs->setUsesScrollButtons(false);
    for (QWidget* page : outputs_->pages)
        tabOutputs->addTab(page, QString());
    tabOutputs->addTab(outcomes_->page, QString());
    connect(tabOutputs, &QTabWidget::currentChanged, this, [this] {
        formatOutputButtons(strategy());
        refreshOutcomes();
    });

    // The cover shares the results' cell and lies on top of them.
    picHideResults = new QFrame(side);
    picHideResults->setObjectName(QStringLiteral("picHideResults"));
    picHideResults->setFrameShape(QFrame::StyledPanel);
    picHideResults->setAutoFillBackground(true);
    auto* coverLayout = new QVBoxLayout(picHideResults);
    lblHideResultsMessage = new QLabel(picHideResults);
    lblHideResultsMessage->setObjectName(QStringLiteral("lblHideResultsMessage"));
    lblHideResultsMessage->setAlignment(Qt::AlignCenter);
    lblHideResultsMessage->setWordWrap(true);
    coverLayout->addWidget(lblHideResultsMessage);
    picHideResults->hide();
    auto* results = new QGridLayout;
    results->addWidget(tabOutputs, 0, 0);
    results->addWidget(picHideResults, 0, 0);

    auto* buttons = new QHBoxLayout;
    cmdBack_Output = MakeButton("cmdBack_Output", side);
    cmdHelp = MakeButton("cmdHelp", side);
    cmdAdvancedSettings_Output = MakeButton("cmdAdvancedSettings_Output", side);
    cmdPrint = MakeButton("cmdPrint", side);
    cmdNext_Output = MakeButton("cmdNext_Output", side);
    buttons->addWidget(cmdBack_Output);
    buttons->addWidget(cmdHelp);
    buttons->addStretch(1);
    buttons->addWidget(cmdAdvancedSettings_Output);
    buttons->addWidget(cmdPrint);
    buttons->addStretch(1);
    buttons->addWidget(cmdNext_Output);
    connect(cmdBack_Output, &QPushButton::clicked, this, [this] { stepTab(tabOutputs, -1); });
    connect(cmdNext_Output, &QPushButton::clicked, this, [this] { stepTab(tabOutputs, +1); });
    connect(cmdHelp, &QPushButton::clicked, this, [this] { showHelpTopic(outputHelpTopic()); });
    connect(cmdPrint, &QPushButton::clicked, this, &MainWindow::printRequested);
    connect(cmdAdvancedSettings_Output, &QPushButton::clicked, this, &MainWindow::toggleAdvancedView);

    column->addWidget(lblCurrentStrategy);
    column->addLayout(results, 1);
    column->addLayout(buttons);
}

void MainWindow::orderTabs()
{
    // Down the input panel, then its buttons, then the output side.
    const InputPanel& in = *inputs_;
    std::vector<QWidget*> order{lstStrategyList, tabInputs, in.optLoanAmount, in.txtLoanAmount,
                                in.optAnnualInvestment, in.txtAnnualInvestment, in.cmdWTAfterTaxAnnualInvestment,
                                in.txtTaxRate, in.txtIntRate, in.txtSavingsPeriod};
    order.insert(order.end(), in.txtReturn.begin(), in.txtReturn.end());
    order.insert(order.end(), {in.cmbInvestmentType, in.txtOtherUnlevInvest, in.cmdWTOtherUnleveragedInvestments,
                               in.optRegularEquity, in.optTaxEfficient, in.optDeferredCapitalGains,
                               in.optBalancedFund, in.optDividends, in.optInterest, in.optCustomInvestmentMix,
                               in.cmdWTBreakdown, cmdBack_Input, cmdAdvancedSettings_Input, cmdNext_Input,
                               cmdAutoCalc, tabOutputs, outputs_->txtProjectionReturn[0],
                               outputs_->txtProjectionReturn[1], outcomes_->txtVolatility,
                               outcomes_->txtOutcomePaths, outcomes_->txtOutcomeSeed, cmdBack_Output, cmdHelp,
                               cmdAdvancedSettings_Output, cmdPrint, cmdNext_Output});
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void MainWindow::buildMenus()
{
    mnuFile = menuBar()->addMenu(QString());
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuSaveDefaults = MakeAction(QStringLiteral("mnuSaveDefaults"), this);
    mnuPrint = MakeAction(QStringLiteral("mnuPrint"), this);
    mnuPrint->setShortcut(QKeySequence::Print);
    mnuExit = MakeAction(QStringLiteral("mnuExit"), this);
    mnuFile->addAction(mnuSaveDefaults);
    mnuExport = mnuFile->addMenu(QString());
    mnuExport->setObjectName(QStringLiteral("mnuExport"));
    for (int k = 0; k < int(mnuExportItem.size()); ++k) {
        const auto kind = OutputExport::kKinds[k];
        mnuExportItem[k] = MakeAction(QString::fromLatin1(OutputExport::entryKey(kind)), this);
        mnuExport->addAction(mnuExportItem[k]);
        connect(mnuExportItem[k], &QAction::triggered, this, [this, k] { exportOutput(k); });
    }
    mnuFile->addAction(mnuPrint);
    mnuFile->addSeparator();
    mnuFile->addAction(mnuExit);
    connect(mnuSaveDefaults, &QAction::triggered, this, &MainWindow::saveDefaults);
    connect(mnuPrint, &QAction::triggered, this, &MainWindow::printRequested);
    connect(mnuExit, &QAction::triggered, this, &QWidget::close);

    mnuSetup = menuBar()->addMenu(QString());
    mnuSetup->setObjectName(QStringLiteral("mnuSetup"));
    for (int k = 1; k <= 3; ++k) {
        mnuSetupItem[k] = MakeAction(arrayName("mnuSetupItem", k), this);
        mnuSetup->addAction(mnuSetupItem[k]);
        connect(mnuSetupItem[k], &QAction::triggered, this, [this, k] { emit setupRequested(k); });
    }

    mnuHelp = menuBar()->addMenu(QString());
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuHelpMenu0 = MakeAction(QStringLiteral("mnuHelpMenu0"), this);
    mnuHelp->addAction(mnuHelpMenu0);
    connect(mnuHelpMenu0, &QAction::triggered, this, [this] {
        if (services_.help)
            services_.help->showContents();
    });
    const auto topicAction = [this](QAction* action, int topic) {
        connect(action, &QAction::triggered, this, [this, topic] { showHelpTopic(topic); });
    };
    mnuGeneral1 = mnuHelp->addMenu(QString());
    mnuGeneral1->setObjectName(QStringLiteral("mnuGeneral1"));
    for (int k = 0; k < 6; ++k) {
        mnuGeneralNotes1[k] = MakeAction(arrayName("mnuGeneralNotes1", k), this);
        mnuGeneral1->addAction(mnuGeneralNotes1[k]);
        topicAction(mnuGeneralNotes1[k], 101 + k);
    }
    mnuAnalysis1 = mnuHelp->addMenu(QString());
    mnuAnalysis1->setObjectName(QStringLiteral("mnuAnalysis1"));
    mnuIntOnly1 = MakeAction(QStringLiteral("mnuIntOnly1"), this);
    mnuTermLoans1 = MakeAction(QStringLiteral("mnuTermLoans1"), this);
    mnuRRSPLoans1 = MakeAction(QStringLiteral("mnuRRSPLoans1"), this);
    mnuAnalysis1->addActions({mnuIntOnly1, mnuTermLoans1, mnuRRSPLoans1});
    topicAction(mnuIntOnly1, 501);
    topicAction(mnuTermLoans1, 502);
    topicAction(mnuRRSPLoans1, 503);
    mnuHelp->addSeparator();
    for (int k = 0; k < 2; ++k) {
        mnuAboutCorvin[k] = MakeAction(arrayName("mnuAboutCorvin", k), this);
        mnuHelp->addAction(mnuAboutCorvin[k]);
        topicAction(mnuAboutCorvin[k], 301 + 100 * k);
    }
    mnuAboutSponsor = MakeAction(QStringLiteral("mnuAboutSponsor"), this);
    mnuHelp->addAction(mnuAboutSponsor);
    connect(mnuAboutSponsor, &QAction::triggered, this, [this] {
        if (services_.help)
            services_.help->showFileContents(sponsor_.helpPath);
    });
    mnuAboutSponsor->setVisible(false);
    mnuAboutSoftware = MakeAction(QStringLiteral("mnuAboutSoftware"), this);
    mnuHelp->addAction(mnuAboutSoftware);
    connect(mnuAboutSoftware, &QAction::triggered, this, &MainWindow::aboutRequested);
}

void MainWindow::start(const MainWindowSetup& setup)
{
    windowReady_ = false;
    sponsor_ = setup.sponsor;
    isSponsored_ = setup.isSponsored;
    checks_.setSponsor(isSponsored_, sponsor_.SponsorName);
    mnuAboutSponsor->setVisible(isSponsored_ && !sponsor_.helpPath.empty());

    // Hidden rows keep their numbers: the row is the strategy.
    for (Strategy offered : kStrategies)
        lstStrategyList->setRowHidden(Index(offered), !StrategyOffered(setup.values, offered));
    {
        const QSignalBlocker blocker(lstStrategyList);
        lstStrategyList->setCurrentRow(Index(FirstStrategyOffered(setup.values)));
    }

    const SettingValues start = StartValues(setup.values);
    inputs_->start(start);
    outcomes_->setReplacements(outcomeOptionsFrom(start));
    outcomes_->setOptions(outcomeOptionsFrom(start));
    autoCalculate_ = true;
    formatCaptions();
    setStatusHint("stsbarPressF1");
    formatInput(strategy());
    // The first analysis runs on the default breakdown, which the matching
    // investment-type option shows.
    const auto& b = inputs_->breakdown();
    inputs_->setBreakdownOfDistributions(b[0], b[1], b[2], b[3], strategy());
    windowReady_ = true;
}

Strategy MainWindow::strategy() const
{
    if (const std::optional<Strategy> selected = StrategyFromIndex(lstStrategyList->currentRow()))
        return *selected;
    for (Strategy shown : kStrategies) {
        if (!lstStrategyList->isRowHidden(Index(shown)))
            return shown;
    }
    return kStrategies.back();
}

bool MainWindow::inputsChanged() const
{
    return inputs_->inputsChanged();
}

void MainWindow::markInputsChanged()
{
    inputs_->setInputsChanged(true);
}

void MainWindow::updateAnalysis()
{
    const Strategy current = strategy();
    formatOutput(current, true);
    if (autoCalculate_ && inputs_->inputsChanged()) {
        AnalysisOutcome outcome = services_.runAnalysis(current, currentInputs());
        if (outcome.ok()) {
            analysed_.emplace(current, currentInputs());
            lastResults_ = std::move(outcome.results);
            outputs_->showResults(*lastResults_);
            notesStale_[Index(StrategyOf(*lastResults_))] = true;
            emit analysisCompleted(current);
        } else {
            analysed_.reset();
            // The user reads what to do; the figures that went wrong are
            // for whoever supports the program.
            std::fprintf(stderr, "Gearwise Planner: the analysis of strategy %d failed: %s\n", Index(current),
                         outcome.error.c_str());
            std::fflush(stderr);
            messages_.critical(caption("SoftwareName"),
                               caption("errorAnalysisFailed",
                                       {caption(captionKey("lstStrategyList.listindex", Index(current))).toStdString()}));
        }
    }
    outputs_->setNotes(notesFor(current));
    inputs_->setInputsChanged(false);
    refreshOutcomes();
}

void MainWindow::refreshOutcomes()
{
    const Strategy current = strategy();
    std::optional<OutcomeRequest> request;
    if (autoCalculate_ && analysed_ && analysed_->first == current)
        request = OutcomeRequest{current, analysed_->second, outcomes_->options()};
    if (request == outcomeRequest_)
        return;
    // Older figures, or a run on older inputs, no longer count, whether the
    // tab shows or not; a new run waits until the tab shows.
    outcomeJobs_->cancel();
    outcomeRequest_.reset();
    outcomes_->showStrategy(current);
    outcomes_->clear();
    if (!request || tabOutputs->currentIndex() != kOutcomesTab || !services_.runOutcomes)
        return;
    outcomeRequest_ = request;
    outcomeJobs_->start(request->strategy, request->inputs, request->options);
}

std::optional<OutcomeResults> MainWindow::outcomesForPrint()
{
    const Strategy current = strategy();
    if (!autoCalculate_ || !analysed_ || analysed_->first != current || !services_.runOutcomes)
        return std::nullopt;
    const OutcomeRequest request{current, analysed_->second, outcomes_->options()};
    if (outcomeRequest_ == request && outcomes_->results())
        return outcomes_->results();
    try {
        return services_.runOutcomes(request.strategy, request.inputs, request.options, {});
    } catch (const AnalysisError& error) {
        std::fprintf(stderr, "Range of outcomes for printing failed: %s\n", error.what());
        return std::nullopt;
    }
}

OutcomeOptions MainWindow::outcomeOptionsFrom(const SettingValues& values)
{
    return {values[Setting::Volatility], static_cast<int>(values[Setting::OutcomePaths]),
            static_cast<std::uint64_t>(values[Setting::OutcomeSeed]), 0};
}

void MainWindow::showOutcomes(const OutcomeResults& results)
{
    outcomes_->showResults(results, outcomeSentences(results));
}

std::vector<std::string> MainWindow::outcomeSentences(const OutcomeResults& results) const
{
    return services_.outcomeSentences ? services_.outcomeSentences(results) : std::vector<std::string>{};
}

void MainWindow::formatOutput(Strategy strategy, bool charts)
{
    lblCurrentStrategy->setText(caption(captionKey("lstStrategyList.listindex", Index(strategy))) + u' ');
    formatOutputTitles(strategy);
    formatOutputButtons(strategy);
    if (charts) {
        outputs_->formatSummaryChart(strategy);
        outputs_->formatProjectionChart(strategy);
    }
    outputs_->showStrategy(strategy, advancedView_);
    outputs_->setNotes(notesFor(strategy));
}

void MainWindow::formatOutputTitles(Strategy strategy)
{
    const AnalysisInputs in = currentInputs();
    const double period = std::max(0.0, RoundHalfToEven(in.savingsPeriod));
    const double loans = strategy == Strategy::InterestOnly ? 1 : std::max(0.0, RoundHalfToEven(in.timesRepeated)) + 1;
    const int years = static_cast<int>(std::min(period * loans, 1e6));
    outputs_->formatOutputTitles(strategy, years);
    outcomes_->formatTitle(years);
}

void MainWindow::formatSummaryTable(Strategy strategy)
{
    outputs_->formatSummaryTable(strategy);
}

void MainWindow::formatProjectionTable(Strategy strategy)
{
    outputs_->formatProjectionTable(strategy, inputs_->deductionLimited());
}

const std::optional<AnalysisResults>& MainWindow::resultsOf(Strategy strategy) const
{
    return outputs_->results(strategy);
}

QString MainWindow::notesFor(Strategy strategy)
{
    const int at = Index(strategy);
    if (notesStale_[at]) {
        const std::optional<AnalysisResults>& results = outputs_->results(strategy);
        notes_[at] = results && services_.notes ? QString::fromStdString(services_.notes(*results)) : QString();
        notesStale_[at] = false;
    }
    return notes_[at];
}

void MainWindow::errorAnalysis(int row)
{
    messages_.warning(caption("ErrorTitle"), caption("errorAnalysisNotAdded", {std::to_string(row)}));
    const Strategy fallback = strategy();
    {
        const QSignalBlocker blocker(lstStrategyList);
        lstStrategyList->setCurrentRow(Index(fallback));
    }
    formatInput(fallback);
    formatOutput(fallback, true);
    inputs_->setInputsChanged(false);
}

void MainWindow::strategyChanged()
{
    // The one place that meets a list without a current row.
    const int row = lstStrategyList->currentRow();
    if (!StrategyFromIndex(row)) {
        errorAnalysis(row);
        return;
    }
    const Strategy current = strategy();
    formatInput(current);
    if (windowReady_)
        inputs_->setInputsChanged(true);
    // The interest-only loan lets any times-repeated value through the period
    // check; a term or RRSP loan must not run on a pair beyond its years.
    checks_.checkTimesLoanRepeated(*inputs_->txtSavingsPeriod, FieldLabel(inputs_->lblSavingsPeriod->text()),
                                   *inputs_->timesLoanRepeatedBox(),
                                   FieldLabel(lookUp(captions_, "lblTimesLoanRepeated")), 0, current, false);
    updateAnalysis();
}

void MainWindow::formatInput(Strategy strategy)
{
    // RRSP loans have no return breakdown: their investment tab would be empty.
    const bool composition = strategy != Strategy::RRSP;
    if (tabInputs->isTabVisible(1) != composition) {
        const QSignalBlocker blocker(tabInputs);
        tabInputs->setTabVisible(1, composition);
        if (!composition)
            tabInputs->setCurrentIndex(0);
    }
    cmdBack_Input->setEnabled(composition);
    cmdNext_Input->setEnabled(composition);
    formatInputButtons(strategy);
    inputs_->formatInputPanels(strategy);
}

void MainWindow::formatInputButtons(Strategy strategy)
{
    // The advanced details hold the breakdown (input tab 1) and the repeats
    // (term and RRSP loans).
    const int tab = tabInputs->currentIndex();
    bool visible = false;
    switch (strategy) {
    case Strategy::InterestOnly:
        visible = tab == 1;
        break;
    case Strategy::TermLoan:
        visible = true;
        break;
    case Strategy::RRSP:
        visible = tab == 0;
        break;
    }
    cmdAdvancedSettings_Input->setVisible(visible);
}

void MainWindow::formatOutputButtons(Strategy strategy)
{
    const int tab = tabOutputs->currentIndex();
    cmdAdvancedSettings_Output->setVisible(tab == 2 && strategy != Strategy::RRSP);
    cmdPrint->setVisible(tab == 0 || tab == 2);
}

void MainWindow::hideResults(bool show)
{
    lblHideResultsMessage->setText(caption("stsbarAutoCalc"));
    picHideResults->setVisible(show);
    picHideResults->raise();
}

void MainWindow::toggleAutoCalc()
{
    if (autoCalculate_) {
        autoCalculate_ = false;
        cmdAutoCalc->setText(caption("cmdAutoCalc_ON"));
        setStatusHint("stsbarAutoCalc");
        hideResults(true);
    } else {
        autoCalculate_ = true;
        cmdAutoCalc->setText(caption("cmdAutoCalc_OFF"));
        setStatusHint("stsbarPressF1");
        inputs_->setInputsChanged(true);
        updateAnalysis();
        hideResults(false);
    }
}

void MainWindow::toggleAdvancedView()
{
    advancedView_ = !advancedView_;
    cmdAdvancedSettings_Output->setText(advancedView_ ? caption("cmdAdvancedSettings_Basic")
                                                      : caption("cmdAdvancedSettings_Advanced"));
    inputs_->setInputsChanged(true);
    updateAnalysis();
}

void MainWindow::stepTab(QTabWidget* tabs, int delta)
{
    // Wraps round, over the tabs the strategy hides.
    const int count = tabs->count();
    for (int step = 1; step < count; ++step) {
        const int tab = (tabs->currentIndex() + step * delta + step * count) % count;
        if (tabs->isTabVisible(tab)) {
            tabs->setCurrentIndex(tab);
            return;
        }
    }
}

void MainWindow::saveDefaults()
{
    if (!messages_.askYesNo(caption("SaveDefaultsTitle"), caption("SaveDefaultsPrompt")))
        return;
    if (services_.saveDefaults)
        services_.saveDefaults();
}

void MainWindow::exportOutput(int kind)
{
    OutputExport::Source source;
    source.strategy = strategy();
    source.advancedView = advancedView_;
    if (autoCalculate_) {
        const std::optional<AnalysisResults>& results = resultsOf(source.strategy);
        source.results = results ? &*results : nullptr;
        const auto& outcomes = outcomes_->results();
        source.outcomes = outcomes ? &*outcomes : nullptr;
    }
    export_->run(OutputExport::kKinds[kind], source);
}

void MainWindow::showHelpTopic(int contextNumber)
{
    if (services_.help)
        services_.help->showTopic(contextNumber);
}

int MainWindow::outputHelpTopic() const
{
    const int tab = tabOutputs->currentIndex();
    if (tab == kOutcomesTab)
        return kOutcomesHelpTopic;
    return 801 + 4 * Index(strategy()) + (tab - tab % 2);
}

int MainWindow::helpTopic() const
{
    const QWidget* focus = focusWidget();
    return focus && inputSide_->isAncestorOf(focus) ? kInputsHelpTopic : outputHelpTopic();
}

void MainWindow::applySetupValues(const SettingValues& values)
{
    inputs_->setSetupValues(values);
    formatInput(strategy());
}

void MainWindow::loadFields(Strategy strategy, const SettingValues& values)
{
    {
        const QSignalBlocker blocker(lstStrategyList);
        lstStrategyList->setCurrentRow(Index(strategy));
    }
    inputs_->loadFields(values);
    outcomes_->setOptions(outcomeOptionsFrom(values));
    formatInput(strategy);
    markInputsChanged();
}

AnalysisInputs MainWindow::currentInputs() const
{
    return inputs_->currentInputs();
}

void MainWindow::storeValues(SettingValues& values) const
{
    inputs_->storeValues(values);
    const OutcomeOptions outcomes = outcomes_->options();
    values[Setting::Volatility] = outcomes.volatility;
    values[Setting::OutcomePaths] = outcomes.paths;
    values[Setting::OutcomeSeed] = double(outcomes.seed);
    values.setFlag(Setting::ShowAdvancedDetails, advancedView_);
}

QString MainWindow::statusText() const
{
    return stsStatusPanel->text();
}

void MainWindow::setStatusHint(std::string key, std::vector<std::string> values)
{
    setStatusHint(std::move(key), [values = std::move(values)] { return values; });
}

void MainWindow::setStatusHint(std::string key, InputChecks::StatusValues values)
{
    statusKey_ = std::move(key);
    statusValues_ = std::move(values);
    stsStatusPanel->setText(caption(statusKey_, statusValues_()));
}

QString MainWindow::caption(std::string_view key, const std::vector<std::string>& values) const
{
    return lookUp(captions_, key, values);
}

void MainWindow::formatCaptions()
{
    const Language language = captions_.language();
    if (captionLanguage_ && *captionLanguage_ != language) {
        inputs_->rewriteForLanguage(*captionLanguage_);
        outcomes_->rewriteForLanguage(*captionLanguage_);
    }
    captionLanguage_ = language;

    setWindowTitle(services_.windowTitle ? services_.windowTitle() : caption("SoftwareName"));
    inputs_->formatCaptions();
    outputs_->formatCaptions(inputs_->deductionLimited());
    outcomes_->formatCaptions();
    if (const auto& shown = outcomes_->results())
        outcomes_->setSentences(outcomeSentences(*shown));
    // The fields now read in the new language; the run's request compares
    // numbers, so nothing runs again for the switch.
    notesStale_.fill(true);
    lblStrategyHeader->setText(caption("lblStrategyHeader"));
    for (Strategy listed : kStrategies)
        lstStrategyList->item(Index(listed))->setText(caption(captionKey("lstStrategyList.listindex", Index(listed))));
    const int rows = static_cast<int>(kStrategies.size());
    lstStrategyList->setFixedHeight(lstStrategyList->sizeHintForRow(0) * rows + 2 * lstStrategyList->frameWidth() + 4);
    for (int k = 0; k < tabInputs->count(); ++k)
        tabInputs->setTabText(k, caption(captionKey("tabInputs.tab", k)));
    for (int k = 0; k < tabOutputs->count(); ++k)
        tabOutputs->setTabText(k, caption(captionKey("tabOutputs.tab", k)));
    cmdBack_Input->setText(caption("cmdBack_Input"));
    cmdNext_Input->setText(caption("cmdNext_Input"));
    cmdAdvancedSettings_Input->setText(caption("cmdAdvancedSettings_Input"));
    cmdBack_Output->setText(caption("cmdBack_Output"));
    cmdNext_Output->setText(caption("cmdNext_Output"));
    cmdHelp->setText(caption("cmdHelp"));
    cmdPrint->setText(caption("cmdPrint"));
    cmdAutoCalc->setText(autoCalculate_ ? caption("cmdAutoCalc_OFF") : caption("cmdAutoCalc_ON"));
    cmdAdvancedSettings_Output->setText(advancedView_ ? caption("cmdAdvancedSettings_Basic")
                                                      : caption("cmdAdvancedSettings_Advanced"));
    lblHideResultsMessage->setText(caption("stsbarAutoCalc"));
    if (!statusKey_.empty())
        stsStatusPanel->setText(caption(statusKey_, statusValues_()));

    mnuFile->setTitle(caption("mnuFile"));
    mnuSaveDefaults->setText(caption("mnuSaveDefaults"));
    mnuPrint->setText(caption("mnuPrint"));
    mnuExport->setTitle(caption("mnuExport"));
    for (int k = 0; k < int(mnuExportItem.size()); ++k)
        mnuExportItem[k]->setText(caption(OutputExport::entryKey(OutputExport::kKinds[k])));
    mnuExit->setText(caption("mnuExit"));
    mnuSetup->setTitle(caption("mnuSetup"));
    for (int k = 1; k <= 3; ++k)
        mnuSetupItem[k]->setText(caption(captionKey("mnuSetupItem", k)));
    mnuHelp->setTitle(caption("mnuHelp"));
    mnuHelpMenu0->setText(caption("mnuHelpMenu(0)"));
    mnuGeneral1->setTitle(caption("mnuGeneral1"));
    for (int k = 0; k < 6; ++k)
        mnuGeneralNotes1[k]->setText(caption(captionKey("mnuGeneralNotes1", k)));
    mnuAnalysis1->setTitle(caption("mnuAnalysis1"));
    mnuIntOnly1->setText(caption("mnuIntOnly1"));
    mnuTermLoans1->setText(caption("mnuTermLoans1"));
    mnuRRSPLoans1->setText(caption("mnuRRSPLoans1"));
    for (int k = 0; k < 2; ++k)
        mnuAboutCorvin[k]->setText(caption(captionKey("mnuAboutCorvin", k)));
    // An "&" of the sponsor's name is text, not a mnemonic.
    mnuAboutSponsor->setText(
        caption("mnuAboutSponsor", {QString::fromStdString(sponsor_.SponsorName).replace(u'&', QStringLiteral("&&")).toStdString()}));
    mnuAboutSoftware->setText(caption("mnuAboutSoftware"));

    const Strategy current = strategy();
    lblCurrentStrategy->setText(caption(captionKey("lstStrategyList.listindex", Index(current))) + u' ');
    inputs_->formatInputPanels(current);
    formatOutputTitles(current);
    outputs_->setNotes(notesFor(current));
}

} // namespace gw
