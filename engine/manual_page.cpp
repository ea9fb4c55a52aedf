#include "manual_page.h"

#include <cstdio>
#include <cstring>

#if __has_include(<unistd.h>)
#include <unistd.h>
#endif

// The folder above the one of the running executable (/usr for /usr/bin/tarsel),
// without a slash at the end; false where the platform does not tell it.
static bool executable_prefix(char *prefix, std::size_t size)
{
#if defined(__linux__)
    ssize_t length = readlink("/proc/self/exe", prefix, size - 1);
    if (length <= 0 || static_cast<std::size_t>(length) >= size - 1)
        return false;
    prefix[length] = '\0';
    for (int part = 0; part < 2; part++) {
        char *slash = std::strrchr(prefix, '/');
        if (slash == nullptr)
            return false;
        *slash = '\0';
    }
    return true;
#else
    (void)prefix;
    (void)size;
    return false;
#endif
}

bool manual_page(const char *name, char *path, std::size_t size)
{
    char prefix[4096];
    if (!executable_prefix(prefix, sizeof prefix))
        return false;
    static const char *const suffixes[] = {".1", ".1.gz"};
    for (const char *suffix : suffixes) {
        int length = std::snprintf(path, size, "%s/share/man/man1/%s%s", prefix, name, suffix);
        if (length < 0 || static_cast<std::size_t>(length) >= size)
            return false;
        if (std::FILE *page = std::fopen(path, "r")) {
            std::fclose(page);
            return true;
        }
    }
    return false;
}
