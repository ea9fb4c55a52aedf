// The statistics of every generation, written only when the environment asks
// for them: GENETIC_STATS names a CSV file with one row per generation (the
// spread of the values and of the bits), GENETIC_BITS one with the count of
// ones at every bit position. Neither draws a random number nor changes the
// store, so the programs print the same bytes with them or without them.
#pragma once

#include "requested_file.h"

// The files asked for (a null file when not).
extern requested_file stats_file;
extern requested_file bits_file;

// Ends the process with a message when the variables name the front end's
// log or one file twice; creates and writes nothing.
void check_statistics_files();

// Creates (or empties) the files asked for, an unset or empty variable asking
// for none, and writes their header rows; when the execution goes on from a
// checkpoint, opens them to append to the rows before it. A file that cannot
// be created or written ends the process with a message naming it and the
// reason. Called by start_engine, before any output of the run.
void open_statistics(bool resumed);

// Writes the rows of the generation just evaluated, as it was evaluated:
// called by evaluate_and_select once `best` is found, before anything is
// eliminated. When nothing is asked for it costs one test.
void record_statistics();

// The running figures of the run, into a checkpoint and back.
void save_statistics();
void restore_statistics();

// Closes the files after the last run; a failure ends the process with a
// message. Calling it again does nothing.
void close_statistics();
