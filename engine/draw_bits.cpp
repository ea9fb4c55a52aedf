#include "draw_bits.h"

#include <cstring>

#include "draws_ahead.h"

// The bodies are written once and compiled for each path.
[[gnu::always_inline]] static inline void halves(unsigned char *out, int n)
{
    int i = 0;
    for (; i + 16 <= n; i += 16) {
        bytes16 bits = above_half(next_states(16));
        std::memcpy(out + i, &bits, 16);
    }
    if (i < n) {
        bytes16 bits = above_half(next_states(n - i));
        for (int k = 0; i + k < n; k++)
            out[i + k] = bits[k];
    }
}

[[gnu::always_inline]] static inline void flips(unsigned char *row, int n,
                                                std::uint32_t below)
{
    int i = 0;
    for (; i + 16 <= n; i += 16) {
        bytes16 bits;
        std::memcpy(&bits, row + i, 16);
        bits ^= randint1000_below(next_states(16), below);
        std::memcpy(row + i, &bits, 16);
    }
    if (i < n) {
        bytes16 flip = randint1000_below(next_states(n - i), below);
        for (int k = 0; i + k < n; k++)
            row[i + k] ^= flip[k];
    }
}

void draw_halves_portable(unsigned char *out, int n)
{
    halves(out, n);
}

void draw_flips_portable(unsigned char *row, int n, std::uint32_t below)
{
    flips(row, n, below);
}

#if defined(__x86_64__)

bool cpu_has_avx2()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
}

__attribute__((target("avx2"))) void draw_halves_avx2(unsigned char *out, int n)
{
    halves(out, n);
}

__attribute__((target("avx2"))) void draw_flips_avx2(unsigned char *row, int n,
                                                     std::uint32_t below)
{
    flips(row, n, below);
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
