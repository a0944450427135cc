#include "methods/MemoryBudget.h"

#include <algorithm>
#include <utility>

#include "methods/MachineMemory.h"
#include "model/Failure.h"

namespace knapsack {

uint64_t saturatingAdd(uint64_t a, uint64_t b) {
    uint64_t sum = 0;
    return __builtin_add_overflow(a, b, &sum) ? UINT64_MAX : sum;
}

uint64_t saturatingMultiply(uint64_t a, uint64_t b) {
    uint64_t product = 0;
    return __builtin_mul_overflow(a, b, &product) ? UINT64_MAX : product;
}

MemoryBudget::MemoryBudget(uint64_t limit) : limit(limit) {}

MemoryBudget::MemoryBudget(HeadroomProbe probe, uint64_t recheckInterval, uint64_t assured)
    : probe(std::move(probe)),
      recheckInterval(recheckInterval),
      assured(assured),
      limit(UINT64_MAX) {}

MemoryBudget MemoryBudget::ofThisMachine() {
    return MemoryBudget([] { return headroomOf(MemoryReadings::ofThisProcess()); },
                        kDefaultRecheckInterval, kMachineAssuredBytes);
}

void MemoryBudget::charge(uint64_t bytes) {
    const uint64_t wanted = saturatingAdd(used, bytes);
    if (probe && wanted >= nextCheck) {
        // Bytes charged but not taken yet do not show in the probe, which would then count them
        // as room still free: a probe may lower the limit, never raise it.
        limit = std::min(limit, std::max(assured, saturatingAdd(used, probe())));
        nextCheck = saturatingAdd(wanted, recheckInterval);
    }
    // A total that saturated stands for more memory than any machine has.
    if (wanted > limit || wanted == UINT64_MAX) {
        throw Failure(failure_text::kOutOfMemory);
    }
    used = wanted;
}

void MemoryBudget::release(uint64_t bytes) {
    used = bytes < used ? used - bytes : 0;
}

}  // namespace knapsack
