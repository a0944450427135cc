#include "methods/MemoryBudget.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "methods/MachineMemory.h"
#include "model/FailureText.h"

namespace knapsack {
namespace {

using testing_failure::failureText;

constexpr const char* kNoFailure = "(no failure)";
constexpr const char* kOutOfMemory = "Nedostatek pameti";

TEST(MemoryBudget, AFixedBudgetTakesChargesUpToItsLimit) {
    MemoryBudget budget(100);
    budget.charge(60);
    budget.charge(40);
    EXPECT_EQ(budget.charged(), 100u);
    EXPECT_EQ(failureText([&] { budget.charge(1); }), kOutOfMemory);
    EXPECT_EQ(budget.charged(), 100u);  // a refused charge counts nothing
}

TEST(MemoryBudget, ReleasedBytesCanBeChargedAgain) {
    MemoryBudget budget(100);
    budget.charge(100);
    budget.release(30);
    EXPECT_EQ(failureText([&] { budget.charge(30); }), kNoFailure);
    EXPECT_EQ(failureText([&] { budget.charge(1); }), kOutOfMemory);
}

TEST(MemoryBudget, SizesBeyondAnyMachineAreRefusedEvenWithoutALimit) {
    MemoryBudget budget([] { return UINT64_MAX; });
    budget.charge(UINT64_MAX / 2);
    EXPECT_EQ(failureText([&] { budget.charge(UINT64_MAX / 2 + 2); }), kOutOfMemory);
    EXPECT_EQ(failureText([&] { budget.charge(saturatingMultiply(uint64_t{1} << 40, 1 << 30)); }),
              kOutOfMemory);
}

TEST(MemoryBudget, SaturatingArithmeticStopsAtTheLargestValue) {
    EXPECT_EQ(saturatingAdd(UINT64_MAX - 1, 1), UINT64_MAX);
    EXPECT_EQ(saturatingAdd(UINT64_MAX - 1, 2), UINT64_MAX);
    EXPECT_EQ(saturatingMultiply(uint64_t{1} << 32, uint64_t{1} << 31), uint64_t{1} << 63);
    EXPECT_EQ(saturatingMultiply(uint64_t{1} << 32, uint64_t{1} << 32), UINT64_MAX);
}

TEST(MemoryBudget, TheProbeIsAskedAtFirstAndAfterEachIntervalOfCharges) {
    // The headroom shrinks as another process takes memory.
    std::vector<uint64_t> headrooms{1000, 50, 0};
    size_t probes = 0;
    MemoryBudget budget([&] { return headrooms.at(probes++); }, 100);

    budget.charge(50);  // the first charge asks: headroom 1000 beyond the 0 charged
    EXPECT_EQ(probes, 1u);
    budget.charge(99);  // 149 charged, below the next check at 150
    EXPECT_EQ(probes, 1u);
    budget.charge(1);  // 150 reaches the check: headroom 50 beyond the 149 charged before
    EXPECT_EQ(probes, 2u);
    budget.charge(49);  // 199, the new limit
    EXPECT_EQ(failureText([&] { budget.charge(1); }), kOutOfMemory);
    EXPECT_EQ(probes, 2u);
    EXPECT_EQ(failureText([&] { budget.charge(51); }), kOutOfMemory);  // 250: asked, none left
    EXPECT_EQ(probes, 3u);
    EXPECT_EQ(budget.charged(), 199u);
}

TEST(MemoryBudget, MoreHeadroomLaterNeverRaisesTheLimit) {
    // Charged bytes may not have been taken yet when the probe is asked again, so its larger
    // answer may count them as free.
    std::vector<uint64_t> headrooms{100, 1000};
    size_t probes = 0;
    MemoryBudget budget([&] { return headrooms.at(probes++); }, 50);
    budget.charge(60);
    budget.charge(40);
    EXPECT_EQ(failureText([&] { budget.charge(10); }), kOutOfMemory);
    EXPECT_EQ(probes, 2u);
}

TEST(MemoryBudget, AssuredBytesAreGrantedWhateverTheProbeSays) {
    MemoryBudget budget([] { return uint64_t{0}; }, 100, 1000);
    budget.charge(600);
    budget.charge(400);
    EXPECT_EQ(failureText([&] { budget.charge(1); }), kOutOfMemory);
    budget.release(500);
    EXPECT_EQ(failureText([&] { budget.charge(500); }), kNoFailure);
}

TEST(MemoryBudget, ThisMachineGivesRoomForSmallChargesAndNoneForAbsurdOnes) {
    MemoryBudget budget = MemoryBudget::ofThisMachine();
    EXPECT_EQ(failureText([&] { budget.charge(1 << 20); }), kNoFailure);
    EXPECT_EQ(failureText([&] { budget.charge(uint64_t{1} << 50); }), kOutOfMemory);
}

// What the kernel reports, and the headroom left from it.

TEST(MemoryReport, KibibyteFieldsAreFoundByTheirWholeName) {
    const char* meminfo =
        "MemTotal:       24683668 kB\n"
        "MemFree:        24458392 kB\n"
        "MemAvailable:   24399332 kB\n";
    EXPECT_EQ(memory_report::kibibyteField(meminfo, "MemAvailable"), uint64_t{24399332} * 1024);
    EXPECT_EQ(memory_report::kibibyteField(meminfo, "MemTotal"), uint64_t{24683668} * 1024);
    EXPECT_EQ(memory_report::kibibyteField(meminfo, "Mem"), std::nullopt);
    EXPECT_EQ(memory_report::kibibyteField(meminfo, "SwapTotal"), std::nullopt);
    EXPECT_EQ(memory_report::kibibyteField("VmSize:\t    3896 kB", "VmSize"), 3896u * 1024);
    EXPECT_EQ(memory_report::kibibyteField("VmSize: kB\n", "VmSize"), std::nullopt);
    EXPECT_EQ(memory_report::kibibyteField("", "VmSize"), std::nullopt);
}

TEST(MemoryReport, GroupValuesAreBytesOrNoLimit) {
    EXPECT_EQ(memory_report::groupValue("4947968\n"), 4947968u);
    EXPECT_EQ(memory_report::groupValue("max\n"), std::nullopt);
    EXPECT_EQ(memory_report::groupValue(""), std::nullopt);
}

struct HeadroomCase {
    const char* name;
    MemoryReadings readings;
    uint64_t headroom;
};

class HeadroomCases : public testing::TestWithParam<HeadroomCase> {};

TEST_P(HeadroomCases, KeepsAnEighthOfEveryBoundAndTakesTheTightest) {
    EXPECT_EQ(headroomOf(GetParam().readings), GetParam().headroom);
}

MemoryReadings machine(uint64_t total, uint64_t available) {
    MemoryReadings readings;
    readings.machineTotal = total;
    readings.machineAvailable = available;
    return readings;
}

// The readings with one limit and its usage set.
MemoryReadings limited(MemoryReadings readings, std::optional<uint64_t> MemoryReadings::*limit,
                       std::optional<uint64_t> MemoryReadings::*used, uint64_t limitBytes,
                       uint64_t usedBytes) {
    readings.*limit = limitBytes;
    readings.*used = usedBytes;
    return readings;
}

MemoryReadings withGroup(uint64_t limit, uint64_t used) {
    return limited(machine(8000, 5000), &MemoryReadings::groupLimit, &MemoryReadings::groupUsed,
                   limit, used);
}

INSTANTIATE_TEST_SUITE_P(
    MachineMemory, HeadroomCases,
    testing::Values(HeadroomCase{"NothingKnown", MemoryReadings{}, UINT64_MAX},
                    HeadroomCase{"MachineOnly", machine(8000, 5000), 4000},
                    HeadroomCase{"MachineNearlyFull", machine(8000, 900), 0},
                    HeadroomCase{"GroupTighter", withGroup(1600, 600), 800},
                    HeadroomCase{"GroupUsedUp", withGroup(1600, 1500), 0},
                    HeadroomCase{"AddressSpaceTighter",
                                 limited(machine(8000, 5000), &MemoryReadings::addressSpaceLimit,
                                         &MemoryReadings::addressSpaceUsed, 2400, 1000),
                                 1100},
                    HeadroomCase{"DataTighter",
                                 limited(machine(8000, 5000), &MemoryReadings::dataLimit,
                                         &MemoryReadings::dataUsed, 800, 100),
                                 600},
                    HeadroomCase{"UnusedLimit",
                                 limited(MemoryReadings{}, &MemoryReadings::dataLimit,
                                         &MemoryReadings::dataUsed, 800, 0),
                                 700}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MachineMemory, ThisProcessReadsTheMachinesMemory) {
    const MemoryReadings readings = MemoryReadings::ofThisProcess();
    ASSERT_TRUE(readings.machineTotal.has_value());
    ASSERT_TRUE(readings.machineAvailable.has_value());
    EXPECT_LE(*readings.machineAvailable, *readings.machineTotal);
    EXPECT_GT(headroomOf(readings), 0u);
    EXPECT_LT(headroomOf(readings), *readings.machineTotal);
}

}  // namespace
}  // namespace knapsack
