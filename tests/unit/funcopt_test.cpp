// The coding of points and the objective.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>

#include "function.h"

TEST(BitsNeeded, SmallestLengthThatResolvesThePrecision)
{
    EXPECT_EQ(bits_needed(-2, 2, 6), 22);
    EXPECT_EQ(bits_needed(0, 1, 3), 10);
    EXPECT_EQ(bits_needed(0, 1, 0), 1);  // the quotient is exactly 1: nothing added
    EXPECT_EQ(bits_needed(0, 7, 0), 3);  // exactly 3
    EXPECT_EQ(bits_needed(0, 3, 0), 2);
    EXPECT_EQ(bits_needed(0, 1, 15), 50);
    EXPECT_EQ(bits_needed(-2, 2, 12), 42);
    EXPECT_EQ(bits_needed(0, 1, 308), 1024);
}

TEST(BitsNeeded, NoLengthForIntervalsThatCannotBeCoded)
{
    double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(bits_needed(2, 2, 6), 0);
    EXPECT_EQ(bits_needed(0, 1, -400), 0);
    EXPECT_EQ(bits_needed(3, 2, 6), 0);  // negative width: log of a negative
    EXPECT_EQ(bits_needed(0, 1, 400), 0);
    EXPECT_EQ(bits_needed(-1e308, 1e308, 0), 0);
    EXPECT_EQ(bits_needed(0, inf, 0), 0);
}

static double decoded(std::initializer_list<int> bits, double a, double b)
{
    std::vector<unsigned char> row(bits.begin(), bits.end());
    return decode(row.data(), a, b, static_cast<int>(row.size()));
}

static std::string six(double v)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.6lf", v);
    return text;
}

TEST(Decode, ByteZeroIsTheLeastSignificantBit)
{
    struct { std::initializer_list<int> bits; const char *x, *fx; } table[] = {
        {{0, 0, 0}, "-2.000000", "0.000000"},
        {{1, 0, 0}, "-1.428571", "2.798834"},
        {{0, 0, 1}, "0.285714", "-1.119534"},
        {{1, 1, 0}, "-0.285714", "1.119534"},
        {{1, 1, 1}, "2.000000", "0.000000"}};
    for (auto &t : table) {
        double x = decoded(t.bits, -2, 2);
        EXPECT_EQ(six(x), t.x);
        EXPECT_EQ(six(objective(x)), t.fx);
    }
    EXPECT_EQ(decoded({1, 0, 0}, -2, 2), -2 + (1.0 / 7.0) * 4.0);
    EXPECT_EQ(decoded({0, 0, 0}, -1.5, 2.5), -1.5);
    EXPECT_EQ(decoded({1, 1, 1, 1}, -1.5, 2.5), -1.5 + 1.0 * 4.0);
}

TEST(Decode, LongestChromosomeStaysFinite)
{
    std::vector<unsigned char> ones(MAX_BITS, 1);
    EXPECT_EQ(decode(ones.data(), 0, 1, MAX_BITS), 1.0);
    std::vector<unsigned char> top(MAX_BITS, 0);
    top[MAX_BITS - 1] = 1;
    EXPECT_EQ(decode(top.data(), 0, 1, MAX_BITS), 0.5);
}

TEST(Objective, CubicMinusFourX)
{
    EXPECT_EQ(objective(-2), 0.0);
    EXPECT_EQ(objective(0), 0.0);
    EXPECT_EQ(objective(2), 0.0);
    EXPECT_EQ(objective(1), -3.0);
    EXPECT_EQ(six(objective(-2 / std::sqrt(3.0))), "3.079201");
}
