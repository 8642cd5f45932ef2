// The twenty board variants: which of the 49 positions carry a hole, and their geometry class.
#pragma once

#include <QByteArray>

#include <array>

namespace marvolen::game {

constexpr int kPositions = 49;
constexpr int kCentre = 24;
constexpr int kVariants = 20;

struct Variant {
    const char* pattern; ///< seven rows of seven "0"/"1" separated by "."
    int startCount;      ///< holes, and marbles on a fresh board
    double divisor;      ///< k: hole spacing = board height x 0.7 / k
    double marginFactor; ///< c: margin = board height x c
};

/// Variant n (0 to 19); Failure 9 for any other number.
const Variant& variant(int number);

/// The 49 pattern characters of variant n without the row separators; variant 0's for any
/// number outside 1 to 19, as the board layout does it.
QByteArray layoutOf(int number);

} // namespace marvolen::game
