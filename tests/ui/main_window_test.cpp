// The main window's wiring, without a screen: start-up, buttons, thumbnails, flags and menu to
// the session, the board surface to the model, captions, and the end of a game to the
// champions window. The rules themselves are tested on the session.
#include "app_fixture.h"
#include "drag_stand_in.h"
#include "ids/sound_ids.h"
#include "ids/text_ids.h"
#include "ui/about_window.h"
#include "ui/main_window.h"
#include "ui/panel_widgets.h"
#include "ui/ui_config.h"
#include "working_folder.h"

#include <QAccessible>
#include <QAction>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <mutex>

using namespace marvolen;
using namespace marvolen::ui;
using marvolen::test::AppFixture;
using marvolen::test::dragMarble;
using marvolen::test::DragStandIn;
using marvolen::test::inWindow;
using marvolen::test::jumpByMouse;

namespace {

int count(const QString& text, QChar c) {
    return int(text.count(c));
}

/// Collects the warnings Qt writes to standard error while it lives.
class Warnings {
  public:
    Warnings() {
        {
            const std::lock_guard lock(mutex());
            lines().clear();
        }
        m_previous = qInstallMessageHandler(&Warnings::take);
    }
    ~Warnings() { qInstallMessageHandler(m_previous); }
    /// Those that contain `part`.
    QStringList containing(const QString& part) const {
        const std::lock_guard lock(mutex());
        return lines().filter(part);
    }

  private:
    static void take(QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type != QtWarningMsg)
            return;
        const std::lock_guard lock(mutex());
        lines() << text;
    }
    // Qt may warn from any thread.
    static std::mutex& mutex() {
        static std::mutex m;
        return m;
    }
    static QStringList& lines() {
        static QStringList l;
        return l;
    }
    QtMessageHandler m_previous = nullptr;
};

/// The digits a display shows, blanks included.
QString displayOf(MainWindow& w, const char* first) {
    const auto* frame = w.findChild<DisplayFrame*>(QStringLiteral("fraAnzeige"));
    return frame->shown(QLatin1String(first).startsWith(QLatin1String("imgZeit"))
                            ? game::Display::Time
                            : game::Display::MarbleCount);
}

} // namespace

TEST(StartUp, TheMainWindowLoadsHiddenBehindTheStartWindow) {
    AppFixture f;
    Application& app = f.start();
    ASSERT_NE(app.startWindow(), nullptr);
    EXPECT_TRUE(app.startWindow()->isVisible());
    ASSERT_NE(app.mainWindow(), nullptr);
    EXPECT_FALSE(app.mainWindow()->isVisible());
    const QString lang = app.services().language.LanguageFilePath();
    EXPECT_EQ(QFileInfo(lang).fileName(), QStringLiteral("~tmp.lng"));
    EXPECT_TRUE(QFileInfo::exists(lang));
    EXPECT_TRUE(app.startWindow()
                    ->findChild<QWidget*>(QStringLiteral("ok"))
                    ->isVisibleTo(app.startWindow()));
    EXPECT_EQ(f.setting("Layout"), QString()); // nothing laid out before the window shows
}

TEST(StartUp, OkShowsTheMainWindowWithAFreshBoardOfTheStoredVariant) {
    AppFixture f;
    MainWindow& w = f.openGame();
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(f.app->mainWindowShown());
    const QString board = w.board().stateText();
    EXPECT_EQ(count(board, 'o'), 33);
    EXPECT_EQ(count(board, '.'), 0);
    EXPECT_EQ(displayOf(w, "imgKugelzahl0"), QStringLiteral("0033"));
    EXPECT_EQ(displayOf(w, "imgZeit0"), QStringLiteral("0000"));
    // A first run writes only what the first display and the start window write.
    EXPECT_EQ(f.setting("Layout"), QStringLiteral("4"));
    EXPECT_EQ(f.setting("Kugel"), QString());
    EXPECT_EQ(f.setting("Board"), QString());
    EXPECT_EQ(f.setting("PlaySound"), QString());
    EXPECT_TRUE(w.session().music().musicOn()); // music mode 1 by default
}

