// The board: variants, layout, fresh boards, the start, the drag protocol, jumps and the end.
#include "fake_view.h"
#include "game/board_model.h"
#include "game/strips.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>

using namespace marvolen;
using namespace marvolen::game;
using marvolen::test::FakeView;
using namespace std::chrono_literals;

namespace {

/// A reading of the steady clock the game is started at.
constexpr std::chrono::milliseconds kTen = 10h;

struct Board {
    FakeView view;
    FixedReporter reporter;
    Random random{42};
    BoardModel model{view, view, reporter, random};

    explicit Board(int variantNumber = 4) {
        model.Coordinates();
        model.setVariantNumber(variantNumber);
        model.Layout(4000);
        model.NewGame();
    }
    /// Lifts s and drops it on t as the board surface delivers it: on the marble shown at t,
    /// else on the hole at t, else on the bare board.
    void move(int s, int t) {
        model.lift(s);
        if (model.marble(t))
            model.dropOnMarble(t, s);
        else if (model.hole(t))
            model.dropOnHole(t, s);
        else
            model.dropOnBoard(s);
    }
    /// Sets an arbitrary position and a running game on it.
    void set(const QString& text) {
        model.setText(text);
        model.StartGame(kTen); // takes out the centre
        model.setText(text);   // and puts the position back
    }
    int shownMarbles() const {
        int n = 0;
        for (int p = 0; p < kPositions; ++p)
            n += model.marble(p);
        return n;
    }
};

int ones(const char* pattern) {
    int n = 0;
    for (const char* c = pattern; *c; ++c)
        n += *c == '1';
    return n;
}

} // namespace

TEST(Variants, StartCountsMatchTheirPatternsAndEveryOneHasACentre) {
    for (int v = 0; v < kVariants; ++v) {
        EXPECT_EQ(variant(v).startCount, ones(variant(v).pattern)) << v;
        EXPECT_EQ(layoutOf(v).size(), 49);
        EXPECT_EQ(layoutOf(v)[kCentre], '1') << v;
    }
}

TEST(Variants, NumbersOutsideTheTableFailOrFallBackToVariantZero) {
    try {
        variant(25);
        ADD_FAILURE();
    } catch (const Failure& f) {
        EXPECT_EQ(f.number(), 9);
    }
    EXPECT_THROW(variant(-1), Failure);
    EXPECT_EQ(layoutOf(25), layoutOf(0));
    EXPECT_EQ(layoutOf(-3), layoutOf(0));
}

TEST(BoardLayout, SpacingAndMarginFollowTheVariantsGeometryClass) {
    EXPECT_EQ(geometryFor(4, 4000).holeSpacing, 467);
    EXPECT_EQ(geometryFor(4, 4000).margin, 480);
    EXPECT_EQ(geometryFor(10, 4000).holeSpacing, 400);
    EXPECT_EQ(geometryFor(10, 4000).margin, 600);
}

TEST(BoardLayout, HolesAndMarblesArePlacedOnTheGridWithTheMarbleOffsetByFive) {
    Board b(4);
    EXPECT_EQ(b.view.holeAt[0], std::make_pair(480, 480));
    EXPECT_EQ(b.view.holeAt[10], std::make_pair(480 + 467 * 3, 480 + 467));
    EXPECT_EQ(b.view.marbleAt[10], std::make_pair(485 + 467 * 3, 485 + 467));
    EXPECT_EQ(b.model.CurrentLayout(), layoutOf(4));
}

TEST(FreshBoard, VariantZeroHasTwentyOneFilledHolesAndAStoppedClock) {
    Board b(0);
    EXPECT_EQ(b.model.MarbleCount(), 21);
    EXPECT_EQ(b.shownMarbles(), 21);
    EXPECT_EQ(b.view.countDisplay, "0021");
    EXPECT_EQ(b.view.timeDisplay, "0000");
    EXPECT_FALSE(b.view.clockRunning);
    EXPECT_EQ(b.model.text(), "       \n  ooo  \n ooooo \n ooooo \n ooooo \n  ooo  \n       ");
    b.model.StartGame(kTen);
    EXPECT_FALSE(b.model.marble(kCentre));
    EXPECT_EQ(b.model.MarbleCount(), 20);
    EXPECT_EQ(b.view.countDisplay, "0020");
    EXPECT_TRUE(b.view.clockRunning);
}

