// The five methods on many random instances, against each other and against an independent
// computation of the optimum.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "WorkedExamples.h"
#include "methods/MethodTable.h"
#include "model/Instance.h"

namespace knapsack {
namespace {

struct RandomInstances {
    const char* name;
    int32_t smallestValue;  // of weights and costs alike; the largest is 60
    uint32_t seed;
};

class MethodCrossCheck : public testing::TestWithParam<RandomInstances> {};

std::string randomLine(std::mt19937& random, int32_t id, int32_t smallestValue) {
    std::uniform_int_distribution<int32_t> itemCount(0, 15);
    std::uniform_int_distribution<int32_t> value(smallestValue, 60);
    const int32_t count = itemCount(random);
    std::ostringstream items;
    int32_t weightSum = 0;
    for (int32_t i = 0; i < count; ++i) {
        const int32_t weight = value(random);
        weightSum += weight;
        items << ' ' << weight << ' ' << value(random);
    }
    // From nothing fitting to everything fitting, and now and then more than all the items weigh.
    std::uniform_int_distribution<int32_t> capacity(0, weightSum + 10);
    std::ostringstream line;
    line << id << ' ' << count << ' ' << capacity(random) << items.str();
    return line.str();
}

// The highest cost of a selection that fits, by the textbook table of best costs per capacity.
int32_t optimumOf(const Instance& instance) {
    std::vector<int32_t> bestCost(static_cast<size_t>(instance.capacity()) + 1, 0);
    for (int32_t item = 0; item < instance.itemCount(); ++item) {
        for (int32_t c = instance.capacity(); c >= instance.weightOf(item); --c) {
            bestCost[c] = std::max(bestCost[c],
                                   bestCost[c - instance.weightOf(item)] + instance.costOf(item));
        }
    }
    return bestCost.back();
}

std::unique_ptr<Solver> solved(int32_t method, const Instance& instance) {
    std::unique_ptr<Solver> solver = createSolver(method, instance);
    solver->solve();
    return solver;
}

// The totals of a selection agree with its items, and it fits.
void expectConsistentAndFitting(const Selection& selection, const Instance& instance,
                                int32_t method) {
    int32_t cost = 0;
    int32_t weight = 0;
    for (int32_t item : testing_methods::chosenItems(selection)) {
        cost += instance.costOf(item);
        weight += instance.weightOf(item);
    }
    EXPECT_EQ(selection.cost(), cost) << "method " << method;
    EXPECT_EQ(selection.weight(), weight) << "method " << method;
    EXPECT_LE(weight, instance.capacity()) << "method " << method;
}

TEST_P(MethodCrossCheck, ExactMethodsAgreeOnTheOptimumAndGreedyOnesStayBelowIt) {
    std::mt19937 random(GetParam().seed);
    for (int32_t id = 1; id <= 400; ++id) {
        const std::string line = randomLine(random, id, GetParam().smallestValue);
        SCOPED_TRACE(line);
        const Instance instance(line);
        std::vector<std::unique_ptr<Solver>> byMethod(6);
        for (int32_t method = 1; method <= 5; ++method) {
            byMethod[method] = solved(method, instance);
            expectConsistentAndFitting(byMethod[method]->bestSelection(), instance, method);
        }
        const Solver& exhaustive = *byMethod[1];
        const Solver& greedy = *byMethod[2];
        const Solver& bounded = *byMethod[3];
        const Solver& dynamic = *byMethod[4];
        const Solver& improved = *byMethod[5];

        const int32_t optimum = optimumOf(instance);
        EXPECT_EQ(exhaustive.bestSelection().cost(), optimum);
        EXPECT_EQ(bounded.bestSelection().cost(), optimum);
        EXPECT_EQ(dynamic.bestSelection().cost(), optimum);
        EXPECT_EQ(testing_methods::chosenItems(bounded.bestSelection()),
                  testing_methods::chosenItems(exhaustive.bestSelection()));
        EXPECT_LE(bounded.stepCount(), exhaustive.stepCount());
        EXPECT_LE(dynamic.stepCount(), instance.itemCount() * (instance.capacity() + 1));

        EXPECT_LE(greedy.bestSelection().cost(), optimum);
        EXPECT_LE(improved.bestSelection().cost(), optimum);
        EXPECT_GE(improved.bestSelection().cost(), greedy.bestSelection().cost());
        EXPECT_EQ(improved.stepCount(), greedy.stepCount() + instance.itemCount());
    }
}

INSTANTIATE_TEST_SUITE_P(Methods, MethodCrossCheck,
                         testing::Values(RandomInstances{"PositiveWeightsAndCosts", 1, 20240611},
                                         // Zero weights give infinite ratios, zero over zero a NaN.
                                         RandomInstances{"ZeroWeightsAndCosts", 0, 7}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace knapsack
