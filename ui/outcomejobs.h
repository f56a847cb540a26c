#pragma once

#include "outcomes.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <list>
#include <memory>
#include <optional>

namespace gw {

// The range-of-outcomes runs of the main window, each on a thread of its
// own so that the window never waits for one. Only the newest run counts: a
// new start cancels the older ones through their progress callback, and
// what an older run leaves is dropped. The progress shows only once a run
// has taken longer than kProgressDelayMs, and the results or the error come
// back on the window's thread.
class OutcomeJobs : public QObject {
    Q_OBJECT
public:
    // What a run calls: SimulateOutcomes, or a stand-in in tests.
    using Runner = std::function<std::optional<OutcomeResults>(Strategy, const AnalysisInputs&, const OutcomeOptions&,
                                                               const OutcomeProgress&)>;
    static constexpr int kProgressDelayMs = 300;

    explicit OutcomeJobs(Runner runner, QObject* parent = nullptr);
    // Cancels every run and waits for their threads.
    ~OutcomeJobs() override;

    void start(Strategy strategy, const AnalysisInputs& in, const OutcomeOptions& options);
    // The newest run is cancelled too; nothing more is reported.
    void cancel();
    bool running() const { return static_cast<bool>(newest_); }
    // Runs started so far, for tests.
    int started() const { return generation_; }

signals:
    void finished(const gw::OutcomeResults& results);
    void failed(const QString& message);
    // Paths done of `total` while a run takes long; done = -1 when no run
    // is going any more.
    void progressed(int done, int total);

private:
    struct Job;
    void settle(int generation);
    void reapFinished();
    void tick();

    Runner runner_;
    std::list<std::shared_ptr<Job>> jobs_;
    std::shared_ptr<Job> newest_;
    int generation_ = 0;
    QTimer delay_;
    QTimer ticks_;
};

} // namespace gw
