// Hostile arguments given to the built generator program: values that cannot be generated, and
// values at the edges of their types. Every run must end by itself, either with well-formed
// instances and exit status 0 or with one message line on standard error and exit status 1.

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "Lines.h"
#include "support/ProgramRun.h"

namespace {

using hostile::linesOf;
using testing_support::ProgramResult;
using testing_support::runProgram;

struct Options {
    std::string firstId = "1";
    std::string itemCount = "3";
    std::string instanceCount = "2";
    std::string ratio = "0.5";
    std::string exponent = "1";
    std::string largestWeight = "10";
    std::string largestCost = "10";
    std::string direction = "0";

    std::vector<std::string> arguments() const {
        return {"-I", firstId,  "-n", itemCount,     "-N", instanceCount, "-m", ratio,
                "-k", exponent, "-W", largestWeight, "-C", largestCost,   "-d", direction};
    }
};

TEST(HostileGeneratorArguments, ValuesThatCannotBeGeneratedAreRefused) {
    const struct {
        std::string name;
        Options options;
        std::string message;
    } cases[] = {
        {"no weight to draw", {.largestWeight = "0"}, "-W option value should be at least 1"},
        {"a negative largest weight",
         {.largestWeight = "-5"},
         "-W option value should be at least 1"},
        {"the smallest largest weight",
         {.largestWeight = "-99999999999"},
         "-W option value should be at least 1"},
        {"no cost to draw", {.largestCost = "0"}, "-C option value should not be 0"},
        {"more items than weights", {.itemCount = "11"}, "-n option value should be at most 10"},
        {"more items than reachable weights",
         {.itemCount = "40000", .largestWeight = "50000"},
         "-n option value should be at most 32768"},
        {"the largest item count",
         {.itemCount = "2147483647", .largestWeight = "2147483647"},
         "-n option value should be at most 32768"},
        {"a direction beyond 32 bits",
         {.direction = "4294967296"},
         "-d option value should be -1 .. 1"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        const ProgramResult result = runProgram(GENERATOR_PROGRAM, row.options.arguments());
        EXPECT_EQ(result.signal, 0);
        EXPECT_EQ(result.exitStatus, 1);
        EXPECT_EQ(result.standardOutput, "");
        EXPECT_EQ(result.standardError, row.message + "\n");
    }
}

// Values at the edges of their types that can still be generated.
TEST(HostileGeneratorArguments, EdgeValuesGiveWellFormedInstances) {
    const struct {
        std::string name;
        Options options;
    } cases[] = {
        {"a huge capacity ratio", {.ratio = "1e308"}},
        {"an infinite capacity ratio", {.ratio = "-inf"}},
        {"a capacity ratio that is not a number", {.ratio = "nan"}},
        {"a huge bias towards light weights", {.exponent = "1e308", .direction = "-1"}},
        {"a huge bias towards heavy weights", {.exponent = "1e308", .direction = "1"}},
        {"a bias exponent that is not a number", {.exponent = "nan", .direction = "1"}},
        {"the largest id", {.firstId = "99999999999"}},
        {"every reachable weight", {.itemCount = "32768", .largestWeight = "2147483647"}},
        {"the smallest largest cost", {.largestCost = "-2147483648"}},
        {"no items and no weights",
         {.itemCount = "-2147483648", .largestWeight = "0", .largestCost = "0"}},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        const ProgramResult result = runProgram(GENERATOR_PROGRAM, row.options.arguments());
        EXPECT_EQ(result.signal, 0);
        EXPECT_EQ(result.exitStatus, 0);
        const std::vector<std::string> lines = linesOf(result.standardOutput);
        ASSERT_EQ(lines.size(), 2u);
        for (const std::string& line : lines) {
            std::istringstream numbers(line);
            int64_t id = 0;
            int64_t itemCount = 0;
            int64_t capacity = 0;
            ASSERT_TRUE(numbers >> id >> itemCount >> capacity) << line;
            EXPECT_GE(capacity, INT32_MIN);
            EXPECT_LE(capacity, INT32_MAX);
            std::set<int64_t> weights;
            for (int64_t i = 0; i < itemCount; ++i) {
                int64_t weight = 0;
                int64_t cost = 0;
                ASSERT_TRUE(numbers >> weight >> cost) << line;
                EXPECT_TRUE(weights.insert(weight).second) << "repeated weight " << weight;
                EXPECT_GE(cost, 1);
                EXPECT_LE(cost, 32768);
            }
            std::string rest;
            EXPECT_FALSE(numbers >> rest) << line;
        }
        const std::vector<std::string> messages = linesOf(result.standardError);
        ASSERT_EQ(messages.size(), 3u);
        EXPECT_EQ(messages[2].rfind("average total weight ", 0), 0u) << messages[2];
    }
}

}  // namespace
