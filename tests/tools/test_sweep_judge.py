"""genetic-sweep's judging of a setting from its folder alone, and what
--resume makes of the folder: kept, to go on from its checkpoint, or afresh."""
import pytest

from genetic_search.sweep import grid, job, judge

SETTING = grid.Setting("numiter=2", {"numiter": "2"}, "tarsel", b"-2 2 6 10 2 20 0.01")
STDOUT = "\n   dg=-2.000000\n" + "Najbolja jedinka -1.154714  3.079201\n" * 10 + \
    "Ucitajte neki znak za kraj..\n"
WHOLE = {"status": "0\n", "seconds": "0.120\n", "stdout": STDOUT, "stderr": "",
         "analiza.txt": "-1.1 3.0\n" * 20}
ON = "; its checkpoint continues it with --resume"


def stats(*bests):
    """A statistics file of 10 runs of 2 generations, the first run's bests given."""
    rows = [f"1,{g},{b},0,0,0,1,{b},0,0,0.25,0\n" for g, b in enumerate(bests)]
    rows += [f"{r},{g},3,0,0,0,1,3,0,0,0.5,0\n" for r in range(2, 11) for g in range(2)]
    return ("run,generation,best,mean,worst,stddev,at_best,best_so_far,online,offline,"
            "diversity,converged\n" + "".join(rows))


# The files beside WHOLE (None: removed), --stats, outcome, reason, kept by --resume.
CASES = [
    ({}, False, "done", "", False),
    ({"status": None}, False, "failed", "lost", False),
    ({"status": None, "checkpoint": "x"}, False, "failed", "lost" + ON, True),
    ({"status": "143\n", "checkpoint": "x"}, False, "failed", "Slurm ended its task: X" + ON,
     True),
    ({"status": "1\n", "stderr": "VEL_POP=0 must be at least 1\n"}, False, "refused",
     "VEL_POP=0 must be at least 1", False),
    ({"status": "1\n", "stderr": "not a checkpoint\n", "checkpoint": "x"}, False, "failed",
     "tarsel refused its checkpoint: not a checkpoint; --resume runs it afresh", False),
    ({"status": "124\n", "checkpoint": "x"}, False, "failed",
     "stopped at the time limit, after 0.120 s" + ON, True),
    ({"status": "2\n", "stderr": "oops\n"}, False, "failed", "tarsel ended with status 2: oops",
     False),
    ({"stdout": None}, False, "failed", "its output is missing from its folder", False),
    ({"stdout": STDOUT[:-30]}, False, "failed",
     "its standard output ends before the closing prompt", False),
    ({"analiza.txt": "1 2\n" * 19}, False, "failed", "analiza.txt holds 19 lines, not 20", False),
    ({}, True, "failed", "stats.csv is missing from its folder", False),
    ({"stats.csv": stats(1, 2)[:-1]}, True, "failed", "stats.csv holds 19 rows, not 20", False),
    ({"stats.csv": stats(1, 2).replace("best,", "b,", 1)}, True, "failed",
     "stats.csv is not a statistics file", False),
    ({"stats.csv": stats(1, 2)}, True, "done", "", False),
]


@pytest.mark.parametrize("files, kept_stats, outcome, reason, kept", CASES)
def test_judge_and_resume(tmp_path, files, kept_stats, outcome, reason, kept):
    folder = tmp_path / "numiter=2"
    folder.mkdir()
    for name, text in {**WHOLE, **files}.items():
        if text is not None:
            (folder / name).write_text(text)
    result = judge.judge(str(tmp_path), SETTING, kept_stats, "lost", "Slurm ended its task: X")
    assert (result.outcome, result.reason) == (outcome, reason)
    assert result.runs == ([("-1.154714", "3.079201")] * 10 if outcome == "done" else [])
    before = {p.name for p in folder.iterdir()} - {"status", "seconds"}
    job.prepare(str(tmp_path), [SETTING])
    assert {p.name for p in folder.iterdir()} == ({*before, "params.txt"} if kept
                                                  else {"params.txt"})


@pytest.mark.parametrize("bests, generation", [((2, 2), "0"), ((1, 2), "1"),
                                               ((2, 1), "1")])  # the last loses its best
def test_generation_of_best(tmp_path, bests, generation):
    (tmp_path / "stats.csv").write_text(stats(*bests))
    others = {run: ("0", "0.5") for run in range(2, 11)}
    assert judge.figures_of(str(tmp_path), SETTING) == (None, {1: (generation, "0.25"), **others})
