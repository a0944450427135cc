#include "generator/InstanceGeneration.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <numeric>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace generator {
namespace {

struct Generated {
    std::vector<std::int32_t> weights;
    std::vector<std::int32_t> costs;
    std::int32_t total = 0;
    std::uint32_t stateAfter = 0;
};

Generated generate(std::uint32_t seed, std::int32_t itemCount, const ItemShape& shape) {
    RandomSource random(seed);
    Generated result;
    result.weights.assign(static_cast<std::size_t>(itemCount), -1);
    result.costs.assign(static_cast<std::size_t>(itemCount), -1);
    result.total = generateInstance(random, result.weights, result.costs, shape);
    result.stateAfter = random.randomState();
    return result;
}

struct PinnedCase {
    const char* name;
    std::int32_t itemCount;
    ItemShape shape;
    std::vector<std::int32_t> weights;
    std::vector<std::int32_t> costs;
    std::uint32_t stateAfter;

    friend void PrintTo(const PinnedCase& c, std::ostream* os) { *os << c.name; }
};

class PinnedInstances : public ::testing::TestWithParam<PinnedCase> {};

// Seed 1 draws 41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, ...
TEST_P(PinnedInstances, FollowTheOrderOfDraws) {
    const PinnedCase& c = GetParam();
    const Generated got = generate(1, c.itemCount, c.shape);
    EXPECT_EQ(got.weights, c.weights);
    EXPECT_EQ(got.costs, c.costs);
    EXPECT_EQ(got.total, std::accumulate(c.weights.begin(), c.weights.end(), 0));
    EXPECT_EQ(got.stateAfter, c.stateAfter);
}

INSTANTIATE_TEST_SUITE_P(
    SeedOne, PinnedInstances,
    ::testing::Values(
        // Weight, cost, weight, cost, ...: 1 + 41 % 10, 1 + 18467 % 100, ...
        PinnedCase{"NoBias", 3, {10, 100, 0.0, 0}, {2, 5, 10}, {68, 1, 25}, 1030492215U},
        // Weights 3 and 2 come again (19169, 15724) and use no acceptance or cost draw.
        PinnedCase{
            "TakenWeightsDrawAgain", 3, {3, 100, 0.0, 0}, {3, 2, 1}, {68, 1, 59}, 1924036713U},
        // Negative largest cost: costs from 1..7.
        PinnedCase{"NegativeLargestCost", 3, {3, -7, 0.0, 0}, {3, 2, 1}, {2, 6, 1}, 1924036713U},
        PinnedCase{
            "NoBiasThreeOfHundred", 3, {100, 30, 0.0, 0}, {42, 35, 70}, {18, 11, 5}, 1030492215U},
        // Every untaken candidate uses an acceptance draw, even when nothing can be rejected:
        // light and heavy bias with k <= 0 give the same items, unlike no bias.
        PinnedCase{
            "LightBiasExponentZero", 3, {100, 30, 0.0, -1}, {42, 1, 79}, {5, 5, 23}, 1766988168U},
        PinnedCase{"HeavyBiasNegativeExponent",
                   3,
                   {100, 30, -2.0, 1},
                   {42, 1, 79},
                   {5, 5, 23},
                   1766988168U},
        // Strong bias: weights stay light (or heavy) because the others get rejected.
        PinnedCase{"StrongLightBias",
                   5,
                   {100, 30, 5.0, -1},
                   {6, 5, 4, 7, 2},
                   {2, 4, 3, 3, 9},
                   2380015889U},
        PinnedCase{"StrongHeavyBias",
                   5,
                   {100, 30, 5.0, 1},
                   {96, 91, 100, 99, 97},
                   {28, 19, 5, 15, 12},
                   3148999113U}),
    [](const ::testing::TestParamInfo<PinnedCase>& info) { return std::string(info.param.name); });

TEST(GenerateInstance, AsManyItemsAsWeightsTakesEveryWeightOnce) {
    for (std::int32_t largest : {1, 2, 7, 300}) {
        const Generated got = generate(42, largest, {largest, 50, 1.5, -1});
        std::vector<std::int32_t> sorted = got.weights;
        std::sort(sorted.begin(), sorted.end());
        std::vector<std::int32_t> expected(static_cast<std::size_t>(largest));
        std::iota(expected.begin(), expected.end(), 1);
        EXPECT_EQ(sorted, expected);
        EXPECT_EQ(got.total, largest * (largest + 1) / 2);
    }
}

TEST(GenerateInstance, AllReachableWeightsAreTakenEvenWhenWIsHuge) {
    const std::int32_t huge = std::numeric_limits<std::int32_t>::max();
    const Generated got = generate(3, 32768, {huge, huge, 0.0, 0});
    EXPECT_EQ(*std::max_element(got.weights.begin(), got.weights.end()), 32768);
    EXPECT_EQ(got.total, 32768 * 32769 / 2);
    EXPECT_LE(*std::max_element(got.costs.begin(), got.costs.end()), 32768);
    EXPECT_GE(*std::min_element(got.costs.begin(), got.costs.end()), 1);
}

TEST(GenerateInstance, CostsStayWithinOneToTheLargestReachable) {
    for (std::int32_t largestCost : {1, 5, -5, 40000, -40000, std::numeric_limits<int>::min()}) {
        const Generated got = generate(11, 200, {1000, largestCost, 0.0, 0});
        const std::int32_t top =
            std::min(std::abs(static_cast<std::int64_t>(largestCost)), std::int64_t{32768});
        for (std::int32_t cost : got.costs) {
            ASSERT_GE(cost, 1) << largestCost;
            ASSERT_LE(cost, top) << largestCost;
        }
    }
}

TEST(GenerateInstance, NoItemsUseNoDrawsWhateverTheShape) {
    RandomSource random(1);
    std::vector<std::int32_t> none;
    EXPECT_EQ(generateInstance(random, none, none, {-5, 0, 1.0, 1}), 0);
    EXPECT_EQ(random.randomState(), 1U);
}

TEST(GenerateInstance, RejectsValuesThatCouldNotFinish) {
    RandomSource random(1);
    std::vector<std::int32_t> weights(4);
    std::vector<std::int32_t> costs(4);
    std::vector<std::int32_t> fewerCosts(3);
    EXPECT_THROW(generateInstance(random, weights, costs, {3, 10, 0.0, 0}), std::invalid_argument);
    EXPECT_THROW(generateInstance(random, weights, costs, {0, 10, 0.0, 0}), std::invalid_argument);
    EXPECT_THROW(generateInstance(random, weights, costs, {10, 0, 0.0, 0}), std::invalid_argument);
    EXPECT_THROW(generateInstance(random, weights, fewerCosts, {10, 10, 0.0, 0}),
                 std::invalid_argument);
    EXPECT_EQ(random.randomState(), 1U);
}

struct LimitCase {
    std::int32_t itemCount;
    std::int32_t largestWeight;
    std::int32_t largestCost;
    std::optional<std::string> message;

