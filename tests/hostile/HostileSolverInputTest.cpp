// Hostile input given to the built solver program as a user or a script might give it: binary
// data, enormous lines, numbers at the edge of 32 bits, paths that are no files. Every run must end
// with its reports complete or with one failure line and exit status 1, never with a signal, and
// the report files must keep the complete lines of the instances before the failure.

#include <gtest/gtest.h>
#include <unistd.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "Lines.h"
#include "support/ProgramRun.h"
#include "support/TempDir.h"

namespace {

using hostile::linesOf;
using namespace std::string_literals;
using testing_support::fileExists;
using testing_support::ProgramResult;
using testing_support::readFile;
using testing_support::runProgram;
using testing_support::writeFile;

const std::string kReadError = "Chyba pri cteni souboru";
const std::string kOutOfMemory = "Nedostatek pameti";
const std::string kSameFile = "Stejny vstupni a vystupni soubor";
const std::string kBadMethod = "Spatne cislo algoritmu";
const std::string kCannotOpen = "Nelze otevrit soubor ";

// Items of weight 1 and cost 1 with capacity 0: nothing fits, and the searches go one level
// deeper per item.
std::string deepLine(int32_t id, int32_t itemCount) {
    std::string line = std::to_string(id) + " " + std::to_string(itemCount) + " 0";
    line.reserve(line.size() + 4 * static_cast<size_t>(itemCount) + 1);
    for (int32_t i = 0; i < itemCount; ++i) {
        line += " 1 1";
    }
    return line + "\n";
}

// Random bytes that begin with one that no number or white space begins with.
std::string randomBytes(size_t count, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(count, '\0');
    for (char& byte : bytes) {
        byte = static_cast<char>(random() & 0xFF);
    }
    bytes[0] = '\xff';
    return bytes;
}

// One row of a table: an instance file, a method, and how the run must end.
struct SolverCase {
    std::string name;
    std::string instances;
    std::string method;
    std::string failure;                 // empty for a complete run
    std::vector<std::string> costLines;  // the cost file after the run
};

class HostileSolverInput : public testing::Test {
  protected:
    ProgramResult solve(const std::string& method) {
        return runProgram(SOLVER_PROGRAM, {instances, solution, cost, statistics, method});
    }

    // Runs the solver from a shell command line; "$@" holds the five arguments.
    ProgramResult solveInShell(const std::string& command,
                               const std::vector<std::string>& arguments) {
        std::vector<std::string> shellArguments{"-c", command, SOLVER_PROGRAM};
        shellArguments.insert(shellArguments.end(), arguments.begin(), arguments.end());
        return runProgram("/bin/sh", shellArguments);
    }

    // The run ended by itself, with its failure line or none, and nothing on standard error.
    static void expectEnding(const ProgramResult& result, const std::string& failure) {
        EXPECT_EQ(result.signal, 0);
        EXPECT_EQ(result.standardError, "");
        if (failure.empty()) {
            EXPECT_EQ(result.standardOutput, "");
            EXPECT_EQ(result.exitStatus, 0);
        } else {
            EXPECT_EQ(result.standardOutput, "Exception : " + failure + " \n");
            EXPECT_EQ(result.exitStatus, 1);
        }
    }

    void runTable(const std::vector<SolverCase>& cases) {
        for (const SolverCase& row : cases) {
            SCOPED_TRACE(row.name);
            writeFile(instances, row.instances);
            expectEnding(solve(row.method), row.failure);
            EXPECT_EQ(linesOf(readFile(cost)), row.costLines);
            EXPECT_EQ(linesOf(readFile(solution)).size(), row.costLines.size());
            EXPECT_EQ(linesOf(readFile(statistics)).size(), row.costLines.size());
        }
    }

