// The runs of the evolution.
#pragma once

// One run from where current_generation stands: a fresh population unless
// the run is part way (it went on from a checkpoint), then the generations up
// to numiter of selection, breeding and mutation, then the program's report.
void evolve();

// The runs from current_run up to `runs`, one evolve each; then the closing
// of the checkpoint and the statistics.
void evolve_runs(int runs);
