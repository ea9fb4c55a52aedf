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

// Where a run of flips stands: the row of its next draw and the position in
// that row, over the rows but the skipped one.
struct row_cursor {
    unsigned char *const *rows;
    int skip, n, row, pos;
};

static inline int next_row(const row_cursor &c, int row)
{
    return row + 1 == c.skip ? row + 2 : row + 1;
}

static inline row_cursor first_row(unsigned char *const *rows, int skip, int n)
{
    return {rows, skip, n, skip == 0 ? 1 : 0, 0};
}

// Flips the bytes of the draws of the next `lanes` whose bits are set in
// `flip`, and moves the cursor past them.
static inline void flip_and_move(row_cursor &c, unsigned flip, int lanes)
{
    for (; flip != 0; flip &= flip - 1) {
        int row = c.row, pos = c.pos + std::countr_zero(flip);
        for (; pos >= c.n; pos -= c.n)
            row = next_row(c, row);
        c.rows[row][pos] ^= 1;
    }
    for (c.pos += lanes; c.pos >= c.n; c.pos -= c.n)
        c.row = next_row(c, c.row);
}

// The draws of a run of flips over `count` rows but the skipped one.
static inline long long flip_draws(int count, int skip, int n)
{
    return static_cast<long long>(count - (skip >= 0 && skip < count ? 1 : 0)) * n;
}

// The lanes of the next vector of a run with `left` draws to make.
static inline int lanes_of(long long left)
{
    return left < 16 ? static_cast<int>(left) : 16;
}

// The mask of the lanes below `lanes`.
static inline unsigned first_lanes(int lanes)
{
    return (2u << (lanes - 1)) - 1;
}

void draw_halves_portable(unsigned char *out, int n)
{
    std::uint32_t s = static_cast<std::uint32_t>(seed);
    for (int i = 0; i < n; i += 16) {
        int lanes = lanes_of(n - i);
        put_bits(out + i, sign_mask(above_half(states_after(s))), lanes);
        s = advance(s, lanes);
    }
    seed = static_cast<int>(s);
}

void draw_flips_portable(unsigned char *const *rows, int count, int skip, int n,
                         std::uint32_t below)
{
    std::uint32_t s = static_cast<std::uint32_t>(seed);
    row_cursor c = first_row(rows, skip, n);
    for (long long left = flip_draws(count, skip, n); left > 0; left -= 16) {
        int lanes = lanes_of(left);
        unsigned flip = sign_mask(randint1000_below(states_after(s), below));
        s = advance(s, lanes);
        flip_and_move(c, flip & first_lanes(lanes), lanes);
    }
    seed = static_cast<int>(s);
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
    std::uint32_t s = static_cast<std::uint32_t>(seed);
    for (int i = 0; i < n; i += 16) {
        int lanes = lanes_of(n - i);
        put_bits(out + i, signs_avx2(above_half(states_after(s))), lanes);
        s = advance(s, lanes);
    }
    seed = static_cast<int>(s);
}

__attribute__((target("avx2"))) void draw_flips_avx2(unsigned char *const *rows, int count,
                                                     int skip, int n, std::uint32_t below)
{
    std::uint32_t s = static_cast<std::uint32_t>(seed);
    row_cursor c = first_row(rows, skip, n);
    for (long long left = flip_draws(count, skip, n); left > 0; left -= 16) {
        int lanes = lanes_of(left);
        unsigned flip = signs_avx2(randint1000_below(states_after(s), below));
        s = advance(s, lanes);
        flip_and_move(c, flip & first_lanes(lanes), lanes);
    }
    seed = static_cast<int>(s);
}

static const bool has_avx2 = cpu_has_avx2();

void draw_halves(unsigned char *out, int n)
{
    if (has_avx2)
        draw_halves_avx2(out, n);
    else
        draw_halves_portable(out, n);
}

void draw_flips(unsigned char *const *rows, int count, int skip, int n, std::uint32_t below)
{
    if (has_avx2)
        draw_flips_avx2(rows, count, skip, n, below);
    else
        draw_flips_portable(rows, count, skip, n, below);
}

#else

void draw_halves(unsigned char *out, int n)
{
    draw_halves_portable(out, n);
}

void draw_flips(unsigned char *const *rows, int count, int skip, int n, std::uint32_t below)
{
    draw_flips_portable(rows, count, skip, n, below);
}

#endif
