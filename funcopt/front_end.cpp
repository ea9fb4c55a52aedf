// How the engine's hooks are served in the function optimisers: the value of
// a chromosome, the log analiza.txt, the statistics' column and the report.
#include "front_end.h"

#include <cstdio>

#include "checkpoint.h"
#include "function.h"
#include "host.h"
#include "output.h"
#include "params.h"
#include "population.h"
#include "requested_file.h"

void evaluate_chromosome(int i)
{
    eval[i].x = decode(pop[i], dg, gg, N);
    eval[i].fx = objective(eval[i].x);
}

// One line per generation with the best point and its value. The file is only
// ever appended to, and closed after every line, so it is complete whenever
// the program stops.
const char *const appended_log = "analiza.txt";

void record_best()
{
    // The line as two writes, "  %lf" of the point and "  %lf\n" of the
    // value; a number has at most 309 digits before its point.
    char line[2 * 330];
    int point = std::snprintf(line, sizeof line, "  %lf", eval[best].x);
    int length = point + std::snprintf(line + point, sizeof line - point, "  %lf\n", eval[best].fx);
    std::FILE *log = std::fopen(appended_log, "a");
    if (log == nullptr)
        fail("Cannot open analiza.txt");
    // A buffer of our own: the library would otherwise ask the system for
    // the file's block size and allocate one, every generation.
    char buffer[256];
    std::setvbuf(log, buffer, _IOFBF, sizeof buffer);
    std::fwrite(line, 1, static_cast<std::size_t>(length), log);
    // A write that failed set the error indicator; one that only the closing
    // flush attempts makes fclose fail.
    bool written = !std::ferror(log);
    if (std::fclose(log) != 0 || !written)
        fail("Cannot write analiza.txt");
    log_appended(line, static_cast<std::size_t>(length));
}

// The point of the best string, which analiza.txt logs beside its value.
const char front_statistics_header[] = ",best_point";

void add_front_statistics(std::string &row)
{
    add_number(row, eval[best].x);
}

// The best point and its value as the last evaluation recorded them.
static void print_best()
{
    print("Najbolja jedinka %.6lf", eval[best].x);
    print("  %.6lf\n", eval[best].fx);
}

void report_run()
{
    print_best();
    flush_output();
}

// The report reads only the store, which the engine keeps.
void save_front_state()
{
}

void restore_front_state()
{
}
