#pragma once

#include <string>

#include "solver/OpenFile.h"
#include "solver/Solver.h"

namespace knapsack {

// The solution, cost and statistics files, which get one line each for every solved instance.
class ReportFiles {
  public:
    // Opens the three files for writing, in this order. Before it opens any, it makes sure that
    // none of them is the instance file, which opening it would empty; if one is, it throws
    // "Stejny vstupni a vystupni soubor".
    static ReportFiles open(const OpenFile& instanceFile, const std::string& solutionPath,
                            const std::string& costPath, const std::string& statisticsPath);

    // Writes the solver's three report lines, each to its file, flushed at once.
    void write(const Solver& solver) const;

    // Closes the three files in order; throws the write failure when a close fails.
    void close();

  private:
    ReportFiles(OpenFile solution, OpenFile cost, OpenFile statistics);

    OpenFile solution;
    OpenFile cost;
    OpenFile statistics;
};

}  // namespace knapsack
