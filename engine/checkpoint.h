// A long run that survives a stop. With GENETIC_CHECKPOINT=FILE in the
// environment the program keeps in FILE all that the rest of its execution
// depends on (the state that population.h lists, the output so far, and the
// lengths of the files it writes), at the end of a generation every
// GENETIC_CHECKPOINT_SECONDS (default 60; 0 after every generation) and when
// SIGINT, SIGTERM or SIGHUP asks it to stop. Started again with FILE there, it
// goes on from FILE to the same bytes that the execution would have given
// without the stop. Unset or empty, the variable changes nothing.
#pragma once

#include <cstddef>
#include <cstdint>

#include "digest.h"

// The bytes written into a file that a checkpoint records: how many, and
// their digest.
struct written_bytes {
    unsigned long long length = 0;
    std::uint64_t digest = DIGEST_START;
};

// Adds bytes just written to a file, while a checkpoint is kept.
void add_written(written_bytes &written, const void *data, std::size_t size);

// The line just appended to the front end's log (front_end.h).
void log_appended(const char *text, std::size_t size);

// Called by start_engine before any file is touched. With FILE there: reads
// it and checks that it is whole and of this program, version, input and
// statistics files, and that the log and the statistics files still begin
// with the bytes it recorded; then cuts them back to their lengths at the
// checkpoint. Any problem ends the process with one line. True when the
// execution goes on from FILE.
bool open_checkpoint();

// Called by start_engine once the store is allocated: going on, puts back the
// state that FILE holds and writes again the output before the stop; starting
// afresh with FILE asked for, writes the first one. True when nothing has
// been printed yet, so that the front end prints its parameter block.
bool start_checkpoint(bool resumed);

// At the end of every generation and of every run: writes FILE when it is
// due, and when a signal asked for a stop, which then ends the process with
// status 128 + the signal's number.
void keep_checkpoint();

// After the execution's last output: FILE is removed, and a signal ends the
// process as it would without a checkpoint.
void close_checkpoint();

// The encoding of a checkpoint, for the parts of the state that are kept
// beside the store (the statistics' running figures, the front end's report):
// what is put is taken back in the same order.
void put_number(double value);
void put_count(long long value);
void put_bits(const unsigned char *bits, int n);  // n bytes of 0 or 1
double take_number();
long long take_count();
void take_bits(unsigned char *bits, int n);
