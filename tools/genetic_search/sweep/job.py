"""One job, however it runs: the setting's folder made ready in DIR, the sh
commands that run its program there and write its status and seconds, and
what the ways to run share about a stop."""
import contextlib
import os
import shutil
import signal

from .judge import CHECKPOINT, STATS, TIMED_OUT, resumable

NO_FOLDER, NO_PROGRAM = 3, 4  # the job's own status when it cannot run the program
GRACE = 10  # seconds between the stop at the time limit and the kill
SECONDS = "GENETIC_CHECKPOINT_SECONDS"  # how often a checkpoint is written, passed on
STOPPED = "the sweep was stopped before it ended"  # why a job that never ended failed


def prepare(out, pending):
    """Each pending setting's folder in DIR: one that holds a checkpoint is
    kept for its program to go on from, the others are made afresh."""
    for setting in pending:
        folder = os.path.join(out, setting.folder)
        if resumable(folder):
            for name in ("status", "seconds"):
                if os.path.exists(os.path.join(folder, name)):
                    os.remove(os.path.join(folder, name))
        else:
            shutil.rmtree(folder, ignore_errors=True)
            os.makedirs(folder)
        with open(os.path.join(folder, "params.txt"), "wb") as f:
            f.write(setting.text)


@contextlib.contextmanager
def ctrl_c_ignored():
    """Ctrl-C ignored meanwhile, by this process and by the commands it starts."""
    before = signal.signal(signal.SIGINT, signal.SIG_IGN)
    try:
        yield
    finally:
        signal.signal(signal.SIGINT, before)


def commands(stats, timeout):
    """The sh commands of a job, once the variables f (the folder), p (the
    program) and h (the machine, for a message) are set. The program runs in
    the background, so that the job's shell outlives the signals of a stop
    and writes the status, and every stop reaches the program once: from the
    stop itself (GNU parallel signals the job's process group, Slurm every
    process of the task) or, at the time limit, from the job. The folder
    holds no status or seconds: prepare() took them away."""
    every = os.environ.get(SECONDS)
    asked = f"GENETIC_CHECKPOINT={CHECKPOINT} " + (f"GENETIC_STATS={STATS} " if stats else "") \
        + (f"{SECONDS}={every} " if every is not None else "")
    limit = ("( trap 'kill $z 2> /dev/null; wait $z; exit' TERM; "
             f"sleep {timeout:.3f} & z=$!; wait $z && kill -TERM $pid || exit; "
             f"echo {TIMED_OUT} > status; sleep {GRACE} & z=$!; wait $z && kill -KILL $pid ) "
             "> /dev/null 2>&1 & w=$!;") if timeout else ""
    return " ".join([
        f'cd "$f" || exit {NO_FOLDER};',
        f'command -v "$p" > /dev/null || {{ echo "genetic-sweep: $p is not installed on $h" >&2; '
        f'exit {NO_PROGRAM}; }};',
        "w=; trap : INT TERM HUP; s=$(date +%s%N);",
        f'{asked}"$p" params.txt < /dev/null > stdout 2> stderr & pid=$!;', limit,
        "wait $pid; st=$?;",
        "while kill -0 $pid 2> /dev/null; do wait $pid; st=$?; done;",
        '[ -z "$w" ] || kill $w 2> /dev/null;',
        '[ "$st" != 0 ] && [ -s status ] || echo $st > status;',
        "ms=$((($(date +%s%N) - s) / 1000000));",
        "printf '%d.%03d\\n' $((ms / 1000)) $((ms % 1000)) > seconds"])
