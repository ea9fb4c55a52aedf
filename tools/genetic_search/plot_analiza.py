"""Draws the convergence of tarsel or tarnox runs from their log analiza.txt.

    plot-analiza LOG [GENERATIONS] -o PICTURE [--title TEXT]

LOG holds one line per generation, the best point and its value, as the
programs append them. One execution logs ten runs of numiter lines (value 5
of the parameter file), and the log keeps every execution. GENERATIONS is
numiter: the lines must then make whole executions, ten runs of GENERATIONS
lines each. Without it the log is one execution's, and a run is a tenth of
it. The picture shows the best value per generation, one line per run, with a
dot where the run first reached its greatest value, and below it the best
point; its format follows the suffix of PICTURE: .png, .pdf or .svg.
"""
import math

from .common import (Parser, Refusal, colours, named, picture_format, pyplot, read_lines,
                     save, shown, whole_above_zero, whole_ticks)

PROG = "plot-analiza"
USAGE = f"{PROG} LOG [GENERATIONS] -o PICTURE [--title TEXT]"
RUNS = 10  # the runs of one execution of tarsel or tarnox


def read_log(path):
    """The (point, value) pair of every line of the log."""
    lines, rest = read_lines(path)
    if rest:
        lines.append(rest)  # a last line without its line end
    if not lines:
        raise Refusal(f"{path} is empty: no generation to draw")
    points = []
    for number, line in enumerate(lines, 1):
        fields = line.replace("\t", " ").split(" ")
        try:
            pair = tuple(float(f) for f in fields if f)
        except ValueError:
            pair = ()
        if len(pair) != 2 or not all(math.isfinite(v) for v in pair):
            raise Refusal(f"{path}:{number}: expected two numbers (the best "
                          f"point and its value), found '{shown(line)}'")
        points.append(pair)
    return points


def split_runs(path, points, per_run):
    """The runs of the log, per_run lines each (None: a tenth of the log)."""
    if per_run is None:
        if len(points) % RUNS:
            raise Refusal(f"{path} has {len(points)} lines, not {RUNS} runs of one "
                          f"length: give GENERATIONS")
        per_run = len(points) // RUNS
    elif len(points) % (RUNS * per_run):
        raise Refusal(f"{path} has {len(points)} lines, not whole executions of "
                      f"{RUNS} runs of {per_run} generations ({RUNS * per_run} lines each)")
    return [points[i:i + per_run] for i in range(0, len(points), per_run)]


def draw(plt, runs, name):
    figure, (values, points) = plt.subplots(
        2, 1, sharex=True, figsize=(8, 6), dpi=80, constrained_layout=True)
    per_run = len(runs[0])
    generation = range(per_run)  # generation 0 is the random population, as in plot-stats
    for number, (run, colour) in enumerate(zip(runs, colours(plt, len(runs))), 1):
        style = {"linewidth": 1, "label": f"run {number}", "color": colour}
        values.plot(generation, [v for _, v in run], **style)
        points.plot(generation, [x for x, _ in run], **style)
        greatest = max(v for _, v in run)
        reached = next(g for g, (_, v) in enumerate(run) if v == greatest)
        values.plot(reached, greatest, "o", markersize=4, color=colour)
    top = max(v for run in runs for _, v in run)
    values.axhline(top, color="0.3", linewidth=0.8, linestyle=":", label=f"greatest: {top:.6f}")
    values.set_ylabel("best value f(x)")
    points.set_ylabel("best point x")
    points.set_xlabel("generation")
    executions = len(runs) // RUNS
    title = f"{name}: {len(runs)} runs of {per_run} generation{'' if per_run == 1 else 's'}"
    values.set_title(title + (f" ({executions} executions)" if executions > 1 else ""))
    values.plot([], [], "o", markersize=4, color="0.3", label="first at the\nrun's greatest")
    whole_ticks(points.xaxis)
    for panel in (values, points):
        panel.grid(True, linewidth=0.3)
    if len(runs) <= 20:
        values.legend(fontsize="small", ncol=2 if len(runs) > 10 else 1,
                      loc="upper left", bbox_to_anchor=(1.01, 1))
    return figure


def main(argv):
    parser = Parser(f"usage: {USAGE}", prog=PROG, usage=USAGE,
                    description="Draw the best value and point per generation "
                                "from the log of tarsel or tarnox.")
    parser.add_argument("log", metavar="LOG", help="the log, e.g. analiza.txt")
    parser.add_argument("generations", metavar="GENERATIONS", type=whole_above_zero, nargs="?",
                        help="generations per run (numiter; default: a tenth of the log)")
    parser.add_argument("-o", dest="picture", metavar="PICTURE", required=True,
                        help="the picture to write: .png, .pdf or .svg")
    parser.add_argument("--title", metavar="TEXT",
                        help="what the log is of, in the title (default: its setting or name)")
    args = parser.parse_args(argv)
    picture_format(args.picture)
    runs = split_runs(args.log, read_log(args.log), args.generations)
    save(draw(pyplot(), runs, named(args.log, args.title)), args.picture)
    return 0
