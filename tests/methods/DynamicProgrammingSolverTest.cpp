#include "methods/DynamicProgrammingSolver.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>

#include "WorkedExamples.h"
#include "methods/MemoryBudget.h"
#include "model/FailureText.h"
#include "model/Instance.h"

namespace knapsack::testing_methods {
namespace {

using knapsack::testing_failure::failureText;

constexpr uint64_t kGibibyte = uint64_t{1} << 30;

// One step per cell (item, capacity) reached from (last item, capacity).
INSTANTIATE_TEST_SUITE_P(
    DynamicProgrammingSolver, WorkedExamples,
    examplesOf(
        4, {Example{"NoItems", "1 0 10", {}, 0, 0, 0},
            Example{"NoItemsAndNegativeCapacity", "1 0 -5", {}, 0, 0, 0},
            // Not even the empty selection fits: nothing is chosen, and no table is made.
            Example{"NegativeCapacity", "1 2 -1 1 5 2 6", {}, 0, 0, 0},
            Example{"CapacityZeroTakesWeightlessItems", "1 2 0 0 5 1 7", {0}, 5, 0, 2},
            Example{"MixedItems", "1 4 10 5 10 4 40 6 30 3 50", {1, 3}, 90, 7, 14},
            Example{"EqualItemsLastWins", "1 2 1 1 5 1 5", {1}, 5, 1, 3},
            Example{"SingleBeforePairOfEqualCost", "1 3 4 2 6 2 6 4 12", {2}, 12, 4, 6},
            // Item 0 is heavier than both capacities asked of it: only its selection without it.
            Example{"ItemHeavierThanTheCapacity", "1 2 3 5 100 2 1", {1}, 1, 2, 3},
            // Asking for item 0 at capacity 3 - (-2) = 5 is the base case: no cell is touched.
            // Item 0 is asked for at capacities 10 and 9 from (1, 10), and at 9 and 8 from (1, 9):
            // 1 + 2 + 3 cells, cell (0, 9) computed once.
            Example{"ACellReachedTwiceIsComputedOnce", "1 3 10 1 4 1 5 1 6", {0, 1, 2}, 15, 3, 6},
            Example{"NegativeWeightOfTheFirstItem", "1 1 3 -2 5", {0}, 5, -2, 1}}),
    exampleName);

TEST(DynamicProgrammingSolver, ANegativeWeightAskingPastTheCapacityIsOutOfBounds) {
    // Item 1 of weight -2 asks for item 0 at capacity 5, beyond the table's columns 0 to 3.
    DynamicProgrammingSolver solver(Instance("1 2 3 1 1 -2 5"));
    EXPECT_EQ(failureText([&] { solver.solve(); }), "index out of bounds");
    EXPECT_EQ(solver.bestSelection().chosenCount(), 0);
}

TEST(DynamicProgrammingSolver, SolvingAgainStartsFromScratch) {
    DynamicProgrammingSolver solver(Instance("1 4 10 5 10 4 40 6 30 3 50"));
    solver.solve();
    solver.solve();
    EXPECT_EQ(solver.stepCount(), 14);
    EXPECT_EQ(solver.bestSelection().cost(), 90);
}

// The memory of the table and of the computed cells is charged to a budget before it is taken.

TEST(DynamicProgrammingMemory, ABudgetOfNothingRefusesTheTable) {
    DynamicProgrammingSolver solver(Instance("1 2 10 1 4 2 5"), MemoryBudget(0));
    EXPECT_EQ(failureText([&] { solver.solve(); }), "Nedostatek pameti");
    EXPECT_EQ(solver.bestSelection().chosenCount(), 0);
}

TEST(DynamicProgrammingMemory, InstancesWithoutATableNeedNoMemory) {
    for (const char* line : {"1 0 10", "1 2 -3 1 4 2 5"}) {
        DynamicProgrammingSolver solver((Instance(line)), MemoryBudget(0));
        solver.solve();
        EXPECT_EQ(solver.bestSelection().cost(), 0) << line;
        EXPECT_EQ(solver.stepCount(), 0) << line;
    }
}

TEST(DynamicProgrammingMemory, AnAmpleBudgetChangesNothing) {
    DynamicProgrammingSolver solver(Instance("1 4 10 5 10 4 40 6 30 3 50"),
                                    MemoryBudget(kGibibyte));
    solver.solve();
    EXPECT_EQ(solver.bestSelection().cost(), 90);
    EXPECT_EQ(solver.stepCount(), 14);
}

TEST(DynamicProgrammingMemory, MemoryTakenByOthersDuringTheSolveEndsIt) {
    // 40 items of weight 1 and capacity 40: a small table, then 820 cells of 40 items each. The
    // probe allows plenty for the table, then nothing once the cells have taken 16 KiB more.
    std::string line = "1 40 40";
    for (int i = 0; i < 40; ++i) {
        line += " 1 1";
    }
    int probes = 0;
    MemoryBudget budget(
        [&probes] {
            ++probes;
            return probes == 1 ? kGibibyte : 0;
        },
        16 * 1024);
    DynamicProgrammingSolver solver((Instance(line)), std::move(budget));
    EXPECT_EQ(failureText([&] { solver.solve(); }), "Nedostatek pameti");
    EXPECT_EQ(probes, 2);
    EXPECT_GT(solver.stepCount(), 0);
    EXPECT_EQ(solver.bestSelection().chosenCount(), 0);
}

// A table of 3 x 2,000,000,001 cells needs hundreds of gigabytes, more than this machine has;
// the cell count must not overflow on the way, and nothing is allocated before the refusal.
TEST(DynamicProgrammingMemory, AHugeCapacityIsRefusedBeforeAnythingIsTaken) {
    for (const char* line : {"1 3 2000000000 1 1 2 2 3 3", "1 1 2147483647 1 1"}) {
        DynamicProgrammingSolver solver((Instance(line)));
        EXPECT_EQ(failureText([&] { solver.solve(); }), "Nedostatek pameti") << line;
    }
}

}  // namespace
}  // namespace knapsack::testing_methods
