// A game carried over between sittings through the session: kept after every move and second,
// offered at the next start, taken up as a practice game or declined; and the statistics of
// the games started and finished.
#include "session_fakes.h"

#include "game/saved_game.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace marvolen;
using marvolen::test::SessionFixture;

namespace {

/// A session with a game of variant 5 begun and two jumps made, six seconds in.
struct CarriedFixture : SessionFixture {
    app::GameSession& playTwoJumps() {
        app::GameSession& s = open();
        click(app::CommandButton::Start);
        s.dropOnHole(24, 10);
        clock.advance(6);
        s.Timer1_Timer();
        s.dropOnHole(17, 15);
        return s;
    }
    QString unfinishedFile() const { return dir.filePath(QStringLiteral("unfinished-game.txt")); }
    /// The program is killed: nothing of the session runs again; a new one starts.
    app::GameSession& startAgain(std::deque<bool> answers) {
        session.reset();
        windows.answers = std::move(answers);
        app::GameSession& s = open();
        s.offerUnfinishedGame();
        return s;
    }
};

bool asked(const test::Recorder& windows, const std::string& part) {
    for (const std::string& event : windows.events)
        if (event.rfind("ask ", 0) == 0 && event.find(part) != std::string::npos)
            return true;
    return false;
}

} // namespace

TEST(CarryOver, AGameCutOffAfterAJumpIsTakenUpWithItsBoardItsJumpsAndItsClock) {
    CarriedFixture f;
    const game::Position before = f.playTwoJumps().model().position();
    ASSERT_TRUE(QFile::exists(f.unfinishedFile()));

    app::GameSession& s = f.startAgain({true});
    EXPECT_TRUE(asked(f.windows, "variant 5, 30 marbles, 6 seconds"));
    EXPECT_TRUE(asked(f.windows, "practice game"));
    EXPECT_EQ(s.model().position(), before);
    EXPECT_EQ(f.board.countDisplay, "0030");
    EXPECT_EQ(f.board.timeDisplay, "0006");
    EXPECT_TRUE(s.aids().practiceGame());
    EXPECT_TRUE(f.windows.practiceMark);
    // The clock stands until the next move; the time away was not on it.
    EXPECT_FALSE(s.model().clockRunning());
    f.clock.advance(100);
    // The jumps made before come back with the game: one is taken back, then the clock runs on.
    s.mnuUndo_Click();
    EXPECT_EQ(f.board.countDisplay, "0031");
    EXPECT_TRUE(s.model().clockRunning());
    f.clock.advance(2);
    s.Timer1_Timer();
    EXPECT_EQ(f.board.timeDisplay, "0008");
    // Start still begins a new game, and the game carried over is gone.
    f.click(app::CommandButton::Start);
    EXPECT_EQ(f.board.countDisplay, "0032");
    EXPECT_FALSE(s.aids().practiceGame());
    EXPECT_FALSE(QFile::exists(f.unfinishedFile()));
}

TEST(CarryOver, NoDiscardsTheGameAndTheStartIsAsAlways) {
    CarriedFixture f;
    f.playTwoJumps();
    app::GameSession& s = f.startAgain({false});
    EXPECT_FALSE(QFile::exists(f.unfinishedFile()));
    EXPECT_TRUE(s.model().position().fresh());
    EXPECT_FALSE(s.aids().practiceGame());
    EXPECT_FALSE(f.windows.practiceMark);
    // Nothing is asked at the start after that.
    f.startAgain({});
    EXPECT_FALSE(asked(f.windows, "unfinished"));
}

TEST(CarryOver, AGameNeverLeftUnfinishedLeavesNoFileAndIsNeverOffered) {
    CarriedFixture f;
    app::GameSession& s = f.open();
    f.click(app::CommandButton::Start);
    f.clock.advance(3);
    s.Timer1_Timer(); // no jump yet: nothing to carry over
    EXPECT_FALSE(QFile::exists(f.unfinishedFile()));
    s.dropOnHole(24, 10);
    EXPECT_TRUE(QFile::exists(f.unfinishedFile()));
    // Another variant gives the game up.
    s.imgLoff_Click(3);
    EXPECT_FALSE(QFile::exists(f.unfinishedFile()));
    f.startAgain({true});
    EXPECT_FALSE(asked(f.windows, "unfinished"));
}

