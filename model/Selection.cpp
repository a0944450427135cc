#include "model/Selection.h"

#include <utility>

#include "model/Failure.h"

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

void Selection::throwAddedTwice() {
    throw Failure(failure_text::kAddedTwice);
}

void Selection::throwRemovedTwice() {
    throw Failure(failure_text::kRemovedTwice);
}

}  // namespace knapsack
