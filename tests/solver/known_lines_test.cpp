// The memory of best lines: what a line teaches the positions along it, and what it forgets.
#include "solver/known_lines.h"
#include "variant_masks.h"

#include <gtest/gtest.h>

using namespace marvolen;
using namespace marvolen::solver;
using marvolen::test::holesOf;
using marvolen::test::startOf;

namespace {

TEST(KnownLines, ALineTeachesEveryPositionAlongItAndOnlyABetterOneReplacesIt) {
    const Mask holes = holesOf(4);
    const Mask start = startOf(4);
    const std::vector<Jump> line{{10, 17, 24}, {31, 24, 17}};
    KnownLines known;
    ASSERT_TRUE(known.learn(holes, start, line, 3, 1, true));
    const auto after = known.find(holes, applyJump(start, line[0]));
    ASSERT_TRUE(after);
    EXPECT_EQ(after->line, std::vector<Jump>{line[1]});
    EXPECT_EQ(after->leaves, 3);
    EXPECT_EQ(after->atLeast, 1);
    EXPECT_FALSE(after->finished) << "only the position the line was found from is done";
    EXPECT_TRUE(known.find(holes, start)->settled());

    // A worse line only adds its bound; a better one takes the place.
    known.learn(holes, start, {{22, 23, 24}}, 5, 2, false);
    EXPECT_EQ(known.find(holes, start)->line, line);
    EXPECT_EQ(known.find(holes, start)->atLeast, 2);
    known.learn(holes, start, {{22, 23, 24}}, 2, 2, false);
    EXPECT_EQ(known.find(holes, start)->line, (std::vector<Jump>{{22, 23, 24}}));
    EXPECT_TRUE(known.find(holes, start)->proven());

    // A jump that cannot be made, or numbers that cannot hold, teach nothing.
    EXPECT_FALSE(known.learn(holes, start, {{24, 17, 10}}, 1, 1, false));
    EXPECT_FALSE(known.learn(holes, start, {{10, 17, 24}}, 40, 1, false));
    EXPECT_FALSE(known.learn(holes, start, {{10, 17, 24}}, 3, 4, false));
    EXPECT_FALSE(known.find(holes, applyJump(start, {24, 17, 10})));
    // Without a jump only the bound is kept, for the position itself.
    const Mask other = applyJump(start, {38, 31, 24});
    const auto bound = known.learn(holes, other, {}, 31, 1, false);
    ASSERT_TRUE(bound);
    EXPECT_TRUE(bound->line.empty());
    EXPECT_EQ(bound->leaves, 31);
}

TEST(KnownLines, ThePositionLongestUnusedIsForgottenFirst) {
    const Mask holes = holesOf(4);
    KnownLines known(2);
    const Mask a = startOf(4);
    const Mask b = applyJump(a, {10, 17, 24});
    const Mask c = applyJump(a, {38, 31, 24});
    known.learn(holes, a, {}, 32, 1, false);
    known.learn(holes, b, {}, 31, 1, false);
    EXPECT_TRUE(known.find(holes, a)); // a is used again: b is the one to go
    known.learn(holes, c, {}, 31, 1, false);
    EXPECT_TRUE(known.find(holes, a));
    EXPECT_FALSE(known.find(holes, b));
    EXPECT_TRUE(known.find(holes, c));
}

} // namespace
