// Uniform crossover, one child per pair (tarsel, sakora).
#include "breed.h"
#include "draw_bits.h"
#include "operators.h"
#include "population.h"

void alloc_crossover()
{
    mask = static_cast<unsigned char *>(alloc_zeroed(N, 1));
}

void check_crossover_limits()
{
    // Any length will do.
}

void cross_uniform(int a, int b, int c)
{
    // The whole mask is drawn before any byte of the child is written:
    // mask[i] = rand01() > 0.5 ? 1 : 0.
    draw_halves(mask, N);
    const unsigned char *pa = pop[a];
    const unsigned char *pb = pop[b];
    const unsigned char *m = mask;
    unsigned char *pc = pop[c];
    // Mask 1 takes whether a's byte is set, mask 0 whether b's is. Written
    // without a branch: the mask is random, and a branch on it would be
    // mispredicted at every other byte.
    for (int i = 0, n = N; i < n; i++)
        pc[i] = static_cast<unsigned char>(((pa[i] != 0) & m[i]) | ((pb[i] != 0) & (m[i] ^ 1)));
}
