#include "methods/BranchAndBoundSolver.h"

#include <gtest/gtest.h>

#include "WorkedExamples.h"
#include "methods/ExhaustiveSolver.h"
#include "model/Instance.h"

namespace knapsack::testing_methods {
namespace {

INSTANTIATE_TEST_SUITE_P(
    BranchAndBoundSolver, WorkedExamples,
    examplesOf(
        3,
        {Example{"NoItems", "1 0 10", {}, 0, 0, 0},
         Example{"NegativeCapacity", "1 2 -1 1 5 2 6", {}, 0, 0, 0},
         // After all three are taken every branch that leaves one is cut (the search walks 7).
         Example{"AllFit", "1 3 100 10 1 20 2 30 3", {0, 1, 2}, 6, 60, 3},
         Example{"MixedItems", "1 4 10 5 10 4 40 6 30 3 50", {1, 3}, 90, 7, 10},
         // A bound equal to the best cost is still walked, and the first of equals stays.
         Example{"EqualItemsFirstWins", "1 2 1 1 5 1 5", {0}, 5, 1, 3},
         Example{"PairBeforeSingleOfEqualCost", "1 3 4 2 6 2 6 4 12", {0, 1}, 12, 4, 7},
         // Bound 16 at the start; leaving item 0 leaves the bound 6, below the best 10, so the
         // better item 1 is never met.
         Example{"NegativeCostsMakeTheBoundCutTooEarly", "1 3 1 1 10 1 11 1 -5", {0}, 10, 1, 2}}),
    exampleName);

TEST(BranchAndBoundSolver, NeverTakesMoreStepsThanTheSearchItShortens) {
    // Costs that rise with the weights, so many selections come close to the best.
    const Instance instance("1 6 10 2 3 3 4 4 5 5 6 6 7 2 3");
    ExhaustiveSolver exhaustive(instance);
    BranchAndBoundSolver bounded(instance);
    exhaustive.solve();
    bounded.solve();
    EXPECT_EQ(chosenItems(bounded.bestSelection()), chosenItems(exhaustive.bestSelection()));
    EXPECT_LT(bounded.stepCount(), exhaustive.stepCount());
}

TEST(BranchAndBoundSolver, SolvingAgainStartsFromScratch) {
    BranchAndBoundSolver solver(Instance("1 4 10 5 10 4 40 6 30 3 50"));
    solver.solve();
    solver.solve();
    EXPECT_EQ(solver.stepCount(), 10);
    EXPECT_EQ(solver.bestSelection().cost(), 90);
}

}  // namespace
}  // namespace knapsack::testing_methods
