#include "generator/GeneratorRun.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "GeneratorArguments.h"

namespace generator {
namespace {

struct RunResult {
    int exitStatus = -1;
    std::string out;
    std::string err;
    int seedRequests = 0;
};

RunResult run(const std::vector<std::string>& arguments, std::uint32_t seed = 1) {
    const ArgumentVector args(arguments);
    std::ostringstream out;
    std::ostringstream err;
    RunResult result;
    result.exitStatus = runGenerator(args.argc(), args.argv(), out, err, [&] {
        ++result.seedRequests;
        return seed;
    });
    result.out = out.str();
    result.err = err.str();
    return result;
}

TEST(GeneratorRun, SeedOneWritesTheKnownInstances) {
    const RunResult result = run(optionArguments("7", "3", "2", "0.5", "0", "10", "100", "0"));
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.out, "7 3 8 2 68 5 1 10 25\n8 3 9 9 59 3 65 6 46\n");
    EXPECT_EQ(result.err,
              "total weight 17\ntotal weight 18\n"
              "average total weight 17.50; first unused instance id 9\n");
    EXPECT_EQ(result.seedRequests, 1);
}

TEST(GeneratorRun, HeavyBiasRunWithNegativeIdsIsPinned) {
    const RunResult result =
        run(optionArguments("-3", "2", "3", "1.5", "1", "20", "9", "1"), 12345);
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.out, "-3 2 16 5 2 6 6\n-2 2 34 18 3 5 5\n-1 2 31 4 4 17 2\n");
    EXPECT_EQ(result.err,
              "total weight 11\ntotal weight 23\ntotal weight 21\n"
              "average total weight 18.33; first unused instance id 0\n");
}

TEST(GeneratorRun, TheSameSeedRepeatsTheRunAndAnotherDoesNot) {
    const auto arguments = optionArguments("1", "20", "5", "0.4", "2", "1000", "500", "-1");
    EXPECT_EQ(run(arguments, 77).out, run(arguments, 77).out);
    EXPECT_NE(run(arguments, 77).out, run(arguments, 78).out);
}

struct FailureCase {
    const char* name;
    std::vector<std::string> arguments;
    std::string message;

    friend void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }
};

class RunFailures : public ::testing::TestWithParam<FailureCase> {};

TEST_P(RunFailures, WriteOneLineToErrorAndNothingElse) {
    const FailureCase& c = GetParam();
    const RunResult result = run(c.arguments);
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, c.message);
    EXPECT_EQ(result.seedRequests, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RunFailures,
    ::testing::Values(
        FailureCase{"NoArguments", {}, "-I option missing\n"},
        FailureCase{"BadDirection", optionArguments("1", "2", "3", "0.5", "1", "9", "9", "2"),
                    "-d option value should be -1 .. 1\n"},
        FailureCase{"NoWeightsAndNoCosts",
                    optionArguments("1", "1", "3", "0.5", "1", "0", "0", "0"),
                    "-W option value should be at least 1\n"},
        FailureCase{"NegativeLargestWeight",
                    optionArguments("1", "5", "3", "0.5", "1", "-4", "9", "0"),
                    "-W option value should be at least 1\n"},
        FailureCase{"NoCostsAndTooManyItems",
                    optionArguments("1", "9", "3", "0.5", "1", "5", "0", "0"),
                    "-C option value should not be 0\n"},
        FailureCase{"MoreItemsThanWeights",
                    optionArguments("1", "6", "3", "0.5", "1", "5", "9", "0"),
                    "-n option value should be at most 5\n"},
        FailureCase{"MoreItemsThanReachable",
                    optionArguments("1", "32769", "1", "0.5", "1", "2147483647", "9", "0"),
                    "-n option value should be at most 32768\n"},
        // Options are all read before the values are checked.
        FailureCase{"OptionFaultBeforeValueFault",
                    optionArguments("1", "6", "3", "0.5", "1", "5", "0", "7"),
                    "-d option value should be -1 .. 1\n"}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

TEST(GeneratorRun, InstancesWithoutItemsNeedNoUsableWeightsOrCosts) {
    const RunResult result = run(optionArguments("5", "0", "2", "0.5", "1", "-3", "0", "1"));
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.out, "5 0 0\n6 0 0\n");
    EXPECT_EQ(result.err,
              "total weight 0\ntotal weight 0\n"
              "average total weight 0.00; first unused instance id 7\n");
    EXPECT_EQ(run(optionArguments("5", "-2", "1", "0.5", "1", "0", "0", "0")).out, "5 -2 0\n");
}

TEST(GeneratorRun, NoInstancesStillWriteTheSummary) {
    for (const char* count : {"0", "-4"}) {
        const RunResult result = run(optionArguments("10", "3", count, "0.5", "1", "9", "9", "0"));
        EXPECT_EQ(result.exitStatus, 0);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "average total weight 0.00; first unused instance id " +
                                  std::to_string(10 + std::stoi(count)) + "\n");
    }
}

