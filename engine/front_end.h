// What the engine needs from the program's front end. Each program links the
// one front end it is built from; the engine calls these by name.
#pragma once

#include <string>

// The program's name, as it calls itself.
extern const char program_name[];

// Evaluates chromosome i: stores its value in eval[i].fx (and, where the
// front end decodes a point, that point in eval[i].x).
void evaluate_chromosome(int i);

// Called once per generation, after the ranking has found `best` and before
// any elimination is drawn: records the generation's best chromosome as it
// was evaluated (the optimisers append it to their log, sakora keeps a copy
// of its bits for the report).
void record_best();

// The log that the front end appends a line to every generation, or null.
// Nothing else may write to it: a statistics file that named it would empty
// it, and a checkpoint cuts it back to where the checkpoint stood.
extern const char *const appended_log;

// The columns that the front end adds to each row of the statistics file
// (GENETIC_STATS): their names, each after a comma, and a function that
// appends their values for the generation just evaluated to the row, each
// after a comma.
extern const char front_statistics_header[];
void add_front_statistics(std::string &row);

// The report at the end of a run.
void report_run();

// What the front end keeps from one generation to the next for its report,
// written into a checkpoint and read back from it (checkpoint.h).
void save_front_state();
void restore_front_state();
