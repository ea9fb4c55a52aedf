// Breeding of tarsel: uniform crossover, one child per pair. A survivor drawn
// twice is mutated in place and the same slot is tried anew.
#include "breed.h"

#include "host.h"
#include "operators.h"
#include "population.h"

void check_breed_limits(int eliminated)
{
    // With a single survivor every pair is a self-pairing and no slot would
    // ever be filled.
    if (eliminated >= 1 && VEL_POP - eliminated < 2)
        fail("Eliminating M=%d of VEL_POP=%d leaves a single survivor;"
             " the crossover needs at least 2", eliminated, VEL_POP);
}

void breed()
{
    int i = 0;
    while (i < M) {
        int a = draw_survivor();
        int b = draw_survivor();
        if (a == b) {
            mutate(a);
            continue;
        }
        cross_uniform(a, b, elim[i]);
        i++;
    }
}
