#pragma once

#include <cstdint>
#include <cstdio>

#include "model/Instance.h"
#include "model/Selection.h"

namespace knapsack {

// A reading of a monotonic clock in whole seconds and the milliseconds past them.
struct TimeStamp {
    int32_t seconds = 0;
    uint16_t milliseconds = 0;

    static TimeStamp now();
};

// Milliseconds from start to end, in wrapping signed 32-bit arithmetic.
int32_t elapsedMilliseconds(TimeStamp start, TimeStamp end);

// The common base of the solving methods: its own copy of the instance, the best selection
// found, the clock readings around the solve and the step counter, and the three report lines
// that the driver writes for every instance.
class Solver {
  public:
    explicit Solver(Instance instance);
    virtual ~Solver() = default;
    Solver(const Solver&) = delete;
    Solver& operator=(const Solver&) = delete;

    // Solves the instance, leaving the answer in best, the work in steps and the times taken.
    virtual void solve() = 0;

    // Each writes one line to the stream and flushes it; a failed write throws the write failure.
    void writeSolution(std::FILE* stream) const;
    void writeCostLine(std::FILE* stream) const;
    void writeStatistics(std::FILE* stream) const;

    const Selection& bestSelection() const { return best; }
    int32_t stepCount() const { return static_cast<int32_t>(steps); }
    int32_t elapsedMilliseconds() const;

  protected:
    void startClock();
    void stopClock();
    void countStep() { ++steps; }

    Instance instance;
    Selection best;
    TimeStamp startTime;
    TimeStamp endTime;

  private:
    uint32_t steps = 0;  // unsigned so that it wraps; reported as a signed 32-bit number
};

}  // namespace knapsack
