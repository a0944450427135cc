#include "model/Selection.h"

#include <utility>

#include "model/Failure.h"
#include "model/Wrapping.h"

namespace knapsack {

Selection::Selection(Instance instance) : instance_(std::move(instance)) {
    chosen.resize(instance_.itemCount());
    reset();
}

void Selection::reset() {
    for (int32_t i = 0; i < instance_.itemCount(); ++i) {
        chosen[i] = 0;
    }
    chosenCount_ = 0;
    weight_ = 0;
    cost_ = 0;
    valid_ = 1;
}

void Selection::add(int32_t item) {
    uint8_t& flag = chosen[item];
    if (flag != 0) {
        throw Failure(failure_text::kAddedTwice);
    }
    flag = 1;
    cost_ = wrappingAdd(cost_, instance_.costOf(item));
    weight_ = wrappingAdd(weight_, instance_.weightOf(item));
    chosenCount_ = wrappingAdd(chosenCount_, 1);
}

void Selection::remove(int32_t item) {
    uint8_t& flag = chosen[item];
    if (flag == 0) {
        throw Failure(failure_text::kRemovedTwice);
    }
    flag = 0;
    cost_ = wrappingSubtract(cost_, instance_.costOf(item));
    weight_ = wrappingSubtract(weight_, instance_.weightOf(item));
    chosenCount_ = wrappingSubtract(chosenCount_, 1);
}

}  // namespace knapsack
