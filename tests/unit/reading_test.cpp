// Strict reading of one value; the messages of its refusals are pinned by the
// whole-program cases.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "read_value.h"

TEST(ParseInt, SignedDecimalDigitsWithin32Bits)
{
    struct { std::string text; conversion result; int value = 0; } table[] = {
        {"0", conversion::ok, 0}, {"+7", conversion::ok, 7}, {"-7", conversion::ok, -7},
        {"-0", conversion::ok, 0}, {"2147483647", conversion::ok, 2147483647},
        {"-2147483648", conversion::ok, -2147483647 - 1},
        {"00000000000000000000000000000000012", conversion::ok, 12},
        {"", conversion::malformed}, {"+", conversion::malformed}, {"-", conversion::malformed},
        {"12abc", conversion::malformed}, {"20.5", conversion::malformed},
        {"1e3", conversion::malformed}, {" 1", conversion::malformed},
        {"--1", conversion::malformed}, {std::string("1\0" "2", 3), conversion::malformed},
        {std::string(5000, '9') + "x", conversion::malformed},
        {"2147483648", conversion::out_of_range}, {"-2147483649", conversion::out_of_range},
        {"-21474836480", conversion::out_of_range},
        {"99999999999999999999999999", conversion::out_of_range}};
    for (auto &t : table) {
        int v = -99;
        EXPECT_EQ(parse_int(t.text.data(), t.text.size(), &v), t.result) << t.text;
        EXPECT_EQ(v, t.result == conversion::ok ? t.value : -99) << t.text;
    }
}

TEST(ParseDouble, FiniteDecimalNumbersOnly)
{
    struct { std::string text; conversion result; double value = 0.0; } table[] = {
        {"-2", conversion::ok, -2.0}, {".5", conversion::ok, 0.5}, {"5.", conversion::ok, 5.0},
        {"+2", conversion::ok, 2.0}, {"1e-3", conversion::ok, 1e-3},
        {"1E+3", conversion::ok, 1000.0}, {"1e-400", conversion::ok, 0.0},
        {"4e-320", conversion::ok, 4e-320}, {"00012.50", conversion::ok, 12.5},
        {"1.7976931348623157e308", conversion::ok, 1.7976931348623157e308},
        {"", conversion::malformed}, {".", conversion::malformed}, {"-.", conversion::malformed},
        {"e5", conversion::malformed}, {"1e", conversion::malformed},
        {"1e+", conversion::malformed}, {"1.2.3", conversion::malformed},
        {"0x1p3", conversion::malformed}, {"inf", conversion::malformed},
        {"1 e3", conversion::malformed}, {std::string("1\0" "5", 3), conversion::malformed},
        {"1e309", conversion::out_of_range}, {"-1e999", conversion::out_of_range},
        {"1e99999999999999999999", conversion::out_of_range}};
    for (auto &t : table) {
        double v = -99.0;
        EXPECT_EQ(parse_double(t.text.data(), t.text.size(), &v), t.result) << t.text;
        EXPECT_EQ(v, t.result == conversion::ok ? t.value : -99.0) << t.text;
    }
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
