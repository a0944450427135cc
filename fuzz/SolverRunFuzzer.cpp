// Fuzz target: whole solver runs over a fuzzed instance file, one with each method. Every run must
// end with a complete set of reports, or with one failure line of a text that the file and the
// method explain after the complete report lines of the instances before it. Every report line
// must describe a selection of its own instance, and where the instance is an ordinary one (no
// negative numbers, sums within 32 bits) the exact methods must agree on its optimum and the
// greedy methods must not beat it.
//
// Size limits keep every case quick: the exhaustive methods run only when every instance has at
// most kLargestSearch items, and the dynamic programming has a small memory budget, beyond which
// it ends with the out-of-memory failure.

#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "methods/DynamicProgrammingSolver.h"
#include "methods/MemoryBudget.h"
#include "methods/MethodTable.h"
#include "FuzzCheck.h"
#include "model/Failure.h"
#include "model/Instance.h"
#include "solver/SolverRun.h"

namespace {

using fuzz_check::require;
using knapsack::Instance;

constexpr size_t kLargestInput = 8192;
constexpr int32_t kLargestSearch = 12;
constexpr uint64_t kDynamicProgrammingBudget = uint64_t{1} << 20;

constexpr int32_t kExhaustive = 1;
constexpr int32_t kRatioGreedy = 2;
constexpr int32_t kBranchAndBound = 3;
constexpr int32_t kDynamicProgramming = 4;
constexpr int32_t kImprovedGreedy = 5;

// The folder of the run's four files, removed when the fuzzer ends.
class RunFolder {
  public:
    RunFolder() {
        // A memory file system when there is one: creating and emptying files there is many
        // times faster, and each input makes twenty of them.
        const std::filesystem::path base =
            access("/dev/shm", W_OK) == 0 ? "/dev/shm" : std::filesystem::temp_directory_path();
        std::string pattern = (base / "knapsack-fuzz-XXXXXX").string();
        require(mkdtemp(pattern.data()) != nullptr, "cannot create a temporary folder");
        folder = pattern;
    }
    ~RunFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    RunFolder(const RunFolder&) = delete;
    RunFolder& operator=(const RunFolder&) = delete;

    std::string file(const char* name) const { return (folder / name).string(); }

  private:
    std::filesystem::path folder;
};

std::string readWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeWhole(const std::string& path, std::string_view contents) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    require(static_cast<bool>(out), "cannot write the instance file");
}

