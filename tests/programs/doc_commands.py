#!/usr/bin/env python3
"""Runs the commands that the documents show, as they show them.

    doc_commands.py SOURCE_DIR BUILD_DIR

Every ```sh block of README.md, HACKING.md, docs/*.md and examples/README.md
runs with bash in a copy of the checkout whose build/ is BUILD_DIR, HOME a
fresh folder, document after document, block after block; each must end with
status 0. The shell follows build/ to BUILD_DIR's own path (set -o physical),
so that a step that regenerates the build sees the build where it lies. A ```console block's $ line runs the same way, and what it prints
must be the lines shown, "..." standing for any lines. The EXAMPLES of the
manual pages run with the programs on PATH. Blocks that install with apt-get,
and those after them in their document, run in a throwaway root, an overlay
over / that only their mount namespace sees, and so do the EXAMPLES of the
pages that the package installed there, each in a folder of its own; without
root, unshare or overlayfs they are skipped. README's set-up, which CI runs
itself, is left out, and so are the few blocks of SKIP below.
"""
import glob, gzip, os, re, shutil, subprocess, sys, tempfile

# (document, first line of the block): why the test leaves it out.
SKIP = {
    ("HACKING.md", "cmake --workflow --preset clang"): ".ci/run runs every workflow",
    ("docs/speed.md", "bench/compare.sh --repeats 5 build/bin"):
        "a quarter of an hour of timing; the quick run below times the same workloads",
    ("HACKING.md", 'd=$(mktemp -d) && git clone -q . "$d/main" && ln -s "$PWD/../shared" "$d/shared" &&'):
        "this is CI itself",
}


# ROOT BUILD FOLDER COMMAND...: COMMAND in FOLDER, in an overlay over / that
# keeps its changes in ROOT/upper, with the build folder BUILD itself; the
# mounts end with the mount namespace that unshare made for them.
THROWAWAY_ROOT = r"""set -e
r=$1 build=$2 folder=$3 && shift 3 && mkdir -p "$r/upper" "$r/work" "$r/merged"
mount -t overlay overlay -o "lowerdir=/,upperdir=$r/upper,workdir=$r/work" "$r/merged"
for d in /proc /dev /sys "$build"; do mount --rbind "$d" "$r/merged$d"; done
exec unshare --root="$r/merged" --wd="$folder" "$@"
"""


def throwaway_root(root, build, folder):
    """The command that runs what follows it in the throwaway root, or why
    there can be none; tried in folder, which the overlay shows only where it
    lies on the root's own file system."""
    if not shutil.which("unshare"):
        return None, "unshare is not installed"
    command = ["unshare", "--mount", "--propagation", "private", "sh", "-c", THROWAWAY_ROOT,
               "sh", root, os.path.realpath(build)]
    tried = subprocess.run(command + [folder, "true"], capture_output=True, text=True)
    return (command, None) if tried.returncode == 0 else (None, tried.stderr.strip())


def blocks(path):
    """(kind, text) of each fenced sh or console block."""
    return re.findall(r"^```(sh|console)\n(.*?)^```", open(path).read(), re.S | re.M)


def readme_setup(source):
    """README's set-up, found as .ci/run finds it: the first sh block under
    "## Set-up"."""
    found = re.search(r"^## Set-up\n.*?^```sh\n(.*?)^```", open(f"{source}/README.md").read(),
                      re.S | re.M)
    return found.group(1) if found else None


def man_examples(page):
    """The $ lines of the EXAMPLES section of a manual page, as shell text."""
    text = page.split(".SH EXAMPLES", 1)[-1].split(".SH ", 1)[0]
    lines = [l[2:] for l in text.splitlines() if l.startswith("$ ")]
    return "\n".join(l.replace("\\-", "-").replace("\\(aq", "'").replace("\\en", "\\n")
                     for l in lines)


