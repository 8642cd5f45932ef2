// A thread of its own that answers solver questions; the caller never waits for it.
#pragma once

#include "solver/known_lines.h"
#include "solver/solver.h"

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace marvolen::solver {

/// Whether a single marble can still be left, one question at a time: a new question stops the
/// one in work. Answers are passed to a callback on the worker's thread.
///
/// A position that can still leave one marble, or that was not decided in time, is followed by
/// one of its jumps: while nothing else is asked, the worker decides the positions after each of
/// them, within the look-ahead's time, and answers the next question about one of them at once.
/// After a position that cannot, nothing is needed: no jump brings one marble back.
class SolverWorker {
  public:
    struct Answer {
        std::uint64_t ticket = 0; ///< the ticket `ask` returned for this question
        Mask holes = 0;
        Mask marbles = 0;
        Reach reach = Reach::Undecided;
    };
    using Callback = std::function<void(const Answer&)>;

    /// `tableBytes`: the most memory the solver's table may take; `lookAheadTime`: how long the
    /// positions after a question's are worked on, all of them together; `known`, when given,
    /// answers a position it knows a line to one marble from, or a proof against it, at once.
    explicit SolverWorker(std::size_t tableBytes, Callback callback = {},
                          std::chrono::milliseconds lookAheadTime = std::chrono::seconds(10),
                          std::shared_ptr<const KnownLines> known = {});
    ~SolverWorker();
    SolverWorker(const SolverWorker&) = delete;
    SolverWorker& operator=(const SolverWorker&) = delete;

    /// Stops the question in work, if any, and queues this one; returns its ticket. A question
    /// stopped by `timeLimit` is still answered, with what is known then.
    std::uint64_t ask(Mask holes, Mask marbles,
                      std::chrono::milliseconds timeLimit = std::chrono::milliseconds::max());
    /// Stops the question in work and drops a queued one; nothing more is published for them.
    void cancel();
    /// As cancel, and frees the solver's table and what was decided ahead, on the worker's
    /// thread so that the caller does not wait: nothing needs them until the next question.
    void release();
    /// Positions after positions that can leave one marble decided ahead (the last 1024 kept),
    /// and the questions answered from them without a search.
    int decidedAhead() const;
    int answeredAhead() const;

  private:
    struct Job {
        std::uint64_t ticket = 0;
        Mask holes = 0;
        Mask marbles = 0;
        std::chrono::milliseconds timeLimit{};
    };
    void run();
    /// Decides the positions after every jump of `job`'s position, and after those, until all
    /// are, the look-ahead's time is up, or another question comes.
    void lookAhead(const Job& job);
    std::optional<Reach> decidedBefore(Mask holes, Mask marbles) const;
    std::optional<Reach> knownFromLines(const Job& job) const;

    const std::size_t m_tableBytes;
    const Callback m_callback;
    const std::chrono::milliseconds m_lookAheadTime;
    const std::shared_ptr<const KnownLines> m_known;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::optional<Job> m_pending;
    std::uint64_t m_nextTicket = 1;
    std::uint64_t m_current = 0; // the ticket whose answer may still be published
    bool m_quit = false;
    bool m_release = false;
    std::atomic<bool> m_stop{false};
    std::unique_ptr<Solver> m_solver; // only the worker thread touches it
    struct Decided {
        Mask marbles = 0;
        Reach reach = Reach::Undecided;
    };
    Mask m_aheadHoles = 0;
    std::vector<Decided> m_ahead; // guarded by m_mutex
    int m_answeredAhead = 0;      // guarded by m_mutex
    std::thread m_thread;         // last: starts when everything else is ready
};

} // namespace marvolen::solver
