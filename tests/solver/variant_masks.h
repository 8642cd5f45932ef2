// The holes of a variant and its start position as the solver's masks, for the solver's tests.
#pragma once

#include "game/variants.h"
#include "solver/solver.h"

#include <bit>
#include <cstdint>
#include <random>
#include <set>

namespace marvolen::test {

inline solver::Mask holesOf(int variant) {
    return solver::maskFromPattern(game::variant(variant).pattern);
}

/// Every hole filled but the centre's.
inline solver::Mask startOf(int variant) {
    return holesOf(variant) & ~(solver::Mask{1} << game::kCentre);
}

/// Every position of at most `most` marbles met in `games` random games from the start, the
/// jumps drawn by a generator seeded with `seed`; `solver` (a Solver or its engine) tells the
/// jumps.
template <typename Rules>
std::set<solver::Mask> positionsOfRandomGames(const Rules& solver, int variant, int games, int most,
                                              std::uint32_t seed) {
    std::mt19937 random(seed);
    std::set<solver::Mask> met;
    for (int game = 0; game < games; ++game) {
        solver::Mask marbles = startOf(variant);
        for (;;) {
            if (std::popcount(marbles) <= most)
                met.insert(marbles);
            const auto jumps = solver.legalJumps(marbles);
            if (jumps.empty())
                break;
            marbles = solver::applyJump(marbles, jumps[random() % jumps.size()]);
        }
    }
    return met;
}

} // namespace marvolen::test
