#include "model/Instance.h"

#include <limits>

#include "model/Failure.h"
#include "model/Wrapping.h"

namespace knapsack {

namespace {

// Reads decimal integers from a line the way the C library's "%d" conversion does: white space
// first, then an optional sign and at least one digit. Any failure is the read failure.
class LineScanner {
public:
    explicit LineScanner(std::string_view text) : text(text) {}

    int32_t nextInteger() {
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
        while (position < text.size() && isDigit(text[position])) {
            magnitude = magnitude * 10 + (text[position] - '0');
            if (magnitude > kLargestMagnitude) {
                fail();  // outside the signed 32-bit range
            }
            ++position;
        }
        if (position == firstDigit) {
            fail();  // no integer here
        }
        const int64_t value = negative ? -magnitude : magnitude;
        if (value > std::numeric_limits<int32_t>::max()) {
            fail();
        }
        return static_cast<int32_t>(value);
    }

    // Every number after the first needs at least two characters (a separator or sign, and a
    // digit), so a weight-cost pair needs at least four.
    int64_t pairsThatCanFollow() const { return static_cast<int64_t>(text.size() - position) / 4; }

    [[noreturn]] static void fail() { throw Failure(failure_text::kReadError); }

private:
    static constexpr int64_t kLargestMagnitude = int64_t{1} << 31;

    static bool isWhiteSpace(char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
    }
    static bool isDigit(char c) { return c >= '0' && c <= '9'; }

    std::string_view text;
    size_t position = 0;
};

}  // namespace

Instance::Instance(std::string_view line) {
    LineScanner scanner(line);
    id_ = scanner.nextInteger();
    itemCount_ = scanner.nextInteger();
    capacity_ = scanner.nextInteger();
    // The item array is sized only when the rest of the line can hold that many pairs, so that a
    // short line cannot make the parser reserve memory for a huge claimed count.
    if (itemCount_ > scanner.pairsThatCanFollow()) {
        LineScanner::fail();
    }
    items.resize(itemCount_);
    for (int32_t i = 0; i < itemCount_; ++i) {
        Item& item = items[i];
        item.weight = scanner.nextInteger();
        item.cost = scanner.nextInteger();
    }
}

int32_t Instance::costSum() const {
    int32_t sum = 0;
    for (int32_t i = 0; i < itemCount_; ++i) {
        sum = wrappingAdd(sum, costOf(i));
    }
    return sum;
}

}  // namespace knapsack
