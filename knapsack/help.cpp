// The text of sakora --help.
#include "problem.h"

const char help_text[] =
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
