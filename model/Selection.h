#pragma once

#include <cstdint>

#include "model/CheckedArray.h"
#include "model/Instance.h"
#include "model/Wrapping.h"

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
    void add(int32_t item) {
        uint8_t& flag = chosen[item];
        if (flag != 0) [[unlikely]] {
            throwAddedTwice();
        }
        flag = 1;
        cost_ = wrappingAdd(cost_, instance_.costOf(item));
        weight_ = storedApart(wrappingAdd(weight_, instance_.weightOf(item)));
        chosenCount_ = wrappingAdd(chosenCount_, 1);
    }

    // Throws when the item is not chosen.
    void remove(int32_t item) {
        uint8_t& flag = chosen[item];
        if (flag == 0) [[unlikely]] {
            throwRemovedTwice();
        }
        flag = 0;
        cost_ = wrappingSubtract(cost_, instance_.costOf(item));
        weight_ = storedApart(wrappingSubtract(weight_, instance_.weightOf(item)));
        chosenCount_ = wrappingSubtract(chosenCount_, 1);
    }

    bool isOverweight() const { return weight_ > instance_.capacity(); }

    int32_t cost() const { return cost_; }
    int32_t weight() const { return weight_; }
    int32_t chosenCount() const { return chosenCount_; }
    uint8_t valid() const { return valid_; }
    const Instance& instance() const { return instance_; }

  private:
    // The failures of add and remove, out of line so that the two stay small enough to inline
    // into the searches, whose every step runs them.
    [[noreturn]] static void throwAddedTwice();
    [[noreturn]] static void throwRemovedTwice();

    // Gives the value back unchanged, but hidden from the optimiser, so that it is stored on its
    // own. Otherwise GCC merges the updates of cost_ and weight_ into one 8-byte vector store, and
    // the searches' next 4-byte read of weight_ (isOverweight, right at the next level) cannot be
    // served from that store and waits until it is written: three quarters more time per step.
    static int32_t storedApart(int32_t value) {
        __asm__("" : "+r"(value));
        return value;
    }

    Instance instance_;
    CheckedArray<uint8_t> chosen;
    int32_t cost_ = 0;
    int32_t weight_ = 0;
    int32_t chosenCount_ = 0;
    uint8_t valid_ = 0;
};

}  // namespace knapsack
