// The parameters of the function optimisers and how they are read and shown.
#pragma once

extern double dg;  // lower bound of the interval
extern double gg;  // upper bound of the interval
extern int p;      // decimals that the coding must resolve

// The seven parameters from the console prompts, or from a parameter file;
// a value that is missing or does not convert ends the process.
void read_params_console();
void read_params_file(const char *path);

// The parameter block on standard output.
void print_params();

// The program's name and closing prompt; tarsel and tarnox each link their own.
extern const char program_name[];
extern const char closing_prompt[];

// The text of --help, after its two usage lines.
extern const char help_text[];
