#include "output.h"

#include <cstdio>

#include "fail.h"

void flush_output()
{
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        fail("Cannot write to standard output");
}
