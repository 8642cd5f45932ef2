// The game as the player drives it, without a window: load, the first layout, the commands and
// the click rule, variants, flags, pictures, sound and music, the end of a game and unload;
// every move through the session, told to its listeners once.
#include "session_fakes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace marvolen;
using marvolen::test::SessionFixture;

namespace {

using Events = std::vector<std::string>;

int marbles(const app::GameSession& s) {
    return int(s.model().text().count(QLatin1Char('o')));
}

} // namespace

TEST(Load, AFirstStartGivesTheDefaultsAndAFreshBoardOfVariantFive) {
    SessionFixture f;
    app::GameSession& s = f.open();
    EXPECT_EQ(f.board.marblePicture, 103);
    EXPECT_EQ(f.board.holePicture, 1);
    EXPECT_EQ(f.board.boardPicture, 121);
    EXPECT_TRUE(f.board.boardShown);
    EXPECT_TRUE(s.soundOn());
    EXPECT_TRUE(f.windows.soundChecked);
    EXPECT_EQ(f.windows.selectedVariant, 4);
    EXPECT_EQ(marbles(s), 33);
    EXPECT_EQ(f.board.countDisplay, "0033");
    EXPECT_EQ(f.board.timeDisplay, "0000");
    EXPECT_FALSE(f.windows.busy);
    // Music mode 1 by default: one tune, no watcher; only the variant is written.
    EXPECT_EQ(f.windows.musicChecked, (std::array<bool, 3>{false, true, false}));
    EXPECT_TRUE(s.music().musicOn());
    EXPECT_FALSE(f.windows.watcher);
    EXPECT_EQ(f.setting("Layout"), QStringLiteral("4"));
    EXPECT_EQ(f.setting("Kugel"), QString());
    EXPECT_EQ(f.setting("PlaySound"), QString());
    EXPECT_EQ(f.reporter.count(), 0);
}

TEST(Load, StoredChoicesComeBack) {
    SessionFixture f;
    f.setSetting("Kugel", QStringLiteral("12"));
    f.setSetting("Board", QStringLiteral("9"));
    f.setSetting("Layout", QStringLiteral("7"));
    f.setSetting("PlaySound", QStringLiteral(" 0"));
    f.setSetting("PlayMusic", QStringLiteral("0"));
    app::GameSession& s = f.open();
    EXPECT_EQ(f.board.marblePicture, 112);
    EXPECT_EQ(f.board.holePicture, 9);
    EXPECT_EQ(f.board.boardPicture, 129);
    EXPECT_EQ(marbles(s), 49);
    EXPECT_FALSE(s.soundOn());
    EXPECT_FALSE(f.windows.soundChecked);
    EXPECT_FALSE(s.music().musicOn());
    EXPECT_TRUE(f.windows.musicChecked[0]);
}

TEST(Load, ANonNumericMarbleIsReportedAndIgnoreGoesOnWithTheDefault) {
    SessionFixture f(Answer::Ignore);
    f.setSetting("Kugel", QStringLiteral("abc"));
    app::GameSession& s = f.open();
    ASSERT_EQ(f.reporter.count(), 1);
    EXPECT_EQ(f.reporter.last().number, 13);
    EXPECT_EQ(f.reporter.last().procedure, QStringLiteral("Form_Load"));
    EXPECT_EQ(f.reporter.last().line, 50090);
    EXPECT_EQ(f.board.marblePicture, 103);
    EXPECT_EQ(marbles(s), 33);
}

TEST(Load, ABoardPictureOutOfRangeIsAMissingElementOfPaintBoard) {
    SessionFixture f;
    f.setSetting("Board", QStringLiteral("10"));
    f.open();
    ASSERT_GE(f.reporter.count(), 1);
    EXPECT_EQ(f.reporter.last().number, 340);
    EXPECT_EQ(f.reporter.last().procedure, QStringLiteral("PaintBoard"));
}

TEST(ClickRule, ASecondClickWithinTheClickTimeIsIgnoredEntirely) {
    SessionFixture f;
    app::GameSession& s = f.open();
    EXPECT_FALSE(s.lastClickTime().has_value());
    s.optBut_Click(0); // the first click is always accepted, however early
    ASSERT_TRUE(s.lastClickTime().has_value());
    const auto first = *s.lastClickTime();
    f.windows.events.clear();
    f.clock.advance(0.5);
    s.optBut_Click(1);
    EXPECT_TRUE(f.windows.events.empty()); // no sound, no question
    EXPECT_TRUE(f.windows.highlighted[0]);
    EXPECT_EQ(s.lastClickTime(), first);
    f.clock.advance(0.4); // 0.9 s after the first
    s.optBut_Click(1);
    EXPECT_EQ(f.windows.only("ask"), Events{"ask Really end game?"});
    EXPECT_EQ(s.lastClickTime(), first + std::chrono::milliseconds(900));
}

