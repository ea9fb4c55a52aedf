// What is tarsel's own among the optimisers' texts: its name and its closing
// prompt.
#include "front_end.h"
#include "params.h"

const char program_name[] = "tarsel";
const char *const closing_prompt = "Ucitajte neki znak za kraj..\n";
