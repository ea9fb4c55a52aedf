"""Running the jobs with GNU parallel, on this machine or on the machines of a
machines file over ssh."""
import concurrent.futures
import dataclasses
import os
import re
import shlex
import shutil
import socket
import subprocess
import sys
import tempfile
import threading
import time

from ..common import Refusal, read_bytes
from .job import NO_FOLDER, NO_PROGRAM, STOPPED, commands, ctrl_c_ignored, prepare
from .judge import signal_name
from .programs import environment

ANSWER = 30  # seconds a machine has to answer before the jobs start
TERMSEQ = "TERM,60000,KILL,25"  # a stop: one TERM, a minute for the checkpoint, then KILL
LEFT = "parallel-tmp"  # in DIR: GNU parallel's folders that a stopped run may leave elsewhere
STARTED = "started"  # what a job prints when it starts


@dataclasses.dataclass
class Job:
    host: str  # the machine as GNU parallel's job log names it, ':' for this one
    exitval: int
    signal: int


def logins(path):
    """The machines of a machines file, one a line, as GNU parallel reads them."""
    try:
        text = read_bytes(path).decode()
    except UnicodeDecodeError as e:
        raise Refusal(f"cannot read {path}: {e}")
    return [line.strip() for line in text.split("\n") if line.strip() and not line.startswith("#")]


def is_remote(login):
    return not re.fullmatch(r"(\d+/)?:", login)


def any_remote(machines):
    """Whether the machines of a machines file, when one is given, include
    another than this one."""
    return machines is not None and any(map(is_remote, machines))


def machine(login):
    """A machine as every message names it: the [user@]host of its login."""
    return "this machine" if not is_remote(login) else login.split()[-1].split("/")[-1]


def check_tools(remote):
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


def answer(login, env, clean):
    """None when the machine runs a command now (CLEAN, which removes what
    stopped runs left there), else why not: ssh's last word, if any."""
    done = subprocess.run(["parallel", "--will-cite", "--nonall", "--timeout", str(ANSWER),
                           "-S", login, clean], env=env, stdin=subprocess.DEVNULL,
                          stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True,
                          errors="replace")
    said = [line.strip() for line in done.stderr.splitlines() if line.strip()]
    return None if done.returncode == 0 else said[-1] if said else "it does not answer"


def answering(out, machines, env):
    """The machines that answer, each of the others left out with a word, so
    that a machine that is lost cannot fail every job; those that answer lose
    the folders that stopped runs left there."""
    left = os.path.join(out, LEFT)
    try:
        with open(left) as f:
            prefixes = f.read().split()
    except OSError:
        prefixes = []
    clean = " ".join(["rm -rf", *(shlex.quote(f".parallel/tmp/{p}-") + "*" for p in prefixes),
                      "; true"]) if prefixes else "true"
    remote = [login for login in machines if is_remote(login)]
    with concurrent.futures.ThreadPoolExecutor(max(len(remote), 1)) as pool:
        why = dict(zip(remote, pool.map(lambda login: answer(login, env, clean), remote)))
    for login in remote:
        if why[login]:
            print(f"genetic-sweep: leaving out {login}: {why[login]}", file=sys.stderr)
    if prefixes and not any(why.values()):
        os.remove(left)
    return [login for login in machines if not why.get(login)]


