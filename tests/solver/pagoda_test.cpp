// Pagoda functions: every one found holds on its pattern and refutes only what the brute force
// does.
#include "brute_force.h"
#include "game/variants.h"
#include "solver/pagoda.h"
#include "solver/solver.h"
#include "variant_masks.h"

#include <gtest/gtest.h>

#include <random>

using namespace marvolen;
using namespace marvolen::solver;
using marvolen::test::holesOf;
using marvolen::test::startOf;

namespace {

Mask bit(int position) {
    return Mask{1} << position;
}

std::vector<std::vector<Pagoda>> everyPagoda(int variant) {
    return pagodasForEveryHole(
        holesOf(variant), startOf(variant), [](Mask, int) { return true; }, 4, 12);
}

TEST(SolverPagoda, EveryFunctionFoundHoldsOnItsPattern) {
    for (const int v : {4, 7, 10, 12, 14, 19}) {
        const auto all = everyPagoda(v);
        int count = 0;
        for (int t = 0; t < 49; ++t) {
            if (!(holesOf(v) & bit(t))) {
                EXPECT_TRUE(all[std::size_t(t)].empty()) << v << " " << t;
            }
            for (const Pagoda& pagoda : all[std::size_t(t)]) {
                EXPECT_TRUE(isPagoda(pagoda, holesOf(v))) << v << " " << t;
                EXPECT_GT(pagoda.weights[std::size_t(t)], 0);
                ++count;
            }
        }
        EXPECT_GT(count, 20) << v;
    }
}

TEST(SolverPagoda, CheckRejectsAFunctionAJumpCanRaise) {
    const Mask holes = holesOf(4);
    Pagoda pagoda;
    for (int p = 0; p < 49; ++p)
        pagoda.weights[std::size_t(p)] = (holes & bit(p)) ? 1 : 0;
    EXPECT_TRUE(isPagoda(pagoda, holes));
    pagoda.weights[24] = 3; // 10 over 17 into 24 would raise 1 + 1 to 3
    EXPECT_FALSE(isPagoda(pagoda, holes));
    pagoda.weights[24] = 1;
    pagoda.weights[0] = 1; // not a hole of the cross
    EXPECT_FALSE(isPagoda(pagoda, holes));
}

TEST(SolverPagoda, LeastFunctionMatchesItsRealMinimum) {
    const Mask holes = holesOf(4);
    // A marble already in the target hole: nothing below weight 1 is possible.
    double minimum = -1.0;
    Pagoda pagoda = leastPagoda(holes, 24, bit(24), &minimum);
    EXPECT_NEAR(minimum, 1.0, 1e-9);
    EXPECT_TRUE(isPagoda(pagoda, holes));
    // Two marbles in a corner arm far from the centre cannot bring one into it.
    const Mask corner = bit(2) | bit(3);
    pagoda = leastPagoda(holes, 24, corner, &minimum);
    EXPECT_LT(minimum, 1.0);
    EXPECT_LT(pagoda.valueOf(corner), pagoda.weights[24]);
    // The integral weights keep the real ratio to within the rounding.
    const Mask start = startOf(4);
    pagoda = leastPagoda(holes, 24, start, &minimum);
    EXPECT_NEAR(double(pagoda.valueOf(start)) / pagoda.weights[24], minimum, 0.01);
}

TEST(SolverPagoda, RefutesOnlyEndsTheBruteForceCannotReach) {
    int refuted = 0;
    for (const int v : {0, 4, 9, 13, 19}) {
        test::BruteForce brute(game::variant(v).pattern);
        const auto all = everyPagoda(v);
        Solver solver(holesOf(v), 0);
        std::mt19937 random(std::uint32_t(500 + v));
        for (int game = 0; game < 30; ++game) {
            Mask marbles = startOf(v);
            for (;;) {
                if (std::popcount(marbles) <= 12) {
                    const Mask ends = brute.singleEnds(marbles);
                    for (int t = 0; t < 49; ++t)
                        for (const Pagoda& pagoda : all[std::size_t(t)])
                            if (pagoda.valueOf(marbles) < pagoda.weights[std::size_t(t)]) {
                                ASSERT_FALSE(ends & bit(t)) << v << " " << marbles << " " << t;
                                ++refuted;
                            }
                }
                const auto jumps = solver.legalJumps(marbles);
                if (jumps.empty())
                    break;
                marbles = applyJump(marbles, jumps[random() % jumps.size()]);
            }
        }
    }
    EXPECT_GT(refuted, 1000);
}

TEST(SolverPagoda, FewMarblesBoundsHoldAndNeverPassTheBruteForce) {
    int refuted = 0;
    for (const int v : {0, 2, 4, 9, 10, 12, 13}) {
        const Mask holes = holesOf(v);
        const auto pagodas = pagodasForFewMarbles(holes, startOf(v), 8, 3, 8);
        for (const Pagoda& pagoda : pagodas)
            ASSERT_TRUE(isPagoda(pagoda, holes)) << v;
        test::BruteForce brute(game::variant(v).pattern);
        Solver solver(holes, 0);
        std::mt19937 random(std::uint32_t(900 + v));
        for (int game = 0; game < 30; ++game) {
            Mask marbles = startOf(v);
            for (;;) {
                if (std::popcount(marbles) <= 12) {
                    const int fewest = brute.fewest(marbles);
                    for (const Pagoda& pagoda : pagodas)
                        for (int count = 1; count < fewest + 3; ++count)
                            if (pagoda.valueOf(marbles) < leastOnFewMarbles(pagoda, holes, count)) {
                                ASSERT_LT(count, fewest) << v << " " << marbles;
                                ++refuted;
                            }
                }
                const auto jumps = solver.legalJumps(marbles);
                if (jumps.empty())
                    break;
                marbles = applyJump(marbles, jumps[random() % jumps.size()]);
            }
        }
    }
    EXPECT_GT(refuted, 100);
}

TEST(SolverPagoda, LeastSumOfFewMarblesTakesTheMostNegativeWeights) {
    const Mask holes = bit(0) | bit(1) | bit(2) | bit(3);
    Pagoda pagoda;
    pagoda.weights[0] = 5;
    pagoda.weights[1] = -2;
    pagoda.weights[2] = -7;
    pagoda.weights[3] = 1;
    EXPECT_EQ(leastOnFewMarbles(pagoda, holes, 1), -7);
    EXPECT_EQ(leastOnFewMarbles(pagoda, holes, 2), -9);
    EXPECT_EQ(leastOnFewMarbles(pagoda, holes, 4), -9); // more marbles only add weight
    pagoda.weights[1] = 2;
    pagoda.weights[2] = 3;
    EXPECT_EQ(leastOnFewMarbles(pagoda, holes, 3), 1); // at least one marble stays
}

TEST(SolverPagoda, TwelveHoleCrossStartCannotComeDownToThreeMarbles) {
    // Variant 12's twelve dead-end holes: a pagoda function alone proves four marbles stay.
    double gap = 0.0;
    const Pagoda pagoda = leastCountPagoda(holesOf(12), startOf(12), 3, &gap);
    EXPECT_LT(gap, 0.0);
    EXPECT_TRUE(isPagoda(pagoda, holesOf(12)));
    EXPECT_LT(pagoda.valueOf(startOf(12)), leastOnFewMarbles(pagoda, holesOf(12), 3));
    EXPECT_EQ(Solver(holesOf(12), 0).staticLowerBound(startOf(12)), 4);
}

} // namespace
