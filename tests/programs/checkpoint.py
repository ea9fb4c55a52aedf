#!/usr/bin/env python3
"""GENETIC_CHECKPOINT: an execution stopped again and again ends with the bytes
of one that ran through.

    checkpoint.py BIN_DIR

For tarsel, tarnox (from a file and at the prompts) and sakora, with their
statistics files: the same command with GENETIC_CHECKPOINT=ck and
GENETIC_CHECKPOINT_SECONDS=0 is killed with SIGKILL at moments drawn from a
seed (after a drawn number of statistics rows, or while ck.new is written)
and started again until it ends; the last start's standard output,
analiza.txt and the statistics files must be those of the run that was never
stopped, and ck gone. SIGTERM and SIGINT end a start with 143 and 130 and one
line naming ck. Last, the refusals that need a real checkpoint: each is one
line, status 1, nothing printed and no file changed.
"""
import os, random, re, shutil, signal, subprocess, sys, tempfile, time

BIN = os.path.abspath(sys.argv[1])
ANSWERS = b"-2\n2\n6\n40\n30\n20\n0.01\nx\n"
SAKORA = b"40 30 20 0.01 5 12  4 7 2 9 5 3 8 6 1 7 4 5  5 9 3 8 6 4 9 7 2 8 5 6  20\n"
# name, program and argument, standard input, the files besides the log
CASES = [("tarsel", ["tarsel", "in"], None, ["s.csv", "b.csv"]),
         ("tarnox", ["tarnox", "in"], None, ["s.csv"]),
         ("tarnox at the prompts", ["tarnox"], ANSWERS, ["s.csv"]),
         ("sakora", ["sakora", "in"], None, ["s.csv"])]
rng = random.Random(20261208)
failed = False


def check(holds, what):
    global failed
    if not holds:
        print(f"FAIL: {what}")
        failed = True


def environment(files, checkpoint=True):
    env = {k: v for k, v in os.environ.items() if not k.startswith("GENETIC_")}
    env.update(dict(zip(("GENETIC_STATS", "GENETIC_BITS"), files)))
    if checkpoint:
        env.update(GENETIC_CHECKPOINT="ck", GENETIC_CHECKPOINT_SECONDS="0")
    return env


def start(folder, argv, stdin, env):
    with open(os.path.join(folder, "stdin"), "wb") as f:
        f.write(stdin or b"")
    with open(os.path.join(folder, "stdin"), "rb") as given:
        return subprocess.Popen([os.path.join(BIN, argv[0]), *argv[1:]], cwd=folder, env=env,
                                stdin=given, stdout=subprocess.PIPE, stderr=subprocess.PIPE)


def rows(folder):
    try:
        with open(os.path.join(folder, "s.csv"), "rb") as f:
            return f.read().count(b"\n")
    except OSError:
        return 0


def stamp(path):
    try:
        s = os.stat(path)
        return s.st_mtime_ns, s.st_size, s.st_ino
    except OSError:
        return None


def wait_until(process, condition):
    """True once condition() holds, False when the process ended before."""
    while process.poll() is None:
        if condition():
            return True
        time.sleep(0.0005)
    return False


def contents(folder, names):
    out = {}
    for name in names:
        try:
            with open(os.path.join(folder, name), "rb") as f:
                out[name] = f.read()
        except OSError:
            out[name] = None
    return out


def signalled(folder, argv, stdin, files, number, after):
    """A start stopped by a signal once `after` statistics rows are written."""
    old = stamp(os.path.join(folder, "ck"))
    p = start(folder, argv, stdin, environment(files))
    wait_until(p, lambda: stamp(os.path.join(folder, "ck")) not in (None, old)
               and rows(folder) >= after)
    p.send_signal(number)
    out, err = p.communicate()
    return p.returncode, err.decode()


