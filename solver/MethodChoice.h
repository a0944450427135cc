#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "model/Instance.h"
#include "solver/Solver.h"

namespace knapsack {

// Makes a solver of the method with the given number for a copy of the instance, or nullptr when
// no method has that number.
using SolverFactory = std::function<std::unique_ptr<Solver>(int32_t, const Instance&)>;

// The method chosen on the command line. The number is read as "%d" reads it (leading white
// space, an optional sign, digits up to the first other character), but it is looked up only
// when a solver is wanted, so that an empty instance file never meets a wrong number.
class MethodChoice {
  public:
    MethodChoice(std::string_view argument, SolverFactory factory);

    // A new solver of the chosen method for a copy of the instance. Throws "Spatne cislo
    // algoritmu" when the argument held no number, one outside 32 bits, or one of no method.
    std::unique_ptr<Solver> createSolver(const Instance& instance) const;

  private:
    std::optional<int32_t> number;
    SolverFactory factory;
};

}  // namespace knapsack
