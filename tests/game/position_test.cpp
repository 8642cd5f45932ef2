// The board as a value: the jump rule, the list of legal jumps, a jump applied, the text form.
#include "game/position.h"
#include "game/variants.h"
#include "solver/solver.h"

#include <gtest/gtest.h>

#include <random>

using namespace marvolen;
using game::Jump;
using game::Position;

namespace {

// A row of three marbles with an empty hole at each end, in row 3.
const char* const kRow = "       \n       \n       \n.ooo.  \n       \n       \n       ";

Position startOf(int variant) {
    Position p;
    const QByteArray layout = game::layoutOf(variant);
    for (int i = 0; i < game::kPositions; ++i) {
        p.setHole(i, layout[i] == '1');
        p.setMarble(i, layout[i] == '1');
    }
    return p;
}

} // namespace

TEST(Position, TextFormRoundTripsAndAMarbleCountsOnlyOnAHole) {
    const Position row = Position::fromText(QString::fromLatin1(kRow));
    EXPECT_EQ(row.text(), QString::fromLatin1(kRow));
    EXPECT_EQ(row.marbleCount(), 3);
    EXPECT_FALSE(row.fresh());
    // Short rows and missing rows have no holes; a marble put where there is no hole is not there.
    Position p = Position::fromText(QStringLiteral("oo\n.o"));
    EXPECT_EQ(p.text(),
              QStringLiteral("oo     \n.o     \n       \n       \n       \n       \n       "));
    p.setMarble(40, true);
    EXPECT_FALSE(p.marble(40));
    p.setHole(0, false); // the marble goes with its hole
    EXPECT_FALSE(p.marble(0));
    EXPECT_EQ(p.marbleCount(), 2);
    // Outside the board there is nothing, and nothing can be set.
    p.setHole(49, true);
    p.setMarble(-1, true);
    EXPECT_FALSE(p.hole(49));
    EXPECT_FALSE(p.marble(-1));
    EXPECT_EQ(p.holes() >> 49, 0u);
}

TEST(Position, TheJumpRule) {
    const Position row = Position::fromText(QString::fromLatin1(kRow));
    EXPECT_TRUE(row.canJump(23, 21));
    EXPECT_FALSE(row.canJump(22, 25)); // three apart
    EXPECT_FALSE(row.canJump(22, 24)); // into a marble
    EXPECT_FALSE(row.canJump(24, 26)); // 26 has no hole
    EXPECT_FALSE(row.canJump(22, 36)); // two rows and two columns
    EXPECT_FALSE(row.canJump(-2, 0));
    EXPECT_FALSE(row.canJump(47, 49));
    // 19 and 21 are two apart in numbers, but on two rows of the board.
    const Position edge = Position::fromText(QStringLiteral("       \n       \n     oo\n.      "));
    EXPECT_FALSE(edge.canJump(19, 21));
    // Over an empty hole: no jump.
    Position gap = row;
    gap.setMarble(22, false);
    EXPECT_FALSE(gap.canJump(23, 21));
    // The source itself is not tested: a marble lifted off its place still jumps.
    Position lifted = row;
    lifted.setMarble(23, false);
    EXPECT_TRUE(lifted.canJump(23, 25));
}

TEST(Position, JumpsInReadingOrderAndApplied) {
    // A plus of seven marbles with empty holes around it.
    const Position plus = Position::fromText(
        QStringLiteral("  ...  \n  .o.  \n...o...\n.ooooo.\n...o...\n  .o.  \n  ...  "));
    const std::vector<Jump> jumps = plus.jumps();
    EXPECT_EQ(jumps, (std::vector<Jump>{{17, 10, 3}, {23, 22, 21}, {25, 26, 27}, {31, 38, 45}}));
    EXPECT_EQ(plus.firstJump(), jumps.front());
    for (const Jump& j : jumps) {
        const Position after = plus.apply(j);
        EXPECT_EQ(after.marbleCount(), plus.marbleCount() - 1);
        EXPECT_TRUE(after.marble(j.to));
        EXPECT_FALSE(after.marble(j.from) || after.marble(j.over));
        EXPECT_EQ(after.holes(), plus.holes());
    }
    // A position without a jump: none listed, none first.
    const Position apart = Position::fromText(QStringLiteral("o.o"));
    EXPECT_TRUE(apart.jumps().empty());
    EXPECT_FALSE(apart.firstJump());
}

// The game's jump list and the solver's own fast one must agree on every board: both are
// checked on the positions of random games of every variant.
TEST(Position, ItsJumpsAreTheSolversOnRandomGamesOfEveryVariant) {
    std::mt19937 random(7);
    for (int v = 0; v < game::kVariants; ++v) {
        Position start = startOf(v);
        start.setMarble(game::kCentre, false);
        const solver::Solver solver(start.holes(), std::size_t(1) << 16);
        for (int game = 0; game < 20; ++game) {
            Position p = start;
            for (;;) {
                const std::vector<Jump> ours = p.jumps();
                const std::vector<solver::Jump> theirs = solver.legalJumps(p.marbles());
                ASSERT_EQ(ours.size(), theirs.size()) << "variant " << v << "\n"
                                                      << p.text().toStdString();
                for (const solver::Jump& j : theirs)
                    EXPECT_NE(std::find(ours.begin(), ours.end(), Jump{j.from, j.over, j.to}),
                              ours.end());
                if (ours.empty())
                    break;
                p = p.apply(
                    ours[std::uniform_int_distribution<std::size_t>(0, ours.size() - 1)(random)]);
            }
        }
    }
}
