// Breeding of tarnox: two children per pair; a self-pairing passes its slot
// over; a pair meeting the last open slot writes only its first child.
#include <gtest/gtest.h>

#include "breed.h"
#include "breed_fixture.h"

using V = std::vector<int>;

TEST(BreedPassOver, WorkedExample)
{
    // Self-pairings on 3, then on 1: rows 0 and 2 keep their chromosomes.
    make_breeding_example(5);
    set_row(0, {1, 0, 1, 0, 1});
    set_row(2, {0, 1, 1, 0, 0});
    breed();
    EXPECT_EQ(row(0), V({1, 0, 1, 0, 1}));
    EXPECT_EQ(row(2), V({0, 1, 1, 0, 0}));
    EXPECT_EQ(steps_between(SEED_START, seed), 14);
}

// Seeds the generator so that the first two survivor draws (out of `pool`)
// name different survivors; returns that seed.
static int seed_with_pair(int pool)
{
    for (int start = 1;; start += 4) {
        seed = start;
        int a = randint(pool);
        int b = randint(pool);
        if (a != b) {
            seed = start;
            return start;
        }
    }
}

TEST(BreedPassOver, LastOpenSlotTakesOnlyTheFirstChild)
{
    make_store(5, 6, 1, 0.0);
    elim[0] = 2;
    int survivors[] = {0, 1, 3, 4};
    for (int k = 0; k < 4; k++) {
        surv[k] = survivors[k];
        for (int j = 0; j < 6; j++)
            pop[survivors[k]][j] = static_cast<unsigned char>((k + j) % 2);
    }
    set_row(2, {1, 1, 1, 1, 1, 1});
    std::vector<V> before;
    for (int i = 0; i < 5; i++)
        before.push_back(row(i));
    int start = seed_with_pair(4);
    breed();
    // Two survivor draws and one cut: nothing else is drawn.
    EXPECT_EQ(steps_between(start, seed), 3);
    EXPECT_NE(row(2), before[2]);
    for (int i : survivors)
        EXPECT_EQ(row(i), before[i]) << i;
}

TEST(BreedPassOver, OddCountAfterPairsEndsWithOneChild)
{
    // Three slots and no self-pairing: a pair fills slots 0 and 1, the next
    // writes only slot 2.
    make_store(8, 5, 3, 0.0);
    int eliminated[] = {5, 1, 6};
    for (int k = 0; k < 3; k++)
        elim[k] = eliminated[k];
    int survivors[] = {0, 2, 3, 4, 7};
    for (int k = 0; k < 5; k++) {
        surv[k] = survivors[k];
        pop[survivors[k]][k] = 1;
    }
    for (int i : eliminated)
        pop[i][0] = 7;  // not a bit: shows which rows were rewritten
    for (int start = 1;; start += 4) {
        seed = start;
        int a1 = randint(5), b1 = randint(5);
        randint(3);
        int a2 = randint(5), b2 = randint(5);
        if (a1 != b1 && a2 != b2) {
            seed = start;
            break;
        }
    }
    breed();
    for (int i : eliminated)
        EXPECT_LE(pop[i][0], 1) << i;
}

TEST(BreedPassOver, SingleSurvivorPassesEverySlotOver)
{
    make_store(5, 4, 4, 1000.0);
    for (int k = 0; k < 4; k++) {
        elim[k] = k;
        set_row(k, {1, 0, 0, 1});
    }
    surv[0] = 4;
    seed = SEED_START;
    breed();
    for (int k = 0; k < 4; k++)
        EXPECT_EQ(row(k), V({1, 0, 0, 1}));
    EXPECT_EQ(row(4), V({0, 0, 0, 0}));  // mutated four times, every bit flipped each time
    EXPECT_EQ(steps_between(SEED_START, seed), 4 * (2 + 4));
}

TEST(BreedPassOverDeathTest, ChromosomesShorterThanThreeBitsAreRefused)
{
    N = 2;
    EXPECT_EXIT(check_breed_limits(), testing::ExitedWithCode(1),
                "^A chromosome of N=2 bits is too short for the one-point crossover;"
                " it needs at least 3\n$");
    N = 3;
    VEL_POP = 5;
    M = 4;
    check_breed_limits();  // one survivor is fine here
}
