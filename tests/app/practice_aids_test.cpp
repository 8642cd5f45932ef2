// The practice aids: hints, taking back jumps, the practice games they make (never ranked in the
// champions list), and the warning that a single marble is out of reach.
#include "session_fakes.h"

#include "solver/solver.h"

#include <gtest/gtest.h>

using namespace marvolen;
using marvolen::test::SessionFixture;

namespace {

struct AidsFixture : test::FakeSolverFixture {
    void jump(int from, int to) {
        session->lift(from);
        session->dropOnHole(to, from);
    }
};

// Three marbles in a row beside a hole: one jump leaves two apart, and the game ends.
const char* const kOneJumpLeft = "       \n       \n       \nooo.   \n       \n       \n       ";

/// What the solver would say of `position`: `line` leaves `leaves` marbles, none leaves fewer
/// than `atLeast`.
app::assist::SolverAdvice advice(const game::Position& position, std::vector<game::Jump> line,
                                 int leaves, int atLeast, bool finished = false) {
    return {position, std::move(line), leaves, atLeast, finished};
}
/// Nothing found in time: no jump, the position's own count.
app::assist::SolverAdvice nothingFound(const game::Position& position) {
    return advice(position, {}, position.marbleCount(), 1);
}

} // namespace

TEST(Undo, TakesBackEveryJumpOfTheGameInTurnAndTheClockRunsOn) {
    AidsFixture f;
    app::GameSession& s = f.openWithFake();
    const QString fresh = s.model().text();
    s.aids().mnuUndo_Click(); // no game in progress: nothing to take back
    EXPECT_EQ(s.model().text(), fresh);
    EXPECT_FALSE(s.aids().practiceGame());

    f.click(0);
    const QString started = s.model().text();
    f.jump(10, 24);
    const QString afterFirst = s.model().text();
    f.jump(15, 17);
    ASSERT_EQ(s.model().MarbleCount(), 30);
    f.clock.advance(5);
    s.Timer1_Timer();

    s.aids().mnuUndo_Click();
    EXPECT_EQ(s.model().text(), afterFirst);
    EXPECT_EQ(s.model().MarbleCount(), 31);
    EXPECT_EQ(f.board.countDisplay, QStringLiteral("0031"));
    EXPECT_TRUE(s.aids().practiceGame());
    // A marble lifted when the jump is taken back goes home first.
    s.lift(22);
    s.aids().mnuUndo_Click();
    EXPECT_EQ(s.model().text(), started);
    EXPECT_EQ(s.model().MarbleCount(), 32);
    EXPECT_FALSE(s.model().LiftedMarble());
    s.aids().mnuUndo_Click(); // the marble Start took out stays out
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
    s.setBoardText(kOneJumpLeft);
    f.jump(22, 24);
    ASSERT_FALSE(s.model().clockRunning());
    const QString over = s.model().text();
    s.aids().mnuUndo_Click();
    EXPECT_EQ(s.model().text(), over);
    EXPECT_EQ(s.model().MarbleCount(), 2);
}

TEST(PracticeGame, EndsWithItsMessageAndTheChampionsListForViewingOnly) {
    AidsFixture f;
    app::GameSession& s = f.openWithFake();
    f.click(0);
    s.setBoardText(kOneJumpLeft);
    s.aids().mnuHint_Click();
    ASSERT_TRUE(s.aids().practiceGame());
    f.windows.events.clear();
    f.jump(22, 24);
    const auto tells = f.windows.only("tell");
    ASSERT_EQ(tells.size(), 2u);
    EXPECT_EQ(tells[0], "tell Game over: No more possible moves!");
    EXPECT_EQ(tells[1],
              "tell Marvolen: " + app::assist::PracticeAids::practiceMessage().toStdString());
    EXPECT_EQ(f.windows.only("champions"), std::vector<std::string>{"champions 4 view 0000200000"});
    EXPECT_FALSE(f.windows.clockRunning);

    // The next board is played without help until help is asked for: ranked as always.
    f.click(0);
    EXPECT_FALSE(s.aids().practiceGame());
    s.setBoardText(kOneJumpLeft);
    f.windows.events.clear();
    f.jump(22, 24);
    EXPECT_EQ(f.windows.only("tell").size(), 1u);
    EXPECT_EQ(f.windows.only("champions"), std::vector<std::string>{"champions 4 rank 0000200000"});
}

