"""The grid: the names each program's file has, the values given with --set,
and each setting's file, the base file with its values replaced."""
import dataclasses
import itertools
import os
import re

from ..common import Refusal

# Each program's file as far as --set reaches into it: the names of its values
# in their order, with what they mean. sakora's capacity C is the value after
# the N weights and N profits that follow value 6, the item count N.
OPTIMISER = {"dg": "lower bound", "gg": "upper bound", "p": "decimals",
             "VEL_POP": "population size", "numiter": "generations",
             "M": "per cent eliminated", "p_mut": "mutation probability"}
KNAPSACK = {"VEL_POP": "population size", "numiter": "generations",
            "M": "per cent eliminated", "p_mut": "mutation probability", "runs": "runs",
            "C": "capacity"}
LAYOUT = {"tarsel": OPTIMISER, "tarnox": OPTIMISER, "sakora": KNAPSACK}
TOKEN = re.compile(rb"[^ \t\n\r\v\f]+")  # a value, between the programs' white space


@dataclasses.dataclass
class Setting:
    folder: str  # NAME=VALUE/NAME=VALUE/..., its place in DIR
    values: dict  # the value of each name of the grid, the program among them
    program: str  # tarsel, tarnox or sakora
    text: bytes  # its parameter or problem file


def dimensions(kinds, sets):
    """The dimensions: (name, values), the programs first when several. The
    programs judge the values; here only what is not a value at all."""
    names = LAYOUT[kinds[0]]
    dims = [("program", kinds)] if len(kinds) > 1 else []
    for item in sets:
        name, _, listed = item.partition("=")
        if name not in names:
            raise Refusal(f"{kinds[0]} has no value named '{name}' (it has {', '.join(names)})")
        if name in (known for known, _ in dims):
            raise Refusal(f"{name} is set twice")
        values = listed.split(",")
        if not listed or "" in values:
            raise Refusal(f"--set {item} leaves the grid empty: give values after {name}=")
        for value in values:
            if not TOKEN.fullmatch(os.fsencode(value)):
                raise Refusal(f"--set {item}: '{value}' holds white space; commas "
                              "separate the values")
            if re.match(r"[+-]?0\d", value):  # 0,01 split into 0 and 01
                raise Refusal(f"--set {item}: '{value}' starts with 0 and a digit: decimals "
                              "are written after a point, as in 0.01; commas separate the values")
        if len(set(values)) < len(values):
            raise Refusal(f"--set {item} lists a value twice")
        dims.append((name, values))
    return dims


def place(kind, name, tokens):
    """Where NAME's value stands among the tokens of a file the program reads."""
    if name == "C":
        return 6 + 2 * int(tokens[5].group())
    return list(LAYOUT[kind]).index(name)


def substitute(text, kind, values):
    """TEXT, a file the program reads, with the named values replaced."""
    tokens = list(TOKEN.finditer(text))
    for at, value in sorted(((place(kind, n, tokens), v) for n, v in values.items()),
                            reverse=True):  # from the end, so that the earlier spans stay put
        text = text[:tokens[at].start()] + os.fsencode(value) + text[tokens[at].end():]
    return text


def settings(kinds, dims, base):
    """Every combination of the values, in the order of the grid."""
    names = [name for name, _ in dims]
    found = []
    for combination in itertools.product(*(values for _, values in dims)):
        values = dict(zip(names, combination))
        program = values.get("program", kinds[0])
        settable = {n: v for n, v in values.items() if n != "program"}
        found.append(Setting("/".join(f"{n}={v}" for n, v in values.items()), values,
                             program, substitute(base, program, settable)))
    return found


def whole(setting, name):
    """A count in the setting's file, none when below 0."""
    tokens = list(TOKEN.finditer(setting.text))
    return max(int(tokens[place(setting.program, name, tokens)].group()), 0)


def generations(setting):
    """The generations of all the runs of a setting: the optimisers make 10 runs."""
    runs = 10 if LAYOUT[setting.program] is OPTIMISER else whole(setting, "runs")
    return runs * whole(setting, "numiter")
