// The value of a packing.
#pragma once

// The total profit of the items that row packs (any byte other than 0), when
// their total weight is at most the capacity; 0 when it is over. The totals
// are 32-bit sums, taken in unsigned arithmetic so that they wrap without
// undefined behaviour (the problem's limits keep them from wrapping at all).
int knapsack_fitness(const unsigned char *row, const int *weights, const int *profits, int n,
                     int capacity);

// The total weight of the items that row packs, summed as knapsack_fitness
// sums it: the packing fits when it is at most the capacity.
int packing_weight(const unsigned char *row, const int *weights, int n);
