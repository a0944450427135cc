#include "benchmarks/AllocationTally.h"

#include <malloc.h>

#include <algorithm>
#include <cstdlib>
#include <new>

namespace knapsack::benchmarks {

namespace {

// The benchmarks run on one thread, so plain counters do.
bool counting = false;
int64_t heldBytes = 0;
AllocationSummary summary;

void* allocate(std::size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    if (counting) {
        const auto bytes = static_cast<int64_t>(malloc_usable_size(block));
        ++summary.allocations;
        summary.allocatedBytes += bytes;
        heldBytes += bytes;
        summary.peakBytes = std::max(summary.peakBytes, heldBytes);
    }
    return block;
}

void release(void* block) {
    if (counting && block != nullptr) {
        heldBytes -= static_cast<int64_t>(malloc_usable_size(block));
    }
    std::free(block);
}

}  // namespace

void AllocationTally::start() {
    summary = AllocationSummary{};
    heldBytes = 0;
    counting = true;
}

AllocationSummary AllocationTally::stop() {
    counting = false;
    return summary;
}

}  // namespace knapsack::benchmarks

void* operator new(std::size_t size) {
    return knapsack::benchmarks::allocate(size);
}
void* operator new[](std::size_t size) {
    return knapsack::benchmarks::allocate(size);
}
void operator delete(void* block) noexcept {
    knapsack::benchmarks::release(block);
}
void operator delete[](void* block) noexcept {
    knapsack::benchmarks::release(block);
}
void operator delete(void* block, std::size_t) noexcept {
    knapsack::benchmarks::release(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    knapsack::benchmarks::release(block);
}
