// The board as every search of the solver sees it: where a jump may start, the lines jumps take,
// the symmetries of the square that keep the holes, and tables by row value. Private to
// src/solver: the depth-first search, the level search, the beam and the pagoda code share it.
#pragma once

#include "solver/solver.h"

#include <array>
#include <cstddef>
#include <vector>

namespace marvolen::solver {

enum Direction { East, West, South, North };
/// The step from one position to the next in each direction.
inline constexpr std::array<int, 4> kSteps = {1, -1, kSide, -kSide};

constexpr Mask bit(int position) {
    return Mask{1} << position;
}

/// A jump's index in the tables by jump: its start and its direction.
constexpr std::size_t jumpCode(int from, int direction) {
    return std::size_t(from * 4 + direction);
}
constexpr Jump jumpAt(std::size_t code) {
    const int from = int(code / 4);
    const int step = kSteps[code % 4];
    return {std::int8_t(from), std::int8_t(from + step), std::int8_t(from + 2 * step)};
}

/// Where `position` goes under symmetry s of the square: 0 is the identity, 1 to 3 the quarter,
/// half and three-quarter turns, 4 and 5 the mirrors left to right and top to bottom, 6 and 7
/// the mirrors on the two diagonals.
constexpr int mapped(int s, int position) {
    const int last = kSide - 1;
    const int row = position / kSide;
    const int column = position % kSide;
    const int r[8] = {row, column,     last - row, last - column,
                      row, last - row, column,     last - column};
    const int c[8] = {column,        last - row, last - column, row,
                      last - column, column,     row,           last - row};
    return r[s] * kSide + c[s];
}

/// The seven bits of row `row` of `marbles`: its row value.
constexpr std::size_t rowValue(Mask marbles, std::size_t row) {
    return std::size_t((marbles >> (row * kSide)) & 0x7F);
}

/// Per row and row value, what the positions of that value sum to: a set of positions then sums
/// to seven lookups.
template <typename T> using RowTable = std::array<std::array<T, 128>, kSide>;

/// The row table of `of(position)`, summed over the positions of each row value.
template <typename T, typename Of> RowTable<T> rowTable(Of of) {
    RowTable<T> table{};
    for (int row = 0; row < kSide; ++row)
        for (int value = 0; value < 128; ++value)
            for (int column = 0; column < kSide; ++column)
                if (value & (1 << column))
                    table[std::size_t(row)][std::size_t(value)] += of(row * kSide + column);
    return table;
}

/// What `marbles` sums to under `table`.
template <typename T> T sumOfRows(const RowTable<T>& table, Mask marbles) {
    T sum{};
    for (std::size_t row = 0; row < kSide; ++row)
        sum += table[row][rowValue(marbles, row)];
    return sum;
}

/// The holes of `holes` numbered 0, 1, ... in position order, one bit each: a position on
/// them packed into as many bits as there are holes.
RowTable<Mask> holeBitRows(Mask holes);

/// The jumps, lines and symmetries of one hole pattern.
class BoardGeometry {
  public:
    explicit BoardGeometry(Mask holes);

    Mask holes() const { return m_holes; }
    /// Per direction, the positions a jump in that direction may start from: all three
    /// positions of its line are holes.
    Mask startsOf(int direction) const { return m_startsOf[std::size_t(direction)]; }
    /// Per direction, where a jump may start that takes a marble of `full` over one of `full`
    /// into a position of `empty`.
    std::array<Mask, 4> jumpStarts(Mask full, Mask empty) const {
        return {full & (full >> 1) & (empty >> 2) & m_startsOf[East],
                full & (full << 1) & (empty << 2) & m_startsOf[West],
                full & (full >> kSide) & (empty >> 2 * kSide) & m_startsOf[South],
                full & (full << kSide) & (empty << 2 * kSide) & m_startsOf[North]};
    }
    /// Per direction, where a jump of `marbles` may start.
    std::array<Mask, 4> jumpStarts(Mask marbles) const {
        return jumpStarts(marbles, m_holes & ~marbles);
    }
    /// Every legal jump of `marbles`, direction by direction, each from its lowest start.
    std::vector<Jump> legalJumps(Mask marbles) const;
    /// Every jump line of the holes as from, over and to: by starting position, then east, west,
    /// south and north.
    const std::vector<std::array<int, 3>>& jumpLines() const { return m_lines; }
    /// The symmetries s (see `mapped`) that map the holes onto themselves, the identity first.
    const std::vector<int>& symmetries() const { return m_symmetries; }

  private:
    Mask m_holes;
    std::array<Mask, 4> m_startsOf{};
    std::vector<std::array<int, 3>> m_lines;
    std::vector<int> m_symmetries;
};

} // namespace marvolen::solver
