#include "generator/InstanceGeneration.h"

#include <algorithm>
#include <cstddef>
#include <stdexcept>
#include <vector>

namespace generator {

std::optional<std::string> unusableValues(std::int32_t itemCount, const ItemShape& shape) {
    if (itemCount <= 0) {
        return std::nullopt;
    }
    if (shape.largestWeight < 1) {
        return "-W option value should be at least 1";
    }
    if (shape.largestCost == 0) {
        return "-C option value should not be 0";
    }
    const std::int32_t reachableWeights = std::min(shape.largestWeight, kLargestReachable);
    if (itemCount > reachableWeights) {
        return "-n option value should be at most " + std::to_string(reachableWeights);
    }
    return std::nullopt;
}

std::int32_t generateInstance(RandomSource& random, std::span<std::int32_t> weights,
                              std::span<std::int32_t> costs, const ItemShape& shape) {
    if (weights.size() != costs.size()) {
        throw std::invalid_argument("weights and costs differ in length");
    }
    if (weights.size() > static_cast<std::size_t>(kLargestReachable)) {
        throw std::invalid_argument("more items than reachable weights");
    }
    const auto itemCount = static_cast<std::int32_t>(weights.size());
    if (const auto fault = unusableValues(itemCount, shape)) {
        throw std::invalid_argument(*fault);
    }

    // The cost taken by each weight, 0 while the weight is free. Weights never exceed 32768, so
    // the table needs no more room than that whatever W is.
    const std::int32_t tableTop = std::clamp(shape.largestWeight, 0, kLargestReachable);
    std::vector<std::int32_t> costByWeight(static_cast<std::size_t>(tableTop) + 1, 0);

    std::int32_t total = 0;
    std::int32_t accepted = 0;
    while (accepted < itemCount) {
        const std::int32_t weight = uniformInt(random, 1, shape.largestWeight);
        if (costByWeight[static_cast<std::size_t>(weight)] > 0) {
            continue;
        }
        if (!acceptWeight(random, weight, shape.largestWeight, shape.biasExponent,
                          shape.biasDirection)) {
            continue;
        }
        const std::int32_t cost = uniformInt(random, 1, shape.largestCost);
        costByWeight[static_cast<std::size_t>(weight)] = cost;
        weights[static_cast<std::size_t>(accepted)] = weight;
        costs[static_cast<std::size_t>(accepted)] = cost;
        total += weight;  // distinct weights of at most 32768 sum to at most 536887296
        ++accepted;
    }
    return total;
}

}  // namespace generator
