// Strict reading of numbers: every value is one token, the bytes between white
// space, and the whole token must convert.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

enum class conversion { ok, malformed, out_of_range };

// An optional sign and decimal digits, within the signed 32-bit range.
conversion parse_int(const char *text, std::size_t length, int *value);

// A finite decimal number as strtod reads one (optional sign, digits with an
// optional decimal point, an optional exponent); hexadecimal forms, nan and inf
// are malformed, a value that overflows is out of range, and one that
// underflows becomes 0 or the nearest subnormal.
conversion parse_double(const char *text, std::size_t length, double *value);

// Read the next token of `in` and convert it. A value that is missing or does
// not convert ends the process with a message naming `what` (for instance
// "weight 7 of 20"). Nothing after the token's own bytes is read.
int read_int(std::FILE *in, const char *what);
double read_double(std::FILE *in, const char *what);

// After the value just read, looks past the rest of its line for the first
// value on a later line: true when there is one and it is a whole number,
// with its line and its text as a message shows it.
bool whole_number_on_a_later_line(std::FILE *in, int *line, std::string *text);

// A digest of every value read so far, in order: the same values, from a file
// or at the prompts, however they are written, give the same digest.
std::uint64_t input_digest();

// An input file, closed when it goes out of scope, on every way out of the
// function that opened it; a refusal ends the process, and with it closes
// every file.
struct file_closer {
    void operator()(std::FILE *file) const { std::fclose(file); }
};
using input_file = std::unique_ptr<std::FILE, file_closer>;

// Opens path for reading as text; a file that cannot be opened ends the
// process with "Cannot open PATH".
input_file open_input(const char *path);

// GENETIC_SEARCH_STOP_AFTER_READING, an opt-in for tools that check an input
// with the program's own reading: true when it is set to a value that is not
// empty. stop_after_reading() then ends the process with status 0, having
// printed nothing more, and otherwise returns; the entry calls it once its
// input is read, before the limits of the values are checked.
bool only_reading();
void stop_after_reading();
