#include "generator/RandomSource.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>
#include <vector>

namespace generator {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

std::vector<std::int32_t> firstDraws(std::uint32_t seed, int count) {
    RandomSource random(seed);
    std::vector<std::int32_t> draws;
    for (int i = 0; i < count; ++i) {
        draws.push_back(random.randomDraw());
    }
    return draws;
}

TEST(RandomSource, SeedOneGivesTheKnownSequence) {
    EXPECT_EQ(firstDraws(1, 10), (std::vector<std::int32_t>{41, 18467, 6334, 26500, 19169, 15724,
                                                            11478, 29358, 26962, 24464}));
}

TEST(RandomSource, StateFollowsTheCongruenceModulo2To32) {
    RandomSource random(0);
    EXPECT_EQ(random.randomDraw(), 38);
    EXPECT_EQ(random.randomState(), 2531011U);
    random.seedRandom(0xFFFFFFFFU);
    random.randomDraw();
    EXPECT_EQ(random.randomState(),
              static_cast<std::uint32_t>(0xFFFFFFFFULL * 214013ULL + 2531011ULL));
}

TEST(RandomSource, ReseedingRestartsTheSequence) {
    RandomSource random(7);
    const std::int32_t first = random.randomDraw();
    random.randomDraw();
    random.seedRandom(7);
    EXPECT_EQ(random.randomDraw(), first);
}

TEST(RandomSource, DrawsStayWithin15BitsAndReachBothEnds) {
    RandomSource random(12345);
    bool sawZero = false;
    bool sawTop = false;
    for (int i = 0; i < 2'000'000; ++i) {
        const std::int32_t draw = random.randomDraw();
        ASSERT_GE(draw, 0);
        ASSERT_LE(draw, 32767);
        sawZero = sawZero || draw == 0;
        sawTop = sawTop || draw == 32767;
    }
    EXPECT_TRUE(sawZero);
    EXPECT_TRUE(sawTop);
}

struct UniformCase {
    std::int32_t a;
    std::int32_t b;
    std::int32_t expected;  // with seed 1, whose first draw is 41

    friend void PrintTo(const UniformCase& c, std::ostream* os) {
        *os << "uniformInt(" << c.a << ", " << c.b << ")";
    }
};

class UniformIntCases : public ::testing::TestWithParam<UniformCase> {};

TEST_P(UniformIntCases, AddsTheTruncatedRemainderOfOneDraw) {
    const UniformCase& c = GetParam();
    RandomSource random(1);
    EXPECT_EQ(uniformInt(random, c.a, c.b), c.expected);
    // Exactly one draw was used: the next one is the second of the sequence.
    EXPECT_EQ(random.randomDraw(), 18467);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, UniformIntCases,
    ::testing::Values(UniformCase{1, 10, 2},                 // 41 % 10 = 1
                      UniformCase{1, 100, 42},               // 41 % 100
                      UniformCase{5, 5, 5},                  // size 1
                      UniformCase{-10, -1, -9},              // 41 % 10 = 1
                      UniformCase{1, -7, 7},                 // size -7: 41 % -7 = 6
                      UniformCase{1, kMin, 42},              // size wraps to kMin: 41 % kMin = 41
                      UniformCase{1, kMax, 42},              // the draw is smaller than the range
                      UniformCase{kMin, kMax, kMin + 41},    // size wraps to 0: the whole range
                      UniformCase{kMax, kMax - 11, kMin}));  // size -10: kMax + 1 wraps

TEST(UniformInt, NeverExceedsAPlus32767) {
    RandomSource random(99);
    std::int32_t largest = 0;
    for (int i = 0; i < 500'000; ++i) {
        largest = std::max(largest, uniformInt(random, 1, kMax));
    }
    EXPECT_EQ(largest, 32768);
}

TEST(AcceptWeight, NoBiasAcceptsWithoutADraw) {
    RandomSource random(1);
    EXPECT_TRUE(acceptWeight(random, 1000, 1000, 50.0, 0));
    EXPECT_EQ(random.randomState(), 1U);
}

TEST(AcceptWeight, TheFavouredEndIsAlwaysAcceptedAndUsesADraw) {
    // x = 1 for weight 1 when light is favoured and for weight W when heavy is, so T = 2^31 - 1.
    for (std::uint32_t seed = 0; seed < 20000; ++seed) {
        RandomSource light(seed);
        ASSERT_TRUE(acceptWeight(light, 1, 500, 40.0, -1));
        RandomSource heavy(seed);
        ASSERT_TRUE(acceptWeight(heavy, 500, 500, 40.0, 1));
        ASSERT_NE(light.randomState(), seed);
    }
}

TEST(AcceptWeight, ExponentZeroOrBelowAcceptsEveryCandidateButStillDraws) {
    for (double exponent : {0.0, -0.5, -3.0}) {
        for (std::uint32_t seed = 0; seed < 2000; ++seed) {
            RandomSource random(seed);
            ASSERT_TRUE(acceptWeight(random, 32768, 32768, exponent, -1));
            RandomSource expected(seed);
            expected.randomDraw();
            ASSERT_EQ(random.randomState(), expected.randomState());
        }
    }
}

TEST(AcceptWeight, RejectsOnlyDrawsAboveTheThreshold) {
    // x = 2^31 - 1 with exponent 1 gives T = 1 exactly: a draw of 1 is accepted, 2 rejected.
    // Seed 10023 first draws 1, seed 30092 first draws 2, seed 1 first draws 41.
    RandomSource drawsOne(10023);
    EXPECT_TRUE(acceptWeight(drawsOne, kMax, kMax, 1.0, -1));
    RandomSource drawsTwo(30092);
    EXPECT_FALSE(acceptWeight(drawsTwo, kMax, kMax, 1.0, -1));
    // Heavy bias maps weight 1 of W = 2^31 - 1 to x = W without overflowing.
    RandomSource heavyDrawsTwo(30092);
    EXPECT_FALSE(acceptWeight(heavyDrawsTwo, 1, kMax, 1.0, 1));
    RandomSource heavyDrawsOne(10023);
    EXPECT_TRUE(acceptWeight(heavyDrawsOne, 1, kMax, 1.0, 1));

    // x = 52377650 puts T just below 41 (the first draw of seed 1), 52377649 just above it.
    RandomSource below(1);
    EXPECT_FALSE(acceptWeight(below, 52377650, 60000000, 1.0, -1));
    RandomSource above(1);
    EXPECT_TRUE(acceptWeight(above, 52377649, 60000000, 1.0, -1));
}

TEST(AcceptWeight, AThresholdThatIsNotANumberAccepts) {
    RandomSource random(1);
    EXPECT_TRUE(acceptWeight(random, 32768, 32768, std::nan(""), -1));
    EXPECT_EQ(random.randomDraw(), 18467);
}

TEST(AcceptWeight, HeavyBiasThinsOutLightWeights) {
    // With k = 3 and W = 1000, weight 1 (x = 1000) has T = 2.1 and is rarely accepted, while
    // weight 1000 (x = 1) always is.
    RandomSource random(5);
    int acceptedLight = 0;
    for (int i = 0; i < 32768; ++i) {
        acceptedLight += acceptWeight(random, 1, 1000, 3.0, 1) ? 1 : 0;
    }
    EXPECT_GT(acceptedLight, 0);
    EXPECT_LT(acceptedLight, 20);
}

}  // namespace
}  // namespace generator
