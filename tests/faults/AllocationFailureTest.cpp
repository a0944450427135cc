// Memory that runs out at every single allocation of a small solver run: the run must end with the
// out-of-memory failure line, the report files must hold complete lines of the instances before,
// and nothing may be leaked.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>

#include "AllocationCountdown.h"
#include "InProcessSolver.h"
#include "model/CheckedArray.h"
#include "model/Failure.h"
#include "model/Instance.h"
#include "model/Selection.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace faults {
namespace {

using allocation_countdown::Armed;
using allocation_countdown::Failing;

// Far more allocations than any run here makes; a countdown that never stops would be a fault.
constexpr uint64_t kMostAllocations = 200000;

// Three instances, one without items, that every method solves.
const char* const kInstances =
    "1 4 10 5 10 4 40 6 30 3 50\n"
    "2 0 5\n"
    "3 3 6 2 3 3 4 4 5\n";

// An instance deep enough to be searched on a thread with a stack of its own, after a small one.
std::string deepInstances() {
    std::string line = "2 1500 0";
    for (int i = 0; i < 1500; ++i) {
        line += " 1 1";
    }
    return "1 2 4 3 4 2 3\n" + line + "\n";
}

AroundRun countdown(uint64_t successes, Failing mode) {
    return {[=] { allocation_countdown::arm(successes, mode); },
            [] { allocation_countdown::disarm(); }};
}

// Each report is the reference's first lines, and the reports of one instance are written in the
// order solution, cost, statistics: a failure may fall between two of them, but no further.
void expectEarlierLinesIntact(const Reports& reports, const Reports& reference) {
    const auto isPrefix = [](const std::vector<std::string>& lines,
                             const std::vector<std::string>& all) {
        return lines.size() <= all.size() && std::equal(lines.begin(), lines.end(), all.begin());
    };
    EXPECT_TRUE(isPrefix(reports.solution, reference.solution));
    EXPECT_TRUE(isPrefix(reports.cost, reference.cost));
    EXPECT_TRUE(isPrefix(reports.statistics, reference.statistics));
    EXPECT_LE(reports.cost.size(), reports.solution.size());
    EXPECT_LE(reports.statistics.size(), reports.cost.size());
    EXPECT_LE(reports.solution.size(), reports.statistics.size() + 1);
}

// Runs the solver with the countdown at 0, 1, 2 and so on until a run no longer runs out.
void expectOutOfMemoryAtEveryAllocation(InProcessSolver& solver, Failing mode) {
    const RunOutcome clean = solver.run();
    ASSERT_EQ(clean.exitStatus, 0) << clean.messages;
    const Reports reference = solver.reports();

    for (uint64_t successes = 0;; ++successes) {
        ASSERT_LT(successes, kMostAllocations) << "the countdown never ran out";
        SCOPED_TRACE("after " + std::to_string(successes) + " allocations");
        Leftovers leftovers;
        const RunOutcome outcome =
            solver.run(countingLeftovers(leftovers, countdown(successes, mode)));

        EXPECT_EQ(leftovers.blocks, 0) << "leaked blocks";
        EXPECT_EQ(leftovers.descriptors, 0) << "leaked files";
        const Reports reports = solver.reports();
        if (!allocation_countdown::fired() || outcome.exitStatus == 0) {
            // Nothing was refused, or the one refusal was survived: the run must be complete.
            EXPECT_EQ(outcome.exitStatus, 0);
            EXPECT_EQ(outcome.messages, "");
            EXPECT_EQ(reports, reference);
            if (!allocation_countdown::fired()) {
                break;
            }
            continue;
        }
        EXPECT_EQ(outcome.messages, failureLine(knapsack::failure_text::kOutOfMemory));
        EXPECT_EQ(outcome.exitStatus, 1);
        expectEarlierLinesIntact(reports, reference);
        if (testing::Test::HasFailure()) {
            return;  // the first failing count tells all; the rest would repeat it
        }
    }
#if defined(__SANITIZE_ADDRESS__)
    EXPECT_EQ(__lsan_do_recoverable_leak_check(), 0) << "LeakSanitizer found leaks";
#endif
}

std::string methodAndMode(const testing::TestParamInfo<std::tuple<int, Failing>>& info) {
    const auto [method, mode] = info.param;
    return "Method" + std::to_string(method) +
           (mode == Failing::kEveryOneAfter ? "_EveryAllocationAfter" : "_OneAllocation");
}

class AllocationFailure : public testing::TestWithParam<std::tuple<int, Failing>> {};

TEST_P(AllocationFailure, EndsWithOutOfMemoryAndKeepsTheEarlierLines) {
    const auto [method, mode] = GetParam();
    InProcessSolver solver(kInstances);
    solver.useMethod(method);
    expectOutOfMemoryAtEveryAllocation(solver, mode);
}

INSTANTIATE_TEST_SUITE_P(EveryMethod, AllocationFailure,
                         testing::Combine(testing::Values(1, 2, 3, 4, 5),
                                          testing::Values(Failing::kEveryOneAfter,
                                                          Failing::kOnlyOne)),
                         methodAndMode);

class DeepAllocationFailure : public testing::TestWithParam<int> {};

// The dynamic programming is left out: every cell of its table copies the whole deep instance.
TEST_P(DeepAllocationFailure, EndsWithOutOfMemoryOnTheSearchThreadToo) {
    InProcessSolver solver(deepInstances());
    solver.useMethod(GetParam());
    expectOutOfMemoryAtEveryAllocation(solver, Failing::kEveryOneAfter);
}

INSTANTIATE_TEST_SUITE_P(SearchAndGreedyMethods, DeepAllocationFailure,
                         testing::Values(1, 2, 3, 5));

// The model's own objects under the same countdown: a refused allocation throws std::bad_alloc and
// leaves nothing behind.
TEST(ModelAllocationFailure, RefusalsLeakNothing) {
    using knapsack::CheckedArray;
    using knapsack::Instance;
    using knapsack::Selection;
    const auto useTheModel = [] {
        const Instance instance("1 3 6 2 3 3 4 4 5\n");
        Selection selection(instance);
        selection.add(1);
        CheckedArray<Selection> row;
        row.resize(3);
        row[2] = selection;
        const CheckedArray<Selection> copy = row;
        return copy[2].cost();
    };
    for (uint64_t successes = 0;; ++successes) {
        ASSERT_LT(successes, kMostAllocations);
        const int64_t blocksBefore = allocation_countdown::liveBlocks();
        int32_t cost = 0;
        bool refused = false;
        try {
            const Armed armed(successes, Failing::kEveryOneAfter);
            cost = useTheModel();
        } catch (const std::bad_alloc&) {
            refused = true;
        }
        EXPECT_EQ(allocation_countdown::liveBlocks(), blocksBefore) << successes;
        if (!refused) {
            EXPECT_EQ(cost, 4);
            break;
        }
    }
}

TEST(ModelAllocationFailure, AnArrayWhoseResizeFailedIsEmptyAndUsable) {
    knapsack::CheckedArray<knapsack::Item> items;
    items.resize(4);
    {
        const Armed armed(0, Failing::kEveryOneAfter);
        EXPECT_THROW(items.resize(8), std::bad_alloc);
    }
    EXPECT_EQ(items.elementCount(), 0);
    EXPECT_THROW(items[0], knapsack::Failure);
    items.resize(2);
    items[1].cost = 7;
    EXPECT_EQ(items[1].cost, 7);
}

}  // namespace
}  // namespace faults
