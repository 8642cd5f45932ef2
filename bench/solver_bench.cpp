// The solver table: per variant, the fewest marbles from the start, how quickly "can one marble
// still be left?" is decided on positions of random games, whether the hint's jump keeps a
// position's fewest count, and what a player who follows every hint is left with.
//
// Every time is processor time: the machine it runs on is shared, and the wall clock would count
// others' work. The benchmark's "Time" column is the processor time of the work measured (set by
// hand), its "CPU" column that of the whole process. After the benchmarks, the table of all the
// variants that ran is printed in Markdown, with every position where following the hints missed
// its proven optimum.
//
// Extra flags, before the usual benchmark ones:
//   --solver_variants=A,B,...   variants to measure (default all)
//   --solver_small_seconds=N    limit for the fewest marbles of a variant of up to 37 holes, from
//                               its start and from the positions asked about (default 10)
//   --solver_large_seconds=N    the same for larger variants (default 60)
//   --solver_games=N            random games per variant of up to 37 holes for the decision
//                               times (default 100)
//   --solver_large_games=N      the same for larger variants (default 10: a position of many
//                               marbles is often undecided, and takes its whole second)
//   --solver_positions=N        positions per variant of up to 37 holes whose hint's jump is
//                               checked (default 30)
//   --solver_large_positions=N  the same for larger variants (default 10)
//   --solver_seeds=N            starts after random jumps for following the hints (default 2)
//   --solver_random_jumps=N     random jumps before following the hints from them (default 6)
//   --solver_table_mb=N         table size (default 32, what the game gives each solver)
//   --solver_think_seconds=N    processor time the hint's solver works between two jumps of a
//                               player who follows the hints (default 3; 0: no work before a hint)
#include "app/assist/known_jumps.h"
#include "app/assist/solver_questions.h"
#include "app/assist/start_lines.h"
#include "game/position.h"
#include "game/variants.h"
#include "solver/hint_worker.h"
#include "solver/solver.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <mutex>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

using namespace marvolen;
using namespace marvolen::solver;

namespace {

int g_smallSeconds = 10;
int g_largeSeconds = 60;
int g_games = 100;
int g_largeGames = 10;
int g_positions = 30;
int g_largePositions = 10;
int g_seeds = 2;
int g_randomJumps = 6;
std::size_t g_tableBytes = std::size_t{32} * 1024 * 1024;
double g_thinkSeconds = 3.0;
std::vector<int> g_variants;

/// The game's hint budget, counted here as processor time.
const double kHintSeconds = std::chrono::duration<double>(app::assist::kHintTime).count();

Mask holesOf(int variant) {
    return maskFromPattern(game::variant(variant).pattern);
}
Mask startOf(int variant) {
    return holesOf(variant) & ~(Mask{1} << game::kCentre);
}
bool large(int variant) {
    return std::popcount(holesOf(variant)) > 37;
}
int limitSeconds(int variant) {
    return large(variant) ? g_largeSeconds : g_smallSeconds;
}

double secondsOn(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}
/// Seconds of processor time this thread has used: on a machine shared with others the wall
/// clock also counts their work, this does not.
double threadSeconds() {
    return secondsOn(CLOCK_THREAD_CPUTIME_ID);
}
double processSeconds() {
    return secondsOn(CLOCK_PROCESS_CPUTIME_ID);
}

/// Processor time, of the thread that reads it or of the whole process: the deadlines of the
/// searches measured are counted on it.
class ProcessorTime : public Clock {
  public:
    explicit ProcessorTime(clockid_t clock) : m_clock(clock) {}
    std::chrono::nanoseconds now() const override {
        return std::chrono::nanoseconds(std::int64_t(secondsOn(m_clock) * 1e9));
    }

  private:
    clockid_t m_clock;
};
const ProcessorTime g_threadTime(CLOCK_THREAD_CPUTIME_ID);
const ProcessorTime g_processTime(CLOCK_PROCESS_CPUTIME_ID);

/// Limits of `seconds` of this thread's processor time.
Limits cpuLimit(double seconds) {
    return Limits::within(std::chrono::duration<double>(seconds), g_threadTime);
}

/// `solver.solve` with a processor-time limit.
Result solveWithin(Solver& solver, Mask marbles, double seconds) {
    return solver.solve(marbles, cpuLimit(seconds));
}

std::string boardText(Mask holes, Mask marbles) {
    std::string text;
    for (int row = 0; row < kSide; ++row) {
        text += "    ";
        for (int column = 0; column < kSide; ++column) {
            const int p = row * kSide + column;
            text += (marbles >> p & 1) ? 'o' : (holes >> p & 1) ? '.' : ' ';
        }
        text += '\n';
    }
    return text;
}

std::string hex(Mask mask) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%013llx", static_cast<unsigned long long>(mask));
    return text;
}

