#include "statistics.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "front_end.h"
#include "population.h"

requested_file stats_file;
requested_file bits_file;

// The row being written, kept so that its memory is reused.
static std::string row_text;

// For each of the N positions, the strings that hold a 1 there in the
// generation just evaluated.
static std::uint32_t *ones_at;

// The run's totals up to the generation just evaluated.
static double best_so_far;
static double value_total;        // of every value evaluated in the run
static double best_so_far_total;  // of best_so_far over the run's generations

void check_statistics_files()
{
    refuse_same_file("GENETIC_STATS", appended_log, nullptr);
    refuse_same_file("GENETIC_BITS", appended_log, "GENETIC_STATS");
}

void open_statistics(bool resumed)
{
    std::string header =
        "run,generation,best,mean,worst,stddev,at_best,best_so_far,online,offline,"
        "diversity,converged";
    stats_file = open_requested("GENETIC_STATS", header + front_statistics_header, resumed,
                                appended_log, nullptr);
    header = "run,generation,strings";
    if (asked_file("GENETIC_BITS") != nullptr)
        for (int j = 0; j < N; j++)
            header += ",ones_" + std::to_string(j);
    bits_file = open_requested("GENETIC_BITS", header, resumed, appended_log, "GENETIC_STATS");
    std::free(ones_at);
    ones_at = nullptr;
    if (stats_file.file != nullptr || bits_file.file != nullptr)
        ones_at = static_cast<std::uint32_t *>(alloc_zeroed(N, sizeof *ones_at));
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
        ones_at[j] = 0;
    for (int i = 0; i < VEL_POP; i++)
        add_bits(ones_at, pop[i], N);
}

// Every sum is taken in index order, one double at a time, so that the
// digits are the same on every machine and with every compiler.
static void write_stats_row(int run, int generation)
{
    double top = eval[best].fx;
    double worst = top;
    double total = 0.0;
    int at_best = 0;
    for (int i = 0; i < VEL_POP; i++) {
        double fx = eval[i].fx;
        total = total + fx;
        if (fx < worst)
            worst = fx;
        if (fx == top)
            at_best++;
    }
    double mean = total / VEL_POP;
    double squares = 0.0;
    for (int i = 0; i < VEL_POP; i++) {
        double d = eval[i].fx - mean;
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
        differing = differing + static_cast<double>(ones_at[j] * (strings - ones_at[j]));
        if (ones_at[j] == 0 || ones_at[j] == strings)
            converged++;
    }
    double diversity = 2.0 * differing / (static_cast<double>(VEL_POP) * VEL_POP) / N;

    row_text.clear();
    row_text += std::to_string(run);
    add_count(row_text, generation);
    for (double v : {top, mean, worst, stddev})
        add_number(row_text, v);
    add_count(row_text, at_best);
    for (double v : {best_so_far, online, offline, diversity})
        add_number(row_text, v);
    add_count(row_text, converged);
    add_front_statistics(row_text);
    write_row(stats_file, row_text);
}

static void write_bits_row(int run, int generation)
{
    row_text.clear();
    row_text += std::to_string(run);
    add_count(row_text, generation);
    add_count(row_text, VEL_POP);
    for (int j = 0; j < N; j++)
        add_count(row_text, ones_at[j]);
    write_row(bits_file, row_text);
}

void record_statistics()
{
    if (ones_at == nullptr)
        return;
    count_ones();
    if (stats_file.file != nullptr)
        write_stats_row(current_run + 1, current_generation);
    if (bits_file.file != nullptr)
        write_bits_row(current_run + 1, current_generation);
}

void save_statistics()
{
    for (double v : {best_so_far, value_total, best_so_far_total})
        put_number(v);
}

void restore_statistics()
{
    best_so_far = take_number();
    value_total = take_number();
    best_so_far_total = take_number();
}

void close_statistics()
{
    std::free(ones_at);
    ones_at = nullptr;
    row_text = std::string();
    close_requested(&stats_file);
    close_requested(&bits_file);
}
