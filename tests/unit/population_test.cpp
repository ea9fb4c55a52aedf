// The store: allocation, the row-by-row initial population, the membership
// test and the conversion of a percentage to a count.
#include <gtest/gtest.h>

#include "not_in_list_paths.h"
#include "population.h"
#include "random.h"
#include "store.h"

using V = std::vector<int>;

TEST(Population, AllocationFillsTheStore)
{
    make_store(5, 3, 2);
    EXPECT_EQ(elim[0], -1);
    EXPECT_EQ(elim[1], -1);
    for (int i = 0; i < 5; i++) {
        EXPECT_EQ(row(i), V({0, 0, 0}));
        EXPECT_EQ(eval[i]->x, 0.0);
        EXPECT_EQ(eval[i]->cum, 0.0);
    }
    for (int i = 0; i < 3; i++)
        EXPECT_EQ(surv[i], 0);
    EXPECT_EQ(best, 0);
    make_store(5, 3, 0);  // no elimination: an empty elim is not a failure
    EXPECT_NE(elim, nullptr);
}

TEST(Population, InitialBitsAreDrawnRowAfterRow)
{
    make_store(1, 3, 0);
    seed = SEED_START;
    init_pop();
    EXPECT_EQ(row(0), V({1, 0, 1}));

    // Column by column would give 1, 1 and 0, 0.
    make_store(2, 2, 0);
    seed = SEED_START;
    init_pop();
    EXPECT_EQ(row(0), V({1, 0}));
    EXPECT_EQ(row(1), V({1, 0}));
    EXPECT_EQ(steps_between(SEED_START, seed), 4);
}

TEST(Population, NotInListReadsOnlyTheFirstCountEntries)
{
    int list[] = {4, 7};
    EXPECT_TRUE(not_in_list(list, 4, 0));
    EXPECT_TRUE(not_in_list(list, 7, 0));
    EXPECT_FALSE(not_in_list(list, 4, 1));
    EXPECT_TRUE(not_in_list(list, 7, 1));
    EXPECT_FALSE(not_in_list(list, 7, 2));
    EXPECT_TRUE(not_in_list(list, 5, 2));
    EXPECT_TRUE(not_in_list(nullptr, 5, -3));
}

// Every path of the scan gives the answer of a plain scan, whatever the count
// (the vector paths work in blocks and end with a block that overlaps), and
// none reads past the count: the entries after it hold every key.
TEST(Population, NotInListMatchesAPlainScan)
{
    std::vector<int> list(300);
    for (int i = 0; i < 300; i++)
        list[i] = (i * 37) % 301;
    auto plain = [&](int key, int count) {
        for (int i = 0; i < count; i++)
            if (list[i] == key)
                return false;
        return true;
    };
    for (int count = 0; count <= 150; count++) {
        std::vector<int> copy(list.begin(), list.begin() + count);
        copy.resize(count + 301);
        for (int k = 0; k < 301; k++)
            copy[count + k] = k;
        for (int key = -1; key <= 301; key++) {
            bool want = plain(key, count);
            ASSERT_EQ(not_in_list(copy.data(), key, count), want) << count << " " << key;
#if defined(__x86_64__)
            ASSERT_EQ(not_in_list_four(copy.data(), key, count), want) << count << " " << key;
            if (cpu_has_avx2()) {
                ASSERT_EQ(not_in_list_eight(copy.data(), key, count), want) << count << " " << key;
            }
#endif
        }
    }
}

TEST(Population, PercentageBecomesATruncatedCount)
{
    EXPECT_EQ(elimination_count(25, 30), 7);
    EXPECT_EQ(elimination_count(50, 30), 15);
    EXPECT_EQ(elimination_count(10, 25), 2);
    EXPECT_EQ(elimination_count(0, 30), 0);
    EXPECT_EQ(elimination_count(-10, 25), -2);  // toward zero, not down
    // The product of a 32-bit percentage and size does not overflow.
    EXPECT_EQ(elimination_count(50, 100000000), 50000000);
    EXPECT_EQ(elimination_count(2147483647, 2147483647), 46116860141324206LL);
}

TEST(PopulationDeathTest, LimitsKeepASurvivor)
{
    VEL_POP = 0;
    EXPECT_EXIT(check_population_limits(10), testing::ExitedWithCode(1),
                "^The population size VEL_POP=0 must be at least 1\n$");
    VEL_POP = 10;
    EXPECT_EXIT(check_population_limits(100), testing::ExitedWithCode(1),
                "^Eliminating 100 per cent of VEL_POP=10 gives M=10; M must be from 0 to 9,"
                " so that a chromosome survives\n$");
    EXPECT_EXIT(check_population_limits(-10), testing::ExitedWithCode(1), "gives M=-1;");
    EXPECT_EXIT(check_population_limits(2147483647), testing::ExitedWithCode(1),
                "gives M=214748364;");
    check_population_limits(99);  // M = 9 leaves one: accepted
    check_population_limits(-9);  // truncated toward zero: M = 0
}
