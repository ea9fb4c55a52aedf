"""Draws the convergence of tarsel or tarnox runs from their log analiza.txt.

    plot-analiza LOG GENERATIONS -o PICTURE

LOG holds one line per generation, the best point and its value, as the
programs append them; GENERATIONS is the number of generations per run
(numiter, value 5 of the parameter file), so every GENERATIONS lines make one
run. The picture shows the best value per generation, one line per run, and
below it the best point; its format follows the suffix of PICTURE: .png, .pdf
or .svg.
"""
import argparse
import math
import os

from .common import Parser, Refusal, picture_format, pyplot, save, shown

PROG = "plot-analiza"
USAGE = f"{PROG} LOG GENERATIONS -o PICTURE"


def generations(text):
    try:
        value = int(text)
    except ValueError:
        value = 0
    if value < 1:
        raise argparse.ArgumentTypeError(
            f"must be a whole number above 0, not '{text}'")
    return value



def read_log(path, per_run):
    """The runs of the log: lists of (point, value) pairs, per_run long."""
    try:
        with open(path, encoding="latin-1") as log:
            lines = log.read().split("\n")
    except OSError as e:
        raise Refusal(f"cannot read {path}: {e.strerror}")
    if lines[-1] == "":
        lines.pop()  # the line end of the last line
    if not lines:
        raise Refusal(f"{path} is empty: no generation to draw")
    if len(lines) % per_run != 0:
        raise Refusal(f"{path} has {len(lines)} lines, not a multiple of "
                      f"{per_run} generations per run")
    points = []
    for number, line in enumerate(lines, 1):
        fields = line.split()
        try:
            pair = tuple(float(f) for f in fields)
        except ValueError:
            pair = ()
        if len(pair) != 2 or not all(math.isfinite(v) for v in pair):
            raise Refusal(f"{path}:{number}: expected two numbers (the best "
                          f"point and its value), found '{shown(line)}'")
        points.append(pair)
    return [points[i:i + per_run] for i in range(0, len(points), per_run)]


def draw(runs, per_run, log_name, picture):
    plt = pyplot()
    figure, (values, points) = plt.subplots(
        2, 1, sharex=True, figsize=(8, 6), dpi=80, constrained_layout=True)
    generation = range(1, per_run + 1)
    # The default cycle has ten colours; more runs take shades of one map.
    shade = plt.get_cmap("viridis")
    for number, run in enumerate(runs, 1):
        style = {"linewidth": 1, "label": f"run {number}"}
        if len(runs) > 10:
            style["color"] = shade((number - 1) / (len(runs) - 1))
        values.plot(generation, [v for _, v in run], **style)
        points.plot(generation, [x for x, _ in run], **style)
    values.set_ylabel("best value f(x)")
    points.set_ylabel("best point x")
    points.set_xlabel("generation")
    plural = "" if len(runs) == 1 else "s"
    values.set_title(f"{log_name}: {len(runs)} run{plural} of {per_run} generations")
    for panel in (values, points):
        panel.grid(True, linewidth=0.3)
    if len(runs) <= 20:
        values.legend(fontsize="small", ncol=2 if len(runs) > 5 else 1,
                      loc="lower right")
    save(figure, picture)


def main(argv):
    parser = Parser(f"usage: {USAGE}", prog=PROG, usage=USAGE,
                    description="Draw the best value and point per generation "
                                "from the log of tarsel or tarnox.")
    parser.add_argument("log", metavar="LOG", help="the log, e.g. analiza.txt")
    parser.add_argument("generations", metavar="GENERATIONS", type=generations,
                        help="generations per run (numiter)")
    parser.add_argument("-o", dest="picture", metavar="PICTURE", required=True,
                        help="the picture to write: .png, .pdf or .svg")
    args = parser.parse_args(argv)
    picture_format(args.picture)
    runs = read_log(args.log, args.generations)
    pyplot()
    draw(runs, args.generations, os.path.basename(args.log), args.picture)
    return 0
