// A file that the user asks for through an environment variable. It is
// written a row at a time and flushed after every row, so that it is complete
// after every generation and a failure shows at the row that met it.
#pragma once

#include <cstdio>
#include <string>

#include "checkpoint.h"

struct requested_file {
    std::FILE *file;       // null when nothing is asked for
    const char *path;      // the variable's value
    written_bytes written; // what is in it, for a checkpoint
};

// The file that `variable` names, or null when it is unset or empty.
const char *asked_file(const char *variable);

// True when the two paths name one file: the same text, or, where the
// platform tells, the same file of the same device, or for two files that
// are not there yet the same name in the same folder.
bool same_file(const char *a, const char *b);

// Ends the process with "VARIABLE=PATH names the same file as KEPT" (or as
// "OTHER=ITS-PATH") when the file that `variable` names is the one `kept`
// names or the one that the variable `other` asks for (either may be null).
// Nothing is created or written.
void refuse_same_file(const char *variable, const char *kept, const char *other);

// The file that `variable` names, created or emptied, with `header` written
// as its first row, or, when `append`, opened to append to what it holds;
// nothing when the variable is unset or empty. A file that cannot be created
// or written ends the process with "Cannot create PATH: REASON" or "Cannot
// write PATH: REASON", and one that is the file of `kept` or `other`
// (refuse_same_file), which emptying it would destroy or writing into it
// mingle, with its message.
requested_file open_requested(const char *variable, const std::string &header, bool append,
                              const char *kept, const char *other);

// Appends a comma and the shortest decimal form of v that reads back as
// exactly v (9147, 0.045, 1e-05).
void add_number(std::string &row, double v);

// Appends a comma and n.
void add_count(std::string &row, long long n);

// Writes the row and a line end and flushes them; ends the process with
// "Cannot write PATH: REASON" when they cannot be written.
void write_row(requested_file &out, const std::string &row);

// Closes the file (if any) and forgets it; a failure ends the process as
// write_row does.
void close_requested(requested_file *out);