TEST(PracticeGame, OnlyAHintOrATakenBackJumpMakesOne) {
    AidsFixture f;
    app::GameSession& s = f.openWithFake();
    s.aids().mnuOneMarble_Click(); // the warning is no help with a move
    f.click(0);
    f.jump(10, 24);
    EXPECT_FALSE(s.aids().practiceGame());
    s.aids().mnuUndo_Click();
    EXPECT_TRUE(s.aids().practiceGame());
    s.imgLoff_Click(4); // a fresh board
    EXPECT_FALSE(s.aids().practiceGame());
}

TEST(Hint, FlashesTheSolversJumpForTheBoardItWasAskedAbout) {
    AidsFixture f;
    app::GameSession& s = f.openWithFake();
    s.aids().mnuHint_Click(); // before Start no jump is possible
    EXPECT_TRUE(f.questions->hints.empty());
    EXPECT_FALSE(s.aids().practiceGame());

    f.click(0);
    s.lift(10); // a lifted marble goes back: the hint is for the board as it lies
    s.aids().mnuHint_Click();
    EXPECT_TRUE(s.model().marble(10));
    ASSERT_EQ(f.questions->hints.size(), 1u);
    EXPECT_EQ(f.questions->hints[0], s.model().position());
    const game::Position started = s.model().position();
    s.aids().hintAnswered(1, advice(started, {{38, 31, 24}}, 5, 1));
    EXPECT_EQ(f.windows.hints, (std::vector<std::pair<int, int>>{{38, 24}}));

    // Asked, then a jump: the answer is for a board that is gone.
    s.aids().mnuHint_Click();
    f.jump(10, 24);
    EXPECT_EQ(f.questions->hintCancels, 1);
    s.aids().hintAnswered(2, advice(started, {{38, 31, 24}}, 5, 1));
    EXPECT_EQ(f.windows.hints.size(), 1u);

    // Nothing found in time, or a jump no longer possible: the first legal jump is shown.
    s.aids().mnuHint_Click();
    s.aids().hintAnswered(3, nothingFound(s.model().position()));
    s.aids().mnuHint_Click();
    s.aids().hintAnswered(4, advice(s.model().position(), {{38, 31, 24}}, 5, 1));
    ASSERT_EQ(f.windows.hints.size(), 3u);
    EXPECT_EQ(f.windows.hints[1], f.windows.hints[2]);
    EXPECT_TRUE(s.model().canJump(f.windows.hints[1].first, f.windows.hints[1].second));
    EXPECT_TRUE(s.model().marble(f.windows.hints[1].first));
}

TEST(Hint, FollowingTheRealSolversHintsLeavesTheFewestMarbles) {
    SessionFixture f;
    app::GameSession& s = f.open();
    f.click(0);
    s.setBoardText("  ...  \n  .o.  \n..ooo..\n.oo.oo.\n..ooo..\n  .o.  \n  ...  ");
    solver::Solver check(s.model().position().holes(), std::size_t(1) << 20);
    const solver::Result best = check.solve(s.model().position().marbles());
    ASSERT_TRUE(best.proven());
    while (s.model().clockRunning()) {
        const std::size_t shown = f.windows.hints.size();
        s.aids().mnuHint_Click();
        while (f.windows.hints.size() == shown)
            ASSERT_TRUE(f.windows.runPosted());
        const auto [from, to] = f.windows.hints.back();
        s.lift(from);
        s.dropOnHole(to, from);
    }
    EXPECT_EQ(s.model().MarbleCount(), best.best);
}

