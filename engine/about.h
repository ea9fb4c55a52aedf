// What a program answers instead of running: its help and its version.
#pragma once

// When the only argument is --help or -h, prints two usage lines (NAME
// SYNOPSIS, and NAME with these three options), `help` and a pointer to the
// manual page; when it is --version, prints the name and the version. Returns
// true when it printed either, false otherwise: any other argument, also
// ./--help, is the program's input file. Standard output that cannot be
// written ends the process with a message.
bool answer_about(int argc, char **argv, const char *name, const char *synopsis,
                  const char *help);
