#pragma once

#include <cstdint>

#include "model/Instance.h"
#include "model/Selection.h"
#include "solver/Solver.h"

namespace knapsack {

// Method 2: takes again and again the unchosen item of the highest cost-to-weight ratio, and
// stops for good at the first item that does not fit. Ratios are single-precision; among equal
// ratios the lowest index wins.
class RatioGreedySolver : public Solver {
  public:
    explicit RatioGreedySolver(Instance instance);
    ~RatioGreedySolver() override = default;

    void solve() override;

  protected:
    // The unchosen item of the highest ratio above 0.0, or item 0 (chosen or not) when no
    // unchosen item has one; counts one step per item examined.
    int32_t pickBestRatio();

    Selection current;

  private:
    float ratioOf(int32_t item) const;
};

}  // namespace knapsack