work = tempfile.mkdtemp()
try:
    for name, argv, stdin, files in CASES:
        ref, run = os.path.join(work, name, "ref"), os.path.join(work, name, "run")
        for folder in (ref, run):
            os.makedirs(folder)
            with open(os.path.join(folder, "in"), "wb") as f:
                f.write(SAKORA if argv[0] == "sakora" else b"-2 2 6 40 30 20 0.01\n")
        p = start(ref, argv, stdin, environment(files, checkpoint=False))
        expected = p.communicate()[0]
        total = rows(ref)
        kept = ["analiza.txt", *files]
        # SIGKILL at drawn moments, several a start at times, until it ends.
        starts = during = 0
        while True:
            starts += 1
            old = stamp(os.path.join(run, "ck"))
            p = start(run, argv, stdin, environment(files))
            if starts > 8:
                out = p.communicate()[0]
                break
            if rng.random() < 0.4:
                new = stamp(os.path.join(run, "ck.new"))
                hit = wait_until(p, lambda: stamp(os.path.join(run, "ck.new")) not in (None, new))
                during += hit
            else:
                # Once this start has written a checkpoint of its own: the
                # rows after the last one are still there until it cuts them.
                target = rng.randint(1, total)
                hit = wait_until(p, lambda: stamp(os.path.join(run, "ck")) not in (None, old)
                                 and rows(run) >= target)
            if not hit:
                out = p.communicate()[0]
                break
            p.kill()
            p.communicate()
        check(p.returncode == 0 and out == expected, f"{name}: the last start's output")
        check(contents(run, kept) == contents(ref, kept), f"{name}: the files")
        check(not os.path.exists(os.path.join(run, "ck")) and
              not os.path.exists(os.path.join(run, "ck.new")), f"{name}: ck or ck.new is left")
        check(starts >= 4 and during >= 1, f"{name}: {starts} starts, {during} during a write")
        # SIGTERM and SIGINT, then a start that goes on to the same bytes.
        # The first from a fresh log, the second from the log of a complete
        # execution, which the lines of this one follow.
        for number, status in ((signal.SIGTERM, 143), (signal.SIGINT, 130)):
            if number == signal.SIGTERM and os.path.exists(os.path.join(run, "analiza.txt")):
                os.remove(os.path.join(run, "analiza.txt"))
            want = contents(ref, kept)
            if number == signal.SIGINT and want["analiza.txt"] is not None:
                want["analiza.txt"] *= 2
            code, err = signalled(run, argv, stdin, files, number, rng.randint(2, total // 2))
            # The line names the last generation done: that of the last row.
            with open(os.path.join(run, "s.csv")) as f:
                last = tuple(map(int, f.read().splitlines()[-1].split(",")[:2]))
            line = re.fullmatch(rf"Stopped by {number.name} after (generation (\d+) of run (\d+)|"
                                r"run (\d+)): ck keeps where it stood, and the same command goes"
                                r" on from there\n", err)
            done = line and (int(line[3] or line[4]), int(line[2]) - 1 if line[2] else 29)
            check(code == status and done == last,
                  f"{name}: {number.name} gave {code}: {err} (the last row {last})")
            p = start(run, argv, stdin, environment(files))
            check(p.communicate()[0] == expected and p.returncode == 0, f"{name}: after {number.name}")
            check(contents(run, kept) == want, f"{name}: files after {number.name}")

    # The refusals of a real checkpoint: tarsel stopped part way.
    base = os.path.join(work, "refusals")
    os.makedirs(base)
    with open(os.path.join(base, "in"), "wb") as f:
        f.write(b"-2 2 6 40 50 20 0.01\n")
    signalled(base, ["tarsel", "in"], None, ["s.csv"], signal.SIGTERM, 100)
    log = contents(base, ["analiza.txt"])["analiza.txt"]
    version = subprocess.run([os.path.join(BIN, "tarsel"), "--version"], capture_output=True,
                             text=True).stdout.split()[1]

    def digest(data):
        d = 14695981039346656037
        for byte in data:
            d = ((d ^ byte) * 1099511628211) % 2 ** 64
        return d

    def other_version(ck):
        at = 26 + 8 + 8 + 6  # the magic, the format, the program's name
        body = ck[:at] + (5).to_bytes(8, "little") + b"0.0.0" + ck[at + 8 + len(version):-8]
        return body + digest(body).to_bytes(8, "little")

    def change(name, how):
        def apply(folder):
            path = os.path.join(folder, name)
            with open(path, "rb") as f:
                data = f.read()
            with open(path, "wb") as f:
                f.write(how(data))
        return apply

    TABLE = [  # what is done to the folder, the program, the variables, the message
        (change("ck", lambda d: d[:len(d) // 2]), "tarsel", ["s.csv"],
         "ck is damaged: it is cut short or was changed"),
        (change("ck", lambda d: d[:30]), "tarsel", ["s.csv"],  # within the magic and digest
         "ck is damaged: it is cut short or was changed"),
        (change("ck", lambda d: d[:60] + bytes([d[60] ^ 1]) + d[61:]), "tarsel", ["s.csv"],
         "ck is damaged: it is cut short or was changed"),
        (lambda folder: None, "tarnox", ["s.csv"], "ck is a checkpoint of tarsel, not of tarnox"),
        (change("ck", other_version), "tarsel", ["s.csv"],
         f"ck was written by tarsel 0.0.0, not by this tarsel {version}"),
        (change("in", lambda d: d.replace(b" 50 ", b" 51 ")), "tarsel", ["s.csv"],
         "ck is a checkpoint of another input: give the values it was written for, or remove it"
         " to start afresh"),
        (lambda folder: None, "tarsel", [],
         "ck was written with GENETIC_STATS=s.csv: set it so again to go on"),
        (lambda folder: None, "tarsel", ["s.csv", "b.csv"],
         "ck was written without GENETIC_BITS: unset it to go on"),
        (lambda folder: None, "tarsel", ["t.csv"],
         "ck was written with GENETIC_STATS=s.csv, not t.csv"),
        (lambda folder: os.remove(os.path.join(folder, "analiza.txt")), "tarsel", ["s.csv"],
         f"Cannot open analiza.txt, whose first {len(log)} bytes ck records: No such file or"
         " directory"),
        (change("analiza.txt", lambda d: d[:-1]), "tarsel", ["s.csv"],
         f"analiza.txt holds {len(log) - 1} bytes, fewer than the {len(log)} that ck records"),
        (change("analiza.txt", lambda d: b"x" + d[1:]), "tarsel", ["s.csv"],
         f"analiza.txt has changed since ck was written: its first {len(log)} bytes are not"
         " those recorded"),
    ]
    for number, (prepare, program, files, message) in enumerate(TABLE):
        folder = os.path.join(work, f"refusal{number}")
        shutil.copytree(base, folder)
        prepare(folder)
        names = sorted(os.listdir(folder))
        before = contents(folder, names)
        p = start(folder, [program, "in"], None, environment(files))
        out, err = p.communicate()
        check(p.returncode == 1 and out == b"" and err.decode() == message + "\n",
              f"refusal {number}: {p.returncode} {out[:60]} {err.decode()}")
        check(sorted(os.listdir(folder)) == names and contents(folder, names) == before,
              f"refusal {number}: a file changed")
finally:
    shutil.rmtree(work)
sys.exit(1 if failed else 0)
