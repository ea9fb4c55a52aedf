// The generation log of the function optimisers, "analiza.txt".
#include <cstdio>

#include "fail.h"
#include "front_end.h"
#include "population.h"

// One line per generation with the best point and its value. The file is only
// ever appended to, and closed after every line, so it is complete whenever
// the program stops.
const char *const kept_file = "analiza.txt";

void record_best()
{
    std::FILE *log = std::fopen("analiza.txt", "a");
    if (log == nullptr)
        fail("Cannot open analiza.txt");
    // A buffer of our own: the library would otherwise ask the system for
    // the file's block size and allocate one, every generation.
    char buffer[256];
    std::setvbuf(log, buffer, _IOFBF, sizeof buffer);
    std::fprintf(log, "  %lf", eval[best]->x);
    std::fprintf(log, "  %lf\n", eval[best]->fx);
    // A write that failed set the error indicator; one that only the closing
    // flush attempts makes fclose fail.
    bool written = !std::ferror(log);
    if (std::fclose(log) != 0 || !written)
        fail("Cannot write analiza.txt");
}
