#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace knapsack {

// Runs a task that may recurse one level per item on a stack sized for that depth, so that an
// instance of a million items cannot overflow the program's stack. A shallow task runs directly
// on the caller's stack; a deep one runs on a thread of its own while the caller waits.
class LargeStackRunner {
  public:
#if defined(__SANITIZE_ADDRESS__)
    // Instrumented frames are several times larger.
    static constexpr size_t kBytesPerLevel = 4096;
#else
    // Generous for every method: the largest frames are those of a recursion that returns a
    // Selection by value.
    static constexpr size_t kBytesPerLevel = 1024;
#endif
    // Room for the calls around the recursion and for the C library.
    static constexpr size_t kMarginBytes = size_t{1} << 20;
    // Tasks that need at most this much run on the caller's stack (a main thread's stack is
    // commonly 8 MiB).
    static constexpr size_t kDirectBytes = size_t{2} << 20;

    // The stack a task recursing levels deep needs.
    static size_t stackBytesFor(int32_t levels);

    // Runs the task and returns when it has ended. An exception that ends the task is rethrown
    // here; a thread that cannot be created throws std::bad_alloc.
    static void run(int32_t levels, const std::function<void()>& task);
};

}  // namespace knapsack
