#include "params.h"

#include <cmath>
#include <cstdio>

#include "breed.h"
#include "function.h"
#include "host.h"
#include "output.h"
#include "population.h"
#include "read_value.h"

double dg;
double gg;
int p;

static void check_interval()
{
    if (!(gg > dg))
        fail("The interval is empty: the upper bound gg=%g must be greater than"
             " the lower bound dg=%g", gg, dg);
}

// N from the interval and the decimals, within what the coding and the
// crossover can take.
static void check_coding()
{
    N = bits_needed(dg, gg, p);
    if (!std::isfinite(std::pow(10.0, static_cast<double>(p)) * (gg - dg)))
        fail("The interval [%g, %g] cannot be coded to p=%d decimals:"
             " 10^p x (gg - dg) is not a finite number", dg, gg, p);
    if (N < 1 || N > MAX_BITS)
        fail("The interval [%g, %g] coded to p=%d decimals needs N=%d bits;"
             " N must be from 1 to %d", dg, gg, p, N, MAX_BITS);
    // Not finite either when one end is not.
    if (!std::isfinite(objective(gg) - objective(dg)))
        fail("The function x*x*x - 4*x is too large on [%g, %g] to be compared", dg, gg);
    check_crossover_limits();
}

void check_params()
{
    check_interval();
    check_coding();
}

// Writes a console prompt, so that it is on the screen before its read waits.
static void prompt(bool console, const char *text)
{
    if (console) {
        std::fputs(text, stdout);
        flush_output();
    }
}

// The seven values in their order; the prompts and the checks as each answer
// comes only at the console.
static void read_params(std::FILE *in, bool console)
{
    bool checking = console && !only_reading();
    prompt(console, "\nUpisite donju granicu intervala \n");
    dg = read_double(in, "value 1 (dg, the lower bound)");
    prompt(console, "\nUpisite gornju granicu intervala \n");
    gg = read_double(in, "value 2 (gg, the upper bound)");
    if (checking)
        check_interval();
    prompt(console, "\nUpisite broj decimala (preciznost, prijedlog: 6) \n");
    p = read_int(in, "value 3 (p, the number of decimals)");
    if (checking)
        check_coding();
    prompt(console, "\nUpisite velicinu populacije \n");
    VEL_POP = read_int(in, "value 4 (VEL_POP, the population size)");
    if (checking)
        check_population_size();
    prompt(console, "\nUpisite vrijeme trajanja evolucije (numiter) \n");
    numiter = read_int(in, "value 5 (numiter, the generations per run)");
    prompt(console, "\nUpisite postotak kromosoma za eliminaciju \n");
    M = read_int(in, "value 6 (M, the percentage eliminated)");
    if (checking)
        check_elimination(M);
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
    print("\n");
    print("   dg=%lf\n", dg);
    print("   gg=%lf\n", gg);
    print("   p=%d\n", p);
    print("   VEL_POP=%d\n", VEL_POP);
    print("   N=%d\n", N);
    print("   M=%d kromosoma\n", M);
    print("\n");
    flush_output();
}
