#include "model/Instance.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "AllocationLimit.h"
#include "model/FailureText.h"

namespace knapsack {
namespace {

using namespace std::string_literals;
using testing_failure::failureText;

constexpr const char* kReadError = "Chyba pri cteni souboru";

struct ParsedLine {
    int32_t id;
    int32_t itemCount;
    int32_t capacity;
    std::vector<std::pair<int32_t, int32_t>> items;  // weight and cost
};

struct LineCase {
    std::string text;  // may hold NUL bytes
    bool accepted;
    ParsedLine parsed;  // what an accepted line holds
};

ParsedLine parse(const std::string& text) {
    const Instance instance(text);
    ParsedLine parsed{instance.id(), instance.itemCount(), instance.capacity(), {}};
    for (int32_t i = 0; i < instance.itemCount(); ++i) {
        parsed.items.emplace_back(instance.weightOf(i), instance.costOf(i));
    }
    return parsed;
}

LineCase accepted(std::string text, ParsedLine parsed) {
    return LineCase{std::move(text), true, std::move(parsed)};
}

LineCase rejected(std::string text) {
    return LineCase{std::move(text), false, {}};
}

class InstanceLines : public testing::TestWithParam<LineCase> {};

TEST_P(InstanceLines, ParseAsTheReaderRulesSay) {
    const LineCase& line = GetParam();
    if (!line.accepted) {
        EXPECT_EQ(failureText([&] { parse(line.text); }), kReadError);
        return;
    }
    const ParsedLine parsed = parse(line.text);
    EXPECT_EQ(parsed.id, line.parsed.id);
    EXPECT_EQ(parsed.itemCount, line.parsed.itemCount);
    EXPECT_EQ(parsed.capacity, line.parsed.capacity);
    EXPECT_EQ(parsed.items, line.parsed.items);
}

INSTANTIATE_TEST_SUITE_P(
    WrittenAndReadForms, InstanceLines,
    testing::Values(accepted("7 2 9 4 10 6 12\n", {7, 2, 9, {{4, 10}, {6, 12}}}), rejected(""),
                    rejected("\n"), rejected("  \t \n"), rejected("\r\n"), rejected("1 2\n"),
                    accepted("1 0 10\n", {1, 0, 10, {}}), accepted("1 0 10 5 5\n", {1, 0, 10, {}}),
                    rejected("1 2 10 3 4\n"), rejected("1 2 10 3 4 5\n"),
                    accepted("1 1 10 3 4 5 6 end\n", {1, 1, 10, {{3, 4}}}),
                    accepted("1 1 10 3 4x\n", {1, 1, 10, {{3, 4}}}), rejected("1 1 10x 3 4\n"),
                    rejected("1 1 10.5 3 4\n"), accepted("1 1 +10 3 4\n", {1, 1, 10, {{3, 4}}}),
                    accepted("1 2 10 3 4-5 6\n", {1, 2, 10, {{3, 4}, {-5, 6}}}),
                    accepted("1 -3 10\n", {1, -3, 10, {}}), rejected("1 1 10 + 3 4\n"),
                    rejected("- 1 0 10\n")));

INSTANTIATE_TEST_SUITE_P(
    WhiteSpace, InstanceLines,
    testing::Values(accepted("1\t2\t10\t3\t4\t5\t6\n", {1, 2, 10, {{3, 4}, {5, 6}}}),
                    accepted("   1   1   10    3     4   \n", {1, 1, 10, {{3, 4}}}),
                    accepted("1 1 10 3 4\r\n", {1, 1, 10, {{3, 4}}}),
                    accepted("1 1 10 3 4", {1, 1, 10, {{3, 4}}}),
                    accepted("1\n1\v10\f3\r4", {1, 1, 10, {{3, 4}}}),
                    accepted("0 1 -5 -3 -4\n", {0, 1, -5, {{-3, -4}}})));

INSTANTIATE_TEST_SUITE_P(
    NumbersAtTheLimits, InstanceLines,
    testing::Values(accepted("2147483647 1 -2147483648 -2147483648 2147483647\n",
                             {INT_MAX, 1, INT_MIN, {{INT_MIN, INT_MAX}}}),
                    accepted("+0007 0 -0\n", {7, 0, 0, {}}), rejected("2147483648 0 10\n"),
                    rejected("1 0 -2147483649\n"), rejected("1 1 10 2147483648 4\n"),
                    rejected("1 1 10 3 99999999999999999999999999\n"),
                    rejected("1 4294967297 10 3 4\n")));

INSTANTIATE_TEST_SUITE_P(NulBytes, InstanceLines,
                         testing::Values(rejected("\0 1 0 10\n"s), rejected("1 1 10\0 3 4\n"s),
                                         rejected("1 1 10 3\0 4\n"s),
                                         accepted("1 0 10\0\n"s, {1, 0, 10, {}}),
                                         accepted("1 1 10 3 4\0 junk\n"s, {1, 1, 10, {{3, 4}}})));

INSTANTIATE_TEST_SUITE_P(
    ClaimedCountsLargerThanTheLine, InstanceLines,
    testing::Values(rejected("1 2000000000 10\n"), rejected("1 2147483647 10 1 1 1 1\n"),
                    accepted("1 3 10 1 1 1 1 1 1x\n", {1, 3, 10, {{1, 1}, {1, 1}, {1, 1}}}),
                    rejected("1 3 10 1 1 1 1 1\n")));

TEST(Instance, AClaimedCountMakesNoAllocationBeyondWhatTheLineCanHold) {
    allocation_limit::resetLargestRequest();
    EXPECT_EQ(failureText([] { Instance("1 2000000000 10 1 1 1 1\n"); }), kReadError);
    EXPECT_EQ(failureText([] { Instance("1 200000 10 "s + std::string(100000, ' ')); }),
              kReadError);
    EXPECT_LT(allocation_limit::largestRequest(), size_t{1} << 20);
}

TEST(Instance, OneItemPerFourCharactersIsTheDensestLine) {
    // Separators and digits of one character each: the count check must not reject it.
    std::string line = "1 3 10";
    for (int i = 0; i < 3; ++i) {
        line += " 1-2";
    }
    const ParsedLine parsed = parse(line);
    EXPECT_EQ(parsed.items, (std::vector<std::pair<int32_t, int32_t>>(3, {1, -2})));
}

TEST(Instance, ItemAccessOutsideTheItemsFails) {
    const Instance instance("1 2 10 3 4 5 6");
    EXPECT_EQ(failureText([&] { instance.weightOf(2); }), "index out of bounds");
    EXPECT_EQ(failureText([&] { instance.costOf(-1); }), "index out of bounds");
    const Instance empty("1 0 10");
    EXPECT_EQ(failureText([&] { empty.weightOf(0); }), "index out of bounds");
    const Instance negative("1 -3 10");
    EXPECT_EQ(failureText([&] { negative.costOf(0); }), "index out of bounds");
}

TEST(Instance, CostSumAddsEveryCostAndWraps) {
    EXPECT_EQ(Instance("1 0 10").costSum(), 0);
    EXPECT_EQ(Instance("1 -2 10").costSum(), 0);
    EXPECT_EQ(Instance("1 3 10 1 5 1 -2 1 7").costSum(), 10);
    EXPECT_EQ(Instance("1 2 10 1 2147483647 1 1").costSum(), INT_MIN);
}

TEST(Instance, CopiesShareNoItems) {
    auto original = std::make_unique<Instance>("4 2 10 3 4 5 6");
    Instance copied(*original);
    Instance assigned("9 1 1 1 1");
    assigned = *original;
    original.reset();
    for (const Instance* copy : {&copied, &assigned}) {
        EXPECT_EQ(copy->id(), 4);
        EXPECT_EQ(copy->itemCount(), 2);
        EXPECT_EQ(copy->capacity(), 10);
        EXPECT_EQ(copy->weightOf(1), 5);
        EXPECT_EQ(copy->costOf(1), 6);
    }
}

}  // namespace
}  // namespace knapsack
