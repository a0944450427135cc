#pragma once

#include <cstdint>

namespace allocation_countdown {

// The fault tests replace the global operator new and new[] so that they can make allocations
// fail on demand and count the blocks that are handed out and not yet given back.

enum class Failing {
    kEveryOneAfter,  // once the countdown has run out, every allocation fails
    kOnlyOne,        // only the allocation at the end of the countdown fails
};

// Lets `successes` more allocations succeed, then makes them fail as the mode says.
void arm(uint64_t successes, Failing mode);
// Lets every allocation succeed again.
void disarm();
// Whether an allocation was refused since the last arm().
bool fired();
// Blocks handed out by operator new or new[] and not yet deleted.
int64_t liveBlocks();

// Arms the countdown for the scope of the object.
class Armed {
  public:
    Armed(uint64_t successes, Failing mode) { arm(successes, mode); }
    ~Armed() { disarm(); }
    Armed(const Armed&) = delete;
    Armed& operator=(const Armed&) = delete;
};

}  // namespace allocation_countdown