TEST(OneMarbleWarning, TakingBackBeyondTheLostPositionAsksAgain) {
    AidsFixture f;
    app::GameSession& s = f.openWithFake();
    s.aids().mnuOneMarble_Click();
    f.click(0);
    f.jump(10, 24);
    ASSERT_EQ(f.questions->asked.size(), 2u);
    s.aids().oneMarbleAnswered(2, solver::Reach::No);
    ASSERT_TRUE(f.windows.countWarning);
    f.jump(15, 17);
    s.aids().mnuUndo_Click(); // back to the position proven lost: still lost, nothing asked
    EXPECT_TRUE(f.windows.countWarning);
    EXPECT_EQ(f.questions->asked.size(), 2u);
    s.aids().mnuUndo_Click(); // back before it: perhaps won again
    EXPECT_FALSE(f.windows.countWarning);
    ASSERT_EQ(f.questions->asked.size(), 3u);
    EXPECT_EQ(f.questions->asked[2].marbles(), s.model().position().marbles());
}

// The warning that a single marble is out of reach: asked after Start and every jump while
// it is on, shown only on a proven loss, gone with the next fresh board.
namespace {

using WarningFixture = test::FakeSolverFixture;

// Two marbles that can jump once, and a third far away: every position is lost.
const char* const kLostAfterOneJump =
    "o      \n       \n       \noo.    \n       \n       \n       ";

} // namespace

TEST(OneMarbleWarning, IsOffByDefaultAndThenAsksTheSolverNothing) {
    WarningFixture f;
    app::GameSession& s = f.openWithFake();
    EXPECT_FALSE(s.aids().oneMarbleWarningOn());
    EXPECT_FALSE(f.windows.oneMarbleChecked);
    f.click(0);
    s.lift(10);
    s.dropOnHole(24, 10);
    EXPECT_TRUE(f.questions->asked.empty());
    EXPECT_FALSE(f.windows.countWarning);
}

TEST(OneMarbleWarning, IsStoredAsMinusOneThenBlankZeroAndReadAtTheNextStart) {
    WarningFixture f;
    f.setSetting("OneMarbleWarning", QStringLiteral("-1"));
    app::GameSession& s = f.openWithFake();
    EXPECT_TRUE(s.aids().oneMarbleWarningOn());
    EXPECT_TRUE(f.windows.oneMarbleChecked);
    s.aids().mnuOneMarble_Click();
    EXPECT_FALSE(f.windows.oneMarbleChecked);
    EXPECT_EQ(f.setting("OneMarbleWarning"), QStringLiteral(" 0"));
    s.aids().mnuOneMarble_Click();
    EXPECT_EQ(f.setting("OneMarbleWarning"), QStringLiteral("-1"));
}

TEST(OneMarbleWarning, AProvenLossTurnsTheCountAmberUntilTheNextFreshBoard) {
    WarningFixture f;
    app::GameSession& s = f.openWithFake();
    s.aids().mnuOneMarble_Click();
    EXPECT_TRUE(f.questions->asked.empty()); // a fresh board is never lost
    f.click(0);
    ASSERT_EQ(f.questions->asked.size(), 1u);
    const solver::Mask centre = solver::Mask{1} << 24;
    EXPECT_EQ(f.questions->asked[0].marbles(), f.questions->asked[0].holes() & ~centre);
    s.lift(10);
    s.dropOnHole(24, 10);
    ASSERT_EQ(f.questions->asked.size(), 2u);
    EXPECT_EQ(f.questions->asked[1].marbles() & (solver::Mask{1} << 10), 0u);

    s.aids().oneMarbleAnswered(f.questions->last(), solver::Reach::No);
    EXPECT_TRUE(s.aids().countWarning());
    EXPECT_TRUE(f.windows.countWarning);
    // Jumps cannot mend a loss: no more questions on this board.
    s.lift(15);
    s.dropOnHole(17, 15);
    EXPECT_EQ(s.model().position().marbleCount(), 30);
    EXPECT_EQ(f.questions->asked.size(), 2u);
    EXPECT_TRUE(f.windows.countWarning);

    f.click(0); // Start during a game: a fresh board, then the centre taken out
    EXPECT_FALSE(f.windows.countWarning);
    EXPECT_EQ(f.questions->asked.size(), 3u);
}

