// The floor of the elimination roulette of tarsel and tarnox: as many
// dependent double additions, one chain, as the running sums of a parameter
// file's ten runs need, and nothing else. Every spin i (0 <= i < M) of every
// generation adds the deficits of the VEL_POP - i chromosomes still in the
// draw, in index order, and each sum waits for the one before it, so no
// implementation of the roulette can be faster than this loop.
//
//   addition_floor PARAMETER-FILE      (for instance bench/workloads/funcopt_large.txt)
//
// The addends come from the file's values, unknown when this is compiled, and
// the sum is printed, so the compiler can neither fold nor drop the chain; the
// build forbids reassociation (no -ffast-math), so it cannot split it either.
#include <cstdio>
#include <vector>

int main(int argc, char **argv)
{
    double dg, gg, mutation;
    int p, size, numiter, percent;
    std::FILE *in = argc == 2 ? std::fopen(argv[1], "r") : nullptr;
    if (in == nullptr || std::fscanf(in, "%lf %lf %d %d %d %d %lf", &dg, &gg, &p, &size,
                                     &numiter, &percent, &mutation) != 7) {
        std::fprintf(stderr, "usage: addition_floor PARAMETER-FILE (seven values)\n");
        return 1;
    }
    std::fclose(in);
    int m = static_cast<int>(static_cast<long long>(percent) * size / 100);
    // Deficits of the size of the workload's: multiples of a quarter of the
    // interval, so that the sum stays a modest number.
    std::vector<double> deficit(size);
    for (int j = 0; j < size; j++)
        deficit[j] = (j % 7) * 0.25 * (gg - dg);
    double sum = 0.0;
    long long additions = 0;
    for (int run = 0; run < 10; run++)
        for (int generation = 0; generation < numiter; generation++)
            for (int i = 0; i < m; i++) {
                for (int j = 0; j < size - i; j++)
                    sum = sum + deficit[j];
                additions += size - i;
            }
    std::printf("%lld dependent additions, sum %.17g\n", additions, sum);
    return 0;
}
