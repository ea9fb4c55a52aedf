// What the function optimisers add to each row of the statistics file: the
// point of the best string, which analiza.txt logs beside its value.
#include <cstdio>

#include "front_end.h"
#include "population.h"
#include "requested_file.h"

const char front_statistics_header[] = ",best_point";

void write_front_statistics(std::FILE *file)
{
    write_number(file, eval[best]->x);
}
