#!/usr/bin/env python3
"""The suite leaves the machine as it found it.

    machine_state.py record|compare STATE_DIR BUILD_DIR SOURCE_DIR

`record`, before every other test, keeps in STATE_DIR the packages that dpkg
knows, the files on the root's device with their sizes and times, and the
processes running; `compare`, after every other test, fails naming each
package installed, removed or changed, each file added, removed or changed
and each process that a test started and left running. CTest gives every
test MACHINE_STATE=BUILD_DIR in its environment: that marks the processes.
"""
import os, subprocess, sys

# Changed while the suite runs, and not by the suite: these are left out.
LEFT_OUT = [
    "/proc", "/sys", "/dev", "/run",  # the kernel's and the running system's
    "/tmp", "/var/tmp",               # the temporary folders, free to use
]
# What it is when a line is new, or gone.
WORDS = {"packages": ("installed", "removed"), "files": ("added", "removed"),
         "processes": ("left running", None)}


def packages():
    try:
        return subprocess.run(["dpkg-query", "-W", "-f", "${binary:Package}\t${Version} ${Status}\n"],
                              capture_output=True, text=True).stdout
    except FileNotFoundError:
        return ""


def files(build, source):
    """One line per file: its path, and for all but folders its size and time."""
    # Beside the checkout lie other people's folders, which they change meanwhile.
    parent = os.path.dirname(source)
    beside = [os.path.join(parent, name) for name in os.listdir(parent)] if parent != "/" else []
    left_out = LEFT_OUT + [build] + [path for path in beside if path != source]
    prune = [a for path in left_out for a in ("-o", "-path", path)][1:]
    return subprocess.run(["find", "/", "-xdev", "(", *prune, ")", "-prune", "-o",
                           "-type", "d", "-printf", "%p/\n", "-o", "-printf", "%p\t%s\t%T@\n"],
                          capture_output=True, text=True).stdout


def processes(build):
    """pid and command of each process whose environment carries the mark."""
    found = []
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/environ", "rb") as f:
                if f"MACHINE_STATE={build}".encode() not in f.read().split(b"\0"):
                    continue
            with open(f"/proc/{pid}/cmdline", "rb") as f:
                command = f.read().replace(b"\0", b" ").decode(errors="replace")
            found.append(f"{pid}\t{command}")
        except OSError:
            continue
    return "\n".join(found) + "\n"


def main(action, state, build, source):
    build, source = os.path.realpath(build), os.path.realpath(source)
    now = {"packages": packages(), "files": files(build, source), "processes": processes(build)}
    if action == "record":
        os.makedirs(state, exist_ok=True)
        for name, text in now.items():
            with open(os.path.join(state, name), "w") as f:
                f.write(text)
        return 0
    failed = 0
    for name, text in now.items():
        with open(os.path.join(state, name)) as f:
            before, after = set(f.read().splitlines()), set(text.splitlines())
        gone = dict(line.partition("\t")[::2] for line in before - after)
        came = dict(line.partition("\t")[::2] for line in after - before)
        if name == "processes":
            gone = {}  # a process that ended is no fault
        added, removed = WORDS[name]
        for key in sorted(gone.keys() | came.keys()):
            what = added if key not in gone else removed if key not in came else "changed"
            print(f"{name}: {what}: {key} {came.get(key, gone.get(key))}")
            failed = 1
    return failed


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:5]))
