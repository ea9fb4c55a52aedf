#pragma once

#include <vector>

extern std::vector<double> test_fx;  // the value of each chromosome
extern int logged_generations;       // calls of log_generation
extern int reported_runs;            // calls of report_run
