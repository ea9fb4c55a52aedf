#include "population.h"

#include <cstdlib>

#include "breed.h"
#include "checkpoint.h"
#include "draw_bits.h"
#include "host.h"
#include "random.h"
#include "statistics.h"

int seed;

int VEL_POP;
int N;
int M;
int numiter;
double p_mut;

unsigned char **pop;
eval_record *eval;
int *elim;
int *surv;
unsigned char *mask;
int best;

int current_run;
int current_generation;

long long elimination_count(int percent, int size)
{
    return static_cast<long long>(percent) * size / 100;
}

void check_population_size()
{
    if (VEL_POP < 1)
        fail("The population size VEL_POP=%d must be at least 1", VEL_POP);
}

void check_elimination(int percent)
{
    long long count = elimination_count(percent, VEL_POP);
    if (count < 0 || count > VEL_POP - 1)
        fail("Eliminating %d per cent of VEL_POP=%d gives M=%lld; M must be from 0 to %d,"
             " so that a chromosome survives",
             percent, VEL_POP, count, VEL_POP - 1);
    check_breed_limits(static_cast<int>(count));
}

void *alloc_zeroed(std::size_t count, std::size_t size)
{
    void *p = std::calloc(count == 0 ? 1 : count, size);
    if (p == nullptr)
        fail("Not enough memory for the population (VEL_POP=%d, N=%d)", VEL_POP, N);
    return p;
}

// An estimate of the bytes the store takes, counted as on a 64-bit machine so
// that it is the same number everywhere: per chromosome its row of N bytes,
// its record, two row pointers, one index and the bookkeeping of two
// allocations; beside them two rows of scratch (the crossover mask, sakora's
// copy of the best packing).
static unsigned long long store_bytes()
{
    unsigned long long rows = static_cast<unsigned long long>(VEL_POP);
    unsigned long long bits = static_cast<unsigned long long>(N);
    return rows * (bits + sizeof(eval_record) + 2 * 8 + 4 + 2 * 16) + 2 * bits;
}

// A store beyond the physical memory would be granted on paper and end in
// the system's out-of-memory killer, without a word.
static void check_store_size()
{
    unsigned long long need = store_bytes();
    if (need > physical_memory())
        fail("Not enough memory for the population (VEL_POP=%d, N=%d): it needs %llu bytes"
             " (%.1f GB), more than the memory of this machine",
             VEL_POP, N, need, static_cast<double>(need) / 1e9);
}

void alloc_pop()
{
    pop = static_cast<unsigned char **>(alloc_zeroed(VEL_POP, sizeof *pop));
    for (int i = 0; i < VEL_POP; i++)
        pop[i] = static_cast<unsigned char *>(alloc_zeroed(N, 1));
    alloc_crossover();
    eval = static_cast<eval_record *>(alloc_zeroed(VEL_POP, sizeof *eval));
    elim = static_cast<int *>(alloc_zeroed(M, sizeof *elim));
    for (int i = 0; i < M; i++)
        elim[i] = -1;
    surv = static_cast<int *>(alloc_zeroed(VEL_POP - M, sizeof *surv));
    best = 0;
}

bool start_engine()
{
    check_population_size();
    check_elimination(M);
    check_crossover_limits();
    M = static_cast<int>(elimination_count(M, VEL_POP));
    p_mut = p_mut * 1000.0;
    seed = SEED_START;
    current_run = 0;
    current_generation = 0;
    check_store_size();
    // Every refusal comes before a file is touched: a checkpoint to go on
    // from cuts the logs back to where it stood.
    check_statistics_files();
    bool resumed = open_checkpoint();
    open_statistics(resumed);
    alloc_pop();
    return start_checkpoint(resumed);
}

void release_store()
{
    if (pop != nullptr)
        for (int i = 0; i < VEL_POP; i++)
            std::free(pop[i]);
    std::free(pop);
    std::free(eval);
    std::free(elim);
    std::free(surv);
    std::free(mask);
    pop = nullptr;
    eval = nullptr;
    elim = nullptr;
    surv = nullptr;
    mask = nullptr;
}

void init_pop()
{
    // Row after row: pop[i][j] = rand01() > 0.5 ? 1 : 0.
    for (int i = 0; i < VEL_POP; i++)
        draw_halves(pop[i], N);
}
