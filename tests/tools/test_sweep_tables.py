"""genetic-sweep's tables, and the line of counts it shows on a terminal."""
import io

from genetic_search.sweep import grid, tables
from genetic_search.sweep.judge import Result
from genetic_search.sweep.progress import Tally

NAMES = ["VEL_POP"]
SETTINGS = [grid.Setting(f"VEL_POP={n}", {"VEL_POP": n}, "tarsel", b"") for n in ("0", "5", "9")]
RESULTS = [Result("refused", "too few", "1", "0.01"),
           Result("done", "", "0", "0.20", [("-1.1", "3.0"), ("-1.2", "2.5")], {1: ("4", "0.5")}),
           Result("failed", "lost")]


def test_tables(tmp_path):
    goal = tables.target(RESULTS, None)
    summary = tables.summarise(NAMES, SETTINGS, RESULTS, goal, stats=True)
    assert [list(row.values()) for row in summary] == [
        ["VEL_POP=0", "0", "refused", "1", "0.01", 0, "", "", "", 0, "", "", "too few"],
        ["VEL_POP=5", "5", "done", "0", "0.20", 2, "2.750000", "2.500000", "3.000000", 1,
         "4.000000", "0.500000", ""],
        ["VEL_POP=9", "9", "failed", "", "", 0, "", "", "", 0, "", "", "lost"]]
    assert tables.printed(summary, goal, False) == [
        "3 settings: 1 done, 1 refused, 1 failed; 'reached' counts the runs at the best value "
        "seen, 3.000000. The best:",
        "setting       mean      min      max reached",
        "VEL_POP=5 2.750000 2.500000 3.000000     1/2",
        "refused: VEL_POP=0: too few", "failed: VEL_POP=9: lost"]
    assert tables.printed(summary[::2], 9147.0, True) == [
        "2 settings: 0 done, 1 refused, 1 failed.", "refused: VEL_POP=0: too few",
        "failed: VEL_POP=9: lost"]
    tables.write_runs(str(tmp_path), NAMES, SETTINGS, RESULTS, stats=True)
    assert (tmp_path / "runs.csv").read_text() == (
        "folder,VEL_POP,run,x,f,generation_of_best,final_diversity\n"
        "VEL_POP=5,5,1,-1.1,3.0,4,0.5\nVEL_POP=5,5,2,-1.2,2.5,,\n")


class Terminal(io.StringIO):
    def isatty(self):
        return True


def test_counts_on_a_terminal_only(tmp_path):
    for name, status in (("VEL_POP=0", "1"), ("VEL_POP=5", "7")):  # refused, failed
        (tmp_path / name).mkdir()
        (tmp_path / name / "status").write_text(status)
        (tmp_path / name / "stderr").write_text("too few")
    shown, hidden = Terminal(), io.StringIO()
    for stream in shown, hidden:
        tally = Tally(str(tmp_path), SETTINGS, False, stream)
        for running, ended in ((3, []), (3, []), (1, ["VEL_POP=0", "VEL_POP=5"])):
            tally.update(running, ended)
        tally.close()
    assert shown.getvalue() == ("\r0 done, 3 running, 0 waiting, 0 failed\x1b[K"
                                "\r1 done, 1 running, 0 waiting, 1 failed\x1b[K\r\x1b[K")
    assert hidden.getvalue() == ""
