// Hints, taking back jumps, and the practice games they make: never ranked in the champions list.
#include "session_fakes.h"

#include "solver/solver.h"

#include <gtest/gtest.h>

using namespace marvolen;
using marvolen::test::SessionFixture;

namespace {

struct AidsFixture : test::FakeSolverFixture {
    void jump(int from, int to) {
        session->model().lift(from);
        session->model().dropOnHole(to, from);
    }
};

// Three marbles in a row beside a hole: one jump leaves two apart, and the game ends.
const char* const kOneJumpLeft = "       \n       \n       \nooo.   \n       \n       \n       ";

solver::Mask marbleMask(const game::BoardModel& model) {
    solver::Mask mask = 0;
    for (int p = 0; p < game::kPositions; ++p)
        if (model.hole(p) && model.marble(p))
            mask |= solver::Mask{1} << p;
    return mask;
}

solver::Mask holeMask(const game::BoardModel& model) {
    solver::Mask mask = 0;
    for (int p = 0; p < game::kPositions; ++p)
        if (model.hole(p))
            mask |= solver::Mask{1} << p;
    return mask;
}

} // namespace

TEST(Undo, TakesBackEveryJumpOfTheGameInTurnAndTheClockRunsOn) {
    AidsFixture f;
    app::GameSession& s = f.openWithFake();
    const QString fresh = s.model().text();
    s.mnuUndo_Click(); // no game in progress: nothing to take back
    EXPECT_EQ(s.model().text(), fresh);
    EXPECT_FALSE(s.practiceGame());

    f.click(0);
    const QString started = s.model().text();
    f.jump(10, 24);
    const QString afterFirst = s.model().text();
    f.jump(15, 17);
    ASSERT_EQ(s.model().MarbleCount(), 30);
    f.clock.advance(5);
    s.Timer1_Timer();

    s.mnuUndo_Click();
    EXPECT_EQ(s.model().text(), afterFirst);
    EXPECT_EQ(s.model().MarbleCount(), 31);
    EXPECT_EQ(f.board.countDisplay, QStringLiteral("0031"));
    EXPECT_TRUE(s.practiceGame());
    // A marble lifted when the jump is taken back goes home first.
    s.model().lift(22);
    s.mnuUndo_Click();
    EXPECT_EQ(s.model().text(), started);
    EXPECT_EQ(s.model().MarbleCount(), 32);
    EXPECT_FALSE(s.model().LiftedMarble());
    s.mnuUndo_Click(); // the marble Start took out stays out
    EXPECT_EQ(s.model().text(), started);
    EXPECT_EQ(s.model().MarbleCount(), 32);

    EXPECT_TRUE(f.windows.clockRunning);
    f.clock.advance(2);
    s.Timer1_Timer();
    EXPECT_GE(s.model().ElapsedSeconds(), 7);
}

TEST(Undo, AfterTheEndOfAGameChangesNothing) {
    AidsFixture f;
    app::GameSession& s = f.openWithFake();
    f.click(0);
    s.model().setText(kOneJumpLeft);
    f.jump(22, 24);
    ASSERT_FALSE(s.model().clockRunning());
    const QString over = s.model().text();
    s.mnuUndo_Click();
    EXPECT_EQ(s.model().text(), over);
    EXPECT_EQ(s.model().MarbleCount(), 2);
}

TEST(PracticeGame, EndsWithItsMessageAndTheChampionsListForViewingOnly) {
    AidsFixture f;
    app::GameSession& s = f.openWithFake();
    f.click(0);
    s.model().setText(kOneJumpLeft);
    s.mnuHint_Click();
    ASSERT_TRUE(s.practiceGame());
    f.windows.events.clear();
    f.jump(22, 24);
    const auto tells = f.windows.only("tell");
    ASSERT_EQ(tells.size(), 2u);
    EXPECT_EQ(tells[0], "tell Game over: No more possible moves!");
    EXPECT_EQ(tells[1], "tell Marvolen: " + app::GameSession::practiceMessage().toStdString());
    EXPECT_EQ(f.windows.only("champions"), std::vector<std::string>{"champions 4 view 0000200000"});
    EXPECT_FALSE(f.windows.clockRunning);

    // The next board is played without help until help is asked for: ranked as always.
    f.click(0);
    EXPECT_FALSE(s.practiceGame());
    s.model().setText(kOneJumpLeft);
    f.windows.events.clear();
    f.jump(22, 24);
    EXPECT_EQ(f.windows.only("tell").size(), 1u);
    EXPECT_EQ(f.windows.only("champions"), std::vector<std::string>{"champions 4 rank 0000200000"});
}