TEST(OneMarbleWarning, UndecidedAnswersAndAnswersForAnOlderBoardChangeNothing) {
    WarningFixture f;
    app::GameSession& s = f.openWithFake();
    s.aids().mnuOneMarble_Click();
    f.click(0);
    s.setBoardText(kLostAfterOneJump);
    s.lift(21);
    s.dropOnHole(23, 21);
    // Asked after Start, after the board was set, and after the jump.
    ASSERT_EQ(f.questions->asked.size(), 3u);
    s.aids().oneMarbleAnswered(1, solver::Reach::No); // the start position's question
    s.aids().oneMarbleAnswered(2, solver::Reach::No);
    EXPECT_FALSE(f.windows.countWarning);
    s.aids().oneMarbleAnswered(3, solver::Reach::Undecided);
    EXPECT_FALSE(f.windows.countWarning);
    s.aids().oneMarbleAnswered(3, solver::Reach::No); // already answered
    EXPECT_FALSE(f.windows.countWarning);
    // An answer that arrives after a fresh board belongs to the board before it.
    s.setBoardText(kLostAfterOneJump);
    s.aids().mnuOneMarble_Click();
    s.aids().mnuOneMarble_Click();
    const std::uint64_t asked = f.questions->last();
    s.imgLoff_Click(4);
    s.aids().oneMarbleAnswered(asked, solver::Reach::No);
    EXPECT_FALSE(f.windows.countWarning);
    EXPECT_GE(f.questions->reachReleases, 1);
}

TEST(OneMarbleWarning, SwitchedOffTheAmberCountTurnsCyanAgain) {
    WarningFixture f;
    app::GameSession& s = f.openWithFake();
    s.aids().mnuOneMarble_Click();
    f.click(0);
    s.lift(10);
    s.dropOnHole(24, 10);
    s.aids().oneMarbleAnswered(f.questions->last(), solver::Reach::No);
    ASSERT_TRUE(f.windows.countWarning);
    s.aids().mnuOneMarble_Click();
    EXPECT_FALSE(f.windows.countWarning);
}

TEST(OneMarbleWarning, TheRealSolverProvesALossAndTheAnswerArrivesThroughTheWindowsQueue) {
    SessionFixture f;
    app::GameSession& s = f.open();
    f.click(0);
    s.setBoardText(kLostAfterOneJump);
    s.aids().mnuOneMarble_Click();        // asks about the board as it stands
    EXPECT_FALSE(f.windows.countWarning); // nothing before the window's thread runs the answer
    while (!s.aids().countWarning() && f.windows.runPosted()) {
    }
    EXPECT_TRUE(f.windows.countWarning);
    // A board from which one marble is reached stays cyan.
    f.click(0);
    s.setBoardText("       \n       \n       \n  oo.  \n       \n       \n       ");
    s.aids().mnuOneMarble_Click();
    s.aids().mnuOneMarble_Click();
    ASSERT_TRUE(f.windows.runPosted());
    EXPECT_FALSE(f.windows.countWarning);
}

