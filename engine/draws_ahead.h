// Sixteen consecutive draws of the one stream at once. The state k steps
// ahead is seed x 69069^k modulo 2^32, so the lanes of a vector, each the
// state times its own power of the multiplier, hold the next sixteen states
// in order, and the stream moves on by one product per vector instead of one
// per draw. A run of draws keeps the state in a local and stores it back in
// seed at its end. Every function here is inlined, so that each path of a
// caller, compiled for its own instruction set, has them in that set. The
// tests on the lanes below give, lane for lane, exactly the results of the
// scalar draws in random.h; the proofs are beside them.
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

// The sign bits of the lanes as a mask, lane k at bit k. A plain loop; a
// path for a particular instruction set may have one instruction for it.
[[gnu::always_inline]] inline unsigned sign_mask(states16 v)
{
    std::uint32_t lanes[16];
    std::memcpy(lanes, &v, sizeof lanes);
    unsigned mask = 0;
    for (int k = 0; k < 16; k++)
        mask |= lanes[k] >> 31 << k;
    return mask;
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

// The states of the next 16 draws from state s, in order, in the lanes.
[[gnu::always_inline]] inline states16 states_after(std::uint32_t s)
{
    return s * LANE_POWERS;
}

// The state n steps after s (0 <= n <= 16): one product, independent of the
// lanes, so that the next vector need not wait for them.
[[gnu::always_inline]] inline std::uint32_t advance(std::uint32_t s, int n)
{
    static constexpr std::uint32_t power[17] = {
        multiplier_power(0),  multiplier_power(1),  multiplier_power(2),  multiplier_power(3),
        multiplier_power(4),  multiplier_power(5),  multiplier_power(6),  multiplier_power(7),
        multiplier_power(8),  multiplier_power(9),  multiplier_power(10), multiplier_power(11),
        multiplier_power(12), multiplier_power(13), multiplier_power(14), multiplier_power(15),
        multiplier_power(16)};
    return s * power[n];
}

// |state| of every lane, as next_magnitude takes it: the state is never
// -2^31, so the magnitude is exact, and the unsigned arithmetic cannot
// overflow.
[[gnu::always_inline]] inline states16 magnitudes(states16 s)
{
    states16 sign = reinterpret_cast<states16>(reinterpret_cast<signed16>(s) >> 31);
    return (s ^ sign) - sign;
}

// The sign bit of lane k is set when rand01() > 0.5 at that draw.
// rand01() is a / (2^31 - 1) for a = |state| in [1, 2^31 - 1], rounded once
// to the nearest double; rounding never reverses the order of two quotients.
// For a = 2^30 the exact quotient is 0.5 + 0.5 / (2^31 - 1), about 2.3e-10
// above 0.5, while doubles next to 0.5 lie 2^-53 (about 1.1e-16) apart, so
// the rounded quotient is still above 0.5; for a = 2^30 - 1 it lies as far
// below. So rand01() > 0.5 exactly when a >= 2^30.
[[gnu::always_inline]] inline states16 above_half(states16 s)
{
    // |state| < 2^31: its bit 30 is set exactly when it is at least 2^30.
    return magnitudes(s) << 1;
}

// The count of draws of randint(1000) that compare strictly below p as
// reals: the integers 0 .. 999 below p are 0 .. ceil(p) - 1, none when p is
// not above 0 (or not a number), all 1000 when p is above 999.
[[gnu::always_inline]] inline std::uint32_t per_mille_below(double p)
{
    if (!(p > 0.0))
        return 0;
    if (p > 999.0)
        return 1000;
    std::uint32_t c = static_cast<std::uint32_t>(p);
    return static_cast<double>(c) < p ? c + 1 : c;
}

// The sign bit of lane k is set when randint(1000) at that draw, taken as a
// real, is strictly below p, where below = per_mille_below(p).
// randint(1000) is h - 1000 q for h = |state| / 2 < 2^30 and q = floor(h /
// 1000), and q is the double product h x 0.001, truncated: the double
// nearest 0.001 exceeds it by less than 2.1e-20, so the exact product lies in
// [q, q + 0.999 + 2^30 x 2.1e-20]. It rounds to no less than q, itself a
// double, and, as doubles below 2^20 lie at most 2^-32 apart, to less than
// q + 1.
[[gnu::always_inline]] inline states16 randint1000_below(states16 s, std::uint32_t below)
{
    signed16 h = reinterpret_cast<signed16>(magnitudes(s) >> 1);
    signed16 q = __builtin_convertvector(__builtin_convertvector(h, reals16) * 0.001, signed16);
    // k and below lie in [0, 1000]: k - below has its sign bit set exactly
    // when k < below.
    return reinterpret_cast<states16>(h - 1000 * q) - below;
}
