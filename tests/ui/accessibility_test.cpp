// What assistive technology reads of the main window: the board's places as a table of its
// holes with the cursor's place focused, the two displays as one sentence each, and both in
// the current language.
#include "app_fixture.h"
#include "ui/announcer.h"
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

    // What happens is told to a screen reader, each pass of events as one announcement.
    const auto told = [&w](const char* words) {
        const bool heard =
            QTest::qWaitFor([&] { return w.announcer().told() == QString::fromUtf8(words); }, 5000);
        EXPECT_TRUE(heard) << w.announcer().told().toStdString();
        return heard;
    };
    told("Game started");
    QTest::keyClick(&board, Qt::Key_Up);
    QTest::keyClick(&board, Qt::Key_Space);
    EXPECT_TRUE(place(board, 10)->state().selected); // the lifted marble
    told("Marble lifted");
    QTest::keyClick(&board, Qt::Key_Space); // dropped where it was lifted
    told("Marble put back");
    QTest::keyClick(&board, Qt::Key_Space);
    QTest::keyClick(&board, Qt::Key_Down);
    QTest::keyClick(&board, Qt::Key_Down);
    QTest::keyClick(&board, Qt::Key_Return);
    ASSERT_EQ(w.model().MarbleCount(), 31);
    // The jump changes the three places and the marble count; the focus stays on the target.
    EXPECT_EQ(nameOf(place(board, 10)), QStringLiteral("row 2, column 4: empty"));
    EXPECT_EQ(nameOf(place(board, 17)), QStringLiteral("row 3, column 4: empty"));
    EXPECT_EQ(nameOf(table->focusChild()), QStringLiteral("row 4, column 4: marble"));
    told("Marble lifted. Marbles: 31"); // one pass of events: lifted, then jumped
    // A jump taken back (once the player agrees to a practice game) says which, then the count.
    f.answers = {true};
    QTest::keyClick(&board, Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(w.model().MarbleCount(), 32);
    told("Jump taken back: from row 2, column 4 to row 4, column 4. Marbles: 32");
    QTest::keyClick(&board, Qt::Key_Y, Qt::ControlModifier);
    told("Jump made again: from row 2, column 4 to row 4, column 4. Marbles: 31");
    w.board().showHint(38, 24);
    told("Hint: jump from row 6, column 4 to row 4, column 4");
    // In the other language too: 31 over 24 into 17.
    w.session().imgLang_Click(0);
    board.setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(QTest::qWaitFor([&] { return board.hasFocus(); }, 5000));
    for (Qt::Key k : {Qt::Key_Down, Qt::Key_Space, Qt::Key_Up, Qt::Key_Up, Qt::Key_Space})
        QTest::keyClick(&board, k);
    ASSERT_EQ(w.model().MarbleCount(), 30);
    told("Kugel angehoben. Kugeln: 30");
}

TEST(Announcements, TheyReachAScreenReaderAsAStatusBarsNotificationOfTheWindow) {
    AppFixture f;
    MainWindow& w = f.openGame();
    QAccessibleInterface* window = accessible(&w);
    EXPECT_EQ(window->role(), QAccessible::Window);
    EXPECT_EQ(nameOf(window), QStringLiteral("Marvolen"));
    QAccessibleInterface* bar = window->child(window->childCount() - 1);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->role(), QAccessible::StatusBar);
    EXPECT_EQ(bar->parent(), window);
    EXPECT_EQ(window->indexOfChild(bar), window->childCount() - 1);
    QAccessibleInterface* note = bar->child(0);
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->role(), QAccessible::Notification);
    EXPECT_EQ(note->parent(), bar);
    EXPECT_TRUE(note->state().invisible); // nothing told yet
    // What one pass of events tells is one announcement, a count after what changed it.
    w.announcer().announce(QStringLiteral("Marbles: 31"), true);
    w.announcer().announce(QStringLiteral("Marble lifted"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.announcer().told().isEmpty(); }, 5000));
    EXPECT_EQ(nameOf(note), QStringLiteral("Marble lifted. Marbles: 31"));
    EXPECT_FALSE(note->state().invisible);
    w.session().optBut_Click(0);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return nameOf(note) == QLatin1String("Game started"); }, 5000));
}

TEST(ThumbnailAccessibility, EachVariantIsOneElementTheSelectedOneChecked) {
    AppFixture f;
    MainWindow& w = f.openGame();
    QAccessibleInterface* variants = accessible(w.findChild<QWidget*>(QStringLiteral("fraLayout")));
    EXPECT_EQ(variants->role(), QAccessible::Grouping);
    EXPECT_EQ(nameOf(variants), QStringLiteral("Variants"));
    const auto checked = [&] {
        std::vector<int> found;
        EXPECT_EQ(variants->childCount(), 20);
        for (int i = 0; i < 20; ++i) {
            QAccessibleInterface* variant = variants->child(i);
            EXPECT_EQ(variants->indexOfChild(variant), i);
            EXPECT_EQ(variant->role(), QAccessible::RadioButton);
            EXPECT_FALSE(variant->state().invisible) << i;
            EXPECT_EQ(nameOf(variant),
                      w.findChild<QLabel*>(QStringLiteral("imgLoff%1").arg(i))->accessibleName());
            if (variant->state().checked)
                found.push_back(i);
        }
        return found;
    };
    EXPECT_EQ(checked(), std::vector<int>{4}); // the stored variant
    w.session().imgLoff_Click(11);
    EXPECT_EQ(checked(), std::vector<int>{11});
    EXPECT_EQ(variants->child(11)->object()->objectName(), QStringLiteral("imgLon11"));
}

TEST(PanelAccessibility, TheGroupsAreNamedGroupingsNotFrames) {
    AppFixture f;
    MainWindow& w = f.openGame();
    const std::vector<std::pair<const char*, const char*>> groups = {{"fraAnzeige", "Game"},
                                                                     {"fraLayout", "Variants"},
                                                                     {"fraKnopf", "Commands"},
                                                                     {"fraSprache", "Language"}};
    for (const auto& [object, name] : groups) {
        QAccessibleInterface* group = accessible(w.findChild<QWidget*>(QLatin1String(object)));
        ASSERT_NE(group, nullptr) << object;
        EXPECT_EQ(group->role(), QAccessible::Grouping) << object;
        EXPECT_EQ(nameOf(group), QLatin1String(name)) << object;
    }
    w.session().imgLang_Click(0);
    EXPECT_EQ(nameOf(accessible(w.findChild<QWidget*>(QStringLiteral("fraSprache")))),
              QStringLiteral("Sprache"));
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
    key(Qt::Key_Right); // the selected variant 4, its uncovered picture
    EXPECT_TRUE(focusOn(QStringLiteral("imgLon4")));
    key(Qt::Key_Right);
    EXPECT_TRUE(focusOn(QStringLiteral("imgLoff5")));
    key(Qt::Key_Up);
    key(Qt::Key_Left);
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
