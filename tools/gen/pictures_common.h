// Drawing toolkit of the picture generator: vectors, colours, noise, supersampling, and the
// picture makers that the resource list in pictures.cpp puts together.
#pragma once

#include "ids/resource_ids.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

class QPainter;

namespace gen::pic {

constexpr double kPi = 3.14159265358979323846;

// ---- small vector and colour arithmetic ----

struct Vec3 {
    double x = 0, y = 0, z = 0;
};
inline Vec3 operator+(Vec3 a, Vec3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec3 operator-(Vec3 a, Vec3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec3 operator*(Vec3 a, double s) {
    return {a.x * s, a.y * s, a.z * s};
}
inline double dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline double length(Vec3 a) {
    return std::sqrt(dot(a, a));
}
inline Vec3 normalized(Vec3 a) {
    return a * (1.0 / length(a));
}
Vec3 rotated(Vec3 v, double aroundX, double aroundY, double aroundZ);

/// The same turn as rotated(), worked out once for many points.
class Rotation {
  public:
    Rotation(double aroundX, double aroundY, double aroundZ)
        : m_x(rotated({1, 0, 0}, aroundX, aroundY, aroundZ)),
          m_y(rotated({0, 1, 0}, aroundX, aroundY, aroundZ)),
          m_z(rotated({0, 0, 1}, aroundX, aroundY, aroundZ)) {}
    Vec3 operator()(Vec3 v) const { return m_x * v.x + m_y * v.y + m_z * v.z; }

  private:
    Vec3 m_x, m_y, m_z;
};

/// A colour with channels nominally 0 to 1; light may push it above 1 until it is stored.
struct Rgb {
    double r = 0, g = 0, b = 0;
};
inline Rgb operator+(Rgb a, Rgb b) {
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}
inline Rgb operator*(Rgb a, double s) {
    return {a.r * s, a.g * s, a.b * s};
}
inline Rgb operator*(Rgb a, Rgb b) {
    return {a.r * b.r, a.g * b.g, a.b * b.b};
}
inline Rgb rgb(int r, int g, int b) {
    return {r / 255.0, g / 255.0, b / 255.0};
}
inline Rgb grey(double v) {
    return {v, v, v};
}
inline double clamp01(double v) {
    return std::clamp(v, 0.0, 1.0);
}
inline Rgb mix(Rgb a, Rgb b, double t) {
    return a * (1 - t) + b * t;
}
inline double mixd(double a, double b, double t) {
    return a * (1 - t) + b * t;
}
inline double smoothstep(double e0, double e1, double x) {
    const double t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}
inline double fract(double v) {
    return v - std::floor(v);
}
/// Hue 0 to 1 around the colour wheel at full saturation and value.
Rgb hue(double h);
QRgb toPixel(Rgb c, double alpha = 1.0);
Rgb fromPixel(QRgb p);

// ---- deterministic noise ----

/// A well-mixed 32-bit hash of three integers and a seed.
uint32_t hashInts(int x, int y, int z, uint32_t seed);
/// A hash mapped to 0 to 1.
double hash01(int x, int y, int z, uint32_t seed);
/// Gradient noise, roughly -1 to 1, smooth, zero on the lattice.
double noise2(double x, double y, uint32_t seed);
double noise3(Vec3 p, uint32_t seed);
/// Sums of octaves of the noise above, normalised to roughly -1 to 1.
double fbm2(double x, double y, uint32_t seed, int octaves);
double fbm3(Vec3 p, uint32_t seed, int octaves);
/// Distances to the nearest and second nearest of one random point per unit cell.
struct Cells {
    double f1, f2;
};
Cells cells2(double x, double y, uint32_t seed);

// ---- rendering ----

/// What a sample function answers: a colour and its coverage.
struct Shade {
    Rgb c;
    double a = 1;
};

/// A w x h premultiplied picture; every pixel is the mean of ss x ss samples of f, called with
/// the sample's position in pixel units of the result.
template <class F> QImage renderSupersampled(int w, int h, int ss, F&& f) {
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    const double step = 1.0 / ss;
    const double n = ss * ss;
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            double r = 0, g = 0, b = 0, a = 0;
            for (int sy = 0; sy < ss; ++sy)
                for (int sx = 0; sx < ss; ++sx) {
                    const Shade s = f(x + (sx + 0.5) * step, y + (sy + 0.5) * step);
                    const double al = clamp01(s.a);
                    r += clamp01(s.c.r) * al;
                    g += clamp01(s.c.g) * al;
                    b += clamp01(s.c.b) * al;
                    a += al;
                }
            line[x] = qRgba(int(r / n * 255 + 0.5), int(g / n * 255 + 0.5), int(b / n * 255 + 0.5),
                            int(a / n * 255 + 0.5));
        }
    }
    return img;
}

/// Averages factor x factor blocks of a premultiplied picture: a clean downscale.
QImage boxDownscale(const QImage& big, int factor);

// ---- the pictures ----

constexpr int kMarbles = marvolen::ResourceId::MarblePictures;
constexpr int kBoards = marvolen::ResourceId::BoardPictures;

/// Marble picture n (1 to 25) as a size x size picture, transparent around the ball; number
/// kLogoMarble is the plain cyan glass of the title pictures.
constexpr int kLogoMarble = 0;
QImage marbleImage(int number, int size);

/// Board picture n (1 to 9), 600 x 600 times scale, opaque; a larger scale draws the same
/// board anew with finer detail, not an enlarged copy.
QImage boardImage(int number, int scale = 1);
/// A round sunken hole cut into the material of board, size x size, transparent outside; board
/// is the board picture drawn at scale.
QImage holeImage(const QImage& board, int size, int scale = 1);
/// The hole picture of the board's hole elements: size x size, stretched into the 40-pixel
/// element, its pit centred where the element's marble lies.
QImage holeElementImage(const QImage& board, int size, int scale = 1);
/// The 60 x 60 chooser thumbnail of a board with a few holes on it, times scale; board and
/// hole are drawn at that scale.
QImage boardThumbnail(const QImage& board, const QImage& hole, int scale = 1);

/// The digit strip: eleven 18 x 27 cells in at most 16 colours, cell 10 blank; every length
/// times scale. Lit segments are drawn in colour, unlit ones in a faint shade of it.
QImage digitStrip(int scale = 1, QRgb colour = qRgb(0, 255, 255));
/// The lit colour of the digits that tell that a single marble is out of reach.
inline constexpr QRgb kAmberDigits = qRgb(255, 176, 0);
/// The variant thumbnails: forty 32 x 32 cells in at most 16 colours, the second row selected;
/// every length times scale.
QImage layoutStrip(int scale = 1);
/// The side panel's background, 255 x 672 times scale.
QImage panelImage(int scale = 1);
/// The game's title drawn into rect of a painter, in the cyan scheme.
void drawTitle(QPainter& p, const QRectF& rect, double pixelSize);
/// The logo, 175 x 67 times scale; smallMarble is the 15-pixel marble drawn at that scale.
QImage logoImage(const QImage& smallMarble, int scale = 1);
/// The language flag of index 0, 1, 2, 3 or 6, 64 x 40 times scale.
QImage flagImage(int index, int scale = 1);
/// The large About picture, 356 x 330 times scale, drawn with board 1 and its hole at that
/// scale.
QImage aboutPicture(const QImage& board, const QImage& hole, int scale = 1);
/// The program icon, 256 x 256.
/// Paints the icon's rounded board tile with its shadow and rim on a 256-unit square; the
/// program icon and the icon theme's sizes share it.
void paintIconTile(QPainter& p, const QImage& board);
QImage programIcon(const QImage& board);

} // namespace gen::pic
