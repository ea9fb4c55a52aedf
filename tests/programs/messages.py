#!/usr/bin/env python3
"""Every message the programs can print stands in their manual page, and every
message a page lists is one the programs print.

    messages.py SOURCE_DIR

The messages of the code are the formats of fail(...), refuse(...) and
fprintf(stderr, ...); those of a page are the quoted texts of its EXIT
STATUS section. A conversion of a format (%d, %s, ...) and a "..." or an
italic word of a page stand for any text. tarsel(1) is the page of the engine
and of funcopt/, sakora(1) of the engine and of knapsack/.
"""
import glob, os, re, sys

source = sys.argv[1]
ANY = "\x01"
CALL = re.compile(r'\b(fail|refuse|std::fprintf)\((?:in, what, |stderr, )?((?:\s*"(?:\\.|[^"\\])*")+)')
CONVERSION = re.compile(r"%[-+ #0-9.]*(?:ll|l|z)?[dsfgu]")


def code_messages(folder):
    found = []
    for path in glob.glob(os.path.join(source, folder, "*.cpp")):
        for kind, literals in CALL.findall(open(path).read()):
            text = "".join(re.findall(r'"((?:\\.|[^"\\])*)"', literals))
            text = text.replace('\\"', '"').replace("\\n", "").replace("\\\\", "\\")
            found.append((kind, CONVERSION.sub(ANY, text), os.path.relpath(path, source)))
    return found


def page_messages(page):
    text = open(os.path.join(source, "man", page)).read()
    text = text.split(".SH EXIT STATUS", 1)[1].split(".SH ", 1)[0]
    found = []
    for line in text.splitlines():
        if not re.match(r"\.B[IR]? ", line):
            continue
        parts = re.findall(r'"((?:[^"\\]|\\.)*)"|(\S+)', line[line.index(" ") + 1:])
        words = [(quoted or bare) for quoted, bare in parts]
        if line.startswith(".BI "):  # bold and italic in turn: the italic is a value
            words = [w if i % 2 == 0 else ANY for i, w in enumerate(words)]
        elif line.startswith(".BR "):  # the roman words are punctuation
            words = words[:1]
        message = "".join(w for w in words if not w.startswith("\\f"))
        message = message.replace("\\-", "-").replace("\\(dq", '"').replace("\\e", "\\")
        message = message.replace("...", ANY)
        if len(message) > 12:
            found.append(message)
    return found


def pattern(text):
    return re.compile("".join(".*" if c == ANY else re.escape(c) for c in text), re.S)


def same(page_text, code_text):
    return bool(pattern(code_text).fullmatch(page_text) or pattern(page_text).fullmatch(code_text))


failed = 0
engine = code_messages("engine")
for page, front in (("tarsel.1", "funcopt"), ("sakora.1", "knapsack")):
    listed = page_messages(page)
    code = engine + code_messages(front)
    formats = [text for kind, text, _ in code if kind != "refuse"]
    for message in listed:
        if not any(same(message, f) for f in formats) and \
                not any(text in message or message in text
                        for kind, text, _ in code if kind == "refuse"):
            print(f"FAIL {page} lists a message the programs do not print: {message!r}")
            failed = 1
    pages = listed + (page_messages("tarsel.1") if page == "sakora.1" else [])
    for kind, text, where in code_messages(front) + (engine if page == "tarsel.1" else []):
        known = any(text in m for m in pages) if kind == "refuse" else \
            any(same(m, text) for m in pages)
        if not known:
            print(f"FAIL {where}: {text!r} stands in no message of {page}")
            failed = 1
sys.exit(failed)
