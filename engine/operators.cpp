// The genetic operators that every program links; the crossovers are in
// files of their own, since each program links one.
#include "operators.h"

#include <cstring>

#include "draw_bits.h"
#include "draws_ahead.h"
#include "population.h"
#include "random.h"

int draw_survivor()
{
    // With replacement over the whole pass: one survivor may parent any
    // number of children.
    return surv[randint(VEL_POP - M)];
}

// A draw at every position, whether or not the bit flips; a position flips
// when the draw, taken as a real, lies strictly below p_mut.
void mutate(int r)
{
    draw_flips(pop + r, 1, -1, N, per_mille_below(p_mut));
}

// Row after row, all but best: one run of draws.
void mutate_population()
{
    draw_flips(pop, VEL_POP, best, N, per_mille_below(p_mut));
}

void random_chromosome(int r)
{
    int count = randint(N + 1);
    unsigned char *row = pop[r];
    std::memset(row, 0, static_cast<std::size_t>(N));
    // Positions may repeat, so the row holds at most count ones.
    for (int k = 0; k < count; k++)
        row[randint(N)] = 1;
}
