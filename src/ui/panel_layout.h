// The main window's proportional layout: every position and size from the inner size, in
// twips (15 to the pixel), before the toolkit rounds to whole pixels.
#pragma once

#include "core/failure.h"
#include "twips.h"

#include <QColor>
#include <QRect>
#include <QRectF>
#include <QSizeF>

#include <array>
#include <cstdint>

class QPainter;

namespace marvolen::ui {

/// Design sizes of the window's fixed elements, in twips.
constexpr QSizeF kDesignInner(10530, 9600);
constexpr QSizeF kLogoDesign(2685, 1065);
constexpr QSizeF kFraAnzeige(2415, 1530);
constexpr QSizeF kFraLayout(2415, 2025);
constexpr QSizeF kFraKnopf(2415, 1575);

/// The centred start of an element in a container, plus offset: the difference rounded half to
/// even, halved, truncated toward zero.
double centeredStart(double containerSize, double elementSize, double offset);

/// CenterObj: moves element to the centre of a container of the given size, horizontally
/// and/or vertically, plus the offsets (to centre it on a sibling). Offsets and positions are
/// 32-bit whole numbers, so no window a screen can hold overflows them. A failure is reported
/// under "Allgemein" and leaves that coordinate as it was.
void CenterObj(Reporter& reporter, const QSizeF& container, QRectF& element, bool vertical,
               bool horizontal, std::int32_t offsetLeft, std::int32_t offsetTop);

/// Everything Form_Resize computes. Panel elements are in the panel's own coordinates.
struct PanelLayout {
    QRectF board;                 ///< picBrett, in the window
    QRectF panel;                 ///< picPanel, in the window
    std::array<QRectF, 3> fields; ///< shpAnzeige(0..2)
    QRectF logo;                  ///< imgLogo
    double copyrightTop = 0;      ///< lblCopyright's top; centred horizontally
    std::array<QRectF, 3> frames; ///< fraAnzeige, fraLayout, fraKnopf
};

/// Form_Resize's arithmetic for an inner size in twips, with the logo at its design size; the
/// copyright line is centred by its own width, which only the window knows. The centring is
/// CenterObj's, which reports its own failures to reporter.
PanelLayout computeLayout(Reporter& reporter, QSizeF inner, QSizeF logoSize = kLogoDesign);

/// How far outside each display field its sunken border lies, in pixels.
constexpr int kRahmenDistance = 2;

/// Where Rahmen's lines lie around an element of whole pixels: the returned rectangle's left,
/// top, right and bottom are the pixel columns and rows of the four lines, each `distance`
/// beyond the element's outermost pixel on its side. Failure 6 when a line leaves 32 bits.
QRect rahmenLines(const QRect& element, std::int32_t distance);

/// A colour of the 16-colour palette: 0 black, 7 light grey, 8 dark grey, 15 bright white.
/// Failure 5 for any other number.
QColor paletteColour(int number);

/// Rahmen: a frame `distance` pixels around element on surface, in colourA above and left and
/// colourB below and right (a sunken border for 0 and 15), with the surface's line width. The
/// count repeats the same lines at the same place, so they are drawn once when count > 0.
/// Failures are reported under "Allgemein".
void Rahmen(Reporter& reporter, const QRect& element, std::int32_t distance, QPainter& surface,
            int colourA, int colourB, int count);

/// Position of thumbnail i in fraLayout (imgLoff when selected is false, imgLon otherwise).
QRectF thumbnailRect(int index, bool selected);

/// Design rectangle of command button i in fraKnopf.
QRectF buttonRect(int index);

/// Design rectangle of language flag with index 0, 1, 2, 3 or 6 in fraKnopf.
QRectF flagRect(int index);

} // namespace marvolen::ui
