#pragma once

#include <cstdint>

#include "methods/RatioGreedySolver.h"
#include "model/Instance.h"

namespace knapsack {

// Method 5: the ratio greedy, then the single most costly item on its own when it fits and is
// worth strictly more than the greedy's whole selection.
class ImprovedGreedySolver : public RatioGreedySolver {
  public:
    explicit ImprovedGreedySolver(Instance instance);
    ~ImprovedGreedySolver() override = default;

    void solve() override;

  private:
    // The first item of the highest cost above 0, or item 0; counts one step per item.
    int32_t mostCostlyItem();
};

}  // namespace knapsack
