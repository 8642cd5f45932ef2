// The best game played out through the session: the line from the board or the variant's
// start, jump by jump, paused, stepped and stopped, with the game and its clock untouched.
#include "session_fakes.h"

#include "app/assist/start_lines.h"

#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>

using namespace marvolen;
using app::assist::SolverAdvice;

namespace {

struct BestGameFixture : test::FakeSolverFixture {
    app::GameSession& openWithStartLines() {
        app::GameSession& s = openWithFake();
        questions->startLine = app::assist::startLine(s.model().position().holes());
        return s;
    }
    game::Position shown() const { return board.shownOn(session->model().position().holes()); }
    bool said(const std::string& part) const {
        return std::any_of(windows.said.begin(), windows.said.end(),
                           [&](const std::string& s) { return s.find(part) != std::string::npos; });
    }
    bool asked() const {
        return std::any_of(windows.events.begin(), windows.events.end(),
                           [](const std::string& e) { return e.rfind("confirm ", 0) == 0; });
    }
};

/// The start of the board with these holes: every hole full but the centre.
game::Position startOf(game::Position::Mask holes) {
    game::Position start(holes, holes);
    start.setMarble(game::kCentre, false);
    return start;
}

/// The first legal jump, again and again, to where none is left: a line the solver could find.
SolverAdvice firstJumpsLine(const game::Position& from, int atLeast) {
    SolverAdvice advice{from, {}, 0, atLeast, false};
    game::Position at = from;
    while (const auto jump = at.firstJump()) {
        advice.line.push_back(*jump);
        at = at.apply(*jump);
    }
    advice.leaves = at.marbleCount();
    return advice;
}

} // namespace

TEST(BestGame, WithNoGameTheVariantsStartLinePlaysAtOnceToItsEndAndEscapeGoesBack) {
    BestGameFixture f;
    app::GameSession& s = f.openWithStartLines();
    const game::Position fresh = s.model().position();
    const SolverAdvice line = *f.questions->startLine;

    s.mnuBestGame_Click();
    // Nothing to rank and nothing to wait for: no question, the solver not asked.
    EXPECT_FALSE(f.asked());
    EXPECT_TRUE(f.questions->hints.empty());
    EXPECT_EQ(f.windows.playbackStatus, "Best game: jump 0 of 31");
    EXPECT_EQ(f.shown(), startOf(fresh.holes()));
    EXPECT_EQ(f.board.countDisplay, "0032");
    EXPECT_TRUE(f.said("The best game: 31 jumps, marbles left at the end: 1."));
    EXPECT_TRUE(f.windows.playbackTimer);

    game::Position expected = startOf(fresh.holes());
    for (int k = 0; k < 31; ++k) {
        s.playbackTick();
        expected = expected.apply(line.line[std::size_t(k)]);
        ASSERT_EQ(f.shown(), expected) << "after jump " << k + 1;
    }
    EXPECT_EQ(f.windows.events.back(), "travel 25>27");
    EXPECT_EQ(f.board.countDisplay, "0001");
    EXPECT_FALSE(f.windows.playbackTimer);
    EXPECT_TRUE(f.said("End of the best game. Marbles left: 1."));
    s.playbackTick();
    EXPECT_EQ(f.shown(), expected);

    // Escape is the line's, not the question whether to end the game.
    EXPECT_TRUE(s.Form_KeyPress(Qt::Key_Escape));
    EXPECT_FALSE(std::any_of(f.windows.events.begin(), f.windows.events.end(),
                             [](const std::string& e) { return e.rfind("ask ", 0) == 0; }));
    EXPECT_EQ(f.windows.playbackStatus, "");
    EXPECT_EQ(f.windows.said.back(), "Back to your game");
    EXPECT_EQ(f.shown(), fresh);
    EXPECT_EQ(f.board.countDisplay, "0033");
    EXPECT_EQ(s.model().position(), fresh);
    EXPECT_FALSE(s.aids().practiceGame());
    EXPECT_FALSE(s.bestGame().active());
}

