"""Runs tarsel, tarnox or sakora over a grid of settings with GNU parallel, on
this machine or on many, and gathers their results into tables.

Each setting is BASE_FILE with the values named by --set replaced, and has a
folder of its own, DIR/NAME=VALUE/NAME=VALUE/... Every setting ends done (the
program ran; its results are in its folder), refused (the program refused it,
with its message and status 1) or failed (anything else, with the reason);
--resume runs again every setting that is neither done nor refused. Values
that the program cannot read refuse the whole sweep before anything starts.
The manual page, genetic-sweep(1), tells the rest.
"""
import argparse
import csv
import dataclasses
import itertools
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile

from .common import Parser, Refusal, pyplot

PROG = "genetic-sweep"

# Each program's file as far as --set reaches into it: the names of its values
# in their order, with what they mean. sakora's capacity C is the value after
# the N weights and N profits that follow value 6, the item count N.
OPTIMISER = {"dg": "lower bound", "gg": "upper bound", "p": "decimals",
             "VEL_POP": "population size", "numiter": "generations",
             "M": "per cent eliminated", "p_mut": "mutation probability"}
KNAPSACK = {"VEL_POP": "population size", "numiter": "generations",
            "M": "per cent eliminated", "p_mut": "mutation probability", "runs": "runs",
            "C": "capacity"}
LAYOUT = {"tarsel": OPTIMISER, "tarnox": OPTIMISER, "sakora": KNAPSACK}
TOKEN = re.compile(rb"[^ \t\n\r\v\f]+")  # a value, between the programs' white space
CLOSING = b"Ucitajte neki znak za kraj"  # the closing prompt, printed after the last run
STOP = "GENETIC_SEARCH_STOP_AFTER_READING"  # the programs' opt-in: read, then stop
ASKED = ("GENETIC_STATS", "GENETIC_BITS")  # the programs' files on request: --stats decides
STATS = "stats.csv"  # a setting's statistics of every generation, with --stats

# One job, on any machine: into the setting's folder (DIR's own on this
# machine, one in GNU parallel's working folder elsewhere), the program run
# there within the time limit (with its statistics asked for in the command
# itself, which reaches every machine), its exit status and wall time written
# beside its output. The job itself fails only when the folder or the program
# is not there. Columns: folder, DIR, the program here, the program elsewhere.
NO_FOLDER, NO_PROGRAM = 3, 4
JOB = ('if [ "$PARALLEL_SSHLOGIN" = : ]; then cd {2}/{1} && p={3}; else cd {1} && p={4}; fi '
       f'|| exit {NO_FOLDER}; command -v "$p" > /dev/null || '
       f'{{ echo "{PROG}: $p is not installed on $(uname -n)" >&2; exit {NO_PROGRAM}; }}; '
       's=$(date +%s%N); LIMIT"$p" params.txt < /dev/null > stdout 2> stderr; echo $? > status; '
       "ms=$((($(date +%s%N) - s) / 1000000)); "
       "printf '%d.%03d\\n' $((ms / 1000)) $((ms % 1000)) > seconds")
TIMED_OUT = 124  # the status of a program that timeout(1) stopped

USAGE = ("%(prog)s PROGRAM BASE_FILE --set NAME=V1,V2,... [--set ...] -o DIR [-j N]\n"
         "       [--sshloginfile FILE] [--timeout SECONDS] [--resume] [--stats] [--plot]\n"
         "       [--optimum VALUE]")
EPILOG = (f"names: tarsel, tarnox: {', '.join(OPTIMISER)}; sakora: {', '.join(KNAPSACK)}\n"
          f"example: {PROG} tarsel examples/tarsel.txt --set VEL_POP=20,50,100 "
          "--set p_mut=0.001,0.01 -o study --plot")



@dataclasses.dataclass
class Setting:
    folder: str  # NAME=VALUE/NAME=VALUE/..., its place in DIR
    values: dict  # the value of each name of the grid, the program among them
    program: str  # tarsel, tarnox or sakora
    text: bytes  # its parameter or problem file