    testing_support::TempDir directory;
    const std::string instances = directory.file("instances.txt");
    const std::string solution = directory.file("solution.txt");
    const std::string cost = directory.file("cost.txt");
    const std::string statistics = directory.file("statistics.txt");
};

TEST_F(HostileSolverInput, BinaryDataAndNulBytes) {
    const std::string good = "1 1 5 3 4\n";
    runTable({
        {"a NUL byte inside a line", "1 1 5\0 3 4\n2 1 5 1 1\n"s, "1", kReadError, {}},
        {"binary data after the last pair",
         "1 1 5 3 4\0\xff\xfe\x01junk\n2 1 5 1 1\n"s,
         "1",
         "",
         {"1 4 1", "2 1 1"}},
        {"binary data after a good line", good + randomBytes(65536, 7), "1", kReadError, {"1 4 1"}},
        {"nothing but binary data", randomBytes(65536, 11), "2", kReadError, {}},
        {"nothing but NUL bytes", std::string(4096, '\0'), "3", kReadError, {}},
        {"a byte order mark before the first number", "\xef\xbb\xbf"s + good, "1", kReadError, {}},
        {"a line in UTF-16", "1\0 \0001\0 \0005\0 \0003\0 \0004\0\n\0"s, "1", kReadError, {}},
        {"carriage returns and form feeds", "1\r1\f5\v3\t4\r\n", "1", "", {"1 4 1"}},
    });
}

TEST_F(HostileSolverInput, TenMegabyteLines) {
    const std::string tenMegabytes(10 << 20, ' ');
    runTable({
        {"ten megabytes after an instance",
         "1 1 5 3 4" + tenMegabytes + "end\n2 1 5 1 1\n",
         "2",
         "",
         {"1 4 2", "2 1 2"}},
        {"ten megabytes before an instance", tenMegabytes + "1 1 5 3 4\n", "1", "", {"1 4 1"}},
        {"a number of ten million digits",
         "2 1 5 1 1\n" + std::string(10 << 20, '7') + "\n",
         "1",
         kReadError,
         {"2 1 1"}},
        {"ten megabytes of blanks",
         "2 1 5 1 1\n" + tenMegabytes + "\n",
         "1",
         kReadError,
         {"2 1 1"}},
    });
}

// The methods that take at most a few passes over the items solve a million of them; the
// searches recurse a million levels deep on a stack of their own.
TEST_F(HostileSolverInput, AMillionItemsWithCapacityZero) {
    const int32_t kItems = 1000000;
    writeFile(instances, deepLine(5, kItems));
    for (const char* method : {"1", "2", "3", "5"}) {
        SCOPED_TRACE("method "s + method);
        expectEnding(solve(method), "");
        const std::vector<std::string> costs = linesOf(readFile(cost));
        ASSERT_EQ(costs.size(), 1u);
        EXPECT_EQ(costs[0].substr(0, 4), "5 0 ");
        EXPECT_EQ(readFile(solution).size(), std::string("5 1000000 0 ").size() + 2 * kItems + 1);
    }
}

#if !defined(__SANITIZE_ADDRESS__)
// The dynamic programming keeps a copy of all the items in every cell it computes: a million items
// may not fit. Under a limit on its address space it must finish or end with the out-of-memory
// failure line, in either case by itself. (The address sanitizer reserves more address space than
// any such limit allows.)
TEST_F(HostileSolverInput, AMillionItemsForTheDynamicProgrammingUnderAMemoryLimit) {
    writeFile(instances, "1 1 5 1 1\n" + deepLine(5, 1000000));
    const ProgramResult result = solveInShell("ulimit -v 4000000 && exec \"$0\" \"$@\"",
                                              {instances, solution, cost, statistics, "4"});
    if (result.exitStatus == 0) {
        expectEnding(result, "");
        EXPECT_EQ(linesOf(readFile(cost)), (std::vector<std::string>{"1 1 1", "5 0 1000000"}));
    } else {
        expectEnding(result, kOutOfMemory);
        EXPECT_EQ(linesOf(readFile(cost)), std::vector<std::string>{"1 1 1"});
    }
}

// A line without end, such as /dev/zero gives, is read until the memory runs out.
TEST_F(HostileSolverInput, AnEndlessLineUnderAMemoryLimit) {
    const ProgramResult result = solveInShell("ulimit -v 1000000 && exec \"$0\" \"$@\"",
                                              {"/dev/zero", solution, cost, statistics, "1"});
    expectEnding(result, kOutOfMemory);
    EXPECT_EQ(readFile(cost), "");
}
#endif

TEST_F(HostileSolverInput, NumbersAtAndBeyondThe32BitLimits) {
    runTable({
        {"the largest numbers",
         "2147483647 1 2147483647 2147483647 2147483647\n",
         "1",
         "",
         {"2147483647 2147483647 1"}},
        {"the smallest numbers",
         "-2147483648 -2147483648 -2147483648\n",
         "1",
         "",
         {"-2147483648 0 0"}},
        {"costs whose sum wraps around",
         "1 2 10 1 2147483647 1 2147483647\n",
         "1",
         "",
         {"1 2147483647 3"}},
        {"a weight one past the largest", "1 1 10 2147483648 4\n", "1", kReadError, {}},
        {"a cost one below the smallest", "1 1 10 3 -2147483649\n", "1", kReadError, {}},
        {"an id of twenty digits",
         "2 1 5 1 1\n99999999999999999999 0 0\n",
         "1",
         kReadError,
         {"2 1 1"}},
        {"the largest item count on a short line", "1 2147483647 5 1 1\n", "1", kReadError, {}},
        {"a method number one past the largest", "1 1 5 1 1\n", "2147483648", kBadMethod, {}},
        {"a method number that wraps to 1", "1 1 5 1 1\n", "4294967297", kBadMethod, {}},
        {"the smallest method number", "1 1 5 1 1\n", "-2147483648", kBadMethod, {}},
        {"dynamic programming over a capacity of two billion",
         "1 3 2000000000 1 1 2 2 3 3\n",
         "4",
         kOutOfMemory,
         {}},
        {"dynamic programming over the largest capacity",
         "2 1 5 1 1\n1 1 2147483647 1 1\n",
         "4",
         kOutOfMemory,
         {"2 1 1"}},
    });
}

TEST_F(HostileSolverInput, PathsThatAreNoFiles) {
    writeFile(instances, "1 1 5 3 4\n");
    const std::string folder = directory.path();
    const std::string missingFolder = directory.file("none/solution.txt");
    const struct {
        std::string name;
        std::vector<std::string> arguments;
        std::string failure;
    } cases[] = {
        {"a folder as the instance file",
         {folder, solution, cost, statistics, "1"},
         kCannotOpen + folder},
        {"a folder as a report file",
         {instances, solution, folder, statistics, "1"},
         kCannotOpen + folder},
        {"a report file in a folder that does not exist",
         {instances, missingFolder, cost, statistics, "1"},
         kCannotOpen + missingFolder},
        {"an instance file that does not exist",
         {directory.file("missing.txt"), solution, cost, statistics, "1"},
         kCannotOpen + directory.file("missing.txt")},
        {"an empty path", {"", solution, cost, statistics, "1"}, kCannotOpen},
        {"/dev/null for all four files",
         {"/dev/null", "/dev/null", "/dev/null", "/dev/null", "1"},
         ""},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        expectEnding(runProgram(SOLVER_PROGRAM, row.arguments), row.failure);
        EXPECT_EQ(readFile(instances), "1 1 5 3 4\n");
    }
}

TEST_F(HostileSolverInput, StandardInputAsTheInstanceFile) {
    writeFile(instances, "1 1 5 3 4\n");
    const ProgramResult result =
        runProgram(SOLVER_PROGRAM, {"/dev/stdin", solution, cost, statistics, "1"}, instances);
    expectEnding(result, "");
    EXPECT_EQ(readFile(cost), "1 4 1\n");
}

// The instance file given again as a report file under another name would be emptied before it
// is read. Whatever the spelling, the run must refuse it before it opens any report file.
TEST_F(HostileSolverInput, TheInstanceFileUnderAnotherNameAsAReport) {
    const std::string contents = "1 1 5 3 4\n2 1 5 1 1\n";
    writeFile(instances, contents);
    const std::string hardLink = directory.file("hard-link.txt");
    ASSERT_EQ(link(instances.c_str(), hardLink.c_str()), 0);
    const std::string symbolicLink = directory.file("symbolic-link.txt");
    ASSERT_EQ(symlink(instances.c_str(), symbolicLink.c_str()), 0);
    const std::string linkedFolder = directory.file("linked-folder");
    ASSERT_EQ(symlink(directory.path().c_str(), linkedFolder.c_str()), 0);

    const struct {
        std::string name;
        std::string command;  // a shell command line; "$@" holds the five arguments
        std::vector<std::string> arguments;
    } cases[] = {
        {"the same path", "exec \"$0\" \"$@\"", {instances, instances, cost, statistics, "1"}},
        {"a hard link", "exec \"$0\" \"$@\"", {instances, solution, hardLink, statistics, "1"}},
        {"a symbolic link", "exec \"$0\" \"$@\"", {instances, solution, cost, symbolicLink, "1"}},
        {"file and ./file",
         "cd \"$1\" && shift && exec \"$0\" \"$@\"",
         {directory.path(), "instances.txt", "./instances.txt", "cost.txt", "statistics.txt", "1"}},
        {"a path through a linked folder",
         "exec \"$0\" \"$@\"",
         {instances, solution, cost, linkedFolder + "/instances.txt", "1"}},
        {"a path with dot-dot",
         "exec \"$0\" \"$@\"",
         {instances,
          directory.path() + "/../" + directory.path().substr(directory.path().rfind('/') + 1) +
              "/instances.txt",
          cost, statistics, "1"}},
        {"standard input read from the file",
         "exec \"$0\" \"$@\" < \"$2\"",
         {"/dev/stdin", instances, cost, statistics, "1"}},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        expectEnding(solveInShell(row.command, row.arguments), kSameFile);
        EXPECT_EQ(readFile(instances), contents);
        EXPECT_FALSE(fileExists(solution));
        EXPECT_FALSE(fileExists(cost));
        EXPECT_FALSE(fileExists(statistics));
    }
}

}  // namespace
