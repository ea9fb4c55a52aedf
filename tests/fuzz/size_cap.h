// Fuzz inputs that the programs accept may ask for hours of evolution; a target
// runs only those below a cap on the work, and skips the others right where
// the store would be allocated (all start-up checks passed by then).
#pragma once

// Thrown instead of allocating the store when the execution would be too large.
struct too_large {};

// The runs of one execution: the target's program supplies it (ten in the
// optimisers, `runs` in the knapsack solver).
int planned_runs();
