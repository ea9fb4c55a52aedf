// The parameters of the function optimisers: how they are read, checked and
// shown.
#pragma once

extern double dg;  // lower bound of the interval
extern double gg;  // upper bound of the interval
extern int p;      // decimals that the coding must resolve

// The seven parameters from the console prompts, or from a parameter file;
// a value that is missing or does not convert ends the process. At the
// console each answer is checked as soon as what it needs is known, so that
// a value out of bounds is refused before the next question.
void read_params_console();
void read_params_file(const char *path);

// Derives N and ends the process with a message when the parameters (M
// still a percentage) do not allow a sound run; the engine's own limits are
// checked by start_engine.
void check_params();

// The parameter block on standard output.
void print_params();

// The program's closing prompt; tarsel and tarnox each link their own.
extern const char *const closing_prompt;
