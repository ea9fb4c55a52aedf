// Entry of the function optimisers tarsel and tarnox: parameters from the
// console or a file, ten runs, one closing read.
#include <cstdio>

#include "about.h"
#include "evolve.h"
#include "front_end.h"
#include "output.h"
#include "params.h"
#include "population.h"
#include "read_value.h"

static const char help_text[] =
    "Searches the interval [dg, gg] for the greatest value of f(x) = x*x*x - 4*x\n"
    "with a genetic algorithm: tarsel breeds with uniform crossover, tarnox with\n"
    "one-point crossover. Ten runs; the same parameters always give the same output.\n"
    "\n"
    "PARAMETER-FILE holds seven numbers separated by white space, in this order:\n"
    "  dg gg p VEL_POP numiter percentage mutation-probability\n"
    "for instance -2 2 6 50 100 20 0.01. Without it, the program asks for the\n"
    "seven values at Croatian prompts.\n"
    "\n"
    "Standard output: the parameters, the best point and value of each run\n"
    "(\"Najbolja jedinka\"), and a closing prompt that waits for one entry (give\n"
    "< /dev/null to finish at once). Every generation appends a line to\n"
    "analiza.txt in the working folder. Exit status 0, or 1 with one line on\n"
    "standard error.\n";

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
    check_params();
    if (start_engine())
        print_params();
    evolve_runs(10);
    finish(closing_prompt);
    return 0;
}