    friend void PrintTo(const LimitCase& c, std::ostream* os) {
        *os << "n=" << c.itemCount << " W=" << c.largestWeight << " C=" << c.largestCost;
    }
};

class UnusableValues : public ::testing::TestWithParam<LimitCase> {};

TEST_P(UnusableValues, AreFoundInTheOrderWThenCThenN) {
    const LimitCase& c = GetParam();
    EXPECT_EQ(unusableValues(c.itemCount, {c.largestWeight, c.largestCost, 0.0, 0}), c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnusableValues,
    ::testing::Values(LimitCase{1, 0, 0, "-W option value should be at least 1"},
                      LimitCase{50, -3, 5, "-W option value should be at least 1"},
                      LimitCase{50, 100, 0, "-C option value should not be 0"},
                      LimitCase{200, 100, 0, "-C option value should not be 0"},
                      LimitCase{6, 5, 9, "-n option value should be at most 5"},
                      LimitCase{32769, 1000000, 9, "-n option value should be at most 32768"},
                      LimitCase{std::numeric_limits<std::int32_t>::max(), 7, -1,
                                "-n option value should be at most 7"},
                      LimitCase{5, 5, 9, std::nullopt}, LimitCase{32768, 1000000, -2, std::nullopt},
                      LimitCase{1, 1, std::numeric_limits<std::int32_t>::min(), std::nullopt},
                      // Without items nothing is drawn, so any W and C will do.
                      LimitCase{0, -1, 0, std::nullopt},
                      LimitCase{std::numeric_limits<std::int32_t>::min(), 0, 0, std::nullopt}));

}  // namespace
}  // namespace generator
