// The main window's layout arithmetic against the design numbers.
#include "core/failure.h"
#include "qstring_printer.h"
#include "ui/panel_layout.h"
#include "ui/panel_widgets.h"
#include "ui/twips.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using namespace marvolen;
using namespace marvolen::ui;

namespace {

/// The layout of an inner size, which must come without a single report.
PanelLayout layoutOf(QSizeF inner, QSizeF logo = kLogoDesign) {
    FixedReporter reporter;
    const PanelLayout l = computeLayout(reporter, inner, logo);
    EXPECT_EQ(reporter.count(), 0)
        << reporter.last().number << " in " << reporter.last().procedure.toStdString();
    return l;
}

constexpr QRgb kGrey = qRgb(100, 100, 100);
constexpr QRgb kBlack = qRgb(0, 0, 0);
constexpr QRgb kWhite = qRgb(255, 255, 255);

/// The colours of an image along one row or column, from..to inclusive.
std::vector<QRgb> row(const QImage& image, int y, int from, int to) {
    std::vector<QRgb> out;
    for (int x = from; x <= to; ++x)
        out.push_back(image.pixel(x, y) & 0xFFFFFF);
    return out;
}
std::vector<QRgb> column(const QImage& image, int x, int from, int to) {
    std::vector<QRgb> out;
    for (int y = from; y <= to; ++y)
        out.push_back(image.pixel(x, y) & 0xFFFFFF);
    return out;
}

/// Checks the sunken border of field in image: black above and left, white below and right,
/// each line exactly `distance` pixels beyond the field's outermost pixels, and nothing of it
/// between the lines and the field.
void expectBorderAround(const QImage& image, const QRect& field, int distance, QRgb between) {
    const int l = field.left() - distance, t = field.top() - distance;
    const int r = field.right() + distance, b = field.bottom() + distance;
    const auto all = [](std::size_t n, QRgb c) { return std::vector<QRgb>(n, c & 0xFFFFFF); };
    EXPECT_EQ(row(image, t, l, r - 1), all(std::size_t(r - l), kBlack)) << "top";
    EXPECT_EQ(column(image, l, t, b - 1), all(std::size_t(b - t), kBlack)) << "left";
    EXPECT_EQ(row(image, b, l, r), all(std::size_t(r - l + 1), kWhite)) << "bottom";
    EXPECT_EQ(column(image, r, t, b), all(std::size_t(b - t + 1), kWhite)) << "right";
    for (int gap = 1; gap < distance; ++gap) {
        EXPECT_EQ(image.pixel(field.left() - gap, field.center().y()) & 0xFFFFFF,
                  between & 0xFFFFFF);
        EXPECT_EQ(image.pixel(field.right() + gap, field.center().y()) & 0xFFFFFF,
                  between & 0xFFFFFF);
        EXPECT_EQ(image.pixel(field.center().x(), field.top() - gap) & 0xFFFFFF,
                  between & 0xFFFFFF);
        EXPECT_EQ(image.pixel(field.center().x(), field.bottom() + gap) & 0xFFFFFF,
                  between & 0xFFFFFF);
    }
}

} // namespace

TEST(PanelLayout, TheDesignSizeGivesTheDesignNumbers) {
    const PanelLayout l = layoutOf(kDesignInner);
    EXPECT_DOUBLE_EQ(l.board.width(), 7968);
    EXPECT_DOUBLE_EQ(l.board.height(), 7968);
    EXPECT_DOUBLE_EQ(l.board.left(), 408);
    EXPECT_DOUBLE_EQ(l.board.top(), 816);
    EXPECT_NEAR(l.panel.width(), 2948.4, 1e-9);
    EXPECT_DOUBLE_EQ(l.panel.height(), 9408);
    EXPECT_NEAR(l.panel.left(), 7581.6, 1e-9);
    EXPECT_DOUBLE_EQ(l.panel.top(), 96);
    for (const QRectF& f : l.fields) {
        EXPECT_NEAR(f.width(), 2122.848, 1e-9);
        EXPECT_NEAR(f.height(), 1881.6, 1e-9);
        EXPECT_DOUBLE_EQ(f.left(), 413); // 825.552 rounds to 826, halved
    }
    EXPECT_NEAR(l.fields[0].top(), 1977.6, 1e-9);
    EXPECT_NEAR(l.fields[1].top(), 4141.44, 1e-9);
    EXPECT_NEAR(l.fields[2].top(), 6305.28, 1e-9);
    // The logo is narrowed to the field and centred like it.
    EXPECT_DOUBLE_EQ(l.logo.left(), 413);
    EXPECT_NEAR(l.logo.top(), 566.4, 1e-9);
    EXPECT_NEAR(l.logo.width(), 2122.848, 1e-9);
    EXPECT_NEAR(l.logo.height(), 842.770656, 1e-9);
    EXPECT_NEAR(l.copyrightTop, 1409.170656, 1e-9);
}

