#pragma once

#include <cstdint>
#include <vector>

#include "model/Instance.h"

namespace knapsack::benchmarks {

// A random instance of the benchmarks: weights and costs uniform in 1..1000, the capacity half
// the total weight (rounded down). The same seed always gives the same instance.
Instance randomInstance(int32_t itemCount, uint32_t seed);

// The fixed set of instances of one size that every run of a benchmark solves: setSize instances
// whose seeds follow from the item count, so that sets of different sizes are unrelated.
std::vector<Instance> instanceSet(int32_t itemCount, int32_t setSize);

}  // namespace knapsack::benchmarks
