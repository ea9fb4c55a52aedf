#include "fitness.h"

#include <cstdint>

int knapsack_fitness(const unsigned char *row, const int *weights, const int *profits, int n,
                     int capacity)
{
    std::uint32_t weight = 0;
    std::uint32_t profit = 0;
    for (int i = 0; i < n; i++) {
        // All ones for a packed item, else zero: no branch on random bits.
        std::uint32_t packed = 0u - static_cast<std::uint32_t>(row[i] != 0);
        weight += static_cast<std::uint32_t>(weights[i]) & packed;
        profit += static_cast<std::uint32_t>(profits[i]) & packed;
    }
    // There is no penalty that grows with the excess: every overweight
    // packing is worth exactly 0.
    if (static_cast<int>(weight) > capacity)
        return 0;
    return static_cast<int>(profit);
}

int packing_weight(const unsigned char *row, const int *weights, int n)
{
    std::uint32_t weight = 0;
    for (int i = 0; i < n; i++)
        weight += static_cast<std::uint32_t>(weights[i]) & (0u - static_cast<std::uint32_t>(row[i] != 0));
    return static_cast<int>(weight);
}
