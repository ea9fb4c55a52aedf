// The coding of points as bit strings, and the function that is maximised.
#pragma once

// The longest chromosome that decode can weigh without overflow: 2^1024 is
// beyond a double.
constexpr int MAX_BITS = 1023;

// The smallest N with 2^N - 1 >= 10^p x (gg - dg), as the double arithmetic
// resolves it; 0 when no count of bits fits (an empty interval, a value that
// is not finite, or more bits than a 32-bit count).
int bits_needed(double dg, double gg, int p);

// The point of [a, b] that the n bits of row stand for (bytes of 0 or 1; byte
// 0 is the least significant bit), for n from 1 to MAX_BITS.
double decode(const unsigned char *row, double a, double b, int n);

// f(x) = x*x*x - 4*x.
double objective(double x);
