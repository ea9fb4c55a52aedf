// One generation's steps of sakora at the sizes of the knapsack workloads:
// 50 items (VEL_POP 200, M 40) and 200 items (VEL_POP 1000, M 200).

#include <cstdlib>
#include <vector>

#include "breed.h"
#include "report.h"
#include "operators.h"
#include "population.h"
#include "problem.h"
#include "random.h"
#include "selection.h"
#include "steps.h"
#include "store.h"

// Items of weight and profit 1 to 100, a capacity of a quarter of the weight.
static void prepare(const benchmark::State &state)
{
    static std::vector<int> w, pr;
    int n = static_cast<int>(state.range(1));
    w.assign(n, 0);
    pr.assign(n, 0);
    seed = SEED_START;
    long long total = 0;
    for (int i = 0; i < n; i++) {
        w[i] = 1 + randint(100);
        pr[i] = 1 + randint(100);
        total += w[i];
    }
    weights = w.data();
    profits = pr.data();
    C = static_cast<int>(total / 4);
    make_store(static_cast<int>(state.range(0)), n, static_cast<int>(state.range(2)), 10.0);
    std::free(best_packing);
    start_report();
    init_pop();
    evaluate_and_select();
}

static void sizes(benchmark::internal::Benchmark *b)
{
    b->Args({200, 50, 40})->Args({1000, 200, 200});
}

TIME_GENERATION_STEPS(prepare, sizes);
