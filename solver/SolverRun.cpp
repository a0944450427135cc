#include "solver/SolverRun.h"

#include <exception>
#include <new>

#include "model/Failure.h"
#include "solver/LargeStackRunner.h"
#include "solver/LineReader.h"
#include "solver/OpenFile.h"
#include "solver/ReportFiles.h"

namespace knapsack {

namespace {

constexpr int kArgumentCount = 5;

void solveEveryLine(const char* const arguments[], const SolverFactory& factory) {
    OpenFile instanceFile = OpenFile::forReading(arguments[0]);
    ReportFiles reports = ReportFiles::open(instanceFile, arguments[1], arguments[2], arguments[3]);
    const MethodChoice method(arguments[4], factory);

    LineReader lines(instanceFile.stream());
    while (const std::optional<std::string_view> line = lines.next()) {
        const Instance instance(*line);
        const std::unique_ptr<Solver> solver = method.createSolver(instance);
        LargeStackRunner::run(instance.itemCount(), [&solver] { solver->solve(); });
        reports.write(*solver);
    }

    instanceFile.close();
    reports.close();
}

void reportFailure(std::FILE* messages, const char* text) {
    std::fprintf(messages, "Exception : %s \n", text);
    std::fflush(messages);
}

}  // namespace

int runSolver(int argc, const char* const argv[], std::FILE* messages,
              const SolverFactory& factory) {
    try {
        if (argc - 1 < kArgumentCount) {
            throw Failure(failure_text::kTooFewArguments);
        }
        solveEveryLine(argv + 1, factory);
        return 0;
    } catch (const std::bad_alloc&) {
        reportFailure(messages, failure_text::kOutOfMemory);
    } catch (const std::exception& failure) {
        reportFailure(messages, failure.what());
    }
    return 1;
}

}  // namespace knapsack
