#include "AllocationLimit.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<size_t> largest{0};
}  // namespace

namespace allocation_limit {

void resetLargestRequest() {
    largest = 0;
}
size_t largestRequest() {
    return largest;
}

}  // namespace allocation_limit

void* operator new(size_t size) {
    size_t seen = largest.load();
    while (size > seen && !largest.compare_exchange_weak(seen, size)) {
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, size_t) noexcept {
    std::free(memory);
}
