#pragma once

#include <cstdint>

#include "methods/ExhaustiveSolver.h"
#include "model/Instance.h"

namespace knapsack {

// Method 3: the exhaustive walk in the same order, which also abandons a branch whose bound (the
// cost so far plus the costs of all items not yet decided) is below the best cost found so far.
// With costs that are never negative it reports the same selection as method 1.
class BranchAndBoundSolver : public ExhaustiveSolver {
  public:
    explicit BranchAndBoundSolver(Instance instance);
    ~BranchAndBoundSolver() override = default;

    void solve() override;

  protected:
    // Decides item level and every item after it, bound being the cost of current plus the costs
    // of items level onwards; counts one step per node it expands.
    void search(int32_t level, int32_t bound);

  private:
    // One node of the walk: one step, then the branch that takes item level and the one that
    // leaves it.
    void expand(int32_t level, int32_t bound);
};

}  // namespace knapsack
