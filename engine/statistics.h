// The statistics of every generation, written only when the environment asks
// for them: GENETIC_STATS names a CSV file with one row per generation (the
// spread of the values and of the bits), GENETIC_BITS one with the count of
// ones at every bit position. Neither draws a random number nor changes the
// store, so the programs print the same bytes with them or without them.
#pragma once

// Creates (or empties) the files asked for, an unset or empty variable asking
// for none, and writes their header rows. A file that cannot be created or
// written ends the process with a message naming it and the reason. Called by
// the entry once the parameters are read and checked, before any output of
// the run.
void open_statistics();

// Writes the rows of the generation just evaluated, as it was evaluated:
// called by evaluate_and_select once `best` is found, before anything is
// eliminated. When nothing is asked for it costs one test.
void record_statistics();

// Closes the files after the last run; a failure ends the process with a
// message. Calling it again does nothing.
void close_statistics();
