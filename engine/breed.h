// The breeding step. The engine has one variant per program, each in a file of
// its own; a program links exactly one of them.
#pragma once

// Refills every slot named by elim with offspring of survivors.
void breed();

// Allocates the scratch that the variant's crossover needs (called by alloc_pop).
void alloc_crossover();

// Ends the process with a message when N, M and VEL_POP do not suit the
// variant (called by the entry once M is a count).
void check_breed_limits();
