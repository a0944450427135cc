#include "model/CheckedArray.h"

#include "model/Failure.h"

namespace knapsack {

void throwIndexOutOfBounds() {
    throw Failure(failure_text::kIndexOutOfBounds);
}

}  // namespace knapsack
