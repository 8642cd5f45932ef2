// The About window's large picture and the program icon: boards and marbles put together.
#include "pictures_common.h"

#include "game/variants.h"

#include <QPainter>
#include <QRadialGradient>
#include <QTransform>

#include <algorithm>

namespace gen::pic {
namespace game = marvolen::game;
namespace {

/// A round board seen from straight above: the material cut into a disc with a rounded rim;
/// board and the result are drawn at scale.
QImage roundBoard(const QImage& board, int size, int scale) {
    const double centre = size / 2.0, radius = size / 2.0 - scale;
    const double ratio = double(board.width()) / size;
    return renderSupersampled(size, size, 2, [&](double px, double py) {
        const double dx = px - centre, dy = py - centre;
        const double d = std::hypot(dx, dy);
        if (d > radius)
            return Shade{{}, 0};
        // Sample away from the square board's bevel.
        const int sx = std::clamp(int(30 * scale + px * ratio * 0.9), 0, board.width() - 1);
        const int sy = std::clamp(int(30 * scale + py * ratio * 0.9), 0, board.height() - 1);
        Rgb c = fromPixel(board.pixel(sx, sy));
        const double rim = smoothstep(radius - 14 * scale, radius - scale, d);
        const double facing = -(dx * 0.646 + dy * 0.763) / std::max(d, 1.0);
        c = facing > 0 ? mix(c, grey(1), rim * 0.35 * facing) : c * (1 - rim * 0.45 * -facing);
        return Shade{c * (1 - 0.5 * smoothstep(radius - 1.5 * scale, radius, d)), 1};
    });
}

/// A marble in perspective: a soft shadow on the board, then the ball resting in its hole.
void drawMarbleAt(QPainter& p, const QImage& marble, QPointF hole, double size) {
    QRadialGradient shade(hole + QPointF(size * 0.16, size * 0.08), size * 0.55);
    shade.setColorAt(0, QColor(0, 0, 0, 140));
    shade.setColorAt(1, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shade);
    p.drawEllipse(hole + QPointF(size * 0.16, size * 0.08), size * 0.6, size * 0.36);
    p.drawImage(QRectF(hole.x() - size / 2, hole.y() - size * 0.72, size, size), marble);
}

} // namespace

QImage aboutPicture(const QImage& board, const QImage& hole, int scale) {
    constexpr int kW = 356, kH = 330;
    QImage img(kW * scale, kH * scale, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QTransform toPixels = QTransform::fromScale(scale, scale);
    p.setTransform(toPixels);
    QRadialGradient back(QPointF(178, 200), 260);
    back.setColorAt(0, QColor(0, 78, 84));
    back.setColorAt(0.55, QColor(6, 28, 34));
    back.setColorAt(1, QColor(0, 0, 0));
    p.fillRect(QRect(0, 0, kW, kH), back);

    // The English cross of 33 holes on a round board, half played.
    constexpr int kTop = 480;
    constexpr double kPitch = 58;
    QImage top = roundBoard(board, kTop * scale, scale);
    const int variant = 4;
    const QByteArray layout = game::layoutOf(variant);
    {
        QPainter tp(&top);
        tp.setRenderHint(QPainter::SmoothPixmapTransform);
        tp.scale(scale, scale);
        for (int pos = 0; pos < game::kPositions; ++pos)
            if (layout.at(pos) == '1')
                tp.drawImage(QRectF(kTop / 2 + (pos % 7 - 3) * kPitch - 23,
                                    kTop / 2 + (pos / 7 - 3) * kPitch - 23, 46, 46),
                             hole);
    }
    const QPolygonF square({{0, 0}, {kTop, 0}, {kTop, kTop}, {0, kTop}});
    const QPolygonF view({{86, 98}, {270, 98}, {348, 298}, {8, 298}});
    QTransform tilt;
    QTransform::quadToQuad(square, view, tilt);

    // The board's edge, then its top.
    QPainterPath disc;
    disc.addEllipse(QRectF(1, 1, kTop - 2, kTop - 2));
    const QPainterPath outline = tilt.map(disc);
    p.setPen(Qt::NoPen);
    for (int k = 14; k >= 1; --k) {
        const int shade = 40 + 5 * (14 - k);
        p.setBrush(QColor(shade + 30, shade, shade / 2 + 4));
        p.drawPath(outline.translated(0, k));
    }
    p.setTransform(QTransform::fromScale(1.0 / scale, 1.0 / scale) * tilt * toPixels);
    p.drawImage(0, 0, top);
    p.setTransform(toPixels);

    // Marbles: every hole filled except a few, the far rows first.
    const QImage marble = marbleImage(3, 96 * scale);
    const int emptyHoles[] = {game::kCentre, 10, 17, 22, 31, 30, 46};
    for (int pos = 0; pos < game::kPositions; ++pos) {
        if (layout.at(pos) != '1' || std::count(std::begin(emptyHoles), std::end(emptyHoles), pos))
            continue;
        const QPointF at(kTop / 2 + (pos % 7 - 3) * kPitch, kTop / 2 + (pos / 7 - 3) * kPitch);
        const QPointF c = tilt.map(at);
        const double w =
            QLineF(tilt.map(at - QPointF(kPitch / 2, 0)), tilt.map(at + QPointF(kPitch / 2, 0)))
                .length();
        drawMarbleAt(p, marble, c, w * 0.8);
    }
    drawTitle(p, QRectF(0, 8, kW, 60), 46);
    return img;
}

void paintIconTile(QPainter& p, const QImage& board) {
    const QRectF tile(8, 8, 240, 240);
    QPainterPath shape;
    shape.addRoundedRect(tile, 46, 46);
    // A soft shadow below the tile.
    for (int k = 6; k >= 1; --k) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 22));
        p.drawPath(shape.translated(k * 0.6, k));
    }
    p.save();
    p.setClipPath(shape);
    p.drawImage(tile, board, QRectF(40, 60, 420, 420));
    // A raised rim: light along the top and left, shade along the bottom and right.
    QLinearGradient rim(tile.topLeft(), tile.bottomRight());
    rim.setColorAt(0, QColor(255, 255, 255, 150));
    rim.setColorAt(0.5, QColor(255, 255, 255, 0));
    rim.setColorAt(0.51, QColor(0, 0, 0, 0));
    rim.setColorAt(1, QColor(0, 0, 0, 150));
    p.strokePath(shape, QPen(QBrush(rim), 14));
    p.restore();
    p.setPen(QPen(QColor(60, 36, 16), 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
}

QImage programIcon(const QImage& board) {
    constexpr int kSize = 256;
    QImage img(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    paintIconTile(p, board);

    const QImage hole = holeImage(board, 200);
    p.drawImage(QPointF(28, 28), hole);
    const QImage marble = marbleImage(3, 168);
    QRadialGradient contact(QPointF(140, 142), 92);
    contact.setColorAt(0.75, QColor(0, 0, 0, 120));
    contact.setColorAt(1, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(contact);
    p.drawEllipse(QPointF(140, 142), 92, 92);
    p.drawImage(QPointF(40, 40), marble);
    return img;
}

} // namespace gen::pic
