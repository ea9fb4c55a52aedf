// Entry of sakora, the 0/1 knapsack solver: one problem file, `runs` runs,
// the average of their best values, one closing read.
#include <cstdio>

#include "about.h"
#include "evolve.h"
#include "front_end.h"
#include "output.h"
#include "population.h"
#include "problem.h"
#include "read_value.h"
#include "report.h"

static const char help_text[] =
    "Solves a 0/1 knapsack problem with a genetic algorithm; the same problem file\n"
    "always gives the same output.\n"
    "\n"
    "PROBLEM-FILE holds numbers separated by white space, in this order:\n"
    "  VEL_POP numiter percentage mutation-probability runs N,\n"
    "  the N weights, the N profits, the capacity C\n"
    "for instance 10 50 20 0.01 3  4  2 3 4 5  3 4 5 6  5.\n"
    "\n"
    "Standard output: the problem, the best packing and its value for each run\n"
    "(\"Najbolja jedinka:\"), their average (\"Prosjek profita\"), and a closing\n"
    "prompt that waits for one entry (give < /dev/null to finish at once). No\n"
    "file is written. Exit status 0, or 1 with one line on standard error.\n";

int main(int argc, char **argv)
{
    if (answer_about(argc, argv, program_name, "PROBLEM-FILE", help_text))
        return 0;
    if (argc != 2) {
        std::fprintf(stderr, "Usage: %s [sakora ulazEVO.txt]\n", argc > 0 ? argv[0] : "sakora");
        return 1;
    }
    read_problem(argv[1]);
    stop_after_reading();
    check_problem();
    start_report();
    // Only a problem read whole and accepted, its store allocated, is
    // announced.
    if (start_engine()) {
        print("Procitao prvi dio i N %d\n", N);
        print_problem();
    }
    evolve_runs(runs);
    print_average();
    finish(closing_prompt_three_dots);
    return 0;
}
