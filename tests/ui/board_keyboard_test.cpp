// Playing on the board from the keyboard: the cursor between holes, lifting and dropping with
// Space or Enter as a mouse drop would, Escape putting a lifted marble back, and the mouse.
#include "app_fixture.h"
#include "ui/announcer.h"
#include "ui/main_window.h"
#include "ui/panel_widgets.h"

#include <QAccessible>
#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <deque>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

using namespace marvolen;
using namespace marvolen::ui;
using marvolen::test::AppFixture;

namespace {

void keys(QWidget& w, std::initializer_list<Qt::Key> sequence) {
    for (Qt::Key key : sequence)
        QTest::keyClick(&w, key);
}

/// A key pressed where the keyboard's focus is, as a player presses it.
void press(Qt::Key key) {
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    QTest::keyClick(QApplication::focusWidget(), key);
}

/// Presses Tab until the named control has the focus; false when a whole round passes.
bool tabTo(const QString& name) {
    for (int i = 0; i < 40; ++i) {
        if (QApplication::focusWidget() && QApplication::focusWidget()->objectName() == name)
            return true;
        press(Qt::Key_Tab);
    }
    return false;
}

/// The arrow keys that take the board's cursor from one hole to another, the fewest there are.
std::vector<Qt::Key> arrowsTo(const BoardWidget& board, int from, int to) {
    struct Step {
        Qt::Key key;
        int rows, columns;
    };
    constexpr Step kSteps[] = {
        {Qt::Key_Up, -1, 0}, {Qt::Key_Down, 1, 0}, {Qt::Key_Left, 0, -1}, {Qt::Key_Right, 0, 1}};
    std::array<bool, game::kPositions> hole{};
    for (int p = 0; p < game::kPositions; ++p)
        hole[std::size_t(p)] = board.holeShown(p);
    std::array<int, game::kPositions> previous;
    previous.fill(-1);
    std::array<Qt::Key, game::kPositions> keyThere{};
    std::deque<int> queue{from};
    previous[std::size_t(from)] = from;
    while (!queue.empty() && previous[std::size_t(to)] < 0) {
        const int at = queue.front();
        queue.pop_front();
        for (const Step& step : kSteps) {
            const int next = game::nextHole(hole, at, step.rows, step.columns);
            if (previous[std::size_t(next)] >= 0)
                continue;
            previous[std::size_t(next)] = at;
            keyThere[std::size_t(next)] = step.key;
            queue.push_back(next);
        }
    }
    std::vector<Qt::Key> path;
    for (int at = to; at != from && previous[std::size_t(at)] >= 0; at = previous[std::size_t(at)])
        path.insert(path.begin(), keyThere[std::size_t(at)]);
    return path;
}

/// A way from 32 marbles to one in the centre of the 33-hole cross: (from, to) of each jump.
constexpr std::pair<int, int> kCrossSolution[31] = {
    {10, 24}, {15, 17}, {2, 16},  {4, 2},   {17, 15}, {14, 16}, {18, 4},  {20, 18},
    {23, 9},  {2, 16},  {21, 23}, {23, 9},  {25, 23}, {27, 25}, {25, 11}, {4, 18},
    {30, 16}, {9, 23},  {28, 30}, {31, 29}, {39, 25}, {34, 32}, {44, 30}, {23, 37},
    {46, 44}, {44, 30}, {29, 31}, {31, 33}, {18, 32}, {33, 31}, {38, 24}};

} // namespace

TEST(NextHole, SkipsPlacesWithoutAHoleAndStaysAtTheEdge) {
    std::array<bool, game::kPositions> hole{};
    for (int p : {2, 16, 21, 24, 27, 30, 44})
        hole[std::size_t(p)] = true;
    EXPECT_EQ(game::nextHole(hole, 24, 0, -1), 21); // over 23 and 22
    EXPECT_EQ(game::nextHole(hole, 24, 0, 1), 27);
    EXPECT_EQ(game::nextHole(hole, 27, 0, 1), 27); // nothing further right
    EXPECT_EQ(game::nextHole(hole, 30, -1, 0), 16);
    EXPECT_EQ(game::nextHole(hole, 16, -1, 0), 2);
    EXPECT_EQ(game::nextHole(hole, 2, -1, 0), 2);
    EXPECT_EQ(game::nextHole(hole, 30, 1, 0), 44);
}

