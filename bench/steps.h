// Times one step of a generation on the store that `prepare` sets up for the
// sizes in the benchmark's arguments.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>

#include "not_in_list_blocks.h"
#include "population.h"

inline void time_step(benchmark::State &state, void (*prepare)(const benchmark::State &),
                      void (*step)())
{
    prepare(state);
    for (auto _ : state)
        step();
}

// The eligibility scans of one evaluate_and_select alone: the pass over the
// entries drawn before each spin, and the survivors' pass over all M, with
// no running sums, choices or evaluations.
inline void scans_alone()
{
    std::uint64_t in_draw[KEYS_AT_ONCE / 64];
    for (int chosen = 0; chosen <= M; chosen++)
        for (int first = 0, end; first < VEL_POP; first = end) {
            end = range_end(first, VEL_POP);
            not_in_list_blocks(elim, chosen, VEL_POP, first, end, in_draw);
        }
    benchmark::DoNotOptimize(in_draw);
}

// Registers the three steps of a generation at the given sizes, and the
// scans alone.
#define TIME_GENERATION_STEPS(prepare, sizes)                                                  \
    BENCHMARK_CAPTURE(time_step, evaluate_and_select, prepare, evaluate_and_select)->Apply(sizes); \
    BENCHMARK_CAPTURE(time_step, breed, prepare, breed)->Apply(sizes);                          \
    BENCHMARK_CAPTURE(time_step, mutate_population, prepare, mutate_population)->Apply(sizes); \
    BENCHMARK_CAPTURE(time_step, scans_alone, prepare, scans_alone)->Apply(sizes)
