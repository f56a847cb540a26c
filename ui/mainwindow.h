#pragma once

#include "captions.h"
#include "inputs.h"
#include "outcomejobs.h"
#include "validation.h"
#include "windowsetup.h"

#include <QMainWindow>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QAction;
class QFrame;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QTabWidget;

namespace gw {

class CaptionSource;
class HelpService;
class InputPanel;
class MessageService;
class OutputExport;
class OutcomesPanel;
class OutputPanel;
class SaveFileService;

// What the main window calls out to. The program backs them with the
// caption tables, message boxes, the help viewer, the analysis dispatch and
// the user file; tests with fakes.
struct MainWindowServices {
    const CaptionSource* captions = nullptr;  // required
    MessageService* messages = nullptr;       // required
    HelpService* help = nullptr;
    // Default: RunAnalysis on the window's own AnalysisState.
    AnalysisRunner runAnalysis;
    std::function<void()> saveDefaults;       // after the user said Yes
    SaveFileService* files = nullptr;         // File > Export's file names; none: nothing is exported
    std::function<QString()> windowTitle;     // default: the caption "SoftwareName"
    // The notes under the summary table for these results (UTF-8, CR LF
    // between paragraphs). Default: the notes of wording/notes.h in the
    // captions' language when the captions have tables; otherwise none.
    std::function<std::string(const AnalysisResults&)> notes;
    // The range of outcomes of the last analysis. Default: SimulateOutcomes.
    OutcomeJobs::Runner runOutcomes;
    // Their sentences in the current language. Default: OutcomeSentences on
    // the captions' tables when there are any; otherwise none.
    std::function<std::vector<std::string>(const OutcomeResults&)> outcomeSentences;
};

// frmMain: the strategy list, the input panel, the output pages, the
// auto-calculation switch, the menus and the status bar. Every analysis goes
// through updateAnalysis(), which runs the selected strategy only while
// auto-calculation is on and an input changed since the last run.
//
// Control arrays have the object name of the base name followed by the
// index (txtReturn(2) is "txtReturn2", mnuGeneralNotes1(5) is
// "mnuGeneralNotes15"); see arrayName().
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(MainWindowServices services, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The start-up sequence: limits, defaults, captions, first analysis.
    void start(const MainWindowSetup& setup);

    // The strategy of the selected row of lstStrategyList (the row is the
    // strategy's index, whatever rows the sponsor hides). Should the list
    // have no current row, the first row shown, which the window then
    // selects again (see strategyChanged).
    Strategy strategy() const;
    bool inputsChanged() const;
    void markInputsChanged();
    bool autoCalculate() const { return autoCalculate_; }
    bool windowReady() const { return windowReady_; }
    bool advancedView() const { return advancedView_; }

    void updateAnalysis();
    // Prepares the output side for the strategy.
    void formatOutput(Strategy strategy, bool charts);
    void formatCaptions();
    void formatInput(Strategy strategy);
    void formatInputButtons(Strategy strategy);
    void formatOutputButtons(Strategy strategy);
    // Summary titles with the number of years the fields give.
    void formatOutputTitles(Strategy strategy);
    // Lays a strategy's tables out again and refills them from its results.
    void formatSummaryTable(Strategy strategy);
    void formatProjectionTable(Strategy strategy);
    void hideResults(bool show);
    // The setup dialog's values, when it closes.
    void applySetupValues(const SettingValues& values);
    // A client case: selects `strategy` (offered) and loads the fields from
    // `values`; the analysis waits for the caller.
    void loadFields(Strategy strategy, const SettingValues& values);
    // The fields as an analysis reads them.
    AnalysisInputs currentInputs() const;
    // Writes the settings the window's fields hold, and whether the detailed
    // projection shows, into `values` (for Save Defaults).
    void storeValues(SettingValues& values) const;
    // The help topic of the output page on show.
    int outputHelpTopic() const;
    // The topic F1 opens: the input page's while the focus is on the input
    // side, else the output page's.
    int helpTopic() const;
    static constexpr int kInputsHelpTopic = 201;
    // The results of the last analysis that succeeded, if any.
    const std::optional<AnalysisResults>& lastResults() const { return lastResults_; }
    // The last results of one strategy, if it has run.
    const std::optional<AnalysisResults>& resultsOf(Strategy strategy) const;

    QString statusText() const;
    // The status bar hint, by caption key; a language switch re-captions it.
    void setStatusHint(std::string key, std::vector<std::string> values = {});
    // A hint whose values are asked for each time it is captioned.
    void setStatusHint(std::string key, InputChecks::StatusValues values);

    InputPanel& inputs() { return *inputs_; }
    const InputPanel& inputs() const { return *inputs_; }
    OutputPanel& outputs() { return *outputs_; }
    OutcomesPanel& outcomes() { return *outcomes_; }
    // The range of outcomes of the selected strategy's last analysis with the
    // tab's fields, for printing: the tab's own when it shows them, else
    // worked out now (the same figures). Nullopt without an analysis, with
    // auto-calculation off, or when the inputs are refused.
    std::optional<OutcomeResults> outcomesForPrint();
    OutcomeJobs& outcomeJobs() { return *outcomeJobs_; }
    // The output tab of the range of outcomes.
    static constexpr int kOutcomesTab = 4;
    static constexpr int kOutcomesHelpTopic = 813;
    InputChecks& checks() { return checks_; }

signals:
    // Handled by the windows that later issues add.
    void printRequested();
    void setupRequested(int tab);
    void aboutRequested();
    void advancedDetailsRequested();
    void customInvestmentMixRequested();
    // An analysis of the strategy finished and its results are ready to show.
    void analysisCompleted(gw::Strategy strategy);

public:
    // The controls, under their object names.
    QLabel* lblStrategyHeader = nullptr;
    QListWidget* lstStrategyList = nullptr;
    QTabWidget* tabInputs = nullptr;
    QPushButton* cmdBack_Input = nullptr;
    QPushButton* cmdNext_Input = nullptr;
    QPushButton* cmdAdvancedSettings_Input = nullptr;
    QPushButton* cmdAutoCalc = nullptr;
    QLabel* lblCurrentStrategy = nullptr;
    QTabWidget* tabOutputs = nullptr;
    QFrame* picHideResults = nullptr;
    QLabel* lblHideResultsMessage = nullptr;
    QPushButton* cmdBack_Output = nullptr;
    QPushButton* cmdNext_Output = nullptr;
    QPushButton* cmdHelp = nullptr;
    QPushButton* cmdAdvancedSettings_Output = nullptr;
    QPushButton* cmdPrint = nullptr;
    QLabel* stsStatusPanel = nullptr;

    QMenu* mnuFile = nullptr;
    QAction* mnuSaveDefaults = nullptr;
    QAction* mnuPrint = nullptr;
    QMenu* mnuExport = nullptr;
    // By OutputExport::Kind: summary table, projection table, summary
    // chart, projection chart, range-of-outcomes table and chart.
    std::array<QAction*, 6> mnuExportItem{};
    QAction* mnuExit = nullptr;
    QMenu* mnuSetup = nullptr;
    std::array<QAction*, 4> mnuSetupItem{};  // 1..3
    QMenu* mnuHelp = nullptr;
    QAction* mnuHelpMenu0 = nullptr;
    QMenu* mnuGeneral1 = nullptr;
    std::array<QAction*, 6> mnuGeneralNotes1{};
    QMenu* mnuAnalysis1 = nullptr;
    QAction* mnuIntOnly1 = nullptr;
    QAction* mnuTermLoans1 = nullptr;
    QAction* mnuRRSPLoans1 = nullptr;
    std::array<QAction*, 2> mnuAboutCorvin{};
    QAction* mnuAboutSponsor = nullptr;
    QAction* mnuAboutSoftware = nullptr;

private:
    void buildMenus();
    void orderTabs();
    void buildInputSide(QWidget* parent);
    void buildOutputSide(QWidget* parent);
    void strategyChanged();
    // The list lost its current row (`row`): says so and selects strategy()
    // again.
    void errorAnalysis(int row);
    void toggleAutoCalc();
    void toggleAdvancedView();
    void stepTab(QTabWidget* tabs, int delta);
    void saveDefaults();
    // File > Export of the selected strategy's results; none while
    // auto-calculation is off, as they may not match the fields.
    void exportOutput(int kind);
    void showHelpTopic(int contextNumber);
    QString caption(std::string_view key, const std::vector<std::string>& values = {}) const;
    // Starts a range-of-outcomes run on the last analysis and the tab's
    // fields while the tab shows and they changed since the last run;
    // clears the tab when there is no analysis to run on.
    void refreshOutcomes();
    void showOutcomes(const OutcomeResults& results);
    // The tab's fields as the settings hold them.
    static OutcomeOptions outcomeOptionsFrom(const SettingValues& values);
    std::vector<std::string> outcomeSentences(const OutcomeResults& results) const;
    // The notes of a strategy's last results, worked out once per analysis
    // and language.
    QString notesFor(Strategy strategy);

    MainWindowServices services_;
    const CaptionSource& captions_;
    MessageService& messages_;
    InputChecks checks_;
    std::unique_ptr<AnalysisState> state_;  // the default runner's
    std::optional<AnalysisResults> lastResults_;
    // What the last successful analysis ran on, and what the range of
    // outcomes on show (or on its way) was asked for.
    struct OutcomeRequest {
        Strategy strategy = Strategy::InterestOnly;
        AnalysisInputs inputs;
        OutcomeOptions options;
        bool operator==(const OutcomeRequest&) const = default;
    };
    std::optional<std::pair<Strategy, AnalysisInputs>> analysed_;
    std::optional<OutcomeRequest> outcomeRequest_;
    OutcomesPanel* outcomes_ = nullptr;
    std::unique_ptr<OutcomeJobs> outcomeJobs_;
    InputPanel* inputs_ = nullptr;
    OutputPanel* outputs_ = nullptr;
    std::unique_ptr<OutputExport> export_;
    QWidget* inputSide_ = nullptr;
    SponsorInfo sponsor_;
    bool isSponsored_ = false;
    bool autoCalculate_ = false;
    bool windowReady_ = false;
    bool advancedView_ = false;
    std::optional<Language> captionLanguage_;  // none before the first captions
    std::string statusKey_;
    InputChecks::StatusValues statusValues_;
    std::array<QString, kStrategies.size()> notes_;
    std::array<bool, kStrategies.size()> notesStale_{true, true, true};
};

} // namespace gw
