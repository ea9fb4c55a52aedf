// The machine's physical memory, where the platform tells it.
#pragma once

// Bytes of physical memory; where the platform does not tell, the largest
// value, which no size exceeds.
unsigned long long physical_memory();
