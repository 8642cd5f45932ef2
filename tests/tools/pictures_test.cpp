// Checks of the generated pictures as the game finds them among its resources.
#include "game/strips.h"
#include "game/variants.h"
#include "game/window_icon.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPointF>
#include <QString>

#include <cmath>
#include <vector>

namespace {

using marvolen::game::kLayoutStrip;
using marvolen::game::stripCell;

QImage load(const QString& alias) {
    return QImage(QStringLiteral(":/res/") + alias);
}

struct Expected {
    QString alias;
    QSize size;
};

std::vector<Expected> everyPicture() {
    std::vector<Expected> all;
    for (int id = 101; id <= 125; ++id)
        all.push_back({QStringLiteral("ICON/%1").arg(id), {32, 32}});
    for (int id = 121; id <= 129; ++id)
        all.push_back({QStringLiteral("BITMAP/%1").arg(id), {600, 600}});
    for (int n = 1; n <= 9; ++n)
        all.push_back({QStringLiteral("PIC/boardthumb%1").arg(n), {60, 60}});
    for (int flag : {0, 1, 2, 3, 6})
        all.push_back({QStringLiteral("PIC/flag%1").arg(flag), {64, 40}});
    all.push_back({QStringLiteral("PIC/digits"), {198, 27}});
    all.push_back({QStringLiteral("PIC/digits_amber"), {198, 27}});
    all.push_back({QStringLiteral("PIC/layout"), {640, 64}});
    all.push_back({QStringLiteral("PIC/panel"), {255, 672}});
    all.push_back({QStringLiteral("PIC/logo"), {175, 67}});
    all.push_back({QStringLiteral("PIC/about_small"), {32, 32}});
    all.push_back({QStringLiteral("PIC/about_large"), {356, 330}});
    for (int size : marvolen::game::kWindowIconSizes)
        all.push_back({QStringLiteral("PIC/winicon%1").arg(size), {size, size}});
    return all;
}

TEST(PictureResources, EveryPictureExistsWithItsSize) {
    for (const Expected& e : everyPicture()) {
        const QImage img = load(e.alias);
        ASSERT_FALSE(img.isNull()) << qPrintable(e.alias);
        EXPECT_EQ(img.size(), e.size) << qPrintable(e.alias);
    }
}

TEST(PictureResources, HolesAreNearlySquareAndRoundWithinTheAllowedSizes) {
    for (int n = 0; n <= 8; ++n) {
        const QImage hole = load(QStringLiteral("PIC/hole%1").arg(n));
        ASSERT_FALSE(hole.isNull()) << n;
        EXPECT_GE(hole.width(), 40) << n;
        EXPECT_LE(hole.width(), 61) << n;
        EXPECT_LE(std::abs(hole.width() - hole.height()), 2) << n;
        EXPECT_EQ(qAlpha(hole.pixel(0, 0)), 0) << n;
        EXPECT_EQ(qAlpha(hole.pixel(hole.width() / 2, hole.height() / 2)), 255) << n;
    }
}

// Where a hole element's pit lies, in pixels of the 40-pixel element the picture is stretched
// into: the opaque part of the picture, the cut itself without its faint dark outline.
struct Pit {
    QPointF centre;
    std::vector<QPointF> points;
};

constexpr double kHoleElement = 40;
// The board puts a marble 5 board units (1/3 pixel) right of and below its hole's corner.
constexpr double kMarbleOffset = 1.0 / 3;

Pit pitOf(const QImage& hole) {
    Pit pit;
    const double scale = kHoleElement / hole.width();
    double sx = 0, sy = 0;
    for (int y = 0; y < hole.height(); ++y)
        for (int x = 0; x < hole.width(); ++x)
            if (qAlpha(hole.pixel(x, y)) >= 128) {
                pit.points.emplace_back((x + 0.5) * scale, (y + 0.5) * scale);
                sx += pit.points.back().x();
                sy += pit.points.back().y();
            }
    if (!pit.points.empty())
        pit.centre = QPointF(sx / pit.points.size(), sy / pit.points.size());
    return pit;
}

TEST(PictureHoles, EachPitLiesUnderTheMarbleThatSitsInIt) {
    const QImage marble = load(QStringLiteral("ICON/101"));
    ASSERT_FALSE(marble.isNull());
    const double middle = kMarbleOffset + marble.width() / 2.0;
    for (int n = 0; n <= 8; ++n) {
        const Pit pit = pitOf(load(QStringLiteral("PIC/hole%1").arg(n)));
        ASSERT_GT(pit.points.size(), 400u) << n;
        EXPECT_NEAR(pit.centre.x(), middle, 1.0) << n;
        EXPECT_NEAR(pit.centre.y(), middle, 1.0) << n;
        // No crescent of empty pit beside a marble: nearly all of the pit is under the ball.
        std::size_t bare = 0;
        for (const QPointF& at : pit.points) {
            const int mx = int(std::floor(at.x() - kMarbleOffset));
            const int my = int(std::floor(at.y() - kMarbleOffset));
            const bool covered =
                marble.rect().contains(mx, my) && qAlpha(marble.pixel(mx, my)) >= 128;
            bare += !covered;
        }
        EXPECT_LT(double(bare) / pit.points.size(), 0.02) << n;
    }
}

TEST(PictureMarbles, AreRoundWithTransparentCornersAndAnOpaqueMiddle) {
    for (int id = 101; id <= 125; ++id) {
        const QImage m = load(QStringLiteral("ICON/%1").arg(id));
        ASSERT_FALSE(m.isNull()) << id;
        for (const QPoint corner : {QPoint(0, 0), QPoint(31, 0), QPoint(0, 31), QPoint(31, 31)})
            EXPECT_EQ(qAlpha(m.pixel(corner)), 0) << id;
        for (const QPoint inside : {QPoint(16, 16), QPoint(16, 2), QPoint(2, 16), QPoint(29, 16)})
            EXPECT_EQ(qAlpha(m.pixel(inside)), 255) << id;
    }
}

double meanDifference(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (a.width() * a.height());
}

TEST(PictureMarbles, NoTwoLookAlike) {
    std::vector<QImage> marbles;
    for (int id = 101; id <= 125; ++id)
        marbles.push_back(load(QStringLiteral("ICON/%1").arg(id)));
    for (std::size_t i = 0; i < marbles.size(); ++i)
        for (std::size_t j = i + 1; j < marbles.size(); ++j)
            EXPECT_GT(meanDifference(marbles[i], marbles[j]), 20) << 101 + i << " " << 101 + j;
}

TEST(PictureBoards, AreTexturedMaterialsNotFlatColours) {
    for (int id = 121; id <= 129; ++id) {
        const QImage board = load(QStringLiteral("BITMAP/%1").arg(id));
        ASSERT_FALSE(board.isNull()) << id;
        // The grey-level spread over the middle, away from the rim.
        double sum = 0, sumSq = 0;
        int n = 0;
        for (int y = 100; y < 500; y += 3)
            for (int x = 100; x < 500; x += 3) {
                const double g = qGray(board.pixel(x, y));
                sum += g;
                sumSq += g * g;
                ++n;
            }
        const double spread = std::sqrt(sumSq / n - (sum / n) * (sum / n));
        EXPECT_GT(spread, 2.0) << id;
    }
}

TEST(PictureStrips, ArePaletteImagesOfAtMostSixteenColours) {
    for (const QString& alias : {QStringLiteral("PIC/digits"), QStringLiteral("PIC/digits_amber"),
                                 QStringLiteral("PIC/layout")}) {
        const QImage strip = load(alias);
        EXPECT_EQ(strip.format(), QImage::Format_Indexed8) << qPrintable(alias);
        EXPECT_GT(strip.colorCount(), 1) << qPrintable(alias);
        EXPECT_LE(strip.colorCount(), 16) << qPrintable(alias);
    }
}

int litPixels(const QImage& strip, int cell) {
    const QRect r = stripCell(marvolen::game::kDigitStrip, cell);
    int lit = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            lit += strip.pixel(x, y) == qRgb(0, 255, 255);
    return lit;
}

TEST(PictureDigits, EveryDigitLightsSegmentsAndTheBlankCellNone) {
    const QImage digits = load(QStringLiteral("PIC/digits"));
    ASSERT_FALSE(digits.isNull());
    for (int d = 0; d <= 9; ++d)
        EXPECT_GT(litPixels(digits, d), 20) << d;
    EXPECT_EQ(litPixels(digits, 10), 0);
    // The blank digit still shows its dark segments.
    const QRect blank = stripCell(marvolen::game::kDigitStrip, 10);
    int faint = 0;
    for (int y = blank.top(); y <= blank.bottom(); ++y)
        for (int x = blank.left(); x <= blank.right(); ++x)
            faint += digits.pixel(x, y) != qRgb(0, 0, 0);
    EXPECT_GT(faint, 20);
}

TEST(PictureDigits, EightLightsMoreThanAnyOtherDigitAndOneTheFewest) {
    const QImage digits = load(QStringLiteral("PIC/digits"));
    for (int d = 0; d <= 9; ++d) {
        if (d != 8) {
            EXPECT_GT(litPixels(digits, 8), litPixels(digits, d)) << d;
        }
        if (d != 1) {
            EXPECT_LT(litPixels(digits, 1), litPixels(digits, d)) << d;
        }
    }
}

TEST(PictureDigits, TheAmberStripLightsTheSameSegmentsInAmberAtBothSizes) {
    for (const QString& size : {QString(), QStringLiteral("@2x")}) {
        const QImage cyan = load(QStringLiteral("PIC/digits") + size);
        const QImage amber = load(QStringLiteral("PIC/digits_amber") + size);
        ASSERT_FALSE(amber.isNull()) << qPrintable(size);
        ASSERT_EQ(amber.size(), cyan.size()) << qPrintable(size);
        int lit = 0, differ = 0;
        for (int y = 0; y < cyan.height(); ++y)
            for (int x = 0; x < cyan.width(); ++x) {
                const bool cyanLit = cyan.pixel(x, y) == qRgb(0, 255, 255);
                const bool amberLit = amber.pixel(x, y) == qRgb(255, 176, 0);
                lit += amberLit;
                differ += cyanLit != amberLit;
                // Dark stays dark; everything else is a shade of amber, never of cyan.
                EXPECT_EQ(cyan.pixel(x, y) == qRgb(0, 0, 0), amber.pixel(x, y) == qRgb(0, 0, 0));
                EXPECT_LE(qBlue(amber.pixel(x, y)), qGreen(amber.pixel(x, y)));
            }
        EXPECT_GT(lit, 200) << qPrintable(size);
        EXPECT_EQ(differ, 0) << qPrintable(size);
    }
}

TEST(PictureLayoutStrip, EachThumbnailShowsItsVariantsHolesWithTheCentreLeftOut) {
    const QImage strip = load(QStringLiteral("PIC/layout"));
    ASSERT_FALSE(strip.isNull());
    for (int v = 0; v < marvolen::game::kVariants; ++v) {
        const QByteArray layout = marvolen::game::layoutOf(v);
        for (int row = 0; row < 2; ++row) {
            const QRect cell = stripCell(kLayoutStrip, v + 20 * row);
            const int background = qGray(strip.pixel(cell.topLeft() + QPoint(1, 1)));
            int dots = 0;
            for (int p = 0; p < marvolen::game::kPositions; ++p) {
                const QPoint centre = cell.topLeft() + QPoint(4 + 4 * (p % 7), 4 + 4 * (p / 7));
                const bool dot = qGray(strip.pixel(centre)) > background + 60;
                EXPECT_EQ(dot, layout.at(p) == '1' && p != marvolen::game::kCentre)
                    << "variant " << v << " row " << row << " position " << p;
                dots += dot;
            }
            EXPECT_EQ(dots, marvolen::game::variant(v).startCount - 1) << v;
        }
    }
}

double meanGrey(const QImage& img, const QRect& r) {
    double sum = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            sum += qGray(img.pixel(x, y));
    return sum / (r.width() * r.height());
}

TEST(PictureLayoutStrip, SelectedThumbnailsAreLighterThanPlainOnes) {
    const QImage strip = load(QStringLiteral("PIC/layout"));
    for (int v = 0; v < marvolen::game::kVariants; ++v)
        EXPECT_GT(meanGrey(strip, stripCell(kLayoutStrip, v + 20)) - 20,
                  meanGrey(strip, stripCell(kLayoutStrip, v)))
            << v;
}

TEST(PictureFlags, ShowTheirCountrysColoursInOrder) {
    struct Sample {
        const char* alias;
        QPoint at;
        QRgb colour;
    };
    const Sample samples[] = {
        {"PIC/flag0", {32, 6}, qRgb(0, 0, 0)},     {"PIC/flag0", {32, 34}, qRgb(255, 206, 0)},
        {"PIC/flag1", {21, 2}, qRgb(1, 33, 105)},  {"PIC/flag1", {32, 20}, qRgb(200, 16, 46)},
        {"PIC/flag2", {50, 4}, qRgb(170, 21, 27)}, {"PIC/flag2", {50, 20}, qRgb(241, 191, 0)},
        {"PIC/flag3", {8, 20}, qRgb(0, 146, 70)},  {"PIC/flag3", {56, 20}, qRgb(206, 43, 55)},
        {"PIC/flag6", {8, 20}, qRgb(0, 35, 149)},  {"PIC/flag6", {56, 20}, qRgb(237, 41, 57)},
    };
    for (const Sample& s : samples) {
        const QRgb got = load(QString::fromLatin1(s.alias)).pixel(s.at);
        EXPECT_LE(std::abs(qRed(got) - qRed(s.colour)) + std::abs(qGreen(got) - qGreen(s.colour)) +
                      std::abs(qBlue(got) - qBlue(s.colour)),
                  12)
            << s.alias << " at " << s.at.x() << "," << s.at.y();
    }
}

// ---- the pictures for screens of high density ----

QImage loadDouble(const QString& alias) {
    return load(alias + QStringLiteral("@2x"));
}

/// The 2x pictures: every picture the windows show, at exactly twice its size. The program
/// icon is not among them: it comes in several sizes, of which the window manager takes the
/// nearest.
std::vector<Expected> everyDoublePicture() {
    std::vector<Expected> all;
    for (const Expected& e : everyPicture())
        if (!e.alias.startsWith(QLatin1String("PIC/winicon")))
            all.push_back({e.alias, e.size * 2});
    // A hole picture is stretched into its 40-pixel element: at 2x it fills 80 pixels.
    for (int n = 0; n <= 8; ++n)
        all.push_back({QStringLiteral("PIC/hole%1").arg(n), {80, 80}});
    return all;
}

/// The mean difference per channel between the 2x picture averaged down and the 1x picture.
double meanDifferenceFromSmall(const QImage& big, const QImage& small) {
    const QImage down = big.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                            .scaled(small.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage ref = small.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    double sum = 0;
    for (int y = 0; y < ref.height(); ++y)
        for (int x = 0; x < ref.width(); ++x) {
            const QRgb a = down.pixel(x, y), b = ref.pixel(x, y);
            sum += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                   std::abs(qBlue(a) - qBlue(b)) + std::abs(qAlpha(a) - qAlpha(b));
        }
    return sum / (4.0 * ref.width() * ref.height());
}

/// The share of 2 x 2 blocks whose four pixels are equal: nearly all of them in a picture that is
/// merely enlarged from its small twin.
double uniformBlockShare(const QImage& img) {
    const QImage argb = img.convertToFormat(QImage::Format_ARGB32);
    int uniform = 0, blocks = 0;
    for (int y = 0; y + 1 < argb.height(); y += 2)
        for (int x = 0; x + 1 < argb.width(); x += 2) {
            const QRgb p = argb.pixel(x, y);
            uniform += p == argb.pixel(x + 1, y) && p == argb.pixel(x, y + 1) &&
                       p == argb.pixel(x + 1, y + 1);
            ++blocks;
        }
    return double(uniform) / blocks;
}

TEST(PictureDoubles, EveryPictureHasItsTwiceAsLargeTwinOfTheSameDesign) {
    for (const Expected& e : everyDoublePicture()) {
        const QImage big = loadDouble(e.alias);
        ASSERT_FALSE(big.isNull()) << qPrintable(e.alias);
        EXPECT_EQ(big.size(), e.size) << qPrintable(e.alias);
        // Averaged down, the large picture shows what the small one shows, in the same place.
        EXPECT_LT(meanDifferenceFromSmall(big, load(e.alias)), 12.0) << qPrintable(e.alias);
    }
    EXPECT_TRUE(load(QStringLiteral("PIC/winicon64@2x")).isNull());
}

TEST(PictureDoubles, AreDrawnAnewNotEnlarged) {
    std::vector<QString> drawn;
    for (int id = 101; id <= 125; ++id)
        drawn.push_back(QStringLiteral("ICON/%1").arg(id));
    for (int id = 121; id <= 129; ++id)
        drawn.push_back(QStringLiteral("BITMAP/%1").arg(id));
    for (int n = 0; n <= 8; ++n)
        drawn.push_back(QStringLiteral("PIC/hole%1").arg(n));
    for (const char* name : {"digits", "panel", "logo", "about_large", "flag1", "boardthumb1"})
        drawn.push_back(QStringLiteral("PIC/") + QLatin1String(name));
    for (const QString& alias : drawn) {
        const QImage big = loadDouble(alias);
        ASSERT_FALSE(big.isNull()) << qPrintable(alias);
        // Transparent corners and black digit backgrounds are uniform in any drawing; an
        // enlarged picture is uniform everywhere.
        EXPECT_LT(uniformBlockShare(big), 0.8) << qPrintable(alias);
    }
}

TEST(PictureDoubles, StripsKeepTheirPaletteAndTheirCellsAtTwiceTheCoordinates) {
    for (const QString& alias : {QStringLiteral("PIC/digits"), QStringLiteral("PIC/digits_amber"),
                                 QStringLiteral("PIC/layout")}) {
        const QImage strip = loadDouble(alias);
        EXPECT_EQ(strip.format(), QImage::Format_Indexed8) << qPrintable(alias);
        EXPECT_LE(strip.colorCount(), 16) << qPrintable(alias);
    }
    // Each digit's cell at twice the coordinates lights about four times the pixels (a little
    // more, since a smaller share of them lies on the soft edges), and the blank cell none.
    const QImage small = load(QStringLiteral("PIC/digits"));
    const QImage big = loadDouble(QStringLiteral("PIC/digits"));
    for (int cell = 0; cell <= 10; ++cell) {
        const QRect r = stripCell(marvolen::game::kDigitStrip, cell);
        int lit = 0;
        for (int y = r.top() * 2; y <= r.bottom() * 2 + 1; ++y)
            for (int x = r.left() * 2; x <= r.right() * 2 + 1; ++x)
                lit += big.pixel(x, y) == qRgb(0, 255, 255);
        const int smallLit = litPixels(small, cell);
        EXPECT_GE(lit, smallLit * 3) << cell;
        EXPECT_LE(lit, smallLit * 7) << cell;
    }
    // The layout strip's frames lie on the cells' edges at twice the coordinates.
    const QImage layout = loadDouble(QStringLiteral("PIC/layout"));
    for (int cell = 0; cell < 40; ++cell) {
        const QRect r = stripCell(kLayoutStrip, cell);
        const QRgb frame = layout.pixel(r.left() * 2, r.top() * 2);
        EXPECT_EQ(layout.pixel(r.right() * 2 + 1, r.bottom() * 2 + 1), frame) << cell;
        EXPECT_NE(layout.pixel(r.left() * 2 + 2, r.top() * 2 + 2), frame) << cell;
    }
}

} // namespace
