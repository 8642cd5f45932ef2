// What assistive technology reads of the main window: the board's places as a table of its
// holes with the cursor's place focused, the two displays as one sentence each, and both in
// the current language.
#include "app_fixture.h"
#include "ui/main_window.h"
#include "ui/panel_widgets.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

using namespace marvolen;
using namespace marvolen::ui;
using marvolen::test::AppFixture;

namespace {

QString nameOf(QAccessibleInterface* iface) {
    return iface ? iface->text(QAccessible::Name) : QStringLiteral("<none>");
}

QAccessibleInterface* accessible(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

/// The board's accessible child for a place.
QAccessibleInterface* place(BoardWidget& board, int position) {
    return accessible(&board)->child(board.accessibleIndex(position));
}

} // namespace

TEST(BoardAccessibility, ItsChildrenAreTheHolesReadByRowAndColumn) {
    AppFixture f;
    MainWindow& w = f.openGame();
    w.session().optBut_Click(0);
    BoardWidget& board = w.board();
    QAccessibleInterface* table = accessible(&board);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->role(), QAccessible::Table);
    EXPECT_EQ(nameOf(table), QStringLiteral("Board"));

    int holes = 0;
    for (int p = 0; p < game::kPositions; ++p)
        holes += board.holeShown(p) ? 1 : 0;
    ASSERT_EQ(table->childCount(), holes);
    ASSERT_LT(holes, game::kPositions); // the corners have no hole and are no children
    EXPECT_EQ(board.accessibleIndex(0), -1);
    for (int i = 0; i < holes; ++i) {
        QAccessibleInterface* cell = table->child(i);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->role(), QAccessible::Cell);
        EXPECT_EQ(cell->parent(), table);
        EXPECT_EQ(table->indexOfChild(cell), i);
    }
    EXPECT_EQ(nameOf(place(board, 24)), QStringLiteral("row 4, column 4: empty"));
    EXPECT_EQ(nameOf(place(board, 10)), QStringLiteral("row 2, column 4: marble"));
    EXPECT_EQ(nameOf(place(board, 30)), QStringLiteral("row 5, column 3: marble"));
    // A place's cell sits on its hole.
    const QRect hole = board.holeRect(30);
    EXPECT_EQ(place(board, 30)->rect(), QRect(board.mapToGlobal(hole.topLeft()), hole.size()));
    const QPoint inside = board.mapToGlobal(hole.center());
    EXPECT_EQ(table->childAt(inside.x(), inside.y()), place(board, 30));
}

