#include "methods/MethodTable.h"

#include <array>

#include "methods/BranchAndBoundSolver.h"
#include "methods/DynamicProgrammingSolver.h"
#include "methods/ExhaustiveSolver.h"
#include "methods/ImprovedGreedySolver.h"
#include "methods/RatioGreedySolver.h"

namespace knapsack {

namespace {

struct MethodRow {
    int32_t number;
    std::unique_ptr<Solver> (*create)(const Instance&);
};

template <typename Method>
std::unique_ptr<Solver> create(const Instance& instance) {
    return std::make_unique<Method>(instance);
}

// One row per method; a new method is a new row.
// clang-format off
constexpr std::array kMethods{
    MethodRow{1, &create<ExhaustiveSolver>},
    MethodRow{2, &create<RatioGreedySolver>},
    MethodRow{3, &create<BranchAndBoundSolver>},
    MethodRow{4, &create<DynamicProgrammingSolver>},
    MethodRow{5, &create<ImprovedGreedySolver>},
};
// clang-format on

}  // namespace

std::unique_ptr<Solver> createSolver(int32_t methodNumber, const Instance& instance) {
    for (const MethodRow& row : kMethods) {
        if (row.number == methodNumber) {
            return row.create(instance);
        }
    }
    return nullptr;
}

}  // namespace knapsack
