// The genetic operators on rows of the population.
#pragma once

// A survivor drawn with equal chance: surv[randint(VEL_POP - M)].
int draw_survivor();

// Flips each bit of row r with the mutation probability (one draw per bit).
void mutate(int r);

// Mutates every row except best.
void mutate_population();

// Uniform crossover: refills mask, writes one child into row c
// (mask 1 takes the bit of a, mask 0 that of b).
void cross_uniform(int a, int b, int c);

// One-point crossover: one draw for the cut; c1 gets the head of a and the
// tail of b, c2 the head of b and the tail of a. Either child row may be
// negative: that child is not written.
void cross_one_point(int a, int b, int c1, int c2);

// Overwrites row r with a random chromosome: a count from 0 to N, then that
// many random positions set to 1.
void random_chromosome(int r);
