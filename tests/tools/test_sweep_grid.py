"""genetic-sweep's command line and grid: what it refuses, and the files of
its settings."""
import pytest

from genetic_search.common import Refusal
from genetic_search.sweep import grid, parse
from genetic_search.sweep.job import SECONDS

SAKORA = b"10 5 20 0.01 3 4\n2 3 4 5\n3 4 5 6\n5\n"


@pytest.mark.parametrize("argv, message", [
    ("--set foo=1",
     "tarsel has no value named 'foo' (it has dg, gg, p, VEL_POP, numiter, M, p_mut)"),
    ("--set M=1 --set M=2", "M is set twice"),
    ("--set M=1,,2", "--set M=1,,2 leaves the grid empty: give values after M="),
    ("--set M=10,10", "--set M=10,10 lists a value twice"),
    ("--set p_mut=0,01", "--set p_mut=0,01: '01' starts with 0 and a digit: decimals are written "
                         "after a point, as in 0.01; commas separate the values"),
    ("--set M=1 --timeout 0", "--timeout takes seconds, at least 0.001, not 0"),
    ("--set M=1 -j 0", "-j takes a whole number above 0, not 0"),
    ("--set M=1 --slurm --sshloginfile m",
     "--slurm and --sshloginfile are two ways to run: choose one"),
    ("--set M=1 --sbatch -p", "--sbatch passes arguments to Slurm's sbatch: add --slurm"),
])
def test_refused(argv, message):
    with pytest.raises(Refusal) as refusal:
        grid.dimensions(["tarsel"], parse(["tarsel", "b", "-o", "o", *argv.split()]).set)
    assert str(refusal.value) == message


# As the programs read it: what they take, and what they refuse.
@pytest.mark.parametrize("every", ["", "60", "0", "-0", "+5", "5.", ".5", "1e1", "2.5E-1",
                                   "1e-400", "-1e-400"])
def test_checkpoint_seconds_taken(every, monkeypatch):
    monkeypatch.setenv(SECONDS, every)
    parse(["tarsel", "b", "-o", "o", "--set", "M=1"])


@pytest.mark.parametrize("every", ["soon", "-1", "-1e-300", "1e999", "inf", "nan", " 5", "5 ",
                                   "5\n", "0x10", ".", "1e", "1e+", "e1", "1_0", "\u0665",
                                   "0,5"])
def test_checkpoint_seconds_refused(every, monkeypatch):
    monkeypatch.setenv(SECONDS, every)
    with pytest.raises(Refusal) as refusal:
        parse(["tarsel", "b", "-o", "o", "--set", "M=1"])
    assert str(refusal.value) == f"{SECONDS}={every} is not a number of seconds, 0 or more"


@pytest.mark.parametrize("kind, text, values, expected", [
    ("tarsel", b"-2 2 6 10 20 20 0.01\n", {"VEL_POP": "50", "p_mut": "0.1"},
     b"-2 2 6 50 20 20 0.1\n"),
    ("tarsel", b" -2\t2\n6 10 20 20 0.01", {"dg": "-10"}, b" -10\t2\n6 10 20 20 0.01"),
    ("sakora", SAKORA, {"C": "7", "runs": "1"}, b"10 5 20 0.01 1 4\n2 3 4 5\n3 4 5 6\n7\n"),
])
def test_substitute(kind, text, values, expected):
    assert grid.substitute(text, kind, values) == expected


def test_settings_of_two_programs():
    args = parse(["tarsel", "b", "-o", "o", "--set", "numiter=5,7", "--slurm",
                  "--sbatch", "--mem=1G"])
    assert args.sbatch == "--mem=1G"
    found = grid.settings(["tarsel", "tarnox"], grid.dimensions(["tarsel", "tarnox"], args.set),
                          b"-2 2 6 10 20 20 0.01")
    assert [(s.folder, s.program, s.text, grid.generations(s)) for s in found] == [
        ("program=tarsel/numiter=5", "tarsel", b"-2 2 6 10 5 20 0.01", 50),
        ("program=tarsel/numiter=7", "tarsel", b"-2 2 6 10 7 20 0.01", 70),
        ("program=tarnox/numiter=5", "tarnox", b"-2 2 6 10 5 20 0.01", 50),
        ("program=tarnox/numiter=7", "tarnox", b"-2 2 6 10 7 20 0.01", 70)]
    assert grid.generations(grid.Setting("", {}, "sakora", SAKORA)) == 15