TEST(PanelLayout, AWideWindowKeepsTheBoardAtTheLeftWithItsSmallMargin) {
    const PanelLayout narrow = layoutOf(QSizeF(10530, 9600));
    const PanelLayout wide = layoutOf(QSizeF(30000, 9600));
    EXPECT_DOUBLE_EQ(wide.board.left(), narrow.board.left());
    EXPECT_DOUBLE_EQ(wide.board.width(), narrow.board.width());
    EXPECT_GT(wide.panel.left() - wide.board.right(), narrow.panel.left() - narrow.board.right());
}

TEST(PanelLayout, TheLogoIsNarrowedToTheFieldButNeverWidened) {
    const PanelLayout small = layoutOf(kDesignInner);
    EXPECT_NEAR(small.logo.width(), small.fields[0].width(), 1e-9);
    EXPECT_NEAR(small.logo.height(), 0.397 * small.logo.width(), 1e-9);
    const PanelLayout big = layoutOf(QSizeF(20000, 18000));
    EXPECT_DOUBLE_EQ(big.logo.width(), kLogoDesign.width());
    EXPECT_NEAR(big.logo.height(), 0.397 * 2685, 1e-9);
    EXPECT_DOUBLE_EQ(big.copyrightTop, big.logo.bottom());
    EXPECT_DOUBLE_EQ(big.logo.top(), big.panel.top() + 0.05 * big.panel.height());
}

TEST(PanelLayout, FramesAreCentredOnTheirFieldsAtTheDesignSize) {
    // Left: (2122.848 - 2415) rounds to -292, halved -146, plus the field's left 413.
    // Tops: 351.6 rounds to 352, halved 176, plus 1977.6 rounded; -143.4 rounds to -143 and
    // halves toward zero to -71, plus 4141; 306.6 rounds to 307, halved 153, plus 6305.
    const PanelLayout l = layoutOf(kDesignInner);
    EXPECT_EQ(l.frames[0], QRectF(267, 2154, 2415, 1530));
    EXPECT_EQ(l.frames[1], QRectF(267, 4070, 2415, 2025));
    EXPECT_EQ(l.frames[2], QRectF(267, 6458, 2415, 1575));
}

TEST(PanelLayout, FramesLargerThanTheirFieldsHalveTheNegativeDifferenceTowardZero) {
    // 7500 x 6000: fields 1512 x 1176 at left 294 and tops 1236, 2588.4 and 3940.8. Every
    // frame overhangs its field; the odd differences -903, -849 and -399 halve to -451, -424
    // and -199, where rounding down would give one twip less.
    const PanelLayout l = layoutOf(QSizeF(7500, 6000));
    EXPECT_DOUBLE_EQ(l.fields[0].left(), 294);
    EXPECT_EQ(l.frames[0], QRectF(-157, 1059, 2415, 1530));
    EXPECT_EQ(l.frames[1], QRectF(-157, 2164, 2415, 2025));
    EXPECT_EQ(l.frames[2], QRectF(-157, 3742, 2415, 1575));
}

