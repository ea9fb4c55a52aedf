// One execution of a program's real entry on fuzz input, in a scratch folder,
// and the properties that every execution must have.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>

// The program's main, compiled into the target under this name.
int entry_main(int argc, char **argv);

struct execution {
    int status = 0;        // what main returned, or 1 after a refusal
    bool refused = false;  // fail was called; its line is refusal_message
    bool skipped = false;  // accepted, but over the size cap: not run
    std::string out;       // all of standard output
    bool logged = false;   // analiza.txt exists afterwards
    std::string log;       // its content
};

// Writes the bytes to the file `name` in the scratch folder.
void write_scratch(const char *name, const std::uint8_t *data, std::size_t size);

// Runs entry_main in the scratch folder, where analiza.txt is removed first,
// with the arguments given (the program name first) and standard input read
// from the scratch file `input` (nullptr: empty). Checks what every
// execution must show: status 0 or 1; status 1 exactly when fail was called,
// and then with a message of one non-empty line; no file left open. The store
// is released afterwards.
execution run_entry(std::initializer_list<const char *> args, const char *input);

// Same input, same bytes: a second execution ends as the first did, with the
// same output and the same log.
void require_repeatable(const execution &first, const execution &again);

// Reports the property and the execution and aborts (the fuzzer records the
// input) unless `holds`.
void require(bool holds, const char *property, const execution &e);

// True when text ends with end.
bool ends_with(const std::string &text, const std::string &end);

// The number of lines of text that begin with prefix.
int lines_starting(const std::string &text, const std::string &prefix);
