#include "statistics.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "front_end.h"
#include "population.h"
#include "requested_file.h"

static requested_file stats;
static requested_file bits;

// The row being written, kept so that its memory is reused.
static std::string row;

// Strings holding a 1 at each of the N positions, in the generation just
// evaluated.
static std::uint32_t *ones;

// Rows recorded in this execution: every run has numiter of them, so the
// count tells the run and the generation.
static long long rows;

// The run's totals up to the generation just evaluated.
static double best_so_far;
static double value_total;        // of every value evaluated in the run
static double best_so_far_total;  // of best_so_far over the run's generations

void open_statistics()
{
    std::string header =
        "run,generation,best,mean,worst,stddev,at_best,best_so_far,online,offline,"
        "diversity,converged";
    stats = open_requested("GENETIC_STATS", header + front_statistics_header, kept_file, nullptr);
    header = "run,generation,strings";
    const char *asked = std::getenv("GENETIC_BITS");
    if (asked != nullptr && asked[0] != '\0')
        for (int j = 0; j < N; j++)
            header += ",ones_" + std::to_string(j);
    bits = open_requested("GENETIC_BITS", header, kept_file, stats.path);
    rows = 0;
    std::free(ones);
    ones = nullptr;
    if (stats.file != nullptr || bits.file != nullptr)
        ones = static_cast<std::uint32_t *>(alloc_zeroed(N, sizeof *ones));
}

// Adds the n bits of a chromosome to the counts; the two never overlap,
// which lets the compiler add many positions at once.
static void add_bits(std::uint32_t *__restrict count, const unsigned char *__restrict bit, int n)
{
    for (int j = 0; j < n; j++)
        count[j] += bit[j];
}

static void count_ones()
{
    for (int j = 0; j < N; j++)
        ones[j] = 0;
    for (int i = 0; i < VEL_POP; i++)
        add_bits(ones, pop[i], N);
}

// Every sum is taken in index order, one double at a time, so that the
// digits are the same on every machine and with every compiler.
static void write_stats_row(int run, int generation)
{
    double top = eval[best]->fx;
    double worst = top;
    double total = 0.0;
    int at_best = 0;
    for (int i = 0; i < VEL_POP; i++) {
        double fx = eval[i]->fx;
        total = total + fx;
        if (fx < worst)
            worst = fx;
        if (fx == top)
            at_best++;
    }
    double mean = total / VEL_POP;
    double squares = 0.0;
    for (int i = 0; i < VEL_POP; i++) {
        double d = eval[i]->fx - mean;
        squares = squares + d * d;
    }
    double stddev = std::sqrt(squares / VEL_POP);

    if (generation == 0) {
        best_so_far = top;
        value_total = 0.0;
        best_so_far_total = 0.0;
    } else if (top > best_so_far) {
        best_so_far = top;
    }
    value_total = value_total + total;
    best_so_far_total = best_so_far_total + best_so_far;
    double online = value_total / (static_cast<double>(VEL_POP) * (generation + 1));
    double offline = best_so_far_total / (generation + 1);

    // 2 q (1 - q) at a position where c of the P strings hold a 1 is
    // 2 c (P - c) / P^2; each c (P - c) is exact in 64 bits.
    double differing = 0.0;
    int converged = 0;
    std::uint64_t strings = static_cast<std::uint64_t>(VEL_POP);
    for (int j = 0; j < N; j++) {
        differing = differing + static_cast<double>(ones[j] * (strings - ones[j]));
        if (ones[j] == 0 || ones[j] == strings)
            converged++;
    }
    double diversity = 2.0 * differing / (static_cast<double>(VEL_POP) * VEL_POP) / N;

    row.clear();
    row += std::to_string(run);
    add_count(row, generation);
    for (double v : {top, mean, worst, stddev})
        add_number(row, v);
    add_count(row, at_best);
    for (double v : {best_so_far, online, offline, diversity})
        add_number(row, v);
    add_count(row, converged);
    add_front_statistics(row);
    write_row(stats, row);
}

static void write_bits_row(int run, int generation)
{
    row.clear();
    row += std::to_string(run);
    add_count(row, generation);
    add_count(row, VEL_POP);
    for (int j = 0; j < N; j++)
        add_count(row, ones[j]);
    write_row(bits, row);
}

void record_statistics()
{
    if (ones == nullptr)
        return;
    int run = static_cast<int>(rows / numiter) + 1;
    int generation = static_cast<int>(rows % numiter);
    rows++;
    count_ones();
    if (stats.file != nullptr)
        write_stats_row(run, generation);
    if (bits.file != nullptr)
        write_bits_row(run, generation);
}

void close_statistics()
{
    std::free(ones);
    ones = nullptr;
    row = std::string();
    close_requested(&stats);
    close_requested(&bits);
}
