// The coding of points, the objective, and the lines the optimisers write.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <unistd.h>

#include "front_end.h"
#include "function.h"
#include "params.h"
#include "population.h"
#include "store.h"

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

// Runs f in a fresh temporary folder, then returns to the previous one.
template <class F> static void in_temporary_folder(F f)
{
    auto old = std::filesystem::current_path();
    auto dir = std::filesystem::temp_directory_path() / ("funcopt_test_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    std::filesystem::current_path(dir);
    f();
    std::filesystem::current_path(old);
    std::filesystem::remove_all(dir);
}

static std::string contents(const char *path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(Log, OneLineAppendedPerGeneration)
{
    make_store(2, 3, 0);
    best = 1;
    eval[1]->x = -1.5;
    eval[1]->fx = 2.625;
    in_temporary_folder([] {
        std::ofstream("analiza.txt") << "kept\n";
        log_generation();
        eval[1]->x = 1e-7;
        eval[1]->fx = -4e-7;
        log_generation();
        EXPECT_EQ(contents("analiza.txt"), "kept\n  -1.500000  2.625000\n  0.000000  -0.000000\n");
    });
}

TEST(Report, BestPointAndValueWithSixDecimals)
{
    make_store(3, 3, 0);
    best = 2;
    eval[2]->x = -1.1547006;
    eval[2]->fx = 3.0792014;
    testing::internal::CaptureStdout();
    report_run();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Najbolja jedinka -1.154701  3.079201\n");
}