TEST(FreshBoard, NoDropIsAJumpBeforeTheStart) {
    Board b(4);
    b.move(10, 24);
    EXPECT_TRUE(b.model.marble(10));
    EXPECT_EQ(b.model.MarbleCount(), 33);
}

TEST(Start, PlaysTheStartSoundAndTakesOneMarble) {
    Board b(7);
    b.model.StartGame(kTen);
    EXPECT_EQ(b.view.sounds, std::vector<int>{106});
    EXPECT_EQ(b.model.MarbleCount(), 48);
}

TEST(Start, DuringARunningGameBeginsAgainOnAFreshBoard) {
    Board b(4);
    b.model.StartGame(kTen);
    b.move(10, 24);
    ASSERT_EQ(b.model.MarbleCount(), 31);
    b.model.Timer1_Timer(kTen + 40s);
    b.model.StartGame(kTen + 41s);
    EXPECT_EQ(b.model.MarbleCount(), 32);
    EXPECT_EQ(b.view.timeDisplay, "0000");
    EXPECT_TRUE(b.model.marble(10));
    EXPECT_TRUE(b.model.marble(17));
    b.model.Timer1_Timer(kTen + 42s);
    EXPECT_EQ(b.view.timeDisplay, "0001");
}

TEST(Jumps, TheClassicOpeningRemovesTheJumpedMarble) {
    Board b(4);
    b.model.StartGame(kTen);
    b.view.sounds.clear();
    b.model.lift(10);
    EXPECT_FALSE(b.model.marble(10)); // its hole looks empty while dragged
    EXPECT_EQ(b.model.LiftedMarble(), 10);
    b.model.dropOnHole(24, 10);
    EXPECT_FALSE(b.model.marble(10));
    EXPECT_FALSE(b.model.marble(17));
    EXPECT_TRUE(b.model.marble(24));
    EXPECT_EQ(b.model.MarbleCount(), 31);
    EXPECT_EQ(b.view.countDisplay, "0031");
    ASSERT_EQ(b.view.sounds.size(), 1u);
    EXPECT_GE(b.view.sounds[0], 101);
    EXPECT_LE(b.view.sounds[0], 105);
    EXPECT_FALSE(b.model.GameOver());
    EXPECT_EQ(b.model.LiftedMarble(), std::nullopt);
}

enum class DropOn { Marble, Hole, Board };

struct RefusedDrop {
    const char* name;
    const char* board;
    int source;
    int target;
    DropOn on;
};

class RefusedDrops : public testing::TestWithParam<RefusedDrop> {};

TEST_P(RefusedDrops, PutTheMarbleBackAndChangeNothingElse) {
    Board b(7);
    b.set(GetParam().board);
    const QString before = b.model.text();
    const int count = b.model.MarbleCount();
    b.view.sounds.clear();
    const int s = GetParam().source, t = GetParam().target;
    b.model.lift(s);
    ASSERT_FALSE(b.model.marble(s));
    switch (GetParam().on) {
    case DropOn::Marble:
        b.model.dropOnMarble(t, s);
        break;
    case DropOn::Hole:
        b.model.dropOnHole(t, s);
        break;
    case DropOn::Board:
        b.model.dropOnBoard(s);
        break;
    }
    EXPECT_EQ(b.model.text(), before);
    EXPECT_EQ(b.model.MarbleCount(), count);
    EXPECT_TRUE(b.view.sounds.empty());
    EXPECT_EQ(b.model.LiftedMarble(), std::nullopt);
}