// The lines of a report file, each without its line end; the file must end with one.
std::vector<std::string> reportLines(const std::string& text, const char* file) {
    require(text.empty() || text.back() == '\n', std::string(file) + " ends in a partial line");
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

// What the driver will see in the file: the instances of the lines up to the first malformed
// one, and whether there is such a line.
struct InstanceFile {
    std::vector<Instance> instances;
    bool hasMalformedLine = false;
};

InstanceFile readInstances(std::string_view contents) {
    InstanceFile file;
    while (!contents.empty()) {
        const size_t end = contents.find('\n');
        const size_t length = end == std::string_view::npos ? contents.size() : end + 1;
        try {
            file.instances.emplace_back(contents.substr(0, length));
        } catch (const knapsack::Failure&) {
            file.hasMalformedLine = true;
            break;
        }
        contents.remove_prefix(length);
    }
    return file;
}

// An instance on which every method is exact or a lower bound: no negative number, and the sums
// of all weights and of all costs fit 32 bits.
bool isOrdinary(const Instance& instance) {
    int64_t weights = 0;
    int64_t costs = 0;
    for (int32_t i = 0; i < instance.itemCount(); ++i) {
        if (instance.weightOf(i) < 0 || instance.costOf(i) < 0) {
            return false;
        }
        weights += instance.weightOf(i);
        costs += instance.costOf(i);
    }
    return instance.capacity() >= 0 && weights <= INT32_MAX && costs <= INT32_MAX;
}

bool hasNegativeWeight(const Instance& instance) {
    for (int32_t i = 0; i < instance.itemCount(); ++i) {
        if (instance.weightOf(i) < 0) {
            return true;
        }
    }
    return false;
}

std::vector<int64_t> numbersOf(const std::string& line) {
    std::vector<int64_t> numbers;
    std::istringstream stream(line);
    for (int64_t number = 0; stream >> number;) {
        numbers.push_back(number);
    }
    return numbers;
}

// Checks the three report lines of one instance; returns the reported cost.
int32_t checkReportLines(const Instance& instance, const std::string& solution,
                         const std::string& cost, const std::string& statistics) {
    const std::string where = "instance " + std::to_string(instance.id()) + ": ";
    const std::vector<int64_t> costNumbers = numbersOf(cost);
    require(costNumbers.size() == 3 && costNumbers[0] == instance.id(), where + "cost line");
    const auto bestCost = static_cast<int32_t>(costNumbers[1]);

    std::string expectedHead = std::to_string(instance.id()) + " " +
                               std::to_string(instance.itemCount()) + " " +
                               std::to_string(bestCost) + " ";
    require(solution.compare(0, expectedHead.size(), expectedHead) == 0,
            where + "solution line head");
    const std::string flags = solution.substr(expectedHead.size());
    const size_t itemCount = instance.itemCount() > 0 ? instance.itemCount() : 0;
    require(flags.size() == 2 * itemCount, where + "number of flags");
    uint32_t chosenCost = 0;
    uint32_t chosenWeight = 0;
    for (size_t i = 0; i < itemCount; ++i) {
        const char flag = flags[2 * i + 1];
        require(flags[2 * i] == ' ' && (flag == '0' || flag == '1'), where + "flag form");
        if (flag == '1') {
            chosenCost += static_cast<uint32_t>(instance.costOf(static_cast<int32_t>(i)));
            chosenWeight += static_cast<uint32_t>(instance.weightOf(static_cast<int32_t>(i)));
        }
    }
    require(static_cast<int32_t>(chosenCost) == bestCost, where + "flags and cost disagree");
    if (isOrdinary(instance)) {
        require(static_cast<int32_t>(chosenWeight) <= instance.capacity(),
                where + "the selection is overweight");
    }

    const std::vector<int64_t> statisticsNumbers = numbersOf(statistics);
    require(statisticsNumbers.size() == 5 && statisticsNumbers[0] == instance.id() &&
                statisticsNumbers[1] == instance.itemCount() && statisticsNumbers[2] == bestCost &&
                statisticsNumbers[3] >= 0 && statisticsNumbers[4] == costNumbers[2],
            where + "statistics line");
    return bestCost;
}

class SolverRunFuzzer {
  public:
    // Runs every method that the limits allow over the file and checks what each leaves.
    void run(std::string_view contents) {
        writeWhole(folder.file("instances"), contents);
        file = readInstances(contents);
        costs.clear();
        for (int32_t method = 1; method <= 5; ++method) {
            if (fitsLimits(method)) {
                runMethod(method);
            }
        }
        compareMethods();
    }

  private:
    bool fitsLimits(int32_t method) const {
        if (method != kExhaustive && method != kBranchAndBound) {
            return true;
        }
        for (const Instance& instance : file.instances) {
            if (instance.itemCount() > kLargestSearch) {
                return false;
            }
        }
        return true;
    }

    void runMethod(int32_t method) {
        const std::string methodNumber = std::to_string(method);
        const std::array<std::string, 6> arguments{"solver",
                                                   folder.file("instances"),
                                                   folder.file("solution"),
                                                   folder.file("cost"),
                                                   folder.file("statistics"),
                                                   methodNumber};
        std::array<const char*, 6> argv{};
        for (size_t i = 0; i < arguments.size(); ++i) {
            argv[i] = arguments[i].c_str();
        }
        char* messageBuffer = nullptr;
        size_t messageLength = 0;
        std::FILE* messages = open_memstream(&messageBuffer, &messageLength);
        require(messages != nullptr, "cannot open a memory stream");
        const int status =
            knapsack::runSolver(static_cast<int>(argv.size()), argv.data(), messages, &makeSolver);
        std::fclose(messages);
        const std::string message(messageBuffer, messageLength);
        std::free(messageBuffer);

        const std::string where = "method " + methodNumber + ": ";
        const std::vector<std::string> solutions =
            reportLines(readWhole(folder.file("solution")), "solution file");
        const std::vector<std::string> costLines =
            reportLines(readWhole(folder.file("cost")), "cost file");
        const std::vector<std::string> statistics =
            reportLines(readWhole(folder.file("statistics")), "statistics file");
        const size_t reported = solutions.size();
        require(costLines.size() == reported && statistics.size() == reported,
                where + "the report files have different numbers of lines");
        require(reported <= file.instances.size(), where + "more report lines than instances");
        for (size_t i = 0; i < reported; ++i) {
            costs[i][method] =
                checkReportLines(file.instances[i], solutions[i], costLines[i], statistics[i]);
        }
        checkEnding(method, status, message, reported);
    }

    // The run ends completely, or with one failure that the instance after the last one reported
    // explains.
    void checkEnding(int32_t method, int status, const std::string& message, size_t reported) {
        const std::string where = "method " + std::to_string(method) + ": ";
        if (status == 0) {
            require(message.empty(), where + "a complete run printed " + message);
            require(!file.hasMalformedLine && reported == file.instances.size(),
                    where + "a complete run left instances out");
            return;
        }
        require(status == 1, where + "exit status " + std::to_string(status));
        const std::string prefix = "Exception : ";
        const std::string suffix = " \n";
        require(message.size() > prefix.size() + suffix.size() &&
                    message.compare(0, prefix.size(), prefix) == 0 &&
                    message.compare(message.size() - suffix.size(), suffix.size(), suffix) == 0,
                where + "failure line " + message);
        const std::string text =
            message.substr(prefix.size(), message.size() - prefix.size() - suffix.size());
        if (text == knapsack::failure_text::kReadError) {
            require(file.hasMalformedLine && reported == file.instances.size(),
                    where + "a read failure before the malformed line");
            return;
        }
        require(method == kDynamicProgramming && reported < file.instances.size(),
                where + "unexpected failure " + text);
        const Instance& failed = file.instances[reported];
        if (text == knapsack::failure_text::kIndexOutOfBounds) {
            require(hasNegativeWeight(failed), where + "a column outside the table without cause");
        } else {
            require(text == knapsack::failure_text::kOutOfMemory, where + "failure " + text);
        }
    }

    void compareMethods() const {
        for (const auto& [index, byMethod] : costs) {
            const Instance& instance = file.instances[index];
            if (!isOrdinary(instance)) {
                continue;
            }
            std::optional<int32_t> optimum;
            for (int32_t method : {kExhaustive, kBranchAndBound, kDynamicProgramming}) {
                const auto found = byMethod.find(method);
                if (found == byMethod.end()) {
                    continue;
                }
                require(!optimum || *optimum == found->second,
                        "the exact methods disagree on instance " + std::to_string(instance.id()));
                optimum = found->second;
            }
            for (int32_t method : {kRatioGreedy, kImprovedGreedy}) {
                const auto found = byMethod.find(method);
                require(!optimum || found == byMethod.end() || found->second <= *optimum,
                        "a greedy method beat the optimum on instance " +
                            std::to_string(instance.id()));
            }
            require(byMethod.at(kImprovedGreedy) >= byMethod.at(kRatioGreedy),
                    "the improved greedy lost to the ratio greedy");
        }
    }

    static std::unique_ptr<knapsack::Solver> makeSolver(int32_t method, const Instance& instance) {
        if (method == kDynamicProgramming) {
            return std::make_unique<knapsack::DynamicProgrammingSolver>(
                instance, knapsack::MemoryBudget(kDynamicProgrammingBudget));
        }
        return knapsack::createSolver(method, instance);
    }

    RunFolder folder;
    InstanceFile file;
    std::map<size_t, std::map<int32_t, int32_t>> costs;  // by instance index, then by method
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static SolverRunFuzzer fuzzer;
    if (size > kLargestInput) {
        return 0;
    }
    fuzzer.run(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
