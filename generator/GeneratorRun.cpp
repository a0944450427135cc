#include "generator/GeneratorRun.h"

#include <cmath>
#include <cstdio>
#include <new>
#include <ostream>
#include <vector>

#include "generator/InstanceGeneration.h"

namespace generator {

namespace {

std::int32_t wrappingAdd(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

ItemShape itemShapeOf(const GeneratorOptions& options) {
    return {options.largestWeight, options.largestCost, options.biasExponent,
            options.biasDirection};
}

void writeInstanceLine(std::ostream& out, std::int32_t id, std::int32_t capacity,
                       const std::vector<std::int32_t>& weights,
                       const std::vector<std::int32_t>& costs, std::int32_t itemCount) {
    out << id << ' ' << itemCount << ' ' << capacity;
    for (std::size_t item = 0; item < weights.size(); ++item) {
        out << ' ' << weights[item] << ' ' << costs[item];
    }
    out << '\n';
}

}  // namespace

std::int32_t capacityFor(std::int32_t totalWeight, double capacityRatio) {
    const double product = static_cast<double>(totalWeight) * capacityRatio;
    // -2^63 and 2^63 are exact doubles; the negated test also catches a product that is NaN.
    if (!(product >= -9223372036854775808.0 && product < 9223372036854775808.0)) {
        return 0;
    }
    const auto truncated = static_cast<std::int64_t>(product);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(truncated));
}

std::string summaryLine(std::int64_t totalWeightSum, std::int32_t instanceCount,
                        std::int32_t firstId) {
    const double average =
        instanceCount > 0 ? static_cast<double>(totalWeightSum) / instanceCount : 0.0;
    char line[128];
    std::snprintf(line, sizeof line, "average total weight %.2f; first unused instance id %d",
                  average, wrappingAdd(firstId, instanceCount));
    return line;
}

bool writeInstances(const GeneratorOptions& options, RandomSource& random, std::ostream& out,
                    std::ostream& err) {
    // With items the count is at most 32768 (checked before); without items the arrays stay empty.
    const std::size_t arraySize = options.itemCount > 0 ? options.itemCount : 0;
    std::vector<std::int32_t> weights(arraySize);
    std::vector<std::int32_t> costs(arraySize);
    const ItemShape shape = itemShapeOf(options);

    std::int64_t totalWeightSum = 0;
    for (std::int32_t instance = 0; instance < options.instanceCount && out; ++instance) {
        const std::int32_t total = generateInstance(random, weights, costs, shape);
        totalWeightSum += total;
        writeInstanceLine(out, wrappingAdd(options.firstId, instance),
                          capacityFor(total, options.capacityRatio), weights, costs,
                          options.itemCount);
        err << "total weight " << total << '\n';
    }
    if (!out.flush()) {
        return false;
    }
    err << summaryLine(totalWeightSum, options.instanceCount, options.firstId) << '\n';
    return true;
}

int runGenerator(int argc, const char* const argv[], std::ostream& out, std::ostream& err,
                 const std::function<std::uint32_t()>& seedSource) {
    try {
        const GeneratorOptions options = readOptions(argc, argv);
        if (const auto fault = unusableValues(options.itemCount, itemShapeOf(options))) {
            throw OptionError(*fault);
        }
        RandomSource random(seedSource());
        if (!writeInstances(options, random, out, err)) {
            err << "write error\n";
            return 1;
        }
        return 0;
    } catch (const OptionError& error) {
        err << error.what() << '\n';
        return 1;
    } catch (const std::bad_alloc&) {
        err << "out of memory\n";
        return 1;
    }
}

}  // namespace generator
