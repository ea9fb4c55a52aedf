// What the function optimisers add to each row of the statistics file: the
// point of the best string, which analiza.txt logs beside its value.
#include "front_end.h"
#include "population.h"
#include "requested_file.h"

const char front_statistics_header[] = ",best_point";

void add_front_statistics(std::string &row)
{
    add_number(row, eval[best]->x);
}
