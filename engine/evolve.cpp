#include "evolve.h"

#include "breed.h"
#include "checkpoint.h"
#include "front_end.h"
#include "operators.h"
#include "population.h"
#include "selection.h"
#include "statistics.h"

void evolve()
{
    if (current_generation == 0)
        init_pop();
    while (current_generation < numiter) {
        evaluate_and_select();
        breed();
        mutate_population();
        current_generation++;
        keep_checkpoint();
    }
    report_run();
}

void evolve_runs(int runs)
{
    while (current_run < runs) {
        evolve();
        current_run++;
        current_generation = 0;
        keep_checkpoint();
    }
    close_statistics();
}
