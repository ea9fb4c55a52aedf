#include "function.h"

#include <cmath>

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
// for every chromosome of every generation.
static const struct powers_of_two {
    double at[MAX_BITS + 1];
    powers_of_two()
    {
        for (int i = 0; i <= MAX_BITS; i++)
            at[i] = std::pow(2.0, static_cast<double>(i));
    }
} two_to;

double decode(const unsigned char *row, double a, double b, int n)
{
    double s = 0.0;
    for (int i = 0; i < n; i++)
        s = s + two_to.at[i] * static_cast<double>(row[i]);
    double d = two_to.at[n] - 1.0;
    return a + (s / d) * (b - a);
}

double objective(double x)
{
    return x * x * x - 4.0 * x;
}
