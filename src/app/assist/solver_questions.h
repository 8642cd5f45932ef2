// The solver's questions, put on threads of their own so that the game never waits for them.
#pragma once

#include "app/assist/known_jumps.h"
#include "game/position.h"
#include "solver/solver.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace marvolen::app::assist {

/// How long a hint may think before the best jump found so far is shown.
inline constexpr std::chrono::milliseconds kHintTime{2000};
/// How long the solver may look for a line to show before the best found is shown: short of
/// two seconds with the answer's way back to the window.
inline constexpr std::chrono::milliseconds kLineTime{1800};
/// How long the solver goes on with a position the player thinks about: long enough for a
/// hint to be ready, short of keeping a processor busy for a board left alone.
inline constexpr std::chrono::milliseconds kWorkTime{60000};

/// Puts questions to the solver; each answer comes back with the ticket of its question.
class SolverQuestions {
  public:
    virtual ~SolverQuestions() = default;
    /// Whether a single marble can still be left: drops the question of this kind in work, if
    /// any, and asks this one; returns its ticket.
    virtual std::uint64_t askReachOne(const game::Position& position) = 0;
    /// Drops the reach question in work: no answer comes for it.
    virtual void cancelReachOne() = 0;
    /// The next jump toward the fewest marbles: at once when the work on the position is done,
    /// else proven or the best found within kHintTime, going on from the work done on it. The
    /// work on the position goes on after the answer. Drops the hint question in work, if any;
    /// returns the ticket of this one.
    virtual std::uint64_t askHint(const game::Position& position) = 0;
    /// Drops the hint question in work: no answer comes for it; the work goes on.
    virtual void cancelHint() = 0;
    /// As askHint, for a whole line to show: proven, or the best found within kLineTime. Its
    /// answer comes as a hint's.
    virtual std::uint64_t askBestLine(const game::Position& position) { return askHint(position); }
    /// Works on this position without being asked, for at most kWorkTime, so that its hint is
    /// ready; what the work finds comes back as it is found. The work on another one stops.
    virtual void workOn(const game::Position& position) = 0;
    /// Stops the work and drops the hint question: nothing more comes.
    virtual void stopWork() = 0;
    /// As cancelReachOne, and frees what the warning's solver holds until it is asked again.
    virtual void releaseReachOne() { cancelReachOne(); }
    /// As stopWork, and frees what the hint's solver holds until it is asked again.
    virtual void releaseWork() { stopWork(); }
    /// The best line known beforehand from the start of the board with these holes, if any.
    virtual std::optional<SolverAdvice> lineFromStart(game::Position::Mask /*holes*/) const {
        return std::nullopt;
    }
};

using ReachAnswered = std::function<void(std::uint64_t ticket, solver::Reach reach)>;
using HintAnswered = std::function<void(std::uint64_t ticket, const SolverAdvice& advice)>;
using WorkLearned = std::function<void(const SolverAdvice& advice)>;

/// The solver on two threads, one for the warning and one for hints and the work toward them,
/// so that neither stops the other; each thread starts with its first question. Both share
/// `known`: the hint's work learns into it, and the warning answers from it what it can. The
/// answers are given on the solver's threads.
std::unique_ptr<SolverQuestions> solverOnThreads(std::shared_ptr<solver::KnownLines> known,
                                                 ReachAnswered reachAnswered,
                                                 HintAnswered hintAnswered,
                                                 WorkLearned workLearned);

} // namespace marvolen::app::assist
