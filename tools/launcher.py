#!/usr/bin/python3
"""The one launcher of the project's tools, installed under each tool's name
(genetic-sweep, plot-analiza, plot-stats): it finds the tools' package,
share/genetic-search beside the folder of the programs (a build or an
installation), or the source folder it lies in, and runs the tool its name
asks for. Their manual pages tell what each does.

The shebang names Debian's /usr/bin/python3, where python3-matplotlib
installs; with another interpreter, run `INTERPRETER TOOL ...` with one that
can import matplotlib.
"""
import os
import sys

here = os.path.dirname(os.path.realpath(__file__))
for place in (os.path.join(here, os.pardir, "share", "genetic-search"), here):
    if os.path.isdir(os.path.join(place, "genetic_search")):
        sys.path.insert(0, place)
        break
sys.dont_write_bytecode = True  # nothing is written beside the installed modules
from genetic_search import tools  # noqa: E402

sys.exit(tools.run(os.path.basename(sys.argv[0]), sys.argv[1:]))