// The rule measures the time that passed, to the millisecond: the wall clock's seconds, and a
// wall clock set back or forward, change nothing. The wall clock starts at 10:00:00.300.
TEST(ClickRule, AClickJustAcrossAWallClockSecondIsStillTooEarly) {
    SessionFixture f;
    app::GameSession& s = f.open();
    f.clock.advance(0.5); // 10:00:00.800
    s.optBut_Click(2);
    f.clock.advance(0.3); // 10:00:01.100
    s.optBut_Click(3);
    EXPECT_EQ(f.windows.events, Events({"sound 102", "rules"}));
    EXPECT_TRUE(f.windows.highlighted[2]);
    EXPECT_FALSE(f.windows.highlighted[3]);
}

TEST(ClickRule, AClickWithinTheSameWallClockSecondCountsAfterTheClickTime) {
    SessionFixture f;
    app::GameSession& s = f.open();
    f.clock.advance(0.75); // 10:00:01.050
    s.optBut_Click(2);
    f.clock.advance(0.9); // 10:00:01.950
    s.optBut_Click(3);
    EXPECT_EQ(f.windows.events, Events({"sound 102", "rules", "sound 102", "help"}));
}

TEST(ClickRule, AWallClockSetBackOrForwardChangesNothing) {
    SessionFixture f;
    app::GameSession& s = f.open();
    s.optBut_Click(2);
    f.clock.shiftWall(-3600);
    f.clock.advance(0.9);
    s.optBut_Click(3);
    EXPECT_EQ(f.windows.only("help"), Events{"help"}) << "the buttons still answer";
    f.clock.shiftWall(3600);
    f.clock.advance(0.5);
    s.optBut_Click(6);
    EXPECT_EQ(f.windows.only("home page"), Events{}) << "0.5 s after the last is too early";
    f.clock.advance(0.364); // exactly the click time after the last accepted click
    s.optBut_Click(6);
    EXPECT_EQ(f.windows.only("home page"), Events{"home page"});
}

TEST(ClickRule, ThumbnailsAndFlagsAreNotSubjectToIt) {
    SessionFixture f;
    app::GameSession& s = f.open();
    s.optBut_Click(0);
    s.imgLoff_Click(7);
    s.imgLang_Click(2);
    EXPECT_EQ(marbles(s), 49);
    EXPECT_EQ(f.language.LanguageOffset(), 2000);
    EXPECT_TRUE(f.windows.highlighted[0]); // and they leave the highlight alone
}

TEST(Commands, StartTakesOutTheCentreWithTheClickAndStartSounds) {
    SessionFixture f;
    app::GameSession& s = f.open();
    f.click(0);
    EXPECT_EQ(f.windows.only("sound"), (Events{"sound 102", "sound 106"}));
    EXPECT_FALSE(s.model().marble(game::kCentre));
    EXPECT_EQ(f.board.countDisplay, "0032");
    EXPECT_TRUE(f.windows.clockRunning);
    EXPECT_EQ(f.windows.highlighted, (std::array<bool, 9>{true}));
    f.clock.advance(2);
    s.Timer1_Timer();
    EXPECT_EQ(f.board.timeDisplay, "0002");
}

TEST(Commands, QuitAnsweredNoLeavesNoButtonHighlightedAndYesEndsTheProgram) {
    SessionFixture f;
    app::GameSession& s = f.open();
    f.click(0);
    f.windows.answers = {false};
    f.click(1);
    EXPECT_EQ(f.windows.highlighted, (std::array<bool, 9>{}));
    EXPECT_TRUE(f.windows.only("quit").empty());
    f.windows.answers = {true};
    f.click(1);
    EXPECT_EQ(f.windows.only("quit"), Events{"quit"});
    EXPECT_EQ(s.model().MarbleCount(), 32);
}

TEST(Commands, EachOtherButtonOpensItsWindow) {
    SessionFixture f;
    f.open();
    for (int button : {2, 3, 6, 7})
        f.click(button);
    EXPECT_EQ(f.windows.events, (Events{"sound 102", "rules", "sound 102", "help", "sound 102",
                                        "home page", "sound 102", "options menu"}));
    EXPECT_TRUE(f.windows.highlighted[7]);
}

