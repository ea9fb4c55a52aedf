// What is tarnox's own among the optimisers' texts: its name and its closing
// prompt.
#include "params.h"

const char program_name[] = "tarnox";
const char closing_prompt[] = "Ucitajte neki znak za kraj...";
