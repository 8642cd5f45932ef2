// An exhaustive, memoised search written apart from the solver, to check it against.
#pragma once

#include "solver/solver.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace marvolen::test {

/// Fewest marbles for positions of one hole pattern (49 characters, "1" a hole), by trying every
/// jump, with rows and columns worked out one by one rather than by bit shifts.
class BruteForce {
  public:
    explicit BruteForce(const std::string& pattern) {
        std::string cells;
        for (char ch : pattern)
            if (ch != '.')
                cells += ch;
        const auto hole = [&](int r, int c) {
            return r >= 0 && r < 7 && c >= 0 && c < 7 && cells[std::size_t(r * 7 + c)] == '1';
        };
        const int dr[4] = {0, 0, 1, -1};
        const int dc[4] = {1, -1, 0, 0};
        for (int r = 0; r < 7; ++r)
            for (int c = 0; c < 7; ++c)
                for (int d = 0; d < 4; ++d) {
                    const int r1 = r + dr[d], c1 = c + dc[d], r2 = r + 2 * dr[d],
                              c2 = c + 2 * dc[d];
                    if (hole(r, c) && hole(r1, c1) && hole(r2, c2))
                        m_lines.push_back({r * 7 + c, r1 * 7 + c1, r2 * 7 + c2});
                }
    }

    int fewest(std::uint64_t marbles) {
        if (const auto it = m_memo.find(marbles); it != m_memo.end())
            return it->second;
        int best = std::popcount(marbles);
        for (const auto& line : m_lines) {
            const std::uint64_t a = std::uint64_t{1} << line[0];
            const std::uint64_t b = std::uint64_t{1} << line[1];
            const std::uint64_t c = std::uint64_t{1} << line[2];
            if ((marbles & a) && (marbles & b) && !(marbles & c))
                best = std::min(best, fewest((marbles & ~a & ~b) | c));
        }
        m_memo.emplace(marbles, best);
        return best;
    }

    /// The holes where a single last marble can be left, as bits.
    std::uint64_t singleEnds(std::uint64_t marbles) {
        if (std::popcount(marbles) == 1)
            return marbles;
        if (const auto it = m_ends.find(marbles); it != m_ends.end())
            return it->second;
        std::uint64_t ends = 0;
        for (const auto& line : m_lines) {
            const std::uint64_t a = std::uint64_t{1} << line[0];
            const std::uint64_t b = std::uint64_t{1} << line[1];
            const std::uint64_t c = std::uint64_t{1} << line[2];
            if ((marbles & a) && (marbles & b) && !(marbles & c))
                ends |= singleEnds((marbles & ~a & ~b) | c);
        }
        m_ends.emplace(marbles, ends);
        return ends;
    }

    /// Whether from-over-to is a jump of this pattern at all.
    bool isLine(int from, int over, int to) const {
        for (const auto& line : m_lines)
            if (line[0] == from && line[1] == over && line[2] == to)
                return true;
        return false;
    }

  private:
    std::vector<std::array<int, 3>> m_lines;
    std::unordered_map<std::uint64_t, int> m_memo;
    std::unordered_map<std::uint64_t, std::uint64_t> m_ends;
};

/// The marbles left after `moves`, each checked to be a legal jump of `rules`' pattern.
inline solver::Mask play(const BruteForce& rules, solver::Mask marbles,
                         const std::vector<solver::Jump>& moves) {
    for (const solver::Jump& jump : moves) {
        EXPECT_TRUE(rules.isLine(jump.from, jump.over, jump.to));
        EXPECT_TRUE(marbles & (solver::Mask{1} << jump.from));
        EXPECT_TRUE(marbles & (solver::Mask{1} << jump.over));
        EXPECT_FALSE(marbles & (solver::Mask{1} << jump.to));
        marbles = solver::applyJump(marbles, jump);
    }
    return marbles;
}

} // namespace marvolen::test
