// Pagoda functions found by linear programming: proofs that a position cannot end in a given hole.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace marvolen::solver {

/// A weight per position with w(a) + w(b) >= w(c) for every jump a over b into c of a hole
/// pattern, so no jump raises the sum over the marbles. A position whose sum lies below the
/// weight of a hole can therefore never end with a single marble in that hole.
struct Pagoda {
    std::array<std::int32_t, 49> weights{};

    std::int32_t valueOf(std::uint64_t marbles) const;
    friend bool operator==(const Pagoda&, const Pagoda&) = default;
};

/// Every jump of a hole pattern as its three positions: from, over, to.
std::vector<std::array<int, 3>> jumpLinesOf(std::uint64_t holes);

/// Whether `pagoda` is zero off the holes and keeps w(a) + w(b) >= w(c) on every jump line.
/// Weights may be negative: the sum still never rises.
bool isPagoda(const Pagoda& pagoda, std::uint64_t holes);

/// The pagoda function with weight 1 at `target` whose sum over `marbles` is smallest, by an
/// exact simplex on the dual problem, then made integral (weights scaled) and repaired until it
/// holds exactly. `minimum` gets the real minimum of the sum (below 1: the position cannot end
/// with one marble at `target`).
Pagoda leastPagoda(std::uint64_t holes, int target, std::uint64_t marbles,
                   double* minimum = nullptr);

/// The least sum of `count` or fewer marbles (at least one) on `holes` under `pagoda`: a position
/// whose sum lies below it can never be brought down to `count` marbles.
std::int32_t leastOnFewMarbles(const Pagoda& pagoda, std::uint64_t holes, int count);

/// A pagoda function, weights not below -1 before scaling, that comes as far as it can below
/// the least sum of `count` marbles on `marbles`, found as `leastPagoda` finds its own.
/// `minimum` gets the real gap: below 0, the position cannot be brought down to `count`.
Pagoda leastCountPagoda(std::uint64_t holes, std::uint64_t marbles, int count,
                        double* minimum = nullptr);

/// Up to `perHole` pagoda functions per hole t, each the least one for a position of a seeded
/// random game from `start` that `worthRefuting(position, t)` picks and none found before
/// refutes; at most `triesPerHole` problems are solved per hole. Entry t is empty off the holes.
std::vector<std::vector<Pagoda>>
pagodasForEveryHole(std::uint64_t holes, std::uint64_t start,
                    const std::function<bool(std::uint64_t, int)>& worthRefuting, int perHole,
                    int triesPerHole);

/// Pagoda functions that refute bringing positions down to few marbles: for each count from 1 to
/// `mostCount`, up to `perCount` least ones for `start` and positions of seeded random games
/// from it that none found before refutes, solving at most `triesPerCount` problems per count.
std::vector<Pagoda> pagodasForFewMarbles(std::uint64_t holes, std::uint64_t start, int mostCount,
                                         int perCount, int triesPerCount);

} // namespace marvolen::solver
