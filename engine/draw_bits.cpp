#include "draw_bits.h"

#include <bit>
#include <cstring>

#include "draws_ahead.h"

// Bits 0 .. 7 of m as eight bytes of 0 or 1, bit k in the byte at k in
// memory order. The product copies m into every byte (m < 256, so nothing
// carries); byte k keeps only its bit k, 2^k or 0; adding 127 sets its top
// bit exactly when it is not 0, without a carry into the next byte.
static inline std::uint64_t spread(unsigned m)
{
    std::uint64_t x = (m * 0x0101010101010101u) & 0x8040201008040201u;
    return ((x + 0x7f7f7f7f7f7f7f7fu) >> 7) & 0x0101010101010101u;
}

// out[k] = bit k of m, for k < n <= 16.
static inline void put_bits(unsigned char *out, unsigned m, int n)
{
    if constexpr (std::endian::native == std::endian::little) {
        std::uint64_t bytes[2] = {spread(m & 0xff), spread(m >> 8)};
        std::memcpy(out, bytes, static_cast<std::size_t>(n));
    } else {
        for (int k = 0; k < n; k++)
            out[k] = static_cast<unsigned char>(m >> k & 1);
    }
}

// The loops of both paths; each path passes the lanes' sign bits through
// its own `signs`.
#define DRAW_HALVES(signs)                                                        \
    std::uint32_t s = static_cast<std::uint32_t>(seed);                           \
    for (int i = 0; i < n; i += 16) {                                             \
        int count = n - i < 16 ? n - i : 16;                                      \
        put_bits(out + i, signs(above_half(states_after(s))), count);             \
        s = advance(s, count);                                                    \
    }                                                                             \
    seed = static_cast<int>(s)

// Few bits flip: a run of sixteen draws without a flip touches no byte.
#define DRAW_FLIPS(signs)                                                         \
    std::uint32_t s = static_cast<std::uint32_t>(seed);                           \
    for (int i = 0; i < n; i += 16) {                                             \
        int count = n - i < 16 ? n - i : 16;                                      \
        unsigned flip = signs(randint1000_below(states_after(s), below)) &        \
                        ((2u << (count - 1)) - 1);                                \
        s = advance(s, count);                                                    \
        for (; flip != 0; flip &= flip - 1)                                       \
            row[i + std::countr_zero(flip)] ^= 1;                                 \
    }                                                                             \
    seed = static_cast<int>(s)

void draw_halves_portable(unsigned char *out, int n)
{
    DRAW_HALVES(sign_mask);
}

void draw_flips_portable(unsigned char *row, int n, std::uint32_t below)
{
    DRAW_FLIPS(sign_mask);
}

#if defined(__x86_64__)
#include <immintrin.h>

bool cpu_has_avx2()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
}

// The sign bits of the lanes, one instruction for each half.
__attribute__((target("avx2"), always_inline)) static inline unsigned signs_avx2(states16 v)
{
    __m256 low = reinterpret_cast<__m256>(__builtin_shufflevector(v, v, 0, 1, 2, 3, 4, 5, 6, 7));
    __m256 high =
        reinterpret_cast<__m256>(__builtin_shufflevector(v, v, 8, 9, 10, 11, 12, 13, 14, 15));
    return static_cast<unsigned>(_mm256_movemask_ps(low)) |
           static_cast<unsigned>(_mm256_movemask_ps(high)) << 8;
}

__attribute__((target("avx2"))) void draw_halves_avx2(unsigned char *out, int n)
{
    DRAW_HALVES(signs_avx2);
}

__attribute__((target("avx2"))) void draw_flips_avx2(unsigned char *row, int n,
                                                     std::uint32_t below)
{
    DRAW_FLIPS(signs_avx2);
}

static const bool has_avx2 = cpu_has_avx2();

void draw_halves(unsigned char *out, int n)
{
    if (has_avx2)
        draw_halves_avx2(out, n);
    else
        draw_halves_portable(out, n);
}

void draw_flips(unsigned char *row, int n, std::uint32_t below)
{
    if (has_avx2)
        draw_flips_avx2(row, n, below);
    else
        draw_flips_portable(row, n, below);
}

#else

void draw_halves(unsigned char *out, int n)
{
    draw_halves_portable(out, n);
}

void draw_flips(unsigned char *row, int n, std::uint32_t below)
{
    draw_flips_portable(row, n, below);
}

#endif
