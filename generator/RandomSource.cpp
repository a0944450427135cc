#include "generator/RandomSource.h"

#include <cmath>

namespace generator {

std::int32_t uniformInt(RandomSource& random, std::int32_t a, std::int32_t b) {
    const std::uint32_t wrappedSize =
        static_cast<std::uint32_t>(b) - static_cast<std::uint32_t>(a) + 1U;
    const auto size = static_cast<std::int32_t>(wrappedSize);
    const std::int32_t draw = random.randomDraw();
    // The draw is at most 32767, so neither the remainder nor size -1 can overflow.
    const std::int32_t offset = size == 0 ? draw : draw % size;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) +
                                     static_cast<std::uint32_t>(offset));
}

bool acceptWeight(RandomSource& random, std::int32_t weight, std::int32_t largestWeight,
                  double exponent, std::int32_t direction) {
    if (direction == 0) {
        return true;
    }
    // Heavy weights map to small x when heavy ones are favoured; 64 bits keep W - w + 1 exact.
    const std::int64_t x = direction == -1 ? std::int64_t{weight}
                                           : std::int64_t{largestWeight} - std::int64_t{weight} + 1;
    const double threshold = 2147483647.0 / std::pow(static_cast<double>(x), exponent);
    const std::int32_t draw = random.randomDraw();
    // Written so that a threshold that is not a number accepts.
    return !(draw > threshold);
}

}  // namespace generator