TEST(BoardAccessibility, TheCursorsPlaceHasFocusAndAMoveIsHeard) {
    AppFixture f;
    MainWindow& w = f.openGame();
    w.session().optBut_Click(0);
    BoardWidget& board = w.board();
    QApplication::setActiveWindow(&w);
    board.setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(QTest::qWaitFor([&] { return board.hasFocus(); }, 5000));
    QAccessibleInterface* table = accessible(&board);
    EXPECT_EQ(table->focusChild(), place(board, 24));
    EXPECT_TRUE(place(board, 24)->state().focused);
    EXPECT_FALSE(place(board, 17)->state().focused);

    QTest::keyClick(&board, Qt::Key_Up);
    EXPECT_EQ(table->focusChild(), place(board, 17));
    EXPECT_TRUE(place(board, 17)->state().focused);

    QTest::keyClick(&board, Qt::Key_Up);
    QTest::keyClick(&board, Qt::Key_Space);
    EXPECT_TRUE(place(board, 10)->state().selected); // the lifted marble
    QTest::keyClick(&board, Qt::Key_Down);
    QTest::keyClick(&board, Qt::Key_Down);
    QTest::keyClick(&board, Qt::Key_Return);
    ASSERT_EQ(w.model().MarbleCount(), 31);
    // The jump changes the three places and the marble count; the focus stays on the target.
    EXPECT_EQ(nameOf(place(board, 10)), QStringLiteral("row 2, column 4: empty"));
    EXPECT_EQ(nameOf(place(board, 17)), QStringLiteral("row 3, column 4: empty"));
    // The focused place tells the new count after its own text, so that it is heard with it.
    EXPECT_EQ(nameOf(table->focusChild()), QStringLiteral("row 4, column 4: marble. Marbles: 31"));
    auto* frame = w.findChild<DisplayFrame*>(QStringLiteral("fraAnzeige"));
    EXPECT_EQ(nameOf(accessible(frame->reading(game::Display::MarbleCount))),
              QStringLiteral("Marbles: 31"));
    // Only until the cursor moves on.
    QTest::keyClick(&board, Qt::Key_Right);
    EXPECT_EQ(nameOf(table->focusChild()), QStringLiteral("row 4, column 5: marble"));
    QTest::keyClick(&board, Qt::Key_Left);
    EXPECT_EQ(nameOf(table->focusChild()), QStringLiteral("row 4, column 4: marble"));
    // A jump taken back is told the same way (once the player agrees to a practice game).
    f.answers = {true};
    QTest::keyClick(&board, Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(w.model().MarbleCount(), 32);
    EXPECT_EQ(nameOf(table->focusChild()), QStringLiteral("row 4, column 4: empty. Marbles: 32"));
    QTest::keyClick(&board, Qt::Key_Z, Qt::ControlModifier); // nothing left to take back
    QTest::keyClick(&board, Qt::Key_Up);
    QTest::keyClick(&board, Qt::Key_Up);
    QTest::keyClick(&board, Qt::Key_Space);
    QTest::keyClick(&board, Qt::Key_Down);
    QTest::keyClick(&board, Qt::Key_Down);
    QTest::keyClick(&board, Qt::Key_Return);
    ASSERT_EQ(w.model().MarbleCount(), 31);
    // A hint is told on the focused place too.
    w.board().showHint(38, 24);
    EXPECT_EQ(nameOf(table->focusChild()),
              QStringLiteral("row 4, column 4: marble. Hint: jump from row 6, column 4 to row 4, "
                             "column 4"));
    // In the other language too: 31 over 24 into 17.
    w.session().imgLang_Click(0);
    board.setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(QTest::qWaitFor([&] { return board.hasFocus(); }, 5000));
    for (Qt::Key k : {Qt::Key_Down, Qt::Key_Space, Qt::Key_Up, Qt::Key_Up, Qt::Key_Space})
        QTest::keyClick(&board, k);
    ASSERT_EQ(w.model().MarbleCount(), 30);
    EXPECT_EQ(nameOf(table->focusChild()), QStringLiteral("Reihe 3, Spalte 4: Kugel. Kugeln: 30"));
}

TEST(DisplayAccessibility, EachDisplayIsOneSentenceBesideItsNamedSymbol) {
    AppFixture f;
    MainWindow& w = f.openGame();
    auto* frame = w.findChild<DisplayFrame*>(QStringLiteral("fraAnzeige"));
    ASSERT_NE(frame, nullptr);
    QAccessibleInterface* displays = accessible(frame);
    ASSERT_EQ(displays->childCount(), 4);
    std::vector<QString> names;
    for (int i = 0; i < 4; ++i)
        names.push_back(nameOf(displays->child(i)));
    EXPECT_EQ(names,
              (std::vector<QString>{QStringLiteral("Time"), QStringLiteral("Time: 0 seconds"),
                                    QStringLiteral("Marbles"), QStringLiteral("Marbles: 33")}));
    // The digit pictures are no elements of their own.
    QAccessibleInterface* marbles = accessible(frame->reading(game::Display::MarbleCount));
    EXPECT_EQ(marbles->childCount(), 0);
    EXPECT_EQ(marbles->role(), QAccessible::StaticText);
    EXPECT_EQ(frame->shown(game::Display::MarbleCount), QStringLiteral("0033"));

    w.session().optBut_Click(0);
    EXPECT_EQ(nameOf(marbles), QStringLiteral("Marbles: 32"));
}

TEST(DisplayAccessibility, TheBoardAndTheDisplaysFollowTheChosenLanguage) {
    AppFixture f;
    MainWindow& w = f.openGame();
    w.session().optBut_Click(0);
    auto* frame = w.findChild<DisplayFrame*>(QStringLiteral("fraAnzeige"));
    BoardWidget& board = w.board();
    w.session().imgLang_Click(0);
    EXPECT_EQ(nameOf(accessible(&board)), QStringLiteral("Spielbrett"));
    EXPECT_EQ(nameOf(place(board, 24)), QStringLiteral("Reihe 4, Spalte 4: leer"));
    EXPECT_EQ(nameOf(place(board, 10)), QStringLiteral("Reihe 2, Spalte 4: Kugel"));
    EXPECT_EQ(nameOf(accessible(frame->reading(game::Display::MarbleCount))),
              QStringLiteral("Kugeln: 32"));
    EXPECT_EQ(nameOf(accessible(frame->reading(game::Display::Time))),
              QStringLiteral("Zeit: 0 Sekunden"));
    EXPECT_EQ(nameOf(accessible(frame->findChild<QWidget*>(QStringLiteral("lblTime0")))),
              QStringLiteral("Zeit"));
    EXPECT_EQ(nameOf(accessible(frame->findChild<QWidget*>(QStringLiteral("lblTime1")))),
              QStringLiteral("Kugeln"));
    // And back: nothing stays in the language left.
    w.session().imgLang_Click(1);
    EXPECT_EQ(nameOf(accessible(&board)), QStringLiteral("Board"));
    EXPECT_EQ(nameOf(accessible(frame->reading(game::Display::MarbleCount))),
              QStringLiteral("Marbles: 32"));
}

TEST(ThumbnailAccessibility, OnlyTheSelectedVariantIsMarkedSelected) {
    AppFixture f;
    MainWindow& w = f.openGame();
    const auto selected = [&w] {
        std::vector<int> found;
        for (int i = 0; i < 20; ++i) {
            QAccessibleInterface* on =
                accessible(w.findChild<QLabel*>(QStringLiteral("imgLon%1").arg(i)));
            if (on->state().selected) {
                EXPECT_FALSE(on->state().invisible) << i;
                EXPECT_EQ(
                    nameOf(on),
                    w.findChild<QLabel*>(QStringLiteral("imgLoff%1").arg(i))->accessibleName());
                found.push_back(i);
            } else {
                EXPECT_TRUE(on->state().invisible) << i; // covered by its clickable picture
            }
        }
        return found;
    };
    EXPECT_EQ(selected(), std::vector<int>{4}); // the stored variant
    w.session().imgLoff_Click(11);
    EXPECT_EQ(selected(), std::vector<int>{11});
}

TEST(RadioGroups, TheFlagsAreRadioButtonsWithTheCurrentLanguageChecked) {
    AppFixture f;
    MainWindow& w = f.openGame();
    const auto checkedFlags = [&w] {
        std::vector<int> found;
        for (int i : {0, 1, 2, 3, 6}) {
            QAccessibleInterface* flag =
                accessible(w.findChild<QLabel*>(QStringLiteral("imgLang%1").arg(i)));
            EXPECT_EQ(flag->role(), QAccessible::RadioButton);
            EXPECT_TRUE(flag->state().checkable);
            if (flag->state().checked)
                found.push_back(i);
        }
        return found;
    };
    EXPECT_EQ(checkedFlags(), std::vector<int>{1});
    w.session().imgLang_Click(6);
    EXPECT_EQ(checkedFlags(), std::vector<int>{6});
}

TEST(RadioGroups, ArrowKeysMoveTheFocusWithinAGroupAndAPressActsAsAClick) {
    AppFixture f;
    MainWindow& w = f.openGame();
    QApplication::setActiveWindow(&w);
    const auto focusOn = [](const QString& name) {
        return QTest::qWaitFor(
            [&] {
                return QApplication::focusWidget() &&
                       QApplication::focusWidget()->objectName() == name;
            },
            5000);
    };
    const auto key = [](Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); };
    w.findChild<QWidget*>(QStringLiteral("imgLoff3"))->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(focusOn(QStringLiteral("imgLoff3")));
    key(Qt::Key_Right); // over the selected variant 4, whose picture takes no focus
    EXPECT_TRUE(focusOn(QStringLiteral("imgLoff5")));
    key(Qt::Key_Up);
    key(Qt::Key_Left);
    EXPECT_TRUE(focusOn(QStringLiteral("imgLoff2")));
    w.findChild<QWidget*>(QStringLiteral("imgLoff0"))->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(focusOn(QStringLiteral("imgLoff0")));
    key(Qt::Key_Left); // round to the last
    EXPECT_TRUE(focusOn(QStringLiteral("imgLoff19")));
    key(Qt::Key_Down);
    EXPECT_TRUE(focusOn(QStringLiteral("imgLoff0")));
    EXPECT_EQ(f.setting("Layout"), QStringLiteral("4")); // moving the focus chooses nothing

    w.findChild<QWidget*>(QStringLiteral("imgLang6"))->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(focusOn(QStringLiteral("imgLang6")));
    key(Qt::Key_Right); // the flags are a group of their own
    EXPECT_TRUE(focusOn(QStringLiteral("imgLang0")));

    QAccessibleInterface* thumbnail = accessible(w.findChild<QLabel*>(QStringLiteral("imgLoff7")));
    ASSERT_NE(thumbnail->actionInterface(), nullptr);
    thumbnail->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(f.setting("Layout"), QStringLiteral("7"));
    EXPECT_TRUE(accessible(w.findChild<QLabel*>(QStringLiteral("imgLon7")))->state().checked);
}
