#include "methods/MachineMemory.h"

#include <sys/resource.h>

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace knapsack {

namespace {

constexpr uint64_t kKibibyte = 1024;

std::optional<uint64_t> parseNumber(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    text.remove_prefix(first);
    uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data()) {
        return std::nullopt;
    }
    return value;
}

std::string readWholeFile(const std::string& path) {
    std::ifstream stream(path);
    return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

std::optional<uint64_t> resourceLimit(int resource) {
    rlimit limit{};
    if (getrlimit(resource, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) {
        return std::nullopt;
    }
    return static_cast<uint64_t>(limit.rlim_cur);
}

// The limit and the usage files of a control group directory, for either version of the
// control group file system.
struct GroupFiles {
    std::string limit;
    std::string usage;
};

// The memory control groups of this process, innermost first, then each enclosing one up to the
// root, from the lines "<id>:<controllers>:<path>" of /proc/self/cgroup.
std::vector<GroupFiles> memoryGroupsOfThisProcess() {
    std::vector<GroupFiles> groups;
    std::ifstream stream("/proc/self/cgroup");
    std::string line;
    while (std::getline(stream, line)) {
        const size_t firstColon = line.find(':');
        const size_t secondColon = line.find(':', firstColon + 1);
        if (firstColon == std::string::npos || secondColon == std::string::npos) {
            continue;
        }
        const std::string controllers = line.substr(firstColon + 1, secondColon - firstColon - 1);
        std::string path = line.substr(secondColon + 1);
        std::string root;
        std::string limitName;
        std::string usageName;
        if (controllers.empty()) {  // the unified hierarchy of version 2
            root = "/sys/fs/cgroup";
            limitName = "/memory.max";
            usageName = "/memory.current";
        } else if (("," + controllers + ",").find(",memory,") != std::string::npos) {
            root = "/sys/fs/cgroup/memory";
            limitName = "/memory.limit_in_bytes";
            usageName = "/memory.usage_in_bytes";
        } else {
            continue;
        }
        while (true) {
            const std::string directory = root + (path == "/" ? "" : path);
            groups.push_back({directory + limitName, directory + usageName});
            if (path.empty() || path == "/") {
                break;
            }
            path.erase(std::max<size_t>(path.rfind('/'), 1));
        }
    }
    return groups;
}

void readTightestGroup(MemoryReadings& readings) {
    for (const GroupFiles& files : memoryGroupsOfThisProcess()) {
        const auto limit = memory_report::groupValue(readWholeFile(files.limit));
        const auto used = memory_report::groupValue(readWholeFile(files.usage));
        if (!limit || !used) {
            continue;
        }
        const uint64_t room = *limit > *used ? *limit - *used : 0;
        if (!readings.groupLimit || room < *readings.groupLimit - *readings.groupUsed) {
            readings.groupLimit = limit;
            readings.groupUsed = std::min(*used, *limit);
        }
    }
}

// What is left of a limit once an eighth of it is kept back and the usage is taken off.
uint64_t roomWithin(uint64_t limit, uint64_t used) {
    const uint64_t usable = limit - limit / 8;
    return usable > used ? usable - used : 0;
}

}  // namespace

namespace memory_report {

std::optional<uint64_t> kibibyteField(std::string_view text, std::string_view name) {
    size_t lineStart = 0;
    while (lineStart < text.size()) {
        size_t lineEnd = text.find('\n', lineStart);
        if (lineEnd == std::string_view::npos) {
            lineEnd = text.size();
        }
        const std::string_view line = text.substr(lineStart, lineEnd - lineStart);
        if (line.size() > name.size() && line.substr(0, name.size()) == name &&
            line[name.size()] == ':') {
            const auto kibibytes = parseNumber(line.substr(name.size() + 1));
            if (!kibibytes || *kibibytes > UINT64_MAX / kKibibyte) {
                return std::nullopt;
            }
            return *kibibytes * kKibibyte;
        }
        lineStart = lineEnd + 1;
    }
    return std::nullopt;
}

std::optional<uint64_t> groupValue(std::string_view text) {
    return parseNumber(text);
}

}  // namespace memory_report

MemoryReadings MemoryReadings::ofThisProcess() {
    MemoryReadings readings;
    const std::string meminfo = readWholeFile("/proc/meminfo");
    readings.machineTotal = memory_report::kibibyteField(meminfo, "MemTotal");
    readings.machineAvailable = memory_report::kibibyteField(meminfo, "MemAvailable");
    readTightestGroup(readings);
    const std::string status = readWholeFile("/proc/self/status");
    readings.addressSpaceLimit = resourceLimit(RLIMIT_AS);
    readings.addressSpaceUsed = memory_report::kibibyteField(status, "VmSize");
    readings.dataLimit = resourceLimit(RLIMIT_DATA);
    readings.dataUsed = memory_report::kibibyteField(status, "VmData");
    return readings;
}

uint64_t headroomOf(const MemoryReadings& readings) {
    uint64_t headroom = UINT64_MAX;
    if (readings.machineAvailable) {
        const uint64_t keptBack = readings.machineTotal.value_or(0) / 8;
        const uint64_t available = *readings.machineAvailable;
        headroom = std::min(headroom, available > keptBack ? available - keptBack : 0);
    }
    const auto limitBy = [&headroom](const std::optional<uint64_t>& limit,
                                     const std::optional<uint64_t>& used) {
        if (limit) {
            headroom = std::min(headroom, roomWithin(*limit, used.value_or(0)));
        }
    };
    limitBy(readings.groupLimit, readings.groupUsed);
    limitBy(readings.addressSpaceLimit, readings.addressSpaceUsed);
    limitBy(readings.dataLimit, readings.dataUsed);
    return headroom;
}

}  // namespace knapsack
