// The knapsack problem: its data, the problem file and the problem block.
#pragma once

extern int *weights;       // N weights, item 0 first
extern int *profits;       // N profits
extern int C;              // the capacity
extern int runs;           // independent runs of the evolution

// Reads the problem file into the engine's parameters (M still a percentage,
// p_mut still a fraction) and the data above. A file that cannot be opened,
// a value that is missing or malformed, or an item count below 1 ends the
// process; nothing after the capacity is read.
void read_problem(const char *path);

// Ends the process with a message when the problem read does not allow a
// sound run; the engine's own limits are checked by start_engine.
void check_problem();

// The parameter block with the weights, the profits and the capacity.
void print_problem();
