// Breeding for engine tests that exercise the operators one by one: the mask
// is allocated as for the uniform crossover, and breeding does nothing.
#include "breed.h"
#include "population.h"

void alloc_crossover()
{
    mask = static_cast<unsigned char *>(alloc_zeroed(N, 1));
}

void check_breed_limits() {}

void breed() {}
