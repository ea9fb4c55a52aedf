// Breeding of tarnox: one-point crossover, two children per pair. A survivor
// drawn twice is mutated in place and the slot is passed over: the eliminated
// chromosome in it stays.
#include "breed.h"

#include "fail.h"
#include "operators.h"
#include "population.h"

void alloc_crossover()
{
    // The one-point crossover needs no mask.
}

void check_breed_limits()
{
    if (N < 3)
        fail("A chromosome of N=%d bits is too short for the one-point crossover;"
             " it needs at least 3", N);
}

void breed()
{
    int i = 0;
    while (i < M) {
        int a = draw_survivor();
        int b = draw_survivor();
        if (a == b) {
            mutate(a);
            i++;
        } else if (i + 1 < M) {
            cross_one_point(a, b, elim[i], elim[i + 1]);
            i += 2;
        } else {
            // One slot is left: it takes the first child, the second is
            // discarded.
            cross_one_point(a, b, elim[i], -1);
            i++;
        }
    }
}
