#pragma once

#include <cstdint>

#include "model/CheckedArray.h"
#include "model/Instance.h"

namespace knapsack {

// A subset of one instance's items with running totals of the chosen items' cost, weight and
// count. It holds its own copy of the instance. A default-constructed Selection is an unfilled
// placeholder (valid() is 0) until a real one is assigned to it.
class Selection {
  public:
    Selection() = default;
    explicit Selection(Instance instance);

    // Chooses nothing, zeroes the totals and marks the selection valid.
    void reset();

    uint8_t contains(int32_t item) const { return chosen[item]; }
    // Throws when the item is already chosen.
    void add(int32_t item);
    // Throws when the item is not chosen.
    void remove(int32_t item);

    bool isOverweight() const { return weight_ > instance_.capacity(); }

    int32_t cost() const { return cost_; }
    int32_t weight() const { return weight_; }
    int32_t chosenCount() const { return chosenCount_; }
    uint8_t valid() const { return valid_; }
    const Instance& instance() const { return instance_; }

  private:
    Instance instance_;
    CheckedArray<uint8_t> chosen;
    int32_t cost_ = 0;
    int32_t weight_ = 0;
    int32_t chosenCount_ = 0;
    uint8_t valid_ = 0;
};

}  // namespace knapsack
