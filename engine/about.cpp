#include "about.h"

#include <cstdio>
#include <cstring>

#include "output.h"

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
        std::printf("\nThe manual page tells more: man %s\n", name);
    } else {
        return false;
    }
    flush_output();
    return true;
}
