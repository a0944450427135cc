// Fuzz target: the instance line parser. Any bytes give either an Instance holding exactly what a
// plain reading of the line with the C library's strtol finds, or the read failure; and no single
// allocation made while parsing is out of proportion to the line.

#include <sanitizer/allocator_interface.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "FuzzCheck.h"
#include "model/Failure.h"
#include "model/Instance.h"

namespace {

using fuzz_check::fail;
using knapsack::Failure;
using knapsack::Instance;

std::atomic<size_t> largestAllocation{0};

void recordAllocation(const volatile void*, size_t size) {
    size_t seen = largestAllocation.load();
    while (size > seen && !largestAllocation.compare_exchange_weak(seen, size)) {
    }
}

void ignoreRelease(const volatile void*) {}

struct ReadLine {
    int32_t id = 0;
    int32_t itemCount = 0;
    int32_t capacity = 0;
    std::vector<std::pair<int32_t, int32_t>> items;  // weight and cost
};

// The next decimal integer after white space, as strtol reads it; nothing when there is none here
// or it does not fit 32 bits. The text ends at its first NUL, which no number can cross.
std::optional<int32_t> strtolNumber(const char*& position) {
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(position, &end, 10);
    if (end == position || errno == ERANGE || value < INT32_MIN || value > INT32_MAX) {
        return std::nullopt;
    }
    position = end;
    return static_cast<int32_t>(value);
}

// What the line holds by the reader's rules, read independently of the parser under test.
std::optional<ReadLine> referenceReading(const std::string& line) {
    const char* position = line.c_str();
    ReadLine read;
    const auto id = strtolNumber(position);
    const auto itemCount = id ? strtolNumber(position) : std::nullopt;
    const auto capacity = itemCount ? strtolNumber(position) : std::nullopt;
    if (!capacity) {
        return std::nullopt;
    }
    read.id = *id;
    read.itemCount = *itemCount;
    read.capacity = *capacity;
    for (int32_t i = 0; i < read.itemCount; ++i) {
        const auto weight = strtolNumber(position);
        const auto cost = weight ? strtolNumber(position) : std::nullopt;
        if (!cost) {
            return std::nullopt;
        }
        read.items.emplace_back(*weight, *cost);
    }
    return read;
}

void expectSameAsReference(const Instance& instance, const ReadLine& read) {
    if (instance.id() != read.id || instance.itemCount() != read.itemCount ||
        instance.capacity() != read.capacity) {
        fail("the id, item count or capacity differs from the reference reading");
    }
    uint32_t costSum = 0;
    for (size_t i = 0; i < read.items.size(); ++i) {
        const auto item = static_cast<int32_t>(i);
        if (instance.weightOf(item) != read.items[i].first ||
            instance.costOf(item) != read.items[i].second) {
            fail("an item differs from the reference reading");
        }
        costSum += static_cast<uint32_t>(read.items[i].second);
    }
    if (instance.costSum() != static_cast<int32_t>(costSum)) {
        fail("the cost sum differs from the items' costs");
    }
    try {
        instance.weightOf(static_cast<int32_t>(read.items.size()));
        fail("an index past the last item was accepted");
    } catch (const Failure& failure) {
        if (std::strcmp(failure.what(), "index out of bounds") != 0) {
            fail("an index past the last item gave another failure");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    __sanitizer_install_malloc_and_free_hooks(&recordAllocation, &ignoreRelease);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    const std::optional<ReadLine> expected = referenceReading(line);

    largestAllocation = 0;
    std::optional<Instance> parsed;
    try {
        parsed.emplace(std::string_view(line));
    } catch (const Failure& failure) {
        if (std::strcmp(failure.what(), "Chyba pri cteni souboru") != 0) {
            fail("the parser failed with another text than the read failure");
        }
    }
    // An item takes 8 bytes and needs at least 4 characters of the line; the rest is small change
    // such as the exception object.
    if (largestAllocation > 2 * size + 1024) {
        fail("an allocation out of proportion to the line");
    }

    if (parsed.has_value() != expected.has_value()) {
        fail(parsed ? "a line the reference rejects was accepted"
                    : "a line the reference accepts was rejected");
    }
    if (parsed) {
        expectSameAsReference(*parsed, *expected);
        const Instance copy = *parsed;
        parsed.reset();
        expectSameAsReference(copy, *expected);
    }
    return 0;
}
