"""Draws a statistics file of tarsel, tarnox or sakora.

    plot-stats FILE -o PICTURE [--run R] [--title TEXT]

FILE is either file that the programs write on request, told apart by its
header row:
- a statistics file (GENETIC_STATS): one row per generation. One run is drawn
  in full: the best value on its own scale, the values of the population
  (best, mean within one standard deviation, worst) and the diversity of the
  bits; sakora's file shows the values, the strings that fit and share the
  best value, the diversity and the weights against the capacity. Several
  runs are drawn side by side, one line per run in each panel.
- a bit-position file (GENETIC_BITS): the count of ones at each position per
  generation. The picture is a heat map per run of the share of ones at each
  position, generation by generation: a position turns one colour when every
  string agrees on it.

A last row without its line end, as a run that is still writing leaves it, is
left out with a note on standard error. --run R draws run R alone. The format
follows the suffix of PICTURE: .png, .pdf or .svg.
"""
import math
import sys

from .common import (Parser, Refusal, colours, named, picture_format, pyplot, read_lines,
                     save, shown, whole_above_zero, whole_ticks)

PROG = "plot-stats"
USAGE = f"{PROG} FILE -o PICTURE [--run R] [--title TEXT]"
STATS = ("run,generation,best,mean,worst,stddev,at_best,best_so_far,online,offline,"
         "diversity,converged")
BITS = "run,generation,strings,ones_0"
FIT = "#2ca02c"  # the weights within the capacity, and the strings that fit


def read_file(path):
    """The kind of file ('stats' or 'bits'), its column names and its runs:
    {run number: {column name: list of values}}, in file order."""
    lines, partial = read_lines(path)
    cut = bool(partial and lines)  # a last row still being written, left out
    if partial and not lines:
        lines = [partial]  # a header alone, without its line end
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
        try:
            row = [float(v) for v in line.split(",")]
        except ValueError:
            row = []
        if len(row) != len(names) or not all(math.isfinite(v) for v in row):
            raise Refusal(f"{path}:{number}: expected {len(names)} numbers separated by "
                          f"commas, found '{shown(line)}'")
        run = runs.setdefault(int(row[0]), {name: [] for name in names})
        for name, value in zip(names, row):
            run[name].append(value)
    if not runs:
        raise Refusal(f"{path} has no rows: no generation to draw")
    if cut:
        print(f"{PROG}: {path}:{len(lines) + 1}: left out the last row, which has no "
              "line end (a run still writing the file?)", file=sys.stderr)
    return kind, names, runs


def chosen_runs(path, runs, wanted):
    if wanted is None:
        return sorted(runs)
    if wanted not in runs:
        raise Refusal(f"{path} has no run {wanted} (it holds runs {min(runs)} to {max(runs)})")
    return [wanted]


def flat(panel, series, text):
    """A panel whose lines never move spans a whole unit above their value
    (not matplotlib's ±0.05 around it), and says why in `text`."""
    low, high = min(min(s) for s in series), max(max(s) for s in series)
    if low == high:
        step = max(1.0, abs(low) / 10)
        panel.set_ylim(low - 0.1 * step, low + step)
        panel.text(0.5, 0.55, text.format(low), transform=panel.transAxes, ha="center",
                   va="center", color="0.3")


# The panels of one run in full: each draws from the run's columns and says
# whether its lines need a legend.
def values(panel, run):
    g, best, mean, worst = run["generation"], run["best"], run["mean"], run["worst"]
    # One standard deviation around the mean, as far as the values reach.
    low = [max(m - s, w) for m, s, w in zip(mean, run["stddev"], worst)]
    high = [min(m + s, b) for m, s, b in zip(mean, run["stddev"], best)]
    panel.fill_between(g, low, high, color="C1", alpha=0.25, linewidth=0, label="mean ± sd")
    panel.plot(g, best, color="C0", linewidth=1, label="best")
    panel.plot(g, mean, color="C1", linewidth=1, label="mean")
    panel.plot(g, worst, color="C7", linewidth=0.6, label="worst")
    flat(panel, [best, worst], "every value is {:g}")
    return True


