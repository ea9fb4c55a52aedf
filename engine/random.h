// The one random stream of every program: a multiplicative congruential
// generator over a 32-bit state, seeded once by the program entry. The draws
// are inline: they run for every bit of every generation.
#pragma once

#include <cstdint>
#include <cstdlib>

static_assert(sizeof(int) == 4, "the generator state is a 32-bit integer");

extern int seed;

// The fixed start value of the stream.
constexpr int SEED_START = 1289673;

// seed <- seed * 69069 modulo 2^32, read back as a signed value, and |seed|.
// The product is taken in unsigned arithmetic, where wrapping is defined. The
// state always leaves the remainder 1 when divided by 4, so it is never -2^31
// and |seed| lies in [1, 2^31 - 1].
inline std::uint32_t next_magnitude()
{
    seed = static_cast<int>(static_cast<std::uint32_t>(seed) * 69069u);
    return static_cast<std::uint32_t>(std::abs(seed));
}

// A real in (0, 1]; advances the state by one step.
inline double rand01()
{
    return static_cast<double>(next_magnitude()) / 2147483647.0;
}

// An integer in [0, n), for n >= 1; advances the state by one step. Halve
// first, then take the remainder: the draw uses the bits above the lowest one.
inline int randint(int n)
{
    return static_cast<int>(next_magnitude() / 2) % n;
}