TEST(Commands, TheStartButtonReachesTheSessionAndTheTimerTicksTheClock) {
    AppFixture f;
    MainWindow& w = f.openGame();
    QTest::mouseClick(w.button(0), Qt::LeftButton);
    EXPECT_EQ(displayOf(w, "imgKugelzahl0"), QStringLiteral("0032"));
    EXPECT_EQ(w.board().stateText()[3 * 8 + 3], QLatin1Char('.'));
    EXPECT_TRUE(w.button(0)->property("highlighted").toBool());
    // The window's one-second timer reads the test's clock on its next tick; a wall clock set
    // back an hour is not the game's business.
    f.clock.set(QDateTime(QDate(2026, 12, 7), QTime(9, 0, 0)));
    f.clock.advance(1.0);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return displayOf(w, "imgZeit0") == QStringLiteral("0001"); }, 10000));
}

TEST(Moves, ALegalJumpThroughTheBoardSurfaceUpdatesTheCount) {
    AppFixture f;
    MainWindow& w = f.openGame();
    w.session().optBut_Click(0);
    {
        // Real mouse events: the board finds the marble and the hole under the pointer itself.
        BoardWidget& board = w.board();
        DragStandIn standIn(w, {inWindow(w, &board, board.holeRect(24).center())});
        dragMarble(w, 10);
        EXPECT_EQ(standIn.lifted, 10);
        EXPECT_FALSE(standIn.liftedShown);
    }
    EXPECT_EQ(displayOf(w, "imgKugelzahl0"), QStringLiteral("0031"));
    EXPECT_FALSE(w.board().marbleShown(17));
    EXPECT_TRUE(w.board().marbleShown(24));
}

TEST(Moves, TheEndOfAGameTellsThePlayerAndResetsTheButtons) {
    AppFixture f;
    MainWindow& w = f.openGame();
    f.closeWindowsWhenShown();
    w.session().optBut_Click(0);
    w.session().setBoardText("       \n       \n       \n  oo.  \n       \n       \n       ");
    jumpByMouse(w, 23, 25);
    ASSERT_EQ(f.told.size(), 1u);
    EXPECT_EQ(f.told[0], "No more possible moves!");
    EXPECT_TRUE(w.session().model().GameOver());
    EXPECT_TRUE(w.session().model().handover().NewResultPending);
    EXPECT_EQ(w.session().model().handover().NewResult, QByteArray("0000100000"));
    // The result went to the champions list with the name typed at the prompt.
    EXPECT_EQ(f.closedWindows, std::vector<std::string>{"frmHighscore"});
    ASSERT_EQ(f.asked.size(), 1u);
    EXPECT_EQ(f.asked[0], "Please enter your name!");
    for (int i = 0; i < 9; ++i)
        EXPECT_FALSE(w.button(i)->property("highlighted").toBool()) << i;
}

