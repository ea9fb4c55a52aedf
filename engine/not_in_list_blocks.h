// not_in_list for every key of a range at once, in blocks of 64 consecutive
// keys: bit k of masks[b] is set when key first + 64 b + k (below end) is
// absent from the first count entries of list, and bits at or beyond end are
// clear. It gives the answers of not_in_list, reads only its arguments and
// only those entries, and makes one pass over them.
#pragma once

#include <cstdint>

// The keys one call of the roulette decides at a time: masks for them fit in
// a small array on the stack.
constexpr int KEYS_AT_ONCE = 32768;

// The end of the range of at most KEYS_AT_ONCE keys that starts at first,
// among the keys below size.
inline int range_end(int first, int size)
{
    return size - first <= KEYS_AT_ONCE ? size : first + KEYS_AT_ONCE;
}

// The number of blocks of 64 that cover [first, end).
inline int blocks(int first, int end)
{
    return (end - first + 63) / 64;
}

// Every entry lies in [0, bound) (the roulette's are indices of the
// population); a range that holds all of them, first 0 and end at least
// bound, needs no test of where an entry falls. masks has blocks(first, end)
// words.
void not_in_list_blocks(const int *list, int count, int bound, int first, int end,
                        std::uint64_t *masks);
