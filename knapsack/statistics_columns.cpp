// What sakora adds to each row of the statistics file: how many packings fit
// (every other one is worth 0), their weights, and the capacity they must fit.
#include <climits>

#include "fitness.h"
#include "front_end.h"
#include "population.h"
#include "problem.h"
#include "requested_file.h"

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
