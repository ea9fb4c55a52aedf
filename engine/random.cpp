#include "random.h"

#include <cstdint>

static_assert(sizeof(int) == 4, "the generator state is a 32-bit integer");

int seed;

// seed <- seed * 69069 modulo 2^32, read back as a signed value. The product is
// taken in unsigned arithmetic, where wrapping is defined.
static void step()
{
    seed = static_cast<int>(static_cast<std::uint32_t>(seed) * 69069u);
}

// |seed| without overflow. The state always leaves the remainder 1 when divided
// by 4, so it is never -2^31 and the result lies in [1, 2^31 - 1].
static std::uint32_t magnitude()
{
    std::uint32_t s = static_cast<std::uint32_t>(seed);
    return seed < 0 ? 0u - s : s;
}

double rand01()
{
    step();
    return static_cast<double>(magnitude()) / 2147483647.0;
}

int randint(int n)
{
    step();
    // Halve first, then take the remainder: the draw uses the bits above the
    // lowest one.
    int h = static_cast<int>(magnitude() / 2);
    return h % n;
}
