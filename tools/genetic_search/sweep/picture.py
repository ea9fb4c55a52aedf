"""The sweep's picture, sweep.png: a heat map of the mean values when exactly
two names vary, otherwise every run's value per setting, one row each."""
import itertools

from ..common import pyplot, save
from .grid import LAYOUT
from .tables import columns, counted, counts

SHADE = {"refused": "0.85", "failed": "white"}  # the cells and rows of settings not done


def label(kind, name):
    return f"{name} ({LAYOUT[kind][name]})" if name in LAYOUT[kind] else name


def six(value, _=None):
    """A value with the six decimals of the tables, less the zeros at its end."""
    return f"{value:.6f}".rstrip("0").rstrip(".")


def reached(row):
    return f"{row['reached']}/{row['run_count']} reached"


def heat_map(plt, figure, axes, kind, varying, settings, summary):
    (rows, row_values), (cols, col_values) = varying
    means = [[float("nan")] * len(col_values) for _ in row_values]
    cells = {}
    for setting, row in zip(settings, summary):
        i, j = row_values.index(setting.values[rows]), col_values.index(setting.values[cols])
        cells[i, j] = row
        if row["mean"]:
            means[i][j] = float(row["mean"])
    image = axes.imshow(means, cmap="viridis", aspect="auto")
    found = [float(row["mean"]) for row in summary if row["mean"]] or [0.0]
    ticks = sorted({round(min(found) + (max(found) - min(found)) * k / 4, 6) for k in range(5)})
    figure.colorbar(image, label=f"mean {columns(kind)[1]} of the runs", format=six, ticks=ticks)
    for i, j in itertools.product(range(len(row_values)), range(len(col_values))):
        row = cells[i, j]
        if row["mean"]:
            light = image.norm(means[i][j]) > 0.6
            axes.text(j, i, f"{six(float(row['mean']))}\n{reached(row)}", ha="center",
                      va="center", fontsize="small", color="black" if light else "white")
        else:
            axes.add_patch(plt.Rectangle((j - 0.5, i - 0.5), 1, 1, edgecolor="0.5",
                                         facecolor=SHADE[row["outcome"]],
                                         hatch="//" * (row["outcome"] == "failed")))
            axes.text(j, i, row["outcome"], ha="center", va="center", fontsize="small")
    axes.set_xticks(range(len(col_values)), col_values)
    axes.set_yticks(range(len(row_values)), row_values)
    axes.set_xlabel(label(kind, cols))
    axes.set_ylabel(label(kind, rows))


def runs(plt, axes, kind, varying, settings, results, summary, goal, optimum):
    """Each setting a row; runs of one value side by side, so that each shows;
    those at the value 'reached' counts in another colour."""
    values = [float(v) for result in results for _, v in result.runs] + [goal]
    step = (max(values) - min(values)) / 150 or 1  # values closer than this share a place
    for y, (result, row) in enumerate(zip(results, summary)):
        vs = sorted(float(v) for _, v in result.runs)
        for _, same in itertools.groupby(vs, key=lambda v: round(v / step)):
            same = list(same)
            for k, v in enumerate(same):
                axes.plot(v, y + (k - (len(same) - 1) / 2) * min(0.7 / len(same), 0.1), "o",
                          color="tab:orange" if v >= goal else "tab:blue", markersize=4)
        if vs:
            axes.plot(sum(vs) / len(vs), y, "|", color="tab:red", markersize=16, mew=2)
        note = reached(row) if vs else row["outcome"]
        axes.annotate(note, (1, y), xycoords=("axes fraction", "data"), xytext=(6, 0),
                      textcoords="offset points", va="center", fontsize="small")
    axes.axvline(goal, color="tab:orange", linestyle="--", linewidth=1)
    names = [name for name, _ in varying]  # a setting's label: the values that vary
    axes.set_yticks(range(len(settings)),
                    ["/".join(s.values[n] for n in names) for s in settings], fontsize="small")
    axes.set_ylim(len(settings) - 0.5, -0.5)
    axes.set_ylabel(label(kind, names[0]) if len(names) == 1 else "/".join(names))
    axes.set_xlabel(f"{columns(kind)[1]} of each run (red: the mean; orange: at "
                    f"{counted(goal, optimum, six)})")
    axes.xaxis.set_major_locator(plt.MaxNLocator(5))
    axes.xaxis.set_major_formatter(six)
    axes.grid(True, axis="x", linewidth=0.3)


def draw(path, dims, settings, results, summary, goal, optimum, title):
    plt = pyplot()
    kind = settings[0].program
    varying = [(n, v) for n, v in dims if len(v) > 1] or dims[:1]
    count = counts(summary)
    title += f": {len(settings)} settings, " + ", ".join(f"{n} {o}" for o, n in count.items())
    if len(varying) == 2:
        figure, axes = plt.subplots(figsize=(8, 5), dpi=80, constrained_layout=True)
        heat_map(plt, figure, axes, kind, varying, settings, summary)
        title += f"\n'reached' counts the runs at {counted(goal, optimum, six)}"
    else:
        figure, axes = plt.subplots(figsize=(8, 1.6 + 0.5 * len(settings)), dpi=80,
                                    constrained_layout=True)
        runs(plt, axes, kind, varying, settings, results, summary, goal, optimum)
    axes.set_title(title)
    save(figure, path)
