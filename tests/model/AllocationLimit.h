#pragma once

#include <cstddef>

namespace allocation_limit {

// The model tests replace the global operator new so that they can see the largest single
// request made while a test runs: input must never make the solver ask for memory out of
// proportion to the input itself.
void resetLargestRequest();
size_t largestRequest();

}  // namespace allocation_limit
