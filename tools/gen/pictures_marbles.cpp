// The twenty-five marble pictures: ray-traced balls of plastic, glass, metal and stone.
#include "pictures_common.h"

#include <array>
#include <functional>

namespace gen::pic {
namespace {

// Light comes from a lamp above left, as in every picture of the game, with a weak second
// lamp at the lower right for a small counter-highlight.
const Vec3 kLight = normalized({-0.55, -0.65, 0.55});
const Vec3 kFill = normalized({0.8, 0.45, 0.4});
const Vec3 kHalf = normalized(kLight + Vec3{0, 0, 1});

Vec3 reflectView(Vec3 n) {
    return n * (2 * n.z) - Vec3{0, 0, 1};
}

// What a polished ball mirrors: the lamps, a light ceiling and a darker floor, the horizon a
// little below the ball's middle.
Rgb environment(Vec3 r) {
    const double up = -r.y + 0.15;
    const Rgb sky = mix(rgb(200, 210, 224), rgb(140, 168, 212), clamp01(up));
    const Rgb floor = mix(rgb(112, 100, 88), rgb(40, 36, 34), clamp01(-up * 2));
    Rgb c = mix(floor, sky, smoothstep(-0.1, 0.1, up));
    const double lamp = std::acos(std::clamp(dot(r, kLight), -1.0, 1.0));
    c = c + grey(30.0 * (1 - smoothstep(0.22, 0.30, lamp)) + 1.5 * std::exp(-lamp * lamp / 0.16));
    const double fill = std::acos(std::clamp(dot(r, kFill), -1.0, 1.0));
    c = c + grey(6.0 * (1 - smoothstep(0.10, 0.16, fill)));
    return c;
}

double fresnel(Vec3 n, double f0) {
    return f0 + (1 - f0) * std::pow(1 - clamp01(n.z), 5);
}

/// A ball with a coloured, diffusely lit surface under a thin glossy coat.
Rgb coated(Rgb albedo, Vec3 n, double gloss = 1.0) {
    const double ndl = std::max(0.0, dot(n, kLight));
    const double sky = 0.5 - 0.5 * n.y;
    const double bounce = std::max(0.0, dot(n, normalized({0.45, 0.8, 0.2})));
    Rgb c = albedo * (0.08 + 0.20 * sky + 0.85 * ndl + 0.12 * bounce);
    const double f = fresnel(n, 0.04) * gloss;
    c = c * (1 - f) + environment(reflectView(n)) * f;
    const double sheen = 0.22 * gloss * std::pow(std::max(0.0, dot(n, kHalf)), 18);
    return c + grey(sheen);
}

/// A polished metal ball: the environment tinted by the metal's colour.
Rgb metal(Rgb f0, Vec3 n) {
    const double edge = std::pow(1 - clamp01(n.z), 5);
    const Rgb f = mix(f0, grey(1), edge);
    const double ndl = std::max(0.0, dot(n, kLight));
    return environment(reflectView(n)) * f + f0 * (0.06 * ndl);
}

/// One step of matter inside a glass ball: how dense it is and what colour.
struct Medium {
    double density = 0;
    Rgb colour;
};
using Inner = std::function<Medium(Vec3)>;

/// A glass ball of the given tint, with what lies inside it marched front to back. x and y are
/// the point on the picture in ball radii.
Rgb glass(Vec3 n, double x, double y, Rgb tint, const Inner& inner) {
    // The glass lets the lamp's light through and gathers it near the far side, so the lower
    // right glows while the rim toward the lamp stays deep.
    const double along = x * 0.62 + y * 0.78;
    const double r = std::sqrt(x * x + y * y);
    const double caustic =
        std::exp(-std::pow((along - 0.5) / 0.34, 2)) * (1 - smoothstep(0.82, 1.0, r));
    const double depth = 0.6 + n.z;
    const Rgb deep{std::pow(tint.r, depth), std::pow(tint.g, depth), std::pow(tint.b, depth)};
    const Rgb body = deep * (0.20 + 0.38 * n.z + 1.05 * caustic);

    Rgb gathered;
    double covered = 0;
    if (inner) {
        constexpr int kSteps = 18;
        constexpr double kMagnify = 0.8; // refraction makes the inside look larger
        const double front = n.z;
        const double dz = 2 * front / kSteps;
        for (int i = 0; i < kSteps && covered < 0.995; ++i) {
            const double z = front - (i + 0.5) * dz;
            const Vec3 q{x * kMagnify, y * kMagnify, z * kMagnify};
            const Medium m = inner(q);
            if (m.density <= 0)
                continue;
            const double a = 1 - std::exp(-m.density * dz * kMagnify);
            const double lit =
                0.62 + 0.35 * clamp01(-(q.x * 0.6 + q.y * 0.7) + 0.4) + 0.5 * caustic;
            gathered = gathered + m.colour * (lit * a * (1 - covered));
            covered += a * (1 - covered);
        }
    }
    const Rgb through = gathered + body * (1 - covered);
    const double f = fresnel(n, 0.05);
    return through * (1 - f) + environment(reflectView(n)) * f;
}

// ---- what lies inside the glass marbles ----

/// Three crossing blades around a tilted axis: the cat's eye.
Inner catsEye(std::array<Rgb, 3> colours, Vec3 tilt, double width) {
    const Rotation turn(tilt.x, tilt.y, tilt.z);
    return [colours, turn, width](Vec3 q) {
        const Vec3 o = turn(q);
        constexpr double kHalfHeight = 0.8, kThickness = 0.045;
        if (std::abs(o.y) >= kHalfHeight)
            return Medium{};
        const double h = o.y / kHalfHeight;
        const double w = width * std::sqrt(1 - h * h);
        static const double kCos[3] = {1, 0.5, -0.5};
        static const double kSin[3] = {0, 0.8660254037844386, 0.8660254037844386};
        Medium m;
        for (std::size_t k = 0; k < 3; ++k) {
            const double d = (o.x * kCos[k] + o.z * kSin[k]) / kThickness;
            const double s = std::abs(-o.x * kSin[k] + o.z * kCos[k]);
            if (d * d > 30 || s >= w)
                continue;
            const double dens = 60 * std::exp(-d * d) * (1 - smoothstep(w * 0.8, w, s));
            m.colour = (m.colour * m.density + colours[k] * dens) * (1.0 / (m.density + dens));
            m.density += dens;
        }
        return m;
    };
}

/// Helical ribbons in the outer shell: the swirl.
Inner swirl(std::vector<Rgb> colours, double twist, double width, Vec3 tilt) {
    const Rotation turn(tilt.x, tilt.y, tilt.z);
    return [colours, twist, width, turn](Vec3 q) {
        const Vec3 o = turn(q);
        const double rho = std::hypot(o.x, o.z);
        if (rho > 0.86 || rho < 0.18)
            return Medium{};
        const double phi = std::atan2(o.z, o.x);
        const int count = int(colours.size());
        Medium m;
        for (int k = 0; k < count; ++k) {
            const double target = k * 2 * kPi / count + twist * o.y;
            const double dphi = std::remainder(phi - target, 2 * kPi);
            const double dens =
                45 * std::exp(-std::pow(rho * dphi / width, 2)) * smoothstep(0.18, 0.45, rho);
            if (dens > 0.01) {
                m.colour = (m.colour * m.density + colours[std::size_t(k)] * dens) *
                           (1.0 / (m.density + dens));
                m.density += dens;
            }
        }
        return m;
    };
}

/// Small air bubbles as thin bright shells.
double bubbles(Vec3 q, uint32_t seed, int count) {
    double dens = 0;
    for (int i = 0; i < count; ++i) {
        const Vec3 c{hash01(i, 0, 0, seed) * 1.3 - 0.65, hash01(i, 1, 0, seed) * 1.3 - 0.65,
                     hash01(i, 2, 0, seed) * 1.3 - 0.65};
        const double radius = 0.025 + 0.035 * hash01(i, 3, 0, seed);
        const double shell = length(q - c) - radius;
        dens += 22 * std::exp(-std::pow(shell / 0.014, 2));
    }
    return dens;
}

// ---- the surfaces of the opaque marbles, by a point on the unit ball ----

Rgb stoneMarble(Vec3 n) {
    const Vec3 p = rotated(n, 0.4, 0.9, 0.2);
    // Veins along the zero lines of warped noise, as in the marble board.
    const double bold = 1 - std::abs(fbm3(p * 1.1, 11, 4));
    const double fine = 1 - std::abs(fbm3(p * 2.4 + Vec3{4, 0, 0}, 13, 3));
    Rgb c = mix(rgb(248, 247, 242), rgb(232, 232, 234), 0.5 + 0.5 * fbm3(p * 2.5, 12, 3));
    c = mix(c, rgb(170, 174, 186), std::pow(bold, 6) * 0.5);
    c = mix(c, rgb(70, 76, 94), std::pow(bold, 22) * 0.9);
    return mix(c, rgb(130, 134, 148), std::pow(fine, 30) * 0.6);
}

Rgb granite(Vec3 n) {
    const Vec3 p = rotated(n, 1.1, 0.3, 0.7) * 7.5;
    const double dark = noise3(p, 21);
    const double pink = noise3(p * 1.15 + Vec3{3, 1, 2}, 22);
    Rgb c = mix(rgb(170, 168, 170), rgb(222, 220, 218), 0.5 + 0.5 * noise3(p * 2, 23));
    c = mix(c, rgb(196, 128, 116), smoothstep(0.12, 0.3, pink));
    return mix(c, rgb(28, 28, 32), smoothstep(0.18, 0.32, dark));
}

Rgb malachite(Vec3 n) {
    const Vec3 p = rotated(n, 0.3, 0.2, 0.5);
    const double d = length(p - Vec3{1.1, -0.5, 0.4}) + 0.14 * fbm3(p * 2.5, 31, 4);
    const double band = std::sin(d * 26);
    const Rgb dark = rgb(6, 74, 48), light = rgb(70, 196, 132);
    return mix(dark, light, smoothstep(-0.4, 0.7, band) * (0.8 + 0.2 * fbm3(p * 6, 32, 2)));
}

Rgb lapis(Vec3 n) {
    const Vec3 p = rotated(n, 0.8, 0.1, 1.3);
    Rgb c = mix(rgb(18, 36, 128), rgb(44, 78, 190), 0.5 + 0.5 * fbm3(p * 2.5, 41, 4));
    c = mix(c, rgb(200, 206, 224), smoothstep(0.3, 0.6, fbm3(p * 2 + Vec3{5, 0, 0}, 42, 4)) * 0.75);
    return mix(c, rgb(255, 214, 96), smoothstep(0.38, 0.5, noise3(p * 8, 43)));
}

Rgb tigersEye(Vec3 n) {
    const Vec3 p = rotated(n, 0.2, 0.6, 0.35);
    const double t = p.y * 3.2 + 0.5 * fbm3(p * 1.6, 51, 4);
    const double band = 0.5 + 0.5 * std::sin(t * kPi * 2);
    Rgb c = mix(rgb(70, 34, 10), rgb(196, 132, 40), smoothstep(0.2, 0.8, band));
    // The fibres throw back a moving golden sheen.
    const double sheen = std::exp(-std::pow((n.x + 0.25 * p.y - 0.05) / 0.28, 2));
    c = c * (0.75 + 0.7 * sheen * (0.6 + 0.4 * fbm3(Vec3{p.x * 2, p.y * 14, p.z * 2}, 52, 2)));
    return c;
}

Rgb turquoise(Vec3 n) {
    const Vec3 p = rotated(n, 0.5, 1.2, 0.1);
    Rgb c = mix(rgb(48, 168, 160), rgb(120, 214, 200), 0.5 + 0.5 * fbm3(p * 2.2, 61, 4));
    const double ridge = 1 - std::abs(fbm3(p * 1.6, 62, 3));
    return mix(c, rgb(60, 44, 30), smoothstep(0.86, 0.96, ridge));
}

Rgb pearl(Vec3 n) {
    const double t = n.z * 1.4 + 0.2 * fbm3(n * 2, 71, 3);
    const Rgb iris{0.04 * std::cos(2 * kPi * t), 0.035 * std::cos(2 * kPi * (t + 0.33)),
                   0.05 * std::cos(2 * kPi * (t + 0.66))};
    return rgb(236, 228, 218) + iris;
}

Rgb onyx(Vec3 n) {
    const Vec3 p = rotated(n, 0.6, 0.4, 0.9);
    const double band = std::sin((p.y + 0.3 * fbm3(p * 1.5, 81, 3)) * 9);
    return mix(rgb(10, 10, 12), rgb(46, 46, 52), smoothstep(0.85, 1.0, band));
}

/// The colour of marble number (1 to 25) where the ball's surface normal is n, seen at the
/// picture point (x, y) in ball radii.
Rgb shadeMarble(int number, Vec3 n, double x, double y) {
    switch (number) {
    case 1:
        return coated(rgb(200, 18, 20), n);
    case 2:
        return coated(rgb(22, 56, 196), n);
    case 3:
        return glass(n, x, y, rgb(120, 232, 236),
                     catsEye({rgb(250, 250, 250), rgb(0, 200, 220), rgb(20, 60, 200)},
                             {0.35, 0.5, 0.3}, 0.46));
    case 4:
        return coated(rgb(245, 196, 12), n);
    case 5:
        return coated(rgb(24, 150, 44), n);
    case 6:
        return coated(rgb(246, 108, 8), n);
    case 7:
        return coated(rgb(116, 30, 156), n);
    case 8:
        return coated(pearl(n), n, 0.6);
    case 9:
        return coated(onyx(n), n, 1.2);
    case 10:
        return metal(rgb(196, 200, 208), n);
    case 11:
        return metal(rgb(255, 196, 86), n);
    case 12:
        return metal(rgb(240, 140, 96), n);
    case 13:
        return glass(
            n, x, y, rgb(170, 206, 250),
            swirl({rgb(255, 255, 255), rgb(20, 70, 210), rgb(255, 255, 255), rgb(40, 120, 240)},
                  2.4, 0.09, {0.5, 0.2, 0.4}));
    case 14:
        return glass(n, x, y, rgb(236, 236, 236),
                     swirl({rgb(230, 20, 30), rgb(255, 210, 0), rgb(230, 20, 30), rgb(255, 210, 0),
                            rgb(230, 20, 30), rgb(255, 210, 0)},
                           -2.0, 0.07, {0.2, 0.6, -0.3}));
    case 15:
        return glass(n, x, y, rgb(60, 190, 80), [](Vec3 q) {
            return Medium{bubbles(q, 151, 11), rgb(230, 255, 230)};
        });
    case 16:
        return coated(stoneMarble(n), n);
    case 17:
        return coated(granite(n), n);
    case 18:
        return coated(malachite(n), n);
    case 19:
        return coated(lapis(n), n);
    case 20:
        return coated(tigersEye(n), n);
    case 21:
        return glass(n, x, y, rgb(250, 170, 196), [](Vec3 q) {
            const double cloud = 0.5 + 0.5 * fbm3(q * 2.2, 211, 3);
            return Medium{1.2 + 1.8 * cloud, rgb(255, 214, 226)};
        });
    case 22:
        return glass(n, x, y, rgb(255, 150, 20), [](Vec3 q) {
            const double speck = smoothstep(0.42, 0.6, fbm3(q * 3 + Vec3{2, 0, 0}, 221, 3));
            const double air = bubbles(q, 222, 8);
            if (speck * 12 > air)
                return Medium{speck * 12, rgb(70, 30, 6)};
            return Medium{air, rgb(255, 230, 170)};
        });
    case 23:
        return glass(n, x, y, rgb(120, 214, 130),
                     catsEye({rgb(255, 200, 0), rgb(240, 80, 10), rgb(255, 240, 160)},
                             {-0.4, 0.8, -0.5}, 0.3));
    case 24:
        return coated(turquoise(n), n, 0.7);
    case 25:
        return glass(n, x, y, rgb(236, 240, 246),
                     swirl({rgb(230, 30, 40), rgb(255, 150, 0), rgb(250, 230, 0), rgb(30, 190, 60),
                            rgb(20, 110, 240), rgb(140, 40, 200)},
                           1.6, 0.075, {-0.3, 0.4, 0.6}));
    default: // the plain cyan glass of the logo
        return glass(n, x, y, rgb(90, 236, 240), nullptr);
    }
}

} // namespace

QImage marbleImage(int number, int size) {
    // The ball fills all but a thin transparent margin; the edge is smoothed by 5 x 5 samples,
    // fewer for the large drawings where a pixel is a small part of the ball.
    const double radius = size * 0.485;
    const double centre = size / 2.0;
    const int samples = size <= 48 ? 5 : size <= 100 ? 3 : 2;
    return renderSupersampled(size, size, samples, [&](double px, double py) {
        const double x = (px - centre) / radius, y = (py - centre) / radius;
        const double r2 = x * x + y * y;
        if (r2 >= 1)
            return Shade{{}, 0};
        const Vec3 n{x, y, std::sqrt(1 - r2)};
        return Shade{shadeMarble(number, n, x, y), 1};
    });
}

} // namespace gen::pic
