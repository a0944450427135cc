#pragma once

#include <cstdint>

namespace knapsack::benchmarks {

// What the heap gave out while a tally was open. Bytes are those of the blocks the allocator
// handed out (malloc_usable_size), so they include its rounding but not its headers.
struct AllocationSummary {
    int64_t allocations = 0;
    int64_t allocatedBytes = 0;  // all blocks handed out, whether given back or not
    int64_t peakBytes = 0;       // the most held at once above what was held at the start
};

// Counts the allocations of the global operator new, which this program replaces, between start
// and stop. Outside a tally the replacement only allocates, so timed code pays for nothing more
// than a test of a flag.
class AllocationTally {
  public:
    static void start();
    static AllocationSummary stop();
};

}  // namespace knapsack::benchmarks
