#!/usr/bin/env python3
"""The suite leaves the machine as it found it.

    machine_state.py record|compare STATE_DIR BUILD_DIR SOURCE_DIR

`record`, before every other test, keeps in STATE_DIR the packages that dpkg
knows, the files of the root's device with their sizes and times, and the
processes that carry the mark MACHINE_STATE=BUILD_DIR, which CTest puts in
every test's environment; `compare`, after every other test, fails naming
each package installed, removed or changed, each file added, removed or
changed, and each marked process that a test left running.
"""
import os, shutil, subprocess, sys

# Changed while the suite runs, and not by the suite: these are left out.
LEFT_OUT = ["/proc", "/sys", "/dev", "/run",  # the kernel's and the running system's
            "/tmp", "/var/tmp"]               # the temporary folders, free to use
# What a line that is new, or gone, tells.
WORDS = {"packages": ("installed", "removed"), "files": ("added", "removed"),
         "processes": ("left running", None)}


def packages():
    if not shutil.which("dpkg-query"):
        return ""
    return subprocess.run(["dpkg-query", "-W", "-f", "${binary:Package}\t${Version} ${Status}\n"],
                          capture_output=True, text=True).stdout


def files(build, source):
    """A line per file, with its size and time unless it is a folder."""
    build, source = os.path.realpath(build), os.path.realpath(source)
    # Beside the checkout lie other people's folders, which they change meanwhile.
    parent = os.path.dirname(source)
    beside = [os.path.join(parent, name) for name in os.listdir(parent)] if parent != "/" else []
    prune = [a for path in LEFT_OUT + [build] + beside if path != source for a in ("-o", "-path", path)]
    return subprocess.run(["find", "/", "-xdev", "(", *prune[1:], ")", "-prune", "-o", "-type", "d",
                           "-printf", "%p/\n", "-o", "-printf", "%p\t%s\t%T@\n"],
                          capture_output=True, text=True).stdout


def processes(build):
    """A line per marked process: its pid and command."""
    lines = []
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/environ", "rb") as f:
                if f"MACHINE_STATE={build}".encode() in f.read().split(b"\0"):
                    with open(f"/proc/{pid}/cmdline", "rb") as f:
                        lines.append(f"{pid}\t" + f.read().replace(b"\0", b" ").decode(errors="replace"))
        except OSError:  # not ours, or it has just ended
            continue
    return "".join(line + "\n" for line in lines)


def main(action, state, build, source):
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
        # The lines that differ, by their first field (path, package or pid);
        # a process that has ended is no fault.
        gone = dict(line.partition("\t")[::2] for line in before - after if name != "processes")
        came = dict(line.partition("\t")[::2] for line in after - before)
        for key in sorted(gone.keys() | came.keys()):
            what = WORDS[name][0] if key not in gone else WORDS[name][1] if key not in came else "changed"
            print(f"{name}: {what}: {key} {came.get(key, gone.get(key))}")
            failed = 1
    return failed


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:5]))
