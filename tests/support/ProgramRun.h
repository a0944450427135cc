#pragma once

#include <string>
#include <vector>

namespace testing_support {

// What a finished program left behind: its exit status and everything it wrote.
struct ProgramResult {
    int exitStatus = -1;  // -1 when the program did not exit normally (a signal)
    int signal = 0;       // the signal that ended it, 0 when it exited
    std::string standardOutput;
    std::string standardError;
};

// Runs a program as a user would from a shell: the given arguments, standard input from a file
// (empty means /dev/null), and standard output and error captured whole.
ProgramResult runProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& standardInputFile = "");

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& contents);
bool fileExists(const std::string& path);

}  // namespace testing_support
