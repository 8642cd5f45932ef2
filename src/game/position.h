// A board's holes and marbles as a value: the one jump rule and the one list of legal jumps.
#pragma once

#include "variants.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace marvolen::game {

/// One jump: the marble at `from` jumps over `over` into the empty hole `to`.
struct Jump {
    int from = 0;
    int over = 0;
    int to = 0;
    friend bool operator==(const Jump&, const Jump&) = default;
};

/// One jump as the board keeps it: the marble's place before and after (row x 7 + column).
struct JumpMove {
    int from = 0;
    int to = 0;
    friend bool operator==(const JumpMove&, const JumpMove&) = default;
};

/// The holes and marbles of a board as two masks: bit p is position p = row x 7 + column. A
/// marble counts only where there is a hole.
class Position {
  public:
    using Mask = std::uint64_t;

    Position() = default;
    Position(Mask holes, Mask marbles) : m_holes(holes & kAll), m_marbles(marbles & holes & kAll) {}
    Position(const std::array<bool, kPositions>& hole, const std::array<bool, kPositions>& marble);
    /// Seven rows of "o" (marble), "." (empty hole) and " " (no hole), joined by "\n"; missing
    /// rows and columns have no hole.
    static Position fromText(const QString& text);

    Mask holes() const { return m_holes; }
    Mask marbles() const { return m_marbles; }
    bool hole(int p) const { return inside(p) && (m_holes >> p & 1) != 0; }
    bool marble(int p) const { return inside(p) && (m_marbles >> p & 1) != 0; }
    int marbleCount() const;
    /// Every hole holds a marble: the board as a new game lays it out.
    bool fresh() const { return m_marbles == m_holes; }

    void setHole(int p, bool hole);
    void setMarble(int p, bool marble);

    /// The jump rule: a marble may jump from `from` over a marble into the empty hole `to`, two
    /// places away in a row or a column. The source itself is not tested, so that a marble
    /// lifted off its place may still jump.
    bool canJump(int from, int to) const;
    /// Every legal jump, in reading order of the jumping marble, each marble's jumps up, left,
    /// right, down.
    std::vector<Jump> jumps() const;
    /// The first of jumps(), without listing the rest.
    std::optional<Jump> firstJump() const;
    /// The position after a legal jump.
    Position apply(const Jump& jump) const;

    /// The text form that fromText reads.
    QString text() const;

    friend bool operator==(const Position&, const Position&) = default;

  private:
    static constexpr Mask kAll = (Mask{1} << kPositions) - 1;
    static bool inside(int p) { return p >= 0 && p < kPositions; }
    template <typename Visit> bool forEachJump(Visit visit) const;

    Mask m_holes = 0;
    Mask m_marbles = 0;
};

} // namespace marvolen::game
