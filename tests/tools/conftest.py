"""The tools' unit tests import the package from the source folder, and
write nothing beside its modules."""
import os
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(__file__), os.pardir, os.pardir, "tools"))
