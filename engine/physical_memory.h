// The machine's physical memory, where the platform tells it.
#pragma once

// Bytes of physical memory, or 0 where the platform does not tell.
unsigned long long physical_memory();