// Every refused hole drop has a marble to jump over where the shape alone would not refuse it,
// so each case fails on its own condition of the jump rule.
INSTANTIATE_TEST_SUITE_P(
    Moves, RefusedDrops,
    testing::Values(
        RefusedDrop{"OntoItsOwnHole",
                    "ooooooo\nooooooo\nooooooo\nooo.ooo\nooooooo\nooooooo\nooooooo", 10, 10,
                    DropOn::Hole},
        RefusedDrop{"Diagonal", "ooooooo\nooooooo\nooooooo\nooo.ooo\nooooooo\nooooooo\nooooooo", 8,
                    24, DropOn::Hole},
        RefusedDrop{"ThreeAway", "ooooooo\nooooooo\nooooooo\n.oooooo\nooooooo\nooooooo\nooooooo",
                    24, 21, DropOn::Hole},
        RefusedDrop{"WrapsAroundTheRowEnd",
                    "ooooooo\n.oooooo\nooooooo\nooo.ooo\nooooooo\nooooooo\nooooooo", 5, 7,
                    DropOn::Hole},
        RefusedDrop{"OverAnEmptyHole",
                    "ooooooo\nooooooo\nooo.ooo\nooo.ooo\nooooooo\nooooooo\nooooooo", 10, 24,
                    DropOn::Hole},
        RefusedDrop{"OntoAHoleHoldingAMarble",
                    "ooooooo\nooooooo\nooooooo\nooo.ooo\nooooooo\nooooooo\nooooooo", 10, 8,
                    DropOn::Hole},
        RefusedDrop{"OntoAMarble", "ooooooo\nooooooo\nooooooo\nooo.ooo\nooooooo\nooooooo\nooooooo",
                    10, 8, DropOn::Marble},
        RefusedDrop{"OntoTheBareBoard",
                    "ooooooo\nooooooo\nooooooo\nooo.ooo\nooooooo\nooooooo\nooooooo", 10, -1,
                    DropOn::Board}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DragProtocol, AMarbleReleasedOutsideStaysHiddenUntilThePointerReturns) {
    Board b(4);
    b.model.StartGame(kTen);
    b.model.lift(10);
    b.model.dropOutside();
    EXPECT_FALSE(b.model.marble(10));
    EXPECT_EQ(b.model.LiftedMarble(), 10);
    b.model.pointerOverBoard();
    EXPECT_TRUE(b.model.marble(10));
    EXPECT_EQ(b.model.LiftedMarble(), std::nullopt);
    b.model.pointerOverBoard(); // nothing lifted: nothing happens
    EXPECT_TRUE(b.model.marble(10));
}

TEST(DragProtocol, NewGameForgetsTheLiftedMarble) {
    Board b(4);
    b.model.lift(10);
    b.model.dropOutside();
    b.model.NewGame();
    EXPECT_EQ(b.model.LiftedMarble(), std::nullopt);
    EXPECT_TRUE(b.model.marble(10));
}

TEST(EndOfGame, OneMarbleLeftEndsTheGameInOrderAndHandsOverTheResult) {
    Board b(7);
    b.set("       \n       \n       \n  oo.  \n       \n       \n       ");
    b.model.Timer1_Timer(kTen + 35s);
    b.view.events.clear();
    b.move(23, 25);
    EXPECT_TRUE(b.model.GameOver());
    EXPECT_EQ(b.model.MarbleCount(), 1);
    EXPECT_EQ(b.model.handover().NewResult, QByteArray("0000100035"));
    EXPECT_TRUE(b.model.handover().NewResultPending);
    ASSERT_EQ(b.view.events.size(), 6u);
    EXPECT_EQ(b.view.events[1], "clock off"); // before the message, so the time cannot grow
    EXPECT_EQ(b.view.events[2], "sound 109");
    EXPECT_EQ(b.view.events[3], "message");
    EXPECT_EQ(b.view.events[4], "colours");
    EXPECT_EQ(b.view.events[5], "champions");
    EXPECT_EQ(b.view.timeDisplay, "0035");
}

TEST(Position, EveryChangeIsToldOnceAndNothingElseIs) {
    Board b(4);
    EXPECT_EQ(b.view.positionsTold, 1); // the fresh board of the constructor
    b.model.StartGame(kTen);
    EXPECT_EQ(b.view.positionsTold, 2);
    b.model.lift(10); // a marble in the hand is no change of position
    EXPECT_EQ(b.view.positionsTold, 2);
    EXPECT_TRUE(b.model.position().marble(10)); // the position counts it in its place
    EXPECT_FALSE(b.model.marble(10));           // while the board does not show it
    b.model.dropOnHole(26, 10);                 // refused
    b.model.pointerOverBoard();
    EXPECT_EQ(b.view.positionsTold, 2);
    b.move(10, 24);
    EXPECT_EQ(b.view.positionsTold, 3);
    EXPECT_EQ(b.model.position().marbleCount(), 31);
    EXPECT_TRUE(b.model.undoJump());
    EXPECT_EQ(b.view.positionsTold, 4);
    EXPECT_FALSE(b.model.undoJump()); // nothing left to take back: nothing told
    EXPECT_EQ(b.view.positionsTold, 4);
    b.model.NewGame();
    EXPECT_EQ(b.view.positionsTold, 5);
    EXPECT_TRUE(b.model.position().fresh());

    // The last jump is told before the end of the game is shown.
    b.set("       \n       \n       \n  oo.  \n       \n       \n       ");
    b.move(23, 25);
    EXPECT_EQ(b.view.toldAtMessage, b.view.positionsTold);
}

TEST(EndOfGame, AFinishedGameCannotBeContinued) {
    // Ends with three marbles, two of them two apart with an empty hole between: no drop of
    // any marble onto any hole is a jump, whatever its shape.
    Board b(7);
    b.set("       \n       \n       \n  oo.  \n       \no.o    \n       ");
    b.move(23, 25);
    ASSERT_TRUE(b.model.GameOver());
    ASSERT_EQ(b.model.MarbleCount(), 3);
    const QString ended = b.model.text();
    b.view.events.clear();
    for (int s = 0; s < kPositions; ++s)
        for (int t = 0; t < kPositions; ++t)
            if (b.model.marble(s) && b.model.hole(t) && !b.model.marble(t)) {
                b.model.lift(s);
                b.model.dropOnHole(t, s);
            }
    EXPECT_EQ(b.model.text(), ended);
    EXPECT_EQ(b.model.MarbleCount(), 3);
    EXPECT_TRUE(b.view.events.empty()); // no sound, no second hand-over
}

struct EndCase {
    const char* name;
    int variantNumber;
    const char* board;
    bool over;
};

class EndTest : public testing::TestWithParam<EndCase> {};

TEST_P(EndTest, FindsExactlyTheRemainingJumps) {
    Board b(GetParam().variantNumber);
    b.set(GetParam().board);
    b.model.CheckEnd();
    EXPECT_EQ(b.model.GameOver(), GetParam().over) << b.model.text().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    CheckEnd, EndTest,
    testing::Values(EndCase{"NeighboursWithAnEmptyHoleBeyond", 7,
                            ".......\n.......\n.......\n..oo...\n.......\n.......\n.......", false},
                    EndCase{"BeyondIsNoHole", 7,
                            "  oo   \n       \n       \n       \n       \n       \n       ", true},
                    EndCase{"BeyondIsOffTheGrid", 7,
                            "    ooo\n.      \n       \n       \n       \n       \n       ", true},
                    EndCase{"LandingInTheFirstRowCounts", 7,
                            ".      \no      \no      \n       \n       \n       \n       ", false},
                    EndCase{"LandingInTheLastColumnCounts", 7,
                            "       \n       \n       \n    oo.\n       \n       \n       ", false},
                    EndCase{"EmptyPositionBetween", 7,
                            ".......\n.......\n.......\n.o.o...\n.......\n.......\n.......", true},
                    EndCase{"LandingHoleFilled", 7,
                            "       \n       \n       \nooo    \n       \n       \n       ", true},
                    EndCase{"AllBlocked", 7,
                            "ooooooo\nooooooo\nooooooo\nooooooo\nooooooo\nooooooo\nooooooo", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EndOfGame, ResultsAreCappedToFiveDigitsOfSeconds) {
    Board b(7);
    b.set("       \n       \n       \n  oo.  \n       \n       \n       ");
    b.model.Timer1_Timer(kTen + 123456s);
    EXPECT_EQ(b.view.timeDisplay, "1234"); // the first four digits
    b.move(23, 25);
    EXPECT_EQ(b.model.handover().NewResult, QByteArray("0000199999"));
}

TEST(Clock, CountsTheWholeSecondsPlayed) {
    Board b(4);
    b.model.StartGame(kTen + 900ms);
    b.model.Timer1_Timer(kTen + 1850ms); // 0.95 s played
    EXPECT_EQ(b.view.timeDisplay, "0000");
    b.model.Timer1_Timer(kTen + 1900ms);
    EXPECT_EQ(b.view.timeDisplay, "0001");
    b.model.Timer1_Timer(kTen + 2950ms);
    EXPECT_EQ(b.view.timeDisplay, "0002");
    b.model.Timer1_Timer(kTen + 24h + 2950ms);
    EXPECT_EQ(b.model.ElapsedSeconds(), 86400 + 2);
    EXPECT_EQ(b.view.timeDisplay, "8640");
    EXPECT_EQ(b.reporter.count(), 0);
}

TEST(Clock, AReadingBeforeTheStartShowsZero) {
    Board b(4);
    b.model.StartGame(kTen);
    b.model.Timer1_Timer(kTen - 30s);
    EXPECT_EQ(b.view.timeDisplay, "0000");
    EXPECT_EQ(b.model.ElapsedSeconds(), 0);
}

TEST(Clock, MoreSecondsThanThirtyTwoBitsHoldAreAnOverflowOfTheTick) {
    Board b(4);
    b.model.StartGame(kTen);
    b.model.Timer1_Timer(kTen + 1s);
    b.model.Timer1_Timer(kTen + 2147483648s);
    ASSERT_EQ(b.reporter.count(), 1);
    EXPECT_EQ(b.reporter.last().number, 6);
    EXPECT_EQ(b.reporter.last().procedure, QStringLiteral("Timer1_Timer"));
    EXPECT_EQ(b.reporter.last().line, 50040);
    EXPECT_EQ(b.model.ElapsedSeconds(), 1) << "the last good time stays";
}

TEST(Strips, CellsAreNumberedAlongRowsThenDown) {
    EXPECT_EQ(stripCell(kDigitStrip, 10), QRect(180, 0, 18, 27));
    EXPECT_EQ(stripCell(kDigitStrip, 0), QRect(0, 0, 18, 27));
    EXPECT_EQ(stripCell(kLayoutStrip, 7), QRect(224, 0, 32, 32));
    EXPECT_EQ(stripCell(kLayoutStrip, 27), QRect(224, 32, 32, 32));
    EXPECT_THROW(stripCell(kDigitStrip, 11), Failure);
    EXPECT_THROW(stripCell(kLayoutStrip, -1), Failure);
}

TEST(Failures, AnOutOfRangeVariantIsReportedFromNewGame) {
    FakeView view;
    FixedReporter reporter;
    Random random(1);
    BoardModel model(view, view, reporter, random);
    model.Coordinates();
    model.setVariantNumber(25);
    model.Layout(4000);
    EXPECT_EQ(reporter.count(), 1); // the geometry lookup
    model.NewGame();
    EXPECT_EQ(reporter.last().number, 9);
    EXPECT_EQ(reporter.last().procedure, QStringLiteral("NewGame"));
    EXPECT_EQ(reporter.last().module, QStringLiteral("frmMarvolen"));
}

// Invariant sweeps over random play: the drop rule and the end test agree, and a legal jump
// changes exactly three places and the count by one.
TEST(JumpInvariants, DropRuleAndEndTestAgreeOnRandomBoards) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    for (int round = 0; round < 300; ++round) {
        const int v = int(rng() % kVariants);
        Board b(v);
        b.view.soundOn = false;
        b.model.StartGame(kTen);
        for (int move = 0; move < 60 && !b.model.GameOver(); ++move) {
            std::vector<std::pair<int, int>> jumps;
            for (int s = 0; s < kPositions; ++s)
                for (int t = 0; t < kPositions; ++t)
                    if (b.model.marble(s) && b.model.canJump(s, t))
                        jumps.push_back({s, t});
            b.model.CheckEnd();
            ASSERT_EQ(b.model.GameOver(), jumps.empty()) << b.model.text().toStdString();
            if (jumps.empty())
                break;
            b.view.events.clear();
            const auto [s, t] = jumps[rng() % jumps.size()];
            const QString before = b.model.text();
            const int count = b.model.MarbleCount();
            b.move(s, t);
            const QString after = b.model.text();
            int changed = 0;
            for (int i = 0; i < before.size(); ++i)
                changed += before[i] != after[i];
            ASSERT_EQ(changed, 3);
            ASSERT_EQ(b.model.MarbleCount(), count - 1);
        }
    }
}
