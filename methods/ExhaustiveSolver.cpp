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

// search holds only the tests that end a branch. Being small, it is inlined at both calls in
// expand, and since most calls end at once (past the last item, or overweight) they then cost no
// call at all; expand is kept out of line so that this does not turn around.
void ExhaustiveSolver::search(int32_t level) {
    if (level >= instance.itemCount() || current.isOverweight()) {
        return;
    }
    expand(level);
}

[[gnu::noinline]] void ExhaustiveSolver::expand(int32_t level) {
    countStep();
    current.add(level);
    updateBest();
    search(level + 1);
    current.remove(level);
    updateBest();
    search(level + 1);
}

// Out of line and cold, so that the copy does not crowd the search's code. best has the storage
// of current's size already, and the assignment reuses it.
[[gnu::cold, gnu::noinline]] void ExhaustiveSolver::replaceBest() {
    best = current;
}

}  // namespace knapsack
