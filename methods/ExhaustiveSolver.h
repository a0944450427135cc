#pragma once

#include <cstdint>

#include "model/Instance.h"
#include "model/Selection.h"
#include "solver/Solver.h"

namespace knapsack {

// Method 1: a depth-first walk over taking or leaving each item in index order, abandoning a
// branch once its selection is overweight. Exact when no weight is negative; among selections of
// equal cost the first one met (taking before leaving) wins.
class ExhaustiveSolver : public Solver {
  public:
    explicit ExhaustiveSolver(Instance instance);
    ~ExhaustiveSolver() override = default;

    void solve() override;

  protected:
    // Decides item level and every item after it; counts one step per node it expands.
    void search(int32_t level);
    // Copies current to best when it costs strictly more and is not overweight. Runs twice per
    // step, and best improves rarely, so only the tests are inline.
    void updateBest() {
        if (current.cost() > best.cost() && !current.isOverweight()) [[unlikely]] {
            replaceBest();
        }
    }

    Selection current;

  private:
    // One node of the walk: one step, then the branch that takes item level and the one that
    // leaves it.
    void expand(int32_t level);
    void replaceBest();
};

}  // namespace knapsack
