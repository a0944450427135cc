// The solver program run as a user runs it: arguments, files, standard output and exit status.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "support/ProgramRun.h"
#include "support/TempDir.h"

namespace {

using testing_support::fileExists;
using testing_support::ProgramResult;
using testing_support::readFile;
using testing_support::runProgram;
using testing_support::writeFile;

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

// The statistics line without its elapsed time, which depends on the clock.
std::string withoutTime(const std::string& statisticsLine) {
    std::istringstream fields(statisticsLine);
    std::string id, count, cost, milliseconds, steps;
    fields >> id >> count >> cost >> milliseconds >> steps;
    return id + " " + count + " " + cost + " _ " + steps;
}

// The numbers separated by single blanks.
std::string joined(const std::vector<int>& numbers) {
    std::string text;
    for (int number : numbers) {
        if (!text.empty()) {
            text += ' ';
        }
        text += std::to_string(number);
    }
    return text;
}

std::string failureLine(const std::string& text) {
    return "Exception : " + text + " \n";
}

// An instance line of items of weight 1 and cost 1 and capacity 0: the search goes one level
// deeper per item and takes one step per level.
std::string deepLine(int32_t id, int32_t itemCount) {
    std::string line = std::to_string(id) + " " + std::to_string(itemCount) + " 0";
    for (int32_t i = 0; i < itemCount; ++i) {
        line += " 1 1";
    }
    return line + "\n";
}

class SolverProgram : public testing::Test {
  protected:
    ProgramResult run(const std::string& method = "1") {
        return runProgram(SOLVER_PROGRAM, {instances, solution, cost, statistics, method});
    }

    ProgramResult runWith(const std::vector<std::string>& arguments) {
        return runProgram(SOLVER_PROGRAM, arguments);
    }

    // Runs the solver under a limit on its address space.
    ProgramResult runWithMemoryLimit(int kilobytes) {
        return runProgram(
            "/bin/sh", {"-c", "ulimit -v " + std::to_string(kilobytes) + " && exec \"$0\" \"$@\"",
                        SOLVER_PROGRAM, instances, solution, cost, statistics, "1"});
    }

    void expectSuccess(const ProgramResult& result) {
        EXPECT_EQ(result.standardOutput, "");
        EXPECT_EQ(result.standardError, "");
        EXPECT_EQ(result.exitStatus, 0);
    }

    void expectFailure(const ProgramResult& result, const std::string& text) {
        EXPECT_EQ(result.standardOutput, failureLine(text));
        EXPECT_EQ(result.standardError, "");
        EXPECT_EQ(result.exitStatus, 1);
    }

    void expectReportsEmpty() {
        for (const std::string& report : {solution, cost, statistics}) {
            ASSERT_TRUE(fileExists(report)) << report;
            EXPECT_EQ(readFile(report), "") << report;
        }
    }

    void expectNoReports() {
        for (const std::string& report : {solution, cost, statistics}) {
            EXPECT_FALSE(fileExists(report)) << report;
        }
    }

    void writeOldReports() {
        for (const std::string& report : {solution, cost, statistics}) {
            writeFile(report, "old\n");
        }
    }

    testing_support::TempDir directory;
    const std::string instances = directory.file("instances.txt");
    const std::string solution = directory.file("solution.txt");
    const std::string cost = directory.file("cost.txt");
    const std::string statistics = directory.file("statistics.txt");
};

// Three instances with their report lines (the statistics line without its time).
const char* const kThreeInstances =
    "7 4 10 5 10 4 40 6 30 3 50\n"
    "8 3 100 10 1 20 2 30 3\n"
    "9 0 5\n";
const std::vector<std::string> kThreeSolutions{"7 4 90  0 1 0 1", "8 3 6  1 1 1", "9 0 0 "};
const std::vector<std::string> kThreeCosts{"7 90 13", "8 6 7", "9 0 0"};
const std::vector<std::string> kThreeStatistics{"7 4 90 _ 13", "8 3 6 _ 7", "9 0 0 _ 0"};

void expectThreeReports(const std::string& solution, const std::string& cost,
                        const std::string& statistics) {
    EXPECT_EQ(linesOf(readFile(solution)), kThreeSolutions);
    EXPECT_EQ(linesOf(readFile(cost)), kThreeCosts);
    std::vector<std::string> statisticsLines;
    for (const std::string& line : linesOf(readFile(statistics))) {
        statisticsLines.push_back(withoutTime(line));
    }
    EXPECT_EQ(statisticsLines, kThreeStatistics);
}

TEST_F(SolverProgram, SolvesEveryLineAndWritesThreeReports) {
    writeFile(instances, kThreeInstances);
    expectSuccess(run());
    expectThreeReports(solution, cost, statistics);
    EXPECT_EQ(readFile(solution).back(), '\n');
}

TEST_F(SolverProgram, TooFewArgumentsTouchNoFile) {
    writeFile(instances, kThreeInstances);
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{}, {instances, solution, cost, statistics}}) {
        expectFailure(runWith(arguments), "Malo parametru");
        expectNoReports();
    }
    writeOldReports();
    expectFailure(runWith({instances, solution, cost, statistics}), "Malo parametru");
    EXPECT_EQ(readFile(solution), "old\n");
}

