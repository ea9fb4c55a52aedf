// How the engine evaluates a packing.
#include "fitness.h"
#include "front_end.h"
#include "population.h"
#include "problem.h"

void evaluate_chromosome(int i)
{
    eval[i]->fx = static_cast<double>(knapsack_fitness(pop[i], weights, profits, N, C));
}
