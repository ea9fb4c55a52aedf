// Where the manual page of the running program lies.
#pragma once

#include <cstddef>

// Writes into `path` (of `size` bytes) the file of the manual page of `name`
// that lies beside the running executable: a build and an installation both
// put the pages into share/man/man1 beside the folder of the programs
// (bin), as
// NAME.1 or compressed as NAME.1.gz. Returns false where the platform does
// not tell the executable's path, or no such file is there.
bool manual_page(const char *name, char *path, std::size_t size);
