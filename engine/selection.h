// Evaluation and elimination selection: the first step of every generation.
#pragma once

// Evaluates every chromosome, finds `best`, records the generation through the
// front end's log, chooses M chromosomes by the elimination roulette (into
// elim, in draw order) and lists the others in surv, ascending.
void evaluate_and_select();
