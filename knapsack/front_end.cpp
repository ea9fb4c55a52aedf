// How the engine's hooks are served in sakora: the value of a packing, the
// report of each run and the average, and the statistics' columns.
#include "front_end.h"

#include <climits>
#include <cstring>

#include "checkpoint.h"
#include "fitness.h"
#include "output.h"
#include "population.h"
#include "problem.h"
#include "report.h"
#include "requested_file.h"

const char program_name[] = "sakora";

void evaluate_chromosome(int i)
{
    eval[i].fx = static_cast<double>(knapsack_fitness(pop[i], weights, profits, N, C));
}

// sakora writes no file of its own.
const char *const appended_log = nullptr;

unsigned char *best_packing;

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
    print("Najbolja jedinka:");
    for (int i = 0; i < N; i++)
        print(" %d", best_packing[i]);
    print("  %lf\n", eval[best].fx);
    profit_sum += eval[best].fx;
}

void report_run()
{
    print_best_packing();
    flush_output();
}

void print_average()
{
    print("Prosjek profita: %lf\n", profit_sum / runs);
}

void save_front_state()
{
    put_number(profit_sum);
    put_bits(best_packing, N);
}

void restore_front_state()
{
    profit_sum = take_number();
    take_bits(best_packing, N);
}

// How many packings fit (every other one is worth 0), their weights, and the
// capacity they must fit.
const char front_statistics_header[] = ",fitting,mean_weight,min_weight,capacity";

void add_front_statistics(std::string &row)
{
    int fitting = 0;
    long long total = 0;  // within 2^31 strings of weights within 32 bits
    int lightest = INT_MAX;
    for (int i = 0; i < VEL_POP; i++) {
        int weight = packing_weight(pop[i], weights, N);
        if (weight <= C)
            fitting++;
        total += weight;
        if (weight < lightest)
            lightest = weight;
    }
    add_count(row, fitting);
    add_number(row, static_cast<double>(total) / VEL_POP);
    add_count(row, lightest);
    add_count(row, C);
}
