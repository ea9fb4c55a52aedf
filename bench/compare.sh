#!/usr/bin/env bash
# Times tarsel, tarnox and sakora on the workloads in bench/workloads next to
# our last release, the same workloads written with the peer libraries in
# bench/peers (GAlib in C++, DEAP in Python), whichever are installed, and the
# floor of the function workloads' roulette (addition_floor), in alternation,
# and prints a summary and a table of median seconds, peak memory and each
# time over ours.
#
#   bench/compare.sh [options] BIN_DIR [options]
#
# --before BIN_DIR  also time that build (for instance the one before a
#                   change), after checking that it prints the same bytes
#                   (standard output and analiza.txt) as BIN_DIR on every
#                   workload
# --quick           the small workloads only
# --repeats R       runs of each program per workload (default 3; 0 with
#                   --before only compares the bytes)
# --no-release      do not build and time the last release
#
# --growth          instead of the workloads: one generated parameter file per
#                   population size (GROWTH_SIZES, default 1000 3000 10000
#                   30000 strings, GROWTH_GENERATIONS generations a run,
#                   default 5), ours and GAlib side by side, and ours with a
#                   checkpoint after every generation and with the default
#                   interval (GENETIC_CHECKPOINT); the table gives milliseconds
#                   per generation, and the script ends with status 1 when a
#                   run with a checkpoint leaves another output folder
#                   (standard output and analiza.txt) than the run without
#
# The last release is the newest one in bench/releases other than the version
# being built, by its commit, built from `git archive` with the default preset
# in a temporary folder; a shallow clone fetches that commit first, and
# without git or that commit it is skipped, with a note. Its bytes are
# compared with ours on every workload it ran. Needs GNU time (/usr/bin/time,
# Debian package "time"); the peers need libga-dev and g++, or python3-deap.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
usage="usage: compare.sh [--repeats R] [--quick] [--growth] [--before BIN_DIR] [--no-release] BIN_DIR"
repeats=3 quick=0 growth=0 before="" release=1 bin=""
while [ $# -gt 0 ]; do
  case $1 in
    --repeats) repeats=${2:?$usage}; shift 2 ;;
    --quick) quick=1; shift ;;
    --growth) growth=1 release=0; shift ;;
    --before) before=$(cd "${2:?$usage}" && pwd); shift 2 ;;
    --no-release) release=0; shift ;;
    -*) echo "unknown option $1; $usage" >&2; exit 2 ;;
    *)
      [ -z "$bin" ] || { echo "two build folders, $bin and $1; $usage" >&2; exit 2; }
      bin=$(cd "$1" && pwd); shift ;;
  esac
done
[ -n "$bin" ] || { echo "$usage" >&2; exit 2; }
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (apt-get install time)" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
raw="$work/raw.tsv"
: > "$raw"

# The last release, built as a user would build it.
release_bin="" release_tag="" top=""
if [ "$release" = 1 ]; then
  version=$(sed -n 's/^project([^ ]* VERSION \([0-9.]*\).*/\1/p' "$here/../CMakeLists.txt")
  read -r release_version commit < <(grep -v '^#' "$here/releases" | awk -v v="$version" '$1 != v' | tail -n 1)
  release_tag=v$release_version
  if ! command -v git > /dev/null || ! top=$(git -C "$here" rev-parse --show-toplevel 2> /dev/null); then
    echo "(no git checkout here: the last release, $release_tag = $commit, is not timed)" >&2
    release_tag=""
  elif ! git -C "$top" cat-file -e "$commit^{commit}" 2> /dev/null &&
    ! git -C "$top" fetch -q --depth 1 origin "$commit" 2> /dev/null; then
    echo "(the last release, $release_tag = $commit, is not in this checkout's history:" \
      "not timed; git fetch --unshallow brings it)" >&2
    release_tag=""
  fi
  if [ -n "$release_tag" ]; then
    echo "building the last release, $release_tag ($commit), with the default preset" >&2
    mkdir "$work/release"
    if git -C "$top" archive "$commit" | tar -x -C "$work/release" &&
      (cd "$work/release" && cmake --preset default > "$work/release.log" 2>&1 &&
        cmake --build --preset default --target tarsel tarnox sakora >> "$work/release.log" 2>&1); then
      release_bin="$work/release/build/bin"
    else
      echo "(the release $release_tag did not build: not timed)" >&2
      tail -n 20 "$work/release.log" >&2 || true
    fi
  fi
fi

# The peers that can run here.
galib="" deap=""
if [ -f /usr/include/ga/ga.h ] &&
  g++ -O2 -Wno-register -o "$work/galib_peer" "$here/peers/galib_peer.cpp" -lga 2> "$work/galib.err"; then
  galib="$work/galib_peer"
else
  echo "(GAlib peer not timed: needs libga-dev and g++)" >&2
fi
for candidate in /usr/bin/python3 python3; do
  if command -v "$candidate" > /dev/null && "$candidate" -c 'import deap' 2> /dev/null; then
    deap="$candidate $here/peers/deap_peer.py"
    break
  fi
