"""What the three tools share: the refusal, the command line, the pictures and
the way a byte of a file is shown."""
import argparse
import os
import sys

try:
    from .version import VERSION  # written by the build
except ImportError:  # the source folder itself
    VERSION = "unknown"


class Refusal(Exception):
    """Bad input: one line on standard error, status 1, nothing done."""


class Parser(argparse.ArgumentParser):
    """The tools' command line: an error is a refusal that ends with `hint`,
    and --version prints the tool's name and the project's version."""

    def __init__(self, hint, **kwargs):
        super().__init__(**kwargs)
        self.hint = hint
        self.add_argument("--version", action="version", version=f"{self.prog} {VERSION}")

    def error(self, message):
        raise Refusal(f"{message} ({self.hint})")


FORMATS = ("png", "pdf", "svg")


def picture_format(path):
    """The format that the suffix of a picture's name asks for."""
    suffix = os.path.splitext(path)[1].lower().lstrip(".")
    if suffix not in FORMATS:
        raise Refusal(f"cannot write {path}: its name must end in .png, .pdf or .svg")
    return suffix


def pyplot(purpose=""):
    """matplotlib's pyplot, drawing into files only; `purpose` names what
    needs it in the refusal without it."""
    try:
        import matplotlib
    except ImportError:
        raise Refusal(f"{sys.executable} cannot import matplotlib"
                      + (f", which {purpose} needs" if purpose else "")
                      + " (Debian: apt-get install python3-matplotlib)")
    matplotlib.use("Agg")
    import matplotlib.pyplot as plt
    return plt


def save(figure, picture):
    """Writes the figure in the format its name asks for."""
    try:
        figure.savefig(picture, format=picture_format(picture))
    except OSError as e:
        raise Refusal(f"cannot write {picture}: {e.strerror}")


def whole_ticks(axis):
    """Ticks at whole numbers only: generations, positions."""
    from matplotlib.ticker import MaxNLocator
    axis.set_major_locator(MaxNLocator(integer=True, steps=[1, 2, 2.5, 5, 10]))


def colours(plt, n):
    """A colour for each of n runs: the default cycle's ten, or for more runs
    shades of one map."""
    if n <= 10:
        return [f"C{k}" for k in range(n)]
    shade = plt.get_cmap("viridis")
    return [shade(k / (n - 1)) for k in range(n)]


SHOWN = 40  # the characters of a line that a message shows


def shown(text):
    """A line of a file as a message shows it: at most SHOWN characters, a
    byte that is not printable ASCII as \\xNN, and ... when it goes on."""
    out = "".join(c if " " <= c < "\x7f" and c != "\\" else f"\\x{ord(c):02x}"
                  for c in text[:SHOWN])
    return out + ("..." if len(text) > SHOWN else "")


def read_bytes(path):
    """The bytes of a file; a refusal when it cannot be read."""
    try:
        with open(path, "rb") as f:
            return f.read()
    except OSError as e:
        raise Refusal(f"cannot read {path}: {e.strerror}")


def read_lines(path):
    """The lines of a file, each byte one character (so that shown() gives
    every byte that is not printable ASCII as \\xNN, a carriage return too),
    and what follows the last line end: "" when the file ends with one."""
    lines = read_bytes(path).decode("latin-1").split("\n")
    return lines[:-1], lines[-1]


def named(path, title=None):
    """What a picture of the file at `path` is of: `title` when one is given,
    else the setting of a sweep when the file lies in a setting's folder
    (DIR/NAME=VALUE/NAME=VALUE/FILE gives "NAME=VALUE, NAME=VALUE"), else the
    file's name."""
    if title:
        return title
    folders = os.path.abspath(path).split(os.sep)[:-1]
    setting = []
    while folders and is_setting(folders[-1]):
        setting.insert(0, folders.pop())
    return ", ".join(setting) or os.path.basename(path)


def is_setting(folder):
    """A sweep's setting folder is named NAME=VALUE."""
    name, equals, value = folder.partition("=")
    return name.isidentifier() and bool(equals) and value != "" and "=" not in value


def whole_above_zero(text, name=None):
    """An argument that is a whole number above 0 (argparse's type). Given
    the option's `name`, any other is refused in a line of its own that names
    the option, not in argparse's words."""
    try:
        value = int(text)
    except ValueError:
        value = 0
    if value < 1 and name:
        raise Refusal(f"{name} takes a whole number above 0, not {text}")
    if value < 1:
        raise argparse.ArgumentTypeError(f"must be a whole number above 0, not '{text}'")
    return value
