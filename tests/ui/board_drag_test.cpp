// Dragging a marble with the mouse: what the pointer shows over the board, the panel and outside
// the window, where the marble lands, and the practice mark that a drag and the pointer pass
// through.
#include "app_fixture.h"
#include "drag_stand_in.h"
#include "ui/main_window.h"

#include <QAccessible>
#include <QDrag>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

using namespace marvolen;
using namespace marvolen::ui;
using marvolen::test::AppFixture;
using namespace marvolen::test;

namespace {

/// How many of the picture's opaque pixels the board shows otherwise in a marble's place: the
/// pointer must show the very marble the board shows.
int differingFromBoard(MainWindow& w, int marble, const QImage& picture) {
    const QImage shown = w.board()
                             .grab(w.board().marbleRect(marble))
                             .toImage()
                             .convertToFormat(QImage::Format_ARGB32);
    if (picture.size() != shown.size())
        return -1;
    const QImage p = picture.convertToFormat(QImage::Format_ARGB32);
    int differing = 0;
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x)
            if (qAlpha(p.pixel(x, y)) == 255) {
                const QRgb a = p.pixel(x, y), b = shown.pixel(x, y);
                differing += std::abs(qRed(a) - qRed(b)) > 1 ||
                             std::abs(qGreen(a) - qGreen(b)) > 1 ||
                             std::abs(qBlue(a) - qBlue(b)) > 1;
            }
    return differing;
}

} // namespace

TEST(BoardDrag, ThePointerShowsTheMarbleOverTheBoardThePanelAndOutsideTheWindow) {
    AppFixture f;
    MainWindow& w = f.openGame();
    w.session().optBut_Click(0);
    BoardWidget& board = w.board();
    const QRect marble = board.marbleRect(10);
    DragStandIn standIn(w, {inWindow(w, &board, marble.center() + QPoint(60, 0)),
                            inWindow(w, w.button(0), w.button(0)->rect().center()),
                            QPoint(w.width() + 40, w.height() / 2)});
    dragMarble(w, 10);

    EXPECT_EQ(standIn.lifted, 10);
    EXPECT_FALSE(standIn.liftedShown); // its hole looks empty while it is dragged
    ASSERT_EQ(standIn.steps.size(), 3u);
    EXPECT_TRUE(standIn.steps[0].taken);
    EXPECT_FALSE(standIn.steps[1].taken); // the panel takes no marble
    EXPECT_FALSE(standIn.steps[2].taken);
    for (std::size_t i = 0; i < standIn.steps.size(); ++i) {
        const QImage& pointer = standIn.steps[i].pointer;
        ASSERT_EQ(pointer.size(), QSize(32, 32)) << i;
        EXPECT_EQ(differingFromBoard(w, 11, pointer), 0) << i;
        // A round marble, not a square: its corners let the desktop through.
        EXPECT_EQ(qAlpha(pointer.pixel(0, 0)), 0) << i;
        EXPECT_EQ(qAlpha(pointer.pixel(31, 31)), 0) << i;
    }
    // No drag picture: on X11 it would be a window of its own, a white square without a
    // compositor and a second marble with one.
    EXPECT_TRUE(standIn.picture.isNull());
    // Let go outside the window, it stays lifted until the pointer comes back over the board.
    EXPECT_FALSE(board.marbleShown(10));
    EXPECT_EQ(w.model().LiftedMarble(), 10);
}

TEST(BoardDrag, ADropOnAHoleJumpsAndOnTheBareBoardPutsTheMarbleBack) {
    AppFixture f;
    MainWindow& w = f.openGame();
    w.session().optBut_Click(0);
    BoardWidget& board = w.board();
    {
        DragStandIn standIn(w, {inWindow(w, &board, board.holeRect(24).center())});
        dragMarble(w, 10);
    }
    EXPECT_FALSE(board.marbleShown(10));
    EXPECT_FALSE(board.marbleShown(17));
    EXPECT_TRUE(board.marbleShown(24));
    const std::string before = board.stateText().toStdString();
    DragStandIn standIn(w, {inWindow(w, &board, QPoint(4, board.height() - 4))});
    dragMarble(w, 3);
    EXPECT_EQ(standIn.lifted, 3);
    EXPECT_TRUE(board.marbleShown(3));
    EXPECT_EQ(board.stateText().toStdString(), before);
    EXPECT_EQ(w.model().LiftedMarble(), std::nullopt);
}

TEST(PracticeMark, ADragAndThePointerPassThroughItToTheBoard) {
    AppFixture f;
    MainWindow& w = f.openGame();
    w.session().optBut_Click(0);
    BoardWidget& board = w.board();
    jumpByMouse(w, 10, 24);
    f.answers = {true}; // the first aid makes it a practice game
    QTest::keyClick(&board, Qt::Key_Z, Qt::ControlModifier);
    auto* mark = w.findChild<QLabel*>(QStringLiteral("lblPractice"));
    ASSERT_NE(mark, nullptr);
    ASSERT_TRUE(mark->isVisible());
    const QPoint onMark = mark->geometry().center();
    ASSERT_TRUE(board.geometry().contains(onMark));
    for (int p = 0; p < game::kPositions; ++p)
        ASSERT_FALSE(board.holeShown(p) && board.holeRect(p).contains(board.mapFrom(&w, onMark)))
            << "the mark lies over hole " << p;
    const std::string before = board.stateText().toStdString();

    // Dropped on the mark, the marble is dropped on the bare board: back in its hole at once.
    {
        DragStandIn standIn(w, {onMark});
        dragMarble(w, 2);
        ASSERT_EQ(standIn.steps.size(), 1u);
        EXPECT_TRUE(standIn.steps[0].taken);
        EXPECT_EQ(differingFromBoard(w, 4, standIn.steps[0].pointer), 0);
    }
    EXPECT_TRUE(board.marbleShown(2));
    EXPECT_EQ(board.stateText().toStdString(), before);
    EXPECT_EQ(w.model().LiftedMarble(), std::nullopt);

    // Let go outside, the marble comes back as the pointer moves over the mark, as over the board.
    {
        DragStandIn standIn(w, {QPoint(w.width() + 40, 10)});
        dragMarble(w, 2);
    }
    ASSERT_FALSE(board.marbleShown(2));
    QTest::mouseMove(w.windowHandle(), inWindow(w, w.button(0), w.button(0)->rect().center()));
    ASSERT_FALSE(board.marbleShown(2)); // the panel is no part of the board
    QTest::mouseMove(w.windowHandle(), onMark);
    EXPECT_TRUE(board.marbleShown(2));

    // Still a label with its text that a screen reader reads.
    QAccessibleInterface* readable = QAccessible::queryAccessibleInterface(mark);
    ASSERT_NE(readable, nullptr);
    EXPECT_EQ(readable->text(QAccessible::Name), QStringLiteral("Practice game"));
}
