#include "params.h"

#include <cstdio>

#include "output.h"
#include "population.h"
#include "read_value.h"

double dg;
double gg;
int p;

// Writes a console prompt, so that it is on the screen before its read waits.
static void prompt(bool console, const char *text)
{
    if (console) {
        std::fputs(text, stdout);
        flush_output();
    }
}

// The seven values in their order; the prompts only at the console.
static void read_params(std::FILE *in, bool console)
{
    prompt(console, "\nUpisite donju granicu intervala \n");
    dg = read_double(in, "value 1 (dg, the lower bound)");
    prompt(console, "\nUpisite gornju granicu intervala \n");
    gg = read_double(in, "value 2 (gg, the upper bound)");
    prompt(console, "\nUpisite broj decimala (preciznost, prijedlog: 6) \n");
    p = read_int(in, "value 3 (p, the number of decimals)");
    prompt(console, "\nUpisite velicinu populacije \n");
    VEL_POP = read_int(in, "value 4 (VEL_POP, the population size)");
    prompt(console, "\nUpisite vrijeme trajanja evolucije (numiter) \n");
    numiter = read_int(in, "value 5 (numiter, the generations per run)");
    prompt(console, "\nUpisite postotak kromosoma za eliminaciju \n");
    M = read_int(in, "value 6 (M, the percentage eliminated)");
    prompt(console, "\nUpisite vjerojatnost mutacije \n");
    p_mut = read_double(in, "value 7 (the mutation probability)");
    prompt(console, "\n");
}

void read_params_console()
{
    read_params(stdin, true);
}

void read_params_file(const char *path)
{
    // Whatever follows the seventh value is never read.
    read_params(open_input(path).get(), false);
}

void print_params()
{
    std::printf("\n");
    std::printf("   dg=%lf\n", dg);
    std::printf("   gg=%lf\n", gg);
    std::printf("   p=%d\n", p);
    std::printf("   VEL_POP=%d\n", VEL_POP);
    std::printf("   N=%d\n", N);
    std::printf("   M=%d kromosoma\n", M);
    std::printf("\n");
    flush_output();
}
