// Times one step of a generation on the store that `prepare` sets up for the
// sizes in the benchmark's arguments.
#pragma once

#include <benchmark/benchmark.h>

inline void time_step(benchmark::State &state, void (*prepare)(const benchmark::State &),
                      void (*step)())
{
    prepare(state);
    for (auto _ : state)
        step();
}

// Registers the three steps of a generation at the given sizes.
#define TIME_GENERATION_STEPS(prepare, sizes)                                                  \
    BENCHMARK_CAPTURE(time_step, evaluate_and_select, prepare, evaluate_and_select)->Apply(sizes); \
    BENCHMARK_CAPTURE(time_step, breed, prepare, breed)->Apply(sizes);                          \
    BENCHMARK_CAPTURE(time_step, mutate_population, prepare, mutate_population)->Apply(sizes)
