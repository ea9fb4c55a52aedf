"""What the pictures of plot-stats and plot-analiza promise in their manual
pages, read back from the figures: the band within the values, a flat panel
that says so, whole ticks, generations from 0, the setting in the title."""
import os

import pytest

from genetic_search import common, plot_analiza, plot_stats

pytest.importorskip("matplotlib")
plt = common.pyplot()
DRAWN = os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, "cases",
                     "plot-stats-draws")
FLAT = ("run,generation,best,mean,worst,stddev,at_best,best_so_far,online,offline,diversity,"
        "converged,fitting,mean_weight,min_weight,capacity\n"
        + "".join(f"1,{g},0,0,0,0,40,0,0,0,0.47,0,0,25000,14000,995\n" for g in range(3)))


def panels(path, run=None):
    kind, names, runs = plot_stats.read_file(path)
    figure = plot_stats.figure_of(kind, names, runs, plot_stats.chosen_runs(path, runs, run), "t")
    return runs, {panel.get_title() or k: panel for k, panel in enumerate(figure.axes)
                  if panel.get_label() != "<colorbar>"}


@pytest.mark.parametrize("name,run", [("stats.csv", 4), ("knapsack.csv", 1), ("knapsack.csv", 2)])
def test_band_stays_between_worst_and_best(name, run):
    runs, drawn = panels(os.path.join(DRAWN, name), run)
    best, worst = runs[run]["best"], runs[run]["worst"]
    for x, y in drawn["values"].collections[0].get_paths()[0].vertices:
        g = min(max(round(x), 0), len(best) - 1)
        assert worst[g] - 1e-9 <= y <= best[g] + 1e-9


def test_flat_panels_span_a_unit_and_say_why(tmp_path):
    (tmp_path / "flat.csv").write_text(FLAT)
    _, drawn = panels(tmp_path / "flat.csv")
    low, high = drawn["values"].get_ylim()
    assert low < 0 and high >= 1
    assert drawn["strings"].get_ylim()[0] < 0  # the line of 0 strings above the axis
    said = [t.get_text() for p in drawn.values() for t in p.texts]
    assert "every value is 0" in said and "no packing fits" in said


@pytest.mark.parametrize("name", ["stats.csv", "knapsack.csv", "bits.csv"])
def test_generations_and_positions_on_whole_ticks(name):
    _, drawn = panels(os.path.join(DRAWN, name))
    for panel in drawn.values():
        axes = [panel.xaxis] + ([panel.yaxis] if name == "bits.csv" else [])
        assert all(t == round(t) for axis in axes for t in axis.get_majorticklocs())


def test_analiza_counts_generations_from_0():
    runs = plot_analiza.split_runs("log", [(-1.15, 3.07)] * 40, None)
    figure = plot_analiza.draw(plt, runs, "log")
    assert len(runs) == 10 and figure.axes[1].get_lines()[0].get_xdata()[0] == 0


@pytest.mark.parametrize("path,title,named", [
    ("study/VEL_POP=50/p_mut=0.01/stats.csv", None, "VEL_POP=50, p_mut=0.01"),
    ("study/VEL_POP=50/p_mut=0.01/stats.csv", "sakora", "sakora"),
    ("study/a=b=c/stats.csv", None, "stats.csv"),
    ("stats.csv", None, "stats.csv")])
def test_title_names_the_setting(path, title, named):
    assert common.named(path, title) == named
