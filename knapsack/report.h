// What sakora reports: the best packing of each run, and the average value
// of the runs.
#pragma once

// The bits of the best packing of the latest evaluation, as evaluated (N
// bytes, zero until the first evaluation, kept across runs). The breeding
// after an evaluation may rewrite row best (a child written into it, or the
// mutation of a self-pairing), so the report prints this copy: its bits are
// always worth the value printed beside them.
extern unsigned char *best_packing;

// Prepares the report, once, before the runs: best_packing allocated
// zero-filled, the sum for the average at 0.
void start_report();

// The average line after the last run: the mean of the values the runs
// reported.
void print_average();
