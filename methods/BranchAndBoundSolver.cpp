#include "methods/BranchAndBoundSolver.h"

#include <utility>

#include "model/Wrapping.h"

namespace knapsack {

BranchAndBoundSolver::BranchAndBoundSolver(Instance instanceToSolve)
    : ExhaustiveSolver(std::move(instanceToSolve)) {}

void BranchAndBoundSolver::solve() {
    startClock();
    current.reset();
    best.reset();
    search(0, instance.costSum());
    stopClock();
}

// As in the exhaustive search, only the tests are here, so that they are inlined where expand
// calls search and a branch that is cut costs no call.
void BranchAndBoundSolver::search(int32_t level, int32_t bound) {
    // A bound equal to the best cost is still walked: only a strictly higher cost replaces best.
    if (level >= instance.itemCount() || current.isOverweight() || bound < best.cost()) {
        return;
    }
    expand(level, bound);
}

[[gnu::noinline]] void BranchAndBoundSolver::expand(int32_t level, int32_t bound) {
    countStep();
    current.add(level);
    updateBest();
    search(level + 1, bound);
    current.remove(level);
    updateBest();
    search(level + 1, wrappingSubtract(bound, instance.costOf(level)));
}

}  // namespace knapsack