TEST_F(SolverProgram, ArgumentsAfterTheFifthAreIgnored) {
    writeFile(instances, kThreeInstances);
    expectSuccess(runWith({instances, solution, cost, statistics, "1", "7", "extra"}));
    expectThreeReports(solution, cost, statistics);
}

TEST_F(SolverProgram, ReportsThatExistedAreEmptiedEvenWhenTheFirstLineFails) {
    writeFile(instances, "garbage\n");
    writeOldReports();
    expectFailure(run(), "Chyba pri cteni souboru");
    expectReportsEmpty();
}

TEST_F(SolverProgram, AMalformedLineEndsTheRunAfterTheLinesBeforeIt) {
    for (const char* malformed : {"1 2 10 3 4\n", "\n", "   \n", "1 1 10 99999999999 4\n"}) {
        writeFile(instances, std::string(kThreeInstances) + malformed + "5 1 1 1 1\n");
        expectFailure(run(), "Chyba pri cteni souboru");
        expectThreeReports(solution, cost, statistics);
    }
}

TEST_F(SolverProgram, ALastLineWithoutLineEndIsSolved) {
    writeFile(instances, "7 4 10 5 10 4 40 6 30 3 50\n8 3 100 10 1 20 2 30 3\n9 0 5");
    expectSuccess(run());
    expectThreeReports(solution, cost, statistics);
}

TEST_F(SolverProgram, ABlankLastLineIsMalformed) {
    writeFile(instances, std::string(kThreeInstances) + "\n");
    expectFailure(run(), "Chyba pri cteni souboru");
    expectThreeReports(solution, cost, statistics);
}

TEST_F(SolverProgram, MethodNumbersOfNoMethodAreRefusedOnceALineIsRead) {
    writeFile(instances, kThreeInstances);
    for (const char* method : {"0", "6", "-1", "abc", "", "+", "99999999999", "4294967297"}) {
        writeOldReports();
        expectFailure(run(method), "Spatne cislo algoritmu");
        expectReportsEmpty();
    }
}

TEST_F(SolverProgram, AnEmptyInstanceFileNeverLooksAtTheMethodNumber) {
    writeFile(instances, "");
    expectSuccess(run("9"));
    expectReportsEmpty();
}

TEST_F(SolverProgram, AMalformedFirstLineIsReportedBeforeAWrongMethodNumber) {
    writeFile(instances, "1 2\n");
    expectFailure(run("0"), "Chyba pri cteni souboru");
}

TEST_F(SolverProgram, TheMethodNumberIsReadAsTheLeadingDecimalNumber) {
    writeFile(instances, kThreeInstances);
    for (const char* method : {"1abc", "+1", " 1", "\t1", "01", "1.9"}) {
        expectSuccess(run(method));
        expectThreeReports(solution, cost, statistics);
    }
}

TEST_F(SolverProgram, AnInstanceFileThatCannotBeOpenedTouchesNoReport) {
    const std::string missing = directory.file("missing.txt");
    expectFailure(runWith({missing, solution, cost, statistics, "1"}),
                  "Nelze otevrit soubor " + missing);
    expectNoReports();

    writeOldReports();
    expectFailure(runWith({directory.path(), solution, cost, statistics, "1"}),
                  "Nelze otevrit soubor " + directory.path());
    EXPECT_EQ(readFile(solution), "old\n");
}

