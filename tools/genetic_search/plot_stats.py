"""Draws a statistics file of tarsel, tarnox or sakora.

    plot-stats FILE -o PICTURE [--run R]

FILE is either file that the programs write on request, told apart by its
header row:
- a statistics file (GENETIC_STATS): one row per generation. The picture has
  one row of panels per run: the best, mean and worst value with a band of
  one standard deviation around the mean, and the diversity of the bits;
  sakora's file adds the strings that fit and their weights beside the
  capacity.
- a bit-position file (GENETIC_BITS): the count of ones at each position per
  generation. The picture is a heat map per run of the share of ones at each
  position, generation by generation: a position turns one colour when every
  string agrees on it.

--run R draws run R alone. The format follows the suffix of PICTURE: .png,
.pdf or .svg.
"""
import argparse
import math
import os

from .common import Parser, Refusal, picture_format, pyplot, save, shown

PROG = "plot-stats"
USAGE = f"{PROG} FILE -o PICTURE [--run R]"
STATS = ("run,generation,best,mean,worst,stddev,at_best,best_so_far,online,offline,"
         "diversity,converged")
BITS = "run,generation,strings,ones_0"


def whole_above_zero(text):
    try:
        value = int(text)
    except ValueError:
        value = 0
    if value < 1:
        raise argparse.ArgumentTypeError(f"must be a whole number above 0, not '{text}'")
    return value




def read_file(path):
    """The kind of file ('stats' or 'bits'), its column names and its runs:
    {run number: list of rows}, each row a list of numbers, in file order."""
    try:
        with open(path, encoding="latin-1") as f:
            lines = f.read().split("\n")
    except OSError as e:
        raise Refusal(f"cannot read {path}: {e.strerror}")
    if lines[-1] == "":
        lines.pop()  # the line end of the last row
    if not lines:
        raise Refusal(f"{path} is empty")
    header = lines[0]
    if header.startswith(STATS + ",") or header == STATS:
        kind = "stats"
    elif header.startswith(BITS):
        kind = "bits"
    else:
        raise Refusal(f"{path} is neither a statistics file nor a bit-position file: "
                      f"its first line is '{shown(header)}'")
    names = header.split(",")
    runs = {}
    for number, line in enumerate(lines[1:], 2):
        fields = line.split(",")
        try:
            row = [float(v) for v in fields]
        except ValueError:
            row = []
        if len(row) != len(names) or not all(math.isfinite(v) for v in row):
            raise Refusal(f"{path}:{number}: expected {len(names)} numbers separated by "
                          f"commas, found '{shown(line)}'")
        runs.setdefault(int(row[0]), []).append(row)
    if not runs:
        raise Refusal(f"{path} has no rows: no generation to draw")
    return kind, names, runs


def chosen_runs(path, runs, wanted):
    if wanted is None:
        return sorted(runs)
    if wanted not in runs:
        raise Refusal(f"{path} has no run {wanted} (it holds runs {min(runs)} to {max(runs)})")
    return [wanted]


def draw_stats(plt, names, runs, order, title):
    column = {name: k for k, name in enumerate(names)}
    knapsack = "fitting" in column
    panels = ["value", "diversity"] + (["strings that fit", "weight"] if knapsack else [])
    figure, axes = plt.subplots(len(order), len(panels), sharex=True, sharey="col",
                                squeeze=False, figsize=(4 * len(panels), 1.2 + 2 * len(order)),
                                dpi=80, constrained_layout=True)
    for row, run in zip(axes, order):
        def series(name):
            return [r[column[name]] for r in runs[run]]
        generation = series("generation")
        mean, spread = series("mean"), series("stddev")
        value = row[0]
        value.fill_between(generation, [m - s for m, s in zip(mean, spread)],
                           [m + s for m, s in zip(mean, spread)], color="C1", alpha=0.25,
                           linewidth=0, label="mean ± sd")
        value.plot(generation, series("best"), color="C0", linewidth=1, label="best")
        value.plot(generation, mean, color="C1", linewidth=1, label="mean")
        value.plot(generation, series("worst"), color="C2", linewidth=1, label="worst")
        value.set_ylabel(f"run {run}")
        row[1].plot(generation, series("diversity"), color="C4", linewidth=1)
        row[1].set_ylim(0, 0.52)
        if knapsack:
            row[2].plot(generation, series("fitting"), color="C0", linewidth=1)
            row[2].set_ylim(bottom=0)
            row[3].plot(generation, series("mean_weight"), color="C1", linewidth=1,
                        label="mean")
            row[3].plot(generation, series("min_weight"), color="C2", linewidth=1,
                        label="lightest")
            row[3].plot(generation, series("capacity"), color="C3", linewidth=1,
                        linestyle="--", label="capacity")
            row[3].set_ylim(bottom=0)
        for panel in row:
            panel.grid(True, linewidth=0.3)
    for panel, name in zip(axes[0], panels):
        panel.set_title(name)
    axes[0][0].legend(fontsize="small", loc="lower right")
    if knapsack:
        axes[0][3].legend(fontsize="small", loc="center right")
    for panel in axes[-1]:
        panel.set_xlabel("generation")
    figure.suptitle(title)
    return figure


def draw_bits(plt, names, runs, order, title):
    figure, axes = plt.subplots(len(order), 1, sharex=True, squeeze=False,
                                figsize=(8, 1.2 + 2.4 * len(order)), dpi=80,
                                constrained_layout=True)
    positions = len(names) - 3
    for (panel,), run in zip(axes, order):
        rows = runs[run]
        share = [[r[3 + j] / r[2] for r in rows] for j in range(positions)]
        first, last = rows[0][1], rows[-1][1]
        image = panel.imshow(share, aspect="auto", origin="lower", cmap="coolwarm",
                             vmin=0, vmax=1, interpolation="nearest",
                             extent=(first - 0.5, last + 0.5, -0.5, positions - 0.5))
        panel.set_ylabel(f"run {run}\nbit position")
    axes[-1][0].set_xlabel("generation")
    figure.colorbar(image, ax=axes[:, 0], label="share of strings with a 1", shrink=0.8)
    figure.suptitle(title)
    return figure


def draw(kind, names, runs, order, path, picture):
    plt = pyplot()
    generations = max(len(runs[r]) for r in order)
    what = f"run {order[0]}" if len(order) == 1 else f"{len(order)} runs"
    unit = "generation" if generations == 1 else "generations"
    title = f"{os.path.basename(path)}: {what}, {generations} {unit}"
    drawing = draw_stats if kind == "stats" else draw_bits
    figure = drawing(plt, names, runs, order, title)
    save(figure, picture)


def main(argv):
    parser = Parser(f"usage: {USAGE}", prog=PROG, usage=USAGE,
                    description="Draw a statistics file (GENETIC_STATS) or a bit-position "
                                "file (GENETIC_BITS) of tarsel, tarnox or sakora.")
    parser.add_argument("file", metavar="FILE", help="the statistics or bit-position file")
    parser.add_argument("-o", dest="picture", metavar="PICTURE", required=True,
                        help="the picture to write: .png, .pdf or .svg")
    parser.add_argument("--run", type=whole_above_zero, metavar="R",
                        help="draw run R alone (default: every run)")
    args = parser.parse_args(argv)
    picture_format(args.picture)
    kind, names, runs = read_file(args.file)
    order = chosen_runs(args.file, runs, args.run)
    pyplot()
    draw(kind, names, runs, order, args.file, args.picture)
    return 0
