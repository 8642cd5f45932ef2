// The nine board materials, the hole carved into each, and the chooser's board thumbnails.
#include "pictures_common.h"

#include <QPainter>

namespace gen::pic {
namespace {

constexpr int kSide = 600;

// ---- materials, by point of the 600 x 600 board ----
// x and y are in pixels of the 600-pixel board; grain that is one pixel fine is hashed by the
// pixel of the picture being drawn (x and y times scale), so a larger board gets finer grain.

/// Long planks across the board, each cut from another part of the trunk.
Rgb wood(double x, double y, uint32_t seed, Rgb light, Rgb dark, double figure) {
    constexpr double kPlank = 150;
    const int plank = int(y / kPlank);
    const double inPlank = y - plank * kPlank;
    const uint32_t s = seed + uint32_t(plank) * 7919u;
    const double u = x / kSide, v = y / kSide;
    // Growth rings run along the plank with long gentle waves and a little fine wobble.
    const double density = 20 + 10 * hash01(plank, 1, 0, seed);
    const double t = v * density + figure * fbm2(u * 0.6 + plank * 5.3, v * 1.4, s, 4) +
                     0.08 * noise2(u * 5, v * 12, s + 4) + plank * 0.37;
    // Each year's ring has its own width of dark late wood and its own depth of colour.
    const int year = int(std::floor(t));
    const double ring = t - year;
    const double start = 0.4 + 0.35 * hash01(year, plank, 2, seed);
    const double late = (0.45 + 0.55 * hash01(year, plank, 3, seed)) *
                        smoothstep(start, 0.86, ring) * (1 - smoothstep(0.88, 0.995, ring));
    const double fibre = 0.5 + 0.5 * fbm2(u * 4 + plank * 3.1, v * 190, s + 1, 3);
    const double pores = smoothstep(0.55, 0.8, noise2(u * 60, v * 900, s + 3));
    const double blotch = 0.5 + 0.5 * fbm2(u * 2.5, v * 2.5, s + 2, 3);
    Rgb c = mix(light, dark, clamp01(0.5 * late + 0.28 * fibre + 0.22 * blotch + 0.12 * pores));
    c = c * (0.93 + 0.12 * hash01(plank, 0, 0, seed));
    if (plank > 0 && inPlank < 1.3)
        return c * 0.42;
    if (plank > 0 && inPlank < 2.5)
        return c * 1.1;
    return c;
}

Rgb marbleSlab(double x, double y) {
    const double u = x / kSide, v = y / kSide;
    // Veins follow the zero lines of warped noise: a few bold ones with a grey halo and a net
    // of fine ones, on white stone with faint clouds.
    const double wu = u + 0.12 * fbm2(u * 3, v * 3, 407, 4);
    const double wv = v + 0.12 * fbm2(u * 3 + 5, v * 3, 408, 4);
    const double bold = 1 - std::abs(fbm2(wu * 1.4, wv * 1.4, 401, 5));
    const double fine = 1 - std::abs(fbm2(wu * 3.5 + 3, wv * 3.5, 402, 5));
    Rgb c = mix(rgb(246, 245, 241), rgb(228, 228, 230), 0.5 + 0.5 * fbm2(u * 4, v * 4, 403, 4));
    c = mix(c, rgb(236, 230, 216), smoothstep(0.3, 0.8, fbm2(u * 1.5, v * 1.5, 404, 3)) * 0.5);
    c = mix(c, rgb(176, 178, 188), std::pow(bold, 8) * 0.4);
    c = mix(c, rgb(86, 90, 106), std::pow(bold, 40) * 0.85);
    return mix(c, rgb(138, 142, 156), std::pow(fine, 70) * 0.55);
}

Rgb slate(double x, double y, int scale) {
    const double u = x / kSide, v = y / kSide;
    // Cleft slate: thin layers split off in steps, each step a slightly different tone with a
    // pale broken edge, over a fine grain.
    const double s = (fbm2(u * 1.6, v * 1.6, 411, 5) + u * 0.4 - v * 0.25) * 5;
    const int level = int(std::floor(s));
    const double within = s - level;
    const double tone = hash01(level, 0, 0, 412);
    Rgb c = mix(rgb(50, 56, 66), rgb(74, 82, 94), tone);
    c = mix(c, rgb(66, 70, 64), hash01(level, 1, 0, 412) * 0.35);
    const double edge = 1 - smoothstep(0.0, 0.04, within);
    c = mix(c, rgb(120, 128, 140), edge * 0.5 * (0.5 + 0.5 * noise2(u * 40, v * 40, 413)));
    c = c * (0.92 + 0.1 * fbm2(u * 3, v * 24, 414, 3) + 0.05 * fbm2(u * 60, v * 60, 415, 2));
    if (hash01(int(x * scale), int(y * scale), 0, 416) > 0.993)
        c = c * 1.25;
    return c;
}

Rgb felt(double x, double y, int scale) {
    const double u = x / kSide, v = y / kSide;
    const double fibre = (hash01(int(x * scale), int(y * scale), 0, 421) - 0.5) * 0.12;
    const double tuft =
        0.06 * noise2(x * 0.45, y * 0.45, 422) + 0.05 * noise2(x * 0.9, y * 0.3, 423);
    const double mottle = 0.06 * fbm2(u * 5, v * 5, 424, 3);
    return rgb(20, 112, 58) * (1 + fibre + tuft + mottle);
}

Rgb brushedMetal(double x, double y, int scale) {
    const double u = x / kSide, v = y / kSide;
    const double streak = fbm2(u * 2.5, v * 420, 431, 3);
    const double row = hash01(0, int(y * scale), 0, 432) - 0.5;
    // The brushing throws the light back in broad bands across the grain.
    const double sheen = 0.16 * std::exp(-std::pow((u - 0.32 + 0.08 * v) / 0.22, 2)) +
                         0.08 * std::exp(-std::pow((u - 0.8) / 0.12, 2));
    return rgb(156, 160, 168) * (0.9 + sheen + 0.07 * streak + 0.03 * row);
}

Rgb sandstone(double x, double y, int scale) {
    const double u = x / kSide, v = y / kSide;
    const double t = v * 7 + 0.9 * fbm2(u * 1.3, v * 1.3, 441, 4);
    const int layer = int(std::floor(t));
    const double within = t - layer;
    const Rgb tones[] = {rgb(214, 178, 128), rgb(200, 156, 104), rgb(226, 196, 148),
                         rgb(190, 142, 96), rgb(218, 184, 136)};
    const Rgb a = tones[hashInts(layer, 0, 0, 442) % 5u];
    const Rgb b = tones[hashInts(layer + 1, 0, 0, 442) % 5u];
    Rgb c = mix(a, b, smoothstep(0.75, 1.0, within));
    // Fine laminations inside each layer.
    c = c * (1 + 0.045 * std::sin(t * 2 * kPi * 7) * (0.5 + 0.5 * noise2(u * 3, v * 3, 445)));
    const double grain = (hash01(int(x * scale), int(y * scale), 0, 443) - 0.5) * 0.1;
    c = c * (1 + grain + 0.06 * fbm2(u * 12, v * 12, 444, 3));
    if (hash01(int(x * scale), int(y * scale), 1, 443) > 0.994)
        c = c * 0.6;
    return c;
}

Rgb leather(double x, double y) {
    const double u = x / kSide, v = y / kSide;
    const Cells cell = cells2(x / 6.5, y / 6.5, 451);
    const double crease = smoothstep(0.0, 0.16, cell.f2 - cell.f1);
    const double pebble = 1 - clamp01(cell.f1 * 0.9);
    Rgb c = rgb(30, 58, 132) * (0.62 + 0.28 * crease + 0.14 * pebble);
    return c * (0.9 + 0.14 * fbm2(u * 3, v * 3, 452, 4));
}

Rgb material(int number, double x, double y, int scale) {
    switch (number) {
    case 1:
        return wood(x, y, 301, rgb(232, 196, 142), rgb(186, 136, 82), 1.6);
    case 2:
        return wood(x, y, 302, rgb(110, 72, 46), rgb(52, 30, 18), 2.4);
    case 3:
        return wood(x, y, 303, rgb(184, 92, 56), rgb(120, 50, 28), 1.9);
    case 4:
        return marbleSlab(x, y);
    case 5:
        return slate(x, y, scale);
    case 6:
        return felt(x, y, scale);
    case 7:
        return brushedMetal(x, y, scale);
    case 8:
        return sandstone(x, y, scale);
    case 9:
        return leather(x, y);
    default:
        return grey(0.5);
    }
}

/// Raises the board's rim: a lit bevel at the top and left, a shaded one at the bottom and right;
/// width is in pixels of the 600-pixel board, the picture is drawn at scale.
void bevel(QImage& img, int width, int scale) {
    const int w = img.width(), h = img.height();
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int top = y, left = x, bottom = h - 1 - y, right = w - 1 - x;
            const int d = std::min({top, left, bottom, right});
            const int unit = d / scale;
            if (unit > width)
                continue;
            Rgb c = fromPixel(line[x]);
            if (unit == width) {
                c = c * 0.82;
            } else if (unit == 0) {
                c = c * 0.35;
            } else {
                const double edge = 1 - double(d) / (width * scale);
                const bool lit = std::min(top, left) <= std::min(bottom, right);
                c = lit ? mix(c, grey(1), 0.3 * edge + 0.05) : c * (0.88 - 0.38 * edge);
            }
            line[x] = toPixel(c);
        }
    }
}

