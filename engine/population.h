// The engine's process-wide state: the parameters, the population store and
// where the execution stands. With the generator's state (seed, random.h),
// the running figures of the statistics (statistics.h) and what the front end
// keeps for its report (front_end.h), this is all that a later generation
// depends on: a checkpoint (checkpoint.h) keeps exactly these.
#pragma once

#include <cstddef>

// Parameters, fixed by the front end and start_engine before the first run.
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
extern eval_record *eval;     // VEL_POP records
extern int *elim;             // M indices chosen for elimination, in draw order
extern int *surv;             // the other VEL_POP - M indices, ascending
extern unsigned char *mask;   // N bytes for the uniform crossover, if it is used
extern int best;              // index of the best chromosome of the latest evaluation

// Where the execution stands: the run in progress, from 0, and the
// generations of it done (the one in progress, while it runs).
extern int current_run;
extern int current_generation;

// The limits that every program keeps; each ends the process with a message
// when its values break it. The front end checks each as soon as its values
// are known, and start_engine all of them again.
void check_population_size();         // VEL_POP >= 1
void check_elimination(int percent);  // a survivor, and as many as the breeding needs

// The count of chromosomes that a percentage of size names, truncated toward
// zero; computed in 64 bits, so that no product overflows.
long long elimination_count(int percent, int size);

// The shared start-up, once the front end has read and checked its input and
// derived N, with M still the percentage and p_mut the fraction: checks the
// engine's limits, makes M the count and p_mut per mille, seeds the
// generator, opens the files that the environment asks for, allocates the
// store, and goes on from a checkpoint where one is kept (checkpoint.h).
// Returns true when the front end is to print its parameter block, false
// when the output of an execution stopped after that has been written again.
bool start_engine();

// Allocates the zero-filled store for VEL_POP, N and M (M the count); ends
// the process with a message when the memory cannot be had.
void alloc_pop();

// Frees the store; the programs leave that to the end of the process.
void release_store();

// calloc for count elements of size bytes (at least one byte, so that an empty
// list is not mistaken for a failure); ends the process with a message when
// the memory cannot be had.
void *alloc_zeroed(std::size_t count, std::size_t size);

// Draws every bit of the population, row after row.
void init_pop();

// True when key is absent from the first count entries of list.
bool not_in_list(const int *list, int key, int count);
