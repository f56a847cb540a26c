#include "outcomejobs.h"

#include <atomic>
#include <exception>
#include <thread>

namespace gw {

struct OutcomeJobs::Job {
    int generation = 0;
    std::atomic<bool> cancelled{false};
    std::atomic<bool> over{false};
    std::atomic<int> done{0};
    std::atomic<int> total{0};
    std::thread thread;
};

OutcomeJobs::OutcomeJobs(Runner runner, QObject* parent) : QObject(parent), runner_(std::move(runner))
{
    delay_.setSingleShot(true);
    delay_.setInterval(kProgressDelayMs);
    ticks_.setInterval(100);
    connect(&delay_, &QTimer::timeout, this, [this] {
        tick();
        ticks_.start();
    });
    connect(&ticks_, &QTimer::timeout, this, [this] { tick(); });
}

OutcomeJobs::~OutcomeJobs()
{
    for (const auto& job : jobs_)
        job->cancelled = true;
    for (const auto& job : jobs_) {
        if (job->thread.joinable())
            job->thread.join();
    }
}

void OutcomeJobs::start(Strategy strategy, const AnalysisInputs& in, const OutcomeOptions& options)
{
    cancel();
    reapFinished();
    auto job = std::make_shared<Job>();
    job->generation = ++generation_;
    newest_ = job;
    jobs_.push_back(job);
    delay_.start();
    // The thread holds only its job and copies of what it runs on; it
    // reports through queued calls, which Qt drops once this object is gone
    // (the destructor joins the threads first).
    job->thread = std::thread([this, job, runner = runner_, strategy, in, options] {
        const OutcomeProgress progress = [job](int done, int total) {
            job->done = done;
            job->total = total;
            return !job->cancelled.load();
        };
        std::optional<OutcomeResults> results;
        QString error;
        try {
            results = runner(strategy, in, options, progress);
        } catch (const std::exception& e) {
            error = QString::fromStdString(e.what());
        }
        job->over = true;
        const int generation = job->generation;
        if (job->cancelled)
            return;
        QMetaObject::invokeMethod(
            this,
            [this, generation, results = std::move(results), error] {
                if (!newest_ || newest_->generation != generation || newest_->cancelled)
                    return;
                settle(generation);
                if (results)
                    emit finished(*results);
                else if (!error.isEmpty())
                    emit failed(error);
            },
            Qt::QueuedConnection);
    });
}

void OutcomeJobs::cancel()
{
    if (newest_)
        newest_->cancelled = true;
    if (newest_ || delay_.isActive() || ticks_.isActive()) {
        newest_.reset();
        delay_.stop();
        ticks_.stop();
        emit progressed(-1, 0);
    }
}

void OutcomeJobs::settle(int generation)
{
    if (newest_ && newest_->generation == generation)
        newest_.reset();
    delay_.stop();
    ticks_.stop();
    emit progressed(-1, 0);
    reapFinished();
}

void OutcomeJobs::reapFinished()
{
    for (auto it = jobs_.begin(); it != jobs_.end();) {
        if ((*it)->over && *it != newest_) {
            if ((*it)->thread.joinable())
                (*it)->thread.join();
            it = jobs_.erase(it);
        } else {
            ++it;
        }
    }
}

void OutcomeJobs::tick()
{
    if (newest_ && !newest_->over)
        emit progressed(newest_->done, std::max(1, newest_->total.load()));
}

} // namespace gw