/// Dashed stitching along a rounded rectangle, as on a leather-covered board.
void stitching(QImage& img, int scale) {
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    const QRectF seam(30.5, 30.5, kSide - 61, kSide - 61);
    QPen holes(QColor(10, 20, 50, 150), 3.6, Qt::CustomDashLine, Qt::RoundCap);
    holes.setDashPattern({2.2, 2.0});
    p.setPen(holes);
    p.drawRoundedRect(seam.translated(0.8, 0.8), 18, 18);
    QPen thread(QColor(176, 196, 236), 2.2, Qt::CustomDashLine, Qt::RoundCap);
    thread.setDashPattern({3.2, 3.6});
    p.setPen(thread);
    p.drawRoundedRect(seam, 18, 18);
}

} // namespace

QImage boardImage(int number, int scale) {
    const int side = kSide * scale;
    QImage img(side, side, QImage::Format_RGB32);
    for (int y = 0; y < side; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < side; ++x)
            line[x] = toPixel(material(number, (x + 0.5) / scale, (y + 0.5) / scale, scale));
    }
    if (number == 9)
        stitching(img, scale);
    bevel(img, 12, scale);
    return img;
}

namespace {

/// A round sunken pit of the given radius around centre (pixels of the size x size result), cut
/// into the material of board, which is drawn at scale; transparent outside.
QImage pitImage(const QImage& board, int size, QPointF centre, double radius, int scale) {
    // A dark line of about one pixel of the 600-pixel board around the cut.
    const double outline = 1.3 * scale / radius;
    // The inside shows the board's own material away from its rim and plank seams.
    const int ox = board.width() / 2 - int(centre.x()) + 7 * scale;
    const int oy = board.height() * 29 / 100 - int(centre.y());
    const Vec3 lamp = normalized({-0.55, -0.65, 0.55});
    const double towardX = -0.646, towardY = -0.763; // the lamp's direction on the picture
    return renderSupersampled(size, size, 4, [&](double px, double py) {
        const double dx = (px - centre.x()) / radius, dy = (py - centre.y()) / radius;
        const double d = std::hypot(dx, dy);
        if (d > 1 + outline)
            return Shade{{}, 0};
        if (d > 1)
            return Shade{grey(0), 0.45 * (1 - (d - 1) / outline)};
        const int sx = std::clamp(int(ox + px), 0, board.width() - 1);
        const int sy = std::clamp(int(oy + py), 0, board.height() - 1);
        const Rgb stuff = fromPixel(board.pixel(sx, sy));
        // A flat floor and a wall that steepens toward the rim, its normal leaning inward.
        const double slope = 1.9 * smoothstep(0.5, 1.0, d);
        const double inv = d > 1e-6 ? 1 / d : 0;
        const Vec3 n = normalized({-dx * inv * slope, -dy * inv * slope, 1});
        const double light = std::max(0.0, dot(n, lamp)) / lamp.z;
        // The rim toward the lamp casts a crisp crescent of shadow into the hole.
        const double shadow =
            smoothstep(0.97, 1.05, std::hypot(dx + towardX * 0.42, dy + towardY * 0.42));
        const double floorDark = 0.52 + 0.3 * smoothstep(0.5, 1.0, d);
        Rgb c = stuff * (floorDark * (0.35 + 0.65 * light) * (1 - 0.6 * shadow));
        // The far edge catches the light.
        const double facing = clamp01(-(dx * towardX + dy * towardY) * inv);
        c = mix(c, grey(1), 0.3 * smoothstep(0.9, 0.98, d) * facing);
        return Shade{c, 1};
    });
}

} // namespace

