#include "methods/ExhaustiveSolver.h"

#include <utility>

namespace knapsack {

ExhaustiveSolver::ExhaustiveSolver(Instance instanceToSolve)
    : Solver(instanceToSolve), current(std::move(instanceToSolve)) {}

void ExhaustiveSolver::solve() {
    startClock();
    current.reset();
    best.reset();
    search(0);
    stopClock();
}

void ExhaustiveSolver::search(int32_t level) {
    if (level >= instance.itemCount() || current.isOverweight()) {
        return;
    }
    countStep();
    current.add(level);
    updateBest();
    search(level + 1);
    current.remove(level);
    updateBest();
    search(level + 1);
}

void ExhaustiveSolver::updateBest() {
    if (current.cost() > best.cost() && !current.isOverweight()) {
        best = current;
    }
}

}  // namespace knapsack