def run(args, out, pending, here, elsewhere, machines, tally):
    """Runs the pending settings, on this machine or on the machines that
    answer; returns, for each pending setting's folder, why it failed if its
    program did not end (and no word of what stopped it)."""
    # The job is sh syntax whatever the user's shell; GNU parallel quotes the
    # paths it hands to rsync itself, which rsync 3.2.4 and later must be told,
    # and a folder that comes back replaces the one here (the checkpoint it no
    # longer holds included).
    env = dict(environment(), PARALLEL_SHELL="/bin/sh", RSYNC_OLD_ARGS="1",
               PARALLEL_RSYNC_OPTS="-rlDzR --delete")
    if os.path.exists(os.path.join(out, "joblog")):
        os.remove(os.path.join(out, "joblog"))
    remote = any_remote(machines)
    if remote:
        machines = answering(out, machines, env)
        remote = any_remote(machines)
        if not machines:
            return {s.folder: ("no machine answered", None) for s in pending}
    prepare(out, pending)
    command = ["parallel", "--will-cite", "--colsep", "\t", "--joblog", "joblog",
               "--line-buffer", "--termseq", TERMSEQ]
    command += ["--jobs", str(args.jobs)] if args.jobs else []
    if remote:  # each job in a folder of its own there, removed once its results are back
        command += ["--workdir", "...", "--transferfile", "{1}", "--return", "{1}", "--cleanup"]
    job = ('if [ "$PARALLEL_SSHLOGIN" = : ]; then f={2}/{1} p={3} h="this machine"; '
           'else f={1} p={4} h=${PARALLEL_SSHLOGIN##*[ /]}; fi; '
           f"echo {STARTED}; " + commands(args.stats, args.timeout))
    jobs = "".join(f"{s.folder}\t{os.path.abspath(out)}\t{here[s.program]}\t"
                   f"{elsewhere[s.program]}\n" for s in pending)
    with tempfile.TemporaryDirectory() as scratch:
        with open(os.path.join(scratch, "jobs"), "w") as f:
            f.write(jobs)
        command += ["--arg-file", os.path.join(scratch, "jobs")]
        if machines is not None:
            with open(os.path.join(scratch, "machines"), "w") as f:
                f.write("".join(login + "\n" for login in machines))
            command += ["--sshloginfile", os.path.join(scratch, "machines")]
        with subprocess.Popen(command + [job], stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                              text=True, cwd=out, env=env) as jobs_run:
            left = f"{socket.gethostname()}-{jobs_run.pid}\n"  # its folders' names there
            if remote:
                with open(os.path.join(out, LEFT), "a") as f:
                    f.write(left)
            stopped = watch(jobs_run, out, pending, tally)
    ended = jobs_of(out, pending)
    if remote and not stopped and len(ended) == len(pending) and \
            all(job.exitval != 255 and not job.signal for job in ended.values()):
        forget(os.path.join(out, LEFT), left)  # every job cleaned up after itself
    return {s.folder: (not_ended(ended.get(s.folder), s.program, STOPPED), None) for s in pending}


def forget(path, line):
    with open(path) as f:
        kept = [known for known in f if known != line]
    if kept:
        with open(path, "w") as f:
            f.writelines(kept)
    else:
        os.remove(path)


def watch(jobs_run, out, pending, tally):
    """Shows the counts until GNU parallel ends; a Ctrl-C reaches it too, and
    it stops its jobs. Whether it was stopped."""
    started = []  # a line for each job that started
    reader = threading.Thread(target=lambda: started.extend(jobs_run.stdout), daemon=True)
    reader.start()
    try:
        if not tally.shown:  # no counts to show: the job log is read once, at the end
            jobs_run.wait()
        while jobs_run.poll() is None:
            ended = jobs_of(out, pending)
            # A job that ssh could not start is logged without having started.
            tally.update(max(len(started) - len(ended), 0), ended)
            time.sleep(0.5)
        return False
    except KeyboardInterrupt:  # a second one reaches GNU parallel alone, which then kills
        with ctrl_c_ignored():
            jobs_run.wait()
        return True
    finally:
        tally.close()
        reader.join()


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


def not_ended(job, program, unstarted):
    """Why a program that wrote no status did not end, from its job."""
    if job is None:
        return unstarted
    where = machine(job.host)
    if job.signal:
        return f"the job was stopped by {signal_name(job.signal)} on {where}"
    return {NO_PROGRAM: f"{program} is not installed on {where}",
            NO_FOLDER: f"its parameter file did not reach {where}: is rsync installed there?",
            255: f"the connection to {where} failed or broke (ssh status 255)",
            0: f"its results did not come back from {where}"}.get(
                job.exitval, f"the job ended with status {job.exitval} on {where}")
