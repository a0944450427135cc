"""The experiment tool: sweeps item counts, runs the generator and the solver, and compares the
methods by their steps, their time and the greedy methods' distance from the optimum."""