TEST(BestGame, SpacePausesTheArrowsStepBothWaysAndSpaceAtTheEndPlaysItAgain) {
    BestGameFixture f;
    app::GameSession& s = f.openWithStartLines();
    const SolverAdvice line = *f.questions->startLine;
    const game::Position start = startOf(s.model().position().holes());
    s.mnuBestGame_Click();

    EXPECT_TRUE(s.playbackKey(Qt::Key_Space));
    EXPECT_EQ(f.windows.playbackStatus, "Best game: jump 0 of 31, paused");
    EXPECT_FALSE(f.windows.playbackTimer);
    s.playbackTick();
    EXPECT_EQ(f.shown(), start);

    s.playbackKey(Qt::Key_Right);
    EXPECT_EQ(f.windows.said.back(), "Jump 1 of 31: from row 4, column 2 to row 4, column 4");
    s.playbackKey(Qt::Key_Right);
    EXPECT_EQ(f.shown(), start.apply(line.line[0]).apply(line.line[1]));
    s.playbackKey(Qt::Key_Left);
    EXPECT_EQ(f.windows.said.back(), "Jump 2 of 31 taken back");
    EXPECT_EQ(f.shown(), start.apply(line.line[0]));
    s.playbackKey(Qt::Key_Left);
    s.playbackKey(Qt::Key_Left); // nothing before the start
    EXPECT_EQ(f.shown(), start);
    EXPECT_EQ(s.bestGame().playback().shown(), 0);
    EXPECT_TRUE(s.bestGame().playback().paused());
    EXPECT_FALSE(s.playbackKey(Qt::Key_Up));

    s.playbackKey(Qt::Key_Space);
    EXPECT_TRUE(f.windows.playbackTimer);
    EXPECT_EQ(f.windows.said.back(), "Playing on");
    for (int k = 0; k < 31; ++k)
        s.playbackTick();
    EXPECT_EQ(f.shown().marbleCount(), 1);
    s.playbackKey(Qt::Key_Space);
    EXPECT_EQ(f.shown(), start);
    EXPECT_TRUE(f.windows.playbackTimer);
}

