#include "solver/ReportFiles.h"

#include <utility>

#include "model/Failure.h"

namespace knapsack {

ReportFiles::ReportFiles(OpenFile solution, OpenFile cost, OpenFile statistics)
    : solution(std::move(solution)), cost(std::move(cost)), statistics(std::move(statistics)) {}

ReportFiles ReportFiles::open(const OpenFile& instanceFile, const std::string& solutionPath,
                              const std::string& costPath, const std::string& statisticsPath) {
    for (const std::string* path : {&solutionPath, &costPath, &statisticsPath}) {
        if (instanceFile.isSameRegularFileAs(*path)) {
            throw Failure(failure_text::kSameInputAndOutput);
        }
    }
    // Arguments are evaluated in no fixed order, so the files are opened one statement at a time.
    OpenFile solution = OpenFile::forWriting(solutionPath);
    OpenFile cost = OpenFile::forWriting(costPath);
    OpenFile statistics = OpenFile::forWriting(statisticsPath);
    return ReportFiles(std::move(solution), std::move(cost), std::move(statistics));
}

void ReportFiles::write(const Solver& solver) const {
    solver.writeSolution(solution.stream());
    solver.writeCostLine(cost.stream());
    solver.writeStatistics(statistics.stream());
}

void ReportFiles::close() {
    // Every file is closed, even after one has failed.
    const bool solutionClosed = solution.close();
    const bool costClosed = cost.close();
    const bool statisticsClosed = statistics.close();
    if (!solutionClosed || !costClosed || !statisticsClosed) {
        throw Failure(failure_text::kWriteError);
    }
}

}  // namespace knapsack
