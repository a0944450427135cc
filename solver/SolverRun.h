#pragma once

#include <cstdio>

#include "methods/MethodTable.h"
#include "solver/MethodChoice.h"

namespace knapsack {

// The solver program: solves every instance line of the instance file with the chosen method and
// writes one line per instance to each of the three report files.
//
// argv holds the program's name, then the instance file, the solution file, the cost file, the
// statistics file and the method number; later arguments are ignored. A failure ends the run
// with the line "Exception : <text> \n" on messages. Returns the exit status: 0 after a complete
// run, 1 after a failure.
int runSolver(int argc, const char* const argv[], std::FILE* messages,
              const SolverFactory& factory = createSolver);

}  // namespace knapsack
