#include "methods/ImprovedGreedySolver.h"

#include <utility>

#include "model/Selection.h"

namespace knapsack {

ImprovedGreedySolver::ImprovedGreedySolver(Instance instanceToSolve)
    : RatioGreedySolver(std::move(instanceToSolve)) {}

void ImprovedGreedySolver::solve() {
    RatioGreedySolver::solve();
    // An instance without items has no single item to try.
    if (instance.itemCount() > 0) {
        const int32_t item = mostCostlyItem();
        Selection candidate(instance);
        candidate.add(item);
        if (candidate.isOverweight()) {
            candidate.remove(item);
        }
        if (candidate.cost() > best.cost()) {
            best = candidate;
        }
    }
    // The second reading replaces the greedy's, so the time covers both phases.
    stopClock();
}

int32_t ImprovedGreedySolver::mostCostlyItem() {
    int32_t item = 0;
    int32_t highestCost = 0;
    for (int32_t i = 0; i < instance.itemCount(); ++i) {
        countStep();
        if (instance.costOf(i) > highestCost) {
            highestCost = instance.costOf(i);
            item = i;
        }
    }
    return item;
}

}  // namespace knapsack
