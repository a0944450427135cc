#pragma once

#include <cstdint>

#include "methods/MemoryBudget.h"
#include "model/CheckedArray.h"
#include "model/Instance.h"
#include "model/Selection.h"
#include "solver/Solver.h"

namespace knapsack {

// The memo of the dynamic programming: row i belongs to item i, column c to the capacity c. A cell
// whose valid mark is 0 has not been computed yet.
using SelectionTable = CheckedArray<CheckedArray<Selection>>;

// Method 4: exact, by a recursion over (item, remaining capacity) that remembers the best
// selection of every pair it works out. On equal cost taking the item wins, so among equally good
// selections the one with items of higher index is reported.
//
// The table has itemCount x (capacity + 1) cells and every computed cell keeps a whole selection,
// so the memory is charged to a budget as it is taken: when it would run out, the solve ends with
// the out-of-memory failure instead of exhausting the machine.
class DynamicProgrammingSolver : public Solver {
  public:
    // Budgets what this process may take on this machine.
    explicit DynamicProgrammingSolver(Instance instance);
    DynamicProgrammingSolver(Instance instance, MemoryBudget budget);
    ~DynamicProgrammingSolver() override = default;

    void solve() override;

  protected:
    // The best selection of items 0 to item whose weight is at most capacity; computes each cell
    // once and counts one step for it.
    Selection bestFor(int32_t item, int32_t capacity);

    SelectionTable memo;

  private:
    // Sizes the table after charging it to the budget.
    void makeTable(int32_t rows, int64_t columns);

    MemoryBudget budget;
    uint64_t selectionBytes = 0;  // what the storage of one selection of the instance takes
};

}  // namespace knapsack
