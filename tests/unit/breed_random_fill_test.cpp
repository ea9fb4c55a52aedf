// Breeding of sakora: a self-pairing mutates the survivor and the slot
// receives a random chromosome.
#include <gtest/gtest.h>

#include "breed.h"
#include "breed_fixture.h"

using V = std::vector<int>;

TEST(BreedRandomFill, WorkedExample)
{
    // Self-pairing on 3 (random chromosome: count 2, positions 0 and 2 into
    // row 0), then the pair (1, 3) into row 2.
    make_breeding_example(4);
    breed();
    EXPECT_EQ(row(0), V({1, 0, 1, 0}));
    EXPECT_EQ(row(2), V({1, 0, 1, 0}));
    EXPECT_EQ(row(1), V({1, 1, 1, 1}));
    EXPECT_EQ(row(3), V({0, 0, 0, 0}));
    EXPECT_EQ(steps_between(SEED_START, seed), 15);
}

TEST(BreedRandomFill, SingleSurvivorFillsEverySlotAtRandom)
{
    make_store(4, 5, 3, 0.0);
    for (int k = 0; k < 3; k++) {
        elim[k] = k;
        pop[k][0] = 7;  // not a bit: every slot must be rewritten
    }
    surv[0] = 3;
    seed = SEED_START;
    breed();
    for (int k = 0; k < 3; k++)
        EXPECT_LE(pop[k][0], 1);
}
