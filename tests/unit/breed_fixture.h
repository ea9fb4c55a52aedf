// The store of the breeding examples: VEL_POP 4, M 2, elim 0 and 2, surv 1 and
// 3, row 1 all ones, row 3 all zeros, no mutation; seeded.
#pragma once

#include "population.h"
#include "random.h"
#include "store.h"

inline void make_breeding_example(int n)
{
    make_store(4, n, 2, 0.0);
    elim[0] = 0;
    elim[1] = 2;
    surv[0] = 1;
    surv[1] = 3;
    for (int j = 0; j < n; j++)
        pop[1][j] = 1;
    seed = SEED_START;
}
