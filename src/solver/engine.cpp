// The solver's engine: symmetries, proven bounds and a depth-first search per target count.
#include "solver/engine.h"

#include "solver/level_search.h"

#include <algorithm>
#include <bit>
#include <cstdlib>

namespace marvolen::solver {
namespace {

// Enough pagoda functions per hole to refute most positions that need it, found in a fraction of
// a second when the solver is made.
constexpr int kPagodasPerHole = 6;
constexpr int kPagodaProblemsPerHole = 24;
// Counts up to which pagoda functions against few marbles are sought, and how many per count.
constexpr int kFewMarblesMost = 8;
constexpr int kFewMarblesPerCount = 3;
constexpr int kFewMarblesProblemsPerCount = 8;
// Positions a search for a single marble goes through before its first new start, and how far
// a new start may shuffle the order of the jumps (their scores lie between -6 and 18).
constexpr std::uint64_t kFirstRestart = 1 << 20;
constexpr std::uint32_t kShuffleRange = 7;
// Positions each of several positions is searched for a single marble on the first round, before
// any is given more: a few hundredths of a second.
constexpr std::uint64_t kFirstShare = 20000;
// Positions a look below the known one-marble positions may visit, and how often (in positions
// refuted there, less one) one is taken besides at a new best count.
constexpr std::uint64_t kLookBelow = 2000;
constexpr std::uint64_t kLookEvery = 0x3FFF;
// Positions a search for more than one marble goes through before it is handed to the search
// level by level: a few tenths of a second, more than most searches above one marble need.
constexpr std::uint64_t kLevelsAfter = 1 << 23;
// A search that keeps a few positions at each count, run between the new starts: as many
// positions at each count as one in this many of the round's, within these bounds. What it
// holds at once, 16 bytes for each jump of the positions of one count and 4 for each position
// kept on the way, stays below 2 MB.
constexpr std::uint64_t kBeamShare = 2048;
constexpr std::size_t kBeamLeast = 512;
constexpr std::size_t kBeamMost = 4096;

/// Distance from the centre; the search tries first the jumps that clear the outside.
constexpr int outwardness(int position) {
    return std::abs(position / kSide - 3) + std::abs(position % kSide - 3);
}

// The two-colour position classes along both diagonals: (row + column) mod 3 and
// (row - column) mod 3. A jump changes the marbles of each of the three classes of a colouring
// by one, so the parity differences between classes never change. The signature of a set is
// the exclusive or of its marbles' signatures: here per row value, seven lookups a position.
constexpr std::array<std::array<std::uint8_t, 128>, kSide> kSignatureRows = [] {
    std::array<std::array<std::uint8_t, 128>, kSide> rows{};
    for (int row = 0; row < kSide; ++row)
        for (int value = 0; value < 128; ++value)
            for (int column = 0; column < kSide; ++column)
                if (value & (1 << column)) {
                    const int a = (row + column) % 3;
                    const int b = (row - column + 6) % 3;
                    // A single marble makes odd the two differences its own class is in.
                    const int single =
                        (a != 2 ? 1 : 0) | (a != 0 ? 2 : 0) | (b != 2 ? 4 : 0) | (b != 0 ? 8 : 0);
                    rows[std::size_t(row)][std::size_t(value)] ^= std::uint8_t(single);
                }
    return rows;
}();

int classSignature(Mask marbles) {
    int signature = 0;
    for (std::size_t row = 0; row < kSide; ++row)
        signature ^= kSignatureRows[row][rowValue(marbles, row)];
    return signature;
}

} // namespace

struct Engine::Search {
    Limits limits;
    int target = 0;
    int onesUpTo = 0;   // positions of this many marbles or fewer are looked up, not searched
    int signature = 0;  // of every position the search meets: jumps keep it
    Mask lastHoles = 0; // where the position classes let a last marble end
    std::uint64_t nodes = 0;
    bool stopped = false;
    // A search that has gone this far without an answer starts over with its jumps shuffled.
    std::uint64_t restartAt = UINT64_MAX;
    bool restarting = false;
    std::uint32_t noise = 0; // the shuffle's range; 0 keeps the plain order
    std::uint64_t random = 0x2545F4914F6CDD1DULL;
    int bestCount = 0;
    // When not 0: a churning search for a single marble looks, between its new starts, for a
    // line to this many, so that a hint is not left with a poor count while one is proven out.
    int probe = 0;
    std::uint64_t leaves = 0; // positions refuted by the known one-marble positions
    std::array<Jump, kPositionCount> path{};
    std::vector<Jump> bestPath;