done
[ -n "$deap" ] || echo "(DEAP peer not timed: needs a python3 that imports deap, python3-deap)" >&2
floor=""
if [ -x "$bin/addition_floor" ]; then
  floor="$bin/addition_floor"
else
  echo "(no addition_floor in $bin: the floor is not timed)" >&2
fi

workloads=(funcopt_small knapsack_50)
[ "$quick" = 1 ] || workloads+=(funcopt_medium funcopt_large knapsack_200)

# measure NAME WORKLOAD COMMAND...: runs COMMAND in a fresh folder, appends
# "name workload start end kilobytes" to the raw table (the wall clock around
# the process, finer than GNU time's hundredths), and keeps what it printed
# and logged, the last repetition's, in out/NAME/WORKLOAD.
measure() {
  local name=$1 workload=$2 dir="$work/run" start
  shift 2
  rm -rf "$dir" && mkdir "$dir"
  start=$EPOCHREALTIME
  (cd "$dir" && /usr/bin/time -f "%M" -o "$work/kb" "$@" < /dev/null > stdout 2> /dev/null)
  printf '%s\t%s\t%s\t%s\t%s\n' "$name" "$workload" "$start" "$EPOCHREALTIME" "$(cat "$work/kb")" >> "$raw"
  mkdir -p "$work/out/$name"
  rm -rf "${work:?}/out/$name/$workload"
  mv "$dir" "$work/out/$name/$workload"
}

# same_bytes PROGRAM WORKLOAD: the two builds print the same bytes.
same_bytes() {
  local prog=$1 file="$here/workloads/$2.txt" side
  for side in a b; do
    rm -rf "$work/$side" && mkdir "$work/$side"
  done
  (cd "$work/a" && "$bin/$prog" "$file" < /dev/null > out)
  (cd "$work/b" && "$before/$prog" "$file" < /dev/null > out)
  if diff -r "$work/a" "$work/b" > /dev/null; then
    echo "same bytes: $prog $2"
  else
    echo "DIFFERENT BYTES: $prog $2"
    return 1
  fi
}

# --growth: how the time of a generation grows with the population, ours and
# GAlib's, and what a checkpoint adds to ours (every generation, and at the
# default interval): one execution's wall time over its ten runs' generations.
# Each run with a checkpoint must leave the same folder as the run without
# (the checkpoint file is removed at the end, so diff -r sees the output and
# analiza.txt); any that does not is named, and the script ends with status 1.
if [ "$growth" = 1 ]; then
  generations=${GROWTH_GENERATIONS:-5}
  differ=()
  for ((r = 1; r <= repeats; r++)); do
    for size in ${GROWTH_SIZES:-1000 3000 10000 30000}; do
      file="$work/growth_$size.txt"
      echo "-2 2 6 $size $generations 20 0.01" > "$file"
      echo "[$(date +%H:%M:%S)] repetition $r of $repeats: $size strings" >&2
      measure ours "$size" "$bin/tarsel" "$file"
      [ -z "$galib" ] || measure GAlib "$size" "$galib" funcopt "$file"
      measure "checkpoint every generation" "$size" \
        env GENETIC_CHECKPOINT=ck GENETIC_CHECKPOINT_SECONDS=0 "$bin/tarsel" "$file"
      measure "checkpoint every 60 s" "$size" env GENETIC_CHECKPOINT=ck "$bin/tarsel" "$file"
      for variant in "checkpoint every generation" "checkpoint every 60 s"; do
        if ! diff -rq "$work/out/ours/$size" "$work/out/$variant/$size" > "$work/diff" 2>&1; then
          echo "DIFFERENT BYTES with a $variant: $size strings"
          sed "s|$work/out/||g; s/^/  /" "$work/diff" >&2
          differ+=("$variant, $size strings, repetition $r")
        fi
      done
    done
  done
  python3 - "$raw" "$generations" "$(cut -d' ' -f1-3 /proc/loadavg)" <<'PY'
import statistics, sys
raw, generations, load = sys.argv[1], int(sys.argv[2]), sys.argv[3]
times = {}
for line in open(raw):
    name, size, start, end, _ = line.rstrip("\n").split("\t")
    times.setdefault(int(size), {}).setdefault(name, []).append(float(end) - float(start))
print("load average at the end %s; ms per generation: the median over the repetitions of one" % load)
print("execution's wall time (start-up and the first checkpoint included) / (10 runs x %d generations)"
      % generations)
print()
print("| strings | ours | GAlib | GAlib / ours | checkpoint every generation | / ours | every 60 s | / ours |")
print("|---|---|---|---|---|---|---|---|")
for size, by in sorted(times.items()):
    ms = {n: 1000 * statistics.median(t) / (10 * generations) for n, t in by.items()}
    cell = lambda n: "%.2f" % ms[n] if n in ms else "-"
    ratio = lambda n: "%.2f" % (ms[n] / ms["ours"]) if n in ms else "-"
    print("| %d | %s | %s | %s | %s | %s | %s | %s |" % (
        size, cell("ours"), cell("GAlib"), ratio("GAlib"), cell("checkpoint every generation"),
        ratio("checkpoint every generation"), cell("checkpoint every 60 s"),
        ratio("checkpoint every 60 s")))
