#pragma once

#include <vector>

extern std::vector<double> test_fx;  // the value of each chromosome
extern int recorded_generations;     // calls of record_best
extern int reported_runs;            // calls of report_run