TEST(PracticeGame, TheFirstAidOfARankableGameAsksOnceAndTheMarkStaysUntilAFreshBoard) {
    AidsFixture f;
    app::GameSession& s = f.openWithFake();
    f.click(0);
    f.jump(10, 24);
    // No: nothing is taken back, no hint asked, and the game stays rankable.
    f.windows.confirmations = {false, false};
    s.aids().mnuUndo_Click();
    EXPECT_EQ(f.windows.only("confirm").size(), 1u);
    EXPECT_EQ(s.model().MarbleCount(), 31);
    EXPECT_FALSE(s.aids().practiceGame());
    EXPECT_FALSE(f.windows.practiceMark);
    s.aids().mnuHint_Click();
    EXPECT_EQ(f.windows.only("confirm").size(), 2u);
    EXPECT_TRUE(f.questions->hints.empty());
    EXPECT_FALSE(s.aids().practiceGame());
    // Yes: the game is a practice game, marked, and no aid asks again on this board.
    s.aids().mnuHint_Click();
    EXPECT_EQ(f.windows.only("confirm"),
              std::vector<std::string>(
                  3, "confirm " + app::assist::PracticeAids::practiceQuestion().toStdString()));
    EXPECT_EQ(f.questions->hints.size(), 1u);
    EXPECT_TRUE(s.aids().practiceGame());
    EXPECT_TRUE(f.windows.practiceMark);
    s.aids().mnuUndo_Click();
    s.aids().mnuRedo_Click();
    s.aids().mnuHint_Click();
    EXPECT_EQ(f.windows.only("confirm").size(), 3u);
    f.jump(15, 17); // the mark stays for the rest of the board
    EXPECT_TRUE(f.windows.practiceMark);
    f.click(0); // a fresh board: the mark goes, and the next game asks again
    EXPECT_FALSE(f.windows.practiceMark);
    EXPECT_EQ(f.windows.only("mark"), (std::vector<std::string>{"mark on", "mark off"}));
    f.jump(10, 24);
    s.aids().mnuUndo_Click();
    EXPECT_EQ(f.windows.only("confirm").size(), 4u);
}

TEST(PracticeGame, AGameWithoutAidsAndAidsWithNothingToDoAskNothing) {
    AidsFixture f;
    app::GameSession& s = f.openWithFake();
    s.aids().mnuUndo_Click(); // before Start
    s.aids().mnuRedo_Click();
    s.aids().mnuHint_Click();
    f.click(0);
    s.aids().mnuUndo_Click(); // Start's own marble is no jump
    s.aids().mnuRedo_Click(); // nothing was taken back
    f.jump(10, 24);
    f.jump(15, 17);
    EXPECT_TRUE(f.windows.only("confirm").empty());
    EXPECT_TRUE(f.windows.only("mark").empty());
    EXPECT_FALSE(s.aids().practiceGame());
}

// The solvers' tables are held only while an aid needs them: a fresh board frees both, the
// warning switched off frees its own.
TEST(SolverMemory, AFreshBoardAndTheWarningSwitchedOffFreeWhatTheSolversHold) {
    AidsFixture f;
    app::GameSession& s = f.openWithFake();
    f.click(0);
    f.jump(10, 24);
    s.aids().mnuHint_Click();
    s.aids().mnuOneMarble_Click();
    ASSERT_EQ(f.questions->asked.size(), 1u);
    ASSERT_TRUE(s.aids().solverWorking());
    const int reach = f.questions->reachReleases;
    const int work = f.questions->workReleases;
    s.aids().mnuOneMarble_Click(); // off
    EXPECT_EQ(f.questions->reachReleases, reach + 1);
    EXPECT_EQ(f.questions->workReleases, work) << "the hints' work goes on";
    s.imgLoff_Click(4);
    EXPECT_EQ(f.questions->reachReleases, reach + 2);
    EXPECT_EQ(f.questions->workReleases, work + 1);
    EXPECT_FALSE(s.aids().solverWorking());
}

TEST(Redo, PutsBackTheJumpsTakenBackOneByOneUntilANewJump) {
    AidsFixture f;
    app::GameSession& s = f.openWithFake();
    f.click(0);
    const QString started = s.model().text();
    f.jump(10, 24);
    const QString afterFirst = s.model().text();
    f.jump(15, 17);
    const QString afterSecond = s.model().text();
    s.aids().mnuUndo_Click();
    s.aids().mnuUndo_Click();
    ASSERT_EQ(s.model().text(), started);
    s.lift(22); // a lifted marble goes home first
    s.aids().mnuRedo_Click();
    EXPECT_EQ(s.model().text(), afterFirst);
    EXPECT_EQ(s.model().MarbleCount(), 31);
    EXPECT_EQ(f.board.countDisplay, QStringLiteral("0031"));
    s.aids().mnuRedo_Click();
    EXPECT_EQ(s.model().text(), afterSecond);
    s.aids().mnuRedo_Click(); // nothing more to put back
    EXPECT_EQ(s.model().text(), afterSecond);
    EXPECT_EQ(s.model().jumpsMade(), 2);

    // A new jump after a take-back: what was taken back is gone.
    s.aids().mnuUndo_Click();
    f.jump(19, 17);
    const QString other = s.model().text();
    s.aids().mnuRedo_Click();
    EXPECT_EQ(s.model().text(), other);
}

