// Sixteen consecutive draws of the one stream at once. The state k steps
// ahead is seed x 69069^k modulo 2^32, so the lanes of a vector, each the
// state times its own power of the multiplier, hold the next sixteen states
// in order, and the stream moves on by one product per vector instead of one
// per draw. The tests on the lanes below give, lane for lane, exactly the
// results of the scalar draws in random.h; the proofs are beside them.
#pragma once

#include <cstdint>
#include <cstring>

#include "random.h"

// Vectors in the compilers' own notation, which every target lowers to its
// vector instructions. The functions below are inline and never cross an
// object's boundary, so how a target would pass such vectors between objects
// (what -Wpsabi warns of) does not matter to any file that includes this.
#pragma GCC diagnostic ignored "-Wpsabi"
typedef std::uint32_t states16 __attribute__((vector_size(64)));
typedef std::int32_t signed16 __attribute__((vector_size(64)));
typedef double reals16 __attribute__((vector_size(128)));
typedef unsigned char bytes16 __attribute__((vector_size(16)));

// Lanes of 0 or 1 as bytes. A plain loop, which the compilers' own
// vectorisers narrow well, where a shuffle or a comparison on a vector wider
// than the machine's may be split lane by lane.
inline bytes16 lane_bits(states16 bits)
{
    std::uint32_t lanes[16];
    std::memcpy(lanes, &bits, sizeof lanes);
    bytes16 b;
    for (int k = 0; k < 16; k++)
        b[k] = static_cast<unsigned char>(lanes[k]);
    return b;
}

// 69069^k modulo 2^32.
constexpr std::uint32_t multiplier_power(int k)
{
    std::uint32_t p = 1;
    for (int i = 0; i < k; i++)
        p *= 69069u;
    return p;
}

// Lane k holds 69069^(k + 1).
constexpr states16 LANE_POWERS = {
    multiplier_power(1),  multiplier_power(2),  multiplier_power(3),  multiplier_power(4),
    multiplier_power(5),  multiplier_power(6),  multiplier_power(7),  multiplier_power(8),
    multiplier_power(9),  multiplier_power(10), multiplier_power(11), multiplier_power(12),
    multiplier_power(13), multiplier_power(14), multiplier_power(15), multiplier_power(16)};

// The states of the next n draws (1 <= n <= 16) in lanes 0 .. n - 1, and the
// stream moved on by n steps, as n calls of next_magnitude would leave it.
// Lanes from n on hold the states that would follow; they are not draws.
inline states16 next_states(int n)
{
    std::uint32_t s = static_cast<std::uint32_t>(seed);
    states16 lanes = s * LANE_POWERS;
    seed = static_cast<int>(lanes[n - 1]);
    return lanes;
}

// |state| of every lane, as next_magnitude takes it: the state is never
// -2^31, so the magnitude is exact, and the unsigned arithmetic cannot
// overflow.
inline states16 magnitudes(states16 s)
{
    states16 sign = reinterpret_cast<states16>(reinterpret_cast<signed16>(s) >> 31);
    return (s ^ sign) - sign;
}

// Lane k is 1 when rand01() > 0.5 at that draw, else 0.
// rand01() is a / (2^31 - 1) for a = |state| in [1, 2^31 - 1], rounded once
// to the nearest double; rounding never reverses the order of two quotients.
// For a = 2^30 the exact quotient is 0.5 + 0.5 / (2^31 - 1), about 2.3e-10
// above 0.5, while doubles next to 0.5 lie 2^-53 (about 1.1e-16) apart, so
// the rounded quotient is still above 0.5; for a = 2^30 - 1 it lies as far
// below. So rand01() > 0.5 exactly when a >= 2^30.
inline bytes16 above_half(states16 s)
{
    // |state| < 2^31: bit 30 is set exactly when it is at least 2^30.
    return lane_bits(magnitudes(s) >> 30);
}

// The count of draws of randint(1000) that compare strictly below p as
// reals: the integers 0 .. 999 below p are 0 .. ceil(p) - 1, none when p is
// not above 0 (or not a number), all 1000 when p is above 999.
inline std::uint32_t per_mille_below(double p)
{
    if (!(p > 0.0))
        return 0;
    if (p > 999.0)
        return 1000;
    std::uint32_t c = static_cast<std::uint32_t>(p);
    return static_cast<double>(c) < p ? c + 1 : c;
}

// Lane k is 1 when randint(1000) at that draw, taken as a real, is strictly
// below p, where below = per_mille_below(p), else 0.
// randint(1000) is h - 1000 q for h = |state| / 2 < 2^30 and q = floor(h /
// 1000), and q is the double product h x 0.001, truncated: the double
// nearest 0.001 exceeds it by less than 2.1e-20, so the exact product lies in
// [q, q + 0.999 + 2^30 x 2.1e-20]. It rounds to no less than q, itself a
// double, and, as doubles below 2^20 lie at most 2^-32 apart, to less than
// q + 1.
inline bytes16 randint1000_below(states16 s, std::uint32_t below)
{
    signed16 h = reinterpret_cast<signed16>(magnitudes(s) >> 1);
    signed16 q = __builtin_convertvector(__builtin_convertvector(h, reals16) * 0.001, signed16);
    // k and below lie in [0, 1000]: k - below has its sign bit set exactly
    // when k < below.
    states16 k = reinterpret_cast<states16>(h - 1000 * q);
    return lane_bits((k - below) >> 31);
}