def best_alone(panel, run):
    """The best value on its own scale, where its progress shows."""
    panel.plot(run["generation"], run["best"], color="C0", linewidth=1, label="best")
    if run["best_so_far"] == run["best"]:
        return False
    panel.plot(run["generation"], run["best_so_far"], color="C0", linewidth=0.8,
               linestyle=":", label="best so far")
    return True


def strings(panel, run):
    panel.plot(run["generation"], run["at_best"], color="C0", linewidth=1,
               label="share the best value")
    panel.plot(run["generation"], run["fitting"], color=FIT, linewidth=1, label="fit")
    if max(run["fitting"]) == 0:
        panel.text(0.5, 0.5, "no packing fits", transform=panel.transAxes, ha="center",
                   color=FIT)
    return True


def diversity(panel, run):
    panel.plot(run["generation"], run["diversity"], color="C4", linewidth=1)
    panel.set_ylim(0, 0.52)
    return False


def weight(panel, run):
    panel.plot(run["generation"], run["mean_weight"], color="C1", linewidth=1, label="mean")
    panel.plot(run["generation"], run["min_weight"], color="C3", linewidth=1, label="lightest")
    capacity(panel, run["capacity"][0], [run["mean_weight"], run["min_weight"]])
    return True


def capacity(panel, limit, series):
    """Weights on a log scale (an empty packing, weight 0, leaves a gap in a
    line), the weights that fit shaded up to the capacity."""
    from matplotlib.ticker import FuncFormatter
    weights = [w for s in series for w in s if w > 0] + [limit]
    low, high = min(weights) / 2, max(weights) * 2
    panel.set_yscale("log", nonpositive="mask")
    panel.yaxis.set_major_formatter(FuncFormatter(lambda w, _: f"{w:g}"))
    panel.axhspan(low, limit, color=FIT, alpha=0.15, linewidth=0)
    panel.text(0.98, low * 1.1, f"fits: up to the capacity, {limit:g}", color=FIT,
               fontsize="small", ha="right", transform=panel.get_yaxis_transform())
    panel.set_ylim(low, high)


# The panels of several runs side by side: one line per run, in its colour;
# runs is a list of (run, colour).
def each(column, text=None):
    def draw(panel, runs):
        for run, colour in runs:
            panel.plot(run["generation"], run[column], color=colour, linewidth=0.8)
        if text:
            flat(panel, [run[column] for run, _ in runs], text)
        if column == "diversity":
            panel.set_ylim(0, 0.52)
    return draw


def lightest(panel, runs):
    each("min_weight")(panel, runs)
    capacity(panel, runs[0][0]["capacity"][0], [run["min_weight"] for run, _ in runs])


ONE = {"optimiser": [("best value", best_alone), ("values", values), ("diversity", diversity)],
       "knapsack": [("values", values), ("strings", strings), ("diversity", diversity),
                    ("weight", weight)]}
MANY = {"optimiser": [("best value", each("best")), ("mean value", each("mean")),
                      ("diversity", each("diversity"))],
        "knapsack": [("best value", each("best", "every best value is {:g}")),
                     ("strings that fit", each("fitting", "no packing fits")),
                     ("diversity", each("diversity")), ("lightest packing", lightest)]}


