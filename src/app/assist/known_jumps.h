// What the solver has shown about the positions of the board: per position, the jump known to
// leave the fewest marbles, so that no later, weaker answer takes its place.
#pragma once

#include "game/position.h"

#include <cstddef>
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

/// Per position, the best jump known and what it is known to leave; a bounded number of them,
/// the oldest forgotten first. Every position along a line learns from it: the rest of the line
/// leaves as many, and no position after one can leave fewer than that one can.
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

    explicit KnownJumps(std::size_t capacity = 256) : m_capacity(capacity) {}

    /// Takes what `advice` shows, if every jump of its line can be made; a jump known to leave
    /// fewer marbles than the line's stays.
    void learn(const SolverAdvice& advice);
    /// What is known of `position`, or nullptr.
    const Known* find(const game::Position& position) const;

  private:
    Known* entry(const game::Position& position);
    void offer(const game::Position& position, const game::Jump* jump, int leaves, int atLeast,
               bool finished);

    std::size_t m_capacity;
    std::vector<Known> m_known;
    std::size_t m_oldest = 0; // where the next one goes once the capacity is reached
};

} // namespace marvolen::app::assist
