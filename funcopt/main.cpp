// Entry of the function optimisers tarsel and tarnox: parameters from the
// console or a file, ten runs, one closing read.
#include <cstdio>

#include "about.h"
#include "breed.h"
#include "check_params.h"
#include "evolve.h"
#include "function.h"
#include "output.h"
#include "params.h"
#include "population.h"
#include "random.h"
#include "statistics.h"
#include "stop_after_reading.h"

int main(int argc, char **argv)
{
    if (answer_about(argc, argv, program_name, "[PARAMETER-FILE]", help_text))
        return 0;
    if (argc > 2) {
        std::fprintf(stderr, "Usage: %s [n dg gg]\n", argv[0]);
        return 1;
    }
    if (argc == 2)
        read_params_file(argv[1]);
    else
        read_params_console();
    stop_after_reading();

    seed = SEED_START;
    N = bits_needed(dg, gg, p);
    check_params();
    M = static_cast<int>(elimination_count(M, VEL_POP));
    p_mut = p_mut * 1000.0;
    check_breed_limits();
    open_statistics();
    alloc_pop();
    print_params();

    for (int run = 0; run < 10; run++)
        evolve();
    close_statistics();

    std::fputs(closing_prompt, stdout);
    flush_output();
    int o;
    if (std::scanf("%d", &o) != 1) {
        // Whatever the closing read yields, the execution is complete.
    }
    return 0;
}