TEST(Commands, ChampionsOpenForViewingOnly) {
    SessionFixture f;
    app::GameSession& s = f.open();
    s.handover().NewResultPending = true;
    f.click(8);
    EXPECT_EQ(f.windows.only("champions"), Events{"champions 4 view "});
    EXPECT_FALSE(s.model().handover().NewResultPending);
}

TEST(Commands, AnUnknownButtonIsAMissingElement) {
    SessionFixture f;
    app::GameSession& s = f.open();
    s.optBut_Click(9);
    EXPECT_EQ(f.reporter.last().number, 340);
    EXPECT_EQ(f.reporter.last().procedure, QStringLiteral("optBut_Click"));
    EXPECT_EQ(f.reporter.last().line, 50030);
    EXPECT_TRUE(f.windows.events.empty());
}

TEST(Pictures, AChooserClosedWithoutAChoiceStillStartsAFreshBoard) {
    SessionFixture f;
    app::GameSession& s = f.open();
    f.click(0);
    f.click(4);
    EXPECT_EQ(s.MarblePicture(), 3);
    EXPECT_EQ(s.model().MarbleCount(), 33);
    EXPECT_FALSE(f.windows.clockRunning);
    EXPECT_EQ(f.setting("Kugel"), QString()); // nothing chosen, nothing stored
    f.click(5);
    EXPECT_EQ(f.setting("Board"), QString());
}

TEST(Pictures, ANewMarbleIsLoadedAnnouncedAndStored) {
    SessionFixture f;
    app::GameSession& s = f.open();
    f.windows.chosen = 17;
    f.click(4);
    EXPECT_EQ(f.board.marblePicture, 117);
    EXPECT_EQ(f.windows.only("sound"), (Events{"sound 102", "sound 107"}));
    EXPECT_EQ(f.setting("Kugel"), QStringLiteral("17"));
    EXPECT_EQ(s.MarblePicture(), 17);
}

TEST(Pictures, ANewBoardIsPaintedBetweenItsTwoSoundsAndStored) {
    SessionFixture f;
    f.open();
    f.windows.chosen = 6;
    f.click(5);
    EXPECT_EQ(f.board.holePicture, 6);
    EXPECT_EQ(f.board.boardPicture, 126);
    EXPECT_EQ(f.windows.only("sound"), (Events{"sound 102", "sound 106", "sound 107"}));
    EXPECT_FALSE(f.windows.busy);
    EXPECT_EQ(f.setting("Board"), QStringLiteral("6"));
}

TEST(Variants, ChoosingAVariantRebuildsTheBoardAnnouncesAndStoresIt) {
    SessionFixture f;
    app::GameSession& s = f.open();
    s.imgLoff_Click(7);
    EXPECT_EQ(f.windows.selectedVariant, 7);
    EXPECT_EQ(s.model().VariantNumber(), 7);
    EXPECT_EQ(marbles(s), 49);
    EXPECT_EQ(f.windows.events, (Events{"focus", "sound 107"}));
    EXPECT_FALSE(f.windows.busy);
    EXPECT_EQ(f.setting("Layout"), QStringLiteral("7"));
    s.imgLoff_Click(20);
    EXPECT_EQ(f.reporter.last().number, 340);
    EXPECT_EQ(f.setting("Layout"), QStringLiteral("7"));
}

TEST(Language, AFlagSwitchesTheLanguageAndStoresItWithASignPlace) {
    SessionFixture f;
    app::GameSession& s = f.open();
    s.imgLang_Click(6);
    EXPECT_EQ(f.language.LanguageOffset(), 6000);
    EXPECT_EQ(f.windows.events, (Events{"sound 102", "captions"}));
    EXPECT_EQ(f.setting("Sprache"), QStringLiteral(" 6000"));
    s.imgLang_Click(0);
    EXPECT_EQ(f.setting("Sprache"), QStringLiteral(" 0"));
}

TEST(Sound, TheSwitchSilencesEveryEffectAndIsStoredAsBlankZeroThenMinusOne) {
    SessionFixture f;
    app::GameSession& s = f.open();
    s.mnuPlaySounds_Click();
    EXPECT_FALSE(s.soundOn());
    EXPECT_FALSE(f.windows.soundChecked);
    EXPECT_EQ(f.setting("PlaySound"), QStringLiteral(" 0"));
    f.click(0);
    s.lift(10);
    s.dropOnHole(24, 10);
    s.imgLoff_Click(2);
    s.imgLang_Click(1);
    EXPECT_EQ(s.model().VariantNumber(), 2);
    EXPECT_TRUE(f.windows.only("sound").empty());
    s.mnuPlaySounds_Click();
    EXPECT_TRUE(s.soundOn());
    EXPECT_TRUE(f.windows.soundChecked);
    EXPECT_EQ(f.setting("PlaySound"), QStringLiteral("-1"));
}