// The solver's work toward the next hint: from the first hint of a game to its end, on every
// position the game comes to.
TEST(HintWork, FollowsEveryPositionFromTheFirstHintUntilTheGameOrTheBoardEnds) {
    AidsFixture f;
    app::GameSession& s = f.openWithFake();
    f.click(0);
    f.jump(10, 24);
    EXPECT_TRUE(f.questions->worked.empty()); // a game without hints costs no work
    EXPECT_FALSE(s.aids().solverWorking());

    s.aids().mnuHint_Click();
    EXPECT_TRUE(s.aids().solverWorking());
    f.jump(15, 17);
    ASSERT_EQ(f.questions->worked.size(), 1u);
    EXPECT_EQ(f.questions->worked.back(), s.model().position());
    s.aids().mnuUndo_Click();
    ASSERT_EQ(f.questions->worked.size(), 2u);
    EXPECT_EQ(f.questions->worked.back(), s.model().position());
    s.aids().mnuRedo_Click();
    ASSERT_EQ(f.questions->worked.size(), 3u);
    EXPECT_EQ(f.questions->worked.back(), s.model().position());

    // A fresh board in the middle of a game ends the work and frees the solver; the next game
    // goes without it until its first hint.
    const int released = f.questions->workReleases;
    s.imgLoff_Click(4);
    EXPECT_EQ(f.questions->workReleases, released + 1);
    EXPECT_EQ(f.questions->workStops, 0);
    EXPECT_FALSE(s.aids().solverWorking());
    f.click(0);
    f.jump(10, 24);
    EXPECT_EQ(f.questions->worked.size(), 3u);

    // So does the last jump of a game.
    s.aids().mnuHint_Click();
    s.setBoardText(kOneJumpLeft);
    ASSERT_EQ(f.questions->worked.size(), 4u);
    f.jump(22, 24);
    EXPECT_EQ(f.questions->workStops, 1);
    EXPECT_FALSE(s.aids().solverWorking());
    f.click(0);
    f.jump(22, 24);
    ASSERT_FALSE(s.model().position().firstJump());
    EXPECT_EQ(f.questions->worked.size(), 4u);
    EXPECT_EQ(f.questions->workStops, 1);
}

