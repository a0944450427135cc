#include "methods/RatioGreedySolver.h"

#include <gtest/gtest.h>

#include "WorkedExamples.h"
#include "model/Instance.h"

namespace knapsack::testing_methods {
namespace {

// Items are (weight, cost) pairs after id, item count and capacity. Every pass counts one step
// plus one per item.
INSTANTIATE_TEST_SUITE_P(
    RatioGreedySolver, WorkedExamples,
    examplesOf(
        2, {Example{"NoItems", "1 0 10", {}, 0, 0, 0},
            // Ratios 2, 10, 5, 16.67: items 3, 1, then 2, which weighs too much.
            Example{"MixedItems", "1 4 10 5 10 4 40 6 30 3 50", {1, 3}, 90, 7, 15},
            // It never skips a heavy item to try a lighter one.
            Example{"FirstPickTooHeavy", "1 3 5 6 100 1 1 1 1", {}, 0, 0, 4},
            Example{"EqualRatiosLowestIndexFirst", "1 3 4 2 6 2 6 4 12", {0, 1}, 12, 4, 12},
            Example{"AllFit", "1 3 100 10 1 20 2 30 3", {0, 1, 2}, 6, 60, 12},
            // 2^24 and 2^24 + 1 are the same single-precision number.
            Example{"SinglePrecisionRatios", "1 2 1 1 16777216 1 16777217", {0}, 16777216, 1, 6},
            // A positive cost over weight 0 is an infinite ratio and goes first.
            Example{"ZeroWeightFirst", "1 3 10 5 50 0 1 3 30", {0, 1, 2}, 81, 8, 12},
            // 0 over 0 is NaN and never wins; with nothing else above 0.0 the pick falls on item 0.
            Example{"NanRatioFallsBackToItemZero", "1 2 10 0 0 2 4", {0, 1}, 4, 2, 6},
            Example{"NegativeRatioFallsBackToItemZero", "1 2 10 2 -4 3 6", {0, 1}, 2, 5, 6},
            // Item 0 goes first; then only a ratio of 0.0 is left and the pick falls on item 0,
            // already chosen: the greedy ends there with what it has.
            Example{"FallbackOnAChosenItemEndsTheGreedy", "1 2 10 0 5 3 0", {0}, 5, 0, 6},
            Example{"WeightEqualToCapacityFits", "1 2 7 3 9 4 8", {0, 1}, 17, 7, 6}}),
    exampleName);

TEST(RatioGreedySolver, SolvingAgainStartsFromScratch) {
    RatioGreedySolver solver(Instance("1 4 10 5 10 4 40 6 30 3 50"));
    solver.solve();
    solver.solve();
    EXPECT_EQ(solver.stepCount(), 15);
    EXPECT_EQ(chosenItems(solver.bestSelection()), (std::vector<int32_t>{1, 3}));
}

}  // namespace
}  // namespace knapsack::testing_methods
