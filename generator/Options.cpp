#include "generator/Options.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <string>

namespace generator {

namespace {

std::string optionMessage(char letter, const char* problem) {
    return std::string("-") + letter + " option " + problem;
}

bool isMark(const char* argument, char letter) {
    return argument[0] == '-' && argument[1] == letter && argument[2] == '\0';
}

// The argument that follows the option's first mark, skipping further marks of the same option.
const char* findValue(char letter, int argc, const char* const argv[]) {
    bool markSeen = false;
    for (int index = 1; index < argc; ++index) {
        if (isMark(argv[index], letter)) {
            markSeen = true;
        } else if (markSeen) {
            return argv[index];
        }
    }
    throw OptionError(optionMessage(letter, "missing"));
}

// Base-10 conversion of the whole text, clamped to the signed 32-bit range. An empty text is 0.
std::int32_t convertInteger(char letter, const char* text) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (*end != '\0') {
        throw OptionError(optionMessage(letter, "not integer"));
    }
    const long clamped = std::clamp<long>(value, std::numeric_limits<std::int32_t>::min(),
                                          std::numeric_limits<std::int32_t>::max());
    return static_cast<std::int32_t>(clamped);
}

}  // namespace

std::int32_t intOption(char letter, int argc, const char* const argv[]) {
    return convertInteger(letter, findValue(letter, argc, argv));
}

double floatOption(char letter, int argc, const char* const argv[]) {
    const char* text = findValue(letter, argc, argv);
    char* end = nullptr;
    const double value = std::strtod(text, &end);
    if (*end != '\0') {
        throw OptionError(optionMessage(letter, "not in float format"));
    }
    return value;
}

std::int32_t directionOption(char letter, int argc, const char* const argv[]) {
    const std::int32_t value = intOption(letter, argc, argv);
    if (value < -1 || value > 1) {
        throw OptionError(optionMessage(letter, "value should be -1 .. 1"));
    }
    return value;
}

GeneratorOptions readOptions(int argc, const char* const argv[]) {
    GeneratorOptions options;
    options.firstId = intOption('I', argc, argv);
    options.itemCount = intOption('n', argc, argv);
    options.instanceCount = intOption('N', argc, argv);
    options.capacityRatio = floatOption('m', argc, argv);
    options.biasExponent = floatOption('k', argc, argv);
    options.largestWeight = intOption('W', argc, argv);
    options.largestCost = intOption('C', argc, argv);
    options.biasDirection = directionOption('d', argc, argv);
    return options;
}

}  // namespace generator
