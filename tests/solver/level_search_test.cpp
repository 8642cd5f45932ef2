// The level search against a brute force, within memories from roomy to far too small.
#include "brute_force.h"
#include "game/variants.h"
#include "solver/level_search.h"
#include "variant_masks.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

using namespace marvolen;
using namespace marvolen::solver;

namespace {

using test::play;

/// Whether `answer` is right for coming down to `target` from `marbles`, whose fewest is
/// `fewest`: Undecided is never wrong, Yes needs jumps that get there.
void expectRight(const test::BruteForce& rules, Mask marbles, int target, int fewest,
                 const LevelAnswer& answer) {
    if (answer.reached == Reach::Undecided)
        return;
    ASSERT_EQ(answer.reached, fewest <= target ? Reach::Yes : Reach::No)
        << marbles << " " << target;
    if (answer.reached == Reach::Yes) {
        EXPECT_LE(std::popcount(play(rules, marbles, answer.moves)), target) << marbles;
    }
}

TEST(LevelSearch, AgreesWithBruteForceOnPositionsOfRandomGames) {
    // Boards with all eight symmetries, with four, with a mirror only; targets just reached and
    // just missed.
    std::vector<std::uint64_t> memory(1 << 17); // a megabyte
    for (const int v : {4, 10, 12, 19}) {
        test::BruteForce brute(game::variant(v).pattern);
        const Engine solver(test::holesOf(v), 0);
        LevelSearch levels(solver, memory);
        int checked = 0;
        for (const Mask marbles :
             test::positionsOfRandomGames(solver, v, 20, 16, std::uint32_t(500 + v))) {
            const int fewest = brute.fewest(marbles);
            for (const int target : {fewest - 1, fewest, fewest + 1}) {
                if (target < 1)
                    continue;
                const LevelAnswer answer = levels.run(marbles, target);
                ASSERT_NE(answer.reached, Reach::Undecided) << v << " " << marbles;
                expectRight(brute, marbles, target, fewest, answer);
                ++checked;
            }
        }
        EXPECT_GT(checked, 100) << v;
    }
}

TEST(LevelSearch, TooLittleMemoryOrAStopLeavesItUndecidedNeverWrong) {
    // From enough for every count, to enough for two counts only (the jumps are found again
    // from the start), to too little for even that.
    const int v = 4;
    test::BruteForce brute(game::variant(v).pattern);
    const Engine solver(test::holesOf(v), 0);
    int undecided = 0;
    int decided = 0;
    for (const std::size_t words : {std::size_t{600}, std::size_t{160}, std::size_t{24}}) {
        std::vector<std::uint64_t> memory(words);
        LevelSearch levels(solver, memory);
        for (const Mask marbles :
             test::positionsOfRandomGames(solver, v, 6, 17, std::uint32_t(500 + v))) {
            const int fewest = brute.fewest(marbles);
            for (const int target : {fewest - 1, fewest}) {
                const LevelAnswer answer = levels.run(marbles, target);
                expectRight(brute, marbles, target, fewest, answer);
                (answer.reached == Reach::Undecided ? undecided : decided) += 1;
                EXPECT_LE(answer.mostBytes, words * sizeof(std::uint64_t));
            }
        }
    }
    EXPECT_GT(undecided, 10);
    EXPECT_GT(decided, 10);

    std::vector<std::uint64_t> memory(1 << 17);
    LevelSearch levels(solver, memory);
    const std::atomic<bool> stop{true};
    Limits limits;
    limits.stop = &stop;
    const LevelAnswer stopped = levels.run(test::startOf(v), 1, limits);
    EXPECT_EQ(stopped.reached, Reach::Undecided);
    EXPECT_EQ(stopped.positions, 0u);
}

TEST(LevelSearch, GivesUpEarlyOnlyWhenTheCountsWouldOutgrowThePlannedMemory) {
    // The cross from its start down to one marble: far more positions than a small memory
    // holds. Planned for that small memory, the search says so; planned for plenty, it runs
    // out of the small memory without a verdict on the plan.
    const int v = 4;
    const Engine solver(test::holesOf(v), 0);
    std::vector<std::uint64_t> small(1 << 12); // 32 kilobytes
    const LevelAnswer cramped = LevelSearch(solver, small).run(test::startOf(v), 1);
    EXPECT_EQ(cramped.reached, Reach::Undecided);
    EXPECT_TRUE(cramped.tooLarge);
    EXPECT_LE(cramped.mostBytes, small.size() * sizeof(std::uint64_t));

    const LevelAnswer probe =
        LevelSearch(solver, small, std::size_t{1} << 30).run(test::startOf(v), 1);
    EXPECT_EQ(probe.reached, Reach::Undecided);
    EXPECT_FALSE(probe.tooLarge);
    EXPECT_GT(probe.positions, cramped.positions);
}

} // namespace
