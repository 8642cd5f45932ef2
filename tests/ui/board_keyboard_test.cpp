// Playing on the board from the keyboard: the cursor between holes, lifting and dropping with
// Space or Enter as a mouse drop would, Escape putting a lifted marble back, and the mouse.
#include "app_fixture.h"
#include "ui/about_window.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace marvolen;
using namespace marvolen::ui;
using marvolen::test::AppFixture;

namespace {

MainWindow& openGame(AppFixture& f) {
    Application& app = f.start();
    app.startWindow()->OK_Click();
    QCoreApplication::processEvents();
    return *app.mainWindow();
}

void keys(QWidget& w, std::initializer_list<Qt::Key> sequence) {
    for (Qt::Key key : sequence)
        QTest::keyClick(&w, key);
}

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
    MainWindow& w = openGame(f);
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
    MainWindow& w = openGame(f);
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
    MainWindow& w = openGame(f);
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
    MainWindow& w = openGame(f);
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
    MainWindow& w = openGame(f);
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

TEST(Keyboard, TabWalksCommandsVariantsLanguagesAndTheBoard) {
    AppFixture f;
    MainWindow& w = openGame(f);
    w.button(0)->setFocus(Qt::TabFocusReason);
    QStringList order;
    for (int i = 0; i < 9 + 20 + 5 + 1; ++i) {
        order << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(order.mid(0, 2), (QStringList{"optBut0", "optBut1"}));
    EXPECT_EQ(order[9], QStringLiteral("imgLoff0"));
    // The selected variant's picture is hidden, so Tab passes over it.
    EXPECT_FALSE(order.contains(QStringLiteral("imgLoff4")));
    EXPECT_EQ(order[28], QStringLiteral("imgLang0"));
    EXPECT_EQ(order[32], QStringLiteral("imgLang6"));
    EXPECT_EQ(order[33], QStringLiteral("picBrett"));
}

TEST(Keyboard, EnterOnAButtonAndSpaceOnAThumbnailActAsClicks) {
    AppFixture f;
    MainWindow& w = openGame(f);
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
