// Report files that cannot be written: a device that is always full, and a file size limit that
// stops the writing at every byte of the reports in turn. The run must end with the write failure
// line, and the report files must hold complete lines of the instances before, nothing else.

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <string>

#include "AllocationCountdown.h"
#include "InProcessSolver.h"
#include "model/Failure.h"

namespace faults {
namespace {

const char* const kInstances =
    "1 4 10 5 10 4 40 6 30 3 50\n"
    "2 0 5\n"
    "3 3 6 2 3 3 4 4 5\n";

const std::string kWriteFailure = failureLine(knapsack::failure_text::kWriteError);

std::vector<std::string> firstLines(const std::vector<std::string>& lines, size_t count) {
    return {lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(count)};
}

class FullDevice : public testing::TestWithParam<int> {};

// The reports are written solution, cost, statistics for each instance, so the first instance's
// lines are in the files before the full one and none are in those after it.
TEST_P(FullDevice, EveryReportFileOnAFullDeviceIsAWriteFailure) {
    InProcessSolver solver(kInstances);
    solver.useMethod(GetParam());
    ASSERT_EQ(solver.run().exitStatus, 0);
    const Reports reference = solver.reports();

    for (int full : {1, 2, 3}) {
        SCOPED_TRACE("report " + std::to_string(full) + " on /dev/full");
        InProcessSolver failing(kInstances);
        failing.useMethod(GetParam());
        failing.redirectReport(full, "/dev/full");
        Leftovers leftovers;
        const RunOutcome outcome = failing.run(countingLeftovers(leftovers));

        EXPECT_EQ(outcome.messages, kWriteFailure);
        EXPECT_EQ(outcome.exitStatus, 1);
        EXPECT_EQ(leftovers.blocks, 0) << "leaked blocks";
        EXPECT_EQ(leftovers.descriptors, 0) << "leaked files";
        const Reports reports = failing.reports();
        const auto linesBefore = [full](int position) -> size_t { return position < full ? 1 : 0; };
        if (full != 1) {
            EXPECT_EQ(reports.solution, firstLines(reference.solution, linesBefore(1)));
        }
        if (full != 2) {
            EXPECT_EQ(reports.cost, firstLines(reference.cost, linesBefore(2)));
        }
        if (full != 3) {
            EXPECT_EQ(reports.statistics, firstLines(reference.statistics, linesBefore(3)));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryMethod, FullDevice, testing::Values(1, 2, 3, 4, 5));

// Limits the size of the files that the process writes, with the signal that such a write
// raises ignored, so that a write past the limit fails as on a full disk, part-way into a line.
AroundRun fileSizeLimit(rlim_t bytes) {
    return {[bytes] {
                std::signal(SIGXFSZ, SIG_IGN);
                rlimit limit{};
                getrlimit(RLIMIT_FSIZE, &limit);
                limit.rlim_cur = bytes;
                setrlimit(RLIMIT_FSIZE, &limit);
            },
            [] {
                rlimit limit{};
                getrlimit(RLIMIT_FSIZE, &limit);
                limit.rlim_cur = limit.rlim_max;
                setrlimit(RLIMIT_FSIZE, &limit);
                std::signal(SIGXFSZ, SIG_DFL);
            }};
}

size_t bytesOf(const std::vector<std::string>& lines) {
    size_t bytes = 0;
    for (const std::string& line : lines) {
        bytes += line.size() + 1;
    }
    return bytes;
}

// The statistics go to /dev/null, which no size limit stops: their lines hold a time whose
// length depends on the clock.
TEST(FileSizeLimit, AWriteStoppedAtAnyByteLeavesOnlyCompleteLines) {
    InProcessSolver solver(kInstances);
    solver.redirectReport(3, "/dev/null");
    ASSERT_EQ(solver.run().exitStatus, 0);
    const Reports reference = solver.reports();
    const size_t instanceCount = reference.solution.size();
    const size_t longest = std::max(bytesOf(reference.solution), bytesOf(reference.cost));

    for (size_t limit = 0; limit <= longest; ++limit) {
        SCOPED_TRACE("files limited to " + std::to_string(limit) + " bytes");
        const RunOutcome outcome = solver.run(fileSizeLimit(limit));

        // Each instance's solution line is written before its cost line, and the first line that
        // does not fit ends the run.
        size_t solutions = 0;
        size_t costs = 0;
        while (costs < instanceCount &&
               bytesOf(firstLines(reference.solution, solutions + 1)) <= limit) {
            ++solutions;
            if (bytesOf(firstLines(reference.cost, costs + 1)) > limit) {
                break;
            }
            ++costs;
        }
        const bool complete = costs == instanceCount;
        EXPECT_EQ(outcome.messages, complete ? "" : kWriteFailure);
        EXPECT_EQ(outcome.exitStatus, complete ? 0 : 1);
        const Reports reports = solver.reports();
        EXPECT_EQ(reports.solution, firstLines(reference.solution, solutions));
        EXPECT_EQ(reports.cost, firstLines(reference.cost, costs));
    }
}

}  // namespace
}  // namespace faults
