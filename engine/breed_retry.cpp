// Breeding of tarsel: uniform crossover, one child per pair. A survivor drawn
// twice is mutated in place and the same slot is tried anew.
#include "breed.h"

#include "fail.h"
#include "operators.h"
#include "population.h"

void alloc_crossover()
{
    mask = static_cast<unsigned char *>(alloc_zeroed(N, 1));
}

void check_breed_limits()
{
    // With a single survivor every pair is a self-pairing and no slot would
    // ever be filled.
    if (M >= 1 && VEL_POP - M < 2)
        fail("Eliminating M=%d of VEL_POP=%d leaves a single survivor;"
             " the crossover needs at least 2", M, VEL_POP);
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
