// The store: allocation, the row-by-row initial population, the membership
// test and the conversion of a percentage to a count.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "not_in_list_blocks.h"
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

// Every path of the block test gives the answers of a plain scan, for ranges
// that start and end on and off the edges of blocks, and none reads past the
// count: the entries after it hold every key.
TEST(Population, NotInListBlocksMatchAPlainScan)
{
    struct Range {
        int count, first, end;
    };
    const Range table[] = {{0, 0, 64},     {1, 0, 1},          {5, 0, 63},          {16, 0, 65},
                           {31, 64, 200},  {64, 0, 130},       {150, 128, 1000},    {3, 32700, 32768},
                           {200, 32767 - 300, 32767}};
    for (const Range &r : table) {
        std::vector<int> list;
        for (int i = 0; i < r.count; i++)  // keys of the range and those beside it
            list.push_back(std::max(0, r.first - 2 + (i * 37) % (r.end - r.first + 4)));
        for (int key = r.first; key < r.end; key++)
            list.push_back(key);
        std::vector<std::uint64_t> want((r.end - r.first + 63) / 64), got(want.size());
        for (int key = r.first; key < r.end; key++)
            if (not_in_list(list.data(), key, r.count))
                want[(key - r.first) / 64] |= std::uint64_t{1} << (key - r.first) % 64;
        not_in_list_blocks_portable(list.data(), r.count, r.first, r.end, got.data());
        EXPECT_EQ(got, want) << r.count << " " << r.first << " " << r.end;
#if defined(__x86_64__)
        if (cpu_has_avx2()) {
            not_in_list_blocks_avx2(list.data(), r.count, r.first, r.end, got.data());
            EXPECT_EQ(got, want) << r.count << " " << r.first << " " << r.end;
        }
#endif
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
