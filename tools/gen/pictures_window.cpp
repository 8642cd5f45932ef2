// Pictures of the main window's design: digit and thumbnail strips, panel, logo and flags.
#include "pictures_common.h"

#include "game/strips.h"
#include "game/variants.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>

#include <array>

namespace gen::pic {
namespace game = marvolen::game;
namespace {

// ---- the seven-segment digits ----

// Segments a (top), b, c (right, top to bottom), d (bottom), e, f (left, bottom to top), g.
constexpr std::array<const char*, 10> kDigitSegments{
    "abcdef", "bc", "abdeg", "abcdg", "bcfg", "acdfg", "acdefg", "abc", "abcdefg", "abcdfg"};

/// The outline of one segment in a cell of 18 x 27 pixels, leaning slightly to the right.
QPolygonF segmentShape(char segment) {
    constexpr double kLeft = 4.0, kRight = 14.0, kTop = 2.5, kBottom = 24.5;
    constexpr double kThick = 2.9, kGap = 0.55, kLean = 0.075;
    const double xl = kLeft + kThick / 2, xr = kRight - kThick / 2;
    const double yt = kTop + kThick / 2, yb = kBottom - kThick / 2, ym = (kTop + kBottom) / 2;
    const double h = kThick / 2;
    auto horizontal = [&](double y) {
        return QPolygonF({{xl + kGap, y},
                          {xl + kGap + h, y - h},
                          {xr - kGap - h, y - h},
                          {xr - kGap, y},
                          {xr - kGap - h, y + h},
                          {xl + kGap + h, y + h}});
    };
    auto vertical = [&](double x, double y0, double y1) {
        return QPolygonF({{x, y0 + kGap},
                          {x + h, y0 + kGap + h},
                          {x + h, y1 - kGap - h},
                          {x, y1 - kGap},
                          {x - h, y1 - kGap - h},
                          {x - h, y0 + kGap + h}});
    };
    QPolygonF shape;
    switch (segment) {
    case 'a':
        shape = horizontal(yt);
        break;
    case 'b':
        shape = vertical(xr, yt, ym);
        break;
    case 'c':
        shape = vertical(xr, ym, yb);
        break;
    case 'd':
        shape = horizontal(yb);
        break;
    case 'e':
        shape = vertical(xl, ym, yb);
        break;
    case 'f':
        shape = vertical(xl, yt, ym);
        break;
    default:
        shape = horizontal(ym);
        break;
    }
    for (QPointF& pt : shape)
        pt.rx() += kLean * (ym - pt.y());
    return shape;
}

/// Coverage (0 to 1) of the lit or the unlit segments of every cell of the strip drawn at scale,
/// drawn eight times larger still and averaged down.
std::vector<double> segmentCoverage(const game::StripLayout& strip, bool lit, int scale) {
    constexpr int kScale = 8;
    QImage big(strip.size * kScale * scale, QImage::Format_ARGB32_Premultiplied);
    big.fill(Qt::transparent);
    QPainter p(&big);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.scale(kScale * scale, kScale * scale);
    for (int cell = 0; cell < strip.rows * strip.columns; ++cell) {
        const QRect r = game::stripCell(strip, cell);
        const QString on = cell < 10 ? QString::fromLatin1(kDigitSegments[std::size_t(cell)]) : "";
        for (char s : QByteArrayLiteral("abcdefg")) {
            if (on.contains(QLatin1Char(s)) != lit)
                continue;
            p.drawPolygon(segmentShape(s).translated(r.topLeft()));
        }
    }
    p.end();
    const QImage small = boxDownscale(big, kScale);
    std::vector<double> out;
    out.reserve(std::size_t(small.width() * small.height()));
    for (int y = 0; y < small.height(); ++y)
        for (int x = 0; x < small.width(); ++x)
            out.push_back(qAlpha(small.pixel(x, y)) / 255.0);
    return out;
}

int nearestIndex(const QList<QRgb>& table, QRgb c) {
    int best = 0, bestDist = 1 << 30;
    for (int i = 0; i < table.size(); ++i) {
        const int dr = qRed(table[i]) - qRed(c), dg = qGreen(table[i]) - qGreen(c),
                  db = qBlue(table[i]) - qBlue(c);
        const int dist = dr * dr + dg * dg + db * db;
        if (dist < bestDist) {
            bestDist = dist;
            best = i;
        }
    }
    return best;
}

// ---- the variant thumbnails ----

struct ThumbColours {
    int background, frame, dotEdge, dotCore, emptyHole;
};

/// One thumbnail: a 3 x 3 rounded dot per hole on a 4-pixel grid, the centre an empty hole.
/// cell is in pixels of the strip at its size; at a larger scale every pixel of the design
/// becomes scale x scale pixels and the dots are rounded off more finely.
void drawThumbnail(QImage& img, const QRect& cell, int variantNumber, const ThumbColours& c,
                   int scale) {
    const int w = cell.width() * scale, h = cell.height() * scale;
    const int left = cell.x() * scale, top = cell.y() * scale;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool border = x < scale || y < scale || x >= w - scale || y >= h - scale;
            img.setPixel(left + x, top + y, uint(border ? c.frame : c.background));
        }
    const QByteArray layout = game::layoutOf(variantNumber);
    for (int pos = 0; pos < game::kPositions; ++pos) {
        if (layout.at(pos) != '1')
            continue;
        // The dot covers the design pixels cx - 1 to cx + 1; a pixel whose middle lies two
        // design pixels or more from the dot's middle (along both axes together) is its rim.
        const int cx = cell.x() + 4 + 4 * (pos % 7), cy = cell.y() + 4 + 4 * (pos / 7);
        const bool empty = pos == game::kCentre;
        for (int dy = 0; dy < 3 * scale; ++dy)
            for (int dx = 0; dx < 3 * scale; ++dx) {
                const double ox = (dx + 0.5) / scale - 1.5, oy = (dy + 0.5) / scale - 1.5;
                const bool corner = std::abs(ox) + std::abs(oy) >= 2;
                int index = corner ? c.dotEdge : c.dotCore;
                if (empty)
                    index = corner ? c.background : c.emptyHole;
                img.setPixel((cx - 1) * scale + dx, (cy - 1) * scale + dy, uint(index));
            }
    }
}

} // namespace