PY
  if [ ${#differ[@]} -gt 0 ]; then
    echo "compare.sh: these runs with a checkpoint left another output folder than the run without:" >&2
    printf '  %s\n' "${differ[@]}" >&2
    exit 1
  fi
  exit 0
fi

programs() {
  case $1 in
    funcopt_*) echo tarsel tarnox ;;
    knapsack_*) echo sakora ;;
  esac
}

if [ -n "$before" ]; then
  for w in "${workloads[@]}"; do
    for prog in $(programs "$w"); do
      same_bytes "$prog" "$w"
    done
  done
fi

for ((r = 1; r <= repeats; r++)); do
  for w in "${workloads[@]}"; do
    file="$here/workloads/$w.txt"
    echo "[$(date +%H:%M:%S)] repetition $r of $repeats: $w" >&2
    # The pairs whose ratios matter most side by side, so that a change of
    # load between them is small: ours, the floor, GAlib; DEAP's long runs last.
    for prog in $(programs "$w"); do
      measure "$prog" "$w" "$bin/$prog" "$file"
      case $prog in tarnox) ;; *)
        case $w in funcopt_*) [ -z "$floor" ] || measure floor "$w" "$floor" "$file" ;; esac
        [ -z "$galib" ] || measure GAlib "$w" "$galib" "${w%%_*}" "$file" ;;
      esac
      [ -z "$before" ] || measure "$prog before" "$w" "$before/$prog" "$file"
      [ -z "$release_bin" ] || measure "$prog $release_tag" "$w" "$release_bin/$prog" "$file"
    done
    # shellcheck disable=SC2086
    [ -z "$deap" ] || measure DEAP "$w" $deap "${w%%_*}" "$file"
  done
done

# The release's bytes beside ours, from the runs just timed.
if [ -n "$release_bin" ] && [ "$repeats" -gt 0 ]; then
  for w in "${workloads[@]}"; do
    for prog in $(programs "$w"); do
      if diff -r "$work/out/$prog/$w" "$work/out/$prog $release_tag/$w" > /dev/null; then
        echo "same bytes as $release_tag: $prog $w"
      else
        echo "DIFFERENT BYTES from $release_tag: $prog $w"
      fi
    done
  done
  echo
fi

python3 - "$raw" "$(nproc)" "$(cut -d' ' -f1-3 /proc/loadavg)" "$release_tag" <<'PY'
import statistics, sys
raw, cpus, load, tag = sys.argv[1:5]
rows = {}
for line in open(raw):
    name, workload, start, end, kb = line.rstrip("\n").split("\t")
    rows.setdefault(workload, {}).setdefault(name, []).append((float(end) - float(start), int(kb)))
print("machine: %s CPUs, load average at the end %s" % (cpus, load))
print()
median = {w: {n: statistics.median(s for s, _ in t) for n, t in p.items()} for w, p in rows.items()}

def cell(w, name):
    return "%.3f" % median[w][name] if name in median[w] else "-"

def ratio(w, a, b):
    return "%.2f" % (median[w][a] / median[w][b]) if a in median[w] and b in median[w] else "-"

# Ours is the program that breeds as the peers do: tarsel for the function,
# sakora for the knapsack.
print("Median seconds; ours is tarsel (function) or sakora (knapsack).")
print()
release = ("ours %s" % tag) if tag else "ours release"
print("| workload | %s | ours now | GAlib | DEAP | floor | %s / now | GAlib / ours | DEAP / ours | ours / floor |" % (release, tag or "release"))
print("|---|---|---|---|---|---|---|---|---|---|")
for w in rows:
    ours = "sakora" if w.startswith("knapsack") else "tarsel"
    old = "%s %s" % (ours, tag)
    print("| %s | %s | %s | %s | %s | %s | %s | %s | %s | %s |" % (
        w, cell(w, old), cell(w, ours), cell(w, "GAlib"), cell(w, "DEAP"), cell(w, "floor"),
        ratio(w, old, ours), ratio(w, "GAlib", ours), ratio(w, "DEAP", ours), ratio(w, ours, "floor")))
print()
print("time / ours: the median over that of our program (\"X before\" and \"X %s\" over X;" % (tag or "vN"))
print("a peer and the floor over tarsel or sakora).")
print()
print("| workload | program | runs | median s | min..max s | peak MiB | time / ours |")
print("|---|---|---|---|---|---|---|")
for workload, programs in rows.items():
    for name, times in programs.items():
        base = name.split(" ")[0]
        ours = None if name in ("tarsel", "tarnox", "sakora") else \
            base if base in ("tarsel", "tarnox", "sakora") else \
            "sakora" if "sakora" in median[workload] else "tarsel"
        secs = [s for s, _ in times]
        print("| %s | %s | %d | %.3f | %.3f..%.3f | %.1f | %s |" % (
            workload, name, len(secs), median[workload][name], min(secs), max(secs),
            max(kb for _, kb in times) / 1024, ratio(workload, name, ours) if ours else "-"))
PY
