// Breeding of tarsel: a self-pairing mutates the survivor and retries the slot.
#include <gtest/gtest.h>

#include "breed.h"
#include "breed_fixture.h"

using V = std::vector<int>;

TEST(BreedRetry, WorkedExample)
{
    // Self-pairing on 3, pair (3, 1) into row 0, self-pairing on 3, pair
    // (3, 1) into row 2.
    make_breeding_example(4);
    breed();
    EXPECT_EQ(row(0), V({1, 1, 0, 0}));
    EXPECT_EQ(row(2), V({0, 0, 1, 1}));
    EXPECT_EQ(row(1), V({1, 1, 1, 1}));
    EXPECT_EQ(row(3), V({0, 0, 0, 0}));
    EXPECT_EQ(steps_between(SEED_START, seed), 24);
}

TEST(BreedRetry, NothingToFillDrawsNothing)
{
    make_store(3, 4, 0);
    seed = SEED_START;
    breed();
    EXPECT_EQ(seed, SEED_START);
}

TEST(BreedRetry, TwoSurvivorsFillEverySlot)
{
    make_store(12, 6, 10, 0.0);
    for (int i = 0; i < 10; i++)
        elim[i] = i;
    surv[0] = 10;
    surv[1] = 11;
    for (int j = 0; j < 6; j++)
        pop[10][j] = 1;
    for (int i = 0; i < 10; i++)
        pop[i][0] = 7;  // not a bit: every slot must be rewritten
    seed = SEED_START;
    breed();
    for (int i = 0; i < 10; i++)
        EXPECT_LE(pop[i][0], 1) << i;
}

TEST(BreedRetryDeathTest, SingleSurvivorIsRefused)
{
    VEL_POP = 2;
    M = 1;
    EXPECT_EXIT(check_breed_limits(), testing::ExitedWithCode(1),
                "^Eliminating M=1 of VEL_POP=2 leaves a single survivor;"
                " the crossover needs at least 2\n$");
    VEL_POP = 1;
    M = 0;
    check_breed_limits();  // nothing eliminated: one chromosome is fine
}