TEST(PracticeAids, TheirKeysReachTheAidsAndTheHintFlashesOnTheBoard) {
    AppFixture f;
    MainWindow& w = f.openGame();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.session().optBut_Click(0);
    jumpByMouse(w, 10, 24);
    // The first aid asks before the game becomes a practice game; No keeps it as it was.
    f.answers = {false, true};
    QTest::keyClick(&w.board(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(displayOf(w, "imgKugelzahl0"), QStringLiteral("0031"));
    auto* mark = w.findChild<QLabel*>(QStringLiteral("lblPractice"));
    ASSERT_NE(mark, nullptr);
    EXPECT_FALSE(mark->isVisible());
    QTest::keyClick(&w.board(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(f.asked.size(), 2u);
    EXPECT_EQ(displayOf(w, "imgKugelzahl0"), QStringLiteral("0032"));
    EXPECT_TRUE(mark->isVisible());
    EXPECT_EQ(mark->text(), QStringLiteral("Practice game"));
    QAccessibleInterface* readable = QAccessible::queryAccessibleInterface(mark);
    ASSERT_NE(readable, nullptr);
    EXPECT_EQ(readable->text(QAccessible::Name), QStringLiteral("Practice game"));
    // Redo by either of its keys puts the jump back; in a practice game nothing is asked.
    QTest::keyClick(&w.board(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(displayOf(w, "imgKugelzahl0"), QStringLiteral("0031"));
    QTest::keyClick(&w.board(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&w.board(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(displayOf(w, "imgKugelzahl0"), QStringLiteral("0031"));
    QTest::keyClick(&w.board(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(f.asked.size(), 2u);
    EXPECT_EQ(displayOf(w, "imgKugelzahl0"), QStringLiteral("0032"));
    EXPECT_TRUE(w.board().marbleShown(10));
    EXPECT_FALSE(w.board().marbleShown(24));
    EXPECT_TRUE(w.session().aids().practiceGame());
    QTest::keyClick(&w.board(), Qt::Key_H);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.board().hintShown().has_value(); }, 20000));
    const auto [from, to] = *w.board().hintShown();
    EXPECT_TRUE(w.model().canJump(from, to));
    // The flashing ends by itself.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w.board().hintShown(); }, 5000));
}

TEST(Variants, AThumbnailClickSelectsItsVariant) {
    AppFixture f;
    MainWindow& w = f.openGame();
    QTest::mouseClick(w.findChild<QWidget*>(QStringLiteral("imgLoff7")), Qt::LeftButton);
    EXPECT_EQ(count(w.board().stateText(), 'o'), 49);
    EXPECT_EQ(f.setting("Layout"), QStringLiteral("7"));
    EXPECT_FALSE(w.findChild<QWidget*>(QStringLiteral("imgLoff7"))->isVisible());
    EXPECT_TRUE(w.findChild<QWidget*>(QStringLiteral("imgLoff4"))->isVisible());
    EXPECT_EQ(w.findChild<QWidget*>(QStringLiteral("imgLoff7"))->toolTip(),
              QStringLiteral("Select game 8"));
}

TEST(Language, TheEnglishFlagChangesEveryCaptionButTheHomePageTooltip) {
    AppFixture f;
    MainWindow& w = f.openGame(QStringLiteral("0407"));
    EXPECT_EQ(w.button(0)->toolTip(), QStringLiteral("Spiel starten"));
    EXPECT_EQ(w.findChild<QWidget*>(QStringLiteral("imgLoff0"))->toolTip(),
              QStringLiteral("Spielvariante 1"));
    EXPECT_EQ(w.findChild<QAction*>(QStringLiteral("mnuOneMarble"))->text(),
              QStringLiteral("Ist eine einzelne Kugel noch &erreichbar?"));
    EXPECT_EQ(w.findChild<QAction*>(QStringLiteral("mnuUndo"))->text(),
              QStringLiteral("Sprung &zurücknehmen"));
    QTest::mouseClick(w.findChild<QWidget*>(QStringLiteral("imgLang1")), Qt::LeftButton);
    EXPECT_EQ(w.button(0)->toolTip(), QStringLiteral("Start game"));
    EXPECT_EQ(w.button(6)->toolTip(), QStringLiteral("Tessaro's Homepage"));
    EXPECT_EQ(f.setting("Sprache"), QStringLiteral(" 1000"));
    QStringList captions;
    for (QAction* a : w.optionsMenu()->actions())
        if (!a->isSeparator())
            captions << a->text();
    EXPECT_EQ(captions,
              (QStringList{"&Sound effects", "&Play music", "Is one marble still &reachable?",
                           "&Hint", "&Undo jump", "R&edo jump", "Show the &best game",
                           "&Statistics...", "&Copy board", "&Paste board", "&About..."}));
    QStringList music;
    for (QAction* a : w.optionsMenu()->actions()[1]->menu()->actions())
        music << a->text();
    EXPECT_EQ(music, (QStringList{"&Off", "&Once", "&Loop"}));
}

TEST(Options, TheSoundItemReachesTheSessionAndShowsItsSwitch) {
    AppFixture f;
    MainWindow& w = f.openGame();
    QAction* sounds = w.optionsMenu()->actions()[0];
    EXPECT_TRUE(sounds->isChecked());
    sounds->trigger();
    EXPECT_FALSE(sounds->isChecked());
    EXPECT_FALSE(w.session().soundOn());
}

TEST(Options, FromTheKeyboardTheMenuOpensAtItsButtonNotAtAFarPointer) {
    AppFixture f;
    MainWindow& w = f.openGame();
    QPushButton* options = w.button(7);
    const QPoint buttonCentre = options->mapToGlobal(options->rect().center());
    // The pointer far away on the board, as when the player works with the keys.
    const QPoint pointer = w.mapToGlobal(QPoint(2, 2));
    QCursor::setPos(pointer);
    options->setFocus();
    QTest::keyClick(options, Qt::Key_Space);
    QMenu* menu = w.optionsMenu();
    ASSERT_TRUE(QTest::qWaitFor([&] { return menu->isVisible(); }, 5000));
    const QPoint centre = menu->geometry().center();
    EXPECT_LT((centre - buttonCentre).manhattanLength(), (centre - pointer).manhattanLength());
    menu->hide();
}

namespace {
/// Pixels of the digit place's picture in the colour c.
int pixelsOf(MainWindow& w, const char* place, QRgb c) {
    const QImage img = w.findChild<QLabel*>(QLatin1String(place))->pixmap().toImage();
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += img.pixel(x, y) == c;
    return n;
}
} // namespace

TEST(Options, AProvenLossTurnsTheCountAmberAndSwitchedOffCyanAgain) {
    AppFixture f;
    MainWindow& w = f.openGame();
    auto* item = w.findChild<QAction*>(QStringLiteral("mnuOneMarble"));
    ASSERT_NE(item, nullptr);
    EXPECT_FALSE(item->isChecked());
    w.session().optBut_Click(0);
    // One marble that can jump once and another far away: a single marble is out of reach.
    w.session().setBoardText("o      \n       \n       \noo.    \n       \n       \n       ");
    item->trigger();
    EXPECT_TRUE(item->isChecked());
    const QRgb amber = qRgb(255, 176, 0), cyan = qRgb(0, 255, 255);
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.session().aids().countWarning(); }, 20000));
    EXPECT_GT(pixelsOf(w, "imgKugelzahl3", amber), 0);
    EXPECT_EQ(pixelsOf(w, "imgKugelzahl3", cyan), 0);
    item->trigger();
    EXPECT_GT(pixelsOf(w, "imgKugelzahl3", cyan), 0);
    EXPECT_EQ(pixelsOf(w, "imgKugelzahl3", amber), 0);
}

TEST(Escape, TheKeyReachesTheSession) {
    AppFixture f;
    MainWindow& w = f.openGame();
    f.answers = {false};
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_EQ(f.asked, std::vector<std::string>{"Really end game?"});
    EXPECT_TRUE(w.isVisible());
}

TEST(DamagedSettings, ANonNumericMarbleIsReportedAndIgnoreLetsTheGameStart) {
    AppFixture f;
    f.setSetting(QStringLiteral("Kugel"), QStringLiteral("abc"));
    marvolen::test::answerErrorWindow(1); // Ignore
    Application& app = f.start();
    ErrPtnr* errors = app.reporter().window();
    ASSERT_NE(errors, nullptr);
    EXPECT_EQ(errors->findChild<QLabel*>(QStringLiteral("lblError0"))->text(),
              QStringLiteral("13 (Type mismatch)"));
    EXPECT_EQ(errors->findChild<QLabel*>(QStringLiteral("lblError1"))->text(),
              QStringLiteral("frmMarvolen"));
    EXPECT_EQ(errors->findChild<QLabel*>(QStringLiteral("lblError2"))->text(),
              QStringLiteral("Form_Load"));
    app.startWindow()->OK_Click();
    QCoreApplication::processEvents();
    EXPECT_TRUE(app.mainWindow()->isVisible());
    EXPECT_EQ(count(app.mainWindow()->board().stateText(), 'o'), 33);
}

TEST(StartUp, WithoutATemporaryFolderOneReportAndTheTextsComeFromMemory) {
    AppFixture f;
    // A file where the temporary folder should be: no private folder can be made there.
    QFile blocker(f.dir.filePath(QStringLiteral("tmp")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const bool rootFileBefore = QFileInfo::exists(QStringLiteral("/~tmp.lng"));
    test::WorkingFolder cwd;
    marvolen::test::answerErrorWindow(2); // Cancel
    Application& app = f.start();

    ErrPtnr* errors = app.reporter().window();
    ASSERT_NE(errors, nullptr);
    EXPECT_EQ(errors->findChild<QLabel*>(QStringLiteral("lblError0"))->text(),
              QStringLiteral("76 (Path not found)"));
    QFile log(errors->logPath());
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_EQ(log.readAll().count("FEHLERBESCHREIBUNG"), 1);

    EXPECT_EQ(app.services().language.LanguageFilePath(), QString());
    EXPECT_EQ(app.services().language.GetLang(1000 + Text::StartGame),
              QStringLiteral("Start game"));
    EXPECT_EQ(app.services().language.GetLang(Text::StartGame), QStringLiteral("Spiel starten"));
    EXPECT_TRUE(cwd.entries().isEmpty()) << cwd.entries().join(' ').toStdString();
    EXPECT_EQ(QFileInfo::exists(QStringLiteral("/~tmp.lng")), rootFileBefore);
}

TEST(StartUp, WithoutItsSoundModuleTheGameSaysSoOnceOnStandardErrorAndPlaysSilent) {
    AppFixture f;
    f.soundModule = f.dir.filePath(QStringLiteral("marvolen_sound.so"));
    Warnings warnings;
    const QString note = QStringLiteral("The sound module %1 could not be loaded")
                             .arg(QDir::toNativeSeparators(f.soundModule));
    Application& app = f.start();
    app.startWindow()->OK_Click();
    QCoreApplication::processEvents();
    MainWindow& w = *app.mainWindow();
    // Tried by the first sound; a tune and another effect ask for it again.
    QTest::mouseClick(w.button(0), Qt::LeftButton);
    app.services().sounds.PlayWAV(Sound::Click);
    app.services().sounds.PlayWAV(Sound::Click);
    EXPECT_EQ(displayOf(w, "imgKugelzahl0"), QStringLiteral("0032"));

    // The error log holds error protocols only.
    EXPECT_FALSE(QFileInfo::exists(QDir(f.dataPath()).filePath(QStringLiteral("marvolen.EPT"))));
    const QStringList said = warnings.containing(note);
    ASSERT_EQ(said.size(), 1);
    EXPECT_FALSE(said.front().contains(QLatin1Char('\n'))) << "one line";
}

TEST(Layout, AWindowFourThousandPixelsHighKeepsItsPanelWithoutAReport) {
    AppFixture f;
    MainWindow& w = f.openGame();
    // Answers Ignore to any error window while the test runs, and counts them.
    int errorWindows = 0;
    QTimer answerer;
    QObject::connect(&answerer, &QTimer::timeout, [&] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == QLatin1String("ErrPtnr") && top->isVisible())
                if (auto* ignore = top->findChild<QPushButton*>(QStringLiteral("cmdContinue1"))) {
                    ++errorWindows;
                    ignore->click();
                }
    });
    answerer.start(20);

    w.resize(1600, 4000);
    auto* panel = w.findChild<QWidget*>(QStringLiteral("picPanel"));
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return panel->height() > 3000; }, 5000)) << panel->height();
    answerer.stop();
    EXPECT_EQ(errorWindows, 0);
    EXPECT_EQ(f.app->reporter().window(), nullptr);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_TRUE(w.rect().contains(panel->geometry()));
    auto* buttons = w.findChild<QWidget*>(QStringLiteral("fraKnopf"));
    ASSERT_NE(buttons, nullptr);
    EXPECT_TRUE(buttons->isVisible());
    // The lowest frame sits on the lowest field, two thirds down the panel.
    EXPECT_GT(buttons->y(), panel->height() / 2);
    EXPECT_LT(buttons->geometry().bottom(), panel->height());
}

TEST(DamagedSettings, TheAnswerEndEndsTheProgramAndLeavesNoRunFolderBehind) {
    AppFixture f;
    f.setSetting(QStringLiteral("Kugel"), QStringLiteral("abc"));
    marvolen::test::answerErrorWindow(3); // End
    Application& app = f.start();
    EXPECT_EQ(f.ended, 1);
    const QString lang = app.services().language.LanguageFilePath();
    EXPECT_EQ(QFileInfo(lang).fileName(), QStringLiteral("~tmp.lng"));
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(lang).path())) << "the run folder went first";
    EXPECT_EQ(QDir(f.dir.filePath(QStringLiteral("tmp")))
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList());
}

