#include "solver/LineReader.h"

#include <sys/types.h>

#include <cerrno>
#include <cstdlib>
#include <new>

#include "model/Failure.h"

namespace knapsack {

LineReader::~LineReader() {
    std::free(buffer);
}

std::optional<std::string_view> LineReader::next() {
    errno = 0;
    const ssize_t length = getline(&buffer, &bufferSize, stream);
    if (length >= 0) {
        return std::string_view(buffer, static_cast<size_t>(length));
    }
    if (std::ferror(stream) != 0) {
        throw Failure(failure_text::kReadError);
    }
    if (errno == ENOMEM) {
        throw std::bad_alloc();
    }
    if (std::feof(stream) == 0) {
        throw Failure(failure_text::kReadError);
    }
    return std::nullopt;
}

}  // namespace knapsack
