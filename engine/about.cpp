#include "about.h"

#include <cstdio>
#include <cstring>

#include "manual_page.h"
#include "output.h"

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