QImage digitStrip(int scale, QRgb colour) {
    const game::StripLayout& strip = game::kDigitStrip;
    const std::vector<double> lit = segmentCoverage(strip, true, scale);
    const std::vector<double> unlit = segmentCoverage(strip, false, scale);
    // Black, four steps to the faint teal of an unlit segment, ten steps to full cyan.
    QList<QRgb> table{qRgb(0, 0, 0)};
    for (int i = 1; i <= 4; ++i)
        table.append(qRgb(0, 12 * i, 12 * i));
    for (int i = 1; i <= 10; ++i)
        table.append(qRgb(0, (255 * i + 5) / 10, (255 * i + 5) / 10));
    QImage img(strip.size * scale, QImage::Format_Indexed8);
    img.setColorTable(table);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const std::size_t i = std::size_t(y * img.width() + x);
            const double g = std::min(255.0, 255 * lit[i] + 48 * unlit[i]);
            img.setPixel(x, y, uint(nearestIndex(table, qRgb(0, int(g + 0.5), int(g + 0.5)))));
        }
    // Another colour keeps every pixel's brightness step: each entry is the colour at the
    // cyan entry's brightness.
    if (colour != qRgb(0, 255, 255)) {
        for (QRgb& entry : table) {
            const int level = qGreen(entry);
            entry = qRgb((qRed(colour) * level + 127) / 255, (qGreen(colour) * level + 127) / 255,
                         (qBlue(colour) * level + 127) / 255);
        }
        img.setColorTable(table);
    }
    return img;
}

QImage layoutStrip(int scale) {
    const game::StripLayout& strip = game::kLayoutStrip;
    const QList<QRgb> table{qRgb(24, 24, 26),  qRgb(62, 62, 66),    qRgb(0, 122, 128),
                            qRgb(0, 240, 240), qRgb(0, 66, 70),     qRgb(0, 108, 116),
                            qRgb(0, 255, 255), qRgb(140, 230, 232), qRgb(255, 255, 255),
                            qRgb(0, 52, 58)};
    QImage img(strip.size * scale, QImage::Format_Indexed8);
    img.setColorTable(table);
    const ThumbColours plain{0, 1, 2, 3, 4};
    const ThumbColours selected{5, 6, 7, 8, 9};
    for (int v = 0; v < game::kVariants; ++v) {
        drawThumbnail(img, game::stripCell(strip, v), v, plain, scale);
        drawThumbnail(img, game::stripCell(strip, v + game::kVariants), v, selected, scale);
    }
    return img;
}

