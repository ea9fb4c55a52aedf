"""The tables of a sweep: runs.csv, summary.csv and the summary printed at
the end."""
import csv
import os

from .judge import FIGURES


def columns(kind):
    """The names of a run's detail and value, as runs.csv gives them."""
    return ("bits", "value") if kind == "sakora" else ("x", "f")


def write_runs(out, names, settings, results, stats):
    with open(os.path.join(out, "runs.csv"), "w", newline="") as f:
        rows = csv.writer(f, lineterminator="\n")
        rows.writerow(["folder", *names, "run", *columns(settings[0].program),
                       *(FIGURES if stats else ())])
        for setting, result in zip(settings, results):
            for number, (detail, value) in enumerate(result.runs, 1):
                rows.writerow([setting.folder, *(setting.values[n] for n in names), number,
                               detail, value,
                               *(result.figures.get(number, ("", "")) if stats else ())])


def mean(values):
    return f"{sum(values) / len(values):.6f}" if values else ""


def counted(goal, optimum, shown=lambda value: f"{value:.6f}"):
    """What 'reached' counts, the value as `shown` gives it (by default with
    the six decimals of the tables)."""
    return f"{'the optimum' if optimum else 'the best value seen'}, {shown(goal)}"


def target(results, optimum):
    """The value that 'reached' counts: the optimum, or the best value seen."""
    seen = [float(v) for result in results for _, v in result.runs]
    return optimum if optimum is not None else max(seen, default=0.0)


def summarise(names, settings, results, goal, stats):
    """One row per setting: its values, outcome and statistics of its runs."""
    summary = []
    for setting, result in zip(settings, results):
        vs = [float(v) for _, v in result.runs]
        values = [mean(vs), *(f"{s:.6f}" for s in (min(vs), max(vs)))] if vs else [""] * 3
        row = {"folder": setting.folder, **{n: setting.values[n] for n in names},
               "outcome": result.outcome, "status": result.status,
               "seconds": result.seconds, "run_count": len(vs),
               **dict(zip(("mean", "min", "max"), values)),
               "reached": sum(v >= goal for v in vs)}
        if stats:
            found = result.figures.values()
            row["mean_" + FIGURES[0]] = mean([int(g) for g, _ in found])
            row["mean_" + FIGURES[1]] = mean([float(d) for _, d in found])
        summary.append({**row, "reason": result.reason})
    return summary


def write_summary(out, summary):
    with open(os.path.join(out, "summary.csv"), "w", newline="") as f:
        rows = csv.DictWriter(f, list(summary[0]), lineterminator="\n")
        rows.writeheader()
        rows.writerows(summary)


def counts(summary):
    return {outcome: sum(row["outcome"] == outcome for row in summary)
            for outcome in ("done", "refused", "failed")}


def printed(summary, goal, optimum):
    """The lines of the summary: the counts of the outcomes, the five best
    settings done, and every setting refused or failed with its reason."""
    count = counts(summary)
    done = [row for row in summary if row["run_count"]]
    # With no run done there is no value seen, and nothing reached it.
    lines = [f"{len(summary)} settings: {count['done']} done, {count['refused']} refused, "
             f"{count['failed']} failed"
             + (f"; 'reached' counts the runs at {counted(goal, optimum)}. The best:"
                if done else ".")]
    table = [["setting", "mean", "min", "max", "reached"]] if done else []
    table += [[row["folder"], row["mean"], row["min"], row["max"],
               f"{row['reached']}/{row['run_count']}"]
              for row in sorted(done, key=lambda row: (-float(row["mean"]), -row["reached"]))[:5]]
    widths = [max((len(r[i]) for r in table), default=0) for i in range(5)]
    lines += [" ".join([r[0].ljust(widths[0]), *(c.rjust(w) for c, w in zip(r[1:], widths[1:]))])
              for r in table]
    return lines + [f"{row['outcome']}: {row['folder']}: {row['reason']}"
                    for row in summary if row["outcome"] != "done"]
