#include "methods/RatioGreedySolver.h"

#include <utility>

namespace knapsack {

RatioGreedySolver::RatioGreedySolver(Instance instanceToSolve)
    : Solver(instanceToSolve), current(std::move(instanceToSolve)) {}

void RatioGreedySolver::solve() {
    startClock();
    current.reset();
    while (current.chosenCount() < instance.itemCount()) {
        countStep();
        const int32_t item = pickBestRatio();
        // The pick falls back on item 0 when nothing unchosen is worth taking; when item 0 is
        // already in, the greedy has nothing more to add and ends as if the pick did not fit.
        if (current.contains(item) != 0) {
            break;
        }
        current.add(item);
        if (current.isOverweight()) {
            current.remove(item);
            break;
        }
    }
    best = current;
    stopClock();
}

int32_t RatioGreedySolver::pickBestRatio() {
    int32_t picked = 0;
    float bestRatio = 0.0F;
    for (int32_t i = 0; i < instance.itemCount(); ++i) {
        countStep();
        if (current.contains(i) != 0) {
            continue;
        }
        // A NaN (zero cost over zero weight) compares false and so never wins.
        const float ratio = ratioOf(i);
        if (ratio > bestRatio) {
            bestRatio = ratio;
            picked = i;
        }
    }
    return picked;
}

float RatioGreedySolver::ratioOf(int32_t item) const {
    // The cost is rounded to single precision first and the quotient formed in double precision;
    // a zero weight gives an infinity or a NaN.
    const double quotient =
        static_cast<double>(static_cast<float>(instance.costOf(item))) / instance.weightOf(item);
    return static_cast<float>(quotient);
}

}  // namespace knapsack
