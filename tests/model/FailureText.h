#pragma once

#include <string>

#include "model/Failure.h"

namespace knapsack::testing_failure {

// The text of the failure that the action throws, or "(no failure)" when it throws none.
template <typename Action>
std::string failureText(Action&& action) {
    try {
        action();
    } catch (const Failure& failure) {
        return failure.what();
    }
    return "(no failure)";
}

}  // namespace knapsack::testing_failure
