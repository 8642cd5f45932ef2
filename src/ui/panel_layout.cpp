// Layout arithmetic of the main window.
#include "panel_layout.h"

#include "core/failure.h"
#include "core/numbers.h"

#include <cmath>

namespace marvolen::ui {

double centeredStart(double containerSize, double elementSize, double offset) {
    return std::trunc(numbers::roundHalfEven(containerSize - elementSize) / 2) + offset;
}

QRectF rahmenRect(const QRectF& e, int distance) {
    // Each edge is held as a whole number, rounded half to even as it is stored.
    const double top = numbers::roundHalfEven(e.top() - distance);
    const double left = numbers::roundHalfEven(e.left() - distance);
    const double bottom = numbers::roundHalfEven(top + e.height() + 2 * distance);
    const double right = numbers::roundHalfEven(left + e.width() + 2 * distance);
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

PanelLayout computeLayout(QSizeF inner, QSizeF logoSize) {
    const double sw = inner.width(), sh = inner.height();
    PanelLayout l;
    // The board keeps margins taken from the height alone, whatever the width.
    const double boardSize = 0.83 * sh;
    const double diff = numbers::roundHalfEven(sh - boardSize);
    l.board = QRectF(std::trunc(diff / 4), std::trunc(diff / 2), boardSize, boardSize);

    const double pw = 0.28 * sw, ph = 0.98 * sh;
    const double panelTop = std::trunc(numbers::roundHalfEven(sh - ph) / 2);
    l.panel = QRectF(0.72 * sw, panelTop, pw, ph);

    const double fw = 0.72 * pw, fh = 0.2 * ph;
    const double fieldLeft = centeredStart(pw, fw, 0);
    // The tops add the panel's window position to panel heights, as the window always did.
    const std::array<double, 3> tops = {panelTop + 0.2 * ph, panelTop + 0.43 * ph,
                                        panelTop + 0.66 * ph};
    for (int k = 0; k < 3; ++k)
        l.fields[std::size_t(k)] = QRectF(fieldLeft, tops[std::size_t(k)], fw, fh);

    double logoWidth = logoSize.width();
    if (fw < logoWidth)
        logoWidth = fw;
    const double logoHeight = 0.397 * logoWidth;
    l.logo = QRectF(centeredStart(pw, logoWidth, 0), panelTop + 0.05 * ph, logoWidth, logoHeight);
    l.copyrightTop = l.logo.top() + logoHeight;

    const std::array<QSizeF, 3> frames = {kFraAnzeige, kFraLayout, kFraKnopf};
    for (int k = 0; k < 3; ++k) {
        const QRectF& f = l.fields[std::size_t(k)];
        const QSizeF s = frames[std::size_t(k)];
        const double offLeft = numbers::toInt16(f.left());
        const double offTop = numbers::toInt16(f.top());
        l.frames[std::size_t(k)] =
            QRectF(centeredStart(f.width(), s.width(), offLeft),
                   centeredStart(f.height(), s.height(), offTop), s.width(), s.height());
        l.borders[std::size_t(k)] = rahmenRect(f, 2);
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
