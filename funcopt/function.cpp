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

// 2^i for i from 0 to MAX_BITS + 1, as pow gives them, computed once: decode
// runs for every chromosome of every generation.
static const struct powers_of_two {
    double at[MAX_BITS + 2];
    powers_of_two()
    {
        for (int i = 0; i <= MAX_BITS + 1; i++)
            at[i] = std::pow(2.0, static_cast<double>(i));
    }
} two_to;

// 2^i, from the table where it holds it.
static double power_of_two(int i)
{
    return i <= MAX_BITS + 1 ? two_to.at[i] : std::pow(2.0, static_cast<double>(i));
}

double decode(const unsigned char *row, double a, double b, int n)
{
    double s = 0.0;
    int tabled = n < MAX_BITS + 1 ? n : MAX_BITS + 1;
    for (int i = 0; i < tabled; i++)
        s = s + two_to.at[i] * static_cast<double>(row[i]);
    for (int i = tabled; i < n; i++)
        s = s + power_of_two(i) * static_cast<double>(row[i]);
    double d = power_of_two(n) - 1.0;
    return a + (s / d) * (b - a);
}

double objective(double x)
{
    return x * x * x - 4.0 * x;
}
