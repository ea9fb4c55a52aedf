// What sakora adds to each row of the statistics file: how many packings fit
// (every other one is worth 0), their weights, and the capacity they must fit.
#include <climits>
#include <cstdio>

#include "fitness.h"
#include "front_end.h"
#include "population.h"
#include "problem.h"
#include "requested_file.h"

const char front_statistics_header[] = ",fitting,mean_weight,min_weight,capacity";

void write_front_statistics(std::FILE *file)
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
    std::fprintf(file, ",%d", fitting);
    write_number(file, static_cast<double>(total) / VEL_POP);
    std::fprintf(file, ",%d,%d", lightest, C);
}