TEST(PracticeGame, OnlyAHintOrATakenBackJumpMakesOne) {
    AidsFixture f;
    app::GameSession& s = f.openWithFake();
    s.mnuOneMarble_Click(); // the warning is no help with a move
    f.click(0);
    f.jump(10, 24);
    EXPECT_FALSE(s.practiceGame());
    s.mnuUndo_Click();
    EXPECT_TRUE(s.practiceGame());
    s.imgLoff_Click(4); // a fresh board
    EXPECT_FALSE(s.practiceGame());
}

TEST(Hint, FlashesTheSolversJumpForTheBoardItWasAskedAbout) {
    AidsFixture f;
    app::GameSession& s = f.openWithFake();
    s.mnuHint_Click(); // before Start no jump is possible
    EXPECT_TRUE(f.questions->hints.empty());
    EXPECT_FALSE(s.practiceGame());

    f.click(0);
    s.model().lift(10); // a lifted marble goes back: the hint is for the board as it lies
    s.mnuHint_Click();
    EXPECT_TRUE(s.model().marble(10));
    ASSERT_EQ(f.questions->hints.size(), 1u);
    EXPECT_EQ(f.questions->hints[0].marbles, marbleMask(s.model()));
    EXPECT_EQ(f.questions->hints[0].holes, holeMask(s.model()));
    s.hintAnswered(1, solver::Jump{38, 31, 24});
    EXPECT_EQ(f.board.hints, (std::vector<std::pair<int, int>>{{38, 24}}));

    // Asked, then a jump: the answer is for a board that is gone.
    s.mnuHint_Click();
    f.jump(10, 24);
    EXPECT_EQ(f.questions->hintCancels, 1);
    s.hintAnswered(2, solver::Jump{38, 31, 24});
    EXPECT_EQ(f.board.hints.size(), 1u);

    // Nothing found in time, or a jump no longer possible: the first legal jump is shown.
    s.mnuHint_Click();
    s.hintAnswered(3, std::nullopt);
    s.mnuHint_Click();
    s.hintAnswered(4, solver::Jump{38, 31, 24});
    ASSERT_EQ(f.board.hints.size(), 3u);
    EXPECT_EQ(f.board.hints[1], f.board.hints[2]);
    EXPECT_TRUE(s.model().canJump(f.board.hints[1].first, f.board.hints[1].second));
    EXPECT_TRUE(s.model().marble(f.board.hints[1].first));
}

TEST(Hint, FollowingTheRealSolversHintsLeavesTheFewestMarbles) {
    SessionFixture f;
    app::GameSession& s = f.open();
    f.click(0);
    s.model().setText("  ...  \n  .o.  \n..ooo..\n.oo.oo.\n..ooo..\n  .o.  \n  ...  ");
    solver::Solver check(holeMask(s.model()), std::size_t(1) << 20);
    const solver::Result best = check.solve(marbleMask(s.model()));
    ASSERT_TRUE(best.proven());
    while (s.model().clockRunning()) {
        const std::size_t shown = f.board.hints.size();
        s.mnuHint_Click();
        while (f.board.hints.size() == shown)
            ASSERT_TRUE(f.windows.runPosted());
        const auto [from, to] = f.board.hints.back();
        s.model().lift(from);
        s.model().dropOnHole(to, from);
    }
    EXPECT_EQ(s.model().MarbleCount(), best.best);
}

TEST(OneMarbleWarning, TakingBackBeyondTheLostPositionAsksAgain) {
    AidsFixture f;
    app::GameSession& s = f.openWithFake();
    s.mnuOneMarble_Click();
    f.click(0);
    f.jump(10, 24);
    ASSERT_EQ(f.questions->asked.size(), 2u);
    s.oneMarbleAnswered(2, solver::Reach::No);
    ASSERT_TRUE(f.board.countWarning);
    f.jump(15, 17);
    s.mnuUndo_Click(); // back to the position proven lost: still lost, nothing asked
    EXPECT_TRUE(f.board.countWarning);
    EXPECT_EQ(f.questions->asked.size(), 2u);
    s.mnuUndo_Click(); // back before it: perhaps won again
    EXPECT_FALSE(f.board.countWarning);
    ASSERT_EQ(f.questions->asked.size(), 3u);
    EXPECT_EQ(f.questions->asked[2].marbles, marbleMask(s.model()));
}
