// What the function optimisers add to each row of the statistics file: the
// point of the best string, which analiza.txt logs beside its value.
#include <cstdio>

#include "front_end.h"
#include "population.h"

const char front_statistics_header[] = ",best_point";

void write_front_statistics(std::FILE *file)
{
    std::fprintf(file, ",%.17g", eval[best]->x);
}
