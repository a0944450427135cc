#include <cstdio>

#include "solver/SolverRun.h"

int main(int argc, char* argv[]) {
    return knapsack::runSolver(argc, argv, stdout);
}
