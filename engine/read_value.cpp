#include "read_value.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "digest.h"
#include "host.h"

static bool is_blank(int c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

static bool is_digit(char c)
{
    return c >= '0' && c <= '9';
}

// The line of the token just read, counted from 1 from where the input was
// opened.
static int token_line = 1;
static int lines_ended;

input_file open_input(const char *path)
{
    input_file in(std::fopen(path, "r"));
    if (in == nullptr)
        fail("Cannot open %s", path);
    token_line = 1;
    lines_ended = 0;
    return in;
}

conversion parse_int(const char *text, std::size_t length, int *value)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < length && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i == length)
        return conversion::malformed;
    // The magnitude stops growing once it is past every 32-bit value, so the
    // digits of an arbitrarily long token are still all checked.
    long long magnitude = 0;
    for (; i < length; i++) {
        if (!is_digit(text[i]))
            return conversion::malformed;
        if (magnitude <= 2147483648LL)
            magnitude = magnitude * 10 + (text[i] - '0');
    }
    long long v = negative ? -magnitude : magnitude;
    if (v < -2147483648LL || v > 2147483647LL)
        return conversion::out_of_range;
    *value = static_cast<int>(v);
    return conversion::ok;
}

// Length of the run of decimal digits at text[i].
static std::size_t digits(const char *text, std::size_t length, std::size_t i)
{
    std::size_t start = i;
    while (i < length && is_digit(text[i]))
        i++;
    return i - start;
}

conversion parse_double(const char *text, std::size_t length, double *value)
{
    std::size_t i = 0;
    if (i < length && (text[i] == '+' || text[i] == '-'))
        i++;
    std::size_t whole = digits(text, length, i);
    i += whole;
    std::size_t fraction = 0;
    if (i < length && text[i] == '.') {
        i++;
        fraction = digits(text, length, i);
        i += fraction;
    }
    if (whole + fraction == 0)
        return conversion::malformed;
    if (i < length && (text[i] == 'e' || text[i] == 'E')) {
        i++;
        if (i < length && (text[i] == '+' || text[i] == '-'))
            i++;
        std::size_t exponent = digits(text, length, i);
        if (exponent == 0)
            return conversion::malformed;
        i += exponent;
    }
    if (i != length)
        return conversion::malformed;
    // The text is now a plain decimal number without NUL bytes; strtod needs
    // it terminated.
    char *copy = static_cast<char *>(std::malloc(length + 1));
    if (copy == nullptr)
        fail("Not enough memory to read a value of %zu bytes", length);
    std::memcpy(copy, text, length);
    copy[length] = '\0';
    double v = std::strtod(copy, nullptr);
    std::free(copy);
    if (!std::isfinite(v))
        return conversion::out_of_range;
    *value = v;
    return conversion::ok;
}

// The token just read, kept for the next read; it grows as needed.
static char *token;
static std::size_t token_length;
static std::size_t token_capacity;

static void keep(int c)
{
    if (token_length == token_capacity) {
        std::size_t capacity = token_capacity == 0 ? 64 : token_capacity * 2;
        char *grown = static_cast<char *>(std::realloc(token, capacity));
        if (grown == nullptr)
            fail("Not enough memory to read a value of %zu bytes", token_length);
        token = grown;
        token_capacity = capacity;
    }
    token[token_length++] = static_cast<char>(c);
}

// True for the bytes that may stand in a number of either kind.
static bool may_be_in_number(int c)
{
    return is_digit(static_cast<char>(c)) || c == '+' || c == '-' || c == '.' || c == 'e' ||
           c == 'E';
}

// The bytes of a token that a message shows; one more tells that it goes on.
constexpr std::size_t SHOWN_BYTES = 40;

// Reads the next token into `token`; it is empty when the input ends before
// one begins, or fails before one is complete, and then refuse() tells that
// the value is missing or cannot be read. The white space that ends the token
// is left unread. A token that holds a byte no number can hold is refused
// whatever follows, so it is read no further than a message shows it: an
// endless run of such bytes ends the read instead of filling the memory.
static void next_token(std::FILE *in)
{
    int c;
    do {
        c = std::getc(in);
        lines_ended += c == '\n';
    } while (is_blank(c));
    token_line = lines_ended + 1;
    token_length = 0;
    bool hopeless = false;
    while (c != EOF && !is_blank(c)) {
        keep(c);
        hopeless = hopeless || !may_be_in_number(c);
        if (hopeless && token_length > SHOWN_BYTES)
            return;
        c = std::getc(in);
    }
    if (c != EOF)
        std::ungetc(c, in);
    // After a read error the bytes kept may be only the start of the value:
    // none of it is taken.
    if (std::ferror(in))
        token_length = 0;
}