QImage panelImage(int scale) {
    constexpr int kW = 255, kH = 672;
    QImage img(kW * scale, kH * scale, QImage::Format_RGB32);
    for (int py = 0; py < img.height(); ++py) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(py));
        for (int px = 0; px < img.width(); ++px) {
            // The design's pixel coordinates of this pixel's middle, pixel corners at -0.5.
            const double x = (px + 0.5) / scale - 0.5, y = (py + 0.5) / scale - 0.5;
            const double u = x / double(kW), v = y / double(kH);
            // Dark brushed metal, lighter at the top, with a soft diagonal sheen.
            const double base = 0.25 - 0.08 * v;
            const double brush = 0.012 * fbm2(u * 3, y * 0.9, 501, 3);
            const double sheen = 0.035 * std::exp(-std::pow((u + v * 0.5 - 0.55) / 0.25, 2));
            double k = base + brush + sheen;
            if (px < scale || py < scale)
                k += 0.08;
            else if (px >= img.width() - scale || py >= img.height() - scale)
                k -= 0.1;
            line[px] = toPixel({k * 0.97, k, k * 1.04});
        }
    }
    return img;
}

void drawTitle(QPainter& p, const QRectF& rect, double pixelSize) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(int(pixelSize));
    font.setHintingPreference(QFont::PreferNoHinting);
    const QString title = QStringLiteral("Marvolen");
    QPainterPath path;
    const QFontMetricsF fm(font);
    const double w = fm.horizontalAdvance(title);
    path.addText(rect.center().x() - w / 2, rect.center().y() + (fm.ascent() - fm.descent()) / 2,
                 font, title);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    // A soft dark shadow, a deep teal outline and a cyan face that lightens toward the top.
    p.translate(1.5, 2);
    p.setPen(
        QPen(QColor(0, 0, 0, 110), pixelSize * 0.12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(0, 0, 0, 110));
    p.drawPath(path);
    p.translate(-1.5, -2);
    p.setPen(QPen(QColor(0, 60, 66), pixelSize * 0.09, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    const QRectF box = path.boundingRect();
    QLinearGradient face(box.topLeft(), box.bottomLeft());
    face.setColorAt(0.0, QColor(200, 255, 255));
    face.setColorAt(0.45, QColor(0, 240, 244));
    face.setColorAt(0.55, QColor(0, 200, 206));
    face.setColorAt(1.0, QColor(0, 150, 160));
    p.setPen(Qt::NoPen);
    p.setBrush(face);
    p.drawPath(path);
    p.restore();
}

QImage logoImage(const QImage& smallMarble, int scale) {
    QImage img(175 * scale, 67 * scale, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.scale(scale, scale);
    drawTitle(p, QRectF(0, 0, 175, 44), 31);
    // A row of marbles like one line of a board, one hole left empty.
    constexpr int kCount = 7, kPitch = 18;
    const int size = smallMarble.width() / scale;
    for (int i = 0; i < kCount; ++i) {
        const QPointF c(33.5 + i * kPitch, 55.5);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 160));
        p.drawEllipse(c, size / 2.0 + 1, size / 2.0 + 1);
        p.setBrush(QColor(0, 48, 54));
        p.drawEllipse(c + QPointF(0.5, 0.5), size / 2.0 - 1, size / 2.0 - 1);
        if (i != 3)
            p.drawImage(QRect(int(c.x()) - size / 2, int(c.y()) - size / 2, size, size),
                        smallMarble);
    }
    return img;
}

QImage flagImage(int index, int scale) {
    constexpr int kW = 64, kH = 40;
    QImage img(kW * scale, kH * scale, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.scale(scale, scale);
    // Bands end on whole pixels so that their edges stay crisp.
    auto bands = [&](std::initializer_list<QColor> colours, bool vertical) {
        const int n = int(colours.size());
        const int side = vertical ? kW : kH;
        int i = 0;
        for (const QColor& c : colours) {
            const int from = (side * i + n / 2) / n, to = (side * (i + 1) + n / 2) / n;
            p.fillRect(vertical ? QRect(from, 0, to - from, kH) : QRect(0, from, kW, to - from), c);
            ++i;
        }
    };
    switch (index) {
    case 0:
        bands({QColor(0, 0, 0), QColor(221, 0, 0), QColor(255, 206, 0)}, false);
        break;
    case 1: {
        // The Union Flag on a 60 x 30 design grid, stretched to the picture.
        p.scale(kW / 60.0, kH / 30.0);
        p.fillRect(QRectF(0, 0, 60, 30), QColor(1, 33, 105));
        QPainterPath diagonals;
        diagonals.moveTo(0, 0);
        diagonals.lineTo(60, 30);
        diagonals.moveTo(60, 0);
        diagonals.lineTo(0, 30);
        p.strokePath(diagonals, QPen(Qt::white, 6));
        // The red diagonals are offset against the white ones, turning round the centre.
        QPainterPath quarter;
        quarter.moveTo(30, 15);
        quarter.lineTo(60, 15);
        quarter.lineTo(60, 30);
        quarter.closeSubpath();
        quarter.moveTo(30, 15);
        quarter.lineTo(30, 30);
        quarter.lineTo(0, 30);
        quarter.closeSubpath();
        quarter.moveTo(30, 15);
        quarter.lineTo(0, 15);
        quarter.lineTo(0, 0);
        quarter.closeSubpath();
        quarter.moveTo(30, 15);
        quarter.lineTo(30, 0);
        quarter.lineTo(60, 0);
        quarter.closeSubpath();
        p.save();
        p.setClipPath(quarter);
        p.strokePath(diagonals, QPen(QColor(200, 16, 46), 4));
        p.restore();
        QPainterPath cross;
        cross.moveTo(30, 0);
        cross.lineTo(30, 30);
        cross.moveTo(0, 15);
        cross.lineTo(60, 15);
        p.strokePath(cross, QPen(Qt::white, 10, Qt::SolidLine, Qt::FlatCap));
        p.strokePath(cross, QPen(QColor(200, 16, 46), 6, Qt::SolidLine, Qt::FlatCap));
        p.setTransform(QTransform::fromScale(scale, scale));
        break;
    }
    case 2: {
        p.fillRect(QRectF(0, 0, kW, kH), QColor(170, 21, 27));
        p.fillRect(QRectF(0, kH / 4.0, kW, kH / 2.0), QColor(241, 191, 0));
        // A plain shield under a small crown near the hoist.
        QPainterPath shield;
        shield.moveTo(14, 15);
        shield.lineTo(24, 15);
        shield.lineTo(24, 23);
        shield.quadTo(24, 27.5, 19, 27.5);
        shield.quadTo(14, 27.5, 14, 23);
        shield.closeSubpath();
        p.setPen(QPen(QColor(120, 20, 20), 0.8));
        p.setBrush(QColor(200, 30, 36));
        p.drawPath(shield);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(246, 230, 200));
        p.drawRect(QRectF(19, 15.4, 4.6, 4.2));
        p.drawRect(QRectF(14.4, 19.6, 4.6, 4.4));
        p.setBrush(QColor(200, 150, 20));
        p.drawRect(QRectF(15, 12.6, 8, 2));
        p.drawEllipse(QPointF(16, 12.2), 0.9, 0.9);
        p.drawEllipse(QPointF(19, 11.8), 1.0, 1.0);
        p.drawEllipse(QPointF(22, 12.2), 0.9, 0.9);
        p.setBrush(QColor(170, 170, 176));
        p.drawRect(QRectF(10, 16, 1.8, 11));
        p.drawRect(QRectF(26.2, 16, 1.8, 11));
        break;
    }
    case 3:
        bands({QColor(0, 146, 70), QColor(244, 245, 240), QColor(206, 43, 55)}, true);
        break;
    case 6:
        bands({QColor(0, 35, 149), QColor(244, 245, 240), QColor(237, 41, 57)}, true);
        break;
    default:
        p.fillRect(QRect(0, 0, kW, kH), Qt::gray);
        break;
    }
    // A faint frame keeps the white bands apart from a light background.
    p.setBrush(Qt::NoBrush);
    p.setRenderHint(QPainter::Antialiasing, false);
    if (scale == 1) {
        p.setPen(QPen(QColor(0, 0, 0, 70), 1));
        p.drawRect(0, 0, kW - 1, kH - 1);
    } else {
        // The same frame, one pixel of the design wide, as a ring of whole pixels.
        p.resetTransform();
        QPainterPath ring;
        ring.setFillRule(Qt::OddEvenFill);
        ring.addRect(img.rect());
        ring.addRect(img.rect().adjusted(scale, scale, -scale, -scale));
        p.fillPath(ring, QColor(0, 0, 0, 70));
    }
    return img;
}

} // namespace gen::pic
