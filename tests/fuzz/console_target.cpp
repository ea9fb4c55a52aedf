// Fuzz target: the optimisers' console input, through tarnox's real entry:
// the bytes are standard input, for the seven prompts and the closing read.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "execution.h"
#include "funcopt_checks.h"
#include "refusal.h"

// Prompts written: each is "\nUpisite ... \n".
static int prompts(const std::string &out)
{
    int count = 0;
    for (std::size_t at = out.find("\nUpisite "); at != std::string::npos;
         at = out.find("\nUpisite ", at + 1))
        count++;
    return count;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    write_scratch("input", data, size);
    execution e = run_entry({"tarnox"}, "input");
    int value = 0;
    if (e.refused && std::sscanf(refusal_message.c_str(), "value %d (", &value) == 1) {
        // A value missing or malformed: its prompt is the last output.
        require(prompts(e.out) == value && ends_with(e.out, " \n"),
                "a refused value ends the output right after its prompt", e);
    } else {
        require(prompts(e.out) == 7, "all seven prompts once the values are read", e);
        if (e.refused || e.skipped)
            require(ends_with(e.out, " \n\n"),
                    "only the prompts and a line end before the store is allocated", e);
    }
    if (e.refused || e.skipped) {
        require(!e.logged, "no log before the runs", e);
    } else {
        require_complete_optimiser_run(e);
        require_repeatable(e, run_entry({"tarnox"}, "input"));
    }
    return 0;
}
