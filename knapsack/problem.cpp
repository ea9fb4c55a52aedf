#include "problem.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "host.h"
#include "output.h"
#include "population.h"
#include "read_value.h"

int *weights;
int *profits;
int C;
int runs;

// Reads `count` values named `name` into *items. The array grows with the
// values actually found, so a file that declares a huge count but holds few
// values is refused without reserving memory for the count first; what was
// read stays reachable through *items.
static void read_items(std::FILE *in, const char *name, int count, int **items)
{
    int capacity = 0;
    char what[64];
    for (int i = 0; i < count; i++) {
        std::snprintf(what, sizeof what, "%s %d of %d", name, i + 1, count);
        int value = read_int(in, what);
        if (i == capacity) {
            // 1024 at first, then twice as many, never more than the count.
            capacity = static_cast<int>(
                std::min<long long>(count, capacity == 0 ? 1024 : 2LL * capacity));
            int *grown = static_cast<int *>(std::realloc(*items, sizeof(int) * capacity));
            if (grown == nullptr)
                fail("Not enough memory for N=%d items", count);
            *items = grown;
        }
        (*items)[i] = value;
    }
}

void read_problem(const char *path)
{
    input_file file = open_input(path);
    std::FILE *in = file.get();
    VEL_POP = read_int(in, "value 1 (VEL_POP, the population size)");
    numiter = read_int(in, "value 2 (numiter, the generations per run)");
    M = read_int(in, "value 3 (M, the percentage eliminated)");
    p_mut = read_double(in, "value 4 (the mutation probability)");
    runs = read_int(in, "value 5 (runs, the number of runs)");
    N = read_int(in, "value 6 (N, the number of items)");
    if (N < 1 || N == INT_MAX)
        fail("The number of items N=%d must be from 1 to %d", N, INT_MAX - 1);
    read_items(in, "weight", N, &weights);
    read_items(in, "profit", N, &profits);
    C = read_int(in, "the capacity C (the value after the profits)");
    // What follows the capacity on its line is a note, not read as a value. A
    // whole number on a later line means that N does not count the weights
    // and profits listed: the values read would be another problem.
    int line;
    std::string next;
    if (whole_number_on_a_later_line(in, &line, &next))
        fail("%s goes on after the capacity C=%d with %s on line %d: does N=%d count"
             " the weights and profits?", path, C, next.c_str(), line, N);
}

// Ends the process when the positive or the negative values of `items` add up
// beyond the 32-bit range, where the total of a packing could overflow.
static void check_totals(const int *items, const char *name)
{
    long long positive = 0;
    long long negative = 0;
    for (int i = 0; i < N; i++) {
        if (items[i] > 0)
            positive += items[i];
        else
            negative += items[i];
    }
    if (positive > INT_MAX)
        fail("The positive %s add up to %lld, beyond %d: the total of a packing"
             " could overflow", name, positive, INT_MAX);
    if (negative < INT_MIN)
        fail("The negative %s add up to %lld, below %d: the total of a packing"
             " could overflow", name, negative, INT_MIN);
}

void check_problem()
{
    if (runs < 1)
        fail("The number of runs runs=%d must be at least 1", runs);
    check_totals(weights, "weights");
    check_totals(profits, "profits");
}

void print_problem()
{
    print("\n");
    print("   VEL_POP=%d\n", VEL_POP);
    print("   N=%d\n", N);
    print("   M=%d kromosoma\n", M);
    print("\n Tezine: \n");
    for (int i = 0; i < N; i++)
        print(" %d", weights[i]);
    print("\n Profiti: \n");
    for (int i = 0; i < N; i++)
        print(" %d", profits[i]);
    print("\n C= %d\n", C);
    print("\n");
    flush_output();
}
