"""genetic-sweep's judging of a setting from its folder alone, and the
preparation of a folder that runs again."""
import pytest

from genetic_search.sweep import grid, job, judge

SETTING = grid.Setting("numiter=2", {"numiter": "2"}, "tarsel", b"-2 2 6 10 2 20 0.01")
HEADER = "run,generation,best,mean,worst,stddev,at_best,best_so_far,online,offline,diversity,converged\n"
STDOUT = "\n   dg=-2.000000\n" + "Najbolja jedinka -1.154714  3.079201\n" * 10 + \
    "Ucitajte neki znak za kraj..\n"
WHOLE = {"status": "0\n", "seconds": "0.120\n", "stdout": STDOUT, "stderr": "",
         "analiza.txt": "-1.1 3.0\n" * 20}


def stats(*bests):
    """A statistics file of 10 runs of 2 generations, the first run's bests given."""
    rows = [f"1,{g},{b},0,0,0,1,{b},0,0,0.25,0\n" for g, b in enumerate(bests)]
    rows += [f"{r},{g},3,0,0,0,1,3,0,0,0.5,0\n" for r in range(2, 11) for g in range(2)]
    return HEADER + "".join(rows)


DONE = ("done", "")
CASES = [  # the folder's files beside WHOLE (None: removed), --stats, the outcome and reason
    ({}, False, DONE),
    ({"status": None}, False, ("failed", "lost")),
    ({"status": None, "checkpoint": "x"}, False,
     ("failed", "lost; its checkpoint continues it with --resume")),
    ({"status": "1\n", "stderr": "The population size VEL_POP=0 must be at least 1\n"}, False,
     ("refused", "The population size VEL_POP=0 must be at least 1")),
    ({"status": "1\n", "stderr": "not a checkpoint\n", "checkpoint": "x"}, False,
     ("failed", "tarsel refused its checkpoint: not a checkpoint; --resume runs it afresh")),
    ({"status": "124\n", "checkpoint": "x"}, False, ("failed", "stopped at the time limit, "
                                                    "after 0.120 s; its checkpoint continues it with --resume")),
    ({"status": "143\n"}, False, ("failed", "tarsel was stopped by SIGTERM")),
    ({"status": "2\n", "stderr": "oops\n"}, False, ("failed", "tarsel ended with status 2: oops")),
    ({"stdout": None}, False, ("failed", "its output is missing from its folder")),
    ({"stdout": STDOUT[:-30]}, False, ("failed", "its standard output ends before the closing prompt")),
    ({"analiza.txt": "1 2\n" * 19}, False, ("failed", "analiza.txt holds 19 lines, not 20")),
    ({}, True, ("failed", "stats.csv is missing from its folder")),
    ({"stats.csv": stats(1, 2)[:-1]}, True, ("failed", "stats.csv holds 19 rows, not 20")),
    ({"stats.csv": stats(1, 2).replace("best,", "b,", 1)}, True,
     ("failed", "stats.csv is not a statistics file")),
    ({"stats.csv": stats(1, 2)}, True, DONE),
]


def write(folder, files):
    for name, text in {**WHOLE, **files}.items():
        if text is not None:
            (folder / name).write_text(text)


@pytest.mark.parametrize("files, stats_kept, expected", CASES)
def test_judge(tmp_path, files, stats_kept, expected):
    (tmp_path / "numiter=2").mkdir()
    write(tmp_path / "numiter=2", files)
    result = judge.judge(str(tmp_path), SETTING, stats_kept, "lost")
    assert (result.outcome, result.reason) == expected
    if result.outcome == "done":
        assert result.runs == [("-1.154714", "3.079201")] * 10


@pytest.mark.parametrize("bests, generation", [
    ((2, 2), "0"),  # all agree
    ((1, 2), "1"),
    ((2, 1), "1"),  # a run that loses its best: from where it stayed at its final value
])
def test_generation_of_best(tmp_path, bests, generation):
    (tmp_path / "stats.csv").write_text(stats(*bests))
    reason, figures = judge.figures_of(str(tmp_path), SETTING)
    assert reason is None and figures[1] == (generation, "0.25") and figures[2] == ("0", "0.5")


@pytest.mark.parametrize("files, kept", [
    ({"status": "124\n", "checkpoint": "x"}, {"params.txt", "stdout", "stderr", "analiza.txt",
                                              "checkpoint"}),
    ({"status": None, "checkpoint": "x"}, {"params.txt", "stdout", "stderr", "analiza.txt",
                                           "checkpoint"}),
    ({"status": "1\n", "checkpoint": "x"}, {"params.txt"}),  # refused: afresh
    ({"status": "124\n"}, {"params.txt"}),
])
def test_prepare(tmp_path, files, kept):
    (tmp_path / "numiter=2").mkdir()
    write(tmp_path / "numiter=2", files)
    job.prepare(str(tmp_path), [SETTING])
    assert {p.name for p in (tmp_path / "numiter=2").iterdir()} == kept
    assert (tmp_path / "numiter=2" / "params.txt").read_bytes() == SETTING.text
