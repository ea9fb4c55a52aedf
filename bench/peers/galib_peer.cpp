// The benchmark workloads written with GAlib, the C++ genetic-algorithm
// library (Debian: libga-dev), for bench/compare.sh:
//
//   galib_peer funcopt PARAMFILE     f(x) = x*x*x - 4*x as tarsel: ten runs, one
//                                    line per generation appended to analiza.txt
//   galib_peer knapsack PROBLEMFILE  the 0/1 knapsack as sakora
//
// The files, N, M, the runs and the seed are those of our programs. The
// evolution is GAlib's steady-state GA as its examples set it up: every
// generation makes M children of parents drawn by roulette over the whole
// population (linearly scaled scores), with uniform crossover and bit-flip
// mutation of the children only, and deletes the M worst; only the children
// are evaluated. The scaling needs scores of at least 0, so the function is
// scored as f(x) minus its least value on [dg, gg]; x and f(x) are reported.
#include <ga/ga.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

static const unsigned SEED = 1289673;

struct problem {
    bool knapsack;
    int n;
    double dg, gg, offset;                 // function
    std::vector<long long> weight, profit;  // knapsack
    long long capacity;
};

[[noreturn]] static void fail(const char *what)
{
    std::fprintf(stderr, "galib_peer: %s\n", what);
    std::exit(1);
}

static double f(double x) { return x * x * x - 4.0 * x; }

// Bit i weighs 2^i, as in tarsel.
static double decode(const GA1DBinaryStringGenome &g, const problem &pr)
{
    double s = 0.0;
    for (int i = 0; i < pr.n; i++)
        if (g.gene(i))
            s += std::ldexp(1.0, i);
    return pr.dg + (s / (std::ldexp(1.0, pr.n) - 1.0)) * (pr.gg - pr.dg);
}

static float score(GAGenome &genome)
{
    auto &g = static_cast<GA1DBinaryStringGenome &>(genome);
    const problem &pr = *static_cast<const problem *>(g.userData());
    if (!pr.knapsack)
        return static_cast<float>(f(decode(g, pr)) + pr.offset);
    long long weight = 0, profit = 0;
    for (int i = 0; i < pr.n; i++)
        if (g.gene(i)) {
            weight += pr.weight[i];
            profit += pr.profit[i];
        }
    return weight > pr.capacity ? 0.0f : static_cast<float>(profit);
}

int main(int argc, char **argv)
{
    if (argc != 3 || (std::strcmp(argv[1], "funcopt") != 0 && std::strcmp(argv[1], "knapsack") != 0))
        fail("usage: galib_peer funcopt|knapsack FILE");
    FILE *in = std::fopen(argv[2], "r");
    if (in == nullptr)
        fail("cannot open the file");
    auto next = [in] {
        double v;
        if (std::fscanf(in, "%lf", &v) != 1)
            fail("a value is missing");
        return v;
    };
    problem pr{};
    pr.knapsack = argv[1][0] == 'k';
    int size, generations, percent, runs = 10;
    double p_mut;
    if (pr.knapsack) {
        size = next(), generations = next(), percent = next(), p_mut = next(), runs = next();
        pr.n = next();
        for (auto *list : {&pr.weight, &pr.profit})
            for (int i = 0; i < pr.n; i++)
                list->push_back(static_cast<long long>(next()));
        pr.capacity = next();
    } else {
        pr.dg = next(), pr.gg = next();
        int p = next();
        size = next(), generations = next(), percent = next(), p_mut = next();
        // The smallest N with 2^N - 1 >= 10^p (gg - dg), computed as tarsel does.
        double x = std::log(std::pow(10.0, p) * (pr.gg - pr.dg) + 1.0) / std::log(2.0);
        pr.n = static_cast<int>(x) + (static_cast<int>(x) != x);
        // The least f on [dg, gg]: at an end or at -2/sqrt(3) < x < 2/sqrt(3).
        double least = std::min(f(pr.dg), f(pr.gg)), c = 2.0 / std::sqrt(3.0);
        if (pr.dg <= c && c <= pr.gg)
            least = std::min(least, f(c));
        pr.offset = std::max(0.0, -least);
    }
    std::fclose(in);
    int m = static_cast<int>(static_cast<long long>(percent) * size / 100);
    if (pr.n < 1 || m < 1 || m >= size)  // the GA replaces at least one member
        fail("N must be at least 1 and M from 1 to VEL_POP - 1");

    GARandomSeed(SEED);  // later calls with the same seed continue the stream
    GA1DBinaryStringGenome genome(pr.n, score, &pr);
    genome.crossover(GA1DBinaryStringGenome::UniformCrossover);
    GASteadyStateGA ga(genome);
    ga.maximize();
    ga.populationSize(size);
    ga.nGenerations(generations);
    ga.nReplacement(m);
    ga.pCrossover(1.0);
    ga.pMutation(p_mut);
    ga.scaling(GALinearScaling());
    ga.selector(GARouletteWheelSelector());
    double total = 0.0;
    for (int run = 0; run < runs; run++) {
        ga.initialize(SEED);
        while (!ga.done()) {
            ga.step();
            if (pr.knapsack)
                continue;
            double x = decode(static_cast<const GA1DBinaryStringGenome &>(ga.population().best()), pr);
            FILE *log = std::fopen("analiza.txt", "a");
            if (log == nullptr)
                fail("cannot open analiza.txt");
            std::fprintf(log, "  %f  %f\n", x, f(x));
            std::fclose(log);
        }
        auto &best = static_cast<const GA1DBinaryStringGenome &>(ga.statistics().bestIndividual());
        if (pr.knapsack) {
            std::printf("Najbolja jedinka:");
            for (int i = 0; i < pr.n; i++)
                std::printf(" %d", best.gene(i));
            std::printf("  %f\n", static_cast<double>(best.score()));
            total += best.score();
        } else {
            double x = decode(best, pr);
            std::printf("Najbolja jedinka %f  %f\n", x, f(x));
        }
    }
    if (pr.knapsack)
        std::printf("Prosjek profita: %f\n", total / runs);
    return 0;
}
