#include "outcomes.h"

#include "dispatch.h"
#include "error.h"
#include "finance.h"
#include "numformat.h"
#include "outcome_draws.h"
#include "outcome_percentiles.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace gw {

namespace {

// Paths a worker takes at a time: small enough to cancel within a
// millisecond, large enough that taking them costs nothing.
constexpr int kChunk = 64;
// The progress callback hears at most this often.
constexpr int kProgressStep = 256;

// Values per stored series, year and path: [(series * years + year - 1) *
// paths + path], so that one year's values across paths are contiguous.
class PathValues {
public:
    PathValues(int series, int years, int paths)
        : years_(years), paths_(paths), values_(static_cast<std::size_t>(series) * years * paths)
    {
    }
    double* row(int series, int year)
    {
        return values_.data() + (static_cast<std::size_t>(series) * years_ + (year - 1)) * paths_;
    }

private:
    int years_;
    int paths_;
    std::vector<double> values_;
};

// Runs `work(thread)` on `threads` threads, the calling thread among them,
// and rethrows the first exception one of them let out.
template <typename Work>
void runOnThreads(int threads, Work work)
{
    std::exception_ptr failure;
    std::mutex failureMutex;
    auto guarded = [&](int t) {
        try {
            work(t);
        } catch (...) {
            const std::lock_guard lock(failureMutex);
            if (!failure)
                failure = std::current_exception();
        }
    };
    std::vector<std::thread> others;
    others.reserve(static_cast<std::size_t>(threads - 1));
    for (int t = 1; t < threads; ++t)
        others.emplace_back(guarded, t);
    guarded(0);
    for (std::thread& thread : others)
        thread.join();
    if (failure)
        std::rethrow_exception(failure);
}

// What each strategy runs per path. Stored series come first in the order
// of the results; "difference" is stored[minuend] - stored[subtrahend].

struct IntOnlyModel {
    static constexpr std::array<std::string_view, 2> keys{"leveraged", "unleveraged"};
    static constexpr int minuend = 0, subtrahend = 1;

    GenericInvestment inv;
    IntOnlyLoan loan;

    explicit IntOnlyModel(const AnalysisInputs& in) : inv(BuildIntOnlyInvestment(in)), loan(BuildIntOnlyLoan(in)) {}
    int horizon() const { return inv.NPeriods; }

    struct Scratch {
        GenericInvestment inv;
        IntOnlySlot slot;
    };
    std::unique_ptr<Scratch> scratch() const { return std::make_unique<Scratch>(Scratch{inv, {}}); }

    // Returns whether the leveraged net value is below 0 in some year.
    template <typename Put>
    bool run(Scratch& s, const YearArray& returns, Put put) const
    {
        s.inv.ReturnByPeriod = &returns;
        CalcIntOnlyLevAnalysis(s.inv, loan, s.slot);
        return store(s.slot, s.inv.NPeriods, put);
    }

    template <typename Slot, typename Put>
    static bool store(const Slot& slot, int n, Put put)
    {
        bool underwater = false;
        for (int y = 1; y <= n; ++y) {
            const double net = slot.Detail.NetBalancePayoff[y];
            underwater = underwater || net < 0;
            put(0, y, net);
            put(1, y, slot.NoLevFV.BTBalance[y]);
        }
        return underwater;
    }
};

struct TermModel {
    static constexpr std::array<std::string_view, 2> keys{"leveraged", "unleveraged"};
    static constexpr int minuend = 0, subtrahend = 1;

    GenericInvestment inv;
    TermLoan loan;

    explicit TermModel(const AnalysisInputs& in) : inv(BuildTermInvestment(in)), loan(BuildTermLoan(in)) {}
    int horizon() const { return inv.NPeriods; }

    struct Scratch {
        GenericInvestment inv;
        TermSlot slot;
    };
    std::unique_ptr<Scratch> scratch() const { return std::make_unique<Scratch>(Scratch{inv, {}}); }

    template <typename Put>
    bool run(Scratch& s, const YearArray& returns, Put put) const
    {
        s.inv.ReturnByPeriod = &returns;
        CalcTermLevAnalysis(s.inv, loan, s.slot);
        return IntOnlyModel::store(s.slot, s.inv.NPeriods, put);
    }
};

struct RRSPModel {
    static constexpr std::array<std::string_view, 4> keys{"catch_up", "spend_refund", "reinvest_refund", "gross_up"};
    static constexpr int minuend = 0, subtrahend = 3;

    std::unique_ptr<RRSPState> built = std::make_unique<RRSPState>();
    YearArray owed{};  // the catch-up loan still owed at each year end

