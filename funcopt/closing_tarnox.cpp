#include "params.h"

const char closing_prompt[] = "Ucitajte neki znak za kraj...";
