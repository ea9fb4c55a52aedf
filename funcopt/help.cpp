// The text of tarsel --help and tarnox --help.
#include "params.h"

const char help_text[] =
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