TEST_F(SolverProgram, TheFileNameIsReportedAsGiven) {
    const ProgramResult result = runWith({"no/such/dir/in.txt", solution, cost, statistics, "1"});
    expectFailure(result, "Nelze otevrit soubor no/such/dir/in.txt");
}

TEST_F(SolverProgram, AReportFileThatCannotBeOpenedIsNamed) {
    writeFile(instances, kThreeInstances);
    const std::string noDirectory = directory.file("none/cost.txt");
    expectFailure(runWith({instances, solution, noDirectory, statistics, "1"}),
                  "Nelze otevrit soubor " + noDirectory);
    EXPECT_FALSE(fileExists(statistics));

    expectFailure(runWith({instances, solution, cost, directory.path(), "1"}),
                  "Nelze otevrit soubor " + directory.path());
}

TEST_F(SolverProgram, TheInstanceFileAsAReportIsRefusedBeforeAnythingIsWritten) {
    writeFile(instances, kThreeInstances);
    const std::string linked = directory.file("linked.txt");
    ASSERT_EQ(link(instances.c_str(), linked.c_str()), 0);
    const std::string symbolic = directory.file("symbolic.txt");
    ASSERT_EQ(symlink(instances.c_str(), symbolic.c_str()), 0);
    const std::string spelledOtherwise = directory.path() + "/./instances.txt";

    for (const std::string& same : {instances, linked, symbolic, spelledOtherwise}) {
        for (int position : {1, 2, 3}) {
            std::vector<std::string> arguments{instances, solution, cost, statistics, "1"};
            arguments[position] = same;
            expectFailure(runWith(arguments), "Stejny vstupni a vystupni soubor");
            EXPECT_EQ(readFile(instances), kThreeInstances);
            for (int other : {1, 2, 3}) {
                if (other != position) {
                    EXPECT_FALSE(fileExists(arguments[other])) << arguments[other];
                }
            }
        }
    }
}

TEST_F(SolverProgram, AFileWithTheSameContentsIsAnotherFile) {
    writeFile(instances, kThreeInstances);
    writeFile(solution, kThreeInstances);
    expectSuccess(run());
    expectThreeReports(solution, cost, statistics);
}

TEST_F(SolverProgram, AReportThatCannotBeWrittenIsAWriteFailure) {
    writeFile(instances, kThreeInstances);
    expectFailure(runWith({instances, "/dev/full", cost, statistics, "1"}),
                  "Chyba pri zapisu souboru");
    EXPECT_EQ(readFile(cost), "");
    expectFailure(runWith({instances, solution, cost, "/dev/full", "1"}),
                  "Chyba pri zapisu souboru");
    EXPECT_EQ(linesOf(readFile(solution)), std::vector<std::string>{kThreeSolutions[0]});
    EXPECT_EQ(linesOf(readFile(cost)), std::vector<std::string>{kThreeCosts[0]});
}

TEST_F(SolverProgram, AReadErrorIsAReadFailure) {
    // Reading the process's own memory from address 0 fails with an I/O error.
    expectFailure(runWith({"/proc/self/mem", solution, cost, statistics, "1"}),
                  "Chyba pri cteni souboru");
    expectReportsEmpty();
}

TEST_F(SolverProgram, LongLinesAreReadWhole) {
    // A line of exactly 1023 characters before its line end, padded between the numbers.
    std::string exact = "1 2 10";
    exact += std::string(1023 - exact.size() - 8, ' ') + " 3 4 5 6";
    ASSERT_EQ(exact.size(), 1023u);
    writeFile(instances, exact + "\n" + deepLine(2, 30000));
    expectSuccess(run());
    const std::vector<std::string> costs = linesOf(readFile(cost));
    EXPECT_EQ(costs, (std::vector<std::string>{"1 10 3", "2 0 30000"}));
    const std::vector<std::string> solutions = linesOf(readFile(solution));
    ASSERT_EQ(solutions.size(), 2u);
    EXPECT_EQ(solutions[0], "1 2 10  1 1");
    EXPECT_EQ(solutions[1].size(), std::string("2 30000 0 ").size() + 2 * 30000);
}

