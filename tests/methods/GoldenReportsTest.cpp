// Fixed instance files whose reports were recorded once (tests/data/golden): every method must go
// on writing exactly the same solution and cost lines for them, chosen items, costs and step
// counts alike, and statistics lines that agree with both apart from the elapsed time. Changes
// made for speed must never show here.

#include <gtest/gtest.h>

#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "support/ProgramRun.h"
#include "support/TempDir.h"

namespace {

using testing_support::readFile;

const std::string kGoldenData = std::string(KNAPSACK_TEST_DATA) + "/golden/";

struct GoldenRun {
    std::string set;  // tests/data/golden/<set>.txt, with <set>.<method>.solutions and .costs
    int method;
};

void PrintTo(const GoldenRun& run, std::ostream* stream) {
    *stream << run.set << " with method " << run.method;
}

std::string runName(const testing::TestParamInfo<GoldenRun>& info) {
    return info.param.set + "_method" + std::to_string(info.param.method);
}

std::vector<std::string> fieldsOf(const std::string& line) {
    std::istringstream stream(line);
    std::vector<std::string> fields;
    for (std::string field; stream >> field;) {
        fields.push_back(field);
    }
    return fields;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::istringstream stream(text);
    std::vector<std::string> lines;
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

// The statistics line repeats id, item count and cost of the solution line and the steps of the
// cost line; only its elapsed milliseconds (the fourth number) may differ between runs.
void expectStatisticsAgree(const std::string& statistics, const std::string& solutions,
                           const std::string& costs) {
    const auto statisticsLines = linesOf(statistics);
    const auto solutionLines = linesOf(solutions);
    const auto costLines = linesOf(costs);
    ASSERT_EQ(statisticsLines.size(), solutionLines.size());
    ASSERT_EQ(costLines.size(), solutionLines.size());
    for (size_t i = 0; i < statisticsLines.size(); ++i) {
        const auto fields = fieldsOf(statisticsLines[i]);
        const auto solution = fieldsOf(solutionLines[i]);
        const auto cost = fieldsOf(costLines[i]);
        ASSERT_EQ(fields.size(), 5u) << statisticsLines[i];
        EXPECT_EQ(fields[0], solution[0]) << statisticsLines[i];
        EXPECT_EQ(fields[1], solution[1]) << statisticsLines[i];
        EXPECT_EQ(fields[2], solution[2]) << statisticsLines[i];
        EXPECT_EQ(fields[3].find_first_not_of("-0123456789"), std::string::npos)
            << statisticsLines[i];
        EXPECT_EQ(fields[4], cost[2]) << statisticsLines[i];
    }
}

class GoldenReports : public testing::TestWithParam<GoldenRun> {};

TEST_P(GoldenReports, AreReproducedExactly) {
    const GoldenRun& run = GetParam();
    const std::string expected = kGoldenData + run.set + "." + std::to_string(run.method);
    testing_support::TempDir directory;
    const testing_support::ProgramResult result = testing_support::runProgram(
        SOLVER_PROGRAM, {kGoldenData + run.set + ".txt", directory.file("solutions.txt"),
                         directory.file("costs.txt"), directory.file("statistics.txt"),
                         std::to_string(run.method)});
    ASSERT_EQ(result.exitStatus, 0) << result.standardOutput;
    EXPECT_EQ(result.standardOutput, "");

    const std::string solutions = readFile(directory.file("solutions.txt"));
    const std::string costs = readFile(directory.file("costs.txt"));
    EXPECT_EQ(solutions, readFile(expected + ".solutions"));
    EXPECT_EQ(costs, readFile(expected + ".costs"));
    expectStatisticsAgree(readFile(directory.file("statistics.txt")), solutions, costs);
}

// The mixed set (1 to 20 items, light and heavy weights, tight and loose capacities, and a few
// lines of ties and zero weights) suits every method; the large one (100 and 400 items) the
// greedy methods.
INSTANTIATE_TEST_SUITE_P(Recorded, GoldenReports,
                         testing::Values(GoldenRun{"mixed", 1}, GoldenRun{"mixed", 2},
                                         GoldenRun{"mixed", 3}, GoldenRun{"mixed", 4},
                                         GoldenRun{"mixed", 5}, GoldenRun{"large", 2},
                                         GoldenRun{"large", 5}),
                         runName);

}  // namespace
