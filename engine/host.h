// What a program asks of the process it runs in: a refusal that ends it, and
// the memory of the machine. A harness links its own (engine/CMakeLists.txt).
#pragma once

// Writes the message and a line end to standard error and ends the process
// with status 1.
[[noreturn]] void fail(const char *format, ...) __attribute__((format(printf, 1, 2)));

// Bytes of physical memory; where the platform does not tell, the largest
// value, which no size exceeds.
unsigned long long physical_memory();
