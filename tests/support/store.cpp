#include "store.h"

#include "population.h"

void make_store(int vel_pop, int n, int m, double per_mille)
{
    release_store();
    VEL_POP = vel_pop;
    N = n;
    M = m;
    p_mut = per_mille;
    alloc_pop();
}