TEST(Music, AModeIsCheckedStartedAndStored) {
    SessionFixture f;
    app::GameSession& s = f.open();
    s.mnuMusic_Click(2);
    EXPECT_EQ(f.windows.musicChecked, (std::array<bool, 3>{false, false, true}));
    EXPECT_TRUE(s.music().musicLoop());
    EXPECT_TRUE(f.windows.watcher);
    EXPECT_EQ(f.setting("PlayMusic"), QStringLiteral("2"));
    s.mnuMusic_Click(0);
    EXPECT_EQ(f.windows.musicChecked, (std::array<bool, 3>{true, false, false}));
    EXPECT_FALSE(f.windows.watcher);
    EXPECT_EQ(f.setting("PlayMusic"), QStringLiteral("0"));
}

TEST(Music, AFailureWhileATuneStartsIsReportedByTheMenuHandler) {
    SessionFixture f;
    app::GameSession& s = f.open();
    f.windows.failEvents = true;
    s.mnuMusic_Click(1);
    ASSERT_EQ(f.reporter.count(), 1);
    EXPECT_EQ(f.reporter.last().module, QStringLiteral("frmMarvolen"));
    EXPECT_EQ(f.reporter.last().procedure, QStringLiteral("mnuMusic_Click"));
    EXPECT_EQ(f.reporter.last().line, 50040);
}

TEST(Music, AnUnknownModeIsAMissingMenuItemAndIsNotStored) {
    SessionFixture f;
    app::GameSession& s = f.open();
    s.mnuMusic_Click(3);
    EXPECT_EQ(f.reporter.last().number, 340);
    EXPECT_EQ(f.reporter.last().line, 50050);
    EXPECT_EQ(f.windows.musicChecked, (std::array<bool, 3>{}));
    EXPECT_EQ(f.setting("PlayMusic"), QStringLiteral("1")); // as the first layout stored it
}

TEST(EndOfGame, TellsThePlayerResetsTheButtonsAndRanksTheResult) {
    SessionFixture f;
    app::GameSession& s = f.open();
    f.click(0);
    EXPECT_EQ(f.windows.said, std::vector<std::string>{"Game started"});
    s.setBoardText("       \n       \n       \n  oo.  \n       \n       \n       ");
    f.clock.advance(12);
    s.Timer1_Timer();
    f.windows.events.clear();
    s.lift(23);
    s.dropOnHole(25, 23);
    ASSERT_EQ(f.windows.events.size(), 4u);
    EXPECT_EQ(f.windows.events[1], "sound 109");
    EXPECT_EQ(f.windows.events[2], "tell Game over: No more possible moves!");
    EXPECT_EQ(f.windows.events[3], "champions 4 rank 0000100012");
    // A screen reader hears the result with the message.
    EXPECT_EQ(f.windows.said.back(), "Marbles left: 1, seconds: 12");
    EXPECT_FALSE(f.windows.clockRunning);
    EXPECT_EQ(f.windows.highlighted, (std::array<bool, 9>{}));
    EXPECT_TRUE(s.model().GameOver());
}

// The game time is the time played: a wall clock set back an hour (the autumn change, or by
// hand) and one set forward an hour (the spring change) are not counted.
TEST(GameClock, ShowsAndStoresThePlayedSecondsWhateverTheWallClockDoes) {
    SessionFixture f;
    app::GameSession& s = f.open();
    f.click(0);
    EXPECT_EQ(f.windows.said, std::vector<std::string>{"Game started"});
    s.setBoardText("       \n       \n       \n  oo.  \n       \n       \n       ");
    f.clock.advance(1);
    s.Timer1_Timer();
    EXPECT_EQ(f.board.timeDisplay, "0001");
    f.clock.shiftWall(-3600);
    f.clock.advance(1);
    s.Timer1_Timer();
    EXPECT_EQ(f.board.timeDisplay, "0002");
    f.clock.shiftWall(3600);
    f.clock.shiftWall(3600);
    f.clock.advance(3);
    s.Timer1_Timer();
    EXPECT_EQ(f.board.timeDisplay, "0005");
    f.windows.events.clear();
    s.lift(23);
    s.dropOnHole(25, 23);
    EXPECT_EQ(f.windows.only("champions"), Events{"champions 4 rank 0000100005"});
}

