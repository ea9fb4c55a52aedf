#include "physical_memory.h"

#include <climits>

#if __has_include(<unistd.h>)
#include <unistd.h>
#endif

unsigned long long physical_memory()
{
#if defined(_SC_PHYS_PAGES) && defined(_SC_PAGE_SIZE)
    long pages = sysconf(_SC_PHYS_PAGES);
    long page_size = sysconf(_SC_PAGE_SIZE);
    if (pages > 0 && page_size > 0)
        return static_cast<unsigned long long>(pages) * static_cast<unsigned long long>(page_size);
#endif
    return ULLONG_MAX;
}
