// The line that ends each run of the function optimisers.
#include <cstdio>

#include "front_end.h"
#include "output.h"
#include "population.h"

// The best point and its value as the last evaluation recorded them.
static void print_best()
{
    std::printf("Najbolja jedinka %.6lf", eval[best]->x);
    std::printf("  %.6lf\n", eval[best]->fx);
}

void report_run()
{
    print_best();
    flush_output();
}
