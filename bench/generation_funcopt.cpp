// One generation's steps of tarsel at the sizes of the optimiser workloads:
// small (VEL_POP 50, N 22, M 10), medium (200, 22, 40), large (1000, 42, 200).

#include <cstdlib>
#include <filesystem>

#include "breed.h"
#include "function.h"
#include "operators.h"
#include "params.h"
#include "population.h"
#include "random.h"
#include "selection.h"
#include "steps.h"
#include "store.h"

// The store of a workload after its first evaluation; the log goes to a
// scratch folder.
static void prepare(const benchmark::State &state)
{
    static bool in_scratch = false;
    if (!in_scratch) {
        auto dir = std::filesystem::temp_directory_path() / "bench_funcopt";
        std::filesystem::create_directories(dir);
        std::filesystem::current_path(dir);
        in_scratch = true;
    }
    std::filesystem::remove("analiza.txt");
    dg = -2;
    gg = 2;
    p = static_cast<int>(state.range(1)) == 22 ? 6 : 12;
    make_store(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
               static_cast<int>(state.range(2)), state.range(1) == 22 ? 10.0 : 5.0);
    seed = SEED_START;
    init_pop();
    evaluate_and_select();
}

static void sizes(benchmark::internal::Benchmark *b)
{
    b->Args({50, 22, 10})->Args({200, 22, 40})->Args({1000, 42, 200});
}

TIME_GENERATION_STEPS(prepare, sizes);
