// The memory of best lines: positions looked up one by one, the longest unused one forgotten.
#include "solver/known_lines.h"

#include <algorithm>
#include <bit>
#include <cstdlib>

namespace marvolen::solver {

namespace {
/// Whether `jump` can be made from `marbles` on `holes`: a marble jumps over its neighbour in a
/// row or a column into the empty hole beyond.
bool canJump(Mask holes, Mask marbles, const Jump& jump) {
    const int step = jump.over - jump.from;
    const bool line =
        (std::abs(step) == 1 && jump.from / kSide == jump.to / kSide) || std::abs(step) == kSide;
    const auto on = [](Mask set, int position) {
        return position >= 0 && position < kPositionCount && ((set >> position) & 1) != 0;
    };
    return line && jump.to - jump.over == step && on(marbles, jump.from) &&
           on(marbles, jump.over) && on(holes, jump.to) && !on(marbles, jump.to);
}
} // namespace

std::optional<KnownLines::Known> KnownLines::learn(Mask holes, Mask marbles,
                                                   const std::vector<Jump>& line, int leaves,
                                                   int atLeast, bool finished) {
    marbles &= holes;
    const int count = std::popcount(marbles);
    // A line that would leave more than the position holds, or a bound above what it leaves, is
    // not the solver's. The line may stop short of what it leaves: the rest is found again.
    if (leaves < 0 || leaves > count || atLeast > leaves)
        return std::nullopt;
    std::vector<Mask> along{marbles};
    for (const Jump& jump : line) {
        if (!canJump(holes, along.back(), jump))
            return std::nullopt;
        along.push_back(applyJump(along.back(), jump));
    }
    std::lock_guard lock(m_mutex);
    if (line.empty()) // without a jump, the position itself is what is reached
        offer(holes, marbles, {}, count, atLeast, finished);
    for (std::size_t i = 0; i < line.size(); ++i)
        offer(holes, along[i], {line.begin() + std::ptrdiff_t(i), line.end()}, leaves, atLeast,
              finished && i == 0);
    const Entry* known = entry(holes, marbles);
    return known ? std::optional(known->known) : std::nullopt;
}

std::optional<KnownLines::Known> KnownLines::find(Mask holes, Mask marbles) const {
    std::lock_guard lock(m_mutex);
    const Entry* known = entry(holes, marbles & holes);
    return known ? std::optional(known->known) : std::nullopt;
}

KnownLines::Entry* KnownLines::entry(Mask holes, Mask marbles) const {
    const auto it = std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry& e) {
        return e.marbles == marbles && e.holes == holes;
    });
    if (it == m_entries.end())
        return nullptr;
    it->used = ++m_uses;
    return &*it;
}

void KnownLines::offer(Mask holes, Mask marbles, std::vector<Jump> line, int leaves, int atLeast,
                       bool finished) {
    Entry* known = entry(holes, marbles);
    if (!known) {
        if (m_capacity == 0)
            return;
        Entry fresh{holes, marbles, {std::move(line), leaves, atLeast, finished}, ++m_uses};
        if (m_entries.size() < m_capacity) {
            m_entries.push_back(std::move(fresh));
        } else {
            // The position longest unused: the one in work, or on the board, is never it.
            *std::min_element(m_entries.begin(), m_entries.end(),
                              [](const Entry& a, const Entry& b) { return a.used < b.used; }) =
                std::move(fresh);
        }
        return;
    }
    known->known.atLeast = std::max(known->known.atLeast, atLeast);
    known->known.finished = known->known.finished || finished;
    if (!line.empty() && leaves < known->known.leaves) {
        known->known.line = std::move(line);
        known->known.leaves = leaves;
    }
}

} // namespace marvolen::solver
