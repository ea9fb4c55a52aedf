"""Running the jobs as one Slurm job array: each task runs one setting in its
folder in DIR, which the cluster's nodes share."""
import math
import os
import shlex
import shutil
import subprocess
import time

from ..common import Refusal
from .job import GRACE, NO_FOLDER, NO_PROGRAM, STOPPED, commands, ctrl_c_ignored, prepare
from .programs import environment

# The states of a task that has not ended yet; any other is Slurm's last word.
LIVE = {"PENDING", "CONFIGURING", "RUNNING", "COMPLETING", "SUSPENDED", "REQUEUED",
        "REQUEUE_HOLD", "REQUEUE_FED", "RESIZING", "SIGNALING", "STAGE_OUT"}
RUNNING = LIVE - {"PENDING"}  # those of a task that the counts show running


def check_tools():
    for tool in ("sbatch", "squeue", "scancel", "scontrol"):
        if not shutil.which(tool):
            raise Refusal(f"Slurm's client is not installed: {tool} is not on PATH "
                          "(Debian: apt-get install slurm-client)")


def slurm(*command, env=None):
    """A Slurm client's standard output, and its status."""
    done = subprocess.run(command, env=env, capture_output=True, text=True,
                          stdin=subprocess.DEVNULL, errors="replace")
    return done.stdout if done.returncode == 0 else done.stderr.strip(), done.returncode


def states(job):
    """Each task's state (index: state) as squeue knows it now, None when it
    does not know the job any more; OSError when it cannot tell now."""
    listed, status = slurm("squeue", "-h", "-r", "-t", "all", "-j", job, "-o", "%i %T")
    if status and "Invalid job id" not in listed:
        raise OSError(listed)
    if status:
        return None
    found = {}
    for line in listed.split("\n"):
        task, _, state = line.partition(" ")
        if "_" in task:
            found[int(task.rpartition("_")[2])] = state.strip()
    return found


def script(out, stats, timeout):
    """The batch script of every task: its setting is line SLURM_ARRAY_TASK_ID + 1
    of DIR/slurm/tasks, the folder and the program there."""
    tasks = shlex.quote(os.path.join(os.path.abspath(out), "slurm", "tasks"))
    return ("#!/bin/sh\n# genetic-sweep: one setting of the sweep in its folder\n"
            f'line=$(sed -n "$((SLURM_ARRAY_TASK_ID + 1))p" {tasks})\n'
            f'f={shlex.quote(os.path.abspath(out))}/${{line%%\t*}} p=${{line#*\t}} '
            'h=${SLURMD_NODENAME:-$(uname -n)}\n'
            + commands(stats, timeout) + "\n")


def run(args, out, pending, here, tally):
    """Submits the pending settings as one job array and waits for it to end;
    returns, for each pending setting's folder, why it failed if its program
    did not end, and Slurm's word for a task that Slurm ended."""
    place = os.path.join(out, "slurm")
    try:
        with open(os.path.join(place, "job")) as f:
            earlier = f.read().strip()
        running = any(state in LIVE for state in (states(earlier) or {}).values())
    except OSError:  # no earlier array, or Slurm cannot tell now
        running = False
    if running:
        raise Refusal(f"{out} is still being run by Slurm job {earlier}: wait for it to end, "
                      f"or cancel it (scancel {earlier})")
    shutil.rmtree(place, ignore_errors=True)
    os.makedirs(place)
    with open(os.path.join(place, "tasks"), "w") as f:
        f.write("".join(f"{s.folder}\t{here[s.program]}\n" for s in pending))
    with open(os.path.join(place, "task.sh"), "w") as f:
        f.write(script(out, args.stats, args.timeout))
    prepare(out, pending)
    limit = [f"--time={math.ceil((args.timeout + GRACE) / 60) + 1}"] if args.timeout else []
    array = f"0-{len(pending) - 1}" + (f"%{args.jobs}" if args.jobs else "")
    job, status = slurm("sbatch", "--parsable", "--no-requeue", f"--array={array}",
                        "--output=/dev/null", "--job-name=genetic-sweep", *limit,
                        *shlex.split(args.sbatch), os.path.join(place, "task.sh"),
                        env=environment())
    if status:  # sbatch's last word, if any
        why = f"sbatch refused the array: {(job.splitlines() or [f'status {status}'])[-1]}"
        return {s.folder: (why, None) for s in pending}
    job = job.strip().split(";")[0]
    with open(os.path.join(place, "job"), "w") as f:
        f.write(job + "\n")
    seen, cancelled = wait(job, pending, tally)
    codes = exit_codes(job) if "FAILED" in seen.values() else {}
    return {s.folder: reason(s, i, seen, cancelled, codes) for i, s in enumerate(pending)}


def reason(setting, i, seen, cancelled, codes):
    """Why task I, of SETTING, failed if its program did not end, and Slurm's
    word for it if Slurm ended it."""
    if cancelled is not None and (i not in seen or i in cancelled and seen[i] == "CANCELLED"):
        return STOPPED, None
    if i not in seen:
        return "Slurm ended its task before it was seen", None
    code, node = codes.get(i, (None, "its node"))
    word = f"Slurm ended its task: {seen[i]}"
    return {NO_FOLDER: f"its folder is not on {node}: DIR must lie on a file system that "
                       "the nodes share",
            NO_PROGRAM: f"{setting.program} is not installed on {node}"}.get(code, word), \
        None if seen[i] in ("COMPLETED", "FAILED") else word


def wait(job, pending, tally):
    """Shows the counts until no task of JOB is live; a Ctrl-C cancels the
    array and waits for Slurm to end it, a second one waits no longer.
    Returns the last state seen of each task that ended, and whether the
    array was cancelled with the tasks then live."""
    seen, cancelled = {}, None
    try:
        while True:
            try:
                if ended(job, seen):
                    break
                tally.update(sum(state in RUNNING for state in seen.values()),
                             [pending[i].folder for i, state in seen.items() if state not in LIVE])
                time.sleep(1)
            except KeyboardInterrupt:
                if cancelled is not None:
                    break
                cancelled = {i for i, state in seen.items() if state in LIVE}
                with ctrl_c_ignored():  # a Ctrl-C meanwhile cannot cut the cancel short
                    slurm("scancel", job)
    finally:
        tally.close()
    return {i: state for i, state in seen.items() if state not in LIVE}, cancelled


def ended(job, seen):
    """Whether no task of JOB is live, with the states that squeue gives now
    added to SEEN; False when squeue cannot tell now."""
    try:
        now = states(job)
    except OSError:  # squeue cannot reach the controller now: ask again
        return False
    seen.update(now or {})
    return now is None or not any(state in LIVE for state in now.values())


def exit_codes(job):
    """Each started task's exit status and node, from scontrol."""
    shown, status = slurm("scontrol", "show", "job", "-o", job)
    codes = {}
    for line in shown.split("\n") if not status else []:
        fields = dict(f.partition("=")[::2] for f in line.split() if "=" in f)
        if fields.get("ArrayTaskId", "").isdigit():
            codes[int(fields["ArrayTaskId"])] = (int(fields.get("ExitCode", "0:0").split(":")[0]),
                                                 fields.get("NodeList", "its node"))
    return codes
