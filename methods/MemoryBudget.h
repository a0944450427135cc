#pragma once

#include <cstdint>
#include <functional>

namespace knapsack {

// Keeps count of the memory that a computation is about to take, and refuses with the
// out-of-memory failure a charge that would take more than may be had, before the memory is
// taken. The limit is either a fixed number of bytes or follows a probe of the memory that may
// still be had: the probe is asked at the first charge and again each time the charges have grown
// by another recheck interval, so that memory taken meanwhile by other processes is noticed; the
// limit only ever shrinks. A
// probed budget may assure a first few bytes whatever the probe says, so that a small computation
// is not refused on a machine that is merely busy.
class MemoryBudget {
  public:
    // Returns how many more bytes may be taken at this moment, beyond those already charged.
    using HeadroomProbe = std::function<uint64_t()>;

    static constexpr uint64_t kDefaultRecheckInterval = uint64_t{64} << 20;
    // What a budget of this machine grants in any case.
    static constexpr uint64_t kMachineAssuredBytes = uint64_t{64} << 20;

    explicit MemoryBudget(uint64_t limit);
    explicit MemoryBudget(HeadroomProbe probe, uint64_t recheckInterval = kDefaultRecheckInterval,
                          uint64_t assured = 0);
    // A budget of what this process may still take on this machine.
    static MemoryBudget ofThisMachine();

    // Counts the bytes as taken; throws the out-of-memory failure, counting nothing, when they do
    // not fit.
    void charge(uint64_t bytes);
    // Counts bytes charged before as given back.
    void release(uint64_t bytes);

    uint64_t charged() const { return used; }

  private:
    HeadroomProbe probe;
    uint64_t recheckInterval = 0;
    uint64_t assured = 0;
    uint64_t limit;
    uint64_t used = 0;
    uint64_t nextCheck = 0;  // the charged total at which the probe is asked again
};

// Byte counts that stop at the largest value instead of wrapping, for sizes that may not fit.
uint64_t saturatingAdd(uint64_t a, uint64_t b);
uint64_t saturatingMultiply(uint64_t a, uint64_t b);

}  // namespace knapsack
