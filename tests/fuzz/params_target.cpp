// Fuzz target: the optimisers' parameter file, through tarsel's real entry
// (reading, start-up checks and, when small enough, the ten runs).
#include <cstddef>
#include <cstdint>

#include "execution.h"
#include "funcopt_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    write_scratch("input", data, size);
    execution e = run_entry({"tarsel", "input"}, nullptr);
    if (e.refused || e.skipped) {
        require(e.out.empty(), "nothing is printed before the store is allocated", e);
        require(!e.logged, "no log before the runs", e);
    } else {
        require_complete_optimiser_run(e);
        require_repeatable(e, run_entry({"tarsel", "input"}, nullptr));
    }
    return 0;
}
