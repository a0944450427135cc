#include "solver/LargeStackRunner.h"

#include <pthread.h>

#include <exception>
#include <new>

namespace knapsack {

namespace {

struct ThreadTask {
    const std::function<void()>* task;
    std::exception_ptr failure;
};

void* runThreadTask(void* argument) {
    auto* threadTask = static_cast<ThreadTask*>(argument);
    try {
        (*threadTask->task)();
    } catch (...) {
        threadTask->failure = std::current_exception();
    }
    return nullptr;
}

// Thread attributes that are destroyed with the object.
class StackAttributes {
  public:
    explicit StackAttributes(size_t stackBytes) {
        if (pthread_attr_init(&attributes) != 0) {
            throw std::bad_alloc();
        }
        if (pthread_attr_setstacksize(&attributes, stackBytes) != 0) {
            pthread_attr_destroy(&attributes);
            throw std::bad_alloc();
        }
    }
    ~StackAttributes() { pthread_attr_destroy(&attributes); }
    StackAttributes(const StackAttributes&) = delete;
    StackAttributes& operator=(const StackAttributes&) = delete;

    const pthread_attr_t* get() const { return &attributes; }

  private:
    pthread_attr_t attributes{};
};

}  // namespace

size_t LargeStackRunner::stackBytesFor(int32_t levels) {
    const size_t depth = levels > 0 ? static_cast<size_t>(levels) : 0;
    return depth * kBytesPerLevel + kMarginBytes;
}

void LargeStackRunner::run(int32_t levels, const std::function<void()>& task) {
    const size_t stackBytes = stackBytesFor(levels);
    if (stackBytes <= kDirectBytes) {
        task();
        return;
    }
    const StackAttributes attributes(stackBytes);
    ThreadTask threadTask{&task, nullptr};
    pthread_t thread{};
    // Failing to create the thread means its stack could not be had: no memory for it.
    if (pthread_create(&thread, attributes.get(), &runThreadTask, &threadTask) != 0) {
        throw std::bad_alloc();
    }
    pthread_join(thread, nullptr);
    if (threadTask.failure) {
        std::rethrow_exception(threadTask.failure);
    }
}

}  // namespace knapsack
