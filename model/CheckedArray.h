#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <utility>

namespace knapsack {

// Throws the "index out of bounds" failure; kept out of line so that the access stays small.
[[noreturn]] void throwIndexOutOfBounds();

// The solver's one container: an owning array whose count is fixed until the next resize, and
// whose element access rejects any index outside the array. Copies are deep.
//
// A resize discards the contents. Elements of a plain type are left unset; elements of a class
// type are default-constructed. A count of 0 or less means no storage and no valid index.
template <typename Element>
class CheckedArray {
  public:
    CheckedArray() = default;
    CheckedArray(const CheckedArray& source) { *this = source; }
    CheckedArray(CheckedArray&& source) noexcept { *this = std::move(source); }

    CheckedArray& operator=(const CheckedArray& source) {
        if (this == &source) {
            return *this;
        }
        // Storage of the right size is reused: the elements are overwritten one by one either way.
        if (source.accessibleCount != accessibleCount || !elements) {
            resize(source.count);
        }
        count = source.count;
        std::copy(source.elements.get(), source.elements.get() + source.accessibleCount,
                  elements.get());
        return *this;
    }

    CheckedArray& operator=(CheckedArray&& source) noexcept {
        elements = std::move(source.elements);
        count = std::exchange(source.count, 0);
        accessibleCount = std::exchange(source.accessibleCount, 0);
        return *this;
    }

    void resize(int32_t newCount) {
        // The old storage goes first, and the count changes only once the new storage exists, so
        // a failed allocation leaves a valid empty array behind.
        elements.reset();
        count = 0;
        accessibleCount = 0;
        if (newCount > 0) {
            elements.reset(new Element[static_cast<uint32_t>(newCount)]);
            accessibleCount = static_cast<uint32_t>(newCount);
        }
        count = newCount;
    }

    int32_t elementCount() const { return count; }

    Element& operator[](int32_t index) { return elements[checked(index)]; }
    const Element& operator[](int32_t index) const { return elements[checked(index)]; }

  private:
    uint32_t checked(int32_t index) const {
        // One unsigned compare rejects both negative indexes and those past the end.
        const auto position = static_cast<uint32_t>(index);
        if (position >= accessibleCount) [[unlikely]] {
            throwIndexOutOfBounds();
        }
        return position;
    }

    std::unique_ptr<Element[]> elements;
    int32_t count = 0;
    uint32_t accessibleCount = 0;  // the count when positive, else 0: the number of valid indexes
};

}  // namespace knapsack