QImage holeImage(const QImage& board, int size, int scale) {
    return pitImage(board, size, QPointF(size / 2.0, size / 2.0), size * 0.46, scale);
}

QImage holeElementImage(const QImage& board, int size, int scale) {
    // The board places a marble 5 board units (1/3 pixel) right of and below its hole element's
    // corner, so the marble's middle lies at 16 1/3 pixels of the 40-pixel element, not at 20:
    // the pit is cut there, a little narrower than the marble, so that a marble covers its pit
    // and only the dark edge of the cut shows around it.
    constexpr double kElement = 40, kMarbleMiddle = 16 + 1.0 / 3, kPitRadius = 15;
    const double perElement = size / kElement;
    return pitImage(board, size, QPointF(kMarbleMiddle, kMarbleMiddle) * perElement,
                    kPitRadius * perElement, scale);
}

QImage boardThumbnail(const QImage& board, const QImage& hole, int scale) {
    QImage thumb = boxDownscale(board, 10).convertToFormat(QImage::Format_RGB32);
    QPainter p(&thumb);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.scale(scale, scale);
    constexpr double kHole = 13, kPitch = 15;
    const double at[][2] = {{0, -1}, {-1, 0}, {0, 0}, {1, 0}, {0, 1}};
    for (const auto& pos : at)
        p.drawImage(QRectF(30 + pos[0] * kPitch - kHole / 2, 30 + pos[1] * kPitch - kHole / 2,
                           kHole, kHole),
                    hole);
    return thumb;
}

} // namespace gen::pic
