// Twips, the unit of the board's and the panel's design numbers, and their whole pixels.
#pragma once

#include <QRect>
#include <QRectF>
#include <QSize>
#include <QSizeF>

namespace marvolen::ui {

constexpr double kTwipsPerPixel = 15.0;

/// A position or length in twips as the nearest whole pixel.
inline int toPixels(double twips) {
    return qRound(twips / kTwipsPerPixel);
}

/// A size in twips as whole pixels, each side rounded by itself.
inline QSize toPixels(const QSizeF& twips) {
    return {toPixels(twips.width()), toPixels(twips.height())};
}

/// A rectangle in twips as whole pixels: left, top, width and height each rounded by itself, so
/// that an element keeps its size wherever it lies.
inline QRect toPixels(const QRectF& twips) {
    return {toPixels(twips.left()), toPixels(twips.top()), toPixels(twips.width()),
            toPixels(twips.height())};
}

} // namespace marvolen::ui
