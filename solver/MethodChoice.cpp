#include "solver/MethodChoice.h"

#include <utility>

#include "model/Failure.h"
#include "model/IntegerScanner.h"

namespace knapsack {

MethodChoice::MethodChoice(std::string_view argument, SolverFactory factory)
    : number(IntegerScanner(argument).next()), factory(std::move(factory)) {}

std::unique_ptr<Solver> MethodChoice::createSolver(const Instance& instance) const {
    std::unique_ptr<Solver> solver = number ? factory(*number, instance) : nullptr;
    if (!solver) {
        throw Failure(failure_text::kBadMethodNumber);
    }
    return solver;
}

}  // namespace knapsack
