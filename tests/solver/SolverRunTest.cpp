#include "solver/SolverRun.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "methods/ExhaustiveSolver.h"
#include "support/ProgramRun.h"
#include "support/TempDir.h"

namespace knapsack {
namespace {

using testing_support::readFile;
using testing_support::writeFile;

// Exhaustive search that runs out of memory on the instance with the given id.
class ExhaustedSolver : public ExhaustiveSolver {
  public:
    ExhaustedSolver(const Instance& instance, int32_t failingId)
        : ExhaustiveSolver(instance), failingId(failingId) {}

    void solve() override {
        if (instance.id() == failingId) {
            throw std::bad_alloc();
        }
        ExhaustiveSolver::solve();
    }

  private:
    int32_t failingId;
};

// Runs the driver in this process with the given method factory; the failure line is captured.
class InProcessRun : public testing::Test {
  protected:
    struct Outcome {
        int exitStatus;
        std::string messages;
    };

    Outcome run(const SolverFactory& factory) {
        const std::string messagesPath = directory.file("messages");
        std::FILE* messages = std::fopen(messagesPath.c_str(), "w");
        const std::vector<std::string> arguments{"solver", instances,  solution,
                                                 cost,     statistics, "1"};
        std::vector<const char*> argv;
        for (const std::string& argument : arguments) {
            argv.push_back(argument.c_str());
        }
        const int exitStatus =
            runSolver(static_cast<int>(argv.size()), argv.data(), messages, factory);
        std::fclose(messages);
        return Outcome{exitStatus, readFile(messagesPath)};
    }

    testing_support::TempDir directory;
    const std::string instances = directory.file("instances.txt");
    const std::string solution = directory.file("solution.txt");
    const std::string cost = directory.file("cost.txt");
    const std::string statistics = directory.file("statistics.txt");
};

TEST_F(InProcessRun, MemoryExhaustionEndsTheRunAndKeepsTheLinesAlreadyReported) {
    // The failing instance may also be deep enough to be solved on a thread of its own.
    std::string deep = "2 1000000 0";
    for (int32_t i = 0; i < 1000000; ++i) {
        deep += " 1 1";
    }
    for (const std::string& failing : {std::string("2 1 5 1 1"), deep}) {
        writeFile(instances, "1 2 4 3 4 2 3\n" + failing + "\n3 1 5 1 1\n");
        const Outcome outcome = run([](int32_t, const Instance& instance) {
            return std::make_unique<ExhaustedSolver>(instance, 2);
        });
        EXPECT_EQ(outcome.messages, "Exception : Nedostatek pameti \n");
        EXPECT_EQ(outcome.exitStatus, 1);
        EXPECT_EQ(readFile(solution), "1 2 4  1 0\n");
        EXPECT_EQ(readFile(cost), "1 4 3\n");
        EXPECT_EQ(readFile(statistics).substr(0, 6), "1 2 4 ");
    }
}

TEST_F(InProcessRun, MemoryExhaustionWhileCreatingASolverIsReportedToo) {
    writeFile(instances, "1 1 5 1 1\n");
    const Outcome outcome =
        run([](int32_t, const Instance&) -> std::unique_ptr<Solver> { throw std::bad_alloc(); });
    EXPECT_EQ(outcome.messages, "Exception : Nedostatek pameti \n");
    EXPECT_EQ(outcome.exitStatus, 1);
    EXPECT_EQ(readFile(solution), "");
}

TEST_F(InProcessRun, ACompleteRunReturnsZeroAndPrintsNothing) {
    writeFile(instances, "4 1 5 1 1\n");
    const Outcome outcome = run(createSolver);
    EXPECT_EQ(outcome.messages, "");
    EXPECT_EQ(outcome.exitStatus, 0);
    EXPECT_EQ(readFile(cost), "4 1 1\n");
}

}  // namespace
}  // namespace knapsack
