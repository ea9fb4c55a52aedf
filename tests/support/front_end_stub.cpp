// A front end for engine tests: the value of chromosome i is test_fx[i].
#include "front_end_stub.h"

#include "front_end.h"
#include "population.h"

std::vector<double> test_fx;
int recorded_generations;
int reported_runs;

void evaluate_chromosome(int i)
{
    eval[i]->fx = test_fx.at(i);
}

void record_best()
{
    recorded_generations++;
}

void report_run()
{
    reported_runs++;
}
