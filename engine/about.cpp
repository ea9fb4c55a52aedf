#include "about.h"

#include <cstdio>
#include <cstring>

#include "output.h"

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

// Writes into `path` (of `size` bytes) the file of the manual page of `name`
// that lies beside the running executable: a build and an installation both
// put the pages into share/man/man1 beside the folder of the programs (bin),
// as NAME.1 or compressed as NAME.1.gz. False where the platform does not
// tell the executable's path, or no such file is there.
static bool manual_page(const char *name, char *path, std::size_t size)
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

// True for a page in a folder where the system's manual looks by itself.
static bool on_system_path(const char *page)
{
    return std::strncmp(page, "/usr/share/man/", 15) == 0 ||
           std::strncmp(page, "/usr/local/share/man/", 21) == 0;
}

// The last line of the help: how to read the manual page from where the user
// stands. Where the system's manual finds the page by name, the name is
// enough; elsewhere (a build, an installation in a folder of one's own) the
// file is named.
static void print_manual_pointer(const char *name)
{
    char page[4200];
    if (manual_page(name, page, sizeof page) && !on_system_path(page))
        std::printf("\nThe manual page tells more: man -l %s\n", page);
    else
        std::printf("\nThe manual page tells more: man %s\n", name);
}

bool answer_about(int argc, char **argv, const char *name, const char *synopsis,
                  const char *help)
{
    if (argc != 2)
        return false;
    if (std::strcmp(argv[1], "--version") == 0) {
        std::printf("%s %s\n", name, PROGRAM_VERSION);
    } else if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::printf("Usage: %s %s\n       %s --help | -h | --version\n\n", name, synopsis, name);
        std::fputs(help, stdout);
        print_manual_pointer(name);
    } else {
        return false;
    }
    flush_output();
    return true;
}
