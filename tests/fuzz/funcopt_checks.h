// What an execution of an optimiser that was accepted and run must show.
#pragma once

#include "execution.h"

// Ten report lines, the closing prompt last, and one log line (two blanks,
// then the point and its value) per generation of the ten runs.
void require_complete_optimiser_run(const execution &e);
