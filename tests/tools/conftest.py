"""The tools' unit tests import the package from the source folder."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), os.pardir, os.pardir, "tools"))
