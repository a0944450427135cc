#include "GeneratorArguments.h"
#include "generator/Options.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

namespace generator {
namespace {

template <typename Reader>
auto readWith(Reader reader, char letter, const std::vector<std::string>& arguments) {
    const ArgumentVector args(arguments);
    return reader(letter, args.argc(), args.argv());
}

// The message a call throws, or "" when it returned.
template <typename Call>
std::string failureOf(Call call) {
    try {
        call();
    } catch (const OptionError& error) {
        return error.what();
    }
    return "";
}

template <typename Reader>
std::string failureOf(Reader reader, char letter, const std::vector<std::string>& arguments) {
    return failureOf([&] { readWith(reader, letter, arguments); });
}

GeneratorOptions readAll(const std::vector<std::string>& arguments) {
    const ArgumentVector args(arguments);
    return readOptions(args.argc(), args.argv());
}

std::string failureOfReadAll(const std::vector<std::string>& arguments) {
    return failureOf([&] { readAll(arguments); });
}

struct IntCase {
    const char* name;
    char letter;
    std::vector<std::string> arguments;
    std::variant<std::int32_t, std::string> expected;  // the value or the message

    friend void PrintTo(const IntCase& c, std::ostream* os) { *os << c.name; }
};

class IntOptionCases : public ::testing::TestWithParam<IntCase> {};

TEST_P(IntOptionCases, ReadsTheValueOrReportsTheFault) {
    const IntCase& c = GetParam();
    if (const auto* value = std::get_if<std::int32_t>(&c.expected)) {
        EXPECT_EQ(readWith(intOption, c.letter, c.arguments), *value);
    } else {
        EXPECT_EQ(failureOf(intOption, c.letter, c.arguments), std::get<std::string>(c.expected));
    }
}

const std::string kMissingN = "-n option missing";
const std::string kNotIntegerN = "-n option not integer";

INSTANTIATE_TEST_SUITE_P(
    Table, IntOptionCases,
    ::testing::Values(
        IntCase{"Plain", 'n', {"-n", "5"}, 5},
        IntCase{"AmongOthers", 'n', {"-W", "9", "-n", "12", "-C", "3"}, 12},
        IntCase{"NoArguments", 'n', {}, kMissingN},
        IntCase{"MarkLast", 'n', {"-W", "9", "-n"}, kMissingN},
        IntCase{"CaseSensitive", 'n', {"-N", "5"}, kMissingN},
        IntCase{"JoinedFormIsNoMark", 'n', {"-n5"}, kMissingN},
        IntCase{"JoinedFormSkipped", 'n', {"-n5", "-n", "6"}, 6},
        IntCase{"DoubleDashIsNoMark", 'n', {"--n", "5"}, kMissingN},
        IntCase{"LoneMinusSkipped", 'n', {"-", "-n", "8"}, 8},
        IntCase{"StrayWordsBeforeMarkSkipped", 'n', {"7", "x", "-n", "3"}, 3},
        IntCase{"FirstMarkWins", 'n', {"-n", "5", "-n", "7"}, 5},
        IntCase{"RepeatedMarksSkipped", 'n', {"-n", "-n", "-n", "4"}, 4},
        IntCase{"NegativeValue", 'n', {"-n", "-3"}, -3}, IntCase{"PlusSign", 'n', {"-n", "+3"}, 3},
        IntCase{"OtherMarkTakenAsValue", 'I', {"-I", "-n", "4"}, "-I option not integer"},
        IntCase{"EmptyIsZero", 'n', {"-n", ""}, 0},
        IntCase{"LeadingSpaceAccepted", 'n', {"-n", "  42"}, 42},
        IntCase{"TrailingSpaceRejected", 'n', {"-n", "42 "}, kNotIntegerN},
        IntCase{"OnlySpaceRejected", 'n', {"-n", " "}, kNotIntegerN},
        IntCase{"DecimalRejected", 'n', {"-n", "1.0"}, kNotIntegerN},
        IntCase{"HexadecimalRejected", 'n', {"-n", "0x10"}, kNotIntegerN},
        IntCase{"WordRejected", 'n', {"-n", "five"}, kNotIntegerN},
        IntCase{"LeadingZerosDecimal", 'n', {"-n", "010"}, 10},
        IntCase{"AboveRangeClamped", 'n', {"-n", "2147483648"}, 2147483647},
        IntCase{"FarAboveRangeClamped", 'n', {"-n", "99999999999999999999999"}, 2147483647},
        IntCase{"BelowRangeClamped", 'n', {"-n", "-2147483649"}, -2147483647 - 1},
        IntCase{"FarBelowRangeClamped", 'n', {"-n", "-99999999999999999999999"}, -2147483647 - 1}),
    [](const ::testing::TestParamInfo<IntCase>& info) { return std::string(info.param.name); });

TEST(DirectionOption, AcceptsOnlyMinusOneToOne) {
    EXPECT_EQ(readWith(directionOption, 'd', {"-d", "-1"}), -1);
    EXPECT_EQ(readWith(directionOption, 'd', {"-d", "0"}), 0);
    EXPECT_EQ(readWith(directionOption, 'd', {"-d", "1"}), 1);
    EXPECT_EQ(readWith(directionOption, 'd', {"-d", "-d", "1"}), 1);
    EXPECT_EQ(readWith(directionOption, 'd', {"-d", ""}), 0);
    const std::string range = "-d option value should be -1 .. 1";
    EXPECT_EQ(failureOf(directionOption, 'd', {"-d", "2"}), range);
    EXPECT_EQ(failureOf(directionOption, 'd', {"-d", "-2"}), range);
    EXPECT_EQ(failureOf(directionOption, 'd', {"-d", "4294967297"}), range);
    EXPECT_EQ(failureOf(directionOption, 'd', {"-d", "1.0"}), "-d option not integer");
    EXPECT_EQ(failureOf(directionOption, 'd', {"-d"}), "-d option missing");
}

TEST(FloatOption, AcceptsTheWholeDecimalForm) {
    EXPECT_EQ(readWith(floatOption, 'm', {"-m", "0.5"}), 0.5);
    EXPECT_EQ(readWith(floatOption, 'k', {"-k", "2"}), 2.0);
    EXPECT_EQ(readWith(floatOption, 'k', {"-k", "-0.5"}), -0.5);
    EXPECT_EQ(readWith(floatOption, 'm', {"-m", "  1.5e2"}), 150.0);
    EXPECT_EQ(readWith(floatOption, 'm', {"-m", ".25"}), 0.25);
    EXPECT_EQ(readWith(floatOption, 'm', {"-m", ""}), 0.0);
    EXPECT_EQ(readWith(floatOption, 'm', {"-m", "1e999"}), HUGE_VAL);
    EXPECT_EQ(readWith(floatOption, 'm', {"-m", "7", "-m", "8"}), 7.0);
}

TEST(FloatOption, RejectsTextLeftOver) {
    const std::string notFloat = "-m option not in float format";
    EXPECT_EQ(failureOf(floatOption, 'm', {"-m", "0.5x"}), notFloat);
    EXPECT_EQ(failureOf(floatOption, 'm', {"-m", "0.5 "}), notFloat);
    EXPECT_EQ(failureOf(floatOption, 'm', {"-m", "half"}), notFloat);
    EXPECT_EQ(failureOf(floatOption, 'm', {"-m", "1,5"}), notFloat);
    EXPECT_EQ(failureOf(floatOption, 'm', {"-m", "-k"}), notFloat);
    EXPECT_EQ(failureOf(floatOption, 'k', {"-m", "1"}), "-k option missing");
}

std::vector<std::string> allOptions() {
    return {"-I", "10",  "-n", "4",  "-N", "3",  "-m", "0.5",
            "-k", "1.5", "-W", "20", "-C", "30", "-d", "-1"};
}

std::vector<std::string> without(std::vector<std::string> arguments, const std::string& mark) {
    for (auto it = arguments.begin(); it != arguments.end(); ++it) {
        if (*it == mark) {
            arguments.erase(it, it + 2);
            break;
        }
    }
    return arguments;
}

TEST(ReadOptions, ReadsAllEightInAnyArgumentOrder) {
    std::vector<std::string> arguments = allOptions();
    std::rotate(arguments.begin(), arguments.begin() + 6, arguments.end());
    const GeneratorOptions options = readAll(arguments);
    EXPECT_EQ(options.firstId, 10);
    EXPECT_EQ(options.itemCount, 4);
    EXPECT_EQ(options.instanceCount, 3);
    EXPECT_EQ(options.capacityRatio, 0.5);
    EXPECT_EQ(options.biasExponent, 1.5);
    EXPECT_EQ(options.largestWeight, 20);
    EXPECT_EQ(options.largestCost, 30);
    EXPECT_EQ(options.biasDirection, -1);
}

TEST(ReadOptions, ReportsTheFirstFaultInReadingOrder) {
    EXPECT_EQ(failureOfReadAll({}), "-I option missing");
    EXPECT_EQ(failureOfReadAll(without(without(allOptions(), "-W"), "-C")), "-W option missing");
    EXPECT_EQ(failureOfReadAll(without(without(allOptions(), "-d"), "-N")), "-N option missing");
    std::vector<std::string> badRatioAndDirection = without(without(allOptions(), "-m"), "-d");
    badRatioAndDirection.insert(badRatioAndDirection.end(), {"-d", "5", "-m", "x"});
    EXPECT_EQ(failureOfReadAll(badRatioAndDirection), "-m option not in float format");
    std::vector<std::string> badDirection = without(allOptions(), "-d");
    badDirection.insert(badDirection.end(), {"-d", "5"});
    EXPECT_EQ(failureOfReadAll(badDirection), "-d option value should be -1 .. 1");
}

}  // namespace
}  // namespace generator
