// The main window's layout arithmetic against the design numbers.
#include "ui/panel_layout.h"

#include <gtest/gtest.h>

using namespace marvolen::ui;

TEST(PanelLayout, TheDesignSizeGivesTheDesignNumbers) {
    const PanelLayout l = computeLayout(kDesignInner);
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
    const PanelLayout narrow = computeLayout(QSizeF(10530, 9600));
    const PanelLayout wide = computeLayout(QSizeF(30000, 9600));
    EXPECT_DOUBLE_EQ(wide.board.left(), narrow.board.left());
    EXPECT_DOUBLE_EQ(wide.board.width(), narrow.board.width());
    EXPECT_GT(wide.panel.left() - wide.board.right(), narrow.panel.left() - narrow.board.right());
}

TEST(PanelLayout, TheLogoIsNarrowedToTheFieldButNeverWidened) {
    const PanelLayout small = computeLayout(kDesignInner);
    EXPECT_NEAR(small.logo.width(), small.fields[0].width(), 1e-9);
    EXPECT_NEAR(small.logo.height(), 0.397 * small.logo.width(), 1e-9);
    const PanelLayout big = computeLayout(QSizeF(20000, 18000));
    EXPECT_DOUBLE_EQ(big.logo.width(), kLogoDesign.width());
    EXPECT_NEAR(big.logo.height(), 0.397 * 2685, 1e-9);
    EXPECT_DOUBLE_EQ(big.copyrightTop, big.logo.bottom());
    EXPECT_DOUBLE_EQ(big.logo.top(), big.panel.top() + 0.05 * big.panel.height());
}

TEST(PanelLayout, FramesAreCentredOnTheirFieldsAtTheDesignSize) {
    // Left: (2122.848 - 2415) rounds to -292, halved -146, plus the field's left 413.
    // Tops: 351.6 rounds to 352, halved 176, plus 1977.6 rounded; -143.4 rounds to -143 and
    // halves toward zero to -71, plus 4141; 306.6 rounds to 307, halved 153, plus 6305.
    const PanelLayout l = computeLayout(kDesignInner);
    EXPECT_EQ(l.frames[0], QRectF(267, 2154, 2415, 1530));
    EXPECT_EQ(l.frames[1], QRectF(267, 4070, 2415, 2025));
    EXPECT_EQ(l.frames[2], QRectF(267, 6458, 2415, 1575));
}

TEST(PanelLayout, FramesLargerThanTheirFieldsHalveTheNegativeDifferenceTowardZero) {
    // 7500 x 6000: fields 1512 x 1176 at left 294 and tops 1236, 2588.4 and 3940.8. Every
    // frame overhangs its field; the odd differences -903, -849 and -399 halve to -451, -424
    // and -199, where rounding down would give one twip less.
    const PanelLayout l = computeLayout(QSizeF(7500, 6000));
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

TEST(PanelLayout, RahmenSurroundsTheElementAtItsDistance) {
    EXPECT_EQ(rahmenRect(QRectF(100, 200, 50, 30), 2), QRectF(98, 198, 54, 34));
    // Fractional fields: every edge is rounded half to even, bottom and right from the
    // rounded top and left.
    EXPECT_EQ(rahmenRect(QRectF(100.4, 200.5, 50.5, 30.5), 2),
              QRectF(QPointF(98, 198), QPointF(152, 232)));
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
