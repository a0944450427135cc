#include "methods/ExhaustiveSolver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/Instance.h"

namespace knapsack {
namespace {

struct SearchCase {
    const char* name;
    const char* line;
    std::vector<int> chosen;  // the items expected in best, in index order
    int32_t cost;
    int32_t weight;
    int32_t steps;
};

std::vector<int> chosenItems(const Selection& selection, int32_t itemCount) {
    std::vector<int> items;
    for (int32_t i = 0; i < itemCount; ++i) {
        if (selection.contains(i) != 0) {
            items.push_back(i);
        }
    }
    return items;
}

class ExhaustiveSearchCases : public testing::TestWithParam<SearchCase> {};

TEST_P(ExhaustiveSearchCases, FindsTheFirstBestSelectionWithTheExactStepCount) {
    const SearchCase& expected = GetParam();
    const Instance instance(expected.line);
    ExhaustiveSolver solver(instance);
    solver.solve();

    const Selection& best = solver.bestSelection();
    EXPECT_EQ(chosenItems(best, instance.itemCount()), expected.chosen);
    EXPECT_EQ(best.cost(), expected.cost);
    EXPECT_EQ(best.weight(), expected.weight);
    EXPECT_EQ(best.chosenCount(), static_cast<int32_t>(expected.chosen.size()));
    EXPECT_EQ(solver.stepCount(), expected.steps);
}

INSTANTIATE_TEST_SUITE_P(
    ExhaustiveSolver, ExhaustiveSearchCases,
    testing::Values(SearchCase{"NoItems", "1 0 10", {}, 0, 0, 0},
                    SearchCase{"NegativeCapacity", "1 2 -1 1 5 2 6", {}, 0, 0, 0},
                    SearchCase{"AllFit", "1 3 100 10 1 20 2 30 3", {0, 1, 2}, 6, 60, 7},
                    SearchCase{"MixedItems", "1 4 10 5 10 4 40 6 30 3 50", {1, 3}, 90, 7, 13},
                    SearchCase{"EqualItemsFirstWins", "1 2 1 1 5 1 5", {0}, 5, 1, 3},
                    SearchCase{
                        "PairBeforeSingleOfEqualCost", "1 3 4 2 6 2 6 4 12", {0, 1}, 12, 4, 7},
                    SearchCase{"CostsNotPositive", "1 3 100 1 0 2 -3 3 0", {}, 0, 0, 7},
                    // Weight equal to the capacity fits; one more does not.
                    SearchCase{"ExactFit", "1 2 5 5 9 6 20", {0}, 9, 5, 3},
                    // A negative weight lowers the running weight, so a later heavy item fits.
                    SearchCase{"NegativeWeight", "1 2 3 -2 1 5 7", {0, 1}, 8, 3, 3}),
    [](const testing::TestParamInfo<SearchCase>& info) { return std::string(info.param.name); });

TEST(ExhaustiveSolver, StepsCountOnlyTheNodesWhoseSelectionFits) {
    // Capacity 2, weights 1, 2, 2. Level 0: {}; level 1: {0}, {}; level 2: {0}, {1}, {}, while
    // {0,1} weighs 3 and counts nothing: 6 steps. Among the one-item selections of cost 1, {0}
    // comes first.
    ExhaustiveSolver solver(Instance("1 3 2 1 1 2 1 2 1"));
    solver.solve();
    EXPECT_EQ(solver.stepCount(), 6);
    EXPECT_EQ(chosenItems(solver.bestSelection(), 3), std::vector<int>{0});
}

TEST(ExhaustiveSolver, SolvingAgainStartsFromScratch) {
    ExhaustiveSolver solver(Instance("1 3 100 10 1 20 2 30 3"));
    solver.solve();
    solver.solve();
    EXPECT_EQ(solver.stepCount(), 7);
    EXPECT_EQ(solver.bestSelection().cost(), 6);
    EXPECT_EQ(solver.bestSelection().chosenCount(), 3);
}

TEST(ExhaustiveSolver, ItemsThatAllFitVisitEveryNodeOfTheTree) {
    std::string line = "1 20 1000";
    for (int i = 0; i < 20; ++i) {
        line += " 1 1";
    }
    ExhaustiveSolver solver((Instance(line)));
    solver.solve();
    EXPECT_EQ(solver.stepCount(), (1 << 20) - 1);
    EXPECT_EQ(solver.bestSelection().cost(), 20);
}

}  // namespace
}  // namespace knapsack
