// The one random stream of every program: a multiplicative congruential
// generator over a 32-bit state, seeded once by the program entry.
#pragma once

extern int seed;

// The fixed start value of the stream.
constexpr int SEED_START = 1289673;

// A real in (0, 1]; advances the state by one step.
double rand01();

// An integer in [0, n), for n >= 1; advances the state by one step.
int randint(int n);
