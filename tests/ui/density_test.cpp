// The board and the panel on a screen of twice the density: this program runs with
// QT_SCALE_FACTOR=2, so every window has device pixel ratio 2 as on such a screen.
#include "app/resources.h"
#include "game/strips.h"
#include "ids/resource_ids.h"
#include "ui/board_widget.h"
#include "ui/panel_widgets.h"
#include "ui/pictures.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QDrag>
#include <QLabel>
#include <QMouseEvent>

#include <cstdlib>

namespace {

using namespace marvolen;

class DensityTwo : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(qApp->devicePixelRatio(), 2.0) << "run with QT_SCALE_FACTOR=2";
    }
};

QImage argb(const QImage& img) {
    return img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

bool near(QRgb a, QRgb b, int tolerance) {
    return std::abs(qRed(a) - qRed(b)) <= tolerance &&
           std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

/// How many of the picture's opaque pixels the shot shows otherwise, the picture's top-left
/// corner lying at `at` in the shot.
int differingOpaquePixels(const QImage& shot, QPoint at, const QImage& picture, int tolerance) {
    int differing = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb p = picture.pixel(x, y);
            if (qAlpha(p) == 255 && !near(shot.pixel(at + QPoint(x, y)), p, tolerance))
                ++differing;
        }
    return differing;
}

int opaquePixels(const QImage& picture) {
    int n = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            n += qAlpha(picture.pixel(x, y)) == 255;
    return n;
}

TEST_F(DensityTwo, TheMarbleIsTheLargePicturePixelForPixelNotTheSmallOneEnlarged) {
    ui::BoardWidget board;
    board.resize(600, 600);
    board.setBoardPicture(ResourceId::board(1));
    board.setHolePicture(1);
    const int marble = ResourceId::marble(3);
    board.setMarblePicture(marble);
    // A hole at 300 pixels, its marble 5 board units right of and below it.
    board.moveHole(24, 4500, 4500);
    board.moveMarble(24, 4575, 4575);
    board.setHoleShown(24, true);
    board.setMarbleShown(24, true);

    const QPixmap grabbed = board.grab();
    EXPECT_EQ(grabbed.devicePixelRatio(), 2.0);
    ASSERT_EQ(grabbed.size(), QSize(1200, 1200));
    const QImage shot = argb(grabbed.toImage());
    // The same logical place and size as on a plain screen.
    const QRect element = board.marbleRect(24);
    EXPECT_EQ(element, QRect(305, 305, 32, 32));

    const QString path = app::resourcePath(QLatin1String(ResourceType::Icon), marble);
    const QImage large = argb(QImage(ui::doublePicturePath(path)));
    const QImage enlarged =
        argb(QImage(path).scaled(64, 64, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    ASSERT_EQ(large.size(), QSize(64, 64));
    const QPoint at = element.topLeft() * 2;
    EXPECT_EQ(differingOpaquePixels(shot, at, large, 1), 0);
    // The small picture enlarged would differ in much of the ball, its edge above all.
    EXPECT_GT(differingOpaquePixels(shot, at, enlarged, 8), opaquePixels(large) / 4);

    // A dragged marble keeps its size on the screen and is as sharp as the one on the board.
    const QPixmap dragged = board.dragImage();
    EXPECT_EQ(dragged.deviceIndependentSize(), QSizeF(32, 32));
    ASSERT_EQ(dragged.size(), QSize(64, 64));
    EXPECT_EQ(differingOpaquePixels(argb(dragged.toImage()), {0, 0}, large, 1), 0);

    // So does the pointer that shows it during the drag, held by the marble's middle: X11 takes
    // the hot spot Qt gives a cursor in the screen's own pixels.
    struct PointerTaker : ui::BoardWidget::DragRunner {
        QPixmap pointer;
        Qt::DropAction run(QDrag& drag, Qt::DropActions) override {
            pointer = drag.dragCursor(Qt::MoveAction);
            return Qt::IgnoreAction;
        }
    } taker;
    board.setDragRunner(&taker);
    const QPixmap& pointer = taker.pointer;
    const QPointF middle = QRectF(element).center();
    QMouseEvent press(QEvent::MouseButtonPress, middle, board.mapToGlobal(middle), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&board, &press);
    ASSERT_EQ(pointer.size(), QSize(64, 64));
    EXPECT_EQ(QCursor(pointer).hotSpot(), QPoint(32, 32));
    EXPECT_EQ(differingOpaquePixels(argb(pointer.toImage()), {0, 0}, large, 1), 0);
}

TEST_F(DensityTwo, TheBoardAndItsHolesAreDrawnFromTheLargePictures) {
    ui::BoardWidget board;
    board.resize(600, 600);
    board.setBoardPicture(ResourceId::board(6));
    board.setHolePicture(6);
    board.moveHole(0, 1500, 1500);
    board.setHoleShown(0, true);
    const QImage shot = argb(board.grab().toImage());
    const QString path = app::resourcePath(QLatin1String(ResourceType::Bitmap), 126);
    const QImage large = argb(QImage(ui::doublePicturePath(path)));
    ASSERT_EQ(large.size(), QSize(1200, 1200));
    // A 600-pixel board fills 1200 pixels of the screen: the large board shown as it is.
    const QImage corner = large.copy(400, 400, 40, 40);
    EXPECT_EQ(differingOpaquePixels(shot, {400, 400}, corner, 1), 0);
    // The hole's pit, away from its soft edge, is the 80-pixel picture as it is.
    const QImage hole = argb(QImage(QStringLiteral(":/res/PIC/hole5@2x")));
    ASSERT_EQ(hole.size(), QSize(80, 80));
    EXPECT_EQ(differingOpaquePixels(shot, board.holeRect(0).topLeft() * 2, hole, 1), 0);
}

TEST_F(DensityTwo, DigitsAndThumbnailsShowTheirCellsOfTheLargeStrips) {
    ui::DisplayFrame displays(nullptr);
    displays.showDigits(game::Display::Time, {1, 2, 3, 8});
    const QImage shot = argb(displays.grab().toImage());
    const QImage digits = argb(QImage(QStringLiteral(":/res/PIC/digits@2x")));
    const int cells[] = {1, 2, 3, 8};
    for (int i = 0; i < 4; ++i) {
        const auto* place = displays.findChild<QLabel*>(QStringLiteral("imgZeit%1").arg(i));
        ASSERT_NE(place, nullptr);
        EXPECT_EQ(place->size(), QSize(18, 27));
        const QRect cell = game::stripCell(game::kDigitStrip, cells[i]);
        const QImage large = digits.copy(QRect(cell.topLeft() * 2, cell.size() * 2));
        EXPECT_EQ(differingOpaquePixels(shot, place->mapTo(&displays, QPoint()) * 2, large, 1), 0)
            << i;
    }

    ui::ThumbnailFrame thumbnails(nullptr);
    thumbnails.showAll();
    const QImage thumbShot = argb(thumbnails.grab().toImage());
    const QImage layout = argb(QImage(QStringLiteral(":/res/PIC/layout@2x")));
    const auto* first = thumbnails.findChild<QLabel*>(QStringLiteral("imgLoff0"));
    ASSERT_NE(first, nullptr);
    ASSERT_EQ(first->size(), QSize(32, 32));
    const QRect cell = game::stripCell(game::kLayoutStrip, 0);
    const QImage large = layout.copy(QRect(cell.topLeft() * 2, cell.size() * 2));
    EXPECT_EQ(differingOpaquePixels(thumbShot, first->pos() * 2, large, 1), 0);
}

TEST_F(DensityTwo, AtRatioOneTheLoaderGivesThePlainPictureUntouched) {
    const QString path = QStringLiteral(":/res/PIC/logo");
    const QPixmap plain = ui::loadPicture(path, 1.0);
    EXPECT_EQ(plain.devicePixelRatio(), 1.0);
    EXPECT_EQ(plain.toImage(), QImage(path).convertToFormat(plain.toImage().format()));
    const QPixmap twice = ui::loadPicture(path, 1.5);
    EXPECT_EQ(twice.devicePixelRatio(), 2.0);
    EXPECT_EQ(twice.deviceIndependentSize(), QSizeF(plain.size()));
    // Each is decoded once and kept: asked again, the loader gives the very same pictures.
    EXPECT_EQ(ui::loadPicture(path, 1.0).cacheKey(), plain.cacheKey());
    EXPECT_EQ(ui::loadPicture(path, 1.5).cacheKey(), twice.cacheKey());
    // A picture without a large twin keeps its own size on any screen.
    const QPixmap icon = ui::loadPicture(QStringLiteral(":/res/PIC/winicon64"), 2.0);
    EXPECT_EQ(icon.size(), QSize(64, 64));
    EXPECT_EQ(icon.devicePixelRatio(), 1.0);
    // Strip cells are cut at the picture's own ratio.
    const QPixmap strip = ui::loadPicture(QStringLiteral(":/res/PIC/digits"), 2.0);
    const QPixmap cell = ui::stripCellPicture(strip, game::kDigitStrip, 10);
    EXPECT_EQ(cell.size(), QSize(36, 54));
    EXPECT_EQ(cell.deviceIndependentSize(), QSizeF(18, 27));
}

} // namespace
