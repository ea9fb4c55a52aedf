"""The tools beside tarsel, tarnox and sakora: genetic-sweep, plot-analiza and
plot-stats (tools.py runs them by name)."""
