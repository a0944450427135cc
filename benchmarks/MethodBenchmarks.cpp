// Time per step of every method on fixed sets of random instances. Only solve() is timed, in the
// thread's processor time; the solver objects are made outside the clock. One more solve of the
// set's first instance, outside the timing, counts what that solve allocates.

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <time.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "benchmarks/AllocationTally.h"
#include "benchmarks/InstanceSets.h"
#include "methods/MethodTable.h"
#include "model/Failure.h"
#include "solver/Solver.h"

namespace knapsack::benchmarks {
namespace {

// What one benchmark solves: every instance of the set, rounds times over, per repetition.
struct Workload {
    int32_t method;
    int32_t itemCount;
    int32_t setSize;
    int32_t rounds;
};

// The processor time of this thread: on a machine shared with other work it leaves out the time
// that the thread spends waiting for a processor, which a wall clock would count.
double threadCpuNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec);
}

void reportAllocations(benchmark::State& state, const Workload& workload,
                       const Instance& instance) {
    const std::unique_ptr<Solver> solver = createSolver(workload.method, instance);
    AllocationTally::start();
    solver->solve();
    const AllocationSummary allocations = AllocationTally::stop();
    const double steps = solver->stepCount();
    state.counters["allocs_per_solve"] = static_cast<double>(allocations.allocations);
    if (workload.method == 4) {
        state.counters["peak_bytes_per_cell"] = static_cast<double>(allocations.peakBytes) / steps;
        state.counters["allocated_bytes_per_cell"] =
            static_cast<double>(allocations.allocatedBytes) / steps;
    }
}

void solveSet(benchmark::State& state, const Workload& workload) {
    const std::vector<Instance> instances = instanceSet(workload.itemCount, workload.setSize);
    try {
        reportAllocations(state, workload, instances.front());
    } catch (const Failure& failure) {
        // The dynamic programming refuses an instance whose table would not fit in memory.
        state.SkipWithError(failure.what());
        return;
    }
    double nanoseconds = 0;
    double steps = 0;
    size_t next = 0;
    for (auto _ : state) {
        // The allocator keeps the memory of the last solve for later use. Given back, every solve
        // starts as in a fresh process, taking its memory from the system, and the memory budget
        // of the dynamic programming sees the memory as free again.
        malloc_trim(0);
        const std::unique_ptr<Solver> solver =
            createSolver(workload.method, instances[next++ % instances.size()]);
        const double start = threadCpuNanoseconds();
        try {
            solver->solve();
        } catch (const Failure& failure) {
            // Another instance of the set may need more memory than the first.
            state.SkipWithError(failure.what());
            break;
        }
        const double elapsed = threadCpuNanoseconds() - start;
        state.SetIterationTime(elapsed * 1e-9);
        nanoseconds += elapsed;
        steps += solver->stepCount();
    }
    state.counters["ns_per_step"] = nanoseconds / steps;
    state.counters["steps_per_solve"] = steps / static_cast<double>(state.iterations());
}

benchmark::internal::Benchmark* registerWorkload(const char* name, const Workload& workload) {
    return benchmark::RegisterBenchmark(name, solveSet, workload)
        ->Arg(workload.itemCount)
        ->Iterations(int64_t{workload.setSize} * workload.rounds)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
}

void registerAll() {
    for (int32_t itemCount : {22, 24, 26}) {
        // At 22 items a solve takes a few milliseconds: more rounds make a repetition long enough
        // not to hang on a single interruption.
        registerWorkload("exhaustive", {1, itemCount, 3, itemCount == 22 ? 4 : 1});
    }
    for (int32_t itemCount : {22, 24, 26}) {
        // Branch and bound cuts most of the tree: many more solves make a measurable time.
        registerWorkload("branch_and_bound", {3, itemCount, 8, 10});
    }
    registerWorkload("ratio_greedy", {2, 100, 8, 200});
    registerWorkload("ratio_greedy", {2, 1000, 4, 4});
    registerWorkload("improved_greedy", {5, 100, 8, 200});
    registerWorkload("improved_greedy", {5, 1000, 4, 4});
    for (int32_t itemCount : {30, 60, 100}) {
        registerWorkload("dynamic_programming", {4, itemCount, 2, 1});
    }
    // About 14 GiB and a minute for each solve: one instance, solved once for the time and once
    // for the memory, and only when asked for (scripts/benchmark leaves it out by default).
    registerWorkload("dynamic_programming_large", {4, 200, 1, 1})->Repetitions(1);
}

}  // namespace
}  // namespace knapsack::benchmarks

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    knapsack::benchmarks::registerAll();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
