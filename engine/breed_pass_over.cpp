// Breeding of tarnox: one-point crossover, two children per pair. A survivor
// drawn twice is mutated in place and the slot is passed over: the eliminated
// chromosome in it stays.
#include "breed.h"

#include "operators.h"
#include "population.h"

void check_breed_limits(int)
{
    // One survivor is enough: every self-pairing passes its slot over.
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
