// Fuzz target: the generator's option reader over fuzzed argument vectors (the input's bytes,
// split at NUL bytes into arguments). The reader must give exactly the values, or the message of
// the first faulty option, that a plain reading with the C library's strtol and strtod finds.
// Where the values are usable and the run is small, the whole generator run must write well-formed
// instances; where they are not, it must end with one message line.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "FuzzCheck.h"
#include "generator/GeneratorRun.h"
#include "generator/InstanceGeneration.h"
#include "generator/Options.h"

namespace {

using fuzz_check::fail;
using fuzz_check::require;
using generator::GeneratorOptions;

constexpr size_t kLargestArgumentCount = 40;
// Runs of at most this many instances of at most this many items are generated whole.
constexpr int32_t kLargestRunInstances = 4;
constexpr int32_t kLargestRunItems = 8;
constexpr uint32_t kSeed = 12345;

// The reference reading: values by the documented rules, or the message of the first fault.
class ReferenceOptions {
  public:
    explicit ReferenceOptions(const std::vector<std::string>& arguments) : arguments(arguments) {}

    std::variant<GeneratorOptions, std::string> read() const {
        GeneratorOptions options;
        std::string message;
        if (!integer('I', options.firstId, message) || !integer('n', options.itemCount, message) ||
            !integer('N', options.instanceCount, message) ||
            !number('m', options.capacityRatio, message) ||
            !number('k', options.biasExponent, message) ||
            !integer('W', options.largestWeight, message) ||
            !integer('C', options.largestCost, message) ||
            !integer('d', options.biasDirection, message)) {
            return message;
        }
        if (options.biasDirection < -1 || options.biasDirection > 1) {
            return "-d option value should be -1 .. 1";
        }
        return options;
    }

  private:
    // The argument after the first mark "-<letter>", skipping marks right after it.
    const std::string* valueOf(char letter) const {
        const std::string mark{'-', letter};
        bool markSeen = false;
        for (size_t i = 1; i < arguments.size(); ++i) {
            if (arguments[i] == mark) {
                markSeen = true;
            } else if (markSeen) {
                return &arguments[i];
            }
        }
        return nullptr;
    }

    static std::string messageOf(char letter, const char* problem) {
        return std::string("-") + letter + " option " + problem;
    }

    bool integer(char letter, int32_t& value, std::string& message) const {
        const std::string* text = valueOf(letter);
        if (text == nullptr) {
            message = messageOf(letter, "missing");
            return false;
        }
        char* end = nullptr;
        const long long converted = std::strtoll(text->c_str(), &end, 10);
        if (*end != '\0') {
            message = messageOf(letter, "not integer");
            return false;
        }
        value = converted < INT32_MIN   ? INT32_MIN
                : converted > INT32_MAX ? INT32_MAX
                                        : static_cast<int32_t>(converted);
        return true;
    }

    bool number(char letter, double& value, std::string& message) const {
        const std::string* text = valueOf(letter);
        if (text == nullptr) {
            message = messageOf(letter, "missing");
            return false;
        }
        char* end = nullptr;
        value = std::strtod(text->c_str(), &end);
        if (*end != '\0') {
            message = messageOf(letter, "not in float format");
            return false;
        }
        return true;
    }

