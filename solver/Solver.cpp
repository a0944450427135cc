#include "solver/Solver.h"

#include <unistd.h>

#include <chrono>
#include <string>
#include <utility>

#include "model/Failure.h"
#include "model/Wrapping.h"

namespace knapsack {

namespace {

void writeLine(std::FILE* stream, const std::string& line) {
    // A full disk may take part of a line. The part is cut off again, so that a report file keeps
    // complete lines only; where the stream has no position (a pipe) there is nothing to cut.
    const long lineStart = std::ftell(stream);
    std::fwrite(line.data(), 1, line.size(), stream);
    if (std::fflush(stream) != 0 || std::ferror(stream) != 0) {
        if (lineStart >= 0) {
            // Fails harmlessly on what is not a regular file, such as /dev/full.
            [[maybe_unused]] const int cut = ftruncate(fileno(stream), lineStart);
        }
        throw Failure(failure_text::kWriteError);
    }
}

std::string numbers(std::initializer_list<int32_t> values) {
    std::string text;
    for (int32_t value : values) {
        if (!text.empty()) {
            text += ' ';
        }
        text += std::to_string(value);
    }
    return text;
}

}  // namespace

TimeStamp TimeStamp::now() {
    // A monotonic clock, so that setting the system clock back never makes a solve look negative.
    const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
    const auto totalMilliseconds =
        std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart).count();
    return TimeStamp{static_cast<int32_t>(totalMilliseconds / 1000),
                     static_cast<uint16_t>(totalMilliseconds % 1000)};
}

int32_t elapsedMilliseconds(TimeStamp start, TimeStamp end) {
    const int32_t wholeSeconds = wrappingSubtract(end.seconds, start.seconds);
    return wrappingAdd(wrappingMultiply(wholeSeconds, 1000),
                       int32_t{end.milliseconds} - int32_t{start.milliseconds});
}

Solver::Solver(Instance instanceToSolve) : instance(std::move(instanceToSolve)), best(instance) {}

int32_t Solver::elapsedMilliseconds() const {
    return knapsack::elapsedMilliseconds(startTime, endTime);
}

void Solver::startClock() {
    startTime = TimeStamp::now();
    steps = 0;
}

void Solver::stopClock() {
    endTime = TimeStamp::now();
}

void Solver::writeSolution(std::FILE* stream) const {
    // The header ends with a blank and every flag brings its own, hence two blanks before the
    // first flag and a trailing blank for an instance without items.
    std::string line = numbers({instance.id(), instance.itemCount(), best.cost()}) + ' ';
    for (int32_t i = 0; i < instance.itemCount(); ++i) {
        line += ' ';
        line += best.contains(i) != 0 ? '1' : '0';
    }
    line += '\n';
    writeLine(stream, line);
}

void Solver::writeCostLine(std::FILE* stream) const {
    writeLine(stream, numbers({instance.id(), best.cost(), stepCount()}) + '\n');
}

void Solver::writeStatistics(std::FILE* stream) const {
    writeLine(stream, numbers({instance.id(), instance.itemCount(), best.cost(),
                               elapsedMilliseconds(), stepCount()}) +
                          '\n');
}

}  // namespace knapsack
