// Every path of the runs of draws against the plain loops of rand01 and
// randint, at the edges of their tests: |state| by 2^30 and 2^31, and
// |state| / 2 by the multiples of 1000 and by 1000 q + p, with each edge
// state drawn in every lane and in the tail of a run.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "draw_bits.h"
#include "draws_ahead.h"
#include "random.h"

struct draw_path {
    void (*halves)(unsigned char *, int);
    void (*flips)(unsigned char *const *, int, int, int, std::uint32_t);
};

TEST(Draws, EveryPathDrawsWhatThePlainLoopsDraw)
{
    std::vector<draw_path> paths = {{draw_halves, draw_flips},
                                    {draw_halves_portable, draw_flips_portable}};
#if defined(__x86_64__)
    if (cpu_has_avx2())
        paths.push_back({draw_halves_avx2, draw_flips_avx2});
#endif
    std::vector<long long> magnitudes = {1, 2, 3, (1 << 30) - 2, (1 << 30) - 1, 1 << 30,
                                         (1 << 30) + 1, 2147483646, 2147483647};
    for (long long q : {0, 1, 1073740, 1073741})
        for (long long c : {0, 1, 2, 10, 11, 999, 1000})
            for (long long low : {0, 1})  // the bit that the halving drops
                if (2 * (1000 * q + c) + low <= 2147483647)
                    magnitudes.push_back(2 * (1000 * q + c) + low);
    const std::uint32_t back = 2783094533u;  // 69069 x back = 1 modulo 2^32
    for (const draw_path &path : paths)
        for (long long a : magnitudes)
            for (long long state : {a, -a})
                for (int lane = 0; lane < 17; lane++) {
                    // The seed from which draw number `lane` has this state.
                    std::uint32_t start = static_cast<std::uint32_t>(state);
                    for (int k = 0; k <= lane; k++)
                        start *= back;
                    for (int n : {lane + 1, 40}) {
                        std::vector<unsigned char> want(n), got(n);
                        seed = static_cast<int>(start);
                        for (int k = 0; k < n; k++)
                            want[k] = rand01() > 0.5 ? 1 : 0;
                        int after = seed;
                        seed = static_cast<int>(start);
                        path.halves(got.data(), n);
                        ASSERT_EQ(got, want) << state << " " << lane << " " << n;
                        ASSERT_EQ(seed, after);
                    }
                    // Rows of n bytes, all but one of them flipped in one run.
                    struct { int n, count, skip; } shapes[] = {
                        {lane + 1, 1, -1}, {40, 1, -1}, {5, 3, 1}, {17, 3, 0}, {1, 20, 19}};
                    for (auto &shape : shapes)
                        for (double p : {0.0, 1.0, 1.5, 10.0, 999.5, 1000.0, -1.0}) {
                            std::vector<std::vector<unsigned char>> want, got;
                            for (int r = 0; r < shape.count; r++) {
                                want.emplace_back(shape.n);
                                for (int k = 0; k < shape.n; k++)
                                    want[r][k] = (r + k) % 3 == 0;
                            }
                            got = want;
                            seed = static_cast<int>(start);
                            for (int r = 0; r < shape.count; r++)
                                for (int k = 0; r != shape.skip && k < shape.n; k++)
                                    if (static_cast<double>(randint(1000)) < p)
                                        want[r][k] = 1 - want[r][k];
                            int after = seed;
                            std::vector<unsigned char *> rows;
                            for (auto &row : got)
                                rows.push_back(row.data());
                            seed = static_cast<int>(start);
                            path.flips(rows.data(), shape.count, shape.skip, shape.n,
                                       per_mille_below(p));
                            ASSERT_EQ(got, want) << state << " " << lane << " " << shape.n
                                                 << " " << shape.count << " " << p;
                            ASSERT_EQ(seed, after);
                        }
                }
}
