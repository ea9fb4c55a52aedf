// What sakora reports per run, and the average of the runs.
#include "report.h"

#include <cstdio>
#include <cstring>

#include "front_end.h"
#include "output.h"
#include "population.h"
#include "problem.h"

unsigned char *best_packing;

// sakora writes no file of its own.
const char *const kept_file = nullptr;

// The sum of the values reported by the finished runs.
static double profit_sum;

void start_report()
{
    best_packing = static_cast<unsigned char *>(alloc_zeroed(N, 1));
    profit_sum = 0.0;
}

void record_best()
{
    std::memcpy(best_packing, pop[best], static_cast<std::size_t>(N));
}

// The best packing of the last evaluated generation and its value; the value
// joins the sum for the average. Before any evaluation the copy is the empty
// packing, worth the 0 that the records hold.
static void print_best_packing()
{
    std::printf("Najbolja jedinka:");
    for (int i = 0; i < N; i++)
        std::printf(" %d", best_packing[i]);
    std::printf("  %lf\n", eval[best]->fx);
    profit_sum += eval[best]->fx;
}

void report_run()
{
    print_best_packing();
    flush_output();
}

void print_average()
{
    std::printf("Prosjek profita: %lf\n", profit_sum / runs);
}