def matches(shown, printed):
    """printed holds the lines shown, where a line "..." stands for any lines;
    the last may lack its line end, as a closing prompt does."""
    pattern = "\n".join(".*?" if l == "..." else re.escape(l) for l in shown)
    return re.fullmatch(pattern + "\n?", printed, re.S) is not None


def run(doc, kind, text, env, folder, in_root):
    """Runs a block in folder, or in the throwaway root if in_root is the
    command that enters it; says how it went, and returns 1 if it failed."""
    command, shown = text, None
    if kind == "console":
        lines = text.splitlines()
        command, shown = lines[0].removeprefix("$ "), lines[1:]
    bash = ["bash", "-o", "physical", "-euo", "pipefail", "-c", command]
    done = subprocess.run(in_root + [folder] + bash if in_root else bash, cwd=folder, env=env,
                          stdin=subprocess.DEVNULL, text=True, capture_output=True, timeout=900)
    wrong = done.returncode != 0 or (shown is not None and not matches(shown, done.stdout))
    print(f"{'FAIL' if wrong else 'ran'} {doc}: {text.splitlines()[0] if text else ''}")
    if wrong:
        print(f"  status {done.returncode}\n{done.stdout[-2000:]}{done.stderr[-2000:]}")
    return int(wrong)


def main(source, build):
    work = tempfile.mkdtemp()
    try:
        checkout, home = os.path.join(work, "checkout"), os.path.join(work, "home")
        # Not what git ignores (.gitignore): the builds, a log, studies made
        # by following the guides, which their commands would find there.
        shutil.copytree(source, checkout, symlinks=True,
                        ignore=shutil.ignore_patterns(".git", "build*", "analiza.txt",
                                                      "Testing", "studies"))
        os.symlink(os.path.abspath(build), os.path.join(checkout, "build"))
        os.mkdir(home)
        env = dict(os.environ, HOME=home)
        on_path = dict(env, PATH=os.path.join(checkout, "build", "bin") + ":" + env["PATH"])
        runs = []
        for doc in ["README.md", "HACKING.md", "examples/README.md",
                    *sorted(os.path.relpath(p, source) for p in glob.glob(f"{source}/docs/*.md"))]:
            for kind, text in blocks(os.path.join(source, doc)):
                runs.append((doc, kind, text, env))
        root = os.path.join(work, "root")
        in_root, no_root = throwaway_root(root, build, checkout)
        # The pages' EXAMPLES run from the installed pages, where there is a
        # root to install in, else from the source, with the build's programs.
        pages = sorted(glob.glob(f"{source}/man/*.1"))
        for page in pages if no_root else []:
            text = man_examples(open(page).read())
            runs.append((os.path.relpath(page, source), "sh", text, on_path))
        setup = readme_setup(source)
        failed, rooted = 0, set()
        for doc, kind, text, environment in runs:
            first = text.splitlines()[0] if text else ""
            if doc == "README.md" and text == setup:
                print("skipped README's set-up\n  (.ci/run runs it itself)")
                continue
            if (doc, first) in SKIP:
                print(f"skipped {doc}: {first}\n  ({SKIP[doc, first]})")
                continue
            if doc in rooted or "apt-get" in text:
                # What follows an install in its document needs that install.
                rooted.add(doc)
                if no_root:
                    print(f"skipped {doc}: {first}\n  (no throwaway root to install in: {no_root})")
                    continue
            failed |= run(doc, kind, text, environment, checkout, doc in rooted and in_root)
        for name in map(os.path.basename, pages):
            if no_root:
                print(f"skipped the installed {name}\n  (no throwaway root: {no_root})")
                continue
            with gzip.open(f"{root}/upper/usr/share/man/man1/{name}.gz", "rt") as f:
                examples = man_examples(f.read())
            folder = tempfile.mkdtemp(dir=work)
            failed |= run(f"the installed {name}", "sh", examples, env, folder, in_root)
        return failed
    finally:
        subprocess.run(["chmod", "-R", "u+w", work])
        shutil.rmtree(work)


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:3]))
