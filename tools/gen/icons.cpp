// The program icon at every size of the desktop's icon theme, drawn anew at each size.
#include "icons.h"

#include "pictures_common.h"

#include <QPainter>
#include <QPainterPath>

#include <cstdio>

namespace gen {
namespace {

/// The icon's design on a 256-unit square, painted into a square of size pixels: the same tile,
/// hole and marble as the program's own 256-pixel icon, with the hole and marble drawn at the
/// pixel size they take rather than scaled from another size.
QImage drawIcon(const QImage& board, int size) {
    const double scale = size / 256.0;
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.scale(scale, scale);
    pic::paintIconTile(p, board);

    const auto pixels = [scale](double units) { return qRound(units * scale); };
    p.drawImage(QRectF(28, 28, 200, 200), pic::holeImage(board, pixels(200)));
    QRadialGradient contact(QPointF(140, 142), 92);
    contact.setColorAt(0.75, QColor(0, 0, 0, 120));
    contact.setColorAt(1, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(contact);
    p.drawEllipse(QPointF(140, 142), 92, 92);
    p.drawImage(QRectF(40, 40, 168, 168), pic::marbleImage(3, pixels(168)));
    return img;
}

} // namespace

QImage iconImage(int size) {
    // Small sizes are drawn at 256 pixels or a little more and averaged down, so that thin
    // lines and the marble's highlight keep their weight instead of vanishing.
    const int factor = size < 256 ? (256 + size - 1) / size : 1;
    const QImage drawn = drawIcon(pic::boardImage(1), size * factor);
    return factor == 1 ? drawn : pic::boxDownscale(drawn, factor);
}

bool writeIcons(const QDir& out) {
    out.mkpath(QStringLiteral("."));
    for (int size : kIconSizes) {
        const QString file = out.filePath(QStringLiteral("icon_%1.png").arg(size));
        if (!iconImage(size).save(file, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return false;
        }
    }
    return true;
}

} // namespace gen
