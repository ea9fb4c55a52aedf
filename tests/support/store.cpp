#include "store.h"

#include <cstdint>
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

void set_row(int r, std::initializer_list<int> bits)
{
    int j = 0;
    for (int b : bits)
        pop[r][j++] = static_cast<unsigned char>(b);
}

std::vector<int> row(int r)
{
    return std::vector<int>(pop[r], pop[r] + N);
}

int steps_between(int from, int to, int limit)
{
    std::uint32_t s = static_cast<std::uint32_t>(from);
    for (int k = 0; k < limit; k++) {
        if (static_cast<int>(s) == to)
            return k;
        s *= 69069u;
    }
    return -1;
}
