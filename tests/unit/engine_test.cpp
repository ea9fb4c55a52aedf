// What the whole-program cases cannot localise: the block membership test
// against a plain scan, the roulette on values that are not
// numbers, and the limits of the coding and of a packing's totals.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "breed.h"
#include "fitness.h"
#include "front_end.h"
#include "function.h"
#include "not_in_list_blocks.h"
#include "output.h"
#include "population.h"
#include "random.h"
#include "selection.h"
#include "store.h"

// A front end whose chromosome i is worth test_fx[i], and no breeding.
static std::vector<double> test_fx;
void evaluate_chromosome(int i) { eval[i].fx = test_fx.at(i); }
void record_best() {}
const char program_name[] = "test";
const char front_statistics_header[] = "";
void add_front_statistics(std::string &) {}
const char *const appended_log = nullptr;
void report_run() {}
void save_front_state() {}
void restore_front_state() {}
void alloc_crossover() {}
void check_crossover_limits() {}
void check_breed_limits(int) {}
void breed() {}

// The block test gives the answers of a plain scan, for ranges that start and
// end on and off the edges of blocks, with entries beside the range and far
// from it or all within it (where the range from 0 holds every entry, and the
// test of where an entry falls is left out), and reads nothing past the
// count: the entries after it hold every key.
TEST(NotInList, BlocksMatchAPlainScan)
{
    struct { int count, first, end, shift = 0; bool inside = false; } table[] = {
        {0, 0, 64}, {1, 0, 1}, {5, 0, 63}, {16, 0, 65}, {31, 64, 200}, {64, 0, 130},
        {150, 128, 1000}, {3, 32700, 32768}, {200, 32767 - 300, 32767}, {40, 0, 600, 65536},
        {40, 0, 600, -65536}, {0, 0, 64, 0, true}, {5, 0, 63, 0, true}, {64, 0, 130, 0, true},
        {200, 0, 1000, 0, true}, {100, 0, 32768, 0, true}};
    for (auto &r : table) {
        std::vector<int> list;
        int width = r.end - r.first;
        for (int i = 0; i < r.count; i++)  // keys of the range and those beside it
            list.push_back(r.inside ? r.first + (i * 37) % width
                                    : r.shift + std::max(0, r.first - 2 + (i * 37) % (width + 4)));
        int bound = r.shift < 0 ? INT_MAX : r.inside ? r.end : 1;
        for (int i = 0; i < r.count; i++)
            bound = std::max(bound, list[i] + 1);
        for (int key = r.first; key < r.end; key++)
            list.push_back(key);
        // One word more than the blocks need, which the test may not write.
        std::vector<std::uint64_t> want((r.end - r.first + 63) / 64 + 1), got(want.size());
        want.back() = got.back() = 7;
        for (int key = r.first; key < r.end; key++)
            if (not_in_list(list.data(), key, r.count))
                want[(key - r.first) / 64] |= std::uint64_t{1} << (key - r.first) % 64;
        not_in_list_blocks(list.data(), r.count, bound, r.first, r.end, got.data());
        EXPECT_EQ(got, want) << r.count << " " << r.first << " " << r.end;
    }
}

// The roulette one index at a time, as defined: the draw is every index not
// chosen yet, the running sums go in index order, and the first index in the
// draw whose sum reaches r x kp_max is chosen.
static std::vector<int> plain_roulette(int m)
{
    std::vector<bool> chosen(VEL_POP);
    std::vector<double> cum(VEL_POP);
    std::vector<int> order;
    for (int i = 0; i < m; i++) {
        double sum = 0.0;
        for (int j = 0; j < VEL_POP; j++)
            if (!chosen[j])
                cum[j] = sum = sum + eval[j].deficit;
        double target = rand01() * sum;
        int k = 0;
        while (chosen[k] || !(target <= cum[k]))
            k++;
        chosen[k] = true;
        order.push_back(k);
    }
    return order;
}

// The roulette decides blocks of 64 indices at once and ranges of
// KEYS_AT_ONCE at a time: it must choose what the plain one chooses, at a
// multiple of a block, with most of the population eliminated, and beyond one
// range.
TEST(Selection, BlocksChooseWhatAPlainRouletteChooses)
{
    struct { int size, m; } table[] = {{64, 20}, {200, 190}, {33000, 300}};
    for (auto &s : table) {
        make_store(s.size, 1, s.m);
        test_fx.resize(s.size);
        for (int i = 0; i < s.size; i++)
            test_fx[i] = (i * 7919) % 101;  // many ties, the best among them
        seed = SEED_START;
        evaluate_and_select();
        seed = SEED_START;
        std::vector<int> order = plain_roulette(s.m), rest;
        EXPECT_EQ(std::vector<int>(elim, elim + s.m), order) << s.size;
        for (int j = 0; j < s.size; j++)  // the survivors: all others, ascending
            if (std::find(order.begin(), order.end(), j) == order.end())
                rest.push_back(j);
        EXPECT_EQ(std::vector<int>(surv, surv + s.size - s.m), rest) << s.size;
    }
    // With every slice 0 the lowest index left goes: beyond one range, and
    // when it stands alone in its block (127 below the best went first).
    for (int size : {33000, 130}) {
        make_store(size, 1, size == 130 ? 128 : 3);
        for (int i = 0; i < size; i++)
            test_fx[i] = size == 33000 || i == 64 || i >= 128;
        evaluate_and_select();
        EXPECT_EQ(elim[M - 1], size == 130 ? 64 : 2) << size;
    }
    release_store();
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
    // Up to 53 bits the bits are gathered as an integer, beyond by weights:
    // both give the sum in index order, with the powers as pow gives them.
    for (int n : {1, 7, 8, 9, 16, 42, 52, 53, 54, 64})
        for (unsigned pattern : {0u, 1u, 0x5au, 0xffu, 2654435761u}) {
            for (int i = 0; i < n; i++)
                bits[i] = (pattern >> (i * 7 % 32) & 1) || (pattern == 1 && i == n - 1);
            double s = 0.0;
            for (int i = 0; i < n; i++)
                s = s + std::pow(2.0, static_cast<double>(i)) * static_cast<double>(bits[i]);
            double want = -2 + (s / (std::pow(2.0, static_cast<double>(n)) - 1.0)) * (2 - -2);
            EXPECT_EQ(decode(bits.data(), -2, 2, n), want) << n << " " << pattern;
        }
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

// No line that the programs print is this long today: the path for one
// longer than print()'s own buffer is proved here.
TEST(Output, LineLongerThanTheBufferIsPrintedWhole)
{
    std::string line = std::string(1000, '9') + ".5\n";
    keep_printed(true);
    print("%s", line.c_str());
    keep_printed(false);
    EXPECT_EQ(printed(), line);
    printed().clear();
}
