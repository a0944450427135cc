#pragma once

#include <cstdio>
#include <optional>
#include <string_view>

namespace knapsack {

// Reads a text stream one whole line at a time, however long the line is.
class LineReader {
  public:
    explicit LineReader(std::FILE* stream) : stream(stream) {}
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // The next line with its line end, if it has one (a last line may lack it), or nothing at
    // the end of the stream. The text stays valid until the next call. A read error throws the
    // read failure; a line too long for the memory left throws std::bad_alloc.
    std::optional<std::string_view> next();

  private:
    std::FILE* stream;
    char* buffer = nullptr;
    size_t bufferSize = 0;
};

}  // namespace knapsack
