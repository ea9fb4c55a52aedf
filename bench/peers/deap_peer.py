#!/usr/bin/env python3
"""The benchmark workloads written with DEAP, the Python evolutionary-computation
library (Debian: python3-deap), for bench/compare.sh:

  deap_peer.py funcopt PARAMFILE     f(x) = x*x*x - 4*x as tarsel: ten runs, one
                                     line per generation appended to analiza.txt
  deap_peer.py knapsack PROBLEMFILE  the 0/1 knapsack as sakora

Our method with DEAP's operators: every string is evaluated every generation;
M strings go by a roulette on their deficit to the best, spun without
replacement (DEAP has no such step, so it is written here with running sums
and a bisection); each place is refilled with one child of two survivors drawn
at random (tools.cxUniform), a survivor drawn twice is mutated and the place
tried again (funcopt) or given a random packing (knapsack); then
tools.mutFlipBit flips bits of every string but the best. The random numbers
are Python's, seeded with our constant: results agree with ours only in
distribution.
"""
import bisect
import itertools
import math
import random
import sys

from deap import base, creator, tools


def f(x):
    return x * x * x - 4.0 * x


def main(kind, path):
    values = open(path).read().split()
    knapsack = kind == "knapsack"
    if knapsack:
        size, generations, percent = (int(v) for v in values[:3])
        p_mut, runs, n = float(values[3]), int(values[4]), int(values[5])
        weights = [int(v) for v in values[6:6 + n]]
        profits = [int(v) for v in values[6 + n:6 + 2 * n]]
        capacity = int(values[6 + 2 * n])

        def evaluate(s):
            fits = sum(itertools.compress(weights, s)) <= capacity
            return float(sum(itertools.compress(profits, s))) if fits else 0.0
    else:
        dg, gg, p = float(values[0]), float(values[1]), int(values[2])
        size, generations, percent = (int(v) for v in values[3:6])
        p_mut, runs = float(values[6]), 10
        x = math.log(math.pow(10.0, p) * (gg - dg) + 1.0) / math.log(2.0)
        n = int(x) + (int(x) != x)  # the smallest N with 2^N - 1 >= 10^p (gg - dg)
        powers = [math.pow(2.0, i) for i in range(n)]
        denominator = math.pow(2.0, n) - 1.0

        def decode(s):
            return dg + (float(sum(itertools.compress(powers, s))) / denominator) * (gg - dg)

        def evaluate(s):
            return f(decode(s))
    m = int(percent * size / 100)
    if not 0 <= m < size - (0 if knapsack else 1):
        sys.exit("deap_peer.py: M must leave a survivor (two for funcopt)")

    random.seed(1289673)
    creator.create("Fitness", base.Fitness, weights=(1.0,))
    creator.create("String", list, fitness=creator.Fitness)
    toolbox = base.Toolbox()
    toolbox.register("string", tools.initRepeat, creator.String, lambda: random.randint(0, 1), n)
    toolbox.register("mate", tools.cxUniform, indpb=0.5)
    toolbox.register("mutate", tools.mutFlipBit, indpb=p_mut)
    total = 0.0
    for _ in range(runs):
        strings = [toolbox.string() for _ in range(size)]
        report = [0] * n, 0.0  # the best string as evaluated, and its value
        for _ in range(generations):
            fx = [evaluate(s) for s in strings]
            best = max(range(size), key=fx.__getitem__)  # the lowest index of the greatest
            report = strings[best][:], fx[best]
            if not knapsack:
                with open("analiza.txt", "a") as log:
                    log.write("  %f  %f\n" % (decode(report[0]), report[1]))
            # The roulette: target in (0, total], the first running sum that reaches it.
            least = min(fx)
            deficit = [(fx[best] - least) - (v - least) for v in fx]
            survivors, eliminated = list(range(size)), []
            for _ in range(m):
                sums = list(itertools.accumulate(deficit))
                k = bisect.bisect_left(sums, (1.0 - random.random()) * sums[-1])
                eliminated.append(survivors.pop(k))
                deficit.pop(k)
            for place in eliminated:
                while True:
                    a, b = random.choice(survivors), random.choice(survivors)
                    if a != b:
                        strings[place][:] = strings[a]
                        toolbox.mate(strings[place], strings[b][:])
                        break
                    toolbox.mutate(strings[a])
                    if knapsack:
                        strings[place][:] = [0] * n
                        for _ in range(random.randrange(n + 1)):
                            strings[place][random.randrange(n)] = 1
                        break
            for i, s in enumerate(strings):
                if i != best:
                    toolbox.mutate(s)
        if knapsack:
            print("Najbolja jedinka:" + "".join(" %d" % bit for bit in report[0]) + "  %f" % report[1])
            total += report[1]
        else:
            print("Najbolja jedinka %f  %f" % (decode(report[0]), report[1]))
    if knapsack:
        print("Prosjek profita: %f" % (total / runs))


if __name__ == "__main__":
    if len(sys.argv) != 3 or sys.argv[1] not in ("funcopt", "knapsack"):
        sys.exit("usage: deap_peer.py funcopt|knapsack FILE")
    main(sys.argv[1], sys.argv[2])
