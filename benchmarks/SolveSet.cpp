// Solves one fixed set of benchmark instances with one method and prints the total steps and the
// process's peak resident memory. Under callgrind (started with --collect-atstart=no) only the
// solves are counted: collection is switched on around each solve() call and off after it.
//
//   solve_set METHOD ITEMS [SET_SIZE]

#include <sys/resource.h>
#include <valgrind/callgrind.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "benchmarks/InstanceSets.h"
#include "methods/MethodTable.h"
#include "model/Failure.h"
#include "solver/Solver.h"

namespace {

long peakResidentKibibytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s METHOD ITEMS [SET_SIZE]\n", argv[0]);
        return 2;
    }
    const auto method = static_cast<int32_t>(std::atoi(argv[1]));
    const auto itemCount = static_cast<int32_t>(std::atoi(argv[2]));
    const auto setSize = static_cast<int32_t>(argc > 3 ? std::atoi(argv[3]) : 1);

    std::vector<std::unique_ptr<knapsack::Solver>> solvers;
    for (const knapsack::Instance& instance :
         knapsack::benchmarks::instanceSet(itemCount, setSize)) {
        solvers.push_back(knapsack::createSolver(method, instance));
        if (!solvers.back()) {
            std::fprintf(stderr, "no method %d\n", method);
            return 2;
        }
    }
    const long residentBefore = peakResidentKibibytes();
    int64_t steps = 0;
    for (const auto& solver : solvers) {
        CALLGRIND_TOGGLE_COLLECT;
        try {
            solver->solve();
        } catch (const knapsack::Failure& failure) {
            // The dynamic programming refuses a table that would not fit in the free memory.
            std::printf("method %d items %d failed: %s\n", method, itemCount, failure.what());
            return 1;
        }
        CALLGRIND_TOGGLE_COLLECT;
        steps += solver->stepCount();
    }
    std::printf(
        "method %d items %d solves %d steps %lld peak_rss_kib_before %ld peak_rss_kib %ld\n",
        method, itemCount, setSize, static_cast<long long>(steps), residentBefore,
        peakResidentKibibytes());
    return 0;
}