@dataclasses.dataclass
class Result:
    outcome: str  # done, refused or failed
    reason: str = ""  # refused: the program's message; failed: what went wrong
    status: str = ""  # the program's exit status, when it ended
    seconds: str = ""  # the program's wall time, when it ended
    runs: list = dataclasses.field(default_factory=list)  # (x, f) or (bits, value) per run
    figures: dict = dataclasses.field(default_factory=dict)  # run: its figures from STATS


@dataclasses.dataclass
class Job:
    host: str  # the machine as the machines file names it, ':' for this one
    exitval: int
    signal: int



def parse(argv):
    parser = Parser(f"see {PROG} --help", prog=PROG, usage=USAGE, description=__doc__, epilog=EPILOG,
                    formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("program", metavar="PROGRAM", help="tarsel, tarnox, sakora, or a list")
    parser.add_argument("base", metavar="BASE_FILE", help="parameter or problem file")
    parser.add_argument("--set", action="append", required=True, metavar="NAME=V1,V2,...",
                        help="the values of one name to try (repeat for more names)")
    parser.add_argument("-o", dest="out", required=True, metavar="DIR",
                        help="the folder of the sweep")
    parser.add_argument("-j", dest="jobs", type=int, metavar="N",
                        help="jobs at a time per machine (default: one per core)")
    parser.add_argument("--sshloginfile", metavar="FILE",
                        help="run on the machines in FILE (':' is this one)")
    parser.add_argument("--timeout", type=float, metavar="SECONDS",
                        help="stop a setting's program after SECONDS: it fails")
    parser.add_argument("--resume", action="store_true",
                        help="finish the sweep in DIR: run every setting not done or refused")
    parser.add_argument("--stats", action="store_true",
                        help=f"keep each setting's statistics of every generation, {STATS}, "
                        "and sum them up in the tables")
    parser.add_argument("--plot", action="store_true", help="draw DIR/sweep.png (matplotlib)")
    parser.add_argument("--optimum", type=float, metavar="VALUE",
                        help="count the runs that reach VALUE (default: the best value seen)")
    args = parser.parse_args(argv)
    if args.jobs is not None and args.jobs < 1:
        raise Refusal(f"-j takes a whole number above 0, not {args.jobs}")
    if args.timeout is not None and not args.timeout >= 0.001:
        raise Refusal(f"--timeout takes seconds, at least 0.001, not {args.timeout:g}")
    return args


def executable(path):
    return bool(path) and os.path.isfile(path) and os.access(path, os.X_OK)


def programs(listed):
    """The programs of PROGRAM: their kinds, the command that runs each here,
    and the one for other machines (a bare name: found on their PATH)."""
    kinds, here, elsewhere = [], {}, {}
    for program in listed.split(","):
        kind = os.path.basename(program)
        if kind not in LAYOUT:
            raise Refusal(f"PROGRAM must be tarsel, tarnox or sakora, not '{program}'")
        if kind in here:
            raise Refusal("PROGRAM names a program twice")
        if "/" in program:
            here[kind] = elsewhere[kind] = os.path.abspath(program)
            if not executable(here[kind]):
                raise Refusal(f"{program} is not an executable file")
        else:
            beside = os.path.join(os.path.dirname(os.path.realpath(sys.argv[0])), program)
            found = beside if executable(beside) else shutil.which(program)
            if not found:
                raise Refusal(f"cannot find {program} beside {PROG} or on PATH")
            here[kind], elsewhere[kind] = os.path.abspath(found), program
        kinds.append(kind)
    if len({LAYOUT[kind] is KNAPSACK for kind in kinds}) > 1:
        raise Refusal("sakora reads a problem file, tarsel and tarnox a parameter "
                      "file: they cannot share a sweep")
    return kinds, here, elsewhere


def grid(kinds, sets):
    """The dimensions: (name, values), the programs first when several. The
    programs judge the values; here only what is not a value at all."""
    names = LAYOUT[kinds[0]]
    dims = [("program", kinds)] if len(kinds) > 1 else []
    for item in sets:
        name, _, listed = item.partition("=")
        if name not in names:
            raise Refusal(f"{kinds[0]} has no value named '{name}' (it has {', '.join(names)})")
        if name in (known for known, _ in dims):
            raise Refusal(f"{name} is set twice")
        values = listed.split(",")
        if not listed or "" in values:
            raise Refusal(f"--set {item} leaves the grid empty: give values after {name}=")
        for value in values:
            if not TOKEN.fullmatch(os.fsencode(value)):
                raise Refusal(f"--set {item}: '{value}' holds white space; commas "
                              "separate the values")
            if re.match(r"[+-]?0\d", value):  # 0,01 split into 0 and 01
                raise Refusal(f"--set {item}: '{value}' starts with 0 and a digit: decimals "
                              "are written after a point, as in 0.01; commas separate the values")
        if len(set(values)) < len(values):
            raise Refusal(f"--set {item} lists a value twice")
        dims.append((name, values))
    return dims


def place(kind, name, tokens):
    """Where NAME's value stands among the tokens of a file the program reads."""
    if name == "C":
        return 6 + 2 * int(tokens[5].group())
    return list(LAYOUT[kind]).index(name)


def substitute(text, kind, values):
    """TEXT, a file the program reads, with the named values replaced."""
    tokens = list(TOKEN.finditer(text))
    for at, value in sorted(((place(kind, n, tokens), v) for n, v in values.items()),
                            reverse=True):  # from the end, so that the earlier spans stay put
        text = text[:tokens[at].start()] + os.fsencode(value) + text[tokens[at].end():]
    return text


def environment(*names):
    """This process's environment for the programs: the names given set to 1,
    and none of the files that only --stats asks for."""
    return {**{n: v for n, v in os.environ.items() if n not in ASKED + (STOP,)},
            **dict.fromkeys(names, "1")}


def cannot_read(program, text, folder):
    """The program's own message when it cannot read TEXT, None when it can:
    it reads TEXT as its input and stops (STOP), running nothing."""
    path = os.path.join(folder, "params.txt")
    with open(path, "wb") as f:
        f.write(text)
    try:
        read = subprocess.run([program, path], cwd=folder, env=environment(STOP),
                              stdin=subprocess.DEVNULL, capture_output=True, timeout=60)
    except subprocess.TimeoutExpired:
        return f"{program} did not stop after reading: is it older than {PROG}?"
    except OSError as e:
        return f"{program} cannot run: {e.strerror}"
    message = read.stderr.decode(errors="replace").strip().split("\n")[0]
    return None if read.returncode == 0 else message or f"status {read.returncode}"


def check_reading(kinds, here, base, base_name, dims):
    """Each program reads the base file, and each value in its place, as it
    would in the sweep: what one cannot read refuses the sweep. Values that
    read but lie outside a program's limits are its refusals, in the table."""
    with tempfile.TemporaryDirectory() as folder:
        for kind in kinds:
            problem = cannot_read(here[kind], base, folder)
            if problem:
                raise Refusal(f"{kind} cannot read {base_name}: {problem}")
        for (name, values), kind in itertools.product(dims, kinds):
            for value in values if name != "program" else []:
                problem = cannot_read(here[kind], substitute(base, kind, {name: value}), folder)
                if problem:
                    raise Refusal(f"{kind} cannot read {name}={value}: {problem}")


def logins(path):
    """The machines of a machines file, one a line, as GNU parallel reads them."""
    try:
        with open(path) as f:
            return [line.strip() for line in f if line.strip() and not line.startswith("#")]
    except (OSError, UnicodeDecodeError) as e:
        raise Refusal(f"cannot read {path}: {getattr(e, 'strerror', None) or e}")


def is_remote(login):
    return not re.fullmatch(r"(\d+/)?:", login)


def answering(machines, env):
    """The machines that run a command now; each of the others is left out
    with a word, so that a machine that is lost cannot fail every job."""
    with tempfile.TemporaryDirectory() as folder:
        listed, log = os.path.join(folder, "machines"), os.path.join(folder, "log")
        with open(listed, "w") as f:
            f.write("".join(login + "\n" for login in machines))
        subprocess.run(["parallel", "--will-cite", "--nonall", "--timeout", "30",
                        "--sshloginfile", listed, "--joblog", log, "true"], env=env,
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        try:
            with open(log) as f:
                answered = {line.split("\t")[1] for line in f.readlines()[1:]
                            if line.split("\t")[6] == "0"}
        except (OSError, IndexError):
            return machines  # GNU parallel itself will say what is wrong
    kept = [login for login in machines if re.sub(r"^\d+/", "", login) in answered]
    for login in machines:
        if login not in kept:
            print(f"{PROG}: leaving out {login}: it does not answer", file=sys.stderr)
    return kept


def check_tools(args, remote):
    try:
        version = subprocess.run(["parallel", "--version"], capture_output=True, text=True,
                                 stdin=subprocess.DEVNULL).stdout
    except OSError:
        version = ""
    if not version.startswith("GNU parallel"):
        raise Refusal("GNU parallel is not installed (Debian: apt-get install parallel)")
    if remote and not shutil.which("rsync"):
        raise Refusal("rsync is not installed, and a sweep over machines needs it "
                      "(Debian: apt-get install rsync)")
    if args.plot:
        pyplot("--plot")


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


def run(args, out, pending, here, elsewhere, machines):
    """Writes the folders of the pending settings afresh and runs them, on
    this machine or on the machines that answer; returns why a setting that
    has no job did not run."""
    # The job is sh syntax whatever the user's shell; GNU parallel quotes the
    # paths it hands to rsync itself, which rsync 3.2.4 and later must be told.
    env = dict(environment(), PARALLEL_SHELL="/bin/sh", RSYNC_OLD_ARGS="1")
    if os.path.exists(os.path.join(out, "joblog")):
        os.remove(os.path.join(out, "joblog"))
    remote = machines is not None and any(map(is_remote, machines))
    if remote:
        machines = answering(machines, env)
        remote = any(map(is_remote, machines))
        if not machines:
            return "no machine answered"
    for setting in pending:
        folder = os.path.join(out, setting.folder)
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)
        with open(os.path.join(folder, "params.txt"), "wb") as f:
            f.write(setting.text)
    command = ["parallel", "--will-cite", "--colsep", "\t", "--joblog", "joblog"]
    command += ["--jobs", str(args.jobs)] if args.jobs else []
    command += ["--bar"] if sys.stderr.isatty() else []
    if remote:  # each job in a folder of its own there, removed once its results are back
        command += ["--workdir", "...", "--transferfile", "{1}/params.txt", "--return", "{1}",
                    "--cleanup"]
    limit = f"timeout -k 10 {args.timeout:.3f} " if args.timeout else ""
    jobs = "".join(f"{s.folder}\t{os.path.abspath(out)}\t{here[s.program]}\t"
                   f"{elsewhere[s.program]}\n" for s in pending)
    with tempfile.TemporaryDirectory() as scratch:
        if machines is not None:
            with open(os.path.join(scratch, "machines"), "w") as f:
                f.write("".join(login + "\n" for login in machines))
            command += ["--sshloginfile", os.path.join(scratch, "machines")]
        command.append(JOB.replace("LIMIT", (f"{ASKED[0]}={STATS} " if args.stats else "")
                                   + limit))
        with subprocess.Popen(command, stdin=subprocess.PIPE, text=True, cwd=out,
                              env=env) as jobs_run:
            try:
                jobs_run.communicate(jobs)
            except KeyboardInterrupt:  # GNU parallel has it too, and stops its jobs
                jobs_run.wait()
    return "the sweep was stopped before it ended"


def jobs_of(out, pending):
    """This run's line of GNU parallel's job log for each setting it started."""
    jobs = {}
    try:
        with open(os.path.join(out, "joblog")) as log:
            for line in log.readlines()[1:]:
                seq, host, *_, exitval, sig, _ = line.split("\t", 8)
                jobs[pending[int(seq) - 1].folder] = Job(host, int(exitval), int(sig))
    except (OSError, ValueError, IndexError):
        pass
    return jobs


def read(folder, name):
    try:
        with open(os.path.join(folder, name), "rb") as f:
            return f.read()
    except OSError:
        return None


def signal_name(number):
    try:
        return signal.Signals(number).name
    except ValueError:
        return str(number)


def not_ended(job, program, unstarted):
    """Why a program that wrote no status did not end, from its job."""
    if job is None:
        return unstarted
    where = "this machine" if job.host == ":" else job.host.split()[-1]
    if job.signal:
        return f"the job was stopped by {signal_name(job.signal)} on {where}"
    return {NO_PROGRAM: f"{program} is not installed on {where}",
            NO_FOLDER: f"its parameter file did not reach {where}: is rsync installed there?",
            255: f"the connection to {where} failed or broke (ssh status 255)",
            0: f"its results did not come back from {where}"}.get(
                job.exitval, f"the job ended with status {job.exitval} on {where}")


def whole(setting, name):
    """A count in the setting's file, none when below 0."""
    tokens = list(TOKEN.finditer(setting.text))
    return max(int(tokens[place(setting.program, name, tokens)].group()), 0)


def generations(setting):
    """The generations of all the runs of a setting: the optimisers make 10 runs."""
    runs = 10 if LAYOUT[setting.program] is OPTIMISER else whole(setting, "runs")
    return runs * whole(setting, "numiter")


def missing_result(folder, setting, stdout):
    """What is missing from the results of a program that ended with status
    0, None when they are whole: standard output up to the closing prompt,
    and an optimiser's log of 10 runs of numiter generations."""
    if stdout is None or read(folder, "stderr") is None:
        return "its output is missing from its folder"
    if not stdout.rstrip(b"\n").rstrip(b".").endswith(CLOSING):
        return "its standard output ends before the closing prompt"
    if LAYOUT[setting.program] is OPTIMISER:
        log = read(folder, "analiza.txt")
        lines = 0 if log is None else log.count(b"\n")
        if lines != generations(setting):
            return f"analiza.txt holds {lines} lines, not {generations(setting)}"
    return None


def figures_of(folder, setting):
    """From a setting's STATS, a row per generation of every run: the reason
    it is not whole, or None and, per run, the generation at which the run
    first reached its final best (the first row whose best is the last
    best_so_far) and the last row's diversity, as the program wrote them."""
    text = read(folder, STATS)
    if text is None:
        return f"{STATS} is missing from its folder", {}
    rows = max(text.count(b"\n") - 1, 0)  # whole lines after the header
    if rows != generations(setting):
        return f"{STATS} holds {rows} rows, not {generations(setting)}", {}
    lines = text[:text.rfind(b"\n") + 1].decode(errors="replace").splitlines()
    by_run = {}
    try:
        for row in csv.DictReader(lines):
            by_run.setdefault(row["run"], []).append(row)
        return None, {int(run): (next(r["generation"] for r in group
                                      if float(r["best"]) == float(group[-1]["best_so_far"])),
                                 group[-1]["diversity"]) for run, group in by_run.items()}
    except (csv.Error, KeyError, ValueError, TypeError, StopIteration):
        return f"{STATS} is not a statistics file", {}


def judge(out, setting, stats, job=None, unstarted="not run"):
    """The outcome of a setting from its folder in DIR, with its STATS when
    STATS is asked for; when its program did not end there, the reason from
    its job in this run, or UNSTARTED."""
    folder = os.path.join(out, setting.folder)
    try:
        status = int(read(folder, "status"))
    except (TypeError, ValueError):
        return Result("failed", not_ended(job, setting.program, unstarted))
    seconds = (read(folder, "seconds") or b"").decode(errors="replace").strip()
    stdout = read(folder, "stdout")
    message = (read(folder, "stderr") or b"").decode(errors="replace").strip().split("\n")[0]
    ended = Result("failed", "", str(status), seconds)
    if status == 0:
        ended.reason, figures = missing_result(folder, setting, stdout), {}
        if ended.reason is None and stats:
            ended.reason, figures = figures_of(folder, setting)
        if ended.reason is None:
            lines = stdout.decode(errors="replace").split("\n")
            runs = [line.split()[2:] for line in lines if line.startswith("Najbolja jedinka")]
            ended = Result("done", "", "0", seconds, [("".join(r[:-1]), r[-1]) for r in runs if r],
                           figures)
    elif status == 1 and message:
        ended.outcome, ended.reason = "refused", message
    elif status == TIMED_OUT:
        ended.reason = f"stopped at the time limit, after {seconds} s"
    elif status > 128:
        ended.reason = f"{setting.program} was killed by {signal_name(status - 128)}"
    else:
        ended.reason = f"{setting.program} ended with status {status}" + \
            (f": {message}" if message else "")
    return ended


def columns(kind):
    """The names of a run's detail and value, as runs.csv gives them."""
    return ("bits", "value") if kind == "sakora" else ("x", "f")


FIGURES = ("generation_of_best", "final_diversity")  # a run's, from STATS


def write_runs(out, names, settings, results, stats):
    with open(os.path.join(out, "runs.csv"), "w", newline="") as f:
        rows = csv.writer(f, lineterminator="\n")
        rows.writerow(["folder", *names, "run", *columns(settings[0].program),
                       *(FIGURES if stats else ())])
        for setting, result in zip(settings, results):
            for number, (detail, value) in enumerate(result.runs, 1):
                rows.writerow([setting.folder, *(setting.values[n] for n in names), number,
                               detail, value,
                               *(result.figures.get(number, ("", "")) if stats else ())])


def mean(values):
    return f"{sum(values) / len(values):.6f}" if values else ""


def summarise(names, settings, results, target, stats):
    """One row per setting: its values, outcome and statistics of its runs."""
    summary = []
    for setting, result in zip(settings, results):
        vs = [float(v) for _, v in result.runs]
        values = [mean(vs), *(f"{s:.6f}" for s in (min(vs), max(vs)))] if vs else [""] * 3
        row = {"folder": setting.folder, **{n: setting.values[n] for n in names},
               "outcome": result.outcome, "status": result.status,
               "seconds": result.seconds, "run_count": len(vs),
               **dict(zip(("mean", "min", "max"), values)),
               "reached": sum(v >= target for v in vs)}
        if stats:
            found = result.figures.values()
            row["mean_" + FIGURES[0]] = mean([int(g) for g, _ in found])
            row["mean_" + FIGURES[1]] = mean([float(d) for _, d in found])
        summary.append({**row, "reason": result.reason})
    return summary


def write_summary(out, summary):
    with open(os.path.join(out, "summary.csv"), "w", newline="") as f:
        rows = csv.DictWriter(f, list(summary[0]), lineterminator="\n")
        rows.writeheader()
        rows.writerows(summary)


def print_summary(summary, target, optimum):
    """The counts of the outcomes, the five best settings done, and every
    setting refused or failed with its reason."""
    count = {outcome: sum(row["outcome"] == outcome for row in summary)
             for outcome in ("done", "refused", "failed")}
    done = [row for row in summary if row["run_count"]]
    # With no run done there is no value seen, and nothing reached it.
    print(f"{len(summary)} settings: {count['done']} done, {count['refused']} refused, "
          f"{count['failed']} failed"
          + (f"; 'reached' counts the runs at "
             f"{'the optimum' if optimum else 'the best value seen'}, {target:.6f}. The best:"
             if done else "."))
    table = [["setting", "mean", "min", "max", "reached"]] if done else []
    table += [[row["folder"], row["mean"], row["min"], row["max"],
               f"{row['reached']}/{row['run_count']}"]
              for row in sorted(done, key=lambda row: (-float(row["mean"]), -row["reached"]))[:5]]
    widths = [max((len(r[i]) for r in table), default=0) for i in range(5)]
    for r in table:
        print(r[0].ljust(widths[0]), *(c.rjust(w) for c, w in zip(r[1:], widths[1:])))
    for row in summary:
        if row["outcome"] != "done":
            print(f"{row['outcome']}: {row['folder']}: {row['reason']}")


def label(kind, name):
    return f"{name} ({LAYOUT[kind][name]})" if name in LAYOUT[kind] else name


def plot(out, dims, settings, results, title):
    plt = pyplot()
    kind, value = settings[0].program, columns(settings[0].program)[1]
    varying = [(n, v) for n, v in dims if len(v) > 1]
    figure, axes = plt.subplots(figsize=(8, 5), dpi=80, constrained_layout=True)
    if len(varying) == 2:  # a heat map of the mean values
        (rows, row_values), (cols, col_values) = varying
        means = [[float("nan")] * len(col_values) for _ in row_values]
        outcomes = [[""] * len(col_values) for _ in row_values]
        for setting, result in zip(settings, results):
            i, j = row_values.index(setting.values[rows]), col_values.index(setting.values[cols])
            outcomes[i][j] = result.outcome
            if result.runs:
                means[i][j] = sum(float(v) for _, v in result.runs) / len(result.runs)
        image = axes.imshow(means, cmap="viridis", aspect="auto")
        figure.colorbar(image, label=f"mean {value} of the runs")
        for (i, j) in itertools.product(range(len(row_values)), range(len(col_values))):
            mean = means[i][j]
            light = mean == mean and image.norm(mean) > 0.6
            axes.text(j, i, f"{mean:.7g}" if mean == mean else outcomes[i][j], ha="center",
                      va="center", color="black" if light else "white", fontsize="small")
        axes.set_xticks(range(len(col_values)), col_values)
        axes.set_yticks(range(len(row_values)), row_values)
        axes.set_xlabel(label(kind, cols))
        axes.set_ylabel(label(kind, rows))
    else:  # the run values of every setting, side by side
        for x, result in enumerate(results):
            vs = [float(v) for _, v in result.runs]
            axes.plot([x] * len(vs), vs, "o", color="tab:blue", alpha=0.4, markersize=5)
            if vs:
                axes.plot([x], [sum(vs) / len(vs)], "_", color="tab:red", markersize=20)
        single = len(varying) == 1
        labels = [(s.values[varying[0][0]] if single else s.folder)
                  + ("" if r.runs else f"\n({r.outcome})") for s, r in zip(settings, results)]
        axes.set_xticks(range(len(settings)), labels, rotation=0 if single else 90,
                        fontsize="small")
        axes.set_xlabel(label(kind, varying[0][0]) if single else "setting")
        axes.set_ylabel(f"{value} of each run (red: mean)")
        axes.grid(True, linewidth=0.3)
    axes.set_title(title)
    figure.savefig(os.path.join(out, "sweep.png"), format="png")


def main(argv):
    try:
        args = parse(argv)
        kinds, here, elsewhere = programs(args.program)
        dims = grid(kinds, args.set)
        try:
            with open(args.base, "rb") as f:
                base = f.read()
        except OSError as e:
            raise Refusal(f"cannot read {args.base}: {e.strerror}")
        check_reading(kinds, here, base, args.base, dims)
        machines = logins(args.sshloginfile) if args.sshloginfile else None
        check_tools(args, machines is not None and any(map(is_remote, machines)))
        out = args.out
        for text in (os.path.abspath(out), *here.values()):
            if "\t" in text or "\n" in text:
                raise Refusal(f"'{text}' holds a tab or a line end, which GNU parallel's input "
                              "cannot carry")
        record = {"programs": kinds, "base": base.decode("latin-1"),
                  "grid": [list(d) for d in dims], **({"stats": True} if args.stats else {})}
        check_folder(out, record, args.resume)
    except Refusal as e:
        print(f"{PROG}: {e}", file=sys.stderr)
        return 1
    names = [name for name, _ in dims]
    settings = []
    for combination in itertools.product(*(values for _, values in dims)):
        values = dict(zip(names, combination))
        program = values.get("program", kinds[0])
        settable = {n: v for n, v in values.items() if n != "program"}
        settings.append(Setting("/".join(f"{n}={v}" for n, v in values.items()), values,
                                program, substitute(base, program, settable)))
    os.makedirs(out, exist_ok=True)
    with open(os.path.join(out, "sweep.json"), "w") as f:
        json.dump(record, f, indent=1)
    pending = [s for s in settings if judge(out, s, args.stats).outcome == "failed"]
    unstarted, jobs = "", {}
    if pending:
        unstarted = run(args, out, pending, here, elsewhere, machines)
        jobs = jobs_of(out, pending)
    results = [judge(out, s, args.stats, jobs.get(s.folder), unstarted) for s in settings]
    write_runs(out, names, settings, results, args.stats)
    seen = [float(v) for result in results for _, v in result.runs]
    target = args.optimum if args.optimum is not None else max(seen, default=0.0)
    summary = summarise(names, settings, results, target, args.stats)
    write_summary(out, summary)
    print_summary(summary, target, args.optimum is not None)
    if args.plot:
        plot(out, dims, settings, results,
             f"{', '.join(kinds)} on {os.path.basename(args.base)}: {len(settings)} settings")
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

