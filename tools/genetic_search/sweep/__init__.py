"""Runs tarsel, tarnox or sakora over a grid of settings, on this machine or on
many through GNU parallel, or on a Slurm cluster, and gathers their results
into tables.

Each setting is BASE_FILE with the values named by --set replaced, and has a
folder of its own, DIR/NAME=VALUE/NAME=VALUE/... Every setting ends done (the
program ran; its results are in its folder), refused (the program refused it,
with its message and status 1) or failed (anything else, with the reason);
--resume runs again every setting that is neither done nor refused, from its
checkpoint where it has one. Values that the program cannot read refuse the
whole sweep before anything starts. The manual page, genetic-sweep(1), tells
the rest.
"""
import argparse
import json
import math
import os
import re
import sys

from ..common import Parser, Refusal, pyplot, read_bytes, whole_above_zero
from . import grid, judge, parallel, picture, programs, slurm, tables
from .job import SECONDS
from .judge import STATS, TIMED_OUT
from .progress import Tally

PROG = "genetic-sweep"
USAGE = ("%(prog)s PROGRAM BASE_FILE --set NAME=V1,V2,... [--set ...] -o DIR [-j N]\n"
         "       [--sshloginfile FILE | --slurm [--sbatch ARGS]] [--timeout SECONDS]\n"
         "       [--resume] [--stats] [--plot] [--optimum VALUE]")
EPILOG = (f"names: tarsel, tarnox: {', '.join(grid.OPTIMISER)}; "
          f"sakora: {', '.join(grid.KNAPSACK)}\n"
          f"example: {PROG} tarsel examples/tarsel.txt --set VEL_POP=20,50,100 "
          "--set p_mut=0.001,0.01 -o study --plot")
# A decimal number as the programs read one: a sign or none, digits with or
# without a point, an exponent or none; nothing else, not even a blank.
NUMBER = r"[+-]?([0-9]+\.?[0-9]*|\.[0-9]+)([eE][+-]?[0-9]+)?"


