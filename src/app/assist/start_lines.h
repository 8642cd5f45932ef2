// The best line from each variant's start, found once by the solver, so that the first hints of
// a game are at once what the solver would need up to a minute to find.
#pragma once

#include "app/assist/known_jumps.h"

#include <optional>

namespace marvolen::app::assist {

/// The line from the start of the variant whose holes are `holes`: the jumps, the marbles they
/// leave and how few are proven; nothing for holes of no variant.
std::optional<SolverAdvice> startLine(game::Position::Mask holes);

} // namespace marvolen::app::assist
