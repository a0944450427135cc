// Runs the built generator program as a user would and checks what it leaves behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

#include "GeneratorArguments.h"
#include "support/ProgramRun.h"

namespace {

using generator::optionArguments;
using testing_support::ProgramResult;
using testing_support::runProgram;

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::int64_t> numbersOf(const std::string& line) {
    std::vector<std::int64_t> numbers;
    std::istringstream in(line);
    for (std::int64_t number = 0; in >> number;) {
        numbers.push_back(number);
    }
    return numbers;
}

// Integers separated by single spaces, with nothing before the first or after the last.
bool isWellFormedLine(const std::string& line) {
    std::istringstream in(line);
    std::string rebuilt;
    for (std::int64_t number = 0; in >> number;) {
        if (!rebuilt.empty()) {
            rebuilt += ' ';
        }
        rebuilt += std::to_string(number);
    }
    return in.eof() && rebuilt == line;
}

struct ParsedInstance {
    std::int64_t id = 0;
    std::int64_t itemCount = 0;
    std::int64_t capacity = 0;
    std::vector<std::int64_t> weights;
    std::vector<std::int64_t> costs;
};

ParsedInstance parseInstance(const std::string& line) {
    const std::vector<std::int64_t> numbers = numbersOf(line);
    ParsedInstance instance;
    instance.id = numbers.at(0);
    instance.itemCount = numbers.at(1);
    instance.capacity = numbers.at(2);
    for (std::size_t index = 3; index + 1 < numbers.size(); index += 2) {
        instance.weights.push_back(numbers[index]);
        instance.costs.push_back(numbers[index + 1]);
    }
    return instance;
}

TEST(GeneratorProgram, FailuresEndWithStatusOneAndWriteNothingToOutput) {
    const struct {
        std::vector<std::string> arguments;
        std::string message;
    } cases[] = {
        {{}, "-I option missing\n"},
        {{"-I", "1", "-n", "2", "-N", "3", "-m", "1", "-k", "1", "-d", "0"}, "-W option missing\n"},
        {optionArguments("1", "4", "2", "0.5x", "1", "9", "9", "0"),
         "-m option not in float format\n"},
        {optionArguments("1", "4", "2", "0.5", "1", "9", "9", "1.0"), "-d option not integer\n"},
        {optionArguments("1", "1", "2", "0.5", "1", "0", "0", "0"),
         "-W option value should be at least 1\n"},
        {optionArguments("1", "1", "2", "0.5", "1", "3", "0", "0"),
         "-C option value should not be 0\n"},
        {optionArguments("1", "40000", "2", "0.5", "1", "50000", "9", "0"),
         "-n option value should be at most 32768\n"},
    };
    for (const auto& c : cases) {
        const ProgramResult result = runProgram(GENERATOR_PROGRAM, c.arguments);
        EXPECT_EQ(result.exitStatus, 1) << c.message;
        EXPECT_EQ(result.standardOutput, "") << c.message;
        EXPECT_EQ(result.standardError, c.message);
    }
}

TEST(GeneratorProgram, WritesWellFormedLinesWithEveryWeightOnceWhenItemsEqualLargestWeight) {
    const ProgramResult result = runProgram(
        GENERATOR_PROGRAM, optionArguments("10", "50", "3", "0.5", "2", "50", "40", "1"));
    ASSERT_EQ(result.exitStatus, 0) << result.standardError;

    ASSERT_FALSE(result.standardOutput.empty());
    EXPECT_EQ(result.standardOutput.back(), '\n');
    const std::vector<std::string> lines = linesOf(result.standardOutput);
    ASSERT_EQ(lines.size(), 3U);

    std::vector<std::int64_t> allWeights(50);
    std::iota(allWeights.begin(), allWeights.end(), 1);
    for (std::size_t index = 0; index < lines.size(); ++index) {
        EXPECT_TRUE(isWellFormedLine(lines[index])) << lines[index];
        const ParsedInstance instance = parseInstance(lines[index]);
        EXPECT_EQ(instance.id, 10 + static_cast<std::int64_t>(index));
        EXPECT_EQ(instance.itemCount, 50);
        EXPECT_EQ(instance.capacity, 1275 / 2);  // 1275 * 0.5 truncated
        std::vector<std::int64_t> sorted = instance.weights;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(sorted, allWeights);
        for (std::int64_t cost : instance.costs) {
            EXPECT_GE(cost, 1);
            EXPECT_LE(cost, 40);
        }
    }
    EXPECT_EQ(result.standardError,
              "total weight 1275\ntotal weight 1275\ntotal weight 1275\n"
              "average total weight 1275.00; first unused instance id 13\n");
}

TEST(GeneratorProgram, WeightsAndCostsStayWithinTheReachableRange) {
    const ProgramResult result = runProgram(
        GENERATOR_PROGRAM, optionArguments("0", "300", "4", "1", "0", "1000000", "-90000", "0"));
    ASSERT_EQ(result.exitStatus, 0) << result.standardError;
    const std::vector<std::string> lines = linesOf(result.standardOutput);
    const std::vector<std::string> errorLines = linesOf(result.standardError);
    ASSERT_EQ(lines.size(), 4U);
    ASSERT_EQ(errorLines.size(), 5U);
    for (std::size_t index = 0; index < lines.size(); ++index) {
        const ParsedInstance instance = parseInstance(lines[index]);
        ASSERT_EQ(instance.weights.size(), 300U);
        const std::int64_t total =
            std::accumulate(instance.weights.begin(), instance.weights.end(), std::int64_t{0});
        EXPECT_EQ(instance.capacity, total);  // m = 1
        EXPECT_EQ(errorLines[index], "total weight " + std::to_string(total));
        for (std::size_t item = 0; item < instance.weights.size(); ++item) {
            EXPECT_GE(instance.weights[item], 1);
            EXPECT_LE(instance.weights[item], 32768);
            EXPECT_GE(instance.costs[item], 1);
            EXPECT_LE(instance.costs[item], 32768);
        }
    }
}

TEST(GeneratorProgram, NoInstancesWriteOnlyTheSummary) {
    const ProgramResult result =
        runProgram(GENERATOR_PROGRAM, optionArguments("10", "5", "0", "0.5", "1", "9", "9", "0"));
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.standardOutput, "");
    EXPECT_EQ(result.standardError, "average total weight 0.00; first unused instance id 10\n");
}

TEST(GeneratorProgram, AFullOutputIsAWriteError) {
    // The shell sends the generator's standard output to a device that is always full.
    const std::vector<std::string> arguments =
        optionArguments("1", "5", "3", "0.5", "1", "9", "9", "0");
    std::vector<std::string> shellArguments{"-c", "exec \"$0\" \"$@\" >/dev/full",
                                            GENERATOR_PROGRAM};
    shellArguments.insert(shellArguments.end(), arguments.begin(), arguments.end());
    const ProgramResult result = runProgram("/bin/sh", shellArguments);
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_TRUE(result.standardError.ends_with("write error\n")) << result.standardError;
    EXPECT_EQ(result.standardError.find("average"), std::string::npos);
}

}  // namespace
