// The best lines known from positions of a board: one memory that the hint, the work toward it,
// the lines from the variants' starts and the warning share.
#pragma once

#include "solver/solver.h"

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

namespace marvolen::solver {

/// Per position, the best line of jumps known from it and what is proven of it; a bounded number
/// of positions, the one longest unused forgotten first. Every position along a line learns from
/// it: the rest of the line leaves as many, and no position after one can leave fewer than that
/// one can. Thread-safe: the solver's threads learn while the game asks.
class KnownLines {
  public:
    struct Known {
        std::vector<Jump> line; ///< from the position; empty when only a bound is known
        int leaves = 0;         ///< the marbles `line` leaves (then on as found)
        int atLeast = 0;        ///< proven: no line leaves fewer
        bool finished = false;  ///< the solver is done with the position: nothing better comes
        /// No line leaves fewer than `line`.
        bool proven() const { return leaves <= atLeast; }
        /// A hint may be shown at once: proven, or the solver is done with the position.
        bool settled() const { return proven() || finished; }
    };

    explicit KnownLines(std::size_t capacity = 256) : m_capacity(capacity) {}

    /// Takes what was found from `marbles` on `holes`: `line` (or the jumps found after it) leaves
    /// `leaves` marbles and none leaves fewer than `atLeast`. A line whose jumps cannot be made
    /// one after the other, or whose numbers cannot hold, is taken for nothing; a line known to
    /// leave fewer stays.
    /// Returns what is known of the position then.
    std::optional<Known> learn(Mask holes, Mask marbles, const std::vector<Jump>& line, int leaves,
                               int atLeast, bool finished);
    /// What is known of `marbles` on `holes`.
    std::optional<Known> find(Mask holes, Mask marbles) const;

  private:
    struct Entry {
        Mask holes = 0;
        Mask marbles = 0;
        Known known;
        std::uint64_t used = 0; // when it was last learned or asked about
    };
    Entry* entry(Mask holes, Mask marbles) const;
    void offer(Mask holes, Mask marbles, std::vector<Jump> line, int leaves, int atLeast,
               bool finished);

    const std::size_t m_capacity;
    mutable std::mutex m_mutex;
    mutable std::vector<Entry> m_entries;
    mutable std::uint64_t m_uses = 0;
};

} // namespace marvolen::solver