TEST_F(SolverProgram, AMillionItemsDeepSearchDoesNotOverflowTheStack) {
    writeFile(instances, deepLine(5, 1000000));
    const ProgramResult result = run();
    EXPECT_EQ(result.signal, 0);
    expectSuccess(result);
    EXPECT_EQ(readFile(cost), "5 0 1000000\n");
    std::string expectedSolution = "5 1000000 0 ";
    for (int i = 0; i < 1000000; ++i) {
        expectedSolution += " 0";
    }
    EXPECT_EQ(readFile(solution), expectedSolution + "\n");
    EXPECT_EQ(withoutTime(readFile(statistics)), "5 1000000 0 _ 1000000");
}

// Lines as the generator writes them: 200 items of distinct weights 1..200 in random order,
// costs 1..100, and a capacity of 3, so that only the items of weight 1 and 2 can be chosen.
TEST_F(SolverProgram, GeneratedLinesOfTwoHundredItemsAreSolvedWhole) {
    constexpr int kItems = 200;
    constexpr int kCapacity = 3;
    std::mt19937 random(12345);
    std::string file;
    std::vector<std::string> expectedCosts;
    std::vector<std::string> expectedSolutions;
    for (int id = 10; id < 15; ++id) {
        std::vector<int> weights(kItems);
        std::iota(weights.begin(), weights.end(), 1);
        std::shuffle(weights.begin(), weights.end(), random);
        std::vector<int> costs(kItems);
        for (int& itemCost : costs) {
            itemCost = std::uniform_int_distribution<int>(1, 100)(random);
        }
        std::vector<int> numbers{id, kItems, kCapacity};
        for (int i = 0; i < kItems; ++i) {
            numbers.push_back(weights[i]);
            numbers.push_back(costs[i]);
        }
        file += joined(numbers) + "\n";

        // The admissible selections: {}, {weight 1}, {weight 2}, {weight 3}, {weight 1, 2}.
        const int one = std::find(weights.begin(), weights.end(), 1) - weights.begin();
        const int two = std::find(weights.begin(), weights.end(), 2) - weights.begin();
        const int three = std::find(weights.begin(), weights.end(), 3) - weights.begin();
        std::vector<std::vector<int>> admissible{
            {}, {one}, {two}, {three}, {std::min(one, two), std::max(one, two)}};
        // Best: the highest cost, the first in the search's order on a tie (the lexicographic
        // order of the ascending index lists, a list before its extensions).
        std::vector<int> best;
        int bestCost = 0;
        int steps = 0;
        for (const std::vector<int>& candidate : admissible) {
            int candidateCost = 0;
            for (int item : candidate) {
                candidateCost += costs[item];
            }
            if (candidateCost > bestCost ||
                (candidateCost == bestCost && candidateCost > 0 && candidate < best)) {
                best = candidate;
                bestCost = candidateCost;
            }
            // One step at every level below the item count past the selection's last item.
            steps += kItems - (candidate.empty() ? 0 : candidate.back() + 1);
        }
        expectedCosts.push_back(joined({id, bestCost, steps}));
        std::string flags;
        for (int i = 0; i < kItems; ++i) {
            flags += std::find(best.begin(), best.end(), i) != best.end() ? " 1" : " 0";
        }
        expectedSolutions.push_back(joined({id, kItems, bestCost}) + " " + flags);
    }
    ASSERT_GT(file.size(), 5u * 1024);
    writeFile(instances, file);
    expectSuccess(run());
    EXPECT_EQ(linesOf(readFile(cost)), expectedCosts);
    EXPECT_EQ(linesOf(readFile(solution)), expectedSolutions);
}

#if !defined(__SANITIZE_ADDRESS__)
// The address sanitizer reserves far more address space than any limit here would allow.

TEST_F(SolverProgram, MemoryExhaustionIsReportedAfterTheLinesBefore) {
    // Three million items do not fit in 60 MB; one million fit in 300 MB, but the stack for
    // searching them does not.
    for (auto [itemCount, kilobytes] : {std::pair{3000000, 60000}, std::pair{1000000, 300000}}) {
        writeFile(instances, "1 1 5 1 1\n" + deepLine(2, itemCount));
        const ProgramResult result = runWithMemoryLimit(kilobytes);
        EXPECT_EQ(result.signal, 0);
        expectFailure(result, "Nedostatek pameti");
        EXPECT_EQ(readFile(solution), "1 1 1  1\n");
        EXPECT_EQ(readFile(cost), "1 1 1\n");
        EXPECT_EQ(withoutTime(readFile(statistics)), "1 1 1 _ 1");
    }
}
#endif

}  // namespace
