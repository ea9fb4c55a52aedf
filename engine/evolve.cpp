#include "evolve.h"

#include "breed.h"
#include "front_end.h"
#include "operators.h"
#include "population.h"
#include "selection.h"

void evolve()
{
    init_pop();
    for (int generation = 0; generation < numiter; generation++) {
        evaluate_and_select();
        breed();
        mutate_population();
    }
    report_run();
}
