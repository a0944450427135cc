#include "methods/DynamicProgrammingSolver.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "model/Failure.h"
#include "model/Wrapping.h"

namespace knapsack {

namespace {

// What the C library's allocator takes for a block of the given size: a header, a granularity of
// 16 bytes, and at least 32 bytes.
uint64_t blockBytes(uint64_t size) {
    if (size == 0) {
        return 0;
    }
    return std::max<uint64_t>(32, saturatingAdd(size, 8 + 15) / 16 * 16);
}

// The storage that a selection of an instance with the given item count owns: its copy of the
// items and its flags.
uint64_t selectionStorageBytes(int32_t itemCount) {
    const auto count = static_cast<uint64_t>(itemCount);
    return blockBytes(count * sizeof(Item)) + blockBytes(count * sizeof(uint8_t));
}

// The table's storage: the array of rows, and per row its cells with the array's own count.
uint64_t tableBytes(int32_t rows, int64_t columns) {
    const auto rowCount = static_cast<uint64_t>(rows);
    const uint64_t cellsOfRow =
        saturatingMultiply(static_cast<uint64_t>(columns), sizeof(Selection));
    const uint64_t rowBytes = blockBytes(saturatingAdd(cellsOfRow, sizeof(size_t)));
    return saturatingAdd(blockBytes(rowCount * sizeof(CheckedArray<Selection>)),
                         saturatingMultiply(rowCount, rowBytes));
}

}  // namespace

DynamicProgrammingSolver::DynamicProgrammingSolver(Instance instanceToSolve)
    : DynamicProgrammingSolver(std::move(instanceToSolve), MemoryBudget::ofThisMachine()) {}

DynamicProgrammingSolver::DynamicProgrammingSolver(Instance instanceToSolve, MemoryBudget budget)
    : Solver(std::move(instanceToSolve)), budget(std::move(budget)) {}

void DynamicProgrammingSolver::solve() {
    startClock();
    const int32_t itemCount = instance.itemCount();
    const int32_t capacity = instance.capacity();
    if (itemCount <= 0 || capacity < 0) {
        // Without items, or when not even the empty selection fits, nothing can be chosen.
        best.reset();
    } else {
        selectionBytes = selectionStorageBytes(itemCount);
        budget.release(budget.charged());  // what an earlier solve took goes with its table
        makeTable(itemCount, int64_t{capacity} + 1);
        best = bestFor(itemCount - 1, capacity);
    }
    stopClock();
}

void DynamicProgrammingSolver::makeTable(int32_t rows, int64_t columns) {
    // A row cannot count more cells than the largest signed 32-bit number.
    if (columns > std::numeric_limits<int32_t>::max()) {
        throw Failure(failure_text::kOutOfMemory);
    }
    budget.charge(tableBytes(rows, columns));
    memo.resize(rows);
    for (int32_t row = 0; row < memo.elementCount(); ++row) {
        memo[row].resize(static_cast<int32_t>(columns));
    }
}

Selection DynamicProgrammingSolver::bestFor(int32_t item, int32_t capacity) {
    if (item < 0) {
        return Selection(instance);
    }
    Selection& cell = memo[item][capacity];
    if (cell.valid() != 0) {
        return cell;
    }
    countStep();
    // The cell's own copy stays; the two selections compared here go with this call. A failure
    // ends the solve, so nothing needs giving back on that path.
    const uint64_t temporaryBytes = 2 * selectionBytes;
    budget.charge(selectionBytes + temporaryBytes);

    // The best selection without the item, replaced below by the one with it when that is better.
    Selection answer = bestFor(item - 1, capacity);
    const int32_t weight = instance.weightOf(item);
    if (weight <= capacity) {
        Selection with = bestFor(item - 1, wrappingSubtract(capacity, weight));
        with.add(item);
        // On equal cost the selection with the item wins.
        if (with.cost() >= answer.cost()) {
            std::swap(answer, with);
        }
        // The selection that lost is not needed any more: its storage, of the same size, takes
        // the cell's copy, so that filling the cell allocates nothing.
        with = answer;
        cell = std::move(with);
    } else {
        cell = answer;
    }
    budget.release(temporaryBytes);
    return answer;
}

}  // namespace knapsack