TEST(Escape, AsksToQuitAndOtherKeysPassOn) {
    SessionFixture f;
    app::GameSession& s = f.open();
    f.click(0);
    const QString before = s.model().text();
    f.windows.answers = {false};
    EXPECT_TRUE(s.Form_KeyPress(Qt::Key_Escape));
    EXPECT_EQ(f.windows.only("ask"), Events{"ask Really end game?"});
    EXPECT_EQ(s.model().text(), before);
    EXPECT_TRUE(f.windows.clockRunning);
    EXPECT_FALSE(s.Form_KeyPress(Qt::Key_A));
    f.windows.answers = {true};
    EXPECT_TRUE(s.Form_KeyPress(Qt::Key_Escape));
    EXPECT_EQ(f.windows.only("quit"), Events{"quit"});
}

TEST(Resize, DiscardsAGameInProgressAndAnnouncesTheVariant) {
    SessionFixture f;
    app::GameSession& s = f.open();
    f.click(0);
    s.lift(10);
    s.dropOnHole(24, 10);
    f.windows.events.clear();
    Procedure resize(f.reporter, QStringLiteral("frmMarvolen"), QStringLiteral("Form_Resize"));
    s.resetForResize(resize);
    s.finishResize(resize);
    EXPECT_EQ(s.model().MarbleCount(), 33);
    EXPECT_FALSE(f.windows.clockRunning);
    EXPECT_EQ(f.windows.only("sound"), Events{"sound 107"});
}

TEST(Resize, AWindowEdgeDraggedWithMusicOnLeavesNoPileOfTuneFiles) {
    SessionFixture f;
    app::GameSession& s = f.open(); // music mode 1: a tune plays
    const QString playing = s.music().midiFilePath();
    for (int resize = 0; resize < 15; ++resize) {
        Procedure p(f.reporter, QStringLiteral("frmMarvolen"), QStringLiteral("Form_Resize"));
        s.resetForResize(p);
        s.finishResize(p);
    }
    EXPECT_LE(f.windows.mostTuneFiles, 2);
    const QStringList files =
        QDir(f.temp.GetTempDir()).entryList({QStringLiteral("~rs*.tmp")}, QDir::Files);
    EXPECT_EQ(files, QStringList{QFileInfo(playing).fileName()}) << "the playing tune's file";
    EXPECT_EQ(f.windows.only("mci open"), Events(15, "mci open sequencer!"));
    EXPECT_EQ(f.windows.only("mci close"), Events{});
    EXPECT_TRUE(f.windows.tuneOpen);
    EXPECT_EQ(f.reporter.count(), 0);
}

TEST(Unload, StopsTheClockAndTheMusicAndRemovesTheLanguageFile) {
    SessionFixture f;
    app::GameSession& s = f.open();
    f.click(0);
    ASSERT_TRUE(QFile::exists(f.language.LanguageFilePath()));
    Procedure unload(f.reporter, QStringLiteral("frmMarvolen"), QStringLiteral("Form_Unload"));
    s.unload(unload);
    EXPECT_FALSE(f.windows.clockRunning);
    EXPECT_EQ(f.windows.only("mci"), Events{"mci close midi"});
    EXPECT_FALSE(QFile::exists(f.language.LanguageFilePath()));
}

TEST(Moves, EveryMoveGoesThroughTheSessionAndEachChangeIsToldOnceWithItsJumps) {
    struct Heard : app::PositionListener {
        std::vector<std::pair<QString, int>> told;
        void positionChanged(const game::Position& position, int jumpsMade) override {
            told.emplace_back(position.text(), jumpsMade);
        }
    } heard;
    SessionFixture f;
    app::GameSession& s = f.open();
    s.addPositionListener(heard);
    f.click(0);
    ASSERT_EQ(heard.told.size(), 2u); // Start lays a fresh board, then takes out the centre
    EXPECT_EQ(heard.told[1].first, s.model().text());
    EXPECT_EQ(heard.told[1].second, 0);
    s.lift(10);
    s.pointerOverBoard(); // an abandoned marble goes back: no change of position
    s.lift(10);
    s.dropOnMarble(17, 10);
    s.lift(10);
    s.dropOnBoard(10);
    EXPECT_EQ(heard.told.size(), 2u);
    s.lift(10);
    s.dropOnHole(24, 10);
    ASSERT_EQ(heard.told.size(), 3u);
    EXPECT_EQ(heard.told[2].first, s.model().text());
    EXPECT_EQ(heard.told[2].second, 1);
    s.aids().mnuUndo_Click();
    ASSERT_EQ(heard.told.size(), 4u);
    EXPECT_EQ(heard.told[3], heard.told[1]);
    s.imgLoff_Click(7); // another variant: one fresh board
    ASSERT_EQ(heard.told.size(), 5u);
    EXPECT_TRUE(game::Position::fromText(heard.told[4].first).fresh());
}