    explicit RRSPModel(const AnalysisInputs& in)
    {
        BuildRRSPAnalysis(in, *built);
        const RRSPLoan& loan = built->Loan;
        const int n = loan.NLoanPeriods;
        // Start-of-year payments: at a year end the loan owes the present
        // value of those still due, the next one due at once. The horizon can
        // run past the last loan when the savings period was rounded.
        for (int y = 1; y <= horizon(); ++y) {
            const int loanIndex = (y - 1) / n;
            const int paid = (y - 1) % n + 1;
            owed[y] = loanIndex > loan.NLoanRepeats || paid == n
                          ? 0
                          : built->RRSPAnnualInvestment * AnnuityDueFactor(loan.LoanInterestRate, n - paid);
        }
    }
    int horizon() const { return built->CatchUpLoan.NPeriods; }

    struct Scratch {
        std::array<DeferredInvestment, 4> plans;
        std::array<DeferredFutureValue, 4> values;
    };
    std::unique_ptr<Scratch> scratch() const
    {
        return std::make_unique<Scratch>(
            Scratch{{built->CatchUpLoan, built->SpendRefund, built->ReinvestRefund, built->GrossUp}, {}});
    }

    template <typename Put>
    bool run(Scratch& s, const YearArray& returns, Put put) const
    {
        for (DeferredInvestment& plan : s.plans)
            plan.ReturnByPeriod = &returns;
        CalcRRSPVariants(s.plans[0], s.plans[1], s.plans[2], s.plans[3], built->Loan, s.values[0], s.values[1],
                         s.values[2], s.values[3]);
        bool underwater = false;
        for (int y = 1; y <= horizon(); ++y) {
            underwater = underwater || s.values[0].BTBalance[y] - owed[y] < 0;
            for (int k = 0; k < 4; ++k)
                put(k, y, s.values[k].BTBalance[y]);
        }
        return underwater;
    }
};

void checkOptions(const OutcomeOptions& options)
{
    if (options.paths < kMinOutcomePaths || options.paths > kMaxOutcomePaths)
        throw AnalysisError("a range of outcomes needs " + std::to_string(kMinOutcomePaths) + " to "
                            + std::to_string(kMaxOutcomePaths) + " paths, not " + std::to_string(options.paths));
    if (!std::isfinite(options.volatility) || options.volatility < 0 || options.volatility > kMaxVolatility)
        throw AnalysisError("a volatility of " + ErrorNumber(options.volatility) + " % is outside 0 to "
                            + ErrorNumber(kMaxVolatility) + " %");
    if (options.threads < 0)
        throw AnalysisError("a range of outcomes cannot run on " + std::to_string(options.threads) + " threads");
}

int threadCount(const OutcomeOptions& options, int chunks)
{
    int threads = options.threads;
    if (threads == 0)
        threads = static_cast<int>(std::thread::hardware_concurrency());
    return std::clamp(threads, 1, std::max(chunks, 1));
}

template <typename Model>
std::optional<OutcomeResults> simulate(Strategy strategy, const AnalysisInputs& in, const OutcomeOptions& options,
                                       const OutcomeProgress& progress)
{
    const Model model(in);
    constexpr int stored = static_cast<int>(Model::keys.size());
    const int years = model.horizon();
    const int paths = options.paths;
    const double mean = in.projectionReturn / 100;
    const double volatility = options.volatility / 100;
    if (volatility > 0 && !(mean > -1))
        throw AnalysisError("a projection return of " + ErrorNumber(in.projectionReturn)
                            + " % leaves no range of outcomes; it must be above -100 %");
    const draws::ReturnLaw law = draws::MakeReturnLaw(mean, volatility);

    PathValues values(stored, years, paths);
    const int chunks = (paths + kChunk - 1) / kChunk;
    const int threads = threadCount(options, chunks);

    std::atomic<int> nextChunk{0};
    std::atomic<int> done{0};
    std::atomic<bool> stop{false};
    std::atomic<int> underwater{0};
    std::mutex progressMutex;  // one call at a time, in order of the count
    std::atomic<int> reported{0};

    runOnThreads(threads, [&](int) {
        const auto scratch = model.scratch();
        // A chunk's values gather here and go out a row at a time: written
        // straight to the rows, every value would touch its own cache line.
        std::vector<double> block(static_cast<std::size_t>(stored) * years * kChunk);
        YearArray returns{};
        int sunk = 0;
        try {
            for (int chunk = nextChunk++; chunk < chunks && !stop; chunk = nextChunk++) {
                const int first = chunk * kChunk;
                const int last = std::min(first + kChunk, paths);
                for (int p = first; p < last; ++p) {
                    draws::DrawPathReturns(law, options.seed, p, years, returns);
                    try {
                        double* const column = block.data() + (p - first);
                        sunk += model.run(*scratch, returns, [&](int series, int y, double v) {
                            column[(static_cast<std::size_t>(series) * years + (y - 1)) * kChunk] = v;
                        });
                    } catch (const AnalysisError& e) {
                        throw AnalysisError("on path " + std::to_string(p + 1) + " of the range of outcomes: "
                                            + e.what());
                    }
                }
                for (int k = 0; k < stored; ++k) {
                    for (int y = 1; y <= years; ++y)
                        std::copy_n(block.data() + (static_cast<std::size_t>(k) * years + (y - 1)) * kChunk,
                                    last - first, values.row(k, y) + first);
                }
                const int now = done += last - first;
                if (progress && (now - reported >= kProgressStep || now == paths)) {
                    // A worker never waits for another's report, but the
                    // last one always comes.
                    std::unique_lock lock(progressMutex, std::defer_lock);
                    if (now == paths)
                        lock.lock();
                    else if (!lock.try_lock())
                        continue;
                    const int latest = done;
                    if (latest > reported && !stop) {
                        reported = latest;
                        if (!progress(latest, paths))
                            stop = true;
                    }
                }
            }
        } catch (...) {
            stop = true;
            throw;
        }
        underwater += sunk;
    });
    if (stop)
        return std::nullopt;

    OutcomeResults results;
    results.strategy = strategy;
    results.horizon = years;
    results.paths = paths;
    results.mean_return = mean;
    results.volatility = volatility;
    results.seed = options.seed;
    results.series.resize(stored + 1);
    for (int k = 0; k < stored; ++k)
        results.series[k].key = Model::keys[k];
    results.series[stored].key = "difference";
    for (OutcomeSeries& series : results.series)
        series.percentiles.resize(static_cast<std::size_t>(years));

    // Year by year: the differences first, then each series in place.
    std::atomic<int> nextYear{1};
    int behind = 0;
    runOnThreads(std::min(threads, years), [&](int) {
        outcome::RankSelector selector;
        std::vector<double> difference(static_cast<std::size_t>(paths));
        for (int y = nextYear++; y <= years; y = nextYear++) {
            const double* a = values.row(Model::minuend, y);
            const double* b = values.row(Model::subtrahend, y);
            for (int p = 0; p < paths; ++p)
                difference[p] = a[p] - b[p];
            if (y == years)
                behind = static_cast<int>(std::count_if(difference.begin(), difference.end(),
                                                        [](double d) { return d < 0; }));
            results.series[stored].percentiles[y - 1] =
                outcome::PercentilesOf(difference.data(), paths, selector);
            for (int k = 0; k < stored; ++k)
                results.series[k].percentiles[y - 1] = outcome::PercentilesOf(values.row(k, y), paths, selector);
        }
    });

    results.probability_behind = static_cast<double>(behind) / paths;
    results.probability_underwater = static_cast<double>(underwater.load()) / paths;
    results.difference_at_horizon = results.series[stored].percentiles.back();
    return results;
}

} // namespace

