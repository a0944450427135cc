#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "model/Selection.h"

namespace knapsack::testing_methods {

// The items a selection holds, in index order.
inline std::vector<int32_t> chosenItems(const Selection& selection) {
    std::vector<int32_t> items;
    for (int32_t i = 0; i < selection.instance().itemCount(); ++i) {
        if (selection.contains(i) != 0) {
            items.push_back(i);
        }
    }
    return items;
}

// An instance line and what solving it must give: the chosen items, their totals and the steps.
struct Example {
    const char* name;
    const char* line;
    std::vector<int32_t> chosen;
    int32_t cost;
    int32_t weight;
    int32_t steps;
};

struct MethodExample {
    int32_t method;
    Example example;
};

// Solves each example's instance with its method and compares the answer and the steps; each
// method's test file instantiates it with its own examples.
class WorkedExamples : public testing::TestWithParam<MethodExample> {};

inline auto examplesOf(int32_t method, const std::vector<Example>& examples) {
    std::vector<MethodExample> cases;
    for (const Example& example : examples) {
        cases.push_back({method, example});
    }
    return testing::ValuesIn(cases);
}

inline std::string exampleName(const testing::TestParamInfo<MethodExample>& info) {
    return info.param.example.name;
}

}  // namespace knapsack::testing_methods