def parse(argv):
    parser = Parser(f"see {PROG} --help", prog=PROG, usage=USAGE, description=__doc__,
                    epilog=EPILOG, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("program", metavar="PROGRAM", help="tarsel, tarnox, sakora, or a list")
    parser.add_argument("base", metavar="BASE_FILE", help="parameter or problem file")
    parser.add_argument("--set", action="append", required=True, metavar="NAME=V1,V2,...",
                        help="the values of one name to try (repeat for more names)")
    parser.add_argument("-o", dest="out", required=True, metavar="DIR",
                        help="the folder of the sweep")
    parser.add_argument("-j", dest="jobs", type=lambda text: whole_above_zero(text, "-j"),
                        metavar="N",
                        help="jobs at a time per machine, or tasks at a time on Slurm "
                        "(default: one per core; on Slurm, no limit)")
    parser.add_argument("--sshloginfile", metavar="FILE",
                        help="run on the machines in FILE (':' is this one)")
    parser.add_argument("--slurm", action="store_true",
                        help="run the settings as one Slurm job array (DIR on a shared "
                        "file system)")
    parser.add_argument("--sbatch", metavar="ARGS", default="",
                        help="more arguments for sbatch, as one string")
    parser.add_argument("--timeout", type=float, metavar="SECONDS",
                        help="stop a setting's program after SECONDS: it fails, and its "
                        "checkpoint continues it with --resume")
    parser.add_argument("--resume", action="store_true",
                        help="finish the sweep in DIR: run every setting not done or refused")
    parser.add_argument("--stats", action="store_true",
                        help=f"keep each setting's statistics of every generation, {STATS}, "
                        "and sum them up in the tables")
    parser.add_argument("--plot", action="store_true", help="draw DIR/sweep.png (matplotlib)")
    parser.add_argument("--optimum", type=float, metavar="VALUE",
                        help="count the runs that reach VALUE (default: the best value seen)")
    for at in range(len(argv) - 1):  # --sbatch "--mem=4G" is sbatch's, not an option of ours
        if argv[at] == "--sbatch":
            argv = [*argv[:at], f"--sbatch={argv[at + 1]}", *argv[at + 2:]]
            break
    args = parser.parse_args(argv)
    if args.timeout is not None and not args.timeout >= 0.001:
        raise Refusal(f"--timeout takes seconds, at least 0.001, not {args.timeout:g}")
    if args.slurm and args.sshloginfile:
        raise Refusal("--slurm and --sshloginfile are two ways to run: choose one")
    if args.sbatch and not args.slurm:
        raise Refusal("--sbatch passes arguments to Slurm's sbatch: add --slurm")
    if not is_seconds(os.environ.get(SECONDS, "")):
        raise Refusal(f"{SECONDS}={os.environ[SECONDS]} is not a number of seconds, 0 or more")
    return args


def is_seconds(text):
    """Whether the programs take TEXT as how often to write a checkpoint:
    empty (as if not set), or a number, 0 or more, that is not too large."""
    return not text or bool(re.fullmatch(NUMBER, text)) and 0 <= float(text) < math.inf


def check_folder(out, record, resume):
    if os.path.exists(out) and not os.path.isdir(out):
        raise Refusal(f"{out} is a file, not a folder")
    if not os.path.isdir(out) or not os.listdir(out):
        return
    try:
        with open(os.path.join(out, "sweep.json")) as f:
            old = json.load(f)
    except (OSError, ValueError):
        raise Refusal(f"{out} is not empty and holds no sweep: name a new or empty folder")
    if not resume:
        raise Refusal(f"{out} holds a sweep already: add --resume to finish it, "
                      "or name another folder")
    if {**old, "stats": 0} == {**record, "stats": 0} and old != record:
        choice = "with" if old.get("stats") else "without"
        raise Refusal(f"{out} holds this sweep {choice} --stats: finish it {choice} --stats, "
                      "or name another folder")
    if old != record:
        raise Refusal(f"{out} holds another sweep ({' '.join(old['programs'])} "
                      f"{' '.join(n + '=' + ','.join(v) for n, v in old['grid'])}): "
                      "name another folder")


def main(argv):
    try:
        return sweep(argv)
    except KeyboardInterrupt:  # before the jobs started, or after their summary
        print(f"{PROG}: stopped by Ctrl-C", file=sys.stderr)
        return 130


def sweep(argv):
    args = parse(argv)
    kinds, here, elsewhere = programs.find(args.program)
    dims = grid.dimensions(kinds, args.set)
    base = read_bytes(args.base)
    programs.check_reading(kinds, here, base, args.base, dims)
    machines = parallel.logins(args.sshloginfile) if args.sshloginfile else None
    if args.slurm:
        slurm.check_tools()
    else:
        parallel.check_tools(parallel.any_remote(machines))
    if args.plot:
        pyplot("--plot")
    out = args.out
    for text in (os.path.abspath(out), *here.values()):
        if "\t" in text or "\n" in text:
            raise Refusal(f"'{text}' holds a tab or a line end, which the jobs' lists "
                          "cannot carry")
    record = {"programs": kinds, "base": base.decode("latin-1"),
              "grid": [list(d) for d in dims], **({"stats": True} if args.stats else {})}
    check_folder(out, record, args.resume)

    settings = grid.settings(kinds, dims, base)
    os.makedirs(out, exist_ok=True)
    with open(os.path.join(out, "sweep.json"), "w") as f:
        json.dump(record, f, indent=1)
    judged = {s.folder: judge.judge(out, s, args.stats) for s in settings}
    pending = [s for s in settings if judged[s.folder].outcome == "failed"]
    if pending:
        tally = Tally(out, pending, args.stats)
        if args.slurm:
            reasons = slurm.run(args, out, pending, here, tally)
        else:
            reasons = parallel.run(args, out, pending, here, elsewhere, machines, tally)
        for s in pending:  # the others' folders are as they were
            judged[s.folder] = judge.judge(out, s, args.stats, *reasons[s.folder])
    results = [judged[s.folder] for s in settings]
    names = [name for name, _ in dims]
    tables.write_runs(out, names, settings, results, args.stats)
    goal = tables.target(results, args.optimum)
    summary = tables.summarise(names, settings, results, goal, args.stats)
    tables.write_summary(out, summary)
    print("\n".join(tables.printed(summary, goal, args.optimum is not None)))
    if args.plot:
        picture.draw(os.path.join(out, "sweep.png"), dims, settings, results, summary, goal,
                     args.optimum is not None,
                     f"{', '.join(kinds)} on {os.path.basename(args.base)}")
    print(f"results in {out}: summary.csv, runs.csv" + (", sweep.png" if args.plot else ""))
    failed = [result for result in results if result.outcome == "failed"]
    if failed:
        longer = any(result.status == str(TIMED_OUT) for result in failed)
        print(f"{PROG}: {len(failed)} of {len(settings)} settings failed: run the same command "
              "with --resume to run them again"
              + (" (with a longer --timeout for those stopped)" if longer else ""),
              file=sys.stderr)
        return 1
    return 0