// The token as it may be shown in a message: at most SHOWN_BYTES, with bytes that
// are not printable ASCII written as \xNN.
static const char *shown_token()
{
    static char shown[SHOWN_BYTES * 4 + 4];
    std::size_t out = 0;
    for (std::size_t i = 0; i < token_length && i < SHOWN_BYTES; i++) {
        unsigned char c = static_cast<unsigned char>(token[i]);
        if (c >= 0x20 && c < 0x7f && c != '\\')
            shown[out++] = static_cast<char>(c);
        else
            out += std::snprintf(shown + out, 5, "\\x%02x", c);
    }
    if (token_length > SHOWN_BYTES)
        out += std::snprintf(shown + out, 4, "...");
    shown[out] = '\0';
    return shown;
}

[[noreturn]] static void refuse(std::FILE *in, const char *what, const char *problem)
{
    bool unreadable = std::ferror(in) != 0;
    int error = errno;
    if (token_length > 0)
        fail("%s %s: \"%s\"", what, problem, shown_token());
    if (unreadable)
        fail("%s cannot be read: %s", what, std::strerror(error));
    fail("%s is missing", what);
}

static std::uint64_t values_read = DIGEST_START;

// Adds a value to the digest as its kind and its bytes, least significant
// first, so that every machine takes the same digest.
template <typename T> static void add_value(char kind, T value)
{
    std::uint64_t bits = 0;
    static_assert(sizeof value <= sizeof bits);
    std::memcpy(&bits, &value, sizeof value);
    unsigned char bytes[1 + sizeof value] = {static_cast<unsigned char>(kind)};
    for (std::size_t i = 0; i < sizeof value; i++)
        bytes[1 + i] = static_cast<unsigned char>(bits >> (8 * i));
    values_read = add_to_digest(values_read, bytes, sizeof bytes);
}

std::uint64_t input_digest()
{
    return values_read;
}

int read_int(std::FILE *in, const char *what)
{
    int value = 0;
    next_token(in);
    switch (parse_int(token, token_length, &value)) {
    case conversion::ok:
        add_value('i', value);
        return value;
    case conversion::malformed:
        refuse(in, what, "is not a whole number");
    case conversion::out_of_range:
        refuse(in, what, "is outside the range from -2147483648 to 2147483647");
    }
    return value;
}

// True when a token that is not a number reads as one once its commas are
// points, as 0,01 does. A token with a comma is never kept longer than a
// message shows it.
static bool decimal_comma()
{
    char points[SHOWN_BYTES];
    if (token_length > SHOWN_BYTES)
        return false;
    for (std::size_t i = 0; i < token_length; i++)
        points[i] = token[i] == ',' ? '.' : token[i];
    double ignored;
    return parse_double(points, token_length, &ignored) == conversion::ok;
}

double read_double(std::FILE *in, const char *what)
{
    double value = 0.0;
    next_token(in);
    switch (parse_double(token, token_length, &value)) {
    case conversion::ok:
        add_value('d', value);
        return value;
    case conversion::malformed:
        if (decimal_comma())
            refuse(in, what, "is not a number (decimals are written after a point, as in 0.01)");
        refuse(in, what, "is not a decimal number");
    case conversion::out_of_range:
        refuse(in, what, "is too large");
    }
    return value;
}

bool only_reading()
{
    const char *value = std::getenv("GENETIC_SEARCH_STOP_AFTER_READING");
    return value != nullptr && value[0] != '\0';
}

void stop_after_reading()
{
    if (only_reading())
        std::exit(0);
}

bool whole_number_on_a_later_line(std::FILE *in, int *line, std::string *text)
{
    int own = token_line;
    do {
        next_token(in);
        if (token_length == 0)
            return false;
    } while (token_line == own);
    int ignored;
    if (parse_int(token, token_length, &ignored) != conversion::ok)
        return false;
    *line = token_line;
    text->assign(shown_token());
    return true;
}