/// A position's fewest marbles as the table shows it: proven, or the best found above a bound.
struct Fewest {
    int best = 0;
    int lowerBound = 0;
    bool proven() const { return best == lowerBound; }
    std::string text() const {
        return proven() ? std::to_string(best)
                        : std::to_string(best) + " (>= " + std::to_string(lowerBound) + ")";
    }
};

/// One run of following the hints.
struct Followed {
    int seed = 0; ///< 0: from the start, else the seed of the random jumps before it
    Mask from = 0;
    Fewest optimum;
    int left = 0;
    double cpu = 0.0;
    int thinkingCut = 0; ///< thinking ended on the wall clock, not on processor time
    std::string lost;    ///< where a run that missed the optimum lost it
};

/// One hint followed: the position, the jump shown and what the hint knew of it.
struct Step {
    Mask marbles = 0;
    Jump jump;
    int leaves = 0;
    bool proven = false;
    bool atOnce = false;
};

/// The first hint of `path` after which its position's fewest count, `optimum`, can no longer
/// be left, proven with the long limit; or where the prover could not tell.
std::string whereLost(int variant, const std::vector<Step>& path, int optimum) {
    Solver prover(holesOf(variant), g_tableBytes);
    for (std::size_t i = 0; i < path.size(); ++i) {
        const Step& step = path[i];
        const Mask after = applyJump(step.marbles, step.jump);
        const Result result = solveWithin(prover, after, limitSeconds(variant));
        if (result.best == optimum)
            continue;
        const std::string hint =
            "hint " + std::to_string(i + 1) + " from " + hex(step.marbles) + ", jump " +
            std::to_string(step.jump.from) + "-" + std::to_string(step.jump.to) + " (told " +
            std::to_string(step.leaves) + (step.proven ? " proven" : " not proven") +
            (step.atOnce ? ", shown at once" : ", after the wait") + ")";
        if (result.lowerBound > optimum)
            return "lost at " + hint + ": after it " + std::to_string(result.lowerBound) +
                   " or more\n" + boardText(holesOf(variant), step.marbles);
        return "not told where: after " + hint + " " + std::to_string(optimum) +
               " marbles were neither reached nor refuted\n";
    }
    return "not found\n";
}

/// What the benchmarks found of one variant, for the table printed at the end.
struct Row {
    std::optional<Fewest> fromStart;
    double startCpu = 0.0;
    int startLimit = 0;
    bool decisions = false;
    int positions = 0, small = 0;
    int within100ms = 0, within1s = 0, smallWithin100ms = 0, smallWithin1s = 0;
    int asked = 0, kept = 0, notKept = 0, notProven = 0;
    std::vector<std::pair<Mask, std::string>> missed; ///< positions whose hint lost the optimum
    std::vector<Followed> followed;
};
std::array<Row, game::kVariants> g_rows;

