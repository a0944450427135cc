#pragma once

#include <cstddef>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace faults {

// What a solver run in this process ended with.
struct RunOutcome {
    int exitStatus = -1;
    std::string messages;  // what it printed: nothing, or its failure line
};

// The lines of the three report files; the statistics lines without their elapsed time, which
// depends on the clock.
struct Reports {
    std::vector<std::string> solution;
    std::vector<std::string> cost;
    std::vector<std::string> statistics;

    bool operator==(const Reports&) const = default;
};

// What a test does right before and right after the solver runs, with nothing of the test's own in
// between: arming an allocation countdown, setting a file size limit, and taking them back.
struct AroundRun {
    std::function<void()> before = [] {};
    std::function<void()> after = [] {};
};

// An instance file and three report files in a fresh folder, and solver runs over them in this
// process.
class InProcessSolver {
  public:
    explicit InProcessSolver(const std::string& instances);

    // Makes the next runs use the method with this number.
    void useMethod(int method);
    // Makes the next runs write the report at position 1, 2 or 3 (solution, cost, statistics)
    // to this path instead.
    void redirectReport(int position, const std::string& path);

    RunOutcome run(const AroundRun& around = {});
    Reports reports() const;

  private:
    testing_support::TempDir directory;
    std::vector<std::string> arguments;
    std::vector<const char*> argv;
};

std::string failureLine(const char* text);

// The number of file descriptors that this process has open.
size_t openDescriptors();

// What a run left allocated or open: the blocks of operator new and the file descriptors, counted
// right before the solver starts and right after it ends.
struct Leftovers {
    int64_t blocks = 0;
    int64_t descriptors = 0;
};

// Counts the leftovers of a run into `leftovers`, around whatever else `inner` does.
AroundRun countingLeftovers(Leftovers& leftovers, const AroundRun& inner = {});

}  // namespace faults
