// Strict reading: a value is one token that must convert completely.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "read_value.h"

static conversion as_int(const std::string &text, int *value)
{
    return parse_int(text.data(), text.size(), value);
}

static conversion as_double(const std::string &text, double *value)
{
    return parse_double(text.data(), text.size(), value);
}

TEST(ParseInt, SignedDecimalDigitsWithin32Bits)
{
    int v = 0;
    struct { const char *text; int value; } good[] = {
        {"0", 0}, {"42", 42}, {"+7", 7}, {"-7", -7}, {"007", 7}, {"-0", 0},
        {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
        {"00000000000000000000000000000000012", 12}};
    for (auto &g : good) {
        EXPECT_EQ(as_int(g.text, &v), conversion::ok) << g.text;
        EXPECT_EQ(v, g.value) << g.text;
    }
    for (const char *bad : {"", "+", "-", "12abc", "20.5", "1e3", "0x10", " 1", "1 ", "--1", "+-1", "١"})
        EXPECT_EQ(as_int(bad, &v), conversion::malformed) << bad;
    for (const char *big : {"2147483648", "-2147483649", "99999999999", "99999999999999999999999999"})
        EXPECT_EQ(as_int(big, &v), conversion::out_of_range) << big;
    EXPECT_EQ(as_int(std::string("1\0" "2", 3), &v), conversion::malformed);
    EXPECT_EQ(as_int(std::string(5000000, '9') + "x", &v), conversion::malformed);
}

TEST(ParseDouble, FiniteDecimalNumbersOnly)
{
    double v = 0;
    struct { const char *text; double value; } good[] = {
        {"-2", -2.0}, {"0.01", 0.01}, {".5", 0.5}, {"5.", 5.0}, {"+2", 2.0},
        {"1e-3", 1e-3}, {"1E+3", 1000.0}, {"-0", -0.0}, {"1e-400", 0.0},
        {"00012.50", 12.5}, {"1.7976931348623157e308", 1.7976931348623157e308}};
    for (auto &g : good) {
        EXPECT_EQ(as_double(g.text, &v), conversion::ok) << g.text;
        EXPECT_EQ(v, g.value) << g.text;
    }
    EXPECT_EQ(as_double("4e-320", &v), conversion::ok);  // subnormal, kept
    EXPECT_GT(v, 0.0);
    for (const char *bad : {"", ".", "+", "-.", "e5", "1e", "1e+", "0,01", "1.2.3", "0x1p3", "nan",
                            "inf", "-infinity", "1d", "12abc", "1 e3"})
        EXPECT_EQ(as_double(bad, &v), conversion::malformed) << bad;
    for (const char *big : {"1e309", "-1e999", "1e99999999999999999999"})
        EXPECT_EQ(as_double(big, &v), conversion::out_of_range) << big;
    EXPECT_EQ(as_double(std::string("1\0" "5", 3), &v), conversion::malformed);
}

// A stream over the given bytes.
static std::FILE *stream(const std::string &bytes)
{
    std::FILE *f = std::tmpfile();
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::rewind(f);
    return f;
}

TEST(ReadValue, TokensAreSeparatedByAnyWhiteSpace)
{
    std::FILE *f = stream(" \t-2\r\n+2.\v006\f50\n\n0.5e1 rest");
    EXPECT_EQ(read_double(f, "a"), -2.0);
    EXPECT_EQ(read_double(f, "b"), 2.0);
    EXPECT_EQ(read_int(f, "c"), 6);
    EXPECT_EQ(read_int(f, "d"), 50);
    EXPECT_EQ(read_double(f, "e"), 5.0);
    // The white space after a token is left for the next read.
    EXPECT_EQ(std::getc(f), ' ');
    std::fclose(f);
}

TEST(ReadValueDeathTest, RefusalsNameTheValueAndTheProblem)
{
    EXPECT_EXIT(read_int(stream("   \n"), "value 3 (p)"), testing::ExitedWithCode(1),
                "^value 3 \\(p\\) is missing\n$");
    EXPECT_EXIT(read_int(stream("six"), "value 3 (p)"), testing::ExitedWithCode(1),
                "^value 3 \\(p\\) is not a whole number: \"six\"\n$");
    EXPECT_EXIT(read_int(stream("99999999999"), "weight 7 of 20"), testing::ExitedWithCode(1),
                "^weight 7 of 20 is outside the range from -2147483648 to 2147483647:"
                " \"99999999999\"\n$");
    EXPECT_EXIT(read_double(stream("0,01"), "value 7"), testing::ExitedWithCode(1),
                "^value 7 is not a number \\(decimals are written after a point, as in 0.01\\):"
                " \"0,01\"\n$");
    // A comma that is not a decimal comma gets no hint.
    EXPECT_EXIT(read_double(stream("1,2,3"), "value 7"), testing::ExitedWithCode(1),
                "^value 7 is not a decimal number: \"1,2,3\"\n$");
    EXPECT_EXIT(read_double(stream("nan"), "value 1"), testing::ExitedWithCode(1),
                "^value 1 is not a decimal number: \"nan\"\n$");
    EXPECT_EXIT(read_double(stream("1e999"), "value 2"), testing::ExitedWithCode(1),
                "^value 2 is too large: \"1e999\"\n$");
}

TEST(ReadValueDeathTest, TokensAreShownShortAndPrintable)
{
    EXPECT_EXIT(read_int(stream(std::string("1\0\x80\\", 4)), "v"), testing::ExitedWithCode(1),
                "^v is not a whole number: \"1\\\\x00\\\\x80\\\\x5c\"\n$");
    EXPECT_EXIT(read_int(stream(std::string(3000000, '7') + "x"), "v"),
                testing::ExitedWithCode(1), "^v is not a whole number: \"7{40}\\.\\.\\.\"\n$");
}

// A stream that yields `bytes` and then fails to read, as a disk or a terminal
// may fail part way.
static std::FILE *failing_after(const char *bytes)
{
    static const char *rest;
    rest = bytes;
    cookie_io_functions_t io = {};
    io.read = [](void *, char *buf, std::size_t size) -> ssize_t {
        if (*rest == '\0') {
            errno = EIO;
            return -1;
        }
        std::size_t n = std::min(size, std::strlen(rest));
        std::memcpy(buf, rest, n);
        rest += n;
        return static_cast<ssize_t>(n);
    };
    return fopencookie(nullptr, "r", io);
}

TEST(ReadValueDeathTest, AReadErrorInsideAValueIsNotTheValue)
{
    // The bytes before the error are not the whole value: "12" may have been
    // the start of "1234".
    EXPECT_EXIT(read_int(failing_after("12"), "v"), testing::ExitedWithCode(1),
                "^v cannot be read: Input/output error\n$");
    std::FILE *f = failing_after("7 12");
    EXPECT_EQ(read_int(f, "u"), 7);
    EXPECT_EXIT(read_double(f, "v"), testing::ExitedWithCode(1),
                "^v cannot be read: Input/output error\n$");
}
