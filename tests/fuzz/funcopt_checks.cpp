#include "funcopt_checks.h"

#include <algorithm>

#include "params.h"
#include "population.h"

void require_complete_optimiser_run(const execution &e)
{
    require(lines_starting(e.out, "Najbolja jedinka ") == 10, "one report line per run", e);
    require(ends_with(e.out, closing_prompt), "the closing prompt comes last", e);
    long generations = 10L * std::max(numiter, 0);
    require(std::count(e.log.begin(), e.log.end(), '\n') == generations &&
                lines_starting(e.log, "  ") == generations,
            "one log line per generation", e);
    require(e.logged == (generations > 0), "a log exactly when a generation ran", e);
}
