#include "host.h"

#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#if __has_include(<unistd.h>)
#include <unistd.h>
#endif

void fail(const char *format, ...)
{
    std::va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
    std::fputc('\n', stderr);
    std::exit(1);
}

unsigned long long physical_memory()
{
#if defined(_SC_PHYS_PAGES) && defined(_SC_PAGE_SIZE)
    // The page size is always known; the count of pages is -1 where unknown.
    long pages = sysconf(_SC_PHYS_PAGES);
    if (pages > 0)
        return static_cast<unsigned long long>(pages) *
               static_cast<unsigned long long>(sysconf(_SC_PAGE_SIZE));
#endif
    return ULLONG_MAX;
}
