// What the whole-program cases cannot localise: every path of the membership
// scan against a plain scan, the roulette on values that are not numbers, and
// the limits of the coding and of a packing's totals.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <vector>

#include "breed.h"
#include "fitness.h"
#include "front_end.h"
#include "function.h"
#include "not_in_list_paths.h"
#include "population.h"
#include "random.h"
#include "selection.h"
#include "store.h"

// A front end whose chromosome i is worth test_fx[i], and no breeding.
static std::vector<double> test_fx;
void evaluate_chromosome(int i) { eval[i]->fx = test_fx.at(i); }
void record_best() {}
void report_run() {}
void alloc_crossover() {}
void check_breed_limits() {}
void breed() {}

// Every path gives the answer of a plain scan, whatever the count (the vector
// paths work in blocks and end with a block that overlaps), and none reads
// past the count: the entries after it hold every key.
TEST(NotInList, EveryPathMatchesAPlainScan)
{
    std::vector<int> list(300);
    for (int i = 0; i < 300; i++)
        list[i] = (i * 37) % 301;
    for (int count = 0; count <= 150; count++) {
        std::vector<int> copy(list.begin(), list.begin() + count);
        for (int k = 0; k < 301; k++)
            copy.push_back(k);
        for (int key = -1; key <= 301; key++) {
            bool want = std::find(list.begin(), list.begin() + count, key) == list.begin() + count;
            ASSERT_EQ(not_in_list(copy.data(), key, count), want) << count << " " << key;
#if defined(__x86_64__)
            ASSERT_EQ(not_in_list_four(copy.data(), key, count), want) << count << " " << key;
            if (cpu_has_avx2()) {
                ASSERT_EQ(not_in_list_eight(copy.data(), key, count), want) << count << " " << key;
            }
#endif
        }
    }
    EXPECT_TRUE(not_in_list(nullptr, 5, -3));
}

// Not reachable within the limits the programs check; the roulette must still
// name distinct chromosomes of the population.
TEST(Selection, ValuesThatAreNotNumbersStillChooseDistinctIndices)
{
    double inf = std::numeric_limits<double>::infinity();
    make_store(5, 1, 3);
    test_fx = {inf, 1, -inf, std::nan(""), 2};
    seed = SEED_START;
    evaluate_and_select();
    std::vector<int> chosen(elim, elim + 3);
    std::sort(chosen.begin(), chosen.end());
    EXPECT_TRUE(std::unique(chosen.begin(), chosen.end()) == chosen.end());
    EXPECT_TRUE(chosen.front() >= 0 && chosen.back() < 5);
    release_store();
}

TEST(Coding, BitsNeededAtTheLimits)
{
    double inf = std::numeric_limits<double>::infinity();
    struct { double dg, gg; int p, bits; } table[] = {
        {0, 1, 0, 1},  // the quotient is exactly 1: nothing is added
        {0, 7, 0, 3}, {0, 3, 0, 2}, {0, 1, 15, 50}, {-2, 2, 12, 42}, {0, 1, 308, 1024},
        // No length: an empty or reversed interval, and widths that are not finite.
        {2, 2, 6, 0}, {3, 2, 6, 0}, {0, 1, -400, 0}, {0, 1, 400, 0}, {-1e308, 1e308, 0, 0},
        {0, inf, 0, 0}};
    for (auto &t : table)
        EXPECT_EQ(bits_needed(t.dg, t.gg, t.p), t.bits) << t.dg << " " << t.gg << " " << t.p;
    // The longest chromosome decodes without overflow.
    std::vector<unsigned char> bits(MAX_BITS, 1);
    EXPECT_EQ(decode(bits.data(), 0, 1, MAX_BITS), 1.0);
    std::fill(bits.begin(), bits.end() - 1, 0);
    EXPECT_EQ(decode(bits.data(), 0, 1, MAX_BITS), 0.5);
    // A percentage of a population is counted in 64 bits.
    EXPECT_EQ(elimination_count(2147483647, 2147483647), 46116860141324206LL);
    EXPECT_EQ(elimination_count(-10, 25), -2);
}

TEST(KnapsackFitness, ProfitWithinCapacityElseZero)
{
    struct { std::vector<unsigned char> bits; std::vector<int> w, p; int cap, value; } table[] = {
        {{1, 1, 0, 0}, {2, 3, 4, 5}, {3, 4, 5, 6}, 5, 7},  // exactly the capacity
        {{1, 0, 1, 0}, {2, 3, 4, 5}, {3, 4, 5, 6}, 5, 0},  // one over
        {{7, 0, 0, 0}, {2, 3, 4, 5}, {3, 4, 5, 6}, 5, 3},  // any byte but 0 packs
        {{0, 0}, {1, 2}, {4, 5}, -1, 0},                   // even the empty packing is over
        {{1, 1, 0}, {4, -3, 7}, {10, -4, 6}, 1, 6},        // a negative weight makes room
        {{0, 1, 0}, {4, -3, 7}, {10, -4, 6}, 1, -4},       // below any overweight packing
        // Beyond what the problem's limits accept, the 32-bit sums still wrap
        // without undefined behaviour: the weight wraps to INT_MIN and fits.
        {{1, 1}, {INT_MAX, 1}, {INT_MAX, 2}, 0, INT_MIN + 1}};
    for (auto &t : table)
        EXPECT_EQ(knapsack_fitness(t.bits.data(), t.w.data(), t.p.data(),
                                   static_cast<int>(t.bits.size()), t.cap),
                  t.value);
}
