#pragma once

#include <cstdint>
#include <memory>

#include "model/Instance.h"
#include "solver/Solver.h"

namespace knapsack {

// Creates a solver object of the method with the given number for a copy of the instance, or
// returns nullptr when no method has that number.
std::unique_ptr<Solver> createSolver(int32_t methodNumber, const Instance& instance);

}  // namespace knapsack
