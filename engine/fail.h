// The one way a program refuses: a line on standard error, exit status 1.
#pragma once

// Writes the message and a line end to standard error and ends the process
// with status 1.
[[noreturn]] void fail(const char *format, ...) __attribute__((format(printf, 1, 2)));
