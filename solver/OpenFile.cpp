#include "solver/OpenFile.h"

#include <sys/stat.h>

#include "model/Failure.h"

namespace knapsack {

namespace {

[[noreturn]] void failToOpen(const std::string& path) {
    throw Failure(std::string(failure_text::kCannotOpen) + " " + path);
}

bool isDirectory(std::FILE* stream) {
    struct stat status {};
    return fstat(fileno(stream), &status) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace

OpenFile OpenFile::forReading(const std::string& path) {
    OpenFile opened(std::fopen(path.c_str(), "r"));
    // Opening a directory for reading succeeds, but it has no lines to read.
    if (!opened.file || isDirectory(opened.stream())) {
        failToOpen(path);
    }
    return opened;
}

OpenFile OpenFile::forWriting(const std::string& path) {
    OpenFile opened(std::fopen(path.c_str(), "w"));
    if (!opened.file) {
        failToOpen(path);
    }
    return opened;
}

bool OpenFile::isSameRegularFileAs(const std::string& path) const {
    struct stat mine {};
    struct stat other {};
    return fstat(fileno(stream()), &mine) == 0 && S_ISREG(mine.st_mode) &&
           stat(path.c_str(), &other) == 0 && mine.st_dev == other.st_dev &&
           mine.st_ino == other.st_ino;
}

bool OpenFile::close() {
    return !file || std::fclose(file.release()) == 0;
}

}  // namespace knapsack
