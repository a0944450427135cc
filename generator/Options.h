#pragma once

#include <cstdint>
#include <stdexcept>

namespace generator {

// A missing or malformed option, or values the generation cannot use. The text is the message
// line the program writes to standard error, without its newline.
class OptionError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The option readers. Each finds the value that follows the option's mark ('-' and the letter as
// one argument; the first mark wins, repeated marks just before the value are skipped) and
// converts the whole of it, or throws OptionError.
std::int32_t intOption(char letter, int argc, const char* const argv[]);
double floatOption(char letter, int argc, const char* const argv[]);
std::int32_t directionOption(char letter, int argc, const char* const argv[]);

// The eight settings of a run, all required.
struct GeneratorOptions {
    std::int32_t firstId = 0;        // -I: id of the first instance
    std::int32_t itemCount = 0;      // -n: items in every instance
    std::int32_t instanceCount = 0;  // -N: instances to write
    double capacityRatio = 0.0;      // -m: capacity as a fraction of the total weight
    double biasExponent = 0.0;       // -k: exponent of the weight bias
    std::int32_t largestWeight = 0;  // -W
    std::int32_t largestCost = 0;    // -C
    std::int32_t biasDirection = 0;  // -d: -1 light, 0 none, 1 heavy
};

// Reads the options in the order -I -n -N -m -k -W -C -d, so that the first faulty one in this
// order is the one reported.
GeneratorOptions readOptions(int argc, const char* const argv[]);

}  // namespace generator