def draw_stats(plt, names, runs, order, title):
    """One run in full, or several side by side; sakora's four panels in two
    rows of two, the others' three in a row."""
    panels = (ONE if len(order) == 1 else MANY)["knapsack" if "fitting" in names else "optimiser"]
    columns = 2 if len(panels) == 4 else len(panels)
    rows = len(panels) // columns
    figure, axes = plt.subplots(rows, columns, squeeze=False, dpi=80, constrained_layout=True,
                                figsize=(3.6 * columns + (1.2 if len(order) > 1 else 0),
                                         0.5 + 2.6 * rows))
    coloured = [(runs[r], colour) for r, colour in zip(order, colours(plt, len(order)))]
    for panel, (name, drawing) in zip(axes.flat, panels):
        if drawing(panel, runs[order[0]] if len(order) == 1 else coloured):
            panel.legend(fontsize="small", loc="upper center", bbox_to_anchor=(0.5, -0.2),
                         ncol=2, frameon=False)
        if panel.get_yscale() == "linear":
            panel.ticklabel_format(axis="y", useOffset=False)  # 3.0792, not +3.079 and 0.0002
        whole_ticks(panel.xaxis)
        panel.set_title(name)
        panel.set_xlabel("generation")
        panel.grid(True, linewidth=0.3)
    if 1 < len(order) <= 20:
        axes[0][-1].legend(axes[0][0].get_lines(), [f"run {r}" for r in order],
                           fontsize="small", loc="upper left", bbox_to_anchor=(1.02, 1),
                           ncol=1 if len(order) <= 10 else 2)
    figure.suptitle(title)
    return figure


def draw_bits(plt, names, runs, order, title):
    height = 2.4 if len(order) <= 3 else 1.5
    figure, axes = plt.subplots(len(order), 1, sharex=True, squeeze=False,
                                figsize=(8, 1.2 + height * len(order)), dpi=80,
                                constrained_layout=True)
    positions = len(names) - 3
    for (panel,), number in zip(axes, order):
        run = runs[number]
        share = [[ones / count for ones, count in zip(run[names[3 + j]], run["strings"])]
                 for j in range(positions)]
        first, last = run["generation"][0], run["generation"][-1]
        image = panel.imshow(share, aspect="auto", origin="lower", cmap="coolwarm",
                             vmin=0, vmax=1, interpolation="nearest",
                             extent=(first - 0.5, last + 0.5, -0.5, positions - 0.5))
        whole_ticks(panel.xaxis)
        whole_ticks(panel.yaxis)
        panel.set_ylabel(f"run {number}")
    axes[-1][0].set_xlabel("generation")
    # The header cannot tell tarsel's bits from sakora's items.
    figure.supylabel("bit of x, or item", fontsize="medium")
    figure.colorbar(image, ax=axes[:, 0], label="share of strings with a 1",
                    shrink=min(0.8, 2.4 / len(order)))
    figure.suptitle(title)
    return figure


def figure_of(kind, names, runs, order, title):
    """The picture of the runs in `order`, drawn."""
    drawing = draw_stats if kind == "stats" else draw_bits
    figure = drawing(pyplot(), names, runs, order, title)
    # The layout fits the tick labels of the panels' first size; drawn once
    # more, it fits those of their final size (else a long label is cut).
    figure.canvas.draw()
    return figure


def draw(kind, names, runs, order, name, picture):
    generations = max(len(runs[r]["generation"]) for r in order)
    what = f"run {order[0]}" if len(order) == 1 else f"{len(order)} runs"
    unit = "generation" if generations == 1 else "generations"
    save(figure_of(kind, names, runs, order, f"{name}: {what}, {generations} {unit}"), picture)


def main(argv):
    parser = Parser(f"usage: {USAGE}", prog=PROG, usage=USAGE,
                    description="Draw a statistics file (GENETIC_STATS) or a bit-position "
                                "file (GENETIC_BITS) of tarsel, tarnox or sakora.")
    parser.add_argument("file", metavar="FILE", help="the statistics or bit-position file")
    parser.add_argument("-o", dest="picture", metavar="PICTURE", required=True,
                        help="the picture to write: .png, .pdf or .svg")
    parser.add_argument("--run", type=whole_above_zero, metavar="R",
                        help="draw run R alone (default: every run)")
    parser.add_argument("--title", metavar="TEXT",
                        help="what the file is of, in the title (default: its setting or name)")
    args = parser.parse_args(argv)
    picture_format(args.picture)
    kind, names, runs = read_file(args.file)
    order = chosen_runs(args.file, runs, args.run)
    draw(kind, names, runs, order, named(args.file, args.title), args.picture)
    return 0
