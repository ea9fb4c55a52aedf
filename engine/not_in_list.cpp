// The membership test on an index list. It is the innermost loop of the
// elimination roulette, which tests every index against the entries drawn so
// far in every spin, so it compares whole vectors of entries, with an exit
// after each block. It reads nothing beyond the first count entries and gives
// the answer of a plain scan. x86-64 machines with AVX2 compare eight entries
// at once, every other x86-64 machine four (SSE2).
#include "not_in_list_paths.h"
#include "population.h"

#if defined(__x86_64__)
#include <immintrin.h>

// Both scans go block by block and end with one block that stops exactly at
// the count, overlapping entries already seen, so that no entry past the
// count is read and no entry is left to a slower loop.

bool not_in_list_four(const int *list, int key, int count)
{
    const __m128i keys = _mm_set1_epi32(key);
    auto hits = [&](int at) {
        return _mm_cmpeq_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i *>(list + at)), keys);
    };
    auto block_holds = [&](int at) {
        __m128i any = _mm_or_si128(_mm_or_si128(hits(at), hits(at + 4)),
                                   _mm_or_si128(hits(at + 8), hits(at + 12)));
        return _mm_movemask_epi8(any) != 0;
    };
    if (count >= 16) {
        for (int i = 0; i + 16 < count; i += 16)
            if (block_holds(i))
                return false;
        return !block_holds(count - 16);
    }
    if (count >= 4) {
        for (int i = 0; i + 4 < count; i += 4)
            if (_mm_movemask_epi8(hits(i)) != 0)
                return false;
        return _mm_movemask_epi8(hits(count - 4)) == 0;
    }
    for (int i = 0; i < count; i++)
        if (list[i] == key)
            return false;
    return true;
}

__attribute__((target("avx2"))) bool not_in_list_eight(const int *list, int key, int count)
{
    const __m256i keys = _mm256_set1_epi32(key);
    auto hits = [&](int at) __attribute__((target("avx2"))) {
        return _mm256_cmpeq_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i *>(list + at)),
                                  keys);
    };
    auto block_holds = [&](int at) __attribute__((target("avx2"))) {
        __m256i any = _mm256_or_si256(_mm256_or_si256(hits(at), hits(at + 8)),
                                      _mm256_or_si256(hits(at + 16), hits(at + 24)));
        return _mm256_testz_si256(any, any) == 0;
    };
    auto vector_holds = [&](int at) __attribute__((target("avx2"))) {
        __m256i any = hits(at);
        return _mm256_testz_si256(any, any) == 0;
    };
    if (count >= 32) {
        for (int i = 0; i + 32 < count; i += 32)
            if (block_holds(i))
                return false;
        return !block_holds(count - 32);
    }
    if (count >= 8) {
        for (int i = 0; i + 8 < count; i += 8)
            if (vector_holds(i))
                return false;
        return !vector_holds(count - 8);
    }
    for (int i = 0; i < count; i++)
        if (list[i] == key)
            return false;
    return true;
}

bool cpu_has_avx2()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
}

static const bool has_avx2 = cpu_has_avx2();

bool not_in_list(const int *list, int key, int count)
{
    return has_avx2 ? not_in_list_eight(list, key, count) : not_in_list_four(list, key, count);
}

#else

bool not_in_list(const int *list, int key, int count)
{
    for (int i = 0; i < count; i++)
        if (list[i] == key)
            return false;
    return true;
}

#endif