TEST(HintWork, AHintOnAPositionTheSolverIsDoneWithIsShownWithoutAsking) {
    AidsFixture f;
    app::GameSession& s = f.openWithFake();
    f.click(0);
    s.aids().mnuHint_Click();
    ASSERT_EQ(f.questions->hints.size(), 1u);
    f.jump(10, 24);
    const game::Position position = s.model().position();

    // Found while the work goes on: the hint still asks, and gets the usual time.
    s.aids().workLearned(advice(position, {{19, 18, 17}}, 4, 1));
    s.aids().mnuHint_Click();
    EXPECT_EQ(f.questions->hints.size(), 2u);
    EXPECT_EQ(f.windows.hints.size(), 0u);
    // Its time up, what the work found is shown at once, and the hint in work dropped.
    s.aids().workLearned(advice(position, {{19, 18, 17}}, 4, 1, true));
    s.aids().mnuHint_Click();
    EXPECT_EQ(f.questions->hints.size(), 2u);
    EXPECT_EQ(f.questions->hintCancels, 2); // the first by the jump
    EXPECT_EQ(f.windows.hints, (std::vector<std::pair<int, int>>{{19, 17}}));
    s.aids().hintAnswered(2, nothingFound(position));
    EXPECT_EQ(f.windows.hints.size(), 1u);

    // A proven line: every position along it is settled, and the solver rests there.
    s.aids().workLearned(advice(position, {{15, 16, 17}, {24, 17, 10}}, 1, 1));
    s.aids().mnuHint_Click();
    EXPECT_EQ(f.windows.hints.back(), (std::pair<int, int>{15, 17}));
    const std::size_t worked = f.questions->worked.size();
    const int stops = f.questions->workStops;
    f.jump(15, 17);
    EXPECT_EQ(f.questions->worked.size(), worked);
    EXPECT_EQ(f.questions->workStops, stops + 1);
    s.aids().mnuHint_Click();
    EXPECT_EQ(f.windows.hints.back(), (std::pair<int, int>{24, 10}));
    EXPECT_EQ(f.questions->hints.size(), 2u);
    // Taken back off the line: worked on again.
    s.aids().mnuUndo_Click();
    s.aids().mnuUndo_Click();
    EXPECT_EQ(f.questions->worked.back(), s.model().position());
}

TEST(Hint, AlongTheLineKnownFromTheStartIsShownAtOnceAndOffItTheSolverIsAsked) {
    AidsFixture f;
    app::GameSession& s = f.openWithFake();
    f.click(0);
    const game::Position start = s.model().position();
    f.questions->startLine = advice(start, {{10, 17, 24}, {31, 24, 17}}, 1, 1, true);
    s.aids().mnuHint_Click();
    EXPECT_TRUE(f.questions->hints.empty());
    f.jump(10, 24);
    s.aids().mnuHint_Click();
    EXPECT_TRUE(f.questions->hints.empty());
    EXPECT_EQ(f.windows.hints, (std::vector<std::pair<int, int>>{{10, 24}, {31, 17}}));
    // Off the line the solver answers as usual.
    f.jump(15, 17);
    s.aids().mnuHint_Click();
    EXPECT_EQ(f.questions->hints.size(), 1u);
}

TEST(Hint, NeverShowsAJumpThatLeavesMoreThanOneAlreadyKnown) {
    AidsFixture f;
    app::GameSession& s = f.openWithFake();
    f.click(0);
    f.jump(10, 24);
    const game::Position position = s.model().position();

    // Known to leave two; the hint, in its time, finds only a jump that leaves three.
    s.aids().workLearned(advice(position, {{19, 18, 17}}, 2, 1));
    s.aids().mnuHint_Click();
    s.aids().hintAnswered(1, advice(position, {{31, 24, 17}}, 3, 1));
    EXPECT_EQ(f.windows.hints.back(), (std::pair<int, int>{19, 17}));
    // A jump that leaves fewer takes its place.
    s.aids().mnuHint_Click();
    s.aids().hintAnswered(2, advice(position, {{31, 24, 17}}, 1, 1));
    EXPECT_EQ(f.windows.hints.back(), (std::pair<int, int>{31, 17}));
    // Proven, it stays, whatever is found later.
    s.aids().workLearned(advice(position, {{19, 18, 17}}, 3, 1));
    s.aids().mnuHint_Click();
    EXPECT_EQ(f.windows.hints.back(), (std::pair<int, int>{31, 17}));
    EXPECT_EQ(f.questions->hints.size(), 2u);

    // Proven while a hint is in work that finds nothing: the proven jump, not the first one.
    f.jump(31, 17);
    const game::Position next = s.model().position();
    ASSERT_NE(next.firstJump()->from, 45);
    s.aids().mnuHint_Click();
    ASSERT_EQ(f.questions->hints.size(), 3u);
    s.aids().workLearned(advice(next, {{45, 38, 31}}, 1, 1));
    s.aids().hintAnswered(3, nothingFound(next));
    EXPECT_EQ(f.windows.hints.back(), (std::pair<int, int>{45, 31}));
}
