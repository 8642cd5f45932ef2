// A thread that keeps solving the position on the board, so that a hint is ready when asked.
#pragma once

#include "solver/known_lines.h"
#include "solver/solver.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace marvolen::solver {

/// Works on one position at a time until it is proven or its time is up. A hint for the position
/// in work is answered at once when the work on it is done; otherwise the search stops and goes
/// on in a round that ends when the answer is due, and after the answer for the rest of the
/// time. The table, the positions known to leave one marble and the best line found stay from
/// round to round, so a round stopped early loses only its unfinished branches. Callbacks run
/// on the worker's thread.
class HintWorker {
  public:
    /// What the worker knows of a position.
    struct Answer {
        std::uint64_t ticket = 0; ///< the hint's ticket; 0 for what the work learned unasked
        Mask holes = 0;
        Mask marbles = 0;
        Result result;         ///< the best of all its rounds, with the highest bound
        bool finished = false; ///< proven, or its time is up: nothing more comes for it
    };
    using Callback = std::function<void(const Answer&)>;

    /// `answered` gets the answers to hints, `learned` what each round ended on a position
    /// knows, also when a new position stopped it, unless a hint's answer told it already.
    /// The work on a position ends once its rounds took `workTime`. Budgets and work time are
    /// counted on `clock`, which must outlive the worker. What the rounds find goes into `known`
    /// (a memory of its own when none is given), and the answers tell all that it knows.
    HintWorker(std::size_t tableBytes, std::chrono::milliseconds workTime, Callback answered,
               Callback learned = {}, const Clock& clock = Clock::steady(),
               std::shared_ptr<KnownLines> known = {});
    ~HintWorker();
    HintWorker(const HintWorker&) = delete;
    HintWorker& operator=(const HintWorker&) = delete;

    /// Works on this position from now on; the work on another one stops, on this one goes on.
    void follow(Mask holes, Mask marbles);
    /// Stops the work and drops the hint asked: nothing more comes until the next question.
    void stop();
    /// As stop, and frees the solver's table and the positions it knows, on the worker's
    /// thread so that the caller does not wait: nothing needs them until the next question.
    void release();
    /// A hint for this position, which the worker follows from now on; returns its ticket. A
    /// hint asked before it is not answered.
    std::uint64_t ask(Mask holes, Mask marbles, std::chrono::milliseconds budget);
    /// Drops the hint asked: no answer comes for it; the work goes on.
    void cancelAsk();

  private:
    struct Work {
        std::uint64_t id = 0;
        Mask holes = 0;
        Mask marbles = 0;
        std::chrono::nanoseconds spent{};
        std::uint64_t nodes = 0; // searched in its rounds
        bool finished = false;
    };
    struct Asked {
        std::uint64_t ticket = 0;
        std::chrono::nanoseconds due{}; // on m_clock
    };
    /// A search on the position in work, until its answer is due or its time is up.
    struct Round {
        std::uint64_t work = 0;      // the id of the work
        std::uint64_t stops = 0;     // calls of stop() before it
        std::uint64_t forTicket = 0; // the hint it answers, if any
        Mask holes = 0;
        Mask marbles = 0;
        Limits limits;
    };
    void followLocked(Mask holes, Mask marbles);
    void run();
    /// With the lock held: the next round on the work.
    Round beginRound();
    /// What the round found: learned, and answered or told.
    void endRound(const Round& round, const Result& result, std::chrono::nanoseconds took);
    /// Learns what a round found from a position; all that is known of it then, with `nodes`.
    Result learn(Mask holes, Mask marbles, const Result& round, std::uint64_t nodes, bool finished);

    const std::size_t m_tableBytes;
    const std::chrono::milliseconds m_workTime;
    const Callback m_answered;
    const Callback m_learned;
    const Clock& m_clock;
    const std::shared_ptr<KnownLines> m_known;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::optional<Work> m_work;
    std::optional<Asked> m_asked;
    std::uint64_t m_nextTicket = 1;
    std::uint64_t m_nextWork = 1;
    std::uint64_t m_stops = 0; // calls of stop(), after which a round in work tells nothing
    bool m_quit = false;
    bool m_release = false;
    std::atomic<bool> m_stop{false};
    std::unique_ptr<Solver> m_solver; // only the worker thread touches it
    std::thread m_thread;             // last: starts when everything else is ready
};

} // namespace marvolen::solver
