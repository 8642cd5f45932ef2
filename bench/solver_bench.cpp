// The solver table: fewest marbles from every variant's start, how quickly "can one marble
// still be left?" is decided on positions of random games, and what a player who follows every
// hint from the start of the large boards is left with.
//
// Extra flags, before the usual benchmark ones:
//   --solver_small_seconds=N  processor-time limit per variant of up to 37 holes (default 10)
//   --solver_large_seconds=N  processor-time limit per larger variant (default 60)
//   --solver_games=N          random games per variant for the decision times (default 100)
//   --solver_table_mb=N       table size (default 32, what the game gives each solver)
//   --solver_think_seconds=N  processor time the hint's solver works between two jumps of a
//                             player who follows the hints (default 3; 0: no work before a hint)
#include "app/assist/known_jumps.h"
#include "app/assist/solver_questions.h"
#include "game/position.h"
#include "game/variants.h"
#include "solver/hint_worker.h"
#include "solver/solver.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstring>
#include <ctime>
#include <mutex>
#include <pthread.h>
#include <random>
#include <string>
#include <thread>
#include <vector>

using namespace marvolen;
using namespace marvolen::solver;

namespace {

int g_smallSeconds = 10;
int g_largeSeconds = 60;
int g_games = 100;
std::size_t g_tableBytes = std::size_t{32} * 1024 * 1024;
double g_thinkSeconds = 3.0;

Mask holesOf(int variant) {
    return maskFromPattern(game::variant(variant).pattern);
}
Mask startOf(int variant) {
    return holesOf(variant) & ~(Mask{1} << game::kCentre);
}

/// Seconds of processor time this thread has used: on a machine shared with others the wall
/// clock also counts their work, this does not.
double threadSeconds() {
#ifdef CLOCK_THREAD_CPUTIME_ID
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
#else
    return double(std::clock()) / CLOCKS_PER_SEC;
#endif
}

/// Stops a search when the thread that made it has used `seconds` of processor time: the
/// solver's own deadline is on the wall clock, which on a shared machine counts others' work.
class CpuLimit {
  public:
    explicit CpuLimit(double seconds) : m_seconds(seconds) {
        pthread_getcpuclockid(pthread_self(), &m_clock);
        m_watcher = std::thread([this] { watch(); });
    }
    ~CpuLimit() {
        {
            std::lock_guard lock(m_mutex);
            m_done = true;
        }
        m_wake.notify_all();
        m_watcher.join();
    }
    const std::atomic<bool>* flag() const { return &m_stop; }

  private:
    double used() const {
        timespec now{};
        clock_gettime(m_clock, &now);
        return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
    }
    void watch() {
        const double start = used();
        std::unique_lock lock(m_mutex);
        while (!m_done) {
            if (used() - start >= m_seconds) {
                m_stop = true;
                return;
            }
            m_wake.wait_for(lock, std::chrono::milliseconds(2));
        }
    }