    const std::vector<std::string>& arguments;
};

bool sameNumber(double a, double b) {
    return (std::isnan(a) && std::isnan(b)) || std::memcmp(&a, &b, sizeof a) == 0;
}

void expectSameOptions(const GeneratorOptions& read, const GeneratorOptions& expected) {
    require(read.firstId == expected.firstId && read.itemCount == expected.itemCount &&
                read.instanceCount == expected.instanceCount &&
                sameNumber(read.capacityRatio, expected.capacityRatio) &&
                sameNumber(read.biasExponent, expected.biasExponent) &&
                read.largestWeight == expected.largestWeight &&
                read.largestCost == expected.largestCost &&
                read.biasDirection == expected.biasDirection,
            "the option values differ from the reference reading");
}

std::vector<std::string> linesOf(const std::string& text) {
    require(text.empty() || text.back() == '\n', "output ends in a partial line");
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

int64_t magnitude(int32_t value) {
    return value < 0 ? -int64_t{value} : int64_t{value};
}

// Checks one instance line against the options; returns its total weight.
int64_t checkInstanceLine(const std::string& line, const GeneratorOptions& options, int32_t index) {
    std::istringstream fields(line);
    int64_t id = 0;
    int64_t itemCount = 0;
    int64_t capacity = 0;
    fields >> id >> itemCount >> capacity;
    require(static_cast<bool>(fields), "instance line head: " + line);
    require(id == static_cast<int32_t>(static_cast<uint32_t>(options.firstId) +
                                       static_cast<uint32_t>(index)),
            "instance id");
    require(itemCount == options.itemCount, "item count");
    const int64_t largestWeight = std::min<int64_t>(options.largestWeight, 32768);
    const int64_t largestCost = std::min<int64_t>(magnitude(options.largestCost), 32768);
    std::set<int64_t> weights;
    int64_t total = 0;
    std::string rebuilt =
        std::to_string(id) + " " + std::to_string(itemCount) + " " + std::to_string(capacity);
    for (int64_t i = 0; i < itemCount; ++i) {
        int64_t weight = 0;
        int64_t cost = 0;
        require(static_cast<bool>(fields >> weight >> cost), "missing item: " + line);
        require(weight >= 1 && weight <= largestWeight, "weight out of range: " + line);
        require(cost >= 1 && cost <= largestCost, "cost out of range: " + line);
        require(weights.insert(weight).second, "repeated weight: " + line);
        total += weight;
        rebuilt += " " + std::to_string(weight) + " " + std::to_string(cost);
    }
    // Single blanks between the numbers and nothing else on the line.
    require(line == rebuilt, "line form: " + line);
    require(capacity == generator::capacityFor(static_cast<int32_t>(total), options.capacityRatio),
            "capacity: " + line);
    return total;
}

void checkRun(const std::vector<const char*>& argv, const GeneratorOptions& options) {
    const bool small =
        options.instanceCount <= 0 ||
        (options.instanceCount <= kLargestRunInstances && options.itemCount <= kLargestRunItems);
    const std::optional<std::string> fault = generator::unusableValues(
        options.itemCount,
        {options.largestWeight, options.largestCost, options.biasExponent, options.biasDirection});
    if (!small && !fault) {
        return;
    }
    std::ostringstream out;
    std::ostringstream err;
    const int status = generator::runGenerator(static_cast<int>(argv.size()), argv.data(), out, err,
                                               [] { return kSeed; });
    if (fault) {
        require(status == 1 && out.str().empty() && err.str() == *fault + "\n",
                "unusable values were not refused with their message");
        return;
    }
    require(status == 0, "a usable run failed: " + err.str());
    const std::vector<std::string> lines = linesOf(out.str());
    const std::vector<std::string> messages = linesOf(err.str());
    const size_t instanceCount = options.instanceCount > 0 ? options.instanceCount : 0;
    require(lines.size() == instanceCount && messages.size() == instanceCount + 1,
            "number of lines");
    int64_t totalSum = 0;
    for (size_t i = 0; i < instanceCount; ++i) {
        const int64_t total = checkInstanceLine(lines[i], options, static_cast<int32_t>(i));
        require(messages[i] == "total weight " + std::to_string(total), "total weight line");
        totalSum += total;
    }
    require(
        messages.back() == generator::summaryLine(totalSum, options.instanceCount, options.firstId),
        "summary line");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> arguments{"generator"};
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // An empty input stands for no arguments at all; otherwise k NUL bytes make k + 1 arguments.
    size_t start = bytes.empty() ? 1 : 0;
    while (start <= bytes.size() && arguments.size() < kLargestArgumentCount) {
        const size_t end = std::min(bytes.find('\0', start), bytes.size());
        arguments.emplace_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(argument.c_str());
    }

    const auto expected = ReferenceOptions(arguments).read();
    try {
        const GeneratorOptions options =
            generator::readOptions(static_cast<int>(argv.size()), argv.data());
        if (const auto* message = std::get_if<std::string>(&expected)) {
            fail("accepted options that the reference refuses with " + *message);
        }
        expectSameOptions(options, std::get<GeneratorOptions>(expected));
        checkRun(argv, options);
    } catch (const generator::OptionError& error) {
        const auto* message = std::get_if<std::string>(&expected);
        if (message == nullptr) {
            fail(std::string("refused options that the reference accepts: ") + error.what());
        }
        require(error.what() == *message,
                std::string("message ") + error.what() + " instead of " + *message);
    }
    return 0;
}
