#include "methods/ImprovedGreedySolver.h"

#include <gtest/gtest.h>

#include "WorkedExamples.h"
#include "model/Instance.h"

namespace knapsack::testing_methods {
namespace {

// The steps are the greedy's, then one per item in the search for the most costly one.
INSTANTIATE_TEST_SUITE_P(
    ImprovedGreedySolver, WorkedExamples,
    examplesOf(
        5,
        {// Without items there is nothing to try alone: the empty selection, no failure.
         Example{"NoItems", "1 0 10", {}, 0, 0, 0},
         Example{"MostCostlyItemWins", "1 2 10 1 2 10 15", {1}, 15, 10, 6 + 2},
         // The most costly item does not fit alone, so the candidate is empty.
         Example{"MostCostlyItemTooHeavy", "1 3 5 6 100 1 1 1 1", {}, 0, 0, 4 + 3},
         // Items 1 and 2 tie; only the first is tried, and it does not fit.
         Example{"OnlyTheFirstMostCostlyItemIsTried", "1 3 5 1 2 6 10 5 10", {0}, 2, 1, 8 + 3},
         Example{"SinglePrecisionTieOfTheGreedy",
                 "1 2 1 1 16777216 1 16777217",
                 {1},
                 16777217,
                 1,
                 6 + 2},
         // The greedy's items 1 and 2 cost as much as item 0 alone: the greedy's stay.
         Example{"EqualCostKeepsTheGreedy", "1 3 5 5 10 1 6 1 4", {1, 2}, 10, 2, 12 + 3},
         // A negative weight gives the negative cost a positive ratio, so the greedy ends below 0;
         // the most costly item does not fit, and its empty candidate (cost 0) is better.
         Example{"EmptyCandidateBeatsANegativeGreedy", "1 2 10 -1 -5 20 1", {}, 0, 0, 6 + 2}}),
    exampleName);

}  // namespace
}  // namespace knapsack::testing_methods
