#include "function.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>

int bits_needed(double dg, double gg, int p)
{
    double w = gg - dg;
    double v = std::pow(10.0, static_cast<double>(p)) * w + 1.0;
    double x = std::log(v) / std::log(2.0);
    // Outside this range the conversion below would not be defined.
    if (!(x >= 0.0 && x < 2147483647.0))
        return 0;
    int n = static_cast<int>(x);
    if (static_cast<double>(n) != x)
        n = n + 1;
    return n;
}

// 2^i for i from 0 to MAX_BITS, as pow gives them, computed once: decode runs
// for every chromosome of every generation. `exact` tells whether pow gave
// every power up to 2^53 exactly, as it does wherever it is correctly rounded.
static const struct powers_of_two {
    double at[MAX_BITS + 1];
    bool exact = true;
    powers_of_two()
    {
        for (int i = 0; i <= MAX_BITS; i++)
            at[i] = std::pow(2.0, static_cast<double>(i));
        for (int i = 0; i <= 53; i++)
            exact = exact && at[i] == static_cast<double>(std::uint64_t{1} << i);
    }
} two_to;

// Eight bytes of 0 or 1 as the bits of one byte, byte k at bit k: a byte b
// at bit 8k, times the multiplier, lands at bit 56 + k and nowhere else in
// the top byte, and no two products share a bit, so nothing carries.
static std::uint64_t gather_eight(const unsigned char *bytes)
{
    std::uint64_t eight;
    std::memcpy(&eight, bytes, 8);
    return (eight * 0x0102040810204080u) >> 56;
}

// The bits of row as an integer, byte i weighing 2^i, for n <= 53 bytes of 0
// or 1: eight at a time where the byte order is known, the last eight ending
// at byte n - 1 and shifted past the bytes already taken.
static std::uint64_t gather_bits(const unsigned char *row, int n)
{
    std::uint64_t bits = 0;
    if constexpr (std::endian::native == std::endian::little)
        if (n >= 8) {
            int i = 0;
            for (; i + 8 <= n; i += 8)
                bits |= gather_eight(row + i) << i;
            if (i < n)
                bits |= gather_eight(row + n - 8) >> (i + 8 - n) << i;
            return bits;
        }
    for (int i = 0; i < n; i++)
        bits |= static_cast<std::uint64_t>(row[i]) << i;
    return bits;
}

double decode(const unsigned char *row, double a, double b, int n)
{
    double s = 0.0;
    if (n <= 53 && two_to.exact) {
        // Every partial sum s + 2^i x row[i] is then an integer below 2^53,
        // held exactly, so the sum in index order is this integer, exactly.
        s = static_cast<double>(gather_bits(row, n));
    } else {
        for (int i = 0; i < n; i++)
            s = s + two_to.at[i] * static_cast<double>(row[i]);
    }
    double d = two_to.at[n] - 1.0;
    return a + (s / d) * (b - a);
}

double objective(double x)
{
    return x * x * x - 4.0 * x;
}