void fewestFromStart(benchmark::State& state) {
    const int variant = int(state.range(0));
    const int holes = std::popcount(holesOf(variant));
    const int seconds = limitSeconds(variant);
    Result result;
    double cpu = 0.0;
    for (auto _ : state) {
        const double startCpu = threadSeconds();
        Solver solver(holesOf(variant), g_tableBytes);
        result = solveWithin(solver, startOf(variant), seconds);
        cpu = threadSeconds() - startCpu;
        state.SetIterationTime(cpu);
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
    Row& row = g_rows[std::size_t(variant)];
    row.fromStart = Fewest{result.best, result.lowerBound};
    row.startCpu = cpu;
    row.startLimit = seconds;
}

/// "Can one marble still be left?" after every jump of random games, as the warning asks it, on
/// one solver per board as the game keeps it; decided within 100 ms and within 1 s of processor
/// time, of all the positions and of those of at most 25 marbles, where the hard ones are.
void reachOneDecision(benchmark::State& state) {
    const int variant = int(state.range(0));
    int positions = 0, small = 0, within100ms = 0, within1s = 0, smallWithin100ms = 0,
        smallWithin1s = 0;
    double cpu = 0.0;
    for (auto _ : state) {
        std::mt19937 random(std::uint32_t(77 + variant));
        Solver solver(holesOf(variant), g_tableBytes);
        const int games = large(variant) ? g_largeGames : g_games;
        for (int game = 0; game < games; ++game) {
            Mask marbles = startOf(variant);
            for (;;) {
                const double startCpu = threadSeconds();
                const Reach reach = solver.canReachOne(marbles, cpuLimit(1.0));
                const double took = threadSeconds() - startCpu;
                cpu += took;
                // The limit is seen within a few milliseconds: an answer is only counted when
                // its time was within the second.
                const bool decided = reach != Reach::Undecided;
                const bool quick = decided && took <= 0.1;
                const bool withinSecond = decided && took <= 1.0;
                ++positions;
                within100ms += quick;
                within1s += withinSecond;
                if (std::popcount(marbles) <= 25) {
                    ++small;
                    smallWithin100ms += quick;
                    smallWithin1s += withinSecond;
                }
                const auto jumps = solver.legalJumps(marbles);
                if (jumps.empty())
                    break;
                marbles = applyJump(marbles, jumps[random() % jumps.size()]);
            }
        }
        state.SetIterationTime(cpu);
    }
    const auto share = [](int part, int whole) { return 100.0 * part / std::max(1, whole); };
    state.counters["positions"] = positions;
    state.counters["positions_le25"] = small;
    state.counters["pct_100ms"] = share(within100ms, positions);
    state.counters["pct_1s"] = share(within1s, positions);
    state.counters["pct_100ms_le25"] = share(smallWithin100ms, small);
    state.counters["pct_1s_le25"] = share(smallWithin1s, small);
    Row& row = g_rows[std::size_t(variant)];
    row.decisions = true;
    row.positions = positions;
    row.small = small;
    row.within100ms = within100ms;
    row.within1s = within1s;
    row.smallWithin100ms = smallWithin100ms;
    row.smallWithin1s = smallWithin1s;
}

/// The same questions as the game asks them: after a position that can still leave one marble,
/// or that was not decided in time, the warning's solver decides the positions one and two jumps
/// ahead while the player thinks (--solver_think_seconds of processor time in all), and a
/// question about one of them is then answered at once.
void reachOneAsTheGameAsks(benchmark::State& state) {
    const int variant = int(state.range(0));
    int small = 0, smallWithin100ms = 0, answeredAhead = 0;
    double cpu = 0.0;
    for (auto _ : state) {
        std::mt19937 random(std::uint32_t(77 + variant));
        Solver solver(holesOf(variant), g_tableBytes);
        std::unordered_map<Mask, Reach> ahead;
        const int games = large(variant) ? g_largeGames : g_games;
        for (int game = 0; game < games; ++game) {
            ahead.clear(); // the game keeps the last thousand: of a game before, next to none
            Mask marbles = startOf(variant);
            for (;;) {
                const double startCpu = threadSeconds();
                const auto known = ahead.find(marbles);
                Reach reach = Reach::Undecided;
                if (known != ahead.end()) {
                    reach = known->second;
                    ++answeredAhead;
                } else {
                    reach = solver.canReachOne(marbles, cpuLimit(1.0));
                }
                const double took = threadSeconds() - startCpu;
                cpu += took;
                if (std::popcount(marbles) <= 25) {
                    ++small;
                    smallWithin100ms += reach != Reach::Undecided && took <= 0.1;
                }
                const auto jumps = solver.legalJumps(marbles);
                if (jumps.empty())
                    break;
                if (reach != Reach::No) {
                    solver.decideAhead(
                        marbles, cpuLimit(g_thinkSeconds),
                        [&](Mask position) -> std::optional<Reach> {
                            const auto a = ahead.find(position);
                            return a == ahead.end() ? std::nullopt : std::optional(a->second);
                        },
                        [&](Mask position, Reach decided) { ahead.emplace(position, decided); });
                }
                marbles = applyJump(marbles, jumps[random() % jumps.size()]);
            }
        }
        state.SetIterationTime(cpu);
    }
    state.counters["positions_le25"] = small;
    state.counters["pct_100ms_le25"] = 100.0 * smallWithin100ms / std::max(1, small);
    state.counters["answered_ahead"] = answeredAhead;
    state.counters["think_s"] = g_thinkSeconds;
}

/// Whether the hint's jump keeps a position's fewest count: positions at a random point of random
/// games, the jump a hint gives after its budget of processor time (on one solver for the board,
/// as the game keeps it), and the fewest marbles of the position and of the one after the jump,
/// both with the long limit on a solver of their own. Positions where either is not proven are
/// counted apart.
void hintKeepsOptimum(benchmark::State& state) {
    const int variant = int(state.range(0));
    const Mask holes = holesOf(variant);
    const double seconds = limitSeconds(variant);
    Row& row = g_rows[std::size_t(variant)];
    row.asked = row.kept = row.notKept = row.notProven = 0;
    row.missed.clear();
    double hintCpu = 0.0;
    for (auto _ : state) {
        std::mt19937 random(std::uint32_t(500 + variant));
        Solver hint(holes, g_tableBytes);
        Solver prover(holes, g_tableBytes);
        const int positions = large(variant) ? g_largePositions : g_positions;
        for (int i = 0; i < positions; ++i) {
            std::vector<Mask> game{startOf(variant)};
            for (;;) {
                const auto jumps = hint.legalJumps(game.back());
                if (jumps.empty())
                    break;
                game.push_back(applyJump(game.back(), jumps[random() % jumps.size()]));
            }
            game.pop_back(); // the end has no jump to give
            if (game.empty())
                continue;
            const Mask marbles = game[random() % game.size()];
            const double startCpu = threadSeconds();
            const Result advice = solveWithin(hint, marbles, kHintSeconds);
            hintCpu += threadSeconds() - startCpu;
            // A hint stopped before it found any line gives the first jump, as the game does.
            const Jump jump =
                advice.moves.empty() ? hint.legalJumps(marbles).front() : advice.moves.front();
            ++row.asked;
            const Result before = solveWithin(prover, marbles, seconds);
            if (!before.proven()) {
                ++row.notProven; // the position after the jump cannot tell without it
                continue;
            }
            // The jump keeps the optimum when the position after it reaches it, and loses it
            // when it is proven not to: no need to prove the position after it to the end.
            const Result after = solveWithin(prover, applyJump(marbles, jump), seconds);
            if (after.best == before.best) {
                ++row.kept;
            } else if (after.lowerBound > before.best) {
                ++row.notKept;
                row.missed.emplace_back(marbles, "the hint's jump " + std::to_string(jump.from) +
                                                     "-" + std::to_string(jump.to) + " leaves " +
                                                     std::to_string(after.lowerBound) +
                                                     " or more, the best " +
                                                     std::to_string(before.best));
            } else {
                ++row.notProven;
            }
        }
        state.SetIterationTime(hintCpu);
    }
    state.counters["positions"] = row.asked;
    state.counters["kept"] = row.kept;
    state.counters["not_kept"] = row.notKept;
    state.counters["not_proven"] = row.notProven;
    state.counters["pct_kept"] = 100.0 * row.kept / std::max(1, row.kept + row.notKept);
}

/// Where a player starts following the hints: the start (seed 0), or the position after a few
/// random jumps that leave at least one jump.
Mask followedFrom(int variant, int seed) {
    Mask marbles = startOf(variant);
    if (seed == 0)
        return marbles;
    std::mt19937 random(std::uint32_t(1000 * variant + seed));
    const Solver rules(holesOf(variant), 0);
    for (int i = 0; i < g_randomJumps; ++i) {
        const auto jumps = rules.legalJumps(marbles);
        if (jumps.empty())
            break;
        const Mask next = applyJump(marbles, jumps[random() % jumps.size()]);
        if (rules.legalJumps(next).empty())
            break;
        marbles = next;
    }
    return marbles;
}

/// A player who asks for a hint and follows every hint to the end, as the practice aids give
/// them: between two jumps the hint's solver works on the position for the processor time a
/// player thinks (the process does nothing else meanwhile), then the hint is shown at once when
/// the solver is done with the position, else after the hint's budget of processor time at most.
/// What it leaves is compared with the fewest marbles of the position it followed from, proven
/// before on a solver of its own with the long limit. One long function on purpose: the player's
/// loop, the worker's callbacks and the counters share its state, and read as one game.
void followHints(benchmark::State& state) {
    using app::assist::KnownJumps;
    using app::assist::SolverAdvice;
    const int variant = int(state.range(0));
    const int seed = int(state.range(1));
    const Mask from = followedFrom(variant, seed);
    Fewest optimum;
    {
        const Row& row = g_rows[std::size_t(variant)];
        if (seed == 0 && row.fromStart && row.fromStart->proven()) {
            optimum = *row.fromStart;
        } else {
            Solver prover(holesOf(variant), g_tableBytes);
            const Result result = solveWithin(prover, from, limitSeconds(variant));
            optimum = Fewest{result.best, result.lowerBound};
        }
    }
    int left = 0, hints = 0, atOnce = 0, waited = 0, thinkingCut = 0;
    double cpu = 0.0, longestWait = 0.0;
    std::vector<Step> path;
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
        // One memory of lines, as in the game: the worker learns into it, the player reads it.
        KnownJumps known;
        HintWorker worker(g_tableBytes, app::assist::kWorkTime, into(answers), into(learned),
                          g_processTime, known.lines());
        // As the game does at its first hint: the line known from the board's start.
        if (const auto line = app::assist::startLine(holesOf(variant)))
            known.learn(*line);
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
        // Positions whose work the worker has finished: it rests there, also when its answer had
        // no jump for the known jumps to keep.
        std::vector<Mask> finished;
        const auto drain = [&] {
            std::vector<HintWorker::Answer> taken;
            {
                std::lock_guard lock(mutex);
                taken.swap(learned);
            }
            for (const auto& answer : taken) {
                learn(answer);
                if (answer.finished)
                    finished.push_back(answer.marbles);
            }
        };
        const double startCpu = processSeconds();
        game::Position position(holesOf(variant), from);
        bool first = true;
        while (position.firstJump()) {
            if (!first) {
                // The player thinks: the solver works until it is done or the time is used.
                std::optional<KnownJumps::Known> k = known.find(position);
                if (k && k->proven()) {
                    worker.stop();
                } else {
                    worker.follow(position.holes(), position.marbles());
                    const double thinking = processSeconds();
                    // A worker that stopped short of telling would leave the processor time
                    // standing still: the wall clock ends the wait then, and it is counted.
                    const auto until = std::chrono::steady_clock::now() + std::chrono::minutes(5);
                    for (;;) {
                        drain();
                        k = known.find(position);
                        if ((k && k->settled()) || processSeconds() - thinking >= g_thinkSeconds ||
                            std::find(finished.begin(), finished.end(), position.marbles()) !=
                                finished.end())
                            break;
                        if (std::chrono::steady_clock::now() >= until) {
                            ++thinkingCut;
                            break;
                        }
                        std::this_thread::sleep_for(std::chrono::milliseconds(10));
                    }
                }
            }
            first = false;
            drain();
            ++hints;
            std::optional<KnownJumps::Known> k = known.find(position);
            const bool settled = k && k->settled();
            if (settled) {
                ++atOnce;
            } else {
                ++waited;
                const double asked = processSeconds();
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
                longestWait = std::max(longestWait, processSeconds() - asked);
                k = known.find(position);
            }
            const game::Jump jump = k ? k->jump : *position.firstJump();
            path.push_back(
                {position.marbles(),
                 Jump{std::int8_t(jump.from), std::int8_t(jump.over), std::int8_t(jump.to)},
                 k ? k->leaves : position.marbleCount(), k && k->proven(), settled});
            position = position.apply(jump);
        }
        worker.stop();
        left = position.marbleCount();
        cpu = processSeconds() - startCpu;
        state.SetIterationTime(cpu);
    }
    // What the hints left is reached too: the prover may not have found as few.
    optimum.best = std::min(optimum.best, left);
    state.counters["left"] = left;
    state.counters["optimum"] = optimum.best;
    state.counters["optimum_proven"] = optimum.proven() ? 1 : 0;
    state.counters["optimum_bound"] = optimum.lowerBound;
    state.counters["hints"] = hints;
    state.counters["at_once"] = atOnce;
    state.counters["waited"] = waited;
    state.counters["longest_wait_cpu_s"] = longestWait;
    state.counters["cpu_s"] = cpu;
    state.counters["think_s"] = g_thinkSeconds;
    state.counters["thinking_cut"] = thinkingCut;
    Followed run{seed, from, optimum, left, cpu, thinkingCut, {}};
    if (optimum.proven() && left > optimum.best)
        run.lost = whereLost(variant, path, optimum.best);
    g_rows[std::size_t(variant)].followed.push_back(run);
}

