// A file that the user asks for through an environment variable. It is
// written a row at a time and flushed after every row, so that it is complete
// after every generation and a failure shows at the row that met it.
#pragma once

#include <cstdio>
#include <string>

struct requested_file {
    std::FILE *file;   // null when nothing is asked for
    const char *path;  // the variable's value
};

// The file that `variable` names, created or emptied, with `header` written
// as its first row; nothing when the variable is unset or empty. A file that
// cannot be created or written ends the process with "Cannot create PATH:
// REASON" or "Cannot write PATH: REASON", and one that is the file `kept` or
// `other` names (either may be null), which emptying it would destroy or
// writing into it mingle, with "VARIABLE=PATH names the same file as KEPT".
requested_file open_requested(const char *variable, const std::string &header,
                              const char *kept, const char *other);

// Appends a comma and the shortest decimal form of v that reads back as
// exactly v (9147, 0.045, 1e-05).
void add_number(std::string &row, double v);

// Appends a comma and n.
void add_count(std::string &row, long long n);

// Writes the row and a line end and flushes them; ends the process with
// "Cannot write PATH: REASON" when they cannot be written.
void write_row(const requested_file &out, const std::string &row);

// Closes the file (if any) and forgets it; a failure ends the process as
// write_row does.
void close_requested(requested_file *out);
