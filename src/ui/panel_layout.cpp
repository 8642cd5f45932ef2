// Layout arithmetic of the main window.
#include "panel_layout.h"

#include "core/failure.h"
#include "core/numbers.h"

#include <QPainter>
#include <QPen>

#include <cmath>
#include <limits>
#include <optional>

namespace marvolen::ui {

namespace {
/// A position as the 32-bit whole number it is stored as; Failure 6 when it does not fit.
std::int32_t toInt32(double value) {
    const double rounded = numbers::roundHalfEven(value);
    if (!std::isfinite(rounded) || rounded < std::numeric_limits<std::int32_t>::min() ||
        rounded > std::numeric_limits<std::int32_t>::max())
        throw Failure(err::Overflow);
    return std::int32_t(rounded);
}

/// A twips position handed on as an offset: clamped to 32 bits, which no screen comes near, so
/// an absurd size can misplace an element but never fails.
std::int32_t offsetOf(double twips) {
    const double rounded = numbers::roundHalfEven(twips);
    if (!(rounded > std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    if (rounded > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    return std::int32_t(rounded);
}

const QString kGeneral = QStringLiteral("Allgemein");
} // namespace

double centeredStart(double containerSize, double elementSize, double offset) {
    return std::trunc(numbers::roundHalfEven(containerSize - elementSize) / 2) + offset;
}

void CenterObj(Reporter& reporter, const QSizeF& container, QRectF& element, bool vertical,
               bool horizontal, std::int32_t offsetLeft, std::int32_t offsetTop) {
    Procedure p(reporter, kGeneral, QStringLiteral("CenterObj"));
    p.step(50030, [&] {
        if (horizontal)
            element.moveLeft(
                toInt32(centeredStart(container.width(), element.width(), offsetLeft)));
    });
    p.step(50040, [&] {
        if (vertical)
            element.moveTop(
                toInt32(centeredStart(container.height(), element.height(), offsetTop)));
    });
}

QRect rahmenLines(const QRect& e, std::int32_t distance) {
    // In 64 bits first: an element near the edge of the 32-bit range must fail, not wrap.
    const std::int64_t d = distance;
    const std::int64_t top = std::int64_t(e.top()) - d;
    const std::int64_t left = std::int64_t(e.left()) - d;
    const std::int64_t bottom = top + (std::int64_t(e.height()) - 1) + 2 * d;
    const std::int64_t right = left + (std::int64_t(e.width()) - 1) + 2 * d;
    for (const std::int64_t v : {top, left, bottom, right})
        if (v < std::numeric_limits<std::int32_t>::min() ||
            v > std::numeric_limits<std::int32_t>::max())
            throw Failure(err::Overflow);
    return QRect(QPoint(int(left), int(top)), QPoint(int(right), int(bottom)));
}

QColor paletteColour(int number) {
    static constexpr QRgb palette[16] = {
        qRgb(0, 0, 0),       qRgb(0, 0, 128),   qRgb(0, 128, 0),   qRgb(0, 128, 128),
        qRgb(128, 0, 0),     qRgb(128, 0, 128), qRgb(128, 128, 0), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(0, 0, 255),   qRgb(0, 255, 0),   qRgb(0, 255, 255),
        qRgb(255, 0, 0),     qRgb(255, 0, 255), qRgb(255, 255, 0), qRgb(255, 255, 255)};
    if (number < 0 || number > 15)
        throw Failure(err::InvalidCall);
    return QColor(palette[number]);
}

void Rahmen(Reporter& reporter, const QRect& element, std::int32_t distance, QPainter& surface,
            int colourA, int colourB, int count) {
    Procedure p(reporter, kGeneral, QStringLiteral("Rahmen"));
    std::optional<QRect> lines;
    p.step(50030, [&] { lines = rahmenLines(element, distance); });
    auto pen = [&surface](int colour) {
        QPen pen = surface.pen();
        pen.setColor(paletteColour(colour));
        surface.setPen(pen);
    };
    p.step(50040, [&] {
        if (!lines || count <= 0)
            return;
        pen(colourA);
        surface.drawLine(lines->topLeft(), lines->topRight());
        surface.drawLine(lines->topLeft(), lines->bottomLeft());
    });
    p.step(50050, [&] {
        if (!lines || count <= 0)
            return;
        pen(colourB);
        surface.drawLine(lines->bottomLeft(), lines->bottomRight());
        surface.drawLine(lines->topRight(), lines->bottomRight());
    });
}

PanelLayout computeLayout(Reporter& reporter, QSizeF inner, QSizeF logoSize) {
    const double sw = inner.width(), sh = inner.height();
    PanelLayout l;
    // The board keeps margins taken from the height alone, whatever the width.
    const double boardSize = 0.83 * sh;
    const double diff = numbers::roundHalfEven(sh - boardSize);
    l.board = QRectF(std::trunc(diff / 4), std::trunc(diff / 2), boardSize, boardSize);

    const double pw = 0.28 * sw, ph = 0.98 * sh;
    const double panelTop = std::trunc(numbers::roundHalfEven(sh - ph) / 2);
    l.panel = QRectF(0.72 * sw, panelTop, pw, ph);
    const QSizeF panel(pw, ph);

    const double fw = 0.72 * pw, fh = 0.2 * ph;
    // The tops add the panel's window position to panel heights, as the window always did.
    const std::array<double, 3> tops = {panelTop + 0.2 * ph, panelTop + 0.43 * ph,
                                        panelTop + 0.66 * ph};
    for (std::size_t k = 0; k < 3; ++k) {
        l.fields[k] = QRectF(0, 0, fw, fh);
        CenterObj(reporter, panel, l.fields[k], false, true, 0, 0);
        l.fields[k].moveTop(tops[k]);
    }

    double logoWidth = logoSize.width();
    if (fw < logoWidth)
        logoWidth = fw;
    const double logoHeight = 0.397 * logoWidth;
    l.logo = QRectF(0, panelTop + 0.05 * ph, logoWidth, logoHeight);
    CenterObj(reporter, panel, l.logo, false, true, 0, 0);
    l.copyrightTop = l.logo.top() + logoHeight;

    const std::array<QSizeF, 3> frames = {kFraAnzeige, kFraLayout, kFraKnopf};
    for (std::size_t k = 0; k < 3; ++k) {
        const QRectF& f = l.fields[k];
        l.frames[k] = QRectF(QPointF(0, 0), frames[k]);
        CenterObj(reporter, f.size(), l.frames[k], true, true, offsetOf(f.left()),
                  offsetOf(f.top()));
    }
    return l;
}

QRectF thumbnailRect(int index, bool selected) {
    if (index < 0 || index >= 20)
        throw Failure(err::NoSuchElement, QString::number(index));
    const double left0 = 10, top0 = selected ? 50 : 45, size = 480;
    return QRectF(left0 + (index % 5) * size, top0 + (index / 5) * size, size, size);
}

QRectF buttonRect(int index) {
    struct B {
        double left, top, width;
    };
    static constexpr B table[9] = {{150, 120, 455},  {720, 120, 455},  {1290, 120, 455},
                                   {1860, 120, 455}, {150, 600, 395},  {585, 600, 395},
                                   {1020, 600, 395}, {1455, 600, 395}, {1890, 600, 395}};
    if (index < 0 || index >= 9)
        throw Failure(err::NoSuchElement, QString::number(index));
    const B& b = table[index];
    return QRectF(b.left, b.top, b.width, 375);
}

QRectF flagRect(int index) {
    double left = 0;
    switch (index) {
    case 0:
        left = 20;
        break;
    case 1:
        left = 475;
        break;
    case 2:
        left = 950;
        break;
    case 3:
        left = 1425;
        break;
    case 6:
        left = 1900;
        break;
    default:
        throw Failure(err::NoSuchElement, QString::number(index));
    }
    return QRectF(left, 1200, 480, 300);
}

} // namespace marvolen::ui
