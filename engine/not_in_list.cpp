// The membership test on an index list, for one key and for blocks of 64
// consecutive keys. The block form serves the elimination roulette, which
// asks about every index in every spin: one linear pass over the entries
// compares each entry with all 64 keys of a block at once, so every key is
// still decided by a scan of the entries, and nothing outlives the call.
#include "not_in_list_blocks.h"

#include "population.h"

bool not_in_list(const int *list, int key, int count)
{
    for (int i = 0; i < count; i++)
        if (list[i] == key)
            return false;
    return true;
}

// The keys of [first, end) that lie in the block starting at block_first, as
// bits.
static std::uint64_t in_block(int block_first, int end)
{
    int width = end - block_first;
    return width >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << width) - 1;
}

// Vectors of 16 bytes in the compilers' own notation, which every target
// lowers to its vector instructions.
typedef unsigned char bytes16 __attribute__((vector_size(16)));

void not_in_list_blocks_portable(const int *list, int count, int first, int end,
                                 std::uint64_t *masks)
{
    const bytes16 k0 = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
    const bytes16 k1 = k0 + 16, k2 = k0 + 32, k3 = k0 + 48;
    for (int n = 0; n < blocks(first, end); n++) {
        int b = first + 64 * n;
        // Entry e equals key b + k exactly when e - b is k: byte lanes hold
        // k, and a difference outside the block becomes 255, which no k is.
        bytes16 h0 = {}, h1 = {}, h2 = {}, h3 = {};
        for (int i = 0; i < count; i++) {
            unsigned offset = static_cast<unsigned>(list[i]) - static_cast<unsigned>(b);
            unsigned char k = offset < 64 ? static_cast<unsigned char>(offset) : 255;
            bytes16 e = bytes16{} + k;
            h0 |= (bytes16)(k0 == e);
            h1 |= (bytes16)(k1 == e);
            h2 |= (bytes16)(k2 == e);
            h3 |= (bytes16)(k3 == e);
        }
        std::uint64_t found = 0;
        for (int k = 0; k < 16; k++)
            found |= static_cast<std::uint64_t>(h0[k] & 1) << k |
                     static_cast<std::uint64_t>(h1[k] & 1) << (k + 16) |
                     static_cast<std::uint64_t>(h2[k] & 1) << (k + 32) |
                     static_cast<std::uint64_t>(h3[k] & 1) << (k + 48);
        masks[n] = ~found & in_block(b, end);
    }
}

#if defined(__x86_64__)
#include <immintrin.h>

bool cpu_has_avx2()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
}

// Keys and entries as 16-bit lanes, four vectors of 16 keys per block.
__attribute__((target("avx2"))) void not_in_list_blocks_avx2(const int *list, int count,
                                                             int first, int end,
                                                             std::uint64_t *masks)
{
    const __m256i step = _mm256_setr_epi16(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
    const __m256i sixteen = _mm256_set1_epi16(16);
    for (int n = 0; n < blocks(first, end); n++) {
        int b = first + 64 * n;
        __m256i k0 = _mm256_add_epi16(_mm256_set1_epi16(static_cast<short>(b)), step);
        __m256i k1 = _mm256_add_epi16(k0, sixteen);
        __m256i k2 = _mm256_add_epi16(k1, sixteen);
        __m256i k3 = _mm256_add_epi16(k2, sixteen);
        __m256i h0 = _mm256_setzero_si256(), h1 = h0, h2 = h0, h3 = h0;
        for (int i = 0; i < count; i++) {
            __m256i e = _mm256_set1_epi16(static_cast<short>(list[i]));
            h0 = _mm256_or_si256(h0, _mm256_cmpeq_epi16(k0, e));
            h1 = _mm256_or_si256(h1, _mm256_cmpeq_epi16(k1, e));
            h2 = _mm256_or_si256(h2, _mm256_cmpeq_epi16(k2, e));
            h3 = _mm256_or_si256(h3, _mm256_cmpeq_epi16(k3, e));
        }
        // Lanes of 0 or -1 packed to bytes; the pack interleaves the 128-bit
        // halves of its two sources, the permutation puts them back in order.
        __m256i low = _mm256_permute4x64_epi64(_mm256_packs_epi16(h0, h1), 0xd8);
        __m256i high = _mm256_permute4x64_epi64(_mm256_packs_epi16(h2, h3), 0xd8);
        std::uint64_t found = static_cast<std::uint32_t>(_mm256_movemask_epi8(low)) |
                              static_cast<std::uint64_t>(static_cast<std::uint32_t>(
                                  _mm256_movemask_epi8(high))) << 32;
        masks[n] = ~found & in_block(b, end);
    }
}

static const bool has_avx2 = cpu_has_avx2();

void not_in_list_blocks(const int *list, int count, int first, int end, std::uint64_t *masks)
{
    if (has_avx2 && VEL_POP <= 32768)
        not_in_list_blocks_avx2(list, count, first, end, masks);
    else
        not_in_list_blocks_portable(list, count, first, end, masks);
}

#else

void not_in_list_blocks(const int *list, int count, int first, int end, std::uint64_t *masks)
{
    not_in_list_blocks_portable(list, count, first, end, masks);
}

#endif
