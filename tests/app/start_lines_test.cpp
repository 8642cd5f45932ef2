// The lines known from the variants' starts: each can be played and leaves what it claims.
#include "app/assist/start_lines.h"
#include "game/variants.h"

#include <gtest/gtest.h>

using namespace marvolen;

namespace {
game::Position::Mask holesOf(int variant) {
    game::Position::Mask holes = 0;
    int place = 0;
    for (const char c : QByteArray(game::variant(variant).pattern))
        if (c != '.')
            holes |= game::Position::Mask(c == '1') << place++;
    return holes;
}
} // namespace

TEST(StartLines, EveryVariantsLinePlaysFromItsStartToTheCountItClaims) {
    for (int v = 0; v < game::kVariants; ++v) {
        SCOPED_TRACE(v);
        const auto line = app::assist::startLine(holesOf(v));
        ASSERT_TRUE(line);
        EXPECT_EQ(line->position.marbleCount(), game::variant(v).startCount - 1);
        EXPECT_FALSE(line->position.marbles() & (game::Position::Mask{1} << game::kCentre));
        game::Position position = line->position;
        for (const game::Jump& jump : line->line) {
            ASSERT_TRUE(position.canJump(jump.from, jump.to)) << jump.from << ">" << jump.to;
            position = position.apply(jump);
        }
        EXPECT_EQ(position.marbleCount(), line->leaves);
        EXPECT_LE(line->atLeast, line->leaves);
    }
    // Proven by the solver (its benchmark): the large boards end with one marble, and 12 with five.
    const auto proven = [](int v) { return app::assist::startLine(holesOf(v))->atLeast; };
    EXPECT_EQ(proven(14), 1);
    EXPECT_EQ(proven(15), 1);
    EXPECT_EQ(proven(12), 5);
    EXPECT_FALSE(app::assist::startLine(0x7));
}