    double m_seconds;
    clockid_t m_clock{};
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_done = false;
    std::thread m_watcher;
};

void fewestFromStart(benchmark::State& state) {
    const int variant = int(state.range(0));
    const int holes = std::popcount(holesOf(variant));
    const int seconds = holes <= 37 ? g_smallSeconds : g_largeSeconds;
    Result result;
    double cpu = 0.0;
    for (auto _ : state) {
        const double startCpu = threadSeconds();
        Solver solver(holesOf(variant), g_tableBytes);
        CpuLimit limit(seconds);
        Limits limits;
        limits.stop = limit.flag();
        result = solver.solve(startOf(variant), limits);
        cpu = threadSeconds() - startCpu;
        benchmark::DoNotOptimize(result.best);
    }
    state.counters["cpu_s"] = cpu;
    state.counters["holes"] = holes;
    state.counters["fewest"] = result.best;
    state.counters["lower_bound"] = result.lowerBound;
    state.counters["proven"] = result.proven() ? 1 : 0;
    state.counters["nodes"] = double(result.nodes);
    state.counters["limit_s"] = seconds;
    state.counters["static_bound"] = Solver(holesOf(variant), 0).staticLowerBound(startOf(variant));
}

void reachOneDecision(benchmark::State& state) {
    const int variant = int(state.range(0));
    using Clock = std::chrono::steady_clock;
    int positions = 0, within100ms = 0, within1s = 0, small = 0, smallWithin100ms = 0;
    int smallWithin100msCpu = 0;
    for (auto _ : state) {
        std::mt19937 random(std::uint32_t(77 + variant));
        Solver solver(holesOf(variant), g_tableBytes); // one per board, as the game keeps it
        for (int game = 0; game < g_games; ++game) {
            Mask marbles = startOf(variant);
            for (;;) {
                Limits limits;
                const auto start = Clock::now();
                const double startCpu = threadSeconds();
                CpuLimit limit(0.25);
                limits.stop = limit.flag();
                const Reach reach = solver.canReachOne(marbles, limits);
                const auto took = Clock::now() - start;
                const double tookCpu = threadSeconds() - startCpu;
                const bool decided = reach != Reach::Undecided;
                const bool quick = decided && took <= std::chrono::milliseconds(100);
                ++positions;
                within100ms += quick;
                within1s += decided;
                if (std::popcount(marbles) <= 25) {
                    ++small;
                    smallWithin100ms += quick;
                    smallWithin100msCpu += decided && tookCpu <= 0.1;
                }
                const auto jumps = solver.legalJumps(marbles);
                if (jumps.empty())
                    break;
                marbles = applyJump(marbles, jumps[random() % jumps.size()]);
            }
        }
    }
    state.counters["positions"] = positions;
    state.counters["pct_100ms"] = 100.0 * within100ms / std::max(1, positions);
    state.counters["pct_1s"] = 100.0 * within1s / std::max(1, positions);
    state.counters["pct_100ms_le25"] = 100.0 * smallWithin100ms / std::max(1, small);
    state.counters["pct_100ms_cpu_le25"] = 100.0 * smallWithin100msCpu / std::max(1, small);
}

double processSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

/// A player who asks for a hint at the start and follows every hint to the end, as the practice
/// aids give them: between two jumps the hint's solver works on the position for the processor
/// time a player thinks (the process does nothing else meanwhile), then the hint is shown at once
/// when the solver is done with the position, else after the usual wait at most.
void followHints(benchmark::State& state) {
    using app::assist::KnownJumps;
    using app::assist::SolverAdvice;
    const int variant = int(state.range(0));
    int left = 0, hints = 0, atOnce = 0, waited = 0;
    double cpu = 0.0, longestWait = 0.0;
    for (auto _ : state) {
        std::mutex mutex;
        std::condition_variable told;
        std::vector<HintWorker::Answer> answers, learned;
        const auto into = [&](std::vector<HintWorker::Answer>& list) {
            return [&](const HintWorker::Answer& answer) {
                {
                    std::lock_guard lock(mutex);
                    list.push_back(answer);
                }
                told.notify_all();
            };
        };
        HintWorker worker(g_tableBytes, app::assist::kWorkTime, into(answers), into(learned));
        KnownJumps known;
        const auto learn = [&](const HintWorker::Answer& answer) {
            SolverAdvice advice;
            advice.position = game::Position(answer.holes, answer.marbles);
            for (const Jump& jump : answer.result.moves)
                advice.line.push_back({jump.from, jump.over, jump.to});
            advice.leaves = answer.result.best;
            advice.atLeast = answer.result.lowerBound;
            advice.finished = answer.finished;
            known.learn(advice);
        };
        const auto drain = [&] {
            std::vector<HintWorker::Answer> taken;
            {
                std::lock_guard lock(mutex);
                taken.swap(learned);
            }
            for (const auto& answer : taken)
                learn(answer);
        };
        const double startCpu = processSeconds();
        game::Position position(holesOf(variant), startOf(variant));
        bool first = true;
        while (position.firstJump()) {
            if (!first) {
                // The player thinks: the solver works until it is done or the time is used.
                const KnownJumps::Known* k = known.find(position);
                if (k && k->proven()) {
                    worker.stop();
                } else {
                    worker.follow(position.holes(), position.marbles());
                    const double from = processSeconds();
                    const auto until = std::chrono::steady_clock::now() + std::chrono::minutes(1);
                    for (;;) {
                        drain();
                        k = known.find(position);
                        if ((k && k->settled()) || processSeconds() - from >= g_thinkSeconds ||
                            std::chrono::steady_clock::now() >= until)
                            break;
                        std::this_thread::sleep_for(std::chrono::milliseconds(10));
                    }
                }
            }
            first = false;
            drain();
            ++hints;
            const KnownJumps::Known* k = known.find(position);
            if (k && k->settled()) {
                ++atOnce;
            } else {
                ++waited;
                const auto asked = std::chrono::steady_clock::now();
                const auto ticket =
                    worker.ask(position.holes(), position.marbles(), app::assist::kHintTime);
                std::unique_lock lock(mutex);
                told.wait(lock, [&] {
                    return std::any_of(answers.begin(), answers.end(),
                                       [&](const auto& a) { return a.ticket == ticket; });
                });
                for (const auto& answer : answers)
                    if (answer.ticket == ticket)
                        learn(answer);
                lock.unlock();
                longestWait =
                    std::max(longestWait,
                             std::chrono::duration<double>(std::chrono::steady_clock::now() - asked)
                                 .count());
                k = known.find(position);
            }
            position = position.apply(k ? k->jump : *position.firstJump());
        }
        worker.stop();
        left = position.marbleCount();
        cpu = processSeconds() - startCpu;
    }
    state.counters["left"] = left;
    state.counters["hints"] = hints;
    state.counters["at_once"] = atOnce;
    state.counters["waited"] = waited;
    state.counters["longest_wait_s"] = longestWait;
    state.counters["cpu_s"] = cpu;
    state.counters["think_s"] = g_thinkSeconds;
}

bool takeFlag(const char* arg, const char* name, long& value) {
    const std::size_t length = std::strlen(name);
    if (std::strncmp(arg, name, length) != 0 || arg[length] != '=')
        return false;
    value = std::stol(arg + length + 1);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        long value = 0;
        if (i > 0 && takeFlag(argv[i], "--solver_small_seconds", value))
            g_smallSeconds = int(value);
        else if (i > 0 && takeFlag(argv[i], "--solver_large_seconds", value))
            g_largeSeconds = int(value);
        else if (i > 0 && takeFlag(argv[i], "--solver_games", value))
            g_games = int(value);
        else if (i > 0 && takeFlag(argv[i], "--solver_table_mb", value))
            g_tableBytes = std::size_t(value) * 1024 * 1024;
        else if (i > 0 && takeFlag(argv[i], "--solver_think_seconds", value))
            g_thinkSeconds = double(value);
        else
            rest.push_back(argv[i]);
    }
    for (int v = 0; v < game::kVariants; ++v) {
        benchmark::RegisterBenchmark(("FewestFromStart/" + std::to_string(v)).c_str(),
                                     fewestFromStart)
            ->Arg(v)
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
    for (int v = 0; v < game::kVariants; ++v) {
        benchmark::RegisterBenchmark(("ReachOneDecision/" + std::to_string(v)).c_str(),
                                     reachOneDecision)
            ->Arg(v)
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
    for (const int v : {14, 15})
        benchmark::RegisterBenchmark("FollowHints", followHints)
            ->Arg(v)
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    int count = int(rest.size());
    benchmark::Initialize(&count, rest.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