TEST(BoardKeyboard, AJumpFromTheKeyboardIsAMoveLikeADrop) {
    AppFixture f;
    MainWindow& w = f.openGame();
    w.session().optBut_Click(0);
    BoardWidget& board = w.board();
    EXPECT_EQ(board.cursor(), 24);
    keys(board, {Qt::Key_Up, Qt::Key_Up, Qt::Key_Space});
    EXPECT_EQ(board.keyboardLifted(), 10);
    EXPECT_EQ(w.model().LiftedMarble(), 10);
    EXPECT_FALSE(board.marbleShown(10)); // the source looks as during a drag
    keys(board, {Qt::Key_Down, Qt::Key_Down, Qt::Key_Return});
    EXPECT_EQ(w.model().MarbleCount(), 31);
    EXPECT_FALSE(w.model().marble(17));
    EXPECT_TRUE(w.model().marble(24));
    EXPECT_EQ(board.keyboardLifted(), std::nullopt);
}

TEST(BoardKeyboard, AnIllegalKeyboardDropPutsTheMarbleBack) {
    AppFixture f;
    MainWindow& w = f.openGame();
    w.session().optBut_Click(0);
    BoardWidget& board = w.board();
    const QString before = board.stateText();
    keys(board, {Qt::Key_Left, Qt::Key_Space, Qt::Key_Up, Qt::Key_Space}); // 23 onto 16
    EXPECT_EQ(board.stateText(), before);
    EXPECT_EQ(w.model().MarbleCount(), 32);
    EXPECT_EQ(w.model().LiftedMarble(), std::nullopt);
}

TEST(BoardKeyboard, EscapeWithAMarbleLiftedPutsItBackWithoutAskingToQuit) {
    AppFixture f;
    MainWindow& w = f.openGame();
    w.session().optBut_Click(0);
    BoardWidget& board = w.board();
    board.setFocus();
    keys(board, {Qt::Key_Up, Qt::Key_Space, Qt::Key_Escape});
    EXPECT_TRUE(f.asked.empty());
    EXPECT_TRUE(board.marbleShown(17));
    EXPECT_EQ(w.model().LiftedMarble(), std::nullopt);
    f.answers = {false};
    QTest::keyClick(&board, Qt::Key_Escape); // nothing lifted: Escape asks as always
    EXPECT_EQ(f.asked, std::vector<std::string>{"Really end game?"});
}

TEST(BoardKeyboard, TheMousePutsAKeyboardLiftBackFirst) {
    AppFixture f;
    MainWindow& w = f.openGame();
    w.session().optBut_Click(0);
    BoardWidget& board = w.board();
    keys(board, {Qt::Key_Up, Qt::Key_Space});
    ASSERT_EQ(w.model().LiftedMarble(), 17);
    // A press on the bare board: no drag starts, and the lifted marble is back.
    QTest::mousePress(&board, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_TRUE(board.marbleShown(17));
    EXPECT_EQ(w.model().LiftedMarble(), std::nullopt);
    EXPECT_EQ(board.keyboardLifted(), std::nullopt);
}

TEST(BoardKeyboard, AFreshBoardForgetsTheKeyboardLift) {
    AppFixture f;
    MainWindow& w = f.openGame();
    w.session().optBut_Click(0);
    BoardWidget& board = w.board();
    keys(board, {Qt::Key_Up, Qt::Key_Space});
    w.session().imgLoff_Click(7);
    EXPECT_EQ(board.keyboardLifted(), std::nullopt);
    EXPECT_EQ(board.cursor(), 24); // back at the centre, which every variant has
    keys(board, {Qt::Key_Down, Qt::Key_Space});
    EXPECT_EQ(board.keyboardLifted(), 31); // a new lift, not a drop of the old marble
    EXPECT_EQ(w.model().MarbleCount(), 49);
}

TEST(Keyboard, TabWalksCommandsVariantsLanguagesDisplaysAndTheBoard) {
    AppFixture f;
    MainWindow& w = f.openGame();
    QApplication::setActiveWindow(&w);
    w.button(0)->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.button(0)->hasFocus(); }, 5000));
    // Every control once, in the order they are seen, the selected variant (its uncovered
    // picture) in its place; then round to the first again.
    QStringList expected;
    for (int i = 0; i < 9; ++i)
        expected << QStringLiteral("optBut%1").arg(i);
    for (int v = 0; v < 20; ++v)
        expected << (v == 4 ? QStringLiteral("imgLon4") : QStringLiteral("imgLoff%1").arg(v));
    for (int flag : {0, 1, 2, 3, 6})
        expected << QStringLiteral("imgLang%1").arg(flag);
    expected << QStringLiteral("lblZeit") << QStringLiteral("lblKugelzahl")
             << QStringLiteral("picBrett") << QStringLiteral("optBut0");
    QStringList order;
    for (int i = 0; i < expected.size(); ++i) {
        order << QApplication::focusWidget()->objectName();
        press(Qt::Key_Tab);
    }
    EXPECT_EQ(order, expected);
    // Shift+Tab walks the same way back.
    QStringList back;
    for (int i = 0; i < expected.size(); ++i) {
        press(Qt::Key_Backtab);
        back.prepend(QApplication::focusWidget()->objectName());
    }
    EXPECT_EQ(back, expected);
}

