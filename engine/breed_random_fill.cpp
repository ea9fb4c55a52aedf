// Breeding of sakora: uniform crossover, one child per pair. A survivor drawn
// twice is mutated in place and the slot receives a random chromosome.
#include "breed.h"

#include "operators.h"
#include "population.h"

void check_breed_limits(int)
{
    // One survivor is enough: every self-pairing still fills its slot.
}

void breed()
{
    for (int i = 0; i < M; i++) {
        int a = draw_survivor();
        int b = draw_survivor();
        if (a == b) {
            mutate(a);
            random_chromosome(elim[i]);
        } else {
            cross_uniform(a, b, elim[i]);
        }
    }
}