TEST(PanelLayout, CentringRoundsTheDifferenceThenTruncatesTheHalf) {
    EXPECT_DOUBLE_EQ(centeredStart(100, 51, 0), 24);   // 49 \ 2 truncates
    EXPECT_DOUBLE_EQ(centeredStart(100, 50.5, 0), 25); // 49.5 rounds to even 50 first
    EXPECT_DOUBLE_EQ(centeredStart(100, 51.5, 0), 24); // 48.5 rounds to even 48
    EXPECT_DOUBLE_EQ(centeredStart(100, 50, 7), 32);
    // Negative differences truncate toward zero, not down.
    EXPECT_DOUBLE_EQ(centeredStart(100, 151, 0), -25);   // -51 \ 2
    EXPECT_DOUBLE_EQ(centeredStart(100, 150.5, 0), -25); // -50.5 rounds to even -50
    EXPECT_DOUBLE_EQ(centeredStart(100, 151.5, 0), -26); // -51.5 rounds to even -52
    EXPECT_DOUBLE_EQ(centeredStart(100, 103, 10), 9);    // -3 \ 2 is -1
}

TEST(PanelLayout, ThumbnailsFormFiveColumnsAndFourRowsWithSelectedOnesFiveLower) {
    EXPECT_EQ(thumbnailRect(0, false), QRectF(10, 45, 480, 480));
    EXPECT_EQ(thumbnailRect(0, true), QRectF(10, 50, 480, 480));
    EXPECT_EQ(thumbnailRect(7, false), QRectF(10 + 2 * 480, 45 + 480, 480, 480));
    EXPECT_EQ(thumbnailRect(19, true), QRectF(10 + 4 * 480, 50 + 3 * 480, 480, 480));
    EXPECT_LE(thumbnailRect(19, true).bottom(), kFraLayout.height());
}

TEST(PanelLayout, ButtonsAndFlagsSitInsideTheirFrame) {
    for (int i = 0; i < 9; ++i)
        EXPECT_TRUE(QRectF(QPointF(0, 0), kFraKnopf).contains(buttonRect(i))) << i;
    for (int i : {0, 1, 2, 3, 6})
        EXPECT_TRUE(QRectF(QPointF(0, 0), kFraKnopf).contains(flagRect(i))) << i;
    EXPECT_EQ(buttonRect(8), QRectF(1890, 600, 395, 375));
    EXPECT_ANY_THROW(flagRect(4));
}

TEST(PanelLayout, AWindowOfAnyScreenSizeLaysOutWithoutAReport) {
    // 4000 pixels high put the lowest field beyond 32767 twips, where a 16-bit offset failed.
    for (const QSize pixels : {QSize(2000, 4000), QSize(16384, 16384), QSize(400, 30000)}) {
        SCOPED_TRACE(pixels.height());
        const QSizeF inner(pixels.width() * kTwipsPerPixel, pixels.height() * kTwipsPerPixel);
        const PanelLayout l = layoutOf(inner);
        const QRectF panel(QPointF(0, 0), l.panel.size());
        EXPECT_GT(l.panel.width(), 0);
        EXPECT_GT(l.panel.height(), 0);
        for (std::size_t k = 0; k < 3; ++k) {
            EXPECT_TRUE(panel.contains(l.fields[k])) << k;
            // Each frame is centred on its field, however far down the field lies.
            EXPECT_NEAR(l.frames[k].center().y(), l.fields[k].center().y(), 1.0) << k;
            EXPECT_NEAR(l.frames[k].center().x(), l.fields[k].center().x(), 1.0) << k;
        }
        EXPECT_GT(l.frames[2].top(), 32767);
    }
}

TEST(Twips, BecomeWholePixelsEachEdgeAndLengthRoundedByItself) {
    EXPECT_EQ(toPixels(kDesignInner), QSize(702, 640));
    EXPECT_EQ(toPixels(4575.0), 305); // a marble's place on the board
    // The first frame at the design size: 17.8 and 143.6 pixels from the panel's corner.
    EXPECT_EQ(toPixels(QRectF(267, 2154, 2415, 1530)), QRect(18, 144, 161, 102));
    // An element keeps its rounded size wherever it lies: 7.5 pixels in and 7.5 wide is 8 and 8,
    // though its right edge at 15 pixels would round to 15.
    EXPECT_EQ(toPixels(QRectF(112.5, 0, 112.5, 15)), QRect(8, 0, 8, 1));
}

