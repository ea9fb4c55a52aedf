#include "operators.h"
#include "population.h"
#include "random.h"

int draw_survivor()
{
    // With replacement over the whole pass: one survivor may parent any
    // number of children.
    return surv[randint(VEL_POP - M)];
}
