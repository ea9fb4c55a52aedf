// The program's call of alloc_pop is routed here by the linker
// (-Wl,--wrap=_Z9alloc_popv): the real allocation happens only when the
// execution is small enough.
#include "size_cap.h"

#include <algorithm>

#include "population.h"

// About 0.1 s of evolution at the sanitized speed.
constexpr double max_work = 1e6;

// Work of one execution in units of a bit visited: every generation evaluates
// and mutates VEL_POP x N bits, spins the roulette M times over VEL_POP
// chromosomes against up to M eliminated ones, and opens the log once; a run
// of no generation still draws its population.
static double planned_work()
{
    double generations = std::max(numiter, 1);
    double per_generation = static_cast<double>(VEL_POP) *
                                (static_cast<double>(N) + static_cast<double>(M) * M) +
                            1000.0;
    return planned_runs() * generations * per_generation;
}

extern "C" void __real__Z9alloc_popv();

extern "C" void __wrap__Z9alloc_popv()
{
    if (planned_work() > max_work)
        throw too_large{};
    __real__Z9alloc_popv();
}
