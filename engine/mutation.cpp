#include "draw_bits.h"
#include "draws_ahead.h"
#include "operators.h"
#include "population.h"

// A draw at every position, whether or not the bit flips; a position flips
// when the draw, taken as a real, lies strictly below p_mut.
void mutate(int r)
{
    draw_flips(pop[r], N, per_mille_below(p_mut));
}

void mutate_population()
{
    std::uint32_t below = per_mille_below(p_mut);
    for (int i = 0; i < VEL_POP; i++)
        if (i != best)
            draw_flips(pop[i], N, below);
}
