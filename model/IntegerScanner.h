#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace knapsack {

// Reads decimal integers from text the way the C library's "%d" conversion does: it skips white
// space, then takes an optional sign and one or more digits, and stops before the first character
// that cannot continue the number. Unlike that conversion it never overflows: a number outside
// the signed 32-bit range counts as no number.
class IntegerScanner {
  public:
    explicit IntegerScanner(std::string_view text) : text(text) {}

    // The next integer, or nothing when the text offers none here (its end, a character that
    // starts no number, a sign without digits) or the number does not fit 32 bits.
    std::optional<int32_t> next();

    // The number of characters after the reading position.
    size_t remaining() const { return text.size() - position; }

  private:
    std::string_view text;
    size_t position = 0;
};

}  // namespace knapsack
