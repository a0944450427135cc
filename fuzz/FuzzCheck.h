#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzz_check {

// Ends the fuzz run with a crash that the fuzzer reports, keeping the input that caused it.
[[noreturn]] inline void fail(const std::string& what) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what.c_str());
    std::abort();
}

inline void require(bool condition, const std::string& what) {
    if (!condition) {
        fail(what);
    }
}

}  // namespace fuzz_check
