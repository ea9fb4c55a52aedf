// What the engine needs from the program's front end. Each program links the
// one front end it is built from; the engine calls these by name.
#pragma once

#include <string>

// Evaluates chromosome i: stores its value in eval[i]->fx (and, where the
// front end decodes a point, that point in eval[i]->x).
void evaluate_chromosome(int i);

// Called once per generation, after the ranking has found `best` and before
// any elimination is drawn: records the generation's best chromosome as it
// was evaluated (the optimisers append it to their log, sakora keeps a copy
// of its bits for the report).
void record_best();

// The columns that the front end adds to each row of the statistics file
// (GENETIC_STATS): their names, each after a comma, and a function that
// appends their values for the generation just evaluated to the row, each
// after a comma.
extern const char front_statistics_header[];
void add_front_statistics(std::string &row);

// The file that the front end only ever appends to (its log), or null: a
// file of statistics may not name it, for it would be emptied.
extern const char *const kept_file;

// The report at the end of a run.
void report_run();