std::string percent(int part, int whole) {
    if (whole == 0)
        return "–";
    char text[16];
    const double share = 100.0 * part / whole;
    // 99.96 % is not 100 %: only all of them are.
    std::snprintf(text, sizeof text, "%.1f", part == whole ? 100.0 : std::min(share, 99.9));
    return text;
}

std::string followedText(const Followed& run) {
    std::string text = std::to_string(run.left) + "/" + run.optimum.text();
    if (run.optimum.proven() && run.left > run.optimum.best)
        text = "**" + text + "**";
    return text;
}

/// The table of every variant measured, and the positions where the hints missed the optimum.
/// One function, so that each column's text is made beside the header that names it.
void printTable() {
    std::printf("\n| Variant | Holes | Fewest from start (CPU s) | Decided in 100 ms: all, <= 25 "
                "| Decided in 1 s: all, <= 25 | Hint's jump keeps the optimum | Hints from start: "
                "left/optimum | Hints after %d random jumps: left/optimum |\n",
                g_randomJumps);
    std::printf("|---|---|---|---|---|---|---|---|\n");
    std::vector<std::string> misses;
    for (const int v : g_variants) {
        const Row& row = g_rows[std::size_t(v)];
        if (!row.fromStart && !row.decisions && row.asked == 0 && row.followed.empty())
            continue; // filtered out
        std::string start = "–";
        if (row.fromStart) {
            char cpu[32];
            std::snprintf(cpu, sizeof cpu, " (%.1f)", row.startCpu);
            start = row.fromStart->proven() ? row.fromStart->text() + cpu
                                            : "**" + row.fromStart->text() + ", not proven in " +
                                                  std::to_string(row.startLimit) + " s**";
        }
        std::string decided100 = "–", decided1 = "–";
        if (row.decisions) {
            std::string small = percent(row.smallWithin100ms, row.small);
            if (row.small > 0 && 100 * row.smallWithin100ms < 99 * row.small)
                small = "**" + small + "**";
            decided100 = percent(row.within100ms, row.positions) + ", " + small;
            decided1 =
                percent(row.within1s, row.positions) + ", " + percent(row.smallWithin1s, row.small);
        }
        std::string kept = "–";
        if (row.asked > 0) {
            kept = percent(row.kept, row.kept + row.notKept) + " of " +
                   std::to_string(row.kept + row.notKept);
            if (row.notKept > 0)
                kept = "**" + kept + "**";
            if (row.notProven > 0)
                kept += " (" + std::to_string(row.notProven) + " not proven)";
        }
        std::string fromStart = "–", afterJumps;
        for (const Followed& run : row.followed) {
            if (run.seed == 0) {
                fromStart = followedText(run);
            } else {
                afterJumps += (afterJumps.empty() ? "" : ", ") + followedText(run);
            }
            if (run.thinkingCut > 0)
                misses.push_back("variant " + std::to_string(v) + ", seed " +
                                 std::to_string(run.seed) + ": the player's thinking was cut " +
                                 std::to_string(run.thinkingCut) +
                                 " times on the wall clock (the worker told nothing)\n");
            if (run.optimum.proven() && run.left > run.optimum.best)
                misses.push_back("variant " + std::to_string(v) +
                                 (run.seed == 0 ? std::string(", from the start")
                                                : ", seed " + std::to_string(run.seed)) +
                                 ": left " + std::to_string(run.left) + ", optimum " +
                                 std::to_string(run.optimum.best) + ", followed from " +
                                 hex(run.from) + "\n" + boardText(holesOf(v), run.from) + "  " +
                                 run.lost);
            else if (run.left > run.optimum.best)
                misses.push_back("variant " + std::to_string(v) + ", seed " +
                                 std::to_string(run.seed) + ": left " + std::to_string(run.left) +
                                 ", fewer found but not proven: " + run.optimum.text() +
                                 ", followed from " + hex(run.from) + "\n" +
                                 boardText(holesOf(v), run.from));
        }
        for (const auto& [marbles, what] : row.missed)
            misses.push_back("variant " + std::to_string(v) + ", " + what + " from " +
                             hex(marbles) + "\n" + boardText(holesOf(v), marbles));
        std::printf("| %d | %d | %s | %s | %s | %s | %s | %s |\n", v, std::popcount(holesOf(v)),
                    start.c_str(), decided100.c_str(), decided1.c_str(), kept.c_str(),
                    fromStart.c_str(), afterJumps.empty() ? "–" : afterJumps.c_str());
    }
    std::printf("\nBold: a goal missed. Where the hints missed the optimum:%s\n",
                misses.empty() ? " nowhere" : "");
    for (const std::string& miss : misses)
        std::printf("\n%s", miss.c_str());
}

