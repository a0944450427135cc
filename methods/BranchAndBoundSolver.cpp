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

void BranchAndBoundSolver::search(int32_t level, int32_t bound) {
    // A bound equal to the best cost is still walked: only a strictly higher cost replaces best.
    if (level >= instance.itemCount() || current.isOverweight() || bound < best.cost()) {
        return;
    }
    countStep();
    current.add(level);
    updateBest();
    search(level + 1, bound);
    current.remove(level);
    updateBest();
    search(level + 1, wrappingSubtract(bound, instance.costOf(level)));
}

}  // namespace knapsack
