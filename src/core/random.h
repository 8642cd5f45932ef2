// The game's random numbers: one generator, seeded once, drawing whole numbers in a range.
#pragma once

#include <cstdint>
#include <random>

namespace marvolen {

class Random {
  public:
    /// Seeds from the clock, once; tests give a fixed seed.
    Random();
    explicit Random(std::uint64_t seed) : m_engine(seed) {}

    /// A uniform draw in [0, 1).
    double draw();

    /// Zufallszahl: a whole number from low to high inclusive, each equally likely.
    /// Throws Failure 6 when high - low + 1 does not fit 16 bits, 5 when high < low.
    std::int16_t Zufallszahl(std::int16_t low, std::int16_t high);

  private:
    std::mt19937_64 m_engine;
};

} // namespace marvolen