const OutcomeSeries* OutcomeResults::find(std::string_view key) const
{
    for (const OutcomeSeries& s : series) {
        if (s.key == key)
            return &s;
    }
    return nullptr;
}

double DefaultVolatility(const std::array<double, 4>& breakdown)
{
    constexpr std::array<double, kInvestmentTypePresets.size()> presetVolatility{16, 16, 16, 10, 14, 5};
    for (std::size_t k = 0; k < kInvestmentTypePresets.size(); ++k) {
        if (kInvestmentTypePresets[k] == breakdown)
            return presetVolatility[k];
    }
    double interest = breakdown[kInterest];
    interest = std::isfinite(interest) ? std::clamp(interest, 0.0, 100.0) : 0;
    const double blend = 16 * (100 - interest) / 100 + 5 * interest / 100;
    return std::round(blend * 10) / 10;
}

std::optional<OutcomeResults> SimulateOutcomes(Strategy strategy, const AnalysisInputs& in,
                                               const OutcomeOptions& options, const OutcomeProgress& progress)
{
    checkOptions(options);
    // What the deterministic analysis refuses, the simulation refuses with
    // the same message.
    {
        auto state = std::make_unique<AnalysisState>();
        const AnalysisOutcome outcome = RunAnalysis(strategy, in, *state);
        if (!outcome.ok())
            throw AnalysisError(outcome.error);
    }
    switch (strategy) {
    case Strategy::InterestOnly:
        return simulate<IntOnlyModel>(strategy, in, options, progress);
    case Strategy::TermLoan:
        return simulate<TermModel>(strategy, in, options, progress);
    case Strategy::RRSP:
        return simulate<RRSPModel>(strategy, in, options, progress);
    }
    throw AnalysisError("analysis type " + std::to_string(Index(strategy)) + " has no range of outcomes");
}

} // namespace gw
