#include "operators.h"
#include "population.h"
#include "random.h"

void mutate(int r)
{
    unsigned char *row = pop[r];
    for (int i = 0; i < N; i++) {
        // The draw is made at every position, whether or not the bit flips.
        int k = randint(1000);
        if (static_cast<double>(k) < p_mut)
            row[i] = 1 - row[i];
    }
}

void mutate_population()
{
    for (int i = 0; i < VEL_POP; i++)
        if (i != best)
            mutate(i);
}
