// The generator: its first states and draws after seeding are fixed, and
// every draw advances the one shared state by one step.
#include <gtest/gtest.h>

#include "random.h"
#include "store.h"

TEST(Random, FirstStatesAfterSeeding)
{
    seed = SEED_START;
    rand01();
    EXPECT_EQ(seed, -1117888779);
    randint(7);
    EXPECT_EQ(seed, -832996559);
    rand01();
    EXPECT_EQ(seed, 1142563645);
}

TEST(Random, RealDrawsAreTheStateOverTwoToThe31MinusOne)
{
    seed = SEED_START;
    EXPECT_EQ(rand01(), 1117888779.0 / 2147483647.0);
    EXPECT_EQ(rand01(), 832996559.0 / 2147483647.0);
    EXPECT_EQ(rand01(), 1142563645.0 / 2147483647.0);

    seed = SEED_START;
    EXPECT_NEAR(rand01(), 0.5205575281384204, 1e-16);
    EXPECT_NEAR(rand01(), 0.3878942501674845, 1e-16);
    EXPECT_NEAR(rand01(), 0.5320476580094768, 1e-16);
}

TEST(Random, IntegerDrawsHalveBeforeTheRemainder)
{
    seed = SEED_START;
    EXPECT_EQ(randint(1000), 389);
    EXPECT_EQ(randint(1000), 279);
    EXPECT_EQ(randint(1000), 822);
}

TEST(Random, MixedDrawsShareOneStream)
{
    seed = SEED_START;
    EXPECT_NEAR(rand01(), 0.5205575281384204, 1e-16);
    EXPECT_EQ(randint(1000), 279);
}

TEST(Random, DrawOfOneIsZeroAndStillAdvances)
{
    seed = SEED_START;
    EXPECT_EQ(randint(1), 0);
    EXPECT_EQ(randint(1), 0);
    EXPECT_EQ(steps_between(SEED_START, seed), 2);
}

TEST(Random, RealDrawReachesOneAtTheMostNegativeState)
{
    // The step before -2147483647: multiply by the inverse of 69069 mod 2^32.
    unsigned inverse = 1;
    for (int k = 0; k < 5; k++)
        inverse *= 2u - 69069u * inverse;
    seed = static_cast<int>(static_cast<unsigned>(-2147483647) * inverse);
    EXPECT_EQ(rand01(), 1.0);
}
