#pragma once

#include "captions.h"
#include "outcomes.h"
#include "tablewriters.h"

#include <QObject>
#include <QString>

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QChartView;
class QEvent;
class QLabel;
class QLineEdit;
class QProgressBar;
class QTableWidget;
class QTextEdit;
class QWidget;
QT_BEGIN_NAMESPACE
class QChart;
QT_END_NAMESPACE

namespace gw {

class CaptionSource;
class InputChecks;
class UpDown;

// The values the fan chart compares: interest-only and term loans the
// leveraged net value against the unleveraged one, RRSP loans the catch-up
// plan against the contribution grossed up by the refund.
std::array<std::string_view, 2> FanSeriesKeys(Strategy strategy);

// Gives an empty chart the fan chart's series: for each of the two values
// the 10th-90th band, the 25th-75th band (areas between line series) and
// the median line, areas first so that the medians lie on top; year and
// money axes as the projection chart's.
void SetUpOutcomeChart(QChart& chart);
// The series' figures in thousands of dollars, one point per year; a
// record without the series empties the chart.
void FillOutcomeChart(QChart& chart, const OutcomeResults& results);

// The horizon figures' table: its columns and its one row.
std::vector<TableColumn> OutcomeColumns(Strategy strategy, int horizon, const CaptionSource& captions);
TableFigures OutcomeFigures(const OutcomeResults& results);

// The "Range of Outcomes" output page (tabOutcomes): the volatility, paths
// and seed fields with their checks, a progress bar while a run takes long,
// the fan chart, the horizon table and the sentences. It shows the records
// it is given; the window decides when to run and with what.
class OutcomesPanel : public QObject {
    Q_OBJECT
public:
    OutcomesPanel(const CaptionSource& captions, InputChecks& checks, QObject* parent = nullptr);

    // The fields from the settings; `replacements` are what a field that
    // holds no number gets.
    void setOptions(const OutcomeOptions& options);
    void setReplacements(const OutcomeOptions& replacements) { replacements_ = replacements; }
    // The fields' values (threads left at 0).
    OutcomeOptions options() const;
    // The volatility field alone (a new investment mix), without a check.
    void setVolatility(double percent);

    void formatCaptions();
    // Rewrites the fields in the current language after a switch.
    void rewriteForLanguage(Language previousLanguage);
    // Chart labels and table heads of `strategy`; figures of another
    // strategy go.
    void showStrategy(Strategy strategy);
    // The title with the years a run would cover, until results show theirs.
    void formatTitle(int years);

    // The results of a run and their sentences, in the current language.
    void showResults(const OutcomeResults& results, const std::vector<std::string>& sentences);
    // Sentences again, after a language switch.
    void setSentences(const std::vector<std::string>& sentences);
    // A run that failed: its message where the sentences go, nothing else.
    void showError(const QString& message);
    // No figures: the strategy has no results, or they are stale.
    void clear();
    const std::optional<OutcomeResults>& results() const { return results_; }

    // The progress bar: shown from `done` of `total` on, hidden by -1.
    void showProgress(int done, int total);

    // The leave chains, which tests may call.
    void leaveVolatility();
    void leaveOutcomePaths();
    void leaveOutcomeSeed();

    QWidget* page = nullptr;
    QLabel* lblOutcomesTitle = nullptr;
    QLabel* lblVolatility = nullptr;
    QLineEdit* txtVolatility = nullptr;
    UpDown* updVolatility = nullptr;
    QLabel* lblOutcomePaths = nullptr;
    QLineEdit* txtOutcomePaths = nullptr;
    UpDown* updOutcomePaths = nullptr;
    QLabel* lblOutcomeSeed = nullptr;
    QLineEdit* txtOutcomeSeed = nullptr;
    UpDown* updOutcomeSeed = nullptr;
    QProgressBar* prbOutcomes = nullptr;
    QChartView* chtOutcomes = nullptr;
    QTableWidget* grdOutcomes = nullptr;
    QTextEdit* txtOutcomeSentences = nullptr;

signals:
    // A field was left with another value than it had.
    void optionsChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void leave(QLineEdit& box, UpDown& spinner, const QString& label, std::string_view pattern, double low, double high,
               double replacement, bool whole);
    void labelChart();
    void writeTable();
    QString caption(std::string_view key, const std::vector<std::string>& values = {}) const;

    const CaptionSource& captions_;
    InputChecks& checks_;
    OutcomeOptions replacements_{16, kDefaultOutcomePaths, kDefaultOutcomeSeed, 0};
    std::optional<OutcomeResults> results_;
    Strategy strategy_ = Strategy::InterestOnly;  // whose captions the chart and table show
    int years_ = 0;
    OutcomeOptions announced_;  // the fields' values when last set or announced
    bool inLeave_ = false;
};

} // namespace gw
