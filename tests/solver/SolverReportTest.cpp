#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "model/FailureText.h"
#include "solver/Solver.h"
#include "support/ProgramRun.h"
#include "support/TempDir.h"

namespace knapsack {
namespace {

using testing_failure::failureText;

// A method that chooses given items, takes given steps and reports given clock readings.
class ScriptedSolver : public Solver {
  public:
    ScriptedSolver(const char* line, std::vector<int32_t> items, int32_t stepsToTake,
                   TimeStamp start, TimeStamp end)
        : Solver(Instance(line)),
          items(std::move(items)),
          stepsToTake(stepsToTake),
          start(start),
          end(end) {}

    void solve() override {
        startClock();
        for (int32_t i = 0; i < stepsToTake; ++i) {
            countStep();
        }
        for (int32_t item : items) {
            best.add(item);
        }
        stopClock();
        startTime = start;
        endTime = end;
    }

  private:
    std::vector<int32_t> items;
    int32_t stepsToTake;
    TimeStamp start;
    TimeStamp end;
};

struct ReportLines {
    std::string solution;
    std::string cost;
    std::string statistics;
};

ReportLines reportsOf(const Solver& solver) {
    testing_support::TempDir directory;
    const std::string path = directory.file("report");
    ReportLines lines;
    for (auto [write, text] : {std::pair{&Solver::writeSolution, &lines.solution},
                               std::pair{&Solver::writeCostLine, &lines.cost},
                               std::pair{&Solver::writeStatistics, &lines.statistics}}) {
        std::FILE* stream = std::fopen(path.c_str(), "w");
        (solver.*write)(stream);
        std::fclose(stream);
        *text = testing_support::readFile(path);
    }
    return lines;
}

TEST(SolverReports, WorkedExample) {
    ScriptedSolver solver("7 4 100 1 10 1 5 1 10 1 10", {0, 2, 3}, 15, {1000, 990}, {1001, 20});
    solver.solve();
    const ReportLines lines = reportsOf(solver);
    EXPECT_EQ(lines.solution, "7 4 30  1 0 1 1\n");
    EXPECT_EQ(lines.cost, "7 30 15\n");
    EXPECT_EQ(lines.statistics, "7 4 30 30 15\n");
}

TEST(SolverReports, InstanceWithoutItems) {
    ScriptedSolver solver("7 0 10", {}, 0, {5, 0}, {5, 0});
    solver.solve();
    const ReportLines lines = reportsOf(solver);
    EXPECT_EQ(lines.solution, "7 0 0 \n");
    EXPECT_EQ(lines.cost, "7 0 0\n");
    EXPECT_EQ(lines.statistics, "7 0 0 0 0\n");
}

TEST(SolverReports, NegativeItemCountIsPrintedUnchanged) {
    ScriptedSolver solver("3 -2 10", {}, 1, {5, 0}, {5, 1});
    solver.solve();
    const ReportLines lines = reportsOf(solver);
    EXPECT_EQ(lines.solution, "3 -2 0 \n");
    EXPECT_EQ(lines.statistics, "3 -2 0 1 1\n");
}

TEST(SolverReports, UnchangedBestReportsCostZeroAndNoItem) {
    ScriptedSolver solver("-4 3 10 1 1 1 1 1 1", {}, 2, {5, 0}, {5, 0});
    solver.solve();
    const ReportLines lines = reportsOf(solver);
    EXPECT_EQ(lines.solution, "-4 3 0  0 0 0\n");
    EXPECT_EQ(lines.cost, "-4 0 2\n");
}

TEST(SolverReports, NegativeCostIsPrintedSigned) {
    ScriptedSolver solver("1 1 10 1 -6", {0}, 1, {5, 0}, {5, 0});
    solver.solve();
    EXPECT_EQ(reportsOf(solver).cost, "1 -6 1\n");
}

TEST(SolverReports, AFailedWriteIsAWriteFailure) {
    ScriptedSolver solver("1 1 10 1 1", {0}, 1, {5, 0}, {5, 0});
    solver.solve();
    std::FILE* full = std::fopen("/dev/full", "w");
    ASSERT_NE(full, nullptr);
    EXPECT_EQ(failureText([&] { solver.writeSolution(full); }), "Chyba pri zapisu souboru");
    std::clearerr(full);
    EXPECT_EQ(failureText([&] { solver.writeCostLine(full); }), "Chyba pri zapisu souboru");
    std::clearerr(full);
    EXPECT_EQ(failureText([&] { solver.writeStatistics(full); }), "Chyba pri zapisu souboru");
    std::fclose(full);
}

struct ElapsedCase {
    TimeStamp start;
    TimeStamp end;
    int32_t milliseconds;
};

TEST(ElapsedMilliseconds, SecondsTimesAThousandPlusTheMillisecondDifference) {
    const ElapsedCase cases[] = {
        {{1000, 990}, {1001, 20}, 30},   // the worked example
        {{1000, 900}, {1001, 50}, 150},  // straddling a second
        {{1000, 5}, {1000, 5}, 0},       // within the clock's resolution
        {{1000, 0}, {1003, 999}, 3999},
        {{1001, 0}, {1000, 500}, -500},  // readings in reverse order
        {{0, 0}, {INT_MAX / 1000 + 1, 0}, static_cast<int32_t>((INT_MAX / 1000 + 1) * 1000u)},
    };
    for (const ElapsedCase& elapsed : cases) {
        EXPECT_EQ(elapsedMilliseconds(elapsed.start, elapsed.end), elapsed.milliseconds)
            << elapsed.start.seconds << "." << elapsed.start.milliseconds << " -> "
            << elapsed.end.seconds << "." << elapsed.end.milliseconds;
    }
}

TEST(ElapsedMilliseconds, ClockReadingsNeverGoBackAndKeepMillisecondsBelowAThousand) {
    TimeStamp previous = TimeStamp::now();
    for (int i = 0; i < 1000; ++i) {
        const TimeStamp next = TimeStamp::now();
        EXPECT_LT(next.milliseconds, 1000);
        EXPECT_GE(elapsedMilliseconds(previous, next), 0);
        previous = next;
    }
}

}  // namespace
}  // namespace knapsack
