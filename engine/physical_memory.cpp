#include "physical_memory.h"

#include <climits>

#if __has_include(<unistd.h>)
#include <unistd.h>
#endif

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
