// One run of the evolution.
#pragma once

// A fresh population, numiter generations of selection, breeding and
// mutation, then the program's report.
void evolve();
