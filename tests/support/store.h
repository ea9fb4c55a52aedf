// A fresh engine store of a given size, for tests and benchmarks.
#pragma once

// Frees the store of a previous caller, sets the sizes and allocates anew.
// `m` is already a count; p_mut is per mille. release_store (population.h)
// frees it.
void make_store(int vel_pop, int n, int m, double per_mille = 0.0);
