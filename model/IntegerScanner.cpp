#include "model/IntegerScanner.h"

namespace knapsack {

namespace {

bool isWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The magnitude of the most negative 32-bit number; anything larger fits in neither sign.
constexpr int64_t kLargestMagnitude = int64_t{1} << 31;

}  // namespace

std::optional<int32_t> IntegerScanner::next() {
    while (position < text.size() && isWhiteSpace(text[position])) {
        ++position;
    }
    bool negative = false;
    if (position < text.size() && (text[position] == '+' || text[position] == '-')) {
        negative = text[position] == '-';
        ++position;
    }
    const size_t firstDigit = position;
    int64_t magnitude = 0;
    bool fits = true;
    // All the digits are consumed even when the number is too large, as the conversion would.
    while (position < text.size() && isDigit(text[position])) {
        if (fits) {
            magnitude = magnitude * 10 + (text[position] - '0');
            fits = magnitude <= kLargestMagnitude;
        }
        ++position;
    }
    const int64_t value = negative ? -magnitude : magnitude;
    if (position == firstDigit || !fits || value > INT32_MAX) {
        return std::nullopt;
    }
    return static_cast<int32_t>(value);
}

}  // namespace knapsack
