#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>

#include "generator/Options.h"
#include "generator/RandomSource.h"

namespace generator {

// The capacity for a total weight and a capacity ratio: total × ratio in double precision,
// truncated toward zero to a 64-bit integer, of which the low 32 bits are kept. A product that is
// not a number or lies outside the signed 64-bit range gives 0, as the processor's own conversion
// of such a value would leave nothing of it in the low 32 bits.
std::int32_t capacityFor(std::int32_t totalWeight, double capacityRatio);

// The closing line of standard error (without its newline): the average total weight over the
// instances written (0.00 when there were none) and the first id not used.
std::string summaryLine(std::int64_t totalWeightSum, std::int32_t instanceCount,
                        std::int32_t firstId);

// Writes the instances of a run: one instance line each on out, one total-weight line each on err,
// then the summary on err. Generation stops early once out has failed, since the rest would be
// lost too. Returns whether out took everything (flushed at the end); the summary is written only
// then.
bool writeInstances(const GeneratorOptions& options, RandomSource& random, std::ostream& out,
                    std::ostream& err);

// The whole program: reads the options, checks that the generation can use them, takes the seed
// from seedSource only then, and writes the instances. Every failure is one line on err. Returns
// the exit status: 0 on success, 1 after any failure.
int runGenerator(int argc, const char* const argv[], std::ostream& out, std::ostream& err,
                 const std::function<std::uint32_t()>& seedSource);

}  // namespace generator
