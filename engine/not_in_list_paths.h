// The two vector paths of not_in_list on x86-64, named so that tests can
// check both on one machine. not_in_list takes the wider one where the
// processor has it.
#pragma once

#if defined(__x86_64__)
bool not_in_list_four(const int *list, int key, int count);   // SSE2, any x86-64
bool not_in_list_eight(const int *list, int key, int count);  // AVX2 only
bool cpu_has_avx2();
#endif
