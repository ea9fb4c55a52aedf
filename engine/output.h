// Standard output. What the programs print once their input is read goes
// through print(), which keeps a copy while a checkpoint is kept (the output
// before a stop is written again when the execution goes on). Output that
// cannot be written is a failure, never a success.
#pragma once

#include <string>

// printf to standard output.
void print(const char *format, ...) __attribute__((format(printf, 1, 2)));

// Flushes standard output; ends the process with a message when it cannot be
// written.
void flush_output();

// What print() has written since keep_printed(true), and the switch.
void keep_printed(bool keep);
std::string &printed();

// The closing prompt of tarnox and sakora; tarsel's has two dots and a line
// end.
extern const char closing_prompt_three_dots[];

// The end of every execution: prints the prompt, ends the checkpoint, and
// waits for one entry, whatever it is.
void finish(const char *prompt);
