#include "check_params.h"

#include <cmath>

#include "fail.h"
#include "function.h"
#include "params.h"
#include "population.h"

void check_params()
{
    if (!(gg > dg))
        fail("The interval is empty: the upper bound gg=%g must be greater than"
             " the lower bound dg=%g", gg, dg);
    if (!std::isfinite(std::pow(10.0, static_cast<double>(p)) * (gg - dg)))
        fail("The interval [%g, %g] cannot be coded to p=%d decimals:"
             " 10^p x (gg - dg) is not a finite number", dg, gg, p);
    if (N < 1 || N > MAX_BITS)
        fail("The interval [%g, %g] coded to p=%d decimals needs N=%d bits;"
             " N must be from 1 to %d", dg, gg, p, N, MAX_BITS);
    // Not finite either when one end is not.
    if (!std::isfinite(objective(gg) - objective(dg)))
        fail("The function x*x*x - 4*x is too large on [%g, %g] to be compared", dg, gg);
    check_population_limits(M);
}
