"""Running the jobs as one Slurm job array."""
import shutil

from ..common import Refusal


def check_tools():
    if not shutil.which("sbatch"):
        raise Refusal("Slurm's client is not installed: sbatch is not on PATH "
                      "(Debian: apt-get install slurm-client)")


def run(args, out, pending, here, tally):
    raise NotImplementedError
