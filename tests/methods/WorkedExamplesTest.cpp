#include "WorkedExamples.h"

#include <memory>

#include "methods/MethodTable.h"
#include "model/Instance.h"
#include "solver/Solver.h"

namespace knapsack::testing_methods {
namespace {

TEST_P(WorkedExamples, SolveAsWorkedOut) {
    const Example& expected = GetParam().example;
    const std::unique_ptr<Solver> solver = createSolver(GetParam().method, Instance(expected.line));
    ASSERT_NE(solver, nullptr);
    solver->solve();

    const Selection& best = solver->bestSelection();
    EXPECT_EQ(chosenItems(best), expected.chosen);
    EXPECT_EQ(best.cost(), expected.cost);
    EXPECT_EQ(best.weight(), expected.weight);
    EXPECT_EQ(best.chosenCount(), static_cast<int32_t>(expected.chosen.size()));
    EXPECT_EQ(best.valid(), 1);
    EXPECT_EQ(solver->stepCount(), expected.steps);
}

}  // namespace
}  // namespace knapsack::testing_methods
