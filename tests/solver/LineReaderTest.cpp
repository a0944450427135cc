#include "solver/LineReader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "model/FailureText.h"
#include "support/ProgramRun.h"
#include "support/TempDir.h"

namespace knapsack {
namespace {

using namespace std::string_literals;
using testing_failure::failureText;

std::vector<std::string> linesOf(const std::string& contents) {
    testing_support::TempDir directory;
    const std::string path = directory.file("lines");
    testing_support::writeFile(path, contents);
    std::FILE* stream = std::fopen(path.c_str(), "r");
    std::vector<std::string> lines;
    {
        LineReader reader(stream);
        while (const std::optional<std::string_view> line = reader.next()) {
            lines.emplace_back(*line);
        }
    }
    std::fclose(stream);
    return lines;
}

TEST(LineReader, GivesEveryLineWithItsLineEnd) {
    EXPECT_EQ(linesOf("a b\n\nc\r\n"), (std::vector<std::string>{"a b\n", "\n", "c\r\n"}));
}

TEST(LineReader, ALastLineWithoutLineEndIsStillALine) {
    EXPECT_EQ(linesOf("1 2\n3 4"), (std::vector<std::string>{"1 2\n", "3 4"}));
    EXPECT_EQ(linesOf(""), std::vector<std::string>{});
}

TEST(LineReader, ReadsLinesOfAnyLengthWhole) {
    const std::string exact(1023, 'x');
    const std::string longLine(300000, 'y');
    EXPECT_EQ(linesOf(exact + "\n" + longLine + "\nz\n"),
              (std::vector<std::string>{exact + "\n", longLine + "\n", "z\n"}));
}

TEST(LineReader, KeepsNulBytesInsideTheLine) {
    EXPECT_EQ(linesOf("1\0002\n3\n"s), (std::vector<std::string>{"1\0002\n"s, "3\n"}));
}

TEST(LineReader, AReadErrorIsAReadFailureNotTheEnd) {
    // Reading a process's own memory from address 0 fails with an I/O error.
    std::FILE* stream = std::fopen("/proc/self/mem", "r");
    ASSERT_NE(stream, nullptr);
    LineReader reader(stream);
    EXPECT_EQ(failureText([&] { reader.next(); }), "Chyba pri cteni souboru");
    std::fclose(stream);
}

}  // namespace
}  // namespace knapsack
