#pragma once

#include <sstream>
#include <string>
#include <vector>

namespace hostile {

// The lines of a program's output or of a file, each without its line end.
inline std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

}  // namespace hostile
