// One-point crossover, two children per pair (tarnox).
#include "breed.h"
#include "host.h"
#include "operators.h"
#include "population.h"
#include "random.h"

void alloc_crossover()
{
    // The one-point crossover needs no mask.
}

void check_crossover_limits()
{
    if (N < 3)
        fail("A chromosome of N=%d bits is too short for the one-point crossover;"
             " it needs at least 3", N);
}

void cross_one_point(int a, int b, int c1, int c2)
{
    // The bound is N - 2: the last three positions always lie behind the cut.
    int cut = randint(N - 2);
    const unsigned char *pa = pop[a];
    const unsigned char *pb = pop[b];
    // Before the cut each child copies its own parent, from the cut on the other.
    if (c1 >= 0)
        for (int i = 0; i < N; i++)
            pop[c1][i] = i < cut ? pa[i] : pb[i];
    if (c2 >= 0)
        for (int i = 0; i < N; i++)
            pop[c2][i] = i < cut ? pb[i] : pa[i];
}
