#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace knapsack {

// What the kernel reports about the memory that this process may still take: the machine's
// available memory, and the limits that apply to the process with what it uses of each. A value
// the kernel does not report is left empty.
struct MemoryReadings {
    std::optional<uint64_t> machineTotal;       // MemTotal of /proc/meminfo
    std::optional<uint64_t> machineAvailable;   // MemAvailable: what can be taken without swapping
    std::optional<uint64_t> groupLimit;         // of the process's control group, or of the
    std::optional<uint64_t> groupUsed;          // enclosing one whose limit leaves the least room
    std::optional<uint64_t> addressSpaceLimit;  // RLIMIT_AS when set
    std::optional<uint64_t> addressSpaceUsed;   // VmSize of /proc/self/status
    std::optional<uint64_t> dataLimit;          // RLIMIT_DATA when set
    std::optional<uint64_t> dataUsed;           // VmData of /proc/self/status

    // Reads all of them now.
    static MemoryReadings ofThisProcess();
};

// The bytes that the process may still take: the least that any reading allows, after keeping an
// eighth of the machine's memory and of every process limit for everything else, so that the
// machine neither swaps nor kills a process. Without any reading there is no known bound.
uint64_t headroomOf(const MemoryReadings& readings);

// Parsers of the kernel's text reports.
namespace memory_report {
// The value of the line "<name>: <number> kB" of /proc/meminfo or /proc/self/status, in bytes.
std::optional<uint64_t> kibibyteField(std::string_view text, std::string_view name);
// The contents of a control group's limit or usage file: a number of bytes, or "max" (no limit).
std::optional<uint64_t> groupValue(std::string_view text);
}  // namespace memory_report

}  // namespace knapsack
