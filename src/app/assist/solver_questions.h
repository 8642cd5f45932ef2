// The solver's questions, put on threads of their own so that the game never waits for them.
#pragma once

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

/// Puts questions to the solver; each answer comes back with the ticket of its question.
class SolverQuestions {
  public:
    virtual ~SolverQuestions() = default;
    /// Whether a single marble can still be left: drops the question of this kind in work, if
    /// any, and asks this one; returns its ticket.
    virtual std::uint64_t askReachOne(const game::Position& position) = 0;
    /// Drops the reach question in work: no answer comes for it.
    virtual void cancelReachOne() = 0;
    /// The next jump toward the fewest marbles: proven, or the best found within kHintTime.
    /// Drops the hint question in work, if any; returns the ticket of this one.
    virtual std::uint64_t askHint(const game::Position& position) = 0;
    /// Drops the hint question in work: no answer comes for it.
    virtual void cancelHint() = 0;
};

using ReachAnswered = std::function<void(std::uint64_t ticket, solver::Reach reach)>;
using HintAnswered = std::function<void(std::uint64_t ticket, std::optional<game::Jump> jump)>;

/// The solver on two threads, one for the warning and one for hints, so that neither question
/// stops the other; each thread starts with its first question. The answers are given on the
/// solver's threads.
std::unique_ptr<SolverQuestions> solverOnThreads(ReachAnswered reachAnswered,
                                                 HintAnswered hintAnswered);

} // namespace marvolen::app::assist
