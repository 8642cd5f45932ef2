// Noise, colour and scaling helpers of the picture generator; all of them are pure functions so
// that every build writes the same bytes.
#include "pictures_common.h"

#include <array>

namespace gen::pic {

Vec3 rotated(Vec3 v, double aroundX, double aroundY, double aroundZ) {
    const double cx = std::cos(aroundX), sx = std::sin(aroundX);
    v = {v.x, v.y * cx - v.z * sx, v.y * sx + v.z * cx};
    const double cy = std::cos(aroundY), sy = std::sin(aroundY);
    v = {v.x * cy + v.z * sy, v.y, -v.x * sy + v.z * cy};
    const double cz = std::cos(aroundZ), sz = std::sin(aroundZ);
    return {v.x * cz - v.y * sz, v.x * sz + v.y * cz, v.z};
}

Rgb hue(double h) {
    h = fract(h) * 6;
    const double r = clamp01(std::abs(h - 3) - 1);
    const double g = clamp01(2 - std::abs(h - 2));
    const double b = clamp01(2 - std::abs(h - 4));
    return {r, g, b};
}

QRgb toPixel(Rgb c, double alpha) {
    const double a = clamp01(alpha);
    auto ch = [a](double v) { return int(clamp01(v) * a * 255 + 0.5); };
    return qRgba(ch(c.r), ch(c.g), ch(c.b), int(a * 255 + 0.5));
}

Rgb fromPixel(QRgb p) {
    return rgb(qRed(p), qGreen(p), qBlue(p));
}

uint32_t hashInts(int x, int y, int z, uint32_t seed) {
    uint32_t h = seed * 0x9E3779B1u;
    h ^= uint32_t(x) * 0x85EBCA77u;
    h = (h << 13) | (h >> 19);
    h ^= uint32_t(y) * 0xC2B2AE3Du;
    h = (h << 17) | (h >> 15);
    h ^= uint32_t(z) * 0x27D4EB2Fu;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

double hash01(int x, int y, int z, uint32_t seed) {
    return hashInts(x, y, z, seed) / 4294967295.0;
}

namespace {

inline double fade(double t) {
    return t * t * t * (t * (t * 6 - 15) + 10);
}

// Sixteen evenly spread directions for the plane, twelve cube-edge directions for space.
const std::array<std::array<double, 2>, 16>& planeGradients() {
    static const auto table = [] {
        std::array<std::array<double, 2>, 16> t{};
        for (int i = 0; i < 16; ++i)
            t[std::size_t(i)] = {std::cos(i * kPi / 8), std::sin(i * kPi / 8)};
        return t;
    }();
    return table;
}

constexpr std::array<std::array<double, 3>, 12> kSpaceGradients{{{1, 1, 0},
                                                                 {-1, 1, 0},
                                                                 {1, -1, 0},
                                                                 {-1, -1, 0},
                                                                 {1, 0, 1},
                                                                 {-1, 0, 1},
                                                                 {1, 0, -1},
                                                                 {-1, 0, -1},
                                                                 {0, 1, 1},
                                                                 {0, -1, 1},
                                                                 {0, 1, -1},
                                                                 {0, -1, -1}}};

} // namespace

double noise2(double x, double y, uint32_t seed) {
    const double fx = std::floor(x), fy = std::floor(y);
    const int ix = int(fx), iy = int(fy);
    const double tx = x - fx, ty = y - fy;
    const auto& grads = planeGradients();
    auto corner = [&](int i, int j) {
        const auto& g = grads[hashInts(ix + i, iy + j, 0, seed) & 15u];
        return g[0] * (tx - i) + g[1] * (ty - j);
    };
    const double u = fade(tx), v = fade(ty);
    const double a = mixd(corner(0, 0), corner(1, 0), u);
    const double b = mixd(corner(0, 1), corner(1, 1), u);
    return mixd(a, b, v) * 1.41;
}

double noise3(Vec3 p, uint32_t seed) {
    const double fx = std::floor(p.x), fy = std::floor(p.y), fz = std::floor(p.z);
    const int ix = int(fx), iy = int(fy), iz = int(fz);
    const double tx = p.x - fx, ty = p.y - fy, tz = p.z - fz;
    auto corner = [&](int i, int j, int k) {
        const auto& g = kSpaceGradients[hashInts(ix + i, iy + j, iz + k, seed) % 12u];
        return g[0] * (tx - i) + g[1] * (ty - j) + g[2] * (tz - k);
    };
    const double u = fade(tx), v = fade(ty), w = fade(tz);
    const double x00 = mixd(corner(0, 0, 0), corner(1, 0, 0), u);
    const double x10 = mixd(corner(0, 1, 0), corner(1, 1, 0), u);
    const double x01 = mixd(corner(0, 0, 1), corner(1, 0, 1), u);
    const double x11 = mixd(corner(0, 1, 1), corner(1, 1, 1), u);
    return mixd(mixd(x00, x10, v), mixd(x01, x11, v), w);
}

double fbm2(double x, double y, uint32_t seed, int octaves) {
    double sum = 0, amp = 1, norm = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += amp * noise2(x, y, seed + uint32_t(o) * 1013u);
        norm += amp;
        amp *= 0.5;
        // A slight rotation per octave keeps the lattice from lining up.
        const double nx = x * 1.6 - y * 1.2, ny = x * 1.2 + y * 1.6;
        x = nx;
        y = ny;
    }
    return sum / norm * 1.3;
}

double fbm3(Vec3 p, uint32_t seed, int octaves) {
    double sum = 0, amp = 1, norm = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += amp * noise3(p, seed + uint32_t(o) * 1013u);
        norm += amp;
        amp *= 0.5;
        p = Vec3{p.x * 1.6 - p.z * 1.2, p.y * 2.0, p.x * 1.2 + p.z * 1.6};
    }
    return sum / norm * 1.3;
}

Cells cells2(double x, double y, uint32_t seed) {
    const int ix = int(std::floor(x)), iy = int(std::floor(y));
    double f1 = 9, f2 = 9;
    for (int j = -1; j <= 1; ++j)
        for (int i = -1; i <= 1; ++i) {
            const double px = ix + i + hash01(ix + i, iy + j, 1, seed);
            const double py = iy + j + hash01(ix + i, iy + j, 2, seed);
            const double d = std::hypot(px - x, py - y);
            if (d < f1) {
                f2 = f1;
                f1 = d;
            } else if (d < f2) {
                f2 = d;
            }
        }
    return {f1, f2};
}

QImage boxDownscale(const QImage& big, int factor) {
    const QImage src = big.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = src.width() / factor, h = src.height() / factor;
    QImage out(w, h, QImage::Format_ARGB32_Premultiplied);
    const int n = factor * factor;
    for (int y = 0; y < h; ++y) {
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            int r = 0, g = 0, b = 0, a = 0;
            for (int sy = 0; sy < factor; ++sy) {
                const auto* line =
                    reinterpret_cast<const QRgb*>(src.constScanLine(y * factor + sy));
                for (int sx = 0; sx < factor; ++sx) {
                    const QRgb p = line[x * factor + sx];
                    r += qRed(p);
                    g += qGreen(p);
                    b += qBlue(p);
                    a += qAlpha(p);
                }
            }
            dst[x] = qRgba((r + n / 2) / n, (g + n / 2) / n, (b + n / 2) / n, (a + n / 2) / n);
        }
    }
    return out;
}

} // namespace gen::pic
