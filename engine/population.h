// The engine's process-wide parameters and population store.
#pragma once

#include <cstddef>

// Parameters, fixed by the program entry before alloc_pop.
extern int VEL_POP;   // chromosomes in the population
extern int N;         // bits per chromosome (items, in the knapsack)
extern int M;         // chromosomes eliminated and replaced per generation
extern int numiter;   // generations per run
extern double p_mut;  // mutation probability, per mille

// The evaluation of one chromosome in the current generation.
struct eval_record {
    double x;        // the decoded point (function optimisers only)
    double fx;       // the value to be maximised
    double fx_rel;   // fx minus the smallest fx of the generation
    double deficit;  // how far fx lies below the best: the roulette weight
    double cum;      // running sum of deficit over the chromosomes in the draw
};

extern unsigned char **pop;   // VEL_POP rows of N bytes, each 0 or 1
extern eval_record **eval;    // VEL_POP records
extern int *elim;             // M indices chosen for elimination, in draw order
extern int *surv;             // the other VEL_POP - M indices, ascending
extern unsigned char *mask;   // N bytes for the uniform crossover, if it is used
extern int best;              // index of the best chromosome of the latest evaluation

// The count of chromosomes that a percentage of size names, truncated toward
// zero; computed in 64 bits, so that no product overflows.
long long elimination_count(int percent, int size);

// Ends the process with a message unless VEL_POP >= 1 and the count that
// `percent` gives lies in [0, VEL_POP - 1], so that a survivor always remains.
void check_population_limits(int percent);

// calloc for count elements of size bytes (at least one byte, so that an empty
// list is not mistaken for a failure); ends the process with a message when
// the memory cannot be had.
void *alloc_zeroed(std::size_t count, std::size_t size);

// Allocates the zero-filled store for VEL_POP, N and M (M already a count);
// ends the process with a message when its estimated size exceeds the
// machine's physical memory (where the platform tells it) or the memory
// cannot be had.
void alloc_pop();

// Draws every bit of the population, row after row.
void init_pop();

// True when key is absent from the first count entries of list.
bool not_in_list(const int *list, int key, int count);