TEST(GeneratorRun, IdsWrapAroundPastTheLargestInteger) {
    const RunResult result = run(optionArguments("2147483646", "0", "3", "1", "1", "1", "1", "0"));
    EXPECT_EQ(result.out, "2147483646 0 0\n2147483647 0 0\n-2147483648 0 0\n");
    EXPECT_NE(result.err.find("first unused instance id -2147483647\n"), std::string::npos);
}

TEST(GeneratorRun, AverageOfTotalsBeyond32BitsIsExact) {
    // Each instance takes every weight 1..32768: 536887296 each, 2684436480 over five.
    const RunResult result = run(optionArguments("0", "32768", "5", "0", "0", "32768", "3", "0"));
    EXPECT_EQ(result.exitStatus, 0);
    const std::string totalLine = "total weight 536887296\n";
    std::string expectedErr;
    for (int i = 0; i < 5; ++i) {
        expectedErr += totalLine;
    }
    expectedErr += "average total weight 536887296.00; first unused instance id 5\n";
    EXPECT_EQ(result.err, expectedErr);
}

// A stream buffer whose every write fails, as a full disk does.
class FailingBuffer : public std::streambuf {
  protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

TEST(GeneratorRun, AFailedOutputIsAWriteErrorAndStopsTheRun) {
    const ArgumentVector args(optionArguments("1", "3", "1000", "0.5", "1", "10", "100", "0"));
    FailingBuffer failing;
    std::ostream out(&failing);
    std::ostringstream err;
    const int status = runGenerator(args.argc(), args.argv(), out, err, [] { return 1U; });
    EXPECT_EQ(status, 1);
    // The first instance line failed, so no more were made and no summary was written.
    EXPECT_EQ(err.str(), "total weight 17\nwrite error\n");
}

struct CapacityCase {
    std::int32_t total;
    double ratio;
    std::int32_t expected;

    friend void PrintTo(const CapacityCase& c, std::ostream* os) {
        *os << c.total << " x " << c.ratio;
    }
};

class CapacityCases : public ::testing::TestWithParam<CapacityCase> {};

TEST_P(CapacityCases, TruncateTowardZeroAndKeepTheLow32Bits) {
    const CapacityCase& c = GetParam();
    EXPECT_EQ(capacityFor(c.total, c.ratio), c.expected);
}

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Table, CapacityCases,
    ::testing::Values(CapacityCase{47, 0.5, 23}, CapacityCase{5, -0.5, -2}, CapacityCase{5, 0.0, 0},
                      CapacityCase{5, 1.0, 5}, CapacityCase{0, 7.0, 0},
                      CapacityCase{536887296, 8.0, 131072}, CapacityCase{1, 3e9, -1294967296},
                      CapacityCase{1, -3e9, 1294967296}, CapacityCase{536887296, -4.1, 2093729383},
                      CapacityCase{1, 9.2e18, -1650982912}, CapacityCase{3, -1e18, 164888576},
                      // Products without a 64-bit value give 0.
                      CapacityCase{1, 1e19, 0}, CapacityCase{1, -1e19, 0},
                      CapacityCase{5, kInfinity, 0}, CapacityCase{5, -kInfinity, 0},
                      CapacityCase{0, kInfinity, 0}, CapacityCase{5, kNotANumber, 0}));

TEST(SummaryLine, AveragesInFloatingPointWithTwoDecimals) {
    EXPECT_EQ(summaryLine(100, 3, 0), "average total weight 33.33; first unused instance id 3");
    EXPECT_EQ(summaryLine(5, 2, 4), "average total weight 2.50; first unused instance id 6");
    EXPECT_EQ(summaryLine(0, 0, 10), "average total weight 0.00; first unused instance id 10");
    EXPECT_EQ(summaryLine(0, -5, 10), "average total weight 0.00; first unused instance id 5");
    EXPECT_EQ(summaryLine(4000000000, 8, 2147483647),
              "average total weight 500000000.00; first unused instance id -2147483641");
}

}  // namespace
}  // namespace generator