    bool shouldStop() {
        if (stopped)
            return true;
        if (nodes >= restartAt) {
            restarting = true;
            stopped = true;
        } else if (limits.stop && limits.stop->load(std::memory_order_relaxed))
            stopped = true;
        else if (nodes >= limits.maxNodes)
            stopped = true;
        else if ((nodes & 0xFFF) == 1 && limits.timeUp())
            stopped = true;
        return stopped;
    }
    std::uint32_t shuffle() {
        random ^= random << 13;
        random ^= random >> 7;
        random ^= random << 17;
        return noise == 0 ? 0 : std::uint32_t(random % noise);
    }
    void record(int count, int depth) {
        bestCount = count;
        bestPath.assign(path.begin(), path.begin() + depth);
    }
};

namespace {

/// Per position-class signature, the fewest marbles on `holes` that can have it (0: none can).
/// The signature of a set of marbles is the exclusive or of its marbles' signatures, so this is
/// the fewest hole signatures that give it.
std::array<int, 16> fewestOfEachClass(Mask holes) {
    std::array<int, 16> fewest{};
    std::array<bool, 16> level{};
    for (Mask rest = holes; rest != 0; rest &= rest - 1)
        level[std::size_t(classSignature(rest & -rest))] = true;
    const std::array<bool, 16> single = level;
    for (int count = 1; count <= kPositionCount; ++count) {
        std::array<bool, 16> next{};
        for (std::size_t sig = 0; sig < 16; ++sig) {
            if (!level[sig])
                continue;
            if (fewest[sig] == 0)
                fewest[sig] = count;
            for (std::size_t add = 0; add < 16; ++add)
                if (single[add])
                    next[sig ^ add] = true;
        }
        level = next;
    }
    return fewest;
}

} // namespace

Engine::Engine(Mask holes, std::size_t tableBytes)
    : m_board(holes), m_table(tableBytes, m_board.holes()) {
    const Mask on = m_board.holes();
    for (int p = 0; p < kPositionCount; ++p)
        m_score[std::size_t(p)] = outwardness(p);
    m_spreadRows = rowTable<std::uint16_t>([](int p) {
        const int row = p / kSide;
        const int column = p % kSide;
        return std::uint16_t((row - 3) * (row - 3) + (column - 3) * (column - 3));
    });
    m_fewestOfClass = fewestOfEachClass(on);
    for (const int s : m_board.symmetries()) {
        Symmetry symmetry{};
        symmetry.rows = rowTable<Mask>([s](int p) { return bit(mapped(s, p)); });
        symmetry.jumps.fill(0);
        for (int d = East; d <= North; ++d)
            for (Mask starts = m_board.startsOf(d); starts != 0; starts &= starts - 1) {
                const int from = std::countr_zero(starts);
                const Jump line = jumpAt(jumpCode(from, d));
                symmetry.jumps[jumpCode(from, d)] =
                    transform(symmetry, bit(line.from) | bit(line.over) | bit(line.to));
            }
        m_symmetries.push_back(symmetry);
    }
    // Only positions of the same classes as the hole can end there; the others need no proof.
    m_pagodas = pagodasForEveryHole(
        on, on & ~bit(kPositionCount / 2),
        [](Mask marbles, int target) {
            return classSignature(marbles) == classSignature(bit(target));
        },
        kPagodasPerHole, kPagodaProblemsPerHole);
    for (const Pagoda& pagoda :
         pagodasForFewMarbles(on, on & ~bit(kPositionCount / 2), kFewMarblesMost,
                              kFewMarblesPerCount, kFewMarblesProblemsPerCount))
        m_fewMarblesBounds.push_back(fewMarblesBound(pagoda));
}

Engine::FewMarblesBound Engine::fewMarblesBound(const Pagoda& pagoda) const {
    FewMarblesBound bound{};
    bound.rows = rowTable<std::int32_t>([&](int p) { return pagoda.weights[std::size_t(p)]; });
    // Least sums of exactly c marbles per signature, hole by hole; a signature no set of that
    // size has keeps the largest value, which every position lies below.
    constexpr std::int32_t kNone = INT32_MAX;
    std::array<std::array<std::int32_t, 16>, kPositionCount + 1> exact{};
    for (auto& row : exact)
        row.fill(kNone);
    exact[0][0] = 0;
    int placed = 0;
    for (Mask rest = m_board.holes(); rest != 0; rest &= rest - 1, ++placed) {
        const int p = std::countr_zero(rest);
        const auto signature = std::size_t(classSignature(bit(p)));
        for (int c = placed; c >= 0; --c)
            for (std::size_t sig = 0; sig < 16; ++sig)
                if (exact[std::size_t(c)][sig] != kNone) {
                    auto& next = exact[std::size_t(c + 1)][sig ^ signature];
                    next =
                        std::min(next, exact[std::size_t(c)][sig] + pagoda.weights[std::size_t(p)]);
                }
    }
    bound.least[0].fill(kNone);
    for (int count = 1; count <= kPositionCount; ++count)
        for (std::size_t sig = 0; sig < 16; ++sig)
            bound.least[std::size_t(count)][sig] =
                std::min(bound.least[std::size_t(count - 1)][sig], exact[std::size_t(count)][sig]);
    return bound;
}

Mask Engine::transform(const Symmetry& symmetry, Mask marbles) const {
    return sumOfRows(symmetry.rows, marbles);
}

Mask Engine::canonical(Mask marbles) const {
    Mask smallest = marbles;
    for (const auto& symmetry : m_symmetries)
        smallest = std::min(smallest, transform(symmetry, marbles));
    return smallest;
}

int Engine::classBound(Mask marbles) const {
    return m_fewestOfClass[std::size_t(classSignature(marbles))];
}

// An over-estimate of every position that can ever hold a marble or be empty, grown jump by jump
// until it is stable. Marbles it never moves nor jumps over stay for good; a position it never
// fills can never hold a marble (a pagoda function of ones on the positions outside it).
Engine::Reachability Engine::reachability(Mask marbles) const {
    Mask full = marbles;
    Mask empty = m_board.holes() & ~marbles;
    Mask touched = 0;
    for (;;) {
        const Mask oldFull = full;
        const Mask oldEmpty = empty;
        const auto [east, west, south, north] = m_board.jumpStarts(full, empty);
        const Mask left = east | (east << 1) | west | (west >> 1) | south | (south << kSide) |
                          north | (north >> kSide);
        touched |= left;
        empty |= left;
        full |= (east << 2) | (west >> 2) | (south << 2 * kSide) | (north >> 2 * kSide);
        if (full == oldFull && empty == oldEmpty)
            break;
    }
    return {std::popcount(marbles & ~touched), full};
}

bool Engine::fewMarblesRefuted(Mask marbles, int count, int signature) const {
    for (const FewMarblesBound& bound : m_fewMarblesBounds) {
        if (sumOfRows(bound.rows, marbles) <
            bound.least[std::size_t(count)][std::size_t(signature)])
            return true;
    }
    return false;
}

int Engine::staticLowerBound(Mask marbles) const {
    const int count = std::popcount(marbles);
    if (count == 0)
        return 0;
    int fewest = std::max({1, reachability(marbles).stranded, classBound(marbles)});
    const int signature = classSignature(marbles);
    while (fewest < count && fewMarblesRefuted(marbles, fewest, signature))
        ++fewest;
    return fewest;
}

bool Engine::refutes(Mask marbles, int target) const {
    const int count = std::popcount(marbles);
    if (count <= target)
        return false;
    const int signature = classSignature(marbles);
    if (m_fewestOfClass[std::size_t(signature)] > target ||
        fewMarblesRefuted(marbles, target, signature))
        return true;
    // Far above the target, stranded marbles rarely prune and cost more than they save.
    return count <= 2 * target + 6 && reachability(marbles).stranded > target;
}

std::vector<Engine::FewMarblesTest> Engine::fewMarblesTests(Mask marbles, int target) const {
    std::vector<FewMarblesTest> tests;
    const auto signature = std::size_t(classSignature(marbles));
    const auto count = std::size_t(std::clamp(target, 0, kPositionCount));
    for (const FewMarblesBound& bound : m_fewMarblesBounds) {
        FewMarblesTest test;
        for (int p = 0; p < kPositionCount; ++p)
            test.weights[std::size_t(p)] =
                bound.rows[std::size_t(p / kSide)][std::size_t(1) << (p % kSide)];
        test.least = bound.least[count][signature];
        tests.push_back(test);
    }
    return tests;
}

Engine::Outcome Engine::reach(Search& search, Mask marbles, int count, int depth, Mask key,
                              const Images* images) {
    if (count <= search.target) {
        search.record(count, depth);
        return Outcome::Reached;
    }
    ++search.nodes;
    if ((search.nodes & 0xFF) == 1 && search.shouldStop())
        return Outcome::Stopped;
    if (count <= search.onesUpTo)
        return knownOne(search, marbles, canonical(marbles), count, depth);
    if (count < search.bestCount)
        search.record(count, depth);

    Images own{}; // the compiler cannot see that only the symmetries' images are read
    if (images == nullptr) {
        for (std::size_t s = 0; s < m_symmetries.size(); ++s)
            own[s] = transform(m_symmetries[s], marbles);
        images = &own;
    }
    if (key == 0)
        key = std::min(marbles,
                       *std::min_element(images->begin(),
                                         images->begin() + std::ptrdiff_t(m_symmetries.size())));
    if (refuted(search, marbles, count, key))
        return Outcome::NotReached;
    JumpOrder order;
    const int n = orderJumps(search, marbles, order);
    if (n == 0) {
        m_table.store(key, count);
        return Outcome::NotReached;
    }
    const std::uint64_t nodesBefore = search.nodes;
    const Outcome outcome = count - 1 <= search.onesUpTo
                                ? intoKnownOnes(search, marbles, count, depth, order, n, *images)
                                : descend(search, marbles, count, depth, order, n, *images);
    if (outcome == Outcome::NotReached)
        m_table.store(key, search.target + 1, search.nodes - nodesBefore);
    return outcome;
}

bool Engine::refuted(Search& search, Mask marbles, int count, Mask key) {
    if (m_table.lowerBound(key) > search.target)
        return true;
    if (fewMarblesRefuted(marbles, search.target, search.signature)) {
        m_table.store(key, search.target + 1);
        return true;
    }
    // Far above the target, stranded marbles rarely prune and cost more than they save; a last
    // marble on given holes is pruned by the positions that can never fill again.
    const bool oneLeft = search.target == 1;
    if (oneLeft || count <= 2 * search.target + 6) {
        const Reachability ahead = reachability(marbles);
        const bool hopeless =
            ahead.stranded > search.target ||
            (oneLeft && pagodasRefute(marbles, ahead.fillable & search.lastHoles));
        if (hopeless) {
            m_table.store(key, std::max(ahead.stranded, search.target + 1));
            return true;
        }
    }
    return false;
}

int Engine::orderJumps(Search& search, Mask marbles, JumpOrder& order) const {
    // Each jump as one number, its score above its place in the list above its code, so that
    // sorting the numbers sorts the jumps best first and keeps the order of equal scores.
    int n = 0;
    const std::array<Mask, 4> starts = m_board.jumpStarts(marbles);
    for (std::size_t d = 0; d < 4; ++d) {
        const int step = kSteps[d];
        for (Mask rest = starts[d]; rest != 0; rest &= rest - 1) {
            const int from = std::countr_zero(rest);
            const int score = 2 * m_score[std::size_t(from + step)] + m_score[std::size_t(from)] -
                              m_score[std::size_t(from + 2 * step)] + int(search.shuffle());
            order[std::size_t(n)] = std::uint32_t(score + 1024) << 16 |
                                    std::uint32_t(255 - n) << 8 |
                                    std::uint32_t(jumpCode(from, int(d)));
            ++n;
        }
    }
    // Insertion sort, best first: the lists are short.
    for (int i = 1; i < n; ++i) {
        const std::uint32_t item = order[std::size_t(i)];
        int k = i;
        for (; k > 0 && order[std::size_t(k - 1)] < item; --k)
            order[std::size_t(k)] = order[std::size_t(k - 1)];
        order[std::size_t(k)] = item;
    }
    return n;
}

Mask Engine::keyAfter(const Images& images, std::size_t code) const {
    Mask smallest = ~Mask{0};
    for (std::size_t s = 0; s < m_symmetries.size(); ++s)
        smallest = std::min(smallest, images[s] ^ m_symmetries[s].jumps[code]);
    return smallest;
}

Engine::Outcome Engine::intoKnownOnes(Search& search, Mask marbles, int count, int depth,
                                      const JumpOrder& order, int n, const Images& images) {
    // Every jump leads to a position that is looked up: the lookups go out together, so their
    // waits for memory overlap.
    std::array<Mask, 4 * kPositionCount> keys; // not cleared: only n are used
    for (int i = 0; i < n; ++i) {
        keys[std::size_t(i)] = keyAfter(images, codeOf(order, i));
        m_ones.prefetch(keys[std::size_t(i)]);
    }
    for (int i = 0; i < n; ++i) {
        ++search.nodes;
        if ((search.nodes & 0xFF) == 1 && search.shouldStop())
            return Outcome::Stopped;
        const Jump jump = jumpAt(codeOf(order, i));
        search.path[std::size_t(depth)] = jump;
        if (knownOne(search, applyJump(marbles, jump), keys[std::size_t(i)], count - 1,
                     depth + 1) == Outcome::Reached)
            return Outcome::Reached;
    }
    return Outcome::NotReached;
}

Engine::Outcome Engine::descend(Search& search, Mask marbles, int count, int depth,
                                const JumpOrder& order, int n, const Images& images) {
    // Every jump leads to a position that is looked up in the table: as above, the lookups go
    // out together.
    std::array<Mask, 4 * kPositionCount> keys; // not cleared: only n are used
    const bool lookedUp = count - 1 > search.target;
    for (int i = 0; i < n; ++i) {
        keys[std::size_t(i)] = lookedUp ? keyAfter(images, codeOf(order, i)) : 0;
        if (lookedUp)
            m_table.prefetch(keys[std::size_t(i)]);
    }
    for (int i = 0; i < n; ++i) {
        const std::size_t code = codeOf(order, i);
        const Jump jump = jumpAt(code);
        search.path[std::size_t(depth)] = jump;
        Images after;
        for (std::size_t s = 0; s < m_symmetries.size(); ++s)
            after[s] = images[s] ^ m_symmetries[s].jumps[code];
        const Outcome outcome = reach(search, applyJump(marbles, jump), count - 1, depth + 1,
                                      keys[std::size_t(i)], &after);
        if (outcome != Outcome::NotReached)
            return outcome;
    }
    return Outcome::NotReached;
}

bool Engine::startOnes(int signature) {
    if (!m_onesLent) {
        m_onesLent = true;
        m_ones = PackedPositionSet(m_table.lendUpperHalf(), m_board.holes());
    }
    if (signature != m_onesSignature) {
        m_ones.clear();
        m_onesSignature = signature;
        m_onesComplete = 0;
        m_onesFull = false;
        m_lastLevelSize = 0;
        m_levelBeforeLast = 0;
        m_onesResume = 0;
        m_onesLevelStart = 0;
    }
    if (m_onesFull)
        return false;
    if (m_onesComplete == 0) {
        for (Mask rest = m_board.holes(); rest != 0; rest &= rest - 1)
            if (classSignature(rest & -rest) == signature &&
                !m_ones.insert(canonical(rest & -rest))) {
                m_onesFull = true;
                return false;
            }
        m_onesComplete = 1;
    }
    return true;
}

void Engine::growOnes(int signature, int upTo, const Limits& limits) {
    if (!startOnes(signature))
        return;
    const int holeCount = std::popcount(m_board.holes());
    // Half the time left at most: the search that asked needs the rest.
    const auto now = limits.clock->now();
    const auto until = limits.deadline == std::chrono::nanoseconds::max()
                           ? limits.deadline
                           : now + (std::max(limits.deadline, now) - now) / 2;
    std::uint64_t work = 0;
    bool stopped = false;
    const auto stop = [&] {
        if (stopped || (++work & 0x3FF) != 0)
            return stopped;
        stopped = (limits.stop && limits.stop->load(std::memory_order_relaxed)) ||
                  (until != std::chrono::nanoseconds::max() && limits.clock->now() >= until);
        return stopped;
    };
    while (m_onesComplete < std::min(upTo, holeCount)) {
        const int level = m_onesComplete;
        // A level that cannot be completed is of no use and costs as much as a complete one, so
        // it is only begun when its estimate fits: the levels grow by a factor that shrinks as
        // they go, so the last factor overestimates the next level.
        if (m_onesResume == 0) {
            if (m_lastLevelSize != 0 && m_levelBeforeLast != 0) {
                const double next =
                    double(m_lastLevelSize) * double(m_lastLevelSize) / double(m_levelBeforeLast);
                if (double(m_ones.size()) + next > double(m_ones.capacity())) {
                    m_onesFull = true;
                    return;
                }
            }
            m_onesLevelStart = m_ones.size();
            m_onesGrown = false;
        }
        // A pass stopped by the limits goes on later from where it stopped.
        m_onesResume = m_ones.forEach(m_onesResume, [&](Mask marbles) {
            if (stop())
                return false;
            return std::popcount(marbles) != level || addOnesAbove(marbles);
        });
        if (m_onesFull || m_onesResume != PackedPositionSet::kDone)
            return;
        m_onesResume = 0;
        m_levelBeforeLast = m_lastLevelSize;
        m_lastLevelSize = m_ones.size() - m_onesLevelStart;
        // No position of a level leaves one marble: none of any larger level does either.
        m_onesComplete = m_onesGrown ? level + 1 : holeCount;
    }
}

bool Engine::addOnesAbove(Mask marbles) {
    // Level n + 1 is every position one jump before a position of level n: a jump backward takes
    // a marble from `to` and puts marbles on `from` and `over`.
    std::array<Mask, 4 * kPositionCount> keys;
    std::size_t n = 0;
    const std::array<Mask, 4> backward = m_board.jumpStarts(m_board.holes() & ~marbles, marbles);
    for (std::size_t d = 0; d < 4; ++d)
        for (Mask starts = backward[d]; starts != 0; starts &= starts - 1) {
            const Jump line = jumpAt(jumpCode(std::countr_zero(starts), int(d)));
            keys[n] = canonical(marbles ^ (bit(line.from) | bit(line.over) | bit(line.to)));
            m_ones.prefetch(keys[n++]);
        }
    // The lookups went out together, so their waits for memory overlap.
    for (std::size_t i = 0; i < n && !m_onesFull; ++i)
        m_onesFull = !m_ones.insert(keys[i]);
    m_onesGrown = m_onesGrown || n != 0;
    return !m_onesFull;
}

Engine::Outcome Engine::knownOne(Search& search, Mask marbles, Mask key, int count, int depth) {
    if (!m_ones.contains(key)) {
        // Below here nothing is searched: a short look keeps the best count found honest for a
        // search stopped before it finds one marble.
        if (search.bestCount > 2 &&
            (count < search.bestCount || (++search.leaves & kLookEvery) == 0)) {
            std::uint64_t budget = kLookBelow;
            lookBelow(search, marbles, count, depth, budget);
        }
        return Outcome::NotReached;
    }
    descendOnes(search, marbles, count, depth);
    return Outcome::Reached;
}

void Engine::lookBelow(Search& search, Mask marbles, int count, int depth,
                       std::uint64_t& budget) const {
    if (count < search.bestCount)
        search.record(count, depth);
    for (const Jump& jump : legalJumps(marbles)) {
        if (budget == 0 || search.bestCount <= 2)
            return;
        --budget;
        search.path[std::size_t(depth)] = jump;
        lookBelow(search, applyJump(marbles, jump), count - 1, depth + 1, budget);
    }
}

void Engine::descendOnes(Search& search, Mask marbles, int count, int depth) const {
    // Every known position but a single marble has a jump to a known position one level down.
    while (count > 1) {
        const std::vector<Jump> jumps = legalJumps(marbles);
        for (const Jump& jump : jumps) {
            const Mask next = applyJump(marbles, jump);
            if (m_ones.contains(canonical(next))) {
                search.path[std::size_t(depth++)] = jump;
                marbles = next;
                break;
            }
        }
        --count;
    }
    search.record(1, depth);
}

Mask Engine::lastHoles(Mask marbles) const {
    const int signature = classSignature(marbles);
    Mask holes = 0;
    for (Mask rest = m_board.holes(); rest != 0; rest &= rest - 1)
        if (classSignature(rest & -rest) == signature)
            holes |= rest & -rest;
    return holes;
}

bool Engine::pagodasRefute(Mask marbles, Mask ends) const {
    for (; ends != 0; ends &= ends - 1) {
        const int end = std::countr_zero(ends);
        const auto& pagodas = m_pagodas[std::size_t(end)];
        const bool refuted = std::any_of(pagodas.begin(), pagodas.end(), [&](const Pagoda& p) {
            return p.valueOf(marbles) < p.weights[std::size_t(end)];
        });
        if (!refuted)
            return false;
    }
    return true;
}

Engine::Outcome Engine::searchFrom(Search& search, Mask marbles, int count) {
    // A line to few marbles is a needle in a haystack: a search that churns in one corner of the
    // tree starts over with a new order, each time with twice the positions. What it proved on
    // the way stays in the table; nothing is lost but the unfinished branches.
    std::uint64_t budget = kFirstRestart;
    for (int round = 0;; ++round) {
        search.restartAt = search.nodes + budget;
        search.restarting = false;
        search.stopped = false;
        search.noise = round == 0 ? 0 : kShuffleRange;
        const Outcome outcome = reach(search, marbles, count, 0);
        if (outcome != Outcome::Stopped || !search.restarting)
            return outcome;
        // A line the depth-first search misses is often plain to a search that keeps the
        // positions most likely to clear at every count; it costs a fraction of a round.
        const std::size_t width =
            std::clamp<std::size_t>(budget / kBeamShare, kBeamLeast, kBeamMost);
        search.restartAt = UINT64_MAX;
        search.stopped = false;
        if (const Outcome beam = beamFor(search, marbles, count, search.target, width);
            beam != Outcome::NotReached)
            return beam;
        if (search.probe > search.target && search.bestCount > search.probe &&
            beamFor(search, marbles, count, search.probe, width) == Outcome::Stopped)
            return Outcome::Stopped;
        if (search.probe > search.target && search.bestCount > search.probe &&
            !probeFor(search, marbles, count, budget))
            return Outcome::Stopped;
        budget *= 2;
    }
}

struct Engine::Beam {
    struct Candidate {
        Mask key;
        std::uint32_t spread; // lower is nearer the middle
        std::uint32_t link;   // the index of the position it came from, and the jump's code
    };
    std::vector<Mask> positions; // kept at the count in work
    std::vector<Candidate> next;
    // Per count below the root, the link of each position kept, to trace a line back.
    std::vector<std::vector<std::uint32_t>> links;
    // Its own random numbers, so that the depth-first search's new starts stay as they were.
    std::uint64_t shaker = 0;

