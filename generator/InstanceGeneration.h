#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "generator/RandomSource.h"

namespace generator {

// What shapes the items of every instance: the largest weight W, the largest cost C, and the
// weight bias (its exponent k and direction d).
struct ItemShape {
    std::int32_t largestWeight = 0;
    std::int32_t largestCost = 0;
    double biasExponent = 0.0;
    std::int32_t biasDirection = 0;
};

// Why instances of this many items cannot be generated with this shape, or nothing when they can.
// With at least one item, weights need W >= 1 and costs need C != 0, and the items need as many
// distinct reachable weights as there are items: at most min(W, 32768). The text is the message
// line without its newline.
std::optional<std::string> unusableValues(std::int32_t itemCount, const ItemShape& shape);

// Fills weights and costs (the same length: the item count) with one random instance and returns
// its total weight. Weights within the instance are distinct. Items are kept in the order they
// were accepted. For every candidate the draws are: the weight; the acceptance test only when the
// weight is not yet taken; the cost only when the candidate was accepted.
// Throws std::invalid_argument when the arrays differ in length or unusableValues finds a fault,
// instead of looping forever.
std::int32_t generateInstance(RandomSource& random, std::span<std::int32_t> weights,
                              std::span<std::int32_t> costs, const ItemShape& shape);

}  // namespace generator
