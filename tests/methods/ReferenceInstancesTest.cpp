// Published instances with known optima (tests/data/reference): the exact methods must reach the
// optimum exactly and the greedy ones never exceed it.

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "methods/MethodTable.h"
#include "model/Instance.h"
#include "support/ProgramRun.h"
#include "support/TempDir.h"

namespace knapsack {
namespace {

const std::string kReferenceData = std::string(KNAPSACK_TEST_DATA) + "/reference/";

struct ReferenceInstance {
    int32_t id = 0;
    std::string line;
    int32_t optimum = 0;
};

// The optimum column of optima.tsv, by instance id.
std::map<int32_t, int32_t> readOptima() {
    std::ifstream table(kReferenceData + "optima.tsv");
    std::string row;
    std::getline(table, row);  // the header
    std::map<int32_t, int32_t> optima;
    while (std::getline(table, row)) {
        std::istringstream fields(row);
        std::string id, name, itemCount, capacity, statedOptimum, verifiedOptimum;
        std::getline(fields, id, '\t');
        std::getline(fields, name, '\t');
        std::getline(fields, itemCount, '\t');
        std::getline(fields, capacity, '\t');
        std::getline(fields, statedOptimum, '\t');
        std::getline(fields, verifiedOptimum, '\t');
        optima[std::stoi(id)] = std::stoi(verifiedOptimum);
    }
    return optima;
}

std::vector<ReferenceInstance> readReferenceInstances() {
    const std::map<int32_t, int32_t> optima = readOptima();
    std::ifstream file(kReferenceData + "instances.txt");
    std::vector<ReferenceInstance> instances;
    for (std::string line; std::getline(file, line);) {
        const int32_t id = Instance(line).id();
        instances.push_back({id, line, optima.at(id)});
    }
    return instances;
}

// Exhaustive search cannot finish 50 items or more in any useful time.
constexpr int32_t kExhaustiveItemLimit = 50;
// Branch and bound takes about a billion steps on instance 13 and far more on instance 14.
bool takesBranchAndBoundTooLong(int32_t id) {
    return id == 13 || id == 14;
}
// Beyond this capacity the dynamic programming's table takes gigabytes.
constexpr int32_t kDynamicProgrammingCapacityLimit = 1000000;

class ReferenceInstances : public testing::TestWithParam<ReferenceInstance> {};

int32_t costBy(int32_t method, const Instance& instance) {
    const auto solver = createSolver(method, instance);
    solver->solve();
    EXPECT_FALSE(solver->bestSelection().isOverweight()) << "method " << method;
    return solver->bestSelection().cost();
}

TEST_P(ReferenceInstances, ExactMethodsReachTheKnownOptimum) {
    const Instance instance(GetParam().line);
    if (instance.itemCount() < kExhaustiveItemLimit) {
        EXPECT_EQ(costBy(1, instance), GetParam().optimum);
    }
    if (!takesBranchAndBoundTooLong(GetParam().id)) {
        EXPECT_EQ(costBy(3, instance), GetParam().optimum);
    }
    if (instance.capacity() <= kDynamicProgrammingCapacityLimit) {
        EXPECT_EQ(costBy(4, instance), GetParam().optimum);
    }
}

TEST_P(ReferenceInstances, GreedyMethodsNeverExceedIt) {
    const Instance instance(GetParam().line);
    const int32_t greedy = costBy(2, instance);
    const int32_t improved = costBy(5, instance);
    EXPECT_LE(greedy, GetParam().optimum);
    EXPECT_LE(improved, GetParam().optimum);
    EXPECT_GE(improved, greedy);
}

INSTANTIATE_TEST_SUITE_P(Published, ReferenceInstances, testing::ValuesIn(readReferenceInstances()),
                         [](const auto& info) { return "Id" + std::to_string(info.param.id); });

TEST(ReferenceInstanceFiles, HoldEveryPublishedInstance) {
    EXPECT_EQ(readReferenceInstances().size(), 29u);
}

// The instances left out above, which take minutes or most of the machine's memory: they run
// only when asked for (see the README).

ReferenceInstance referenceInstance(int32_t id) {
    for (const ReferenceInstance& reference : readReferenceInstances()) {
        if (reference.id == id) {
            return reference;
        }
    }
    throw std::runtime_error("no reference instance " + std::to_string(id));
}

TEST(LongReferenceInstances, DISABLED_BranchAndBoundReachesTheOptimumOfInstance13) {
    const ReferenceInstance reference = referenceInstance(13);
    EXPECT_EQ(costBy(3, Instance(reference.line)), reference.optimum);
}

// Instances 10 and 14 have capacities of millions: the table of selections needs about 10 GB and
// 35 GB. The solver program must answer the optimum or end with the out-of-memory failure, never
// crash or be killed.
TEST(LongReferenceInstances, DISABLED_DynamicProgrammingAnswersOrRunsOutOfMemoryCleanly) {
    for (const ReferenceInstance& reference : {referenceInstance(10), referenceInstance(14)}) {
        SCOPED_TRACE("instance " + std::to_string(reference.id));
        testing_support::TempDir directory;
        testing_support::writeFile(directory.file("in.txt"), reference.line + "\n");
        const testing_support::ProgramResult result = testing_support::runProgram(
            SOLVER_PROGRAM, {directory.file("in.txt"), directory.file("solution.txt"),
                             directory.file("cost.txt"), directory.file("statistics.txt"), "4"});
        EXPECT_EQ(result.signal, 0);
        EXPECT_EQ(result.standardError, "");
        if (result.exitStatus == 0) {
            std::istringstream costLine(testing_support::readFile(directory.file("cost.txt")));
            int32_t id = 0;
            int32_t cost = 0;
            costLine >> id >> cost;
            EXPECT_EQ(cost, reference.optimum);
        } else {
            EXPECT_EQ(result.exitStatus, 1);
            EXPECT_EQ(result.standardOutput, "Exception : Nedostatek pameti \n");
        }
    }
}

}  // namespace
}  // namespace knapsack
