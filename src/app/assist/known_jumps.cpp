// The solver's memory of lines, in the game's positions and jumps.
#include "known_jumps.h"

namespace marvolen::app::assist {

void KnownJumps::learn(const SolverAdvice& advice) {
    // Both number the places row x 7 + column, so the masks pass as they are.
    std::vector<solver::Jump> line;
    for (const game::Jump& jump : advice.line) {
        if (jump.from < 0 || jump.from >= 49 || jump.over < 0 || jump.over >= 49 || jump.to < 0 ||
            jump.to >= 49)
            return;
        line.push_back({std::int8_t(jump.from), std::int8_t(jump.over), std::int8_t(jump.to)});
    }
    m_lines->learn(advice.position.holes(), advice.position.marbles(), line, advice.leaves,
                   advice.atLeast, advice.finished);
}

std::optional<KnownJumps::Known> KnownJumps::find(const game::Position& position) const {
    const auto known = m_lines->find(position.holes(), position.marbles());
    // A bound without a jump has nothing to show.
    if (!known || known->line.empty())
        return std::nullopt;
    const solver::Jump& first = known->line.front();
    return Known{position,
                 {first.from, first.over, first.to},
                 known->leaves,
                 known->atLeast,
                 known->finished};
}

std::optional<SolverAdvice> KnownJumps::line(const game::Position& position) const {
    const auto known = m_lines->find(position.holes(), position.marbles());
    if (!known || known->line.empty())
        return std::nullopt;
    SolverAdvice advice{position, {}, known->leaves, known->atLeast, known->finished};
    game::Position reached = position;
    std::vector<solver::Jump> rest = known->line;
    // Every jump takes a marble: a line longer than the marbles could only be a fault.
    for (int guard = 0; !rest.empty() && guard < 49; ++guard) {
        for (const solver::Jump& jump : rest) {
            const game::Jump move{jump.from, jump.over, jump.to};
            if (!reached.marble(move.from) || move.over != (move.from + move.to) / 2 ||
                !reached.canJump(move.from, move.to))
                return std::nullopt;
            reached = reached.apply(move);
            advice.line.push_back(move);
        }
        const auto next = m_lines->find(reached.holes(), reached.marbles());
        rest = next ? next->line : std::vector<solver::Jump>{};
    }
    if (reached.firstJump())
        return std::nullopt;
    // What the line reaches is what it leaves, whatever was noted for it.
    advice.leaves = reached.marbleCount();
    return advice;
}

} // namespace marvolen::app::assist
