// Fuzz target: sakora's problem file, through its real entry (reading, limits
// and, when small enough, all `runs` runs). The weights, the profits and the
// copy of the best packing, which the program never frees, are released after
// every input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "evaluation.h"
#include "execution.h"
#include "population.h"
#include "problem.h"
#include "size_cap.h"

int planned_runs()
{
    return runs;
}

// One execution on the input file; what the front end allocated is released.
static execution run_sakora()
{
    execution e = run_entry({"sakora", "input"}, nullptr);
    std::free(weights);
    std::free(profits);
    std::free(best_packing);
    weights = nullptr;
    profits = nullptr;
    best_packing = nullptr;
    return e;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    write_scratch("input", data, size);
    execution e = run_sakora();

    require(!e.logged, "sakora writes no log", e);
    if (e.refused) {
        require(e.out.empty(), "a refused problem file prints nothing", e);
        return 0;
    }
    std::string announced = "Procitao prvi dio i N " + std::to_string(N) + "\n";
    if (e.skipped) {
        require(e.out == announced, "only the announcement before the store is allocated", e);
        return 0;
    }
    require(e.out.compare(0, announced.size(), announced) == 0,
            "an accepted problem is announced first", e);
    require(lines_starting(e.out, "Najbolja jedinka:") == runs, "one report line per run", e);
    require(lines_starting(e.out, "Prosjek profita: ") == 1, "one average line", e);
    require(ends_with(e.out, "\nUcitajte neki znak za kraj..."), "the closing prompt comes last", e);
    require_repeatable(e, run_sakora());
    return 0;
}