TEST(CenterObj, CentresInOrOnItsContainerAndReportsItsOwnFailure) {
    FixedReporter reporter(Answer::Ignore);
    QRectF element(5, 6, 30, 20);
    CenterObj(reporter, QSizeF(100, 60), element, true, false, 0, 40000);
    EXPECT_EQ(element, QRectF(5, 40020, 30, 20)); // offsets beyond 16 bits are fine
    CenterObj(reporter, QSizeF(100, 60), element, false, true, 7, 0);
    EXPECT_EQ(element, QRectF(42, 40020, 30, 20));
    EXPECT_EQ(reporter.count(), 0);

    const double huge = std::numeric_limits<double>::infinity();
    CenterObj(reporter, QSizeF(huge, huge), element, true, true, 0, 0);
    EXPECT_EQ(reporter.count(), 2); // both statements, each left as it was after Ignore
    EXPECT_EQ(reporter.last().number, 6);
    EXPECT_EQ(reporter.last().module, QStringLiteral("Allgemein"));
    EXPECT_EQ(reporter.last().procedure, QStringLiteral("CenterObj"));
    EXPECT_EQ(reporter.last().line, 50040);
    EXPECT_EQ(element, QRectF(42, 40020, 30, 20));
}

TEST(Rahmen, TheLinesLieExactlyTheDistanceBeyondTheFieldsOutermostPixels) {
    // Pixels 100..149 and 200..229: the lines in columns 98 and 151, rows 198 and 231.
    EXPECT_EQ(rahmenLines(QRect(100, 200, 50, 30), 2), QRect(QPoint(98, 198), QPoint(151, 231)));
    EXPECT_EQ(rahmenLines(QRect(0, 0, 1, 1), 1), QRect(QPoint(-1, -1), QPoint(1, 1)));
    EXPECT_THROW(rahmenLines(QRect(std::numeric_limits<int>::max() - 10, 0, 5, 5), 20), Failure);

    QImage image(60, 50, QImage::Format_RGB32);
    image.fill(kGrey);
    QPainter p(&image);
    p.setPen(QPen(Qt::black, 1));
    FixedReporter reporter;
    const QRect field(10, 12, 30, 20);
    Rahmen(reporter, field, 2, p, 0, 15, 2);
    p.end();
    EXPECT_EQ(reporter.count(), 0);
    expectBorderAround(image, field, 2, kGrey);
    EXPECT_EQ(image.pixel(field.topLeft()) & 0xFFFFFF, kGrey & 0xFFFFFF); // the field untouched
}

TEST(Rahmen, AColourOutsideThePaletteIsReportedUnderItsOwnName) {
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(kGrey);
    QPainter p(&image);
    FixedReporter reporter(Answer::Ignore);
    Rahmen(reporter, QRect(5, 5, 5, 5), 2, p, 0, 16, 1);
    p.end();
    EXPECT_EQ(reporter.count(), 1);
    EXPECT_EQ(reporter.last().number, 5);
    EXPECT_EQ(reporter.last().module, QStringLiteral("Allgemein"));
    EXPECT_EQ(reporter.last().procedure, QStringLiteral("Rahmen"));
    EXPECT_EQ(reporter.last().line, 50050);
    EXPECT_EQ(image.pixel(3, 3) & 0xFFFFFF, kBlack & 0xFFFFFF); // the black lines are drawn
    EXPECT_EQ(paletteColour(15), QColor(Qt::white));
}

TEST(PanelWidget, TheDrawnBordersLieTheDistanceOutsideEachField) {
    PanelWidget panel(nullptr);
    panel.resize(200, 400);
    // A grey background, so a black line one pixel off would show against it.
    QPixmap background(200, 400);
    background.fill(QColor(kGrey));
    panel.setBackground(background);
    const std::array<QRect, 3> fields = {QRect(28, 132, 142, 125), QRect(28, 300, 143, 30),
                                         QRect(29, 350, 141, 20)};
    FixedReporter reporter;
    panel.decorate(fields, reporter);
    EXPECT_EQ(reporter.count(), 0);
    const QImage image = panel.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(image.size(), QSize(200, 400));
    for (const QRect& f : fields) {
        SCOPED_TRACE(f.top());
        expectBorderAround(image, f, kRahmenDistance, kGrey);
    }
}
