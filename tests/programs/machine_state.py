#!/usr/bin/env python3
"""The suite leaves the machine as it found it.

    machine_state.py record|compare STATE_DIR BUILD_DIR SOURCE_DIR

`record`, before every other test, keeps in STATE_DIR the packages that dpkg
knows, the files of the root's device with their sizes and times, the
processes marked MACHINE_STATE=BUILD_DIR, as CTest marks every test, and every
process then running; `compare`, after every other test, fails naming each
package installed, removed or changed, each file added, removed or changed,
and each process left running. A file that a process running before the suite
still holds open for writing is that process's (the log of whoever runs the
suite, a tee), and is left out.
"""
import os, subprocess, sys

# Changed while the suite runs, and not by the suite: these are left out.
LEFT_OUT = ["/proc", "/sys", "/dev", "/run",  # the kernel's and the running system's
            "/tmp", "/var/tmp"]               # the temporary folders, free to use
# What a line that is new, or gone, tells.
WORDS = {"packages": ("installed", "removed"), "files": ("added", "removed"),
         "processes": ("left running", None)}


def output(*command):
    """What command prints, or nothing where it is not installed."""
    try:
        return subprocess.run(command, capture_output=True, text=True).stdout
    except FileNotFoundError:
        return ""


def beside(source):
    """The folders beside the checkout and beside the one it was cloned from
    (as CI does): other people's, which they change meanwhile."""
    parents = {os.path.dirname(source)}
    origin = output("git", "-C", source, "config", "remote.origin.url").strip()
    if os.path.isdir(origin):
        parents.add(os.path.dirname(os.path.realpath(origin)))
    folders = [os.path.join(parent, name)
               for parent in parents - {"/"} for name in os.listdir(parent)]
    return [folder for folder in folders if os.path.commonpath([folder, source]) != folder]


def started(pid):
    """When process pid started (in clock ticks since boot), which tells it
    from a later process given the same number."""
    with open(f"/proc/{pid}/stat") as f:
        return f.read().rpartition(")")[2].split()[19]


def running():
    """A line per process: its pid and when it started."""
    lines = []
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            lines.append(f"{pid}\t{started(pid)}\n")
        except OSError:  # it has just ended
            continue
    return "".join(lines)


def written_by(earlier):
    """The files that the processes of earlier (lines of running()) that still
    run hold open for writing."""
    paths = set()
    for line in earlier.splitlines():
        pid, start = line.split("\t")
        try:
            fds = os.listdir(f"/proc/{pid}/fd") if started(pid) == start else []
        except OSError:  # it has ended
            continue
        for fd in fds:
            try:
                with open(f"/proc/{pid}/fdinfo/{fd}") as f:
                    info = dict(line.split(":", 1) for line in f if ":" in line)
                path = os.readlink(f"/proc/{pid}/fd/{fd}")
            except OSError:  # closed meanwhile
                continue
            if int(info["flags"], 8) & (os.O_WRONLY | os.O_RDWR) and os.path.isfile(path):
                paths.add(path)
    return paths


def files(build, source):
    """A line per file, with its size and time unless it is a folder."""
    build, source = os.path.realpath(build), os.path.realpath(source)
    # The repository's store is git's: a commit made in any of its work trees
    # while the suite runs changes it.
    store = [os.path.join(source, ".git")]
    prune = [a for path in LEFT_OUT + [build] + store + beside(source)
             for a in ("-o", "-path", path)]
    return output("find", "/", "-xdev", "(", *prune[1:], ")", "-prune", "-o", "-type", "d",
                  "-printf", "%p/\n", "-o", "-printf", "%p\t%s\t%T@\n")


def processes(build):
    """A line per marked process: its pid and command."""
    lines = []
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/environ", "rb") as f:
                marked = f"MACHINE_STATE={build}".encode() in f.read().split(b"\0")
            if marked:
                with open(f"/proc/{pid}/cmdline", "rb") as f:
                    command = f.read().replace(b"\0", b" ").decode(errors="replace")
                lines.append(f"{pid}\t{command}")
        except OSError:  # not ours, or it has just ended
            continue
    return "".join(line + "\n" for line in lines)


def main(action, state, build, source):
    dpkg = ["dpkg-query", "-W", "-f", "${binary:Package}\t${Version} ${Status}\n"]
    now = {"packages": output(*dpkg), "files": files(build, source), "processes": processes(build)}
    if action == "record":
        now["running"] = running()
        os.makedirs(state, exist_ok=True)
        for name, text in now.items():
            with open(os.path.join(state, name), "w") as f:
                f.write(text)
        return 0
    with open(os.path.join(state, "running")) as f:
        theirs = written_by(f.read())
    failed = 0
    for name, text in now.items():
        with open(os.path.join(state, name)) as f:
            before, after = set(f.read().splitlines()), set(text.splitlines())
        # The lines that differ, by their first field (path, package or pid);
        # a process that has ended is no fault.
        gone = dict(line.partition("\t")[::2] for line in before - after if name != "processes")
        came = dict(line.partition("\t")[::2] for line in after - before)
        new, old = WORDS[name]
        for key in sorted(gone.keys() | came.keys()):
            if name == "files" and key in theirs:
                continue
            what = new if key not in gone else old if key not in came else "changed"
            print(f"{name}: {what}: {key} {came.get(key, gone.get(key))}")
            failed = 1
    return failed


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:5]))
