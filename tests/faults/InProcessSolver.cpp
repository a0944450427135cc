#include "InProcessSolver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "AllocationCountdown.h"
#include "solver/SolverRun.h"
#include "support/ProgramRun.h"

namespace faults {

namespace {

// The lines of a report file; a file that ends in a partial line fails the test, since a report
// file must hold complete lines only. A device such as /dev/full or a missing file holds none.
std::vector<std::string> completeLines(const std::string& path) {
    const std::string text =
        std::filesystem::is_regular_file(path) ? testing_support::readFile(path) : "";
    EXPECT_TRUE(text.empty() || text.back() == '\n') << path << " ends in a partial line: " << text;
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::string withoutTime(const std::string& statisticsLine) {
    std::istringstream fields(statisticsLine);
    std::string id, count, cost, milliseconds, steps, rest;
    fields >> id >> count >> cost >> milliseconds >> steps;
    return id + " " + count + " " + cost + " _ " + steps + (fields >> rest ? " " + rest : "");
}

}  // namespace

InProcessSolver::InProcessSolver(const std::string& instances)
    : arguments{"solver",
                directory.file("instances.txt"),
                directory.file("solution.txt"),
                directory.file("cost.txt"),
                directory.file("statistics.txt"),
                "1"} {
    testing_support::writeFile(arguments[1], instances);
}

void InProcessSolver::useMethod(int method) {
    arguments[5] = std::to_string(method);
}

void InProcessSolver::redirectReport(int position, const std::string& path) {
    arguments.at(1 + static_cast<size_t>(position)) = path;
}

RunOutcome InProcessSolver::run(const AroundRun& around) {
    // Earlier runs' reports go, so that a report that this run never opens reads as empty.
    for (size_t i = 2; i <= 4; ++i) {
        if (std::filesystem::is_regular_file(arguments[i])) {
            std::filesystem::remove(arguments[i]);
        }
    }
    argv.clear();
    for (const std::string& argument : arguments) {
        argv.push_back(argument.c_str());
    }
    // The failure line goes to memory: the C library's own allocations, not operator new, and no
    // file that a file size limit would stop.
    char* buffer = nullptr;
    size_t length = 0;
    std::FILE* messages = open_memstream(&buffer, &length);
    if (messages == nullptr) {
        ADD_FAILURE() << "cannot open a memory stream";
        return {};
    }
    RunOutcome outcome;
    around.before();
    outcome.exitStatus = knapsack::runSolver(static_cast<int>(argv.size()), argv.data(), messages);
    around.after();
    std::fclose(messages);
    outcome.messages.assign(buffer, length);
    std::free(buffer);
    return outcome;
}

Reports InProcessSolver::reports() const {
    Reports reports{completeLines(arguments[2]), completeLines(arguments[3]), {}};
    for (const std::string& line : completeLines(arguments[4])) {
        reports.statistics.push_back(withoutTime(line));
    }
    return reports;
}

std::string failureLine(const char* text) {
    return std::string("Exception : ") + text + " \n";
}

size_t openDescriptors() {
    size_t count = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator("/proc/self/fd")) {
        ++count;
    }
    return count;
}

AroundRun countingLeftovers(Leftovers& leftovers, const AroundRun& inner) {
    return {[&leftovers, inner] {
                leftovers.descriptors = -static_cast<int64_t>(openDescriptors());
                leftovers.blocks = -allocation_countdown::liveBlocks();
                inner.before();
            },
            [&leftovers, inner] {
                inner.after();
                leftovers.blocks += allocation_countdown::liveBlocks();
                leftovers.descriptors += static_cast<int64_t>(openDescriptors());
            }};
}

}  // namespace faults
