// Test support: a fresh engine store of a given size, and draws counted.
#pragma once

#include <initializer_list>
#include <vector>

// Frees the store of a previous test, sets the sizes and allocates anew.
// `m` is already a count; p_mut is per mille.
void make_store(int vel_pop, int n, int m, double per_mille = 0.0);

// Releases the store (tests allocate many; the programs never free it).
void release_store();

// Writes bits into row r.
void set_row(int r, std::initializer_list<int> bits);

// Row r as a vector of ints.
std::vector<int> row(int r);

// The number of generator steps between two states, counting from `from`
// (at most `limit` steps are tried).
int steps_between(int from, int to, int limit = 100000);
