#include "AllocationCountdown.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<bool> armed{false};
std::atomic<bool> failEveryOneAfter{false};
std::atomic<int64_t> successesLeft{0};
std::atomic<bool> refused{false};
std::atomic<int64_t> live{0};

bool shouldFail() {
    if (!armed.load()) {
        return false;
    }
    const int64_t left = successesLeft.fetch_sub(1);
    if (left > 0) {
        return false;
    }
    // Past the end of the countdown only every-one-after mode keeps failing.
    if (left < 0 && !failEveryOneAfter.load()) {
        return false;
    }
    refused = true;
    return true;
}

void* allocate(std::size_t size) {
    if (shouldFail()) {
        throw std::bad_alloc();
    }
    void* memory = std::malloc(size == 0 ? 1 : size);
    if (memory == nullptr) {
        throw std::bad_alloc();
    }
    ++live;
    return memory;
}

void release(void* memory) noexcept {
    if (memory != nullptr) {
        --live;
        std::free(memory);
    }
}

}  // namespace

namespace allocation_countdown {

void arm(uint64_t successes, Failing mode) {
    successesLeft = static_cast<int64_t>(successes);
    failEveryOneAfter = mode == Failing::kEveryOneAfter;
    refused = false;
    armed = true;
}

void disarm() {
    armed = false;
}

bool fired() {
    return refused.load();
}

int64_t liveBlocks() {
    return live.load();
}

}  // namespace allocation_countdown

void* operator new(std::size_t size) {
    return allocate(size);
}
void* operator new[](std::size_t size) {
    return allocate(size);
}
void operator delete(void* memory) noexcept {
    release(memory);
}
void operator delete[](void* memory) noexcept {
    release(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    release(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
    release(memory);
}
