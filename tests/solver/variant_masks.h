// The holes of a variant and its start position as the solver's masks, for the solver's tests.
#pragma once

#include "game/variants.h"
#include "solver/solver.h"

namespace marvolen::test {

inline solver::Mask holesOf(int variant) {
    return solver::maskFromPattern(game::variant(variant).pattern);
}

/// Every hole filled but the centre's.
inline solver::Mask startOf(int variant) {
    return holesOf(variant) & ~(solver::Mask{1} << game::kCentre);
}

} // namespace marvolen::test
