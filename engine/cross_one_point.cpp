#include "operators.h"
#include "population.h"
#include "random.h"

void cross_one_point(int a, int b, int c1, int c2)
{
    // The bound is N - 2: the last three positions always lie behind the cut.
    int cut = randint(N - 2);
    const unsigned char *pa = pop[a];
    const unsigned char *pb = pop[b];
    if (c1 >= 0) {
        unsigned char *child = pop[c1];
        for (int i = 0; i < cut; i++)
            child[i] = pa[i];
        for (int i = cut; i < N; i++)
            child[i] = pb[i];
    }
    if (c2 >= 0) {
        unsigned char *child = pop[c2];
        for (int i = 0; i < cut; i++)
            child[i] = pb[i];
        for (int i = cut; i < N; i++)
            child[i] = pa[i];
    }
}
