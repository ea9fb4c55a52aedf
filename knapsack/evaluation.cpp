// How the engine evaluates a packing, and what sakora reports per run.
#include <cstdio>

#include "fitness.h"
#include "front_end.h"
#include "output.h"
#include "population.h"
#include "problem.h"

void evaluate_chromosome(int i)
{
    eval[i]->fx = static_cast<double>(knapsack_fitness(pop[i], weights, profits, N, C));
}

void log_generation()
{
    // The knapsack solver keeps no log.
}

// The bits of slot best and the value its last evaluation recorded; the value
// joins the sum for the average.
static void print_best_packing()
{
    std::printf("Najbolja jedinka:");
    for (int i = 0; i < N; i++)
        std::printf(" %d", pop[best][i]);
    std::printf("  %lf\n", eval[best]->fx);
    profit_sum += eval[best]->fx;
}

void report_run()
{
    print_best_packing();
    flush_output();
}
