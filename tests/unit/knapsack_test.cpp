// The value of a packing and the line each sakora run ends with.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>

#include "evaluation.h"
#include "fitness.h"
#include "front_end.h"
#include "population.h"
#include "problem.h"
#include "store.h"

static int value(std::initializer_list<int> bits, std::vector<int> w, std::vector<int> p, int cap)
{
    std::vector<unsigned char> row(bits.begin(), bits.end());
    return knapsack_fitness(row.data(), w.data(), p.data(), static_cast<int>(row.size()), cap);
}

TEST(KnapsackFitness, ProfitWithinCapacityElseZero)
{
    std::vector<int> w = {2, 3, 4, 5}, p = {3, 4, 5, 6};
    EXPECT_EQ(value({1, 1, 0, 0}, w, p, 5), 7);  // exactly the capacity
    EXPECT_EQ(value({0, 0, 0, 1}, w, p, 5), 6);
    EXPECT_EQ(value({1, 0, 1, 0}, w, p, 5), 0);  // one over
    EXPECT_EQ(value({0, 0, 0, 0}, w, p, 5), 0);
    EXPECT_EQ(value({1, 1, 1, 1}, w, p, 5), 0);  // not 18
    EXPECT_EQ(value({7, 0, 0, 0}, w, p, 5), 3);  // any byte but 0 packs
}

TEST(KnapsackFitness, NegativeAndZeroValues)
{
    // Below zero capacity even the empty packing is over.
    EXPECT_EQ(value({0, 0}, {1, 2}, {4, 5}, -1), 0);
    // A weight of 0 adds its profit whenever the rest fits.
    EXPECT_EQ(value({1, 1}, {0, 5}, {9, 1}, 5), 10);
    // A negative weight makes room; a negative total profit is worth less
    // than any overweight packing.
    EXPECT_EQ(value({1, 1, 0}, {4, -3, 7}, {10, -4, 6}, 1), 6);
    EXPECT_EQ(value({0, 1, 0}, {4, -3, 7}, {10, -4, 6}, 1), -4);
}

TEST(KnapsackFitness, TotalsWrapAsThirtyTwoBitSums)
{
    // Outside what the problem limits accept; the sums still wrap instead of
    // being undefined: the weight wraps to INT_MIN and so fits.
    EXPECT_EQ(value({1, 1}, {INT_MAX, 1}, {INT_MAX, 2}, 0), INT_MIN + 1);
}

// The report prints the bits of row best as they were evaluated, even when
// the breeding after the evaluation rewrote the row.
TEST(KnapsackReport, BitsAsEvaluatedThenValueAfterTwoBlanks)
{
    make_store(2, 4, 0);
    std::free(best_packing);
    alloc_best_packing();
    best = 1;
    set_row(1, {1, 1, 0, 0});
    eval[1]->fx = 7;
    record_best();
    set_row(1, {1, 0, 1, 1});
    profit_sum = 1.5;
    testing::internal::CaptureStdout();
    report_run();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Najbolja jedinka: 1 1 0 0  7.000000\n");
    EXPECT_EQ(profit_sum, 8.5);
}