TEST(BestGame, InARankableGameItAsksFirstAndTheClockStandsWhileTheLinePlays) {
    BestGameFixture f;
    app::GameSession& s = f.openWithStartLines();
    f.click(app::CommandButton::Start);
    s.dropOnHole(24, 10);
    f.clock.advance(5);
    s.Timer1_Timer();
    const game::Position played = s.model().position();

    f.windows.confirmations = {false};
    s.mnuBestGame_Click();
    EXPECT_TRUE(f.asked());
    EXPECT_FALSE(s.bestGame().active());
    EXPECT_FALSE(s.aids().practiceGame());

    // Off the start line: the solver looks, and the clock stands meanwhile.
    f.windows.confirmations = {true};
    s.mnuBestGame_Click();
    EXPECT_TRUE(s.aids().practiceGame());
    // The game kept for the next sitting says so at once: a kill may come before the next move.
    QFile kept(f.dir.filePath("unfinished-game.txt"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_TRUE(kept.readAll().contains("practice yes"));
    ASSERT_EQ(f.questions->hints.size(), 1u);
    EXPECT_EQ(f.questions->hints.back(), played);
    EXPECT_TRUE(f.windows.busy);
    EXPECT_EQ(f.windows.said.back(), "Looking for the best game");
    EXPECT_FALSE(f.windows.clockRunning);

    // Not proven: the best found, said as such.
    const SolverAdvice found = firstJumpsLine(played, 1);
    s.aids().hintAnswered(1, found);
    EXPECT_FALSE(f.windows.busy);
    const int jumps = int(found.line.size());
    EXPECT_EQ(f.windows.playbackStatus, QString("Best game found: jump 0 of %1").arg(jumps));
    EXPECT_TRUE(f.said(QString("The best game found: %1 jumps, marbles left at the end: %2.")
                           .arg(jumps)
                           .arg(found.leaves)
                           .toStdString()));
    f.clock.advance(60);
    s.playbackTick();
    s.playbackTick();
    EXPECT_EQ(f.shown(), played.apply(found.line[0]).apply(found.line[1]));

    // A click on the board stops it as Escape does; the clock runs on from where it stood.
    s.stopPlayback();
    EXPECT_EQ(f.shown(), played);
    EXPECT_EQ(f.board.countDisplay, "0031");
    EXPECT_TRUE(f.windows.clockRunning);
    f.clock.advance(1);
    s.Timer1_Timer();
    EXPECT_EQ(f.board.timeDisplay, "0006");
    EXPECT_EQ(s.model().jumpsMade(), 1);
}

TEST(BestGame, AMoveWhileTheSolverLooksDropsItsAnswerAndACommandEndsALineThatPlays) {
    BestGameFixture f;
    app::GameSession& s = f.openWithStartLines();
    f.click(app::CommandButton::Start);
    s.dropOnHole(24, 10);
    s.aids().setUpPractice();
    const game::Position asked = s.model().position();
    s.mnuBestGame_Click();
    ASSERT_TRUE(s.bestGame().active());

    s.dropOnHole(17, 15);
    EXPECT_FALSE(s.bestGame().active());
    EXPECT_FALSE(f.windows.busy);
    s.aids().hintAnswered(1, firstJumpsLine(asked, 1));
    EXPECT_EQ(f.windows.playbackStatus, "");
    EXPECT_EQ(f.shown(), s.model().position());

    // Start while a line plays: the game's board comes back first, then a new game begins.
    s.mnuBestGame_Click();
    s.aids().hintAnswered(2, firstJumpsLine(s.model().position(), 1));
    s.playbackTick();
    ASSERT_TRUE(s.bestGame().playback().active());
    f.click(app::CommandButton::Start);
    EXPECT_FALSE(s.bestGame().active());
    EXPECT_EQ(f.windows.playbackStatus, "");
    EXPECT_EQ(s.model().jumpsMade(), 0);
    EXPECT_EQ(f.shown(), s.model().position());
    EXPECT_EQ(f.board.countDisplay, "0032");
}

TEST(BestGame, AnAnswerWithoutALineStillPlaysAWholeGameCalledTheBestFound) {
    BestGameFixture f;
    app::GameSession& s = f.openWithFake();
    f.click(app::CommandButton::Start);
    s.dropOnHole(24, 10);
    s.aids().setUpPractice();
    const game::Position asked = s.model().position();
    s.mnuBestGame_Click();
    s.aids().hintAnswered(1, SolverAdvice{asked, {}, asked.marbleCount(), 1, false});
    const SolverAdvice firstJumps = firstJumpsLine(asked, 1);
    EXPECT_EQ(f.windows.playbackStatus,
              QString("Best game found: jump 0 of %1").arg(firstJumps.line.size()));
    EXPECT_FALSE(f.said("No jump is left"));
}

TEST(BestGame, ALineKeptShortOfItsEndIsCompletedOrElseTheSolverIsAsked) {
    BestGameFixture f;
    app::GameSession& s = f.openWithFake();
    const game::Position start = startOf(s.model().position().holes());
    const SolverAdvice whole = *app::assist::startLine(start.holes());
    // The first three jumps alone, then the rest from where they lead.
    SolverAdvice head = whole;
    head.line.resize(3);
    game::Position after = start;
    for (int k = 0; k < 3; ++k)
        after = after.apply(whole.line[std::size_t(k)]);
    SolverAdvice tail = whole;
    tail.position = after;
    tail.line.erase(tail.line.begin(), tail.line.begin() + 3);

    s.aids().workLearned(head);
    s.mnuBestGame_Click();
    // Known only to where it stops short: that is no game to show.
    EXPECT_EQ(f.questions->hints.size(), 1u);
    s.stopPlayback();

    s.aids().workLearned(tail);
    s.mnuBestGame_Click();
    EXPECT_EQ(f.questions->hints.size(), 1u);
    EXPECT_EQ(f.windows.playbackStatus, "Best game: jump 0 of 31");
}

TEST(BestGame, TheRealSolversLineComesThroughTheWindowsQueueAndPlaysToWhereNoJumpIsLeft) {
    BestGameFixture f;
    app::GameSession& s = f.open();
    f.click(app::CommandButton::Start);
    // Two jumps of a game that leaves one marble: the line shown can be proven only with one.
    s.dropOnHole(24, 10);
    s.dropOnHole(17, 15);
    const game::Position played = s.model().position();
    s.mnuBestGame_Click();
    while (!s.bestGame().playback().active())
        ASSERT_TRUE(f.windows.runPosted()) << "no line came";
    const bool proven = f.windows.playbackStatus.startsWith("Best game:");
    while (s.bestGame().playback().shown() == 0 || f.windows.playbackTimer)
        s.playbackTick();
    const game::Position end = s.bestGame().playback().position();
    EXPECT_FALSE(end.firstJump());
    if (proven) {
        EXPECT_EQ(end.marbleCount(), 1);
    }
    EXPECT_TRUE(f.said(QString("Marbles left: %1.").arg(end.marbleCount()).toStdString()));
    s.playbackKey(Qt::Key_Escape);
    EXPECT_EQ(s.model().position(), played);
}
