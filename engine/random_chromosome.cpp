#include <cstring>

#include "operators.h"
#include "population.h"
#include "random.h"

void random_chromosome(int r)
{
    int count = randint(N + 1);
    unsigned char *row = pop[r];
    std::memset(row, 0, static_cast<std::size_t>(N));
    // Positions may repeat, so the row holds at most count ones.
    for (int k = 0; k < count; k++)
        row[randint(N)] = 1;
}
