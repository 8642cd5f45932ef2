// Strip cell arithmetic.
#include "strips.h"

#include "core/failure.h"

namespace marvolen::game {

QRect stripCell(const StripLayout& strip, int n) {
    if (n < 0 || n >= strip.rows * strip.columns)
        throw Failure(err::SubscriptOutOfRange);
    const int w = strip.size.width() / strip.columns;
    const int h = strip.size.height() / strip.rows;
    return QRect((n % strip.columns) * w, (n / strip.columns) * h, w, h);
}

} // namespace marvolen::game
