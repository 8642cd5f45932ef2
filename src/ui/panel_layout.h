// The main window's proportional layout: every position and size from the inner size, in
// twips (15 to the pixel), before the toolkit rounds to whole pixels.
#pragma once

#include <QRectF>
#include <QSizeF>

#include <array>

namespace marvolen::ui {

constexpr double kTwipsPerPixel = 15.0;

/// Design sizes of the window's fixed elements, in twips.
constexpr QSizeF kDesignInner(10530, 9600);
constexpr QSizeF kLogoDesign(2685, 1065);
constexpr QSizeF kFraAnzeige(2415, 1530);
constexpr QSizeF kFraLayout(2415, 2025);
constexpr QSizeF kFraKnopf(2415, 1575);

/// CenterObj: the element's new left/top when centred in (or, with offsets, on) a container.
/// Integer division after rounding the difference half to even, truncating toward zero.
double centeredStart(double containerSize, double elementSize, double offset);

/// Everything Form_Resize computes. Panel elements are in the panel's own coordinates.
struct PanelLayout {
    QRectF board;                 ///< picBrett, in the window
    QRectF panel;                 ///< picPanel, in the window
    std::array<QRectF, 3> fields; ///< shpAnzeige(0..2)
    QRectF logo;                  ///< imgLogo
    double copyrightTop = 0;      ///< lblCopyright's top; centred horizontally
    std::array<QRectF, 3> frames; ///< fraAnzeige, fraLayout, fraKnopf
    /// Rahmen around each field: left, top, right, bottom of the sunken border.
    std::array<QRectF, 3> borders;
};

/// Form_Resize for an inner size in twips, with the logo at its design size; the copyright
/// line is centred by its own width, which only the window knows.
PanelLayout computeLayout(QSizeF inner, QSizeF logoSize = kLogoDesign);

/// The border Rahmen draws around an element at a distance.
QRectF rahmenRect(const QRectF& element, int distance);

/// Position of thumbnail i in fraLayout (imgLoff when selected is false, imgLon otherwise).
QRectF thumbnailRect(int index, bool selected);

/// Design rectangle of command button i in fraKnopf.
QRectF buttonRect(int index);

/// Design rectangle of language flag with index 0, 1, 2, 3 or 6 in fraKnopf.
QRectF flagRect(int index);

} // namespace marvolen::ui