TEST(Keyboard, EnterOnAButtonAndSpaceOnAThumbnailActAsClicks) {
    AppFixture f;
    MainWindow& w = f.openGame();
    w.button(0)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(w.button(0), Qt::Key_Return);
    EXPECT_TRUE(w.button(0)->property("highlighted").toBool());
    EXPECT_EQ(w.model().MarbleCount(), 32);
    QWidget* thumbnail = w.findChild<QWidget*>(QStringLiteral("imgLoff7"));
    thumbnail->setFocus(Qt::TabFocusReason);
    QTest::keyClick(thumbnail, Qt::Key_Space);
    EXPECT_EQ(w.model().VariantNumber(), 7);
    EXPECT_EQ(f.setting("Layout"), QStringLiteral("7"));
}

TEST(Keyboard, AWholeGameOfTheCrossIsPlayedWithTheKeysAlone) {
    AppFixture f;
    f.setSetting(QStringLiteral("Layout"), QStringLiteral("0"));
    f.closeWindowsWhenShown(); // the champions list at the end
    MainWindow& w = f.openGame();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::focusWidget() != nullptr; }, 5000));
    auto* frame = w.findChild<DisplayFrame*>(QStringLiteral("fraAnzeige"));
    QAccessibleInterface* count =
        QAccessible::queryAccessibleInterface(frame->reading(game::Display::MarbleCount));
    const auto heard = [count] { return count->text(QAccessible::Name); };

    ASSERT_TRUE(tabTo(QStringLiteral("imgLoff4"))); // the 33-hole cross
    press(Qt::Key_Space);
    ASSERT_EQ(w.model().VariantNumber(), 4);
    ASSERT_TRUE(tabTo(QStringLiteral("optBut0"))); // Start
    press(Qt::Key_Return);
    ASSERT_EQ(w.model().MarbleCount(), 32);
    EXPECT_EQ(heard(), QStringLiteral("Marbles: 32"));
    ASSERT_TRUE(tabTo(QStringLiteral("picBrett")));

    BoardWidget& board = w.board();
    int marbles = 32;
    for (const auto& [from, to] : kCrossSolution) {
        for (Qt::Key key : arrowsTo(board, board.cursor(), from))
            press(key);
        ASSERT_EQ(board.cursor(), from);
        press(Qt::Key_Space);
        ASSERT_EQ(board.keyboardLifted(), from);
        for (Qt::Key key : arrowsTo(board, from, to))
            press(key);
        press(Qt::Key_Space);
        --marbles;
        ASSERT_EQ(w.model().MarbleCount(), marbles) << from << " to " << to;
        const QString sentence = QStringLiteral("Marbles: %1").arg(marbles);
        EXPECT_EQ(heard(), sentence);
        // And told to a screen reader at once, wherever the focus is.
        EXPECT_TRUE(QTest::qWaitFor([&] { return w.announcer().told().endsWith(sentence); }, 5000))
            << w.announcer().told().toStdString();
    }
    EXPECT_TRUE(w.model().GameOver());
    EXPECT_TRUE(w.model().marble(24));
    EXPECT_EQ(f.told, std::vector<std::string>{"No more possible moves!"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return !f.closedWindows.empty(); }, 5000));
    EXPECT_EQ(f.closedWindows, std::vector<std::string>{"frmHighscore"});
    EXPECT_EQ(f.asked, std::vector<std::string>{"Please enter your name!"});
}
