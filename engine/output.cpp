#include "output.h"

#include <cstdarg>
#include <cstdio>

#include "checkpoint.h"
#include "host.h"

static bool keeping;
static std::string kept;

void print(const char *format, ...)
{
    char line[512];
    std::va_list args;
    va_start(args, format);
    int length = std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    if (length < 0)
        fail("Cannot write to standard output");
    std::string longer;
    const char *text = line;
    if (length >= static_cast<int>(sizeof line)) {
        // A number of hundreds of digits.
        longer.resize(static_cast<std::size_t>(length) + 1);
        va_start(args, format);
        std::vsnprintf(longer.data(), longer.size(), format, args);
        va_end(args);
        text = longer.data();
    }
    std::fwrite(text, 1, static_cast<std::size_t>(length), stdout);
    if (keeping)
        kept.append(text, static_cast<std::size_t>(length));
}

void flush_output()
{
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        fail("Cannot write to standard output");
}

void keep_printed(bool keep)
{
    keeping = keep;
}

std::string &printed()
{
    return kept;
}

const char closing_prompt_three_dots[] = "Ucitajte neki znak za kraj...";

void finish(const char *prompt)
{
    std::fputs(prompt, stdout);
    flush_output();
    close_checkpoint();
    int o;
    if (std::scanf("%d", &o) != 1) {
        // Whatever the closing read yields, the execution is complete.
    }
}
