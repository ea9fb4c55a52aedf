// Mutation, the two crossovers and the random chromosome, right after seeding.
#include <gtest/gtest.h>

#include "operators.h"
#include "population.h"
#include "random.h"
#include "store.h"

using V = std::vector<int>;

TEST(Mutation, FlipsWhereTheDrawIsStrictlyBelowTheProbability)
{
    // The draws are 389, 279 and 822.
    make_store(1, 3, 0, 300.0);
    seed = SEED_START;
    mutate(0);
    EXPECT_EQ(row(0), V({0, 1, 0}));

    make_store(1, 3, 0, 279.0);
    seed = SEED_START;
    mutate(0);
    EXPECT_EQ(row(0), V({0, 0, 0}));
    EXPECT_EQ(steps_between(SEED_START, seed), 3);

    make_store(1, 3, 0, 1.5);  // flips on draws 0 and 1 only
    seed = SEED_START;
    mutate(0);
    EXPECT_EQ(row(0), V({0, 0, 0}));
}

TEST(Mutation, PopulationSparesTheBest)
{
    make_store(3, 4, 0, 1000.0);
    set_row(0, {1, 0, 1, 0});
    set_row(1, {1, 1, 0, 0});
    set_row(2, {0, 0, 0, 1});
    best = 1;
    seed = SEED_START;
    mutate_population();
    EXPECT_EQ(row(0), V({0, 1, 0, 1}));
    EXPECT_EQ(row(1), V({1, 1, 0, 0}));
    EXPECT_EQ(row(2), V({1, 1, 1, 0}));
    EXPECT_EQ(steps_between(SEED_START, seed), 8);

    // Probability 0 flips nothing but draws just as often.
    make_store(3, 4, 0, 0.0);
    set_row(0, {1, 0, 1, 0});
    seed = SEED_START;
    mutate_population();
    EXPECT_EQ(row(0), V({1, 0, 1, 0}));
    EXPECT_EQ(steps_between(SEED_START, seed), 8);
}

TEST(CrossUniform, MaskOneTakesTheFirstParent)
{
    make_store(3, 3, 0);
    set_row(0, {1, 1, 1});
    seed = SEED_START;
    cross_uniform(0, 1, 2);
    EXPECT_EQ(V(mask, mask + 3), V({1, 0, 1}));
    EXPECT_EQ(row(2), V({1, 0, 1}));
    EXPECT_EQ(steps_between(SEED_START, seed), 3);

    seed = SEED_START;
    cross_uniform(1, 0, 2);  // parents swapped: the complement
    EXPECT_EQ(row(2), V({0, 1, 0}));

    set_row(1, {1, 0, 1});  // equal strings give a copy whatever the mask
    set_row(0, {1, 0, 1});
    seed = 12345;
    cross_uniform(0, 1, 2);
    EXPECT_EQ(row(2), V({1, 0, 1}));
}

TEST(CrossOnePoint, CutsOnceAndSwapsTheTails)
{
    make_store(4, 10, 0);
    set_row(0, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1});
    seed = SEED_START;
    cross_one_point(0, 1, 2, 3);
    EXPECT_EQ(row(2), V({1, 1, 1, 1, 1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(row(3), V({0, 0, 0, 0, 0, 1, 1, 1, 1, 1}));
    EXPECT_EQ(steps_between(SEED_START, seed), 1);
}

TEST(CrossOnePoint, CutOfZeroSwapsTheParents)
{
    // With N = 3 the cut is always 0.
    make_store(4, 3, 0);
    set_row(0, {1, 0, 0});
    set_row(1, {0, 1, 1});
    seed = SEED_START;
    cross_one_point(0, 1, 2, 3);
    EXPECT_EQ(row(2), V({0, 1, 1}));
    EXPECT_EQ(row(3), V({1, 0, 0}));
}

TEST(CrossOnePoint, DiscardedSecondChildWritesNothing)
{
    make_store(3, 10, 0);
    set_row(0, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1});
    set_row(2, {1, 0, 1, 0, 1, 0, 1, 0, 1, 0});
    seed = SEED_START;
    cross_one_point(1, 0, 2, -1);
    EXPECT_EQ(row(2), V({0, 0, 0, 0, 0, 1, 1, 1, 1, 1}));
    EXPECT_EQ(row(0), V({1, 1, 1, 1, 1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(row(1), V({0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(steps_between(SEED_START, seed), 1);
}

TEST(RandomChromosome, CountThenPositionsThatMayRepeat)
{
    // Count 4, positions 3, 2, 3, 1.
    make_store(1, 4, 0);
    set_row(0, {1, 0, 0, 0});
    seed = SEED_START;
    random_chromosome(0);
    EXPECT_EQ(row(0), V({0, 1, 1, 1}));
    EXPECT_EQ(steps_between(SEED_START, seed), 5);
}
