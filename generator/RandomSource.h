#pragma once

#include <cstdint>

namespace generator {

// The largest value uniformInt(1, b) can reach: draws never exceed 32767.
inline constexpr std::int32_t kLargestReachable = 32768;

// The generator's pseudo-random sequence: a linear congruential generator on a 32-bit state whose
// draws are 15-bit numbers. The exact sequence is part of the generator's behaviour, so that the
// same seed always gives the same instances.
class RandomSource {
  public:
    explicit RandomSource(std::uint32_t seed = 0) : state(seed) {}

    void seedRandom(std::uint32_t seed) { state = seed; }

    // Advances the state once and returns bits 16 to 30 of it: a number in 0..32767.
    std::int32_t randomDraw() {
        state = state * 214013U + 2531011U;
        return static_cast<std::int32_t>((state >> 16) & 0x7FFFU);
    }

    std::uint32_t randomState() const { return state; }

  private:
    std::uint32_t state;
};

// a + (draw remainder (b - a + 1)), with one draw. The remainder is truncated toward zero, so a
// negative size b - a + 1 gives values from a up to a + |size| - 1. All arithmetic wraps as 32-bit
// two's complement; a size that wraps to 0 means the range spans all 2^32 values, and the draw is
// then added as it is.
std::int32_t uniformInt(RandomSource& random, std::int32_t a, std::int32_t b);

// The random test that biases weights: light ones (direction -1) or heavy ones (direction 1) are
// favoured by the exponent k. Direction 0 accepts without a draw; otherwise one draw is used.
bool acceptWeight(RandomSource& random, std::int32_t weight, std::int32_t largestWeight,
                  double exponent, std::int32_t direction);

}  // namespace generator
