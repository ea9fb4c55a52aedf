// Entry of sakora, the 0/1 knapsack solver: one problem file, `runs` runs,
// the average of their best values, one closing read.
#include <cstdio>

#include "about.h"
#include "breed.h"
#include "evolve.h"
#include "output.h"
#include "population.h"
#include "problem.h"
#include "random.h"
#include "report.h"
#include "statistics.h"
#include "stop_after_reading.h"

int main(int argc, char **argv)
{
    if (answer_about(argc, argv, "sakora", "PROBLEM-FILE", help_text))
        return 0;
    if (argc != 2) {
        std::fprintf(stderr, "Usage: %s [sakora ulazEVO.txt]\n", argc > 0 ? argv[0] : "sakora");
        return 1;
    }
    read_problem(argv[1]);
    stop_after_reading();
    check_problem();
    open_statistics();
    // Only a problem read whole and sound is announced.
    std::printf("Procitao prvi dio i N %d\n", N);

    seed = SEED_START;
    M = static_cast<int>(elimination_count(M, VEL_POP));
    p_mut = p_mut * 1000.0;
    check_breed_limits();
    alloc_pop();
    start_report();
    print_problem();

    for (int run = 0; run < runs; run++)
        evolve();
    close_statistics();
    print_average();

    std::printf("Ucitajte neki znak za kraj...");
    flush_output();
    int o;
    if (std::scanf("%d", &o) != 1) {
        // Whatever the closing read yields, the execution is complete.
    }
    return 0;
}
