// How the engine evaluates a chromosome of the function optimisers.
#include "front_end.h"
#include "function.h"
#include "params.h"
#include "population.h"

void evaluate_chromosome(int i)
{
    eval[i]->x = decode(pop[i], dg, gg, N);
    eval[i]->fx = objective(eval[i]->x);
}
