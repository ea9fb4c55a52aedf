// What is tarnox's own among the optimisers' texts: its name and its closing
// prompt.
#include "front_end.h"
#include "output.h"
#include "params.h"

const char program_name[] = "tarnox";
const char *const closing_prompt = closing_prompt_three_dots;
