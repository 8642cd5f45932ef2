// Picture strips: equal cells numbered left to right, row by row.
#pragma once

#include <QRect>
#include <QSize>

namespace marvolen::game {

struct StripLayout {
    QSize size;
    int rows;
    int columns;
};

/// The digit strip: 198 x 27, one row of eleven 18 x 27 cells, cell 10 blank.
constexpr StripLayout kDigitStrip{QSize(198, 27), 1, 11};
/// The variant thumbnails: 640 x 64, two rows of twenty 32 x 32 cells, the second row selected.
constexpr StripLayout kLayoutStrip{QSize(640, 64), 2, 20};

/// Cell n of the strip as a rectangle; Failure 9 for a cell outside the strip.
QRect stripCell(const StripLayout& strip, int n);

} // namespace marvolen::game
