#include "draw_bits.h"
#include "draws_ahead.h"
#include "operators.h"
#include "population.h"

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
