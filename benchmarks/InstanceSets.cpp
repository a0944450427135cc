#include "benchmarks/InstanceSets.h"

#include <random>
#include <string>

namespace knapsack::benchmarks {

Instance randomInstance(int32_t itemCount, uint32_t seed) {
    std::mt19937 engine(seed);
    std::uniform_int_distribution<int32_t> value(1, 1000);
    std::string pairs;
    int64_t totalWeight = 0;
    for (int32_t i = 0; i < itemCount; ++i) {
        const int32_t weight = value(engine);
        const int32_t cost = value(engine);
        totalWeight += weight;
        pairs += ' ' + std::to_string(weight) + ' ' + std::to_string(cost);
    }
    // Built through the instance line, as the solver program builds every instance it solves.
    const std::string line = std::to_string(seed) + ' ' + std::to_string(itemCount) + ' ' +
                             std::to_string(totalWeight / 2) + pairs;
    return Instance(line);
}

std::vector<Instance> instanceSet(int32_t itemCount, int32_t setSize) {
    std::vector<Instance> instances;
    for (int32_t index = 0; index < setSize; ++index) {
        instances.push_back(randomInstance(
            itemCount, static_cast<uint32_t>(itemCount) * 1000U + static_cast<uint32_t>(index)));
    }
    return instances;
}

}  // namespace knapsack::benchmarks
