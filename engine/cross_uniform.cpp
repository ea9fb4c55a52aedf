#include "draw_bits.h"
#include "operators.h"
#include "population.h"

void cross_uniform(int a, int b, int c)
{
    // The whole mask is drawn before any byte of the child is written:
    // mask[i] = rand01() > 0.5 ? 1 : 0.
    draw_halves(mask, N);
    const unsigned char *pa = pop[a];
    const unsigned char *pb = pop[b];
    unsigned char *pc = pop[c];
    for (int i = 0; i < N; i++)
        pc[i] = ((pa[i] != 0 && mask[i] == 1) || (pb[i] != 0 && mask[i] == 0)) ? 1 : 0;
}