TEST(BestGame, ItsKeyPlaysTheLineOverTheBoardTheLinesKeysReachItAnywhereAndAClickEndsIt) {
    AppFixture f;
    MainWindow& w = f.openGame();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.board().setFocus();
    QTest::keyClick(&w.board(), Qt::Key_B);
    auto* status = w.findChild<QLabel*>(QStringLiteral("lblPlayback"));
    ASSERT_NE(status, nullptr);
    EXPECT_TRUE(status->isVisible());
    EXPECT_EQ(status->text(), QStringLiteral("Best game: jump 0 of 31"));
    EXPECT_EQ(displayOf(w, "imgKugelzahl0"), QStringLiteral("0032"));
    EXPECT_FALSE(w.board().marbleShown(24));

    // The first jump of the line from the start travels into the centre.
    bool travelled = false;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            travelled = travelled || w.board().travelShown() == std::pair(22, 24);
            return status->text() == QStringLiteral("Best game: jump 1 of 31");
        },
        5000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return travelled || w.board().travelShown(); }, 1000));
    EXPECT_TRUE(w.board().marbleShown(24));
    EXPECT_FALSE(w.board().marbleShown(22));

    // Space on the board pauses and lifts nothing; Right with a button focused steps.
    QTest::keyClick(&w.board(), Qt::Key_Space);
    EXPECT_EQ(status->text(), QStringLiteral("Best game: jump 1 of 31, paused"));
    EXPECT_FALSE(w.board().keyboardLifted());
    QTest::keyClick(w.button(app::CommandButton::Rules), Qt::Key_Right);
    EXPECT_EQ(status->text(), QStringLiteral("Best game: jump 2 of 31, paused"));
    QTest::keyClick(&w.board(), Qt::Key_Left);
    EXPECT_EQ(status->text(), QStringLiteral("Best game: jump 1 of 31, paused"));

    // A click on the board ends it: the game's fresh board is back, nothing was moved.
    QTest::mouseClick(&w.board(), Qt::LeftButton, {}, w.board().marbleRect(10).center());
    EXPECT_FALSE(status->isVisible());
    EXPECT_TRUE(w.board().marbleShown(24));
    EXPECT_TRUE(w.board().marbleShown(22));
    EXPECT_EQ(displayOf(w, "imgKugelzahl0"), QStringLiteral("0033"));
    EXPECT_TRUE(w.model().position().fresh());

    // Escape ends a line as well, without the question whether to end the game.
    QTest::keyClick(&w.board(), Qt::Key_B);
    ASSERT_TRUE(status->isVisible());
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_FALSE(status->isVisible());
    EXPECT_TRUE(f.asked.empty());
}
