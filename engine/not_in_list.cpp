// The membership test on an index list, for one key and for a whole range of
// consecutive keys. The range form serves the elimination roulette, which
// asks about every index in every spin: one linear pass over the entries
// clears the bit of each entry's key, so every key is still decided by a scan
// of the entries, and nothing outlives the call.
#include "not_in_list_blocks.h"

#include <bit>

#include "population.h"

bool not_in_list(const int *list, int key, int count)
{
    for (int i = 0; i < count; i++)
        if (list[i] == key)
            return false;
    return true;
}

void not_in_list_blocks(const int *list, int count, int bound, int first, int end,
                        std::uint64_t *masks)
{
    int full = (end - first) / 64;
    for (int b = 0; b < full; b++)
        masks[b] = ~std::uint64_t{0};
    if (full < blocks(first, end))
        masks[full] = (std::uint64_t{1} << (end - first) % 64) - 1;
    if (first == 0 && bound <= end) {
        // Every entry is a key of the range.
        for (int i = 0; i < count; i++) {
            unsigned key = static_cast<unsigned>(list[i]);
            masks[key / 64] &= std::rotl(~std::uint64_t{1}, static_cast<int>(key % 64));
        }
        return;
    }
    // Entries outside the range, whatever their value, wrap to offsets beyond
    // it: the difference is taken in unsigned arithmetic.
    unsigned width = static_cast<unsigned>(end - first);
    for (int i = 0; i < count; i++) {
        unsigned offset = static_cast<unsigned>(list[i]) - static_cast<unsigned>(first);
        if (offset < width)
            masks[offset / 64] &= std::rotl(~std::uint64_t{1}, static_cast<int>(offset % 64));
    }
}
