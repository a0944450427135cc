#include "methods/MethodTable.h"

#include <gtest/gtest.h>

#include "model/Instance.h"

namespace knapsack {
namespace {

TEST(MethodTable, EachNumberMakesItsMethod) {
    // One instance on which the five methods differ in their steps.
    const Instance instance("1 4 10 5 10 4 40 6 30 3 50");
    struct Expected {
        int32_t method;
        int32_t steps;
    };
    for (const Expected expected : {Expected{1, 13}, Expected{2, 15}, Expected{3, 10},
                                    Expected{4, 14}, Expected{5, 15 + 4}}) {
        const auto solver = createSolver(expected.method, instance);
        ASSERT_NE(solver, nullptr) << expected.method;
        solver->solve();
        EXPECT_EQ(solver->stepCount(), expected.steps) << expected.method;
        EXPECT_EQ(solver->bestSelection().cost(), 90) << expected.method;
    }
}

TEST(MethodTable, OtherNumbersMakeNoSolver) {
    const Instance instance("1 1 10 1 1");
    for (int32_t number : {0, 6, -1, 2147483647}) {
        EXPECT_EQ(createSolver(number, instance), nullptr) << number;
    }
}

}  // namespace
}  // namespace knapsack