TEST(CarryOver, ClosingKeepsTheClockAndAFinishedGameIsCountedAndGone) {
    CarriedFixture f;
    app::GameSession& s = f.playTwoJumps();
    f.clock.advance(4.5);
    s.Timer1_Timer();
    Procedure unload(f.reporter, QStringLiteral("frmMarvolen"), QStringLiteral("Form_Unload"));
    s.unload(unload);
    f.startAgain({true});
    EXPECT_EQ(f.board.timeDisplay, "0010");

    // A board with one jump left: the game ends, is counted, and its file goes.
    CarriedFixture g;
    app::GameSession& t = g.open();
    g.click(app::CommandButton::Start);
    t.dropOnHole(24, 10);
    t.setBoardText("       \n       \n       \n  oo.  \n       \n       \n       ");
    g.clock.advance(7);
    t.Timer1_Timer();
    t.dropOnHole(25, 23);
    EXPECT_FALSE(QFile::exists(g.unfinishedFile()));
    const game::StatisticsTable table = t.statistics();
    const game::Tally& ranked = table.of(4, false);
    EXPECT_EQ(ranked.started, 1);
    EXPECT_EQ(ranked.finished, 1);
    EXPECT_EQ(ranked.oneMarble, 1);
    EXPECT_EQ(ranked.secondsPlayed, 7);
    ASSERT_TRUE(ranked.best);
    EXPECT_EQ(*ranked.best, (game::Result{1, 7}));
    EXPECT_TRUE(table.of(4, true).empty());
}

TEST(BoardText, CopyThenPasteGivesTheBoardBackAsAPracticeGameOnItsOwnVariant) {
    CarriedFixture f;
    app::GameSession& s = f.playTwoJumps();
    const game::Position played = s.model().position();
    s.mnuCopyBoard_Click();
    EXPECT_TRUE(f.windows.clipboard.startsWith(QStringLiteral("Marvolen variant 5: 30 marbles\n")));
    EXPECT_EQ(f.windows.said.back(), "Board copied");

    // Pasted on another variant, the board goes back to its own, whose thumbnail is selected.
    s.imgLoff_Click(0);
    EXPECT_EQ(f.windows.selectedVariant, 0);
    s.mnuPasteBoard_Click();
    EXPECT_EQ(f.windows.selectedVariant, 4);
    EXPECT_EQ(s.model().position(), played);
    EXPECT_EQ(f.board.countDisplay, "0030");
    EXPECT_EQ(f.board.timeDisplay, "0000");
    EXPECT_TRUE(s.aids().practiceGame());
    EXPECT_EQ(f.windows.said.back(), "Board pasted: variant 5, 30 marbles");
    // Played on from there, and kept as a game of its own that starts from the pasted board.
    s.dropOnHole(10, 24);
    EXPECT_EQ(f.board.countDisplay, "0029");
    EXPECT_TRUE(s.model().clockRunning());
    ASSERT_TRUE(QFile::exists(f.unfinishedFile()));
    f.startAgain({true});
    EXPECT_EQ(f.session->model().position().marbleCount(), 29);

    // Rubbish is told and changes nothing.
    const game::Position before = f.session->model().position();
    f.windows.clipboard = QStringLiteral("ooo\nhello\n");
    f.session->mnuPasteBoard_Click();
    EXPECT_EQ(f.session->model().position(), before);
    EXPECT_NE(f.windows.events.back().find("no board of any variant"), std::string::npos);
}

TEST(BoardText, APastedBoardPlayedToItsEndIsCountedAsPracticeAndSaysWhyItIsNotRanked) {
    CarriedFixture f;
    app::GameSession& s = f.open();
    f.windows.clipboard =
        QStringLiteral("  ...  \n  ...  \n.......\n..oo...\n.......\n  ...  \n  ...  \n");
    s.mnuPasteBoard_Click();
    s.dropOnHole(25, 23);
    ASSERT_TRUE(s.model().GameOver());
    bool told = false;
    for (const std::string& event : f.windows.events)
        told = told || event.find("went on from an earlier sitting or from a pasted board") !=
                           std::string::npos;
    EXPECT_TRUE(told);
    EXPECT_FALSE(s.model().handover().NewResultPending);
    const game::StatisticsTable table = s.statistics();
    EXPECT_EQ(table.of(4, true).finished, 1);
    EXPECT_EQ(table.of(4, true).oneMarble, 1);
    EXPECT_TRUE(table.of(4, false).empty());
    EXPECT_FALSE(QFile::exists(f.unfinishedFile()));
}
