// Random numbers. Seeded once at start-up rather than from the timer on every draw, so that
// draws within one timer tick are not all the same.
#include "random.h"

#include "failure.h"

#include <chrono>
#include <cmath>

namespace marvolen {

Random::Random()
    : m_engine(
          std::uint64_t(std::chrono::high_resolution_clock::now().time_since_epoch().count())) {}

double Random::draw() {
    return std::generate_canonical<double, 53>(m_engine);
}

std::int16_t Random::Zufallszahl(std::int16_t low, std::int16_t high) {
    const int span = int(high) - int(low) + 1;
    if (span > 32767)
        throw Failure(err::Overflow);
    if (span < 1)
        throw Failure(err::InvalidCall);
    double r = draw();
    if (r >= 1.0) // generate_canonical may round up to 1 on some libraries
        r = std::nextafter(1.0, 0.0);
    const int value = int(std::floor(span * r + low));
    return std::int16_t(std::min(value, int(high)));
}

} // namespace marvolen
