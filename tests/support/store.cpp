#include "store.h"

#include <cstdlib>

#include "population.h"

void release_store()
{
    if (pop != nullptr)
        for (int i = 0; i < VEL_POP; i++)
            std::free(pop[i]);
    if (eval != nullptr)
        for (int i = 0; i < VEL_POP; i++)
            std::free(eval[i]);
    std::free(pop);
    std::free(eval);
    std::free(elim);
    std::free(surv);
    std::free(mask);
    pop = nullptr;
    eval = nullptr;
    elim = nullptr;
    surv = nullptr;
    mask = nullptr;
}

void make_store(int vel_pop, int n, int m, double per_mille)
{
    release_store();
    VEL_POP = vel_pop;
    N = n;
    M = m;
    p_mut = per_mille;
    alloc_pop();
}
