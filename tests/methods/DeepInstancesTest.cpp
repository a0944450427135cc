// Instances that make the recursive methods go one level deeper per item, solved by the solver
// program as a user runs it.

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>

#include "support/ProgramRun.h"
#include "support/TempDir.h"

namespace {

using testing_support::ProgramResult;
using testing_support::readFile;

// Items of weight 1 and cost 1 with capacity 0: no item fits, and both searches walk down the
// branch that leaves every item, one level and one step per item. The dynamic programming
// computes the one cell of capacity 0 in every row.
std::string deepLine(int32_t itemCount) {
    std::string line = "1 " + std::to_string(itemCount) + " 0";
    for (int32_t i = 0; i < itemCount; ++i) {
        line += " 1 1";
    }
    return line + "\n";
}

class DeepInstances : public testing::Test {
  protected:
    ProgramResult solve(const std::string& line, const std::string& method) {
        testing_support::writeFile(directory.file("in.txt"), line);
        return testing_support::runProgram(
            SOLVER_PROGRAM,
            {directory.file("in.txt"), solution, cost, directory.file("statistics.txt"), method});
    }

    void expectEmptyAnswerAfterSteps(const ProgramResult& result, int32_t steps) {
        EXPECT_EQ(result.signal, 0);
        EXPECT_EQ(result.exitStatus, 0);
        EXPECT_EQ(result.standardOutput, "");
        EXPECT_EQ(readFile(cost), "1 0 " + std::to_string(steps) + "\n");
    }

    testing_support::TempDir directory;
    const std::string solution = directory.file("solution.txt");
    const std::string cost = directory.file("cost.txt");
};

TEST_F(DeepInstances, BranchAndBoundGoesAMillionLevelsDeep) {
    expectEmptyAnswerAfterSteps(solve(deepLine(1000000), "3"), 1000000);
}

// Every computed cell keeps a selection of all the items, so the memory grows with the square of
// the item count: 2,000 items take about a hundred megabytes.
TEST_F(DeepInstances, DynamicProgrammingGoesThousandsOfLevelsDeep) {
    expectEmptyAnswerAfterSteps(solve(deepLine(2000), "4"), 2000);
    EXPECT_EQ(readFile(solution).size(), std::string("1 2000 0 ").size() + 2 * 2000 + 1);
}

// 200,000 cells of 200,000 items each would take hundreds of gigabytes: the method stops with
// the out-of-memory failure long before, rather than being killed.
TEST_F(DeepInstances, DynamicProgrammingOfSoManyItemsRunsOutOfMemoryCleanly) {
    const ProgramResult result = solve("1 1 5 1 1\n" + deepLine(200000), "4");
    EXPECT_EQ(result.signal, 0);
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.standardOutput, "Exception : Nedostatek pameti \n");
    EXPECT_EQ(readFile(cost), "1 1 1\n");  // the line before is kept
}

TEST_F(DeepInstances, HugeCapacitiesRunOutOfMemoryCleanly) {
    for (const char* line : {"1 3 2000000000 1 1 2 2 3 3\n", "1 2 2147483647 5 5 6 6\n"}) {
        const ProgramResult result = solve(line, "4");
        EXPECT_EQ(result.signal, 0) << line;
        EXPECT_EQ(result.exitStatus, 1) << line;
        EXPECT_EQ(result.standardOutput, "Exception : Nedostatek pameti \n") << line;
    }
}

}  // namespace
