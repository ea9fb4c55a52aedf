"""Runs a tool by the name it was started under."""
import importlib
import sys

from .common import Refusal

# Each tool's name and the module whose main(argv) it is.
TOOLS = {"genetic-sweep": "sweep", "plot-analiza": "plot_analiza", "plot-stats": "plot_stats"}


def run(name, argv):
    """The tool's exit status; a refusal is one line on standard error and 1."""
    if name not in TOOLS:
        print(f"{name}: run me as one of {', '.join(TOOLS)}", file=sys.stderr)
        return 2
    tool = importlib.import_module(f".{TOOLS[name]}", __package__)
    try:
        return tool.main(argv)
    except Refusal as e:
        print(f"{name}: {e}", file=sys.stderr)
        return 1
