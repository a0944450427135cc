#include "solver/LargeStackRunner.h"

#include <gtest/gtest.h>

#include <new>
#include <thread>

#include "model/Failure.h"
#include "model/FailureText.h"

namespace knapsack {
namespace {

using testing_failure::failureText;

// A recursion with a frame of a realistic size that the compiler cannot flatten.
int32_t recurse(int32_t depth) {
    volatile char frame[64] = {};
    frame[depth % 64] = 1;
    if (depth == 0) {
        return frame[0];
    }
    return recurse(depth - 1) + frame[depth % 64] - 1;
}

TEST(LargeStackRunner, ShallowTasksRunOnTheCallersThread) {
    std::thread::id ranOn;
    LargeStackRunner::run(100, [&] { ranOn = std::this_thread::get_id(); });
    EXPECT_EQ(ranOn, std::this_thread::get_id());
}

TEST(LargeStackRunner, DeepTasksRunOnAThreadOfTheirOwn) {
    std::thread::id ranOn;
    LargeStackRunner::run(1000000, [&] { ranOn = std::this_thread::get_id(); });
    EXPECT_NE(ranOn, std::thread::id());
    EXPECT_NE(ranOn, std::this_thread::get_id());
}

TEST(LargeStackRunner, ARecursionOfAMillionLevelsCompletes) {
    int32_t result = -1;
    LargeStackRunner::run(1000000, [&] { result = recurse(1000000); });
    EXPECT_EQ(result, 1);
}

TEST(LargeStackRunner, StackGrowsWithTheDepth) {
    EXPECT_EQ(LargeStackRunner::stackBytesFor(-5), LargeStackRunner::kMarginBytes);
    EXPECT_EQ(LargeStackRunner::stackBytesFor(0), LargeStackRunner::kMarginBytes);
    EXPECT_EQ(LargeStackRunner::stackBytesFor(1000000) - LargeStackRunner::stackBytesFor(0),
              1000000 * LargeStackRunner::kBytesPerLevel);
}

TEST(LargeStackRunner, AFailureOfTheTaskReachesTheCaller) {
    for (int32_t levels : {10, 1000000}) {
        EXPECT_EQ(failureText([&] {
                      LargeStackRunner::run(levels, [] { throw Failure("index out of bounds"); });
                  }),
                  "index out of bounds")
            << levels << " levels";
        EXPECT_THROW(LargeStackRunner::run(levels, [] { throw std::bad_alloc(); }), std::bad_alloc);
    }
}

}  // namespace
}  // namespace knapsack
