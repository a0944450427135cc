#include "model/Instance.h"

#include "model/Failure.h"
#include "model/IntegerScanner.h"
#include "model/Wrapping.h"

namespace knapsack {

namespace {

[[noreturn]] void failToRead() {
    throw Failure(failure_text::kReadError);
}

int32_t readInteger(IntegerScanner& scanner) {
    const std::optional<int32_t> value = scanner.next();
    if (!value) {
        failToRead();
    }
    return *value;
}

// Every number after the capacity needs at least two characters (a white space or a sign, and a
// digit), so a weight-cost pair needs at least four.
constexpr size_t kShortestPair = 4;

}  // namespace

Instance::Instance(std::string_view line) {
    IntegerScanner scanner(line);
    id_ = readInteger(scanner);
    itemCount_ = readInteger(scanner);
    capacity_ = readInteger(scanner);
    // The item array is sized only when the rest of the line can hold that many pairs, so that a
    // short line cannot make the parser reserve memory for a huge claimed count.
    if (itemCount_ > 0 && static_cast<size_t>(itemCount_) > scanner.remaining() / kShortestPair) {
        failToRead();
    }
    items.resize(itemCount_);
    for (int32_t i = 0; i < itemCount_; ++i) {
        Item& item = items[i];
        item.weight = readInteger(scanner);
        item.cost = readInteger(scanner);
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
