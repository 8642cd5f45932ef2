// The positions the solver has shown something about, and their best known jumps.
#include "known_jumps.h"

#include <algorithm>
#include <utility>

namespace marvolen::app::assist {

void KnownJumps::learn(const SolverAdvice& advice) {
    const int count = advice.position.marbleCount();
    // A line that would leave more than the position holds, a bound above that, or a jump that
    // cannot be made is not the solver's: it is taken for nothing.
    if (advice.leaves < 0 || advice.leaves > count || advice.atLeast > advice.leaves)
        return;
    std::vector<game::Position> along{advice.position};
    for (const game::Jump& jump : advice.line) {
        const game::Position& before = along.back();
        if (!before.marble(jump.from) || !before.canJump(jump.from, jump.to) ||
            jump.over != (jump.from + jump.to) / 2)
            return;
        along.push_back(before.apply(jump));
    }
    if (advice.line.empty()) {
        offer(advice.position, nullptr, advice.leaves, advice.atLeast, advice.finished);
        return;
    }
    for (std::size_t i = 0; i < advice.line.size(); ++i)
        offer(along[i], &advice.line[i], advice.leaves, advice.atLeast, advice.finished && i == 0);
}

const KnownJumps::Known* KnownJumps::find(const game::Position& position) const {
    const auto it = std::find_if(m_known.begin(), m_known.end(),
                                 [&](const Known& known) { return known.position == position; });
    return it == m_known.end() ? nullptr : &*it;
}

KnownJumps::Known* KnownJumps::entry(const game::Position& position) {
    return const_cast<Known*>(std::as_const(*this).find(position));
}

void KnownJumps::offer(const game::Position& position, const game::Jump* jump, int leaves,
                       int atLeast, bool finished) {
    Known* known = entry(position);
    if (!known) {
        // A bound without a jump has nothing to show.
        if (!jump || m_capacity == 0)
            return;
        const Known fresh{position, *jump, leaves, atLeast, finished};
        if (m_known.size() < m_capacity) {
            m_known.push_back(fresh);
        } else {
            m_known[m_oldest] = fresh;
            m_oldest = (m_oldest + 1) % m_capacity;
        }
        return;
    }
    known->atLeast = std::max(known->atLeast, atLeast);
    known->finished = known->finished || finished;
    if (jump && leaves < known->leaves) {
        known->jump = *jump;
        known->leaves = leaves;
    }
}

} // namespace marvolen::app::assist
