// Runs of per-bit draws, sixteen draws at a time (draws_ahead.h): the same
// draws in the same order as the plain loops in the comments, and the same
// bits.
#pragma once

#include <cstdint>

// for k < n: out[k] = rand01() > 0.5 ? 1 : 0
void draw_halves(unsigned char *out, int n);

// For each row of rows[0 .. count) in order, except rows[skip] (skip may lie
// outside), for k < n: if (randint(1000) < p) row[k] = 1 - row[k]; where
// below = per_mille_below(p) and row bytes are 0 or 1. One run of draws over
// all the rows, so that a vector of draws may span two rows.
void draw_flips(unsigned char *const *rows, int count, int skip, int n, std::uint32_t below);

// The paths, named so that tests can hold each to the plain loops on one
// machine; draw_halves and draw_flips take the fastest the processor has.
void draw_halves_portable(unsigned char *out, int n);
void draw_flips_portable(unsigned char *const *rows, int count, int skip, int n,
                         std::uint32_t below);
#if defined(__x86_64__)
bool cpu_has_avx2();
void draw_halves_avx2(unsigned char *out, int n);
void draw_flips_avx2(unsigned char *const *rows, int count, int skip, int n,
                     std::uint32_t below);
#endif
