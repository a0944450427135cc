#include <ctime>
#include <iostream>

#include "generator/GeneratorRun.h"

int main(int argc, char* argv[]) {
    std::ios::sync_with_stdio(false);
    // The seed is the calendar time in whole seconds, its low 32 bits.
    const auto clockSeed = [] { return static_cast<std::uint32_t>(std::time(nullptr)); };
    return generator::runGenerator(argc, argv, std::cout, std::cerr, clockSeed);
}
