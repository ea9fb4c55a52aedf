"""The programs of a sweep: where each is found, the environment they get, and
their own check of the base file and of every value before anything starts."""
import itertools
import os
import shutil
import subprocess
import sys
import tempfile

from ..common import Refusal
from .grid import KNAPSACK, LAYOUT, substitute

STOP = "GENETIC_SEARCH_STOP_AFTER_READING"  # the programs' opt-in: read, then stop
# The programs' files on request: the job's command decides them, on every machine.
ASKED = ("GENETIC_STATS", "GENETIC_BITS", "GENETIC_CHECKPOINT")


def executable(path):
    return bool(path) and os.path.isfile(path) and os.access(path, os.X_OK)


def find(listed):
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
                raise Refusal(f"cannot find {program} beside genetic-sweep or on PATH")
            here[kind], elsewhere[kind] = os.path.abspath(found), program
        kinds.append(kind)
    if len({LAYOUT[kind] is KNAPSACK for kind in kinds}) > 1:
        raise Refusal("sakora reads a problem file, tarsel and tarnox a parameter "
                      "file: they cannot share a sweep")
    return kinds, here, elsewhere


def environment(*names):
    """This process's environment for the programs: the names given set to 1,
    and none of the files that the job's command asks for."""
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
        return f"{program} did not stop after reading: is it older than genetic-sweep?"
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
