// The breeding step and its crossover. The engine has one breeding variant
// per program and two crossovers, each in a file of its own; a program links
// the one of each that it uses.
#pragma once

// Refills every slot named by elim with offspring of survivors.
void breed();

// Ends the process with a message when `eliminated` chromosomes of VEL_POP
// leave too few survivors for the variant (called with each count checked).
void check_breed_limits(int eliminated);

// What the crossover needs: the scratch it works in (allocated with the
// store), and the length of chromosome it can cut (a message ends the
// process when N is too short).
void alloc_crossover();
void check_crossover_limits();
