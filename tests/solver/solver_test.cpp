// The solver's engine against a brute force, on known positions, under limits and within its
// table.
#include "brute_force.h"
#include "game/variants.h"
#include "solver/engine.h"
#include "solver/pagoda.h"
#include "variant_masks.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

using namespace marvolen;
using namespace marvolen::solver;

namespace {

using test::play;

constexpr std::size_t kMegabyte = 1024 * 1024;

using test::holesOf;
using test::startOf;

TEST(SolverBoard, HolesJumpsAndSymmetriesFollowTheVariants) {
    for (int v = 0; v < game::kVariants; ++v)
        EXPECT_EQ(std::popcount(holesOf(v)), game::variant(v).startCount) << v;
    EXPECT_EQ(maskFromPattern(game::layoutOf(4).toStdString()), holesOf(4));

    EXPECT_EQ(Engine(holesOf(4), 0).symmetryCount(), 8);
    EXPECT_EQ(Engine(holesOf(10), 0).symmetryCount(), 2); // mirrored left to right only
    EXPECT_EQ(Engine(holesOf(19), 0).symmetryCount(), 4); // half turn and both diagonals

    Engine cross(holesOf(4), 0);
    const auto jumps = cross.legalJumps(startOf(4));
    ASSERT_EQ(jumps.size(), 4u);
    for (const Jump& jump : jumps)
        EXPECT_EQ(jump.to, game::kCentre);
    // Marble 10 jumps over 17 into the centre; its mirror images are one and the same position.
    const Mask after = applyJump(startOf(4), {10, 17, 24});
    EXPECT_EQ(cross.canonical(after), cross.canonical(applyJump(startOf(4), {38, 31, 24})));
    EXPECT_EQ(cross.canonical(after), cross.canonical(applyJump(startOf(4), {22, 23, 24})));

    // A mirror that is not a symmetry of variant 10 must not merge positions.
    Engine triangle(holesOf(10), 0);
    const Mask top = Mask{1} << 3;
    const Mask topAndBelow = top | (Mask{1} << 10);
    EXPECT_NE(triangle.canonical(topAndBelow),
              triangle.canonical((Mask{1} << 45) | (Mask{1} << 38)));
}

TEST(SolverExact, AgreesWithBruteForceOnSmallPositionsOfRandomGames) {
    int checked = 0;
    for (const int v : {0, 2, 4, 9, 10, 12, 13, 19}) {
        test::BruteForce brute(game::variant(v).pattern);
        Engine roomy(holesOf(v), kMegabyte);
        Engine cramped(holesOf(v), 256); // 32 entries: replacement all the time
        for (const Mask marbles :
             test::positionsOfRandomGames(roomy, v, 40, 12, std::uint32_t(1000 + v))) {
            const int fewest = brute.fewest(marbles);
            for (Engine* solver : {&roomy, &cramped}) {
                const Result result = solver->solve(marbles);
                ASSERT_TRUE(result.proven()) << v << " " << marbles;
                ASSERT_EQ(result.best, fewest) << v << " " << marbles;
                EXPECT_EQ(result.marbles, std::popcount(marbles));
                EXPECT_EQ(std::popcount(play(brute, marbles, result.moves)), fewest);
            }
            EXPECT_EQ(roomy.canReachOne(marbles), fewest == 1 ? Reach::Yes : Reach::No);
            EXPECT_LE(roomy.staticLowerBound(marbles), fewest);

            // The first jump of the line is the hint: after it, the fewest are still left.
            const Result line = roomy.solve(marbles);
            if (!line.moves.empty())
                EXPECT_EQ(brute.fewest(play(brute, marbles, {line.moves.front()})), fewest);
            else
                EXPECT_EQ(fewest, std::popcount(marbles));
            ++checked;
        }
    }
    EXPECT_GT(checked, 500);
}

/// Positions of up to `most` marbles that can leave a single marble, played backward from one
/// marble in the centre by random jumps taken back, then positions of random games from the
/// start.
std::vector<Mask> positionsAroundOneMarble(Engine& solver, int variant, int games, int most) {
    std::mt19937 random(std::uint32_t(300 + variant));
    const auto lines = jumpLinesOf(holesOf(variant));
    std::vector<Mask> positions;
    for (int game = 0; game < games; ++game) {
        Mask marbles = Mask{1} << game::kCentre;
        for (;;) {
            positions.push_back(marbles);
            std::vector<std::array<int, 3>> back;
            for (const auto& line : lines)
                if ((marbles >> line[2] & 1) && !(marbles >> line[1] & 1) &&
                    !(marbles >> line[0] & 1))
                    back.push_back(line);
            if (back.empty() || std::popcount(marbles) >= most)
                break;
            const auto& line = back[random() % back.size()];
            marbles ^= (Mask{1} << line[0]) | (Mask{1} << line[1]) | (Mask{1} << line[2]);
        }
    }
    for (const Mask marbles :
         test::positionsOfRandomGames(solver, variant, games, most, std::uint32_t(1000 + variant)))
        positions.push_back(marbles);
    return positions;
}

TEST(SolverExact, KnownOneMarblePositionsAreExactlyTheBruteForceOnes) {
    // With more room and with little: memory decides how far the known levels go, never whether
    // an answer is right.
    for (const int v : {1, 8}) {
        test::BruteForce brute(game::variant(v).pattern);
        Engine roomy(holesOf(v), kMegabyte);
        Engine cramped(holesOf(v), 16 * 1024);
        EXPECT_EQ(roomy.knownOnesUpTo(), 0); // built by the first question
        // Only the levels below the position asked about: a question near the end of a game
        // waits for no more than it needs.
        Engine fresh(holesOf(v), kMegabyte);
        const Mask six = positionsAroundOneMarble(fresh, v, 1, 6).at(5);
        ASSERT_EQ(std::popcount(six), 6);
        EXPECT_EQ(fresh.canReachOne(six), Reach::Yes);
        EXPECT_EQ(fresh.knownOnesUpTo(), 5);
        int yes = 0;
        int no = 0;
        for (const Mask marbles : positionsAroundOneMarble(roomy, v, 14, 13)) {
            const bool one = brute.fewest(marbles) == 1;
            (one ? yes : no) += 1;
            for (Engine* solver : {&roomy, &cramped}) {
                ASSERT_EQ(solver->canReachOne(marbles), one ? Reach::Yes : Reach::No)
                    << v << " " << marbles;
                const Result result = solver->solve(marbles);
                EXPECT_EQ(result.best == 1, one);
                EXPECT_EQ(std::popcount(play(brute, marbles, result.moves)), result.best);
            }
        }
        EXPECT_GT(yes, 50) << v;
        EXPECT_GT(no, 20) << v;
        EXPECT_GT(roomy.knownOnesUpTo(), cramped.knownOnesUpTo()) << v;
        EXPECT_GE(cramped.knownOnesUpTo(), 4) << v;
        EXPECT_LE(cramped.tableBytes(), 16u * 1024u);
        // Positions of other classes are known anew, and the first ones again after them.
        const Mask centre = Mask{1} << game::kCentre;
        for (const Mask marbles : {centre | (centre << 1), centre | (centre << 1) | (centre >> 7),
                                   centre | (centre << 7) | (centre >> 1), centre | (centre << 2),
                                   positionsAroundOneMarble(roomy, v, 1, 9).back()})
            EXPECT_EQ(roomy.canReachOne(marbles),
                      brute.fewest(marbles) == 1 ? Reach::Yes : Reach::No)
                << v << " " << marbles;
    }
}

TEST(SolverExact, EveryOtherBoardAgreesWithBruteForceNearTheEnd) {
    // The boards the test above leaves out, each with its own shape of edges and corners.
    int checked = 0;
    for (const int v : {1, 3, 5, 6, 7, 8, 11, 14, 15, 16, 17, 18}) {
        test::BruteForce brute(game::variant(v).pattern);
        Engine solver(holesOf(v), kMegabyte);
        for (const Mask marbles :
             test::positionsOfRandomGames(solver, v, 12, 10, std::uint32_t(1000 + v))) {
            const int fewest = brute.fewest(marbles);
            const Result result = solver.solve(marbles);
            ASSERT_TRUE(result.proven()) << v << " " << marbles;
            ASSERT_EQ(result.best, fewest) << v << " " << marbles;
            EXPECT_EQ(std::popcount(play(brute, marbles, result.moves)), fewest);
            EXPECT_EQ(solver.canReachOne(marbles), fewest == 1 ? Reach::Yes : Reach::No);
            ++checked;
        }
    }
    EXPECT_GT(checked, 300);
}

TEST(SolverExact, CrossFromTheCentreEndsWithOneMarbleOfTheCentresClass) {
    test::BruteForce rules(game::variant(4).pattern);
    Engine solver(holesOf(4), 8 * kMegabyte);
    const Result result = solver.solve(startOf(4));
    EXPECT_TRUE(result.proven());
    EXPECT_EQ(result.best, 1);
    EXPECT_EQ(result.moves.size(), 31u);
    EXPECT_EQ(std::popcount(play(rules, startOf(4), result.moves)), 1);
    EXPECT_EQ(solver.canReachOne(startOf(4)), Reach::Yes);

    // The last marble lies where the position classes let it: the centre or a hole three steps
    // from it along a row or a column, of which one marble cannot be brought anywhere else.
    const Mask last = play(rules, startOf(4), result.moves);
    const int at = std::countr_zero(last);
    const int dr = at / kSide - 3, dc = at % kSide - 3;
    EXPECT_TRUE((dr % 3 == 0) && (dc % 3 == 0)) << at;
    // What the first question left in the table answers the same question again.
    const Result again = solver.solve(startOf(4));
    EXPECT_EQ(again.best, 1);
    EXPECT_TRUE(again.proven());
    EXPECT_EQ(std::popcount(play(rules, startOf(4), again.moves)), 1);
}

TEST(SolverExact, LargeBoardsFindTheirOneMarbleLinesWithinAFewMillionPositions) {
    // Lines a depth-first search alone took hundreds of millions of positions to find: the two
    // starts and a position of variant 14 after a few jumps.
    Limits few;
    few.maxNodes = 3'000'000;
    for (const int variant : {14, 15}) {
        SCOPED_TRACE(variant);
        test::BruteForce rules(game::variant(variant).pattern);
        Engine solver(holesOf(variant), 16 * kMegabyte);
        const Result result = solver.solve(startOf(variant), few);
        EXPECT_EQ(result.best, 1);
        EXPECT_TRUE(result.proven());
        EXPECT_EQ(std::popcount(play(rules, startOf(variant), result.moves)), 1);
    }
    Engine solver(holesOf(14), 16 * kMegabyte);
    EXPECT_EQ(solver.canReachOne(0x1fece7c3feeffULL, few), Reach::Yes);
}

TEST(SolverExact, FrenchBoardFromTheCentreCannotEndWithOneMarble) {
    // The position classes alone rule it out, without a search.
    Engine solver(holesOf(5), 0);
    EXPECT_EQ(solver.staticLowerBound(startOf(5)), 2);
    EXPECT_EQ(solver.canReachOne(startOf(5)), Reach::No);
    Engine cross(holesOf(4), 0);
    EXPECT_EQ(cross.staticLowerBound(startOf(4)), 1);
}

TEST(SolverExact, PositionWithoutJumpsIsItsOwnProvenAnswer) {
    Engine solver(holesOf(4), kMegabyte);
    // Two marbles apart on the top arm and one at the bottom: no jump.
    const Mask marbles = (Mask{1} << 2) | (Mask{1} << 4) | (Mask{1} << 45);
    const Result result = solver.solve(marbles);
    EXPECT_EQ(result.best, 3);
    EXPECT_EQ(result.lowerBound, 3);
    EXPECT_TRUE(result.moves.empty());
    EXPECT_EQ(solver.canReachOne(marbles), Reach::No);

    EXPECT_EQ(solver.solve(Mask{1} << game::kCentre).best, 1);
    EXPECT_TRUE(solver.solve(Mask{1} << game::kCentre).proven());
    EXPECT_EQ(solver.solve(0).best, 0);
    EXPECT_EQ(solver.canReachOne(0), Reach::No);
}

TEST(SolverLimits, StopAndNodeLimitLeaveItUndecidedButHonest) {
    test::BruteForce rules(game::variant(4).pattern);
    Engine solver(holesOf(4), kMegabyte);
    std::atomic<bool> stop{true};
    Limits stopped;
    stopped.stop = &stop;
    EXPECT_EQ(solver.canReachOne(startOf(4), stopped), Reach::Undecided);
    const Result result = solver.solve(startOf(4), stopped);
    EXPECT_FALSE(result.proven());
    EXPECT_EQ(result.lowerBound, 1);
    EXPECT_EQ(std::popcount(play(rules, startOf(4), result.moves)), result.best);
    EXPECT_LE(result.nodes, 1u);
    // Stopped before any line: the position itself, and no jump claimed.
    EXPECT_EQ(result.best, 32 - int(result.moves.size()));

    Limits few;
    few.maxNodes = 3000;
    const Result partial = solver.solve(startOf(4), few);
    EXPECT_LE(partial.nodes, few.maxNodes + 256);
    EXPECT_GE(partial.best, partial.lowerBound);
    EXPECT_EQ(std::popcount(play(rules, startOf(4), partial.moves)), partial.best);

    const Limits past = Limits::within(std::chrono::nanoseconds(0));
    Engine square(holesOf(7), kMegabyte);
    const Result late = square.solve(startOf(7), past);
    EXPECT_LE(late.nodes, 4096u + 256u);
}

TEST(SolverLimits, SeveralPositionsAreToldQuickOnesFirstAndAStopEndsThemBetweenTwo) {
    const Mask holes = holesOf(4);
    // 24 marbles that cannot leave one: proven only after many times the first round's share.
    const Mask hard = 0x70a7f2bb4a14;
    Mask fewer = hard; // a descendant of few marbles, decided at once
    while (std::popcount(fewer) > 14)
        fewer = applyJump(fewer, Engine(holes, 0).legalJumps(fewer).front());
    const Mask lastJump = (Mask{1} << 16) | (Mask{1} << 17); // one jump from a single marble
    Engine solver(holes, 4 * kMegabyte);
    std::vector<std::pair<Mask, Reach>> told;
    const auto tell = [&](Mask marbles, Reach reach) { told.emplace_back(marbles, reach); };
    solver.decideEach({hard, fewer, lastJump}, {}, tell);
    const std::vector<std::pair<Mask, Reach>> quickFirst{
        {fewer, Reach::No},
        {lastJump, Reach::Yes},
        {hard, Engine(holes, 4 * kMegabyte).canReachOne(hard)}};
    EXPECT_EQ(told, quickFirst);
    EXPECT_EQ(told.back().second, Reach::No);

    std::atomic<bool> stop{false};
    Limits limits;
    limits.stop = &stop;
    told.clear();
    Engine stopped(holes, 4 * kMegabyte);
    stopped.decideEach({lastJump, hard, fewer}, limits, [&](Mask marbles, Reach reach) {
        tell(marbles, reach);
        stop = true;
    });
    EXPECT_EQ(told, (std::vector<std::pair<Mask, Reach>>{{lastJump, Reach::Yes}}));
}

TEST(SolverTable, PositionSetKeepsWhatItTookAndRefusesWhenFull) {
    std::vector<std::uint64_t> cells(64, 7);
    PositionSet known(cells); // 48 positions at most
    EXPECT_EQ(known.bytes(), 512u);
    EXPECT_FALSE(known.contains(7));
    int taken = 0;
    for (std::uint64_t p = 1; p <= 100; ++p)
        taken += known.insert(p * 0x3F1);
    EXPECT_EQ(taken, 48);
    EXPECT_EQ(known.size(), 48u);
    for (std::uint64_t p = 1; p <= 100; ++p)
        EXPECT_EQ(known.contains(p * 0x3F1), p <= 48) << p;
    EXPECT_TRUE(known.insert(0x3F1)); // already there
    EXPECT_FALSE(known.contains(0x3F2));
    std::size_t visited = 0;
    known.forEach([&](std::uint64_t p) { visited += p % 0x3F1 == 0; });
    EXPECT_EQ(visited, 48u);
    known.clear();
    EXPECT_FALSE(known.contains(0x3F1));
    EXPECT_EQ(known.size(), 0u);
    EXPECT_FALSE(PositionSet().insert(5));
    EXPECT_FALSE(PositionSet().contains(5));

    // The table lends its upper half once and forgets its bounds; the positions lent stay.
    TranspositionTable table(8 * sizeof(std::uint64_t));
    for (std::uint64_t p = 1; p <= 6; ++p)
        table.store(p, 3);
    const auto lent = table.lendUpperHalf();
    EXPECT_EQ(lent.size(), 4u);
    EXPECT_EQ(table.capacity(), 4u);
    EXPECT_EQ(table.bytes(), 64u);
    EXPECT_TRUE(table.lendUpperHalf().empty());
    PositionSet borrowed(lent);
    for (std::uint64_t p = 100; p <= 110; ++p)
        borrowed.insert(p);
    for (std::uint64_t p = 1; p <= 6; ++p)
        EXPECT_EQ(table.lowerBound(p), 0);
    table.store(977, 5);
    EXPECT_EQ(table.lowerBound(977), 5);
    for (std::uint64_t p = 1; p <= 40; ++p)
        table.store(p * 977, 5);
    EXPECT_EQ(borrowed.size(), 3u);
    for (std::uint64_t p = 100; p <= 110; ++p)
        EXPECT_EQ(borrowed.contains(p), p <= 102) << p;
}

TEST(SolverTable, PackedSetGivesBackExactlyThePositionsItTook) {
    // Entries of 11, 23 and 39 bits, most of them across two words of their line, and a room so
    // small that most positions overflow their bucket: a position comes back whole from its
    // bucket number and what the entry keeps.
    struct Case {
        int variant;
        std::size_t words;
        int entryBits;
    };
    for (const Case c :
         {Case{0, 16384, 11}, Case{4, 16384, 23}, Case{7, 16384, 39}, Case{4, 64, 31}}) {
        const Mask holes = holesOf(c.variant);
        std::vector<std::uint64_t> words(c.words, 7);
        PackedPositionSet set(words, holes);
        EXPECT_EQ(set.entryBits(), c.entryBits) << c.variant;
        std::mt19937_64 random(std::uint64_t(c.variant));
        std::set<Mask> taken;
        std::vector<Mask> refused;
        for (int i = 0; i < 10000; ++i) {
            const Mask position = random() & holes;
            if (set.insert(position))
                taken.insert(position);
            else
                refused.push_back(position);
        }
        EXPECT_EQ(set.size(), taken.size()) << c.variant;
        // Only the small room fills up, and then close to what it promises.
        EXPECT_EQ(refused.empty(), c.words > 64) << c.variant;
        if (!refused.empty()) {
            EXPECT_GE(double(taken.size()), 0.8 * double(set.capacity())) << c.variant;
        }
        for (const Mask position : taken)
            EXPECT_TRUE(set.contains(position)) << c.variant << " " << position;
        for (const Mask position : refused)
            EXPECT_FALSE(set.contains(position)) << c.variant << " " << position;
        // Visited once each, also when the visit stops and goes on from where it stopped, and
        // positions are added meanwhile (those may be visited or not).
        std::multiset<Mask> visited;
        std::size_t from = 0;
        do {
            int budget = 37;
            from = set.forEach(from, [&](Mask position) {
                if (--budget < 0)
                    return false;
                if (taken.count(position) != 0)
                    visited.insert(position);
                return true;
            });
            set.insert(random() & holes);
        } while (from != PackedPositionSet::kDone);
        EXPECT_EQ(visited, std::multiset<Mask>(taken.begin(), taken.end())) << c.variant;
        set.clear();
        EXPECT_EQ(set.size(), 0u);
        EXPECT_FALSE(set.contains(*taken.begin()));
    }
    EXPECT_FALSE(PackedPositionSet().insert(5));
    EXPECT_FALSE(PackedPositionSet().contains(5));
}

TEST(SolverTable, KnownOnesGrowInSlicesAsFarAsAtOnce) {
    // Questions with little time each grow the known positions a slice at a time; a level that
    // takes longer than a slice must still be finished, and end where one long question ends.
    // The position can leave one marble: a No would be kept in the table and answer the later
    // questions before they grow anything.
    const Mask holes = holesOf(4);
    Engine rules(holes, kMegabyte);
    Mask asked = 0;
    for (std::uint32_t seed = 1000; asked == 0; ++seed)
        for (const Mask marbles : test::positionsOfRandomGames(rules, 4, 1, 20, seed))
            if (std::popcount(marbles) == 20 && rules.canReachOne(marbles) == Reach::Yes)
                asked = marbles;
    Engine atOnce(holes, kMegabyte);
    const Reach answer = atOnce.canReachOne(asked);
    ASSERT_GE(atOnce.knownOnesUpTo(), 9);
    Engine sliced(holes, kMegabyte);
    for (int question = 0; question < 5000 && sliced.knownOnesUpTo() < atOnce.knownOnesUpTo();
         ++question) {
        const Limits brief = Limits::within(std::chrono::microseconds(200));
        sliced.canReachOne(asked, brief);
    }
    EXPECT_EQ(sliced.knownOnesUpTo(), atOnce.knownOnesUpTo());
    EXPECT_EQ(sliced.canReachOne(asked), answer);
}

TEST(SolverTable, OutdatedAndCheapEntriesMakeRoomFirst) {
    // One bucket of four: a new entry replaces one whose bound is below its own, else the one
    // that took the least search.
    TranspositionTable table(4 * sizeof(std::uint64_t));
    table.store(1, 5, 1000);
    table.store(2, 5, 10);
    table.store(3, 5, 100000);
    table.store(4, 3, 1000000);
    table.store(5, 5, 50); // 4's bound 3 is outdated
    EXPECT_EQ(table.lowerBound(4), 0);
    table.store(6, 5, 50); // 2 took the least search
    EXPECT_EQ(table.lowerBound(2), 0);
    for (const std::uint64_t kept : {1, 3, 5, 6})
        EXPECT_EQ(table.lowerBound(kept), 5) << kept;
}

TEST(SolverTable, EntriesOfEarlierQuestionsStillAnswerButMakeRoomFirst) {
    // One bucket of four, on 26 holes: each entry is a whole word, with room for its question.
    TranspositionTable table(4 * sizeof(std::uint64_t), (std::uint64_t{1} << 26) - 1);
    table.store(1, 5, 1000000);
    table.store(2, 5, 1000000);
    table.newGeneration();
    EXPECT_EQ(table.lowerBound(1), 5);
    table.store(3, 5, 10);
    table.store(4, 5, 10);
    table.store(2, 5, 10); // found again: it belongs to this question too, its cost kept
    table.store(5, 5, 50); // 1 goes, although it took the most search
    EXPECT_EQ(table.lowerBound(1), 0);
    for (const std::uint64_t kept : {2, 3, 4, 5})
        EXPECT_EQ(table.lowerBound(kept), 5) << kept;
    table.store(6, 5, 50); // all of this question: the cheapest goes
    EXPECT_EQ(table.lowerBound(3), 0);
    for (const std::uint64_t kept : {2, 4, 5, 6})
        EXPECT_EQ(table.lowerBound(kept), 5) << kept;
}

TEST(SolverTable, StaysWithinItsBudgetAndNeverInventsABound) {
    EXPECT_EQ(TranspositionTable(1000).bytes(), 512u);
    EXPECT_EQ(TranspositionTable(7).bytes(), 0u);
    EXPECT_EQ(TranspositionTable(64 * kMegabyte).bytes(), 64 * kMegabyte);
    EXPECT_EQ(TranspositionTable(0).lowerBound(5), 0);

    TranspositionTable table(16 * sizeof(std::uint64_t));
    const auto boundOf = [](std::uint64_t p) { return int(p % 40) + 1; };
    for (std::uint64_t p = 1; p <= 2000; ++p)
        table.store(p * 0x10001, boundOf(p * 0x10001));
    int kept = 0;
    for (std::uint64_t p = 1; p <= 2000; ++p) {
        const int bound = table.lowerBound(p * 0x10001);
        EXPECT_TRUE(bound == 0 || bound == boundOf(p * 0x10001)) << p;
        kept += bound != 0;
    }
    EXPECT_LE(kept, 16);
    EXPECT_GT(kept, 0);
    // Half-word entries on the cross: the bucket and the tag still tell every position apart.
    TranspositionTable half(128 * 1024, holesOf(4));
    EXPECT_EQ(half.capacity(), 32u * 1024u);
    std::mt19937_64 random(11);
    std::vector<Mask> stored;
    for (int i = 0; i < 60000; ++i) {
        const Mask p = random() & holesOf(4);
        stored.push_back(p);
        half.store(p, boundOf(p));
    }
    int found = 0;
    for (const Mask p : stored) {
        const int bound = half.lowerBound(p);
        ASSERT_TRUE(bound == 0 || bound == boundOf(p)) << p;
        found += bound != 0;
    }
    EXPECT_GT(found, 16000);
    for (int i = 0; i < 20000; ++i) {
        const Mask p = random() & holesOf(4);
        const int bound = half.lowerBound(p);
        ASSERT_TRUE(bound == 0 || bound == boundOf(p)) << p;
    }

    // A lower bound only rises.
    table.store(3, 9);
    table.store(3, 4);
    EXPECT_EQ(table.lowerBound(3), 9);

    Engine solver(holesOf(6), 3 * kMegabyte + 5);
    EXPECT_EQ(solver.tableBytes(), 2 * kMegabyte);
    Limits few;
    few.maxNodes = 20000;
    solver.solve(startOf(6), few);
    EXPECT_EQ(solver.tableBytes(), 2 * kMegabyte);
}

} // namespace
