// What the solver has shown about the positions of the board: per position, the jump known to
// leave the fewest marbles, so that no later, weaker answer takes its place.
#pragma once

#include "game/position.h"
#include "solver/known_lines.h"

#include <memory>
#include <optional>
#include <vector>

namespace marvolen::app::assist {

/// What the solver found from a position: a line of jumps and what it leaves.
struct SolverAdvice {
    game::Position position;
    std::vector<game::Jump> line; ///< jumps from `position`, one after the other
    int leaves = 0;               ///< the marbles the line leaves
    int atLeast = 0;              ///< proven: no line leaves fewer
    bool finished = false;        ///< the solver is done with the position: nothing better comes
};

/// The solver's memory of best lines as the game sees it: positions and jumps of the board.
/// The memory itself is shared with the solver's threads, which learn into it as they work.
class KnownJumps {
  public:
    struct Known {
        game::Position position;
        game::Jump jump;
        int leaves = 0;  ///< reached by jumping `jump`, then on as found
        int atLeast = 0; ///< proven for the position
        bool finished = false;
        /// No jump leaves fewer than `jump`.
        bool proven() const { return leaves <= atLeast; }
        /// A hint may be shown at once: proven, or the solver is done with the position.
        bool settled() const { return proven() || finished; }
    };

    explicit KnownJumps(
        std::shared_ptr<solver::KnownLines> lines = std::make_shared<solver::KnownLines>())
        : m_lines(std::move(lines)) {}

    /// Takes what `advice` shows, if every jump of its line can be made; a jump known to leave
    /// fewer marbles than the line's stays.
    void learn(const SolverAdvice& advice);
    /// What is known of `position`, when a jump from it is known.
    std::optional<Known> find(const game::Position& position) const;
    /// The whole line known from `position`, to where no jump is left: the line kept for it,
    /// and on from where that stops short with the lines kept for the positions there. None
    /// when no jump from it is known, or the lines known stop short of such a place.
    std::optional<SolverAdvice> line(const game::Position& position) const;
    const std::shared_ptr<solver::KnownLines>& lines() const { return m_lines; }

  private:
    std::shared_ptr<solver::KnownLines> m_lines;
};

} // namespace marvolen::app::assist