    Mask marblesOf(const Candidate& c) const {
        return applyJump(positions[c.link >> 8], jumpAt(c.link & 0xFF));
    }
    /// The jumps from the root down to the position `link` leads to, into `path`; their number.
    int trace(std::array<Jump, kPositionCount>& path, std::uint32_t link) const {
        const auto depth = links.size() + 1;
        for (auto d = depth; d-- > 0;) {
            path[d] = jumpAt(link & 0xFF);
            if (d > 0)
                link = links[d - 1][link >> 8];
        }
        return int(depth);
    }
};

Engine::Outcome Engine::beamFor(Search& search, Mask marbles, int count, int target,
                                std::size_t width) {
    Beam beam;
    beam.positions = {marbles};
    beam.shaker = 0x9E3779B97F4A7C15ULL ^ width;
    for (int level = count; level > target; --level) {
        if (const Outcome outcome = widenBeam(search, beam, level, target);
            outcome != Outcome::NotReached)
            return outcome;
        if (!narrowBeam(search, beam, target, width))
            return Outcome::NotReached;
    }
    return Outcome::NotReached;
}

Engine::Outcome Engine::widenBeam(Search& search, Beam& beam, int level, int target) {
    const bool ones = target == 1 && search.onesUpTo > 0;
    beam.next.clear();
    for (std::size_t i = 0; i < beam.positions.size(); ++i) {
        const Mask from = beam.positions[i];
        const std::array<Mask, 4> starts = m_board.jumpStarts(from);
        for (std::size_t d = 0; d < 4; ++d)
            for (Mask rest = starts[d]; rest != 0; rest &= rest - 1) {
                ++search.nodes;
                if ((search.nodes & 0xFF) == 1 && search.shouldStop())
                    return Outcome::Stopped;
                const std::size_t code = jumpCode(std::countr_zero(rest), int(d));
                const std::uint32_t link = std::uint32_t(i) << 8 | std::uint32_t(code);
                const Mask after = applyJump(from, jumpAt(code));
                if (level - 1 <= target) {
                    const int depth = beam.trace(search.path, link);
                    if (level - 1 < search.bestCount)
                        search.record(level - 1, depth);
                    return Outcome::Reached;
                }
                const Mask key = canonical(after);
                if (ones && level - 1 <= search.onesUpTo) {
                    if (m_ones.contains(key)) {
                        descendOnes(search, after, level - 1, beam.trace(search.path, link));
                        return Outcome::Reached;
                    }
                    continue;
                }
                beam.next.push_back({key, std::uint32_t(sumOfRows(m_spreadRows, after)), link});
            }
    }
    return Outcome::NotReached;
}

bool Engine::narrowBeam(Search& search, Beam& beam, int target, std::size_t width) {
    using Candidate = Beam::Candidate;
    auto& next = beam.next;
    std::sort(next.begin(), next.end(),
              [](const Candidate& a, const Candidate& b) { return a.key < b.key; });
    next.erase(std::unique(next.begin(), next.end(),
                           [](const Candidate& a, const Candidate& b) { return a.key == b.key; }),
               next.end());
    // A new start shakes the order a little, so that the same width does not keep the same
    // positions again.
    if (search.noise != 0)
        for (Candidate& c : next) {
            beam.shaker ^= beam.shaker << 13;
            beam.shaker ^= beam.shaker >> 7;
            beam.shaker ^= beam.shaker << 17;
            c.spread += std::uint32_t(beam.shaker % search.noise);
        }
    std::sort(next.begin(), next.end(), [](const Candidate& a, const Candidate& b) {
        return a.spread < b.spread || (a.spread == b.spread && a.key < b.key);
    });
    // The bounds are asked nearest first, only until the width is full.
    std::vector<Mask> kept;
    beam.links.emplace_back();
    for (const Candidate& c : next) {
        if (kept.size() == width)
            break;
        const Mask after = beam.marblesOf(c);
        if (m_table.lowerBound(c.key) > target || refutes(after, target) ||
            (target == 1 && pagodasRefute(after, reachability(after).fillable & search.lastHoles)))
            continue;
        kept.push_back(after);
        beam.links.back().push_back(c.link);
    }
    beam.positions.swap(kept);
    return !beam.positions.empty();
}

bool Engine::probeFor(Search& search, Mask marbles, int count, std::uint64_t budget) {
    Search probe;
    probe.limits = search.limits;
    probe.limits.maxNodes = std::min(search.limits.maxNodes, search.nodes + budget);
    probe.nodes = search.nodes;
    probe.target = search.probe;
    probe.lastHoles = search.lastHoles;
    probe.signature = search.signature;
    probe.bestCount = search.bestCount;
    const Outcome outcome = reach(probe, marbles, count, 0);
    search.nodes = probe.nodes;
    if (probe.bestCount < search.bestCount) {
        search.bestCount = probe.bestCount;
        search.bestPath = std::move(probe.bestPath);
    }
    // Stopped before its own budget ran out: a limit of the question stopped it.
    return outcome != Outcome::Stopped || probe.nodes >= probe.limits.maxNodes;
}

Engine::Outcome Engine::searchByLevels(Search& search, Mask marbles, int count) {
    // A depth-first search that churns has usually outgrown its table and searches the same
    // descendants again and again. Level by level each is met once, in the table's own memory;
    // when even that does not fit, the depth-first search goes on with what is left of its table.
    const Limits limits = search.limits;
    search.limits.maxNodes = std::min(limits.maxNodes, search.nodes + kLevelsAfter);
    const Outcome outcome = searchFrom(search, marbles, count);
    search.limits = limits;
    const bool asked = (limits.stop && limits.stop->load(std::memory_order_relaxed)) ||
                       search.nodes >= limits.maxNodes || limits.timeUp();
    if (outcome != Outcome::Stopped || asked)
        return outcome;
    Limits levelLimits = limits;
    levelLimits.maxNodes = limits.maxNodes - search.nodes;
    // A first try in an eighth of the table tells, from how the counts grow, whether the whole
    // would do; one that would not then costs the depth-first search an eighth of its table.
    const std::span<std::uint64_t> memory = m_table.scratch();
    const std::span<std::uint64_t> eighth = memory.last(memory.size() / 8);
    LevelAnswer answer =
        LevelSearch(*this, eighth, memory.size_bytes()).run(marbles, search.target, levelLimits);
    std::fill(eighth.begin(), eighth.end(), 0); // empty entries
    search.nodes += answer.positions;
    if (answer.reached == Reach::Undecided && !answer.tooLarge &&
        answer.positions < levelLimits.maxNodes) {
        levelLimits.maxNodes -= answer.positions;
        answer = LevelSearch(*this, memory).run(marbles, search.target, levelLimits);
        m_table.clear();
        search.nodes += answer.positions;
    }
    switch (answer.reached) {
    case Reach::No:
        m_table.store(canonical(marbles), search.target + 1);
        return Outcome::NotReached;
    case Reach::Yes:
        std::copy(answer.moves.begin(), answer.moves.end(), search.path.begin());
        search.record(count - int(answer.moves.size()), int(answer.moves.size()));
        return Outcome::Reached;
    case Reach::Undecided:
        break;
    }
    return searchFrom(search, marbles, count);
}

Result Engine::solve(Mask marbles, const Limits& limits) {
    marbles &= m_board.holes();
    Result result;
    result.marbles = std::popcount(marbles);
    result.best = result.marbles;
    result.lowerBound = std::max(staticLowerBound(marbles), m_table.lowerBound(canonical(marbles)));
    result.lowerBound = std::min(result.lowerBound, result.marbles);

    Search search;
    search.limits = limits;
    search.lastHoles = lastHoles(marbles);
    search.signature = classSignature(marbles);
    search.bestCount = result.marbles;
    for (int target = result.lowerBound; target < result.marbles; ++target) {
        // A count met on the way while a smaller one was refuted is already the answer.
        if (search.bestCount <= target)
            break;
        search.target = target;
        if (target == 1) {
            growOnes(search.signature, result.marbles - 1, limits);
            search.onesUpTo = m_onesComplete;
            search.probe = 2;
        } else {
            search.onesUpTo = 0;
        }
        const Outcome outcome = target == 1 ? searchFrom(search, marbles, result.marbles)
                                            : searchByLevels(search, marbles, result.marbles);
        if (outcome != Outcome::NotReached)
            break;
        result.lowerBound = target + 1;
    }
    result.best = search.bestCount;
    result.moves = std::move(search.bestPath);
    result.nodes = search.nodes;
    return result;
}

Reach Engine::canReachOne(Mask marbles, const Limits& limits) {
    marbles &= m_board.holes();
    const int count = std::popcount(marbles);
    if (count <= 1)
        return count == 1 ? Reach::Yes : Reach::No;
    m_table.newGeneration();
    if (staticLowerBound(marbles) > 1 || m_table.lowerBound(canonical(marbles)) > 1)
        return Reach::No;
    growOnes(classSignature(marbles), count - 1, limits);
    Search search;
    search.onesUpTo = m_onesComplete;
    search.limits = limits;
    search.lastHoles = lastHoles(marbles);
    search.signature = classSignature(marbles);
    search.bestCount = count;
    search.target = 1;
    switch (searchFrom(search, marbles, count)) {
    case Outcome::Reached:
        return Reach::Yes;
    case Outcome::NotReached:
        return Reach::No;
    case Outcome::Stopped:
        break;
    }
    return Reach::Undecided;
}

void Engine::decideEach(std::vector<Mask> positions, const Limits& limits,
                        const std::function<void(Mask, Reach)>& decided) {
    // The hard ones can take a hundred times as long as the rest: rounds of growing shares decide
    // the rest first, and what a round proved on the way stays in the table for the next.
    const auto ended = [&] {
        return (limits.stop && limits.stop->load(std::memory_order_relaxed)) || limits.timeUp();
    };
    for (std::uint64_t share = kFirstShare; !positions.empty();
         share = std::min(share, UINT64_MAX / 4) * 4) {
        std::vector<Mask> undecided;
        for (const Mask marbles : positions) {
            if (ended())
                return;
            Limits round = limits;
            round.maxNodes = std::min(limits.maxNodes, share);
            const Reach reach = canReachOne(marbles, round);
            if (reach == Reach::Undecided)
                undecided.push_back(marbles);
            else
                decided(marbles, reach);
        }
        positions = std::move(undecided);
    }
}

void Engine::decideAhead(Mask marbles, const Limits& limits,
                         const std::function<std::optional<Reach>(Mask)>& known,
                         const std::function<void(Mask, Reach)>& decided) {
    // Two jumps deep: a player who thinks long gives the hard positions of the next question time
    // from this one's; the one after a jump that loses the single marble is never asked about.
    std::vector<Mask> from{marbles};
    for (int depth = 0; depth < 2 && !from.empty(); ++depth) {
        std::vector<Mask> open;
        std::vector<Mask> yes;
        for (const Mask position : from)
            for (const Jump& jump : legalJumps(position)) {
                const Mask next = applyJump(position, jump);
                const std::optional<Reach> reach = known(next);
                if (!reach)
                    open.push_back(next);
                else if (*reach == Reach::Yes)
                    yes.push_back(next);
            }
        std::sort(open.begin(), open.end());
        open.erase(std::unique(open.begin(), open.end()), open.end());
        const std::size_t asked = open.size();
        std::size_t told = 0;
        decideEach(std::move(open), limits, [&](Mask position, Reach reach) {
            ++told;
            decided(position, reach);
            if (reach == Reach::Yes)
                yes.push_back(position);
        });
        if (told < asked)
            return;
        from = std::move(yes);
    }
}

} // namespace marvolen::solver
