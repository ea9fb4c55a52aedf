"""Judging a setting from its folder in DIR alone, however it ran: done,
refused or failed, with the results of its runs or the reason."""
import csv
import dataclasses
import os
import signal

from .grid import LAYOUT, OPTIMISER, generations

CLOSING = b"Ucitajte neki znak za kraj"  # the closing prompt, printed after the last run
STATS = "stats.csv"  # a setting's statistics of every generation, with --stats
CHECKPOINT = "checkpoint"  # where a setting's program keeps what its rest depends on
TIMED_OUT = 124  # the status the job writes when the time limit stopped its program
FIGURES = ("generation_of_best", "final_diversity")  # a run's, from STATS


@dataclasses.dataclass
class Result:
    outcome: str  # done, refused or failed
    reason: str = ""  # refused: the program's message; failed: what went wrong
    status: str = ""  # the program's exit status, when it ended
    seconds: str = ""  # the program's wall time, when it ended
    runs: list = dataclasses.field(default_factory=list)  # (x, f) or (bits, value) per run
    figures: dict = dataclasses.field(default_factory=dict)  # run: its FIGURES


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


def status_of(folder):
    """The program's exit status as the job wrote it, None before it ended."""
    try:
        return int(read(folder, "status"))
    except (TypeError, ValueError):
        return None


def resumable(folder):
    """Whether the folder holds a checkpoint that the program has not refused."""
    return os.path.exists(os.path.join(folder, CHECKPOINT)) and status_of(folder) != 1


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
        n = generations(setting)
        if lines != n:
            return f"analiza.txt holds {lines} lines, not {n}"
    return None


def settled(rows):
    """The generation from which a run's best stayed at the value it ends
    with: that of the row after the last one whose best differs from the
    last row's, or of the first row when none does."""
    last = float(rows[-1]["best"])
    since = next((i + 1 for i in range(len(rows) - 1, -1, -1)
                  if float(rows[i]["best"]) != last), 0)
    return rows[since]["generation"]


def figures_of(folder, setting):
    """From a setting's STATS, a row per generation of every run: the reason
    it is not whole, or None and, per run, the generation from which its
    best stayed at its final value and the last row's diversity, as the
    program wrote them."""
    text = read(folder, STATS)
    if text is None:
        return f"{STATS} is missing from its folder", {}
    rows = max(text.count(b"\n") - 1, 0)  # whole lines after the header
    n = generations(setting)
    if rows != n:
        return f"{STATS} holds {rows} rows, not {n}", {}
    lines = text[:text.rfind(b"\n") + 1].decode(errors="replace").splitlines()
    by_run = {}
    try:
        for row in csv.DictReader(lines):
            by_run.setdefault(row["run"], []).append(row)
        return None, {int(run): (settled(group), group[-1]["diversity"])
                      for run, group in by_run.items()}
    except (csv.Error, KeyError, ValueError, TypeError):
        return f"{STATS} is not a statistics file", {}


def ended(folder, setting, status, stats):
    """The outcome of a program that wrote its status."""
    seconds = (read(folder, "seconds") or b"").decode(errors="replace").strip()
    stdout = read(folder, "stdout")
    message = (read(folder, "stderr") or b"").decode(errors="replace").strip().split("\n")[0]
    result = Result("failed", "", str(status), seconds)
    if status == 0:
        result.reason, figures = missing_result(folder, setting, stdout), {}
        if result.reason is None and stats:
            result.reason, figures = figures_of(folder, setting)
        if result.reason is None:
            lines = stdout.decode(errors="replace").split("\n")
            runs = [line.split()[2:] for line in lines if line.startswith("Najbolja jedinka")]
            result = Result("done", "", "0", seconds,
                            [("".join(r[:-1]), r[-1]) for r in runs if r], figures)
    elif status == 1 and os.path.exists(os.path.join(folder, CHECKPOINT)):
        result.reason = (f"{setting.program} refused its checkpoint: {message}; "
                         "--resume runs it afresh")
    elif status == 1 and message:
        result.outcome, result.reason = "refused", message
    elif status == TIMED_OUT:
        result.reason = f"stopped at the time limit, after {seconds} s"
    elif status > 128:
        result.reason = f"{setting.program} was stopped by {signal_name(status - 128)}"
    else:
        result.reason = f"{setting.program} ended with status {status}" + \
            (f": {message}" if message else "")
    return result


def judge(out, setting, stats, why="not run", word=None):
    """The outcome of a setting from its folder in DIR, with its STATS when
    STATS is asked for; WHY is the reason when its program did not end, and
    WORD, when given, the reason when a signal ended it (what stopped it)."""
    folder = os.path.join(out, setting.folder)
    status = status_of(folder)
    result = Result("failed", why) if status is None else ended(folder, setting, status, stats)
    if word and result.outcome == "failed" and status is not None and status > 128:
        result.reason = word
    if result.outcome == "failed" and resumable(folder):
        result.reason += "; its checkpoint continues it with --resume"
    return result
