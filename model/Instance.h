#pragma once

#include <cstdint>
#include <string_view>

#include "model/CheckedArray.h"

namespace knapsack {

// No default values: an array of items is left unset when it is sized, and then written whole
// (by the parser or by a copy), so zeroing it first would only be work thrown away.
struct Item {
    int32_t weight;
    int32_t cost;
};

// One knapsack problem: an id, a capacity and the items, each with a weight and a cost. Built from
// one instance line and never changed afterwards; copies are deep.
class Instance {
  public:
    Instance() = default;

    // Parses an instance line: id, item count, capacity, then a weight and a cost per item, all
    // decimal integers separated by white space (a sign also separates). Whatever follows the
    // last pair is ignored. Throws the read failure for a line that does not hold a complete
    // instance or holds a number outside the signed 32-bit range.
    explicit Instance(std::string_view line);

    int32_t id() const { return id_; }
    int32_t itemCount() const { return itemCount_; }
    int32_t capacity() const { return capacity_; }
    int32_t weightOf(int32_t item) const { return items[item].weight; }
    int32_t costOf(int32_t item) const { return items[item].cost; }
    int32_t costSum() const;

  private:
    int32_t id_ = 0;
    int32_t itemCount_ = 0;
    int32_t capacity_ = 0;
    CheckedArray<Item> items;
};

}  // namespace knapsack