bool takeFlag(const char* arg, const char* name, long& value) {
    const std::size_t length = std::strlen(name);
    if (std::strncmp(arg, name, length) != 0 || arg[length] != '=')
        return false;
    value = std::stol(arg + length + 1);
    return true;
}

/// "--solver_variants=4,14,15": the variants in the order given, those out of range left out.
bool takeVariants(const char* arg) {
    const char* name = "--solver_variants=";
    if (std::strncmp(arg, name, std::strlen(name)) != 0)
        return false;
    g_variants.clear();
    const char* text = arg + std::strlen(name);
    while (*text != '\0') {
        char* end = nullptr;
        const long v = std::strtol(text, &end, 10);
        if (end == text)
            break;
        if (v >= 0 && v < game::kVariants)
            g_variants.push_back(int(v));
        text = *end == ',' ? end + 1 : end;
    }
    return true;
}

benchmark::internal::Benchmark* measured(benchmark::internal::Benchmark* benchmark) {
    return benchmark->Iterations(1)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->MeasureProcessCPUTime();
}

} // namespace

int main(int argc, char** argv) {
    for (int v = 0; v < game::kVariants; ++v)
        g_variants.push_back(v);
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        long value = 0;
        if (i == 0)
            rest.push_back(argv[i]);
        else if (takeVariants(argv[i]))
            continue;
        else if (takeFlag(argv[i], "--solver_small_seconds", value))
            g_smallSeconds = int(value);
        else if (takeFlag(argv[i], "--solver_large_seconds", value))
            g_largeSeconds = int(value);
        else if (takeFlag(argv[i], "--solver_games", value))
            g_games = int(value);
        else if (takeFlag(argv[i], "--solver_large_games", value))
            g_largeGames = int(value);
        else if (takeFlag(argv[i], "--solver_positions", value))
            g_positions = int(value);
        else if (takeFlag(argv[i], "--solver_large_positions", value))
            g_largePositions = int(value);
        else if (takeFlag(argv[i], "--solver_seeds", value))
            g_seeds = int(value);
        else if (takeFlag(argv[i], "--solver_random_jumps", value))
            g_randomJumps = int(value);
        else if (takeFlag(argv[i], "--solver_table_mb", value))
            g_tableBytes = std::size_t(value) * 1024 * 1024;
        else if (takeFlag(argv[i], "--solver_think_seconds", value))
            g_thinkSeconds = double(value);
        else
            rest.push_back(argv[i]);
    }
    for (const int v : g_variants)
        measured(benchmark::RegisterBenchmark("FewestFromStart", fewestFromStart)->Arg(v));
    // Following the hints comes first: a long run stopped early still has it.
    for (const int v : g_variants)
        for (int seed = 0; seed <= g_seeds; ++seed)
            measured(benchmark::RegisterBenchmark("FollowHints", followHints)->Args({v, seed}));
    for (const int v : g_variants)
        measured(benchmark::RegisterBenchmark("HintKeepsOptimum", hintKeepsOptimum)->Arg(v));
    for (const int v : g_variants)
        measured(
            benchmark::RegisterBenchmark("ReachOneAsTheGameAsks", reachOneAsTheGameAsks)->Arg(v));
    for (const int v : g_variants)
        measured(benchmark::RegisterBenchmark("ReachOneDecision", reachOneDecision)->Arg(v));
    int count = int(rest.size());
    benchmark::Initialize(&count, rest.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    printTable();
    return 0;
}
